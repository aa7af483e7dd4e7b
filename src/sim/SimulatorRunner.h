#pragma once
// Starting the simulator: find the program a simulator name stands for, then run one command line in a folder and
// wait until the program ends. The program found decides how folders are spelled for it: a native program reads
// Linux paths, a Windows program run by Wine reads the Windows form of the folder.

#include "sim/PathForm.h"

#include <string>
#include <vector>

namespace kivp {

struct RunResult {
    enum class Outcome {
        Ran,        // the program started and ended (its exit status is not looked at)
        NotStarted, // the program could not be found or started
        Stopped,    // the user stopped it before it ended
    };
    Outcome outcome = Outcome::Ran;
    // For NotStarted: a message for the user naming the program and where it was looked for.
    std::string message;
};

// The program a simulator name stands for and how it is started, decided once per game before its command line is
// composed, so that the command line and the command files of that game spell every folder the same way.
struct SimulatorLaunch {
    // The file executed: the simulator itself, or the Wine that runs a Windows simulator. Empty when the program
    // cannot be started, and notStarted says why.
    std::string file;
    // The first arguments, in place of the command line's first word: the name itself, or "wine" and the
    // Windows program.
    std::vector<std::string> head;
    PathForm paths;
    bool windowsProgram = false;
    std::string notStarted;
};

class SimulatorRunner {
public:
    virtual ~SimulatorRunner() = default;

    // How the program named `program` is started from workingDirectory.
    virtual SimulatorLaunch prepare(const std::string& program, const std::string& workingDirectory) = 0;
    // Runs commandLine, whose first word is the program prepared as launch, and waits until it ends. The line is
    // split into arguments at each single space, with no shell in between, and launch.head takes the place of its
    // first word. caption names the game ("Cubs at Tigers") for a runner that shows it while it runs.
    virtual RunResult runGame(const SimulatorLaunch& launch, const std::string& commandLine,
                              const std::string& workingDirectory, const std::string& caption) = 0;

    // Both steps for a command line whose first word is the program, where no folder on it needs spelling.
    RunResult run(const std::string& commandLine, const std::string& workingDirectory);
};

} // namespace kivp
