#include "sim/SimulatorRunner.h"

#include "sim/CommandLine.h"

namespace kivp {

RunResult SimulatorRunner::run(const std::string& commandLine, const std::string& workingDirectory) {
    const SimulatorLaunch launch = prepare(splitCommandLine(commandLine).front(), workingDirectory);
    if (launch.file.empty())
        return {RunResult::Outcome::NotStarted, launch.notStarted};
    return runGame(launch, commandLine, workingDirectory, {});
}

} // namespace kivp
