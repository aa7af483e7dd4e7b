#include "support/ScriptedRunner.h"

#include "platform/Paths.h"
#include "platform/TextFile.h"

#include <cstdio>

namespace kivp::test {

SimulatorLaunch ScriptedRunner::prepare(const std::string& program, const std::string&) {
    SimulatorLaunch launch;
    launch.file = "scripted";
    launch.head = {program};
    return launch;
}

RunResult ScriptedRunner::runGame(const SimulatorLaunch&, const std::string& commandLine,
                                  const std::string& workingDirectory, const std::string& caption) {
    calls.push_back({commandLine, workingDirectory, caption});
    if (steps.empty())
        return {};
    Step step = std::move(steps.front());
    steps.pop_front();
    return step(calls.back());
}

void ScriptedRunner::thenScore(int visitorRuns, int homeRuns) {
    then([visitorRuns, homeRuns](const Call& call) {
        saveLines(joinPath(call.workingDirectory, "kivp"), lineScoreLines("Visitor", visitorRuns, "Home", homeRuns));
        return RunResult{};
    });
}

std::vector<std::string> lineScoreLines(const std::string& visitor, int visitorRuns, const std::string& home,
                                        int homeRuns) {
    auto row = [](const std::string& team, int runs) {
        char text[64];
        std::snprintf(text, sizeof text, "%-10.10s 0 0 0 0 0 0 0 0 0 %2d  9  0", team.c_str(), runs);
        return std::string(text);
    };
    return {"Final", "           1 2 3 4 5 6 7 8 9  R  H  E", row(visitor, visitorRuns), row(home, homeRuns)};
}

} // namespace kivp::test
