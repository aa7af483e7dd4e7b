// Playing the Windows stand-in, kivsim.exe, through Wine.
//
// GameOverWineDirect times, in turn and in the same run, one game through the main window's model (the Windows
// program found, the team folder spelled in Wine's short form, the command line composed, wine started and
// waited for, the line score read, the win credited) and `wine KIVSIM.EXE` started directly with the same
// arguments and a blocking wait, each first in every other round. Its "ratio" counter is the first over the second: what kivp adds to a game
// beyond Wine's own start, goal 1.1 at most. WindowsFormOfANewFolder is the conversion a team folder costs
// the first time a game names it (two runs of winepath); later games reuse it.
//
// Runs in the build folder's Wine prefix, made first when the tests have not made it yet.

#include "app/MainForm.h"
#include "options/ProfileFile.h"
#include "platform/Paths.h"
#include "sim/CommandLine.h"
#include "sim/ProcessSimulatorRunner.h"
#include "sim/WineBridge.h"
#include "support/DemoInstallation.h"
#include "support/PlayoffPlayer.h"
#include "support/TempDir.h"

#include "support/QuietSimulatorOutput.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

bool prefixReady() {
    static const bool ready = [] {
        kivp::test::keepSimulatorOutputOutOfTheReport();
        setenv("WINEPREFIX", KIVP_WINE_PREFIX, 1);
        setenv("WINEDEBUG", "-all", 1);
        setenv("TMPDIR", KIVP_WINE_DRIVE, 1);
        const std::string make = std::string("sh " KIVP_SOURCE_DIR "/scripts/wine-prefix.sh ") + KIVP_WINE_PREFIX +
                                 " " + KIVP_WINE_DRIVE + " " + KIVP_WINE_DRIVE_LETTER + " >/dev/null";
        return std::system(make.c_str()) == 0;
    }();
    return ready;
}

// The main window's runner, noting each game's launch and command line so it can be started again directly.
class NotingRunner : public kivp::ProcessSimulatorRunner {
public:
    kivp::RunResult runGame(const kivp::SimulatorLaunch& launch, const std::string& commandLine,
                            const std::string& workingDirectory, const std::string& caption) override {
        latest = launch;
        latestLine = commandLine;
        return ProcessSimulatorRunner::runGame(launch, commandLine, workingDirectory, caption);
    }
    kivp::SimulatorLaunch latest;
    std::string latestLine;
};

// A two-team playoff in a team folder whose path holds a space, kivsim.exe in the program folder, the options
// kept from game to game; a decided series is set up again with "Done".
class WindowsSeries {
public:
    WindowsSeries() : m_user(m_install.programFolder(), m_runner) {
        m_install.unlinkSimulator("kivsim");
        std::filesystem::copy_file(KIVSIM_EXE_PATH, kivp::joinPath(m_install.programFolder(), "KIVSIM.EXE"));
        kivp::ProfileFile settings(kivp::joinPath(m_install.programFolder(), "kivp.ini"));
        settings.writeInteger("Options", "Clear All After Run", 0);
        settings.save();
        m_user.start(m_install.teamFolder());
        m_user.setUp(2, 3, {"GLENROCK", "", "", "", "IVYWICK", "", "", ""});
    }
    bool play() {
        auto& bracket = m_user.form().bracket();
        if (bracket.seriesState(7) == kivp::kSeriesDecided) {
            m_user.prompts().answers.push_back(true); // yes, set up again without saving the games played
            m_user.form().Button2Click();
        }
        const std::string before = bracket.winCount(13) + "-" + bracket.winCount(14);
        m_user.form().Label9Click(13);
        const bool credited = before != bracket.winCount(13) + "-" + bracket.winCount(14);
        return credited;
    }
    // wine and its arguments for the latest game, as kivp started it.
    std::vector<std::string> latestArguments() const {
        std::vector<std::string> words = m_runner.latest.head;
        const auto line = kivp::splitCommandLine(m_runner.latestLine);
        words.insert(words.end(), line.begin() + 1, line.end());
        return words;
    }
    const std::string& wine() const { return m_runner.latest.file; }
    const std::string& programFolder() const { return m_install.programFolder(); }

private:
    kivp::test::DemoInstallation m_install{"Sim Games"};
    NotingRunner m_runner;
    kivp::test::PlayoffPlayer m_user;
};

// wine started in the program folder with the arguments kivp gave it, and waited for.
bool startWineDirectly(const std::string& wine, std::vector<std::string> words, const std::string& folder) {
    std::vector<char*> argv;
    for (auto& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, wine.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return error == 0 && waitpid(pid, &status, 0) == pid;
}

void GameOverWineDirect(benchmark::State& state) {
    if (!prefixReady()) {
        state.SkipWithError("the Wine prefix could not be made");
        return;
    }
    WindowsSeries series;
    if (!series.play()) { // the conversion of the team folder is made here, once
        state.SkipWithError("a game was not credited");
        return;
    }
    const auto arguments = series.latestArguments();
    Clock::duration game{}, direct{};
    bool directFirst = true; // in turn, so that neither gains from following the other
    for (auto _ : state) {
        for (const bool directNow : {directFirst, !directFirst}) {
            const auto start = Clock::now();
            if (directNow) {
                startWineDirectly(series.wine(), arguments, series.programFolder());
                direct += Clock::now() - start;
            } else {
                if (!series.play())
                    state.SkipWithError("a game was not credited");
                game += Clock::now() - start;
            }
        }
        directFirst = !directFirst;
    }
    state.counters["ratio"] = std::chrono::duration<double>(game) / std::chrono::duration<double>(direct);
}

void WindowsFormOfANewFolder(benchmark::State& state) {
    if (!prefixReady()) {
        state.SkipWithError("the Wine prefix could not be made");
        return;
    }
    const auto winepath = kivp::findProgram("winepath", "/", std::getenv("PATH"));
    kivp::test::TempDir dir;
    int folders = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string folder = dir.mkdir("Sim Games " + std::to_string(folders++));
        state.ResumeTiming();
        benchmark::DoNotOptimize(kivp::windowsFormOf(folder, winepath.value_or("")));
    }
}

BENCHMARK(GameOverWineDirect)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(60);
BENCHMARK(WindowsFormOfANewFolder)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace

BENCHMARK_MAIN();
