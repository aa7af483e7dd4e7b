#pragma once
// Runs the simulator while a modal "Playing game..." dialog, centred over the main window, names the two teams and
// keeps the program repainting; its "Stop simulator" button ends a simulator that hangs (a Windows one together
// with the wine it runs in), so the playoff in memory is never lost to a run that does not end. The main window
// takes no input until the run is over: one game at a time.

#include "sim/ProcessSimulatorRunner.h"

class QWidget;

namespace kivp {
class SimulatorProcess;
}

namespace kivp::ui {

// Waits for a game in place of the "Playing game..." window: a run of many games shows its own progress
// window, which offers the stop.
class GameWait {
public:
    virtual ~GameWait() = default;
    // Returns once the program has ended.
    virtual void waitFor(SimulatorProcess& process) = 0;
};

class QtSimulatorRunner : public ProcessSimulatorRunner {
public:
    explicit QtSimulatorRunner(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }
    // Who waits for the games from now on; nothing for the "Playing game..." window.
    void setGameWait(GameWait* wait) { m_wait = wait; }

protected:
    void waitForGame(SimulatorProcess& process, const std::string& caption) override;

private:
    QWidget* m_owner;
    GameWait* m_wait = nullptr;
};

} // namespace kivp::ui
