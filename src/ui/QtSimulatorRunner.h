#pragma once
// Runs the simulator while a modal "Playing game..." dialog, centred over the main window, names the two teams and
// keeps the program repainting; its "Stop simulator" button ends a simulator that hangs (a Windows one together
// with the wine it runs in), so the playoff in memory is never lost to a run that does not end. The main window
// takes no input until the run is over: one game at a time.

#include "sim/ProcessSimulatorRunner.h"

class QWidget;

namespace kivp::ui {

class QtSimulatorRunner : public ProcessSimulatorRunner {
public:
    explicit QtSimulatorRunner(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }

protected:
    void waitForGame(SimulatorProcess& process, const std::string& caption) override;

private:
    QWidget* m_owner;
};

} // namespace kivp::ui
