// Playing games with the stand-in simulator.
//
// GameOverDirectStart times, in turn and in the same run, one game through the main window's model (the
// command line composed, the simulator started and waited for, the line score read, the win credited; the
// options are kept, so the settings file is not rewritten) and the same simulator started with the same
// command line directly. Its "ratio" counter is the game's time over SimulatorProcess's start and wait,
// "ratio_to_spawn" the game's time over a bare posix_spawn and blocking wait; the goal is 1.2 at most.
// GameThroughMainForm with reset_after_run:1 adds the reset of the options that follows every game by
// default.
//
// PlayoffSevenSevenSeven plays a whole eight-team "7-7-7" playoff, game by game through the model:
// "games_per_second".

#include "app/MainForm.h"
#include "options/ProfileFile.h"
#include "platform/Paths.h"
#include "sim/CommandLine.h"
#include "sim/ProcessSimulatorRunner.h"
#include "support/DemoInstallation.h"
#include "support/PlayoffPlayer.h"
#include "support/QuietSimulatorOutput.h"


#include <benchmark/benchmark.h>

#include <chrono>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using kivp::test::PlayoffPlayer;

const kivp::TeamPicks kEight = {"ASHVALE",  "BRINDLE",  "COPPERTN", "DUNMERE",
                                "MARROWDL", "FAIRHOLW", "GLENROCK", "HOLLISFD"};

const kivp::test::DemoInstallation& installation() {
    static const kivp::test::DemoInstallation install = [] {
        kivp::test::keepSimulatorOutputOutOfTheReport();
        return kivp::test::DemoInstallation("teams");
    }();
    return install;
}

// The real runner, noting the command line of the latest game so that it can be started again directly.
class NotingRunner : public kivp::SimulatorRunner {
public:
    kivp::SimulatorLaunch prepare(const std::string& program, const std::string& workingDirectory) override {
        return m_runner.prepare(program, workingDirectory);
    }
    kivp::RunResult runGame(const kivp::SimulatorLaunch& launch, const std::string& commandLine,
                            const std::string& workingDirectory, const std::string& caption) override {
        latest = commandLine;
        return m_runner.runGame(launch, commandLine, workingDirectory, caption);
    }
    std::string latest;

private:
    kivp::ProcessSimulatorRunner m_runner;
};

// A two-team playoff, options never confirmed, that never ends: a decided series is set up again with "Done".
// Unless resetAfterRun, the settings file says to keep the options, so no game ends by rewriting it.
class OneSeries {
public:
    explicit OneSeries(bool resetAfterRun = false) : m_user(installation().programFolder(), m_runner) {
        kivp::ProfileFile settings(kivp::joinPath(installation().programFolder(), "kivp.ini"));
        settings.writeInteger("Options", "Clear All After Run", resetAfterRun ? 1 : 0);
        settings.save();
        m_user.start(installation().teamFolder());
        m_user.setUp(2, 3, {"GLENROCK", "", "", "", "IVYWICK", "", "", ""});
    }
    // Returns false when the game was not credited.
    bool play() {
        auto& bracket = m_user.form().bracket();
        if (bracket.seriesState(7) == kivp::kSeriesDecided) {
            m_user.prompts().answers.push_back(true); // yes, set the unsaved games aside
            m_user.form().Button2Click();
        }
        const std::string before = bracket.winCount(13) + "-" + bracket.winCount(14);
        m_user.form().Label9Click(13);
        return before != bracket.winCount(13) + "-" + bracket.winCount(14);
    }
    const std::string& commandLine() const { return m_runner.latest; }

private:
    NotingRunner m_runner;
    PlayoffPlayer m_user;
};

// The simulator started the way the runner starts it, with nothing of kivp around it.
bool startDirectly(const std::string& commandLine) {
    const std::string& folder = installation().programFolder();
    auto started = kivp::SimulatorProcess::start(kivp::locateSimulator("kivsim", folder), commandLine, folder);
    if (!started.process)
        return false;
    started.process->wait();
    return started.process->result().outcome == kivp::RunResult::Outcome::Ran;
}

// The bare minimum: posix_spawn of the program in the program folder and a blocking wait.
bool spawnDirectly(const std::string& commandLine) {
    std::vector<std::string> words = kivp::splitCommandLine(commandLine);
    const std::string& folder = installation().programFolder();
    const std::string program = kivp::joinPath(folder, words.front());
    std::vector<char*> argv;
    for (auto& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    pid_t pid = 0;
    const int error = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return error == 0 && waitpid(pid, &status, 0) == pid;
}

void GameThroughMainForm(benchmark::State& state) {
    OneSeries series(state.range(0) != 0);
    for (auto _ : state) {
        if (!series.play())
            state.SkipWithError("a game was not credited");
    }
}

void DirectStart(benchmark::State& state) {
    OneSeries series;
    series.play();
    const std::string line = series.commandLine();
    for (auto _ : state) {
        if (!startDirectly(line))
            state.SkipWithError("the simulator could not be started");
    }
}

void DirectSpawn(benchmark::State& state) {
    OneSeries series;
    series.play();
    const std::string line = series.commandLine();
    for (auto _ : state) {
        if (!spawnDirectly(line))
            state.SkipWithError("the simulator could not be spawned");
    }
}

// The three in turn, timed here, so that the ratios are printed beside the figures.
void GameOverDirectStart(benchmark::State& state) {
    OneSeries series;
    series.play();
    const std::string line = series.commandLine();
    Clock::duration game{}, direct{}, spawned{};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        startDirectly(line);
        const auto t1 = Clock::now();
        spawnDirectly(line);
        const auto t2 = Clock::now();
        if (!series.play())
            state.SkipWithError("a game was not credited");
        const auto t3 = Clock::now();
        direct += t1 - t0;
        spawned += t2 - t1;
        game += t3 - t2;
    }
    state.counters["ratio"] = std::chrono::duration<double>(game) / std::chrono::duration<double>(direct);
    state.counters["ratio_to_spawn"] =
        std::chrono::duration<double>(game) / std::chrono::duration<double>(spawned);
}

void PlayoffSevenSevenSeven(benchmark::State& state) {
    int games = 0;
    for (auto _ : state) {
        state.PauseTiming();
        kivp::ProcessSimulatorRunner runner;
        auto user = std::make_unique<PlayoffPlayer>(installation().programFolder(), runner);
        // When a new home team makes the user confirm the options, the delay the simulator would wait out for
        // the user's eyes is turned off: it is no part of kivp's time.
        user->optionsUser = [](kivp::OptionsForm& options, int) {
            options.setChecked(kivp::CheckBoxId::CheckBox13, false);
            options.Button1Click();
        };
        user->start(installation().teamFolder());
        user->setUp(0, 19, kEight); // "7-7-7"
        state.ResumeTiming();
        try {
            games += user->playToChampion();
        } catch (const std::exception& e) {
            state.SkipWithError(e.what());
        }
        state.PauseTiming();
        user.reset(); // the model's teardown is not part of the playoff
        state.ResumeTiming();
    }
    state.counters["games"] = benchmark::Counter(games, benchmark::Counter::kAvgIterations);
    state.counters["games_per_second"] = benchmark::Counter(games, benchmark::Counter::kIsRate);
}

BENCHMARK(DirectSpawn)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(DirectStart)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(GameThroughMainForm)
    ->ArgName("reset_after_run")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(GameOverDirectStart)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(PlayoffSevenSevenSeven)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

BENCHMARK_MAIN();
