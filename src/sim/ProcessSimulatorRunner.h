#pragma once
// The simulator started as a program of its own, with no shell in between, in the program folder, for as long as
// it takes. The program is looked for in the program folder first and then on the search path.
// On Linux the command line kivp composes is split into the program's arguments at each single space, and the
// program found is a native program of the name, else the Windows program NAME.exe, run by Wine.
// On Windows the program is found as the command interpreter finds it (NAME with each extension of PATHEXT, .com
// and .exe at least) and gets the composed line, byte for byte, as its command line; it runs in a job object, so
// that stopping it ends every program it started too. A batch file is refused: it would need the command
// interpreter, which reads "&", "|", "<", ">" and "^" in team names as commands.
//
// SimulatorProcess is one run that an event loop can poll and a "Stop simulator" button can end;
// ProcessSimulatorRunner is the SimulatorRunner built on it, which the program's windows wait on in a dialog.

#include "sim/SimulatorRunner.h"

#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivp {

// folder counted from the current directory when relative; the current directory when empty.
std::string absoluteFolder(const std::string& folder);

// The folders a program is looked for in, in order: workingDirectory (the current directory when empty), then
// each folder of searchPath (separated by ":" on Linux, ";" on Windows; a relative or empty one counts from
// workingDirectory).
std::vector<std::string> programFolders(const std::string& workingDirectory, std::string_view searchPath);

// The file a program name stands for: workingDirectory/name when that is an executable file, else the first
// executable dir/name along searchPath (as programFolders lists them). On Windows each folder is tried with the
// name itself when it has an extension, then with each extension of PATHEXT. A name holding the path separator
// is a path from workingDirectory and is not searched for. Nothing when no such file exists.
std::optional<std::string> findProgram(const std::string& name, const std::string& workingDirectory,
                                       std::string_view searchPath);

// How the simulator called name is started from workingDirectory, looked for along the search path in PATH:
// on Linux a native program of that name, else NAME.exe through Wine; on Windows the program findProgram gives,
// a batch file refused. Else a launch that cannot start and says where it looked.
SimulatorLaunch locateSimulator(const std::string& name, const std::string& workingDirectory);

class SimulatorProcess;

struct StartedRun {
    std::unique_ptr<SimulatorProcess> process; // null when the program could not be started
    RunResult notStarted;                      // then: Outcome::NotStarted and the message for the user
};

class SimulatorProcess {
public:
    // How long a stopped program may take to end on its own before it is killed.
    static constexpr std::chrono::milliseconds kStopGrace{2000};

    // Starts commandLine as launch says, in workingDirectory (the current directory when empty). The program
    // gets no standard input and a process group (on Windows a job object) of its own, so that stopping it ends
    // whatever it started too: a Windows program run by Wine ends with the wine it runs in.
    static StartedRun start(const SimulatorLaunch& launch, const std::string& commandLine,
                            const std::string& workingDirectory);

    // A program still running is stopped and waited for: no run outlives the object that started it.
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    // Whether the program has ended. Never blocks, so an event loop can call it from a timer.
    bool finished();
    // Waits until the program ends or the timeout passes; true when it has ended.
    bool waitFor(std::chrono::milliseconds timeout);
    // Waits with no time limit.
    void wait();
    // On Linux asks the program and its process group to end (SIGTERM) and kills them once kStopGrace has
    // passed (checked by finished(), waitFor() and wait()); on Windows ends its job object at once. Safe to call
    // from any thread, and more than once.
    void stop();

    // Ran, or Stopped when stop() was called before the program ended. The exit status is not looked at.
    RunResult result() const;
    // The program's process id; on Linux also its process group's.
    long long processId() const;

private:
    struct Native; // the platform's handles on the program
    explicit SimulatorProcess(std::unique_ptr<Native> native);
    bool finishedLocked();
    // Sleeps for at most pause, waking as soon as the program ends.
    void pauseUnlessEnded(std::chrono::steady_clock::duration pause) const;

    std::unique_ptr<Native> m_native;
    mutable std::mutex m_mutex; // the program is reaped, signalled and stopped only while holding it
    bool m_reaped = false;
    bool m_stopRequested = false;
    bool m_killed = false;
    std::chrono::steady_clock::time_point m_stopTime{};
};

class ProcessSimulatorRunner : public SimulatorRunner {
public:
    SimulatorLaunch prepare(const std::string& program, const std::string& workingDirectory) override;
    RunResult runGame(const SimulatorLaunch& launch, const std::string& commandLine,
                      const std::string& workingDirectory, const std::string& caption) override;

protected:
    // Returns once the game's program has ended. Here it just waits; the program's windows show the game
    // meanwhile and offer to stop it.
    virtual void waitForGame(SimulatorProcess& process, const std::string& caption);
};

} // namespace kivp
