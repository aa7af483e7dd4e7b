#include "sim/ProcessSimulatorRunner.h"

#include "platform/Paths.h"
#include "platform/Utf16.h"
#include "sim/CommandLine.h"

#include <algorithm>
#include <thread>
#include <windows.h>

namespace kivp {

namespace {

RunResult notStarted(std::string message) { return {RunResult::Outcome::NotStarted, std::move(message)}; }

std::string environmentVariable(const wchar_t* name) {
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0)
        return {};
    std::wstring value(size, L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), size));
    return fromUtf16(value);
}

std::string upperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

// The extensions the command interpreter tries, in its order: those of PATHEXT, and .COM and .EXE always.
std::vector<std::string> programExtensions() {
    std::string list = environmentVariable(L"PATHEXT");
    if (list.empty())
        list = ".COM;.EXE;.BAT;.CMD";
    std::vector<std::string> extensions;
    for (std::size_t start = 0; start <= list.size();) {
        auto end = list.find(';', start);
        if (end == std::string::npos)
            end = list.size();
        if (end > start)
            extensions.push_back(upperAscii(list.substr(start, end - start)));
        start = end + 1;
    }
    for (const char* needed : {".COM", ".EXE"}) {
        if (std::find(extensions.begin(), extensions.end(), needed) == extensions.end())
            extensions.push_back(needed);
    }
    return extensions;
}

bool hasExtension(const std::string& name) {
    const auto dot = name.rfind('.');
    return dot != std::string::npos && name.find_first_of("\\/", dot) == std::string::npos;
}

// The file name stands for in dir: the name itself when it has an extension, then the name with each extension.
std::optional<std::string> programIn(const std::string& dir, const std::string& name,
                                     const std::vector<std::string>& extensions) {
    const std::string base = dir.empty() ? name : joinPath(dir, name);
    if (hasExtension(name) && isRegularFile(base))
        return base;
    for (const auto& extension : extensions) {
        if (isRegularFile(base + extension))
            return base + extension;
    }
    return std::nullopt;
}

bool isBatchFile(const std::string& path) {
    return endsWithIgnoringCase(path, ".bat") || endsWithIgnoringCase(path, ".cmd");
}

std::string lastErrorText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string message = n ? fromUtf16(std::wstring_view(text, n)) : "error " + std::to_string(error);
    if (text)
        LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.' ||
                                message.back() == ' '))
        message.pop_back();
    return message;
}

} // namespace

struct SimulatorProcess::Native {
    HANDLE process = nullptr;
    HANDLE job = nullptr;
    DWORD id = 0;
};

std::optional<std::string> findProgram(const std::string& name, const std::string& workingDirectory,
                                       std::string_view searchPath) {
    if (name.empty())
        return std::nullopt;
    const auto extensions = programExtensions();
    if (name.find_first_of("\\/") != std::string::npos) {
        const std::string path = isAbsolutePath(name) ? name : joinPath(absoluteFolder(workingDirectory), name);
        return programIn({}, path, extensions);
    }
    for (const auto& dir : programFolders(workingDirectory, searchPath)) {
        if (auto program = programIn(dir, name, extensions))
            return program;
    }
    return std::nullopt;
}

SimulatorLaunch locateSimulator(const std::string& name, const std::string& workingDirectory) {
    const std::string path = environmentVariable(L"PATH");
    SimulatorLaunch launch;
    if (name.empty()) {
        launch.notStarted = "The simulator could not be started: its program name is empty.";
        return launch;
    }
    const auto program = findProgram(name, workingDirectory, path);
    if (!program) {
        launch.notStarted = "The simulator \"" + name + "\" could not be started: no program \"" + name +
                            "\" was found in the program folder " + absoluteFolder(workingDirectory) +
                            " or on the search path.\n\nSearch path: " + path;
        return launch;
    }
    if (isBatchFile(*program)) {
        launch.notStarted = "The simulator \"" + name + "\" is the batch file " + *program +
                            ". kivp starts the simulator without the command interpreter, so that team names "
                            "holding & | < > ^ reach it as they are, and cannot run a batch file. Choose the "
                            "simulator's own program (.exe) as the version.";
        return launch;
    }
    launch.file = *program;
    launch.head = {name};
    return launch;
}

StartedRun SimulatorProcess::start(const SimulatorLaunch& launch, const std::string& commandLine,
                                   const std::string& workingDirectory) {
    if (launch.file.empty())
        return {nullptr, notStarted(launch.notStarted)};
    const std::string name = splitCommandLine(commandLine).front();
    const std::string folder = absoluteFolder(workingDirectory);
    const auto failed = [&](DWORD error) {
        return StartedRun{nullptr, notStarted("The simulator \"" + name + "\" (" + launch.file +
                                              ") could not be started in " + folder + ": " +
                                              lastErrorText(error) + ".")};
    };

    // Every program the simulator starts belongs to the job too, and ends with it.
    auto native = std::make_unique<Native>();
    native->job = CreateJobObjectW(nullptr, nullptr);
    if (!native->job)
        return failed(GetLastError());
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(native->job, JobObjectExtendedLimitInformation, &limits, sizeof limits);

    // The composed line is the program's command line, byte for byte: no quoting is added, as when the
    // command interpreter starts it, but no interpreter reads it either.
    std::wstring line = toUtf16(commandLine);
    const std::wstring file = toUtf16(launch.file);
    const std::wstring directory = toUtf16(folder);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(file.c_str(), line.data(), nullptr, nullptr, FALSE,
                        CREATE_SUSPENDED | CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT, nullptr,
                        directory.c_str(), &startup, &started)) {
        const DWORD error = GetLastError();
        CloseHandle(native->job);
        return failed(error);
    }
    if (!AssignProcessToJobObject(native->job, started.hProcess)) {
        const DWORD error = GetLastError();
        TerminateProcess(started.hProcess, 1);
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
        CloseHandle(native->job);
        return failed(error);
    }
    ResumeThread(started.hThread);
    CloseHandle(started.hThread);
    native->process = started.hProcess;
    native->id = started.dwProcessId;
    return {std::unique_ptr<SimulatorProcess>(new SimulatorProcess(std::move(native))), {}};
}

SimulatorProcess::SimulatorProcess(std::unique_ptr<Native> native) : m_native(std::move(native)) {}

SimulatorProcess::~SimulatorProcess() {
    if (!finished()) {
        stop();
        wait();
    }
    CloseHandle(m_native->process);
    // Closing the job ends whatever the simulator left running.
    CloseHandle(m_native->job);
}

long long SimulatorProcess::processId() const { return m_native->id; }

void SimulatorProcess::pauseUnlessEnded(std::chrono::steady_clock::duration pause) const {
    const auto milliseconds = std::chrono::ceil<std::chrono::milliseconds>(pause).count();
    WaitForSingleObject(m_native->process, static_cast<DWORD>(std::max<long long>(milliseconds, 1)));
}

bool SimulatorProcess::finishedLocked() {
    if (!m_reaped)
        m_reaped = WaitForSingleObject(m_native->process, 0) == WAIT_OBJECT_0;
    return m_reaped;
}

void SimulatorProcess::stop() {
    std::lock_guard lock(m_mutex);
    if (finishedLocked() || m_stopRequested)
        return;
    m_stopRequested = true;
    m_stopTime = std::chrono::steady_clock::now();
    // A Windows program has no request to end that it could ignore: the job and all in it end now.
    TerminateJobObject(m_native->job, 1);
    m_killed = true;
}

} // namespace kivp
