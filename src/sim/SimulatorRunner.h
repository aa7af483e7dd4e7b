#pragma once
// Starting the simulator: run one command line in a folder and wait until the program ends.

#include <string>

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

class SimulatorRunner {
public:
    virtual ~SimulatorRunner() = default;
    // commandLine's first word is the program; the line is split into arguments at each single space, with no
    // shell in between. The program is looked for in workingDirectory first, then on the search path.
    virtual RunResult run(const std::string& commandLine, const std::string& workingDirectory) = 0;
    // The same for one game; caption names it ("Cubs at Tigers") for a runner that shows the game while it runs.
    virtual RunResult runGame(const std::string& commandLine, const std::string& workingDirectory,
                              const std::string& caption) {
        (void)caption;
        return run(commandLine, workingDirectory);
    }
};

} // namespace kivp
