#include "sim/WineBridge.h"

#include "platform/Error.h"
#include "platform/Paths.h"
#include "sim/ProcessSimulatorRunner.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <memory>
#include <mutex>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kivp {

namespace {

bool isDriveForm(const std::string& path) {
    const auto letter = path.empty() ? '\0' : path[0];
    return path.size() >= 3 && ((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z')) &&
           path[1] == ':' && path[2] == '\\';
}

// A drive's root keeps its "\" ("Z:\"); every other folder loses the ones it ends in.
std::string withoutTrailingSeparators(std::string path) {
    while (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    return path;
}

std::string absolute(const std::string& folder) {
    std::string path = !folder.empty() && folder.front() == kPathSeparator ? folder : joinPath(currentDirectory(), folder);
    while (path.size() > 1 && path.back() == kPathSeparator)
        path.pop_back();
    return path;
}

Error cannotHandOver(const std::string& folder, const std::string& why) {
    return Error(Error::Kind::Other,
                 "The team folder " + folder + " cannot be given to the Windows simulator: " + why);
}

// What the program printed on its first line, once it has ended; nothing when it could not be started, ended
// with a failure, or did not end by the deadline (timedOut is set then, and the program is killed with whatever
// it started). A program that ends while something it started keeps its output open is not waited for beyond
// its own end.
std::optional<std::string> firstLineOf(const std::string& program, std::vector<std::string> arguments,
                                       std::chrono::steady_clock::time_point deadline, bool& timedOut) {
    timedOut = false;
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        return std::nullopt;
    // Only kivp's end: the converter writes as usual.
    fcntl(out[0], F_SETFL, fcntl(out[0], F_GETFL) | O_NONBLOCK);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    // A folder that is always there: Wine's start-up fails now and then in one that is gone.
    posix_spawn_file_actions_addchdir_np(&actions, "/");
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(out[1]);
    if (error != 0) {
        close(out[0]);
        return std::nullopt;
    }

    std::string output;
    int status = 0;
    bool ended = false;
    const auto drain = [&] {
        char buffer[512];
        for (;;) {
            const auto n = read(out[0], buffer, sizeof buffer);
            if (n > 0)
                output.append(buffer, static_cast<std::size_t>(n));
            else if (n == 0 || errno != EINTR)
                return n == 0;
        }
    };
    for (;;) {
        if (drain())
            break; // every writer has closed the pipe
        if (waitpid(pid, &status, WNOHANG) == pid) {
            // What it wrote is read; what it left running may hold the pipe for ever.
            ended = true;
            drain();
            break;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            timedOut = true;
            break;
        }
        // Short waits, so that the converter's own end is noticed even while the pipe stays open.
        pollfd ready{out[0], POLLIN, 0};
        poll(&ready, 1, static_cast<int>(std::min<long long>(left.count(), 50)));
    }
    close(out[0]);
    if (timedOut)
        kill(-pid, SIGKILL);
    while (!ended && waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (timedOut || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return output.substr(0, output.find_first_of("\r\n"));
}

// Wine's forms do not change while a folder stays where it is, and every conversion starts a Windows program:
// a folder that exists is converted once.
class ConversionMemory {
public:
    std::optional<WindowsFolder> find(const std::string& key) {
        std::lock_guard lock(m_mutex);
        const auto found = m_forms.find(key);
        return found == m_forms.end() ? std::nullopt : std::optional(found->second);
    }
    void keep(const std::string& key, const WindowsFolder& form) {
        std::lock_guard lock(m_mutex);
        m_forms[key] = form;
    }

private:
    std::mutex m_mutex;
    std::map<std::string, WindowsFolder> m_forms;
};

ConversionMemory& conversions() {
    static ConversionMemory memory;
    return memory;
}

bool isProgram(const std::string& path) { return isRegularFile(path) && access(path.c_str(), X_OK) == 0; }

std::string winepathBeside(const std::string& wine, const std::string& workingDirectory,
                           std::string_view searchPath) {
    const auto slash = wine.rfind(kPathSeparator);
    const std::string beside = joinPath(wine.substr(0, slash == std::string::npos ? 0 : slash), "winepath");
    if (isProgram(beside))
        return beside;
    const auto folders = programFolders(workingDirectory, searchPath);
    for (std::size_t i = 1; i < folders.size(); ++i) {
        const std::string candidate = joinPath(folders[i], "winepath");
        if (isProgram(candidate))
            return candidate;
    }
    return {};
}

} // namespace

std::optional<std::string> findWindowsProgram(const std::string& name, const std::string& folder,
                                              std::string_view searchPath) {
    if (name.empty() || name.find(kPathSeparator) != std::string::npos)
        return std::nullopt;
    const std::string wanted = name + ".exe";
    for (const auto& dir : programFolders(folder, searchPath)) {
        for (const auto& entry : listFiles(dir)) {
            if (equalsIgnoringCase(entry, wanted))
                return joinPath(dir, entry);
        }
    }
    return std::nullopt;
}

SimulatorLaunch wineLaunch(const std::string& windowsProgram, const std::string& workingDirectory,
                           std::string_view searchPath) {
    SimulatorLaunch launch;
    launch.windowsProgram = true;
    // The program folder is no place to look for Wine.
    const auto folders = programFolders(workingDirectory, searchPath);
    for (std::size_t i = 1; i < folders.size(); ++i) {
        const std::string wine = joinPath(folders[i], "wine");
        if (isProgram(wine)) {
            launch.file = wine;
            break;
        }
    }
    if (launch.file.empty()) {
        launch.notStarted = "The simulator " + windowsProgram +
                            " is a Windows program; kivp starts Windows programs with Wine, and no `wine` was "
                            "found on the search path.\n\nSearch path: " +
                            std::string(searchPath);
        return launch;
    }
    launch.head = {"wine", windowsProgram};
    launch.paths.separator = '\\';
    launch.paths.shortForm = [winepath = winepathBeside(launch.file, workingDirectory, searchPath),
                              wine = launch.file](const std::string& folder) {
        if (winepath.empty()) {
            throw cannotHandOver(folder, "Wine's path conversion program winepath was found neither beside " +
                                             wine + " nor on the search path.");
        }
        return windowsFormOf(folder, winepath).shortForm;
    };
    return launch;
}

WindowsFolder windowsFormOf(const std::string& folder, const std::string& winepath,
                            std::chrono::milliseconds limit) {
    const std::string path = absolute(folder);
    const char* prefix = std::getenv("WINEPREFIX");
    const std::string key = winepath + '\n' + (prefix ? prefix : "") + '\n' + path;
    const bool exists = isDirectory(path);
    if (exists) {
        if (auto known = conversions().find(key))
            return *known;
    }

    // One limit for the whole conversion, both of its steps.
    const auto deadline = std::chrono::steady_clock::now() + limit;
    bool timedOut = false;
    const auto failed = [&](const char* step) {
        return cannotHandOver(folder, "Wine's path conversion (" + winepath + " " + step + ") " +
                                          (timedOut ? "did not answer in time and was stopped." : "failed."));
    };
    const auto longForm = firstLineOf(winepath, {"-w", path}, deadline, timedOut);
    if (!longForm || longForm->empty())
        throw failed("-w");
    if (!isDriveForm(*longForm)) {
        throw cannotHandOver(folder, "no drive of Wine's maps it (Wine names it " + *longForm +
                                         "). Give it a drive in Wine's configuration, or choose a team folder "
                                         "on one of Wine's drives.");
    }
    WindowsFolder form{withoutTrailingSeparators(*longForm), {}};
    if (!exists)
        return form;
    const auto shortForm = firstLineOf(winepath, {"-s", form.longForm}, deadline, timedOut);
    if (!shortForm)
        throw failed("-s");
    form.shortForm = withoutTrailingSeparators(*shortForm);
    if (!form.shortForm.empty())
        conversions().keep(key, form);
    return form;
}

} // namespace kivp
