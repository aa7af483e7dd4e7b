#pragma once
// Runs the simulator while a modal "Playing game..." window names the two teams and keeps the program
// repainting; its "Stop simulator" button ends a simulator that hangs, so the playoff in memory is never lost to
// a run that does not end. The main window takes no input until the run is over: one game at a time.

#include "sim/SimulatorRunner.h"

class QWidget;

namespace kivp::ui {

class QtSimulatorRunner : public SimulatorRunner {
public:
    explicit QtSimulatorRunner(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }

    RunResult run(const std::string& commandLine, const std::string& workingDirectory) override;
    RunResult runGame(const std::string& commandLine, const std::string& workingDirectory,
                      const std::string& caption) override;

private:
    QWidget* m_owner;
};

} // namespace kivp::ui
