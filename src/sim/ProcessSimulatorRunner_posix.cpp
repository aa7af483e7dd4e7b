#include "sim/ProcessSimulatorRunner.h"

#include "platform/Paths.h"
#include "sim/CommandLine.h"
#include "sim/WineBridge.h"

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

RunResult notStarted(std::string message) {
    return {RunResult::Outcome::NotStarted, std::move(message)};
}

std::string searchPath() {
    const char* variable = std::getenv("PATH");
    return variable ? variable : kDefaultSearchPath;
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

struct SimulatorProcess::Native {
    pid_t pid = 0;
    // Readable once the program has ended (a Linux process descriptor); -1 where there is none, and the wait
    // then sleeps its full pauses.
    int endNotice = -1;
};

std::optional<std::string> findProgram(const std::string& name, const std::string& workingDirectory,
                                       std::string_view searchPath) {
    if (name.empty())
        return std::nullopt;
    if (name.find(kPathSeparator) != std::string::npos) {
        const std::string path = isAbsolutePath(name) ? name : joinPath(absoluteFolder(workingDirectory), name);
        return isExecutableFile(path) ? std::optional(path) : std::nullopt;
    }
    for (const auto& dir : programFolders(workingDirectory, searchPath)) {
        const std::string candidate = joinPath(dir, name);
        if (isExecutableFile(candidate))
            return candidate;
    }
    return std::nullopt;
}

SimulatorLaunch locateSimulator(const std::string& name, const std::string& workingDirectory) {
    const std::string path = searchPath();
    SimulatorLaunch launch;
    if (name.empty()) {
        launch.notStarted = "The simulator could not be started: its program name is empty.";
        return launch;
    }
    if (const auto program = findProgram(name, workingDirectory, path)) {
        launch.file = *program;
        launch.head = {name};
        return launch;
    }
    if (const auto windowsProgram = findWindowsProgram(name, workingDirectory, path))
        return wineLaunch(*windowsProgram, workingDirectory, path);
    launch.notStarted = "The simulator \"" + name + "\" could not be started: neither a program \"" + name +
                        "\" nor a Windows program \"" + name + ".exe\" was found in the program folder " +
                        absoluteFolder(workingDirectory) + " or on the search path.\n\nSearch path: " + path;
    return launch;
}

StartedRun SimulatorProcess::start(const SimulatorLaunch& launch, const std::string& commandLine,
                                   const std::string& workingDirectory) {
    if (launch.file.empty())
        return {nullptr, notStarted(launch.notStarted)};
    std::vector<std::string> words = launch.head;
    const std::vector<std::string> line = splitCommandLine(commandLine);
    words.insert(words.end(), line.begin() + 1, line.end());
    const std::string& name = line.front();
    const std::string folder = absoluteFolder(workingDirectory);

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
        error = posix_spawn(&pid, launch.file.c_str(), &setup.actions, &setup.attributes, argv.data(), environ);
    if (error != 0) {
        return {nullptr,
                notStarted("The simulator \"" + name + "\" (" + launch.file + ") could not be started in " +
                           folder + ": " + std::strerror(error) + ".")};
    }
    auto native = std::make_unique<Native>();
    native->pid = pid;
    // Without it a quick game would be noticed only at the end of the pause that is under way, which can take
    // longer than the game itself.
#ifdef SYS_pidfd_open
    native->endNotice = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
#endif
    return {std::unique_ptr<SimulatorProcess>(new SimulatorProcess(std::move(native))), {}};
}

SimulatorProcess::SimulatorProcess(std::unique_ptr<Native> native) : m_native(std::move(native)) {}

SimulatorProcess::~SimulatorProcess() {
    if (!finished()) {
        stop();
        wait();
    }
    if (m_native->endNotice >= 0)
        close(m_native->endNotice);
}

long long SimulatorProcess::processId() const { return m_native->pid; }

void SimulatorProcess::pauseUnlessEnded(std::chrono::steady_clock::duration pause) const {
    if (m_native->endNotice >= 0) {
        pollfd notice{m_native->endNotice, POLLIN, 0};
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
    const pid_t reaped = waitpid(m_native->pid, &status, WNOHANG);
    if (reaped == m_native->pid || (reaped < 0 && errno == ECHILD)) {
        m_reaped = true;
        return true;
    }
    if (m_stopRequested && !m_killed && std::chrono::steady_clock::now() - m_stopTime >= kStopGrace) {
        kill(-m_native->pid, SIGKILL);
        m_killed = true;
    }
    return false;
}

void SimulatorProcess::stop() {
    std::lock_guard lock(m_mutex);
    if (finishedLocked() || m_stopRequested)
        return;
    m_stopRequested = true;
    m_stopTime = std::chrono::steady_clock::now();
    // The whole group: a simulator started through a wrapper script ends with it.
    kill(-m_native->pid, SIGTERM);
}

} // namespace kivp
