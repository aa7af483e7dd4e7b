// What the Windows build costs over the bare system calls, measured under Wine (or on Windows) in one run, so
// that only ratios are reported:
//  - one game: kivsim.exe started by kivp's simulator runner (found as the command interpreter finds it, started
//    by CreateProcessW in a job object, waited for, its line score read) against kivsim.exe started directly by
//    CreateProcessW with the same command line and waited for (goal: at most 1.1);
//  - listing a team folder of 10,000 files: kivp's "*.dat" listing against a bare FindFirstFileW loop (goal: at
//    most 1.2).
// Run: WindowsBench.exe [games] [rounds]. Google Benchmark is not built for Windows, so this is a plain program.

#include "platform/Paths.h"
#include "platform/Utf16.h"
#include "sim/LineScore.h"
#include "sim/ProcessSimulatorRunner.h"
#include "support/Platform.h"
#include "support/TempDir.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The median of the runs' times, the two ways taken in turns so that the machine's load falls on both alike.
std::pair<double, double> timeInTurns(int rounds, const std::function<void()>& ours, const std::function<void()>& bare) {
    std::vector<double> a, b;
    for (int i = 0; i < rounds; ++i) {
        for (auto [run, times] : {std::pair{&ours, &a}, std::pair{&bare, &b}}) {
            const auto start = Clock::now();
            (*run)();
            times->push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
    }
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    return {a[a.size() / 2], b[b.size() / 2]};
}

void report(const char* what, std::pair<double, double> times, double goal) {
    const double ratio = times.first / times.second;
    std::printf("%-58s kivp %8.2f ms  bare %8.2f ms  ratio %.3f (goal <= %.1f)%s\n", what, times.first,
                times.second, ratio, goal, ratio <= goal ? "" : "  OVER THE GOAL");
}

void bareStart(const std::wstring& program, const std::string& line, const std::wstring& folder) {
    std::wstring command = kivp::toUtf16(line);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        folder.c_str(), &startup, &started))
        return;
    WaitForSingleObject(started.hProcess, INFINITE);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
}

} // namespace

int main(int argc, char** argv) {
    const int games = argc > 1 ? std::atoi(argv[1]) : 21;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 15;
    kivp::test::TempDir dir;
    const std::string home = dir.mkdir("home");
    const std::string teams = dir.mkdir("Sim Games");
    kivp::test::installProgram(KIVSIM_PATH, kivp::joinPath(home, "kivsim"));
    for (const auto& entry : std::filesystem::directory_iterator(KIVP_SOURCE_DIR "/demo"))
        std::filesystem::copy_file(entry.path(), kivp::test::nativePath(teams) / entry.path().filename());
    SetEnvironmentVariableW(L"KIVSIM_SEED", L"bench");
    const std::string line =
        "kivsim /p:" + kivp::shortPathOfFolder(teams) + "\\ //h:ASHVALE //v:BRINDLE //del:0 //ls:kivp";

    kivp::ProcessSimulatorRunner runner;
    const std::wstring program = kivp::toUtf16(kivp::joinPath(home, "kivsim.exe"));
    const std::wstring folder = kivp::toUtf16(home);
    report("one game: kivp's runner vs CreateProcessW directly",
           timeInTurns(games,
                       [&] {
                           runner.run(line, home);
                           kivp::readLineScoreFile(kivp::joinPath(home, "kivp"));
                       },
                       [&] { bareStart(program, line, folder); }),
           1.1);

    const std::string many = dir.mkdir("many");
    for (int i = 0; i < 10000; ++i) {
        const std::string name = "T" + std::to_string(100000 + i) + (i % 10 == 0 ? ".txt" : ".dat");
        HANDLE file = CreateFileW(kivp::toUtf16(kivp::joinPath(many, name)).c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        CloseHandle(file);
    }
    std::size_t listed = 0, found = 0;
    report("listing 10,000 files: kivp's *.dat vs FindFirstFileW",
           timeInTurns(rounds, [&] { listed = kivp::listTeamFiles(many).size(); },
                       [&] {
                           found = 0;
                           WIN32_FIND_DATAW entry;
                           HANDLE handle = FindFirstFileW(kivp::toUtf16(many + "\\*.dat").c_str(), &entry);
                           if (handle == INVALID_HANDLE_VALUE)
                               return;
                           do {
                               if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
                                   ++found;
                           } while (FindNextFileW(handle, &entry));
                           FindClose(handle);
                       }),
           1.2);
    std::printf("listed %zu and %zu team files\n", listed, found);
    return 0;
}
