#pragma once
// A SimulatorRunner that plays no real game: every program name stands for a native program, and each run
// records its command line and does what the test scripted, typically writing a line score into the program
// folder as the simulator would. Runs beyond the script write nothing and report that the program ran.

#include "sim/SimulatorRunner.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace kivp::test {

class ScriptedRunner : public SimulatorRunner {
public:
    struct Call {
        std::string commandLine;
        std::string workingDirectory;
        std::string caption;
    };
    using Step = std::function<RunResult(const Call&)>;

    SimulatorLaunch prepare(const std::string& program, const std::string& workingDirectory) override;
    RunResult runGame(const SimulatorLaunch& launch, const std::string& commandLine,
                      const std::string& workingDirectory, const std::string& caption) override;

    // The next run writes a line score with these runs into its working directory's "kivp" file.
    void thenScore(int visitorRuns, int homeRuns);
    void then(Step step) { steps.push_back(std::move(step)); }

    std::deque<Step> steps;
    std::vector<Call> calls;
};

// The lines of a line score the way the simulator writes it, runs right-aligned under "R".
std::vector<std::string> lineScoreLines(const std::string& visitor, int visitorRuns, const std::string& home,
                                        int homeRuns);

} // namespace kivp::test
