#include "sim/ProcessSimulatorRunner.h"

#include "platform/Paths.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace kivp {

namespace {

constexpr const char* kDefaultSearchPath = "/usr/local/bin:/usr/bin:/bin";

bool isExecutableFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::string absoluteFolder(const std::string& folder) {
    if (folder.empty())
        return currentDirectory();
    if (folder.front() == kPathSeparator)
        return folder;
    return joinPath(currentDirectory(), folder);
}

RunResult notStarted(std::string message) {
    return {RunResult::Outcome::NotStarted, std::move(message)};
}

// Owns the spawn attributes so that every way out of start() releases them.
struct SpawnSetup {
    posix_spawn_file_actions_t actions{};
    posix_spawnattr_t attributes{};
    SpawnSetup() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~SpawnSetup() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

} // namespace

std::vector<std::string> splitCommandLine(std::string_view commandLine) {
    std::vector<std::string> words;
    std::size_t start = 0;
    for (;;) {
        const auto space = commandLine.find(' ', start);
        if (space == std::string_view::npos) {
            words.emplace_back(commandLine.substr(start));
            return words;
        }
        words.emplace_back(commandLine.substr(start, space - start));
        start = space + 1;
    }
}

std::optional<std::string> findProgram(const std::string& name, const std::string& workingDirectory,
                                       std::string_view searchPath) {
    if (name.empty())
        return std::nullopt;
    const std::string folder = absoluteFolder(workingDirectory);
    if (name.find(kPathSeparator) != std::string::npos) {
        const std::string path = name.front() == kPathSeparator ? name : joinPath(folder, name);
        return isExecutableFile(path) ? std::optional(path) : std::nullopt;
    }
    const std::string local = joinPath(folder, name);
    if (isExecutableFile(local))
        return local;
    std::size_t start = 0;
    while (start <= searchPath.size()) {
        auto end = searchPath.find(':', start);
        if (end == std::string_view::npos)
            end = searchPath.size();
        std::string dir(searchPath.substr(start, end - start));
        if (dir.empty() || dir.front() != kPathSeparator)
            dir = dir.empty() ? folder : joinPath(folder, dir);
        const std::string candidate = joinPath(dir, name);
        if (isExecutableFile(candidate))
            return candidate;
        start = end + 1;
    }
    return std::nullopt;
}

StartedRun SimulatorProcess::start(const std::string& commandLine, const std::string& workingDirectory) {
    std::vector<std::string> words = splitCommandLine(commandLine);
    const std::string& name = words.front();
    const std::string folder = absoluteFolder(workingDirectory);
    const char* pathVariable = std::getenv("PATH");
    const std::string searchPath = pathVariable ? pathVariable : kDefaultSearchPath;

    if (name.empty())
        return {nullptr,
                notStarted("The simulator could not be started: the command line does not begin with the "
                           "name of a program.\n\nCommand line: " +
                           commandLine)};
    const auto program = findProgram(name, folder, searchPath);
    if (!program) {
        return {nullptr, notStarted("The simulator \"" + name +
                                    "\" could not be started: no program of that name "
                                    "was found in the program folder " +
                                    folder + " or on the search path " + searchPath + ".")};
    }

    SpawnSetup setup;
    sigset_t noSignals;
    sigemptyset(&noSignals);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (const int signal : {SIGPIPE, SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGCHLD, SIGALRM, SIGUSR1, SIGUSR2,
                             SIGTTIN, SIGTTOU, SIGTSTP})
        sigaddset(&defaults, signal);
    // Every step must hold: a run in the wrong folder would write its line score where kivp never looks.
    int error = posix_spawn_file_actions_addchdir_np(&setup.actions, folder.c_str());
    if (error == 0)
        error = posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (error == 0)
        error = posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK |
                                                                POSIX_SPAWN_SETSIGDEF);
    if (error == 0)
        error = posix_spawnattr_setpgroup(&setup.attributes, 0);
    if (error == 0)
        error = posix_spawnattr_setsigmask(&setup.attributes, &noSignals);
    if (error == 0)
        error = posix_spawnattr_setsigdefault(&setup.attributes, &defaults);

    std::vector<char*> argv;
    for (auto& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    if (error == 0)
        error = posix_spawn(&pid, program->c_str(), &setup.actions, &setup.attributes, argv.data(), environ);
    if (error != 0) {
        return {nullptr,
                notStarted("The simulator \"" + name + "\" (" + *program + ") could not be started in " +
                           folder + ": " + std::strerror(error) + ".")};
    }
    return {std::unique_ptr<SimulatorProcess>(new SimulatorProcess(pid)), {}};
}

SimulatorProcess::SimulatorProcess(pid_t pid) : m_pid(pid) {
#ifdef SYS_pidfd_open
    // Without it a quick game would be noticed only at the end of the pause that is under way, which can take
    // longer than the game itself.
    m_endNotice = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
#endif
}

SimulatorProcess::~SimulatorProcess() {
    if (!finished()) {
        stop();
        wait();
    }
    if (m_endNotice >= 0)
        close(m_endNotice);
}

void SimulatorProcess::pauseUnlessEnded(std::chrono::steady_clock::duration pause) const {
    if (m_endNotice >= 0) {
        pollfd notice{m_endNotice, POLLIN, 0};
        const auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(pause).count();
        if (poll(&notice, 1, static_cast<int>(std::max<long long>(milliseconds, 1))) >= 0)
            return;
    }
    std::this_thread::sleep_for(pause);
}

bool SimulatorProcess::finishedLocked() {
    if (m_reaped)
        return true;
    int status = 0;
    const pid_t reaped = waitpid(m_pid, &status, WNOHANG);
    if (reaped == m_pid || (reaped < 0 && errno == ECHILD)) {
        m_reaped = true;
        return true;
    }
    if (m_stopRequested && !m_killed && std::chrono::steady_clock::now() - m_stopTime >= kStopGrace) {
        kill(-m_pid, SIGKILL);
        m_killed = true;
    }
    return false;
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

void SimulatorProcess::stop() {
    std::lock_guard lock(m_mutex);
    if (finishedLocked() || m_stopRequested)
        return;
    m_stopRequested = true;
    m_stopTime = std::chrono::steady_clock::now();
    // The whole group: a simulator started through a wrapper script ends with it.
    kill(-m_pid, SIGTERM);
}

RunResult SimulatorProcess::result() const {
    std::lock_guard lock(m_mutex);
    return {m_stopRequested ? RunResult::Outcome::Stopped : RunResult::Outcome::Ran, {}};
}

RunResult ProcessSimulatorRunner::run(const std::string& commandLine, const std::string& workingDirectory) {
    StartedRun started = SimulatorProcess::start(commandLine, workingDirectory);
    if (!started.process)
        return started.notStarted;
    {
        std::lock_guard lock(m_mutex);
        m_current = started.process.get();
    }
    started.process->wait();
    {
        std::lock_guard lock(m_mutex);
        m_current = nullptr;
    }
    return started.process->result();
}

void ProcessSimulatorRunner::stop() {
    std::lock_guard lock(m_mutex);
    if (m_current)
        m_current->stop();
}

} // namespace kivp
