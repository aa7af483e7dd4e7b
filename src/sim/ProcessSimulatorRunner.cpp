#include "sim/ProcessSimulatorRunner.h"

#include "platform/Paths.h"

#include <algorithm>

namespace kivp {

std::string absoluteFolder(const std::string& folder) {
    if (folder.empty())
        return currentDirectory();
    return isAbsolutePath(folder) ? folder : joinPath(currentDirectory(), folder);
}

std::vector<std::string> programFolders(const std::string& workingDirectory, std::string_view searchPath) {
    const std::string folder = absoluteFolder(workingDirectory);
    std::vector<std::string> folders{folder};
    std::size_t start = 0;
    while (start <= searchPath.size()) {
        auto end = searchPath.find(kSearchPathSeparator, start);
        if (end == std::string_view::npos)
            end = searchPath.size();
        std::string dir(searchPath.substr(start, end - start));
        if (!isAbsolutePath(dir))
            dir = dir.empty() ? folder : joinPath(folder, dir);
        folders.push_back(std::move(dir));
        start = end + 1;
    }
    return folders;
}

bool SimulatorProcess::finished() {
    std::lock_guard lock(m_mutex);
    return finishedLocked();
}

bool SimulatorProcess::waitFor(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        if (finished())
            return true;
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            return false;
        pauseUnlessEnded(std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(25));
    }
}

void SimulatorProcess::wait() {
    while (!waitFor(std::chrono::hours(1))) {
    }
}

RunResult SimulatorProcess::result() const {
    std::lock_guard lock(m_mutex);
    return {m_stopRequested ? RunResult::Outcome::Stopped : RunResult::Outcome::Ran, {}};
}

SimulatorLaunch ProcessSimulatorRunner::prepare(const std::string& program, const std::string& workingDirectory) {
    return locateSimulator(program, workingDirectory);
}

RunResult ProcessSimulatorRunner::runGame(const SimulatorLaunch& launch, const std::string& commandLine,
                                          const std::string& workingDirectory, const std::string& caption) {
    StartedRun started = SimulatorProcess::start(launch, commandLine, workingDirectory);
    if (!started.process)
        return started.notStarted;
    waitForGame(*started.process, caption);
    started.process->wait();
    return started.process->result();
}

void ProcessSimulatorRunner::waitForGame(SimulatorProcess& process, const std::string&) { process.wait(); }

} // namespace kivp
