// Play to Champion of an eight-team "7-7-7" playoff with the stand-in simulator, against a loop that starts
// the simulator directly with the same command lines, in the same run.
//
// Each iteration plays a whole playoff through the main window's model with Play to Champion (under the 2-3-2
// home pattern, so kivp moves home teams as it goes); the user's marking of home teams for each new round and
// the options window in between are not timed. Beside each game kivp starts, the runner starts the same
// command line directly with SimulatorProcess's start and wait, in a folder of its own, before kivp's game or
// after it in turn; timed apart and taken out of kivp's time, so the two loops share whatever else the
// machine is doing. "ratio" is kivp's time over the direct loop's (the goal is 1.1 at most),
// "games_per_second" kivp's rate. The options are kept after each game (kivp.ini is not rewritten), as in
// GameBench's GameThroughMainForm.

#include "app/MainForm.h"
#include "options/ProfileFile.h"
#include "platform/Paths.h"
#include "sim/ProcessSimulatorRunner.h"
#include "support/DemoInstallation.h"
#include "support/PlayoffPlayer.h"
#include "support/QuietSimulatorOutput.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

const kivp::TeamPicks kEight = {"ASHVALE",  "BRINDLE",  "COPPERTN", "DUNMERE",
                                "MARROWDL", "FAIRHOLW", "GLENROCK", "HOLLISFD"};

const kivp::test::DemoInstallation& installation() {
    static const kivp::test::DemoInstallation install = [] {
        kivp::test::keepSimulatorOutputOutOfTheReport();
        return kivp::test::DemoInstallation("teams");
    }();
    return install;
}

// The folder the direct starts run in, so that their line scores and statistics stay out of kivp's way.
const std::string& twinFolder() {
    static const kivp::test::DemoInstallation twin("teams");
    return twin.programFolder();
}

// The real runner, with the same command line started directly beside each game.
class TwinRunner : public kivp::SimulatorRunner {
public:
    kivp::SimulatorLaunch prepare(const std::string& program, const std::string& workingDirectory) override {
        return m_runner.prepare(program, workingDirectory);
    }
    kivp::RunResult runGame(const kivp::SimulatorLaunch& launch, const std::string& commandLine,
                            const std::string& workingDirectory, const std::string& caption) override {
        const bool twinFirst = games++ % 2 == 0;
        if (twinFirst)
            startDirectly(commandLine);
        const kivp::RunResult result = m_runner.runGame(launch, commandLine, workingDirectory, caption);
        if (!twinFirst)
            startDirectly(commandLine);
        return result;
    }
    Clock::duration direct{};
    int games = 0;
    bool ok = true;

private:
    void startDirectly(const std::string& commandLine) {
        const auto started = Clock::now();
        auto twin = kivp::SimulatorProcess::start(kivp::locateSimulator("kivsim", twinFolder()), commandLine, twinFolder());
        if (twin.process)
            twin.process->wait();
        direct += Clock::now() - started;
        ok = ok && twin.process;
    }

    kivp::ProcessSimulatorRunner m_runner;
};

void PlayToChampionOverDirectLoop(benchmark::State& state) {
    const std::string& program = installation().programFolder();
    twinFolder();
    {
        kivp::ProfileFile settings(kivp::joinPath(program, "kivp.ini"));
        settings.writeInteger("Options", "Clear All After Run", 0);
        settings.save();
    }
    Clock::duration kivpTime{}, directTime{};
    int games = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TwinRunner runner;
        auto user = std::make_unique<kivp::test::PlayoffPlayer>(program, runner);
        // The delay the simulator would wait out for the user's eyes is no part of kivp's time.
        user->optionsUser = [](kivp::OptionsForm& options, int) {
            options.setChecked(kivp::CheckBoxId::CheckBox13, false);
            options.setChecked(kivp::CheckBoxId::CheckBox21, true); // kept: no reset after each game
            options.Button1Click();
        };
        kivp::MainForm& form = user->form();
        user->start(installation().teamFolder());
        if (form.homePatterns().forLength(7) != kivp::HomePattern::TwoThreeTwo)
            form.HomePatternClick(kivp::HomePattern::TwoThreeTwo);
        user->setUp(0, 19, kEight);
        const kivp::Bracket& bracket = form.bracket();
        for (int command = 0; bracket.champion().empty(); ++command) {
            if (command == 5) {
                state.SkipWithError("no champion after five runs");
                break;
            }
            for (int series = 1; series <= kivp::kSeriesCount; ++series) {
                if (bracket.seriesState(series) == kivp::kSeriesOpen &&
                    bracket.homeChoice(series) == kivp::HomeChoice::None)
                    form.SpeedButton2Click(kivp::Bracket::upperButton(series));
            }
            if (bracket.updateOptionsLabel())
                form.Button5Click();
            const auto started = Clock::now();
            const auto directBefore = runner.direct;
            state.ResumeTiming();
            form.PlayToChampionClick();
            state.PauseTiming();
            kivpTime += Clock::now() - started - (runner.direct - directBefore);
        }
        if (!runner.ok)
            state.SkipWithError("the simulator could not be started directly");
        games += runner.games;
        directTime += runner.direct;
        user.reset();
        state.ResumeTiming();
    }
    const double kivpSeconds = std::chrono::duration<double>(kivpTime).count();
    state.counters["games"] = benchmark::Counter(games, benchmark::Counter::kAvgIterations);
    state.counters["ratio"] = kivpSeconds / std::chrono::duration<double>(directTime).count();
    state.counters["games_per_second"] = games / kivpSeconds;
}

BENCHMARK(PlayToChampionOverDirectLoop)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace

BENCHMARK_MAIN();
