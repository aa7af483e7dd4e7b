// What keeping the journal and the autosave adds to one game.
//
// GameWithJournalOverWithout plays, in turn and in the same run, one game each way with the stand-in
// simulator: the line score emptied, the simulator started and waited for, the line score read, then the win
// credited on the bracket alone, or credited through the journal keeper, which records the game with its line
// score and rewrites the autosave holding the whole journal. The journal grows to the games of a longest
// playoff (49) before a new one starts, so the autosave written has every size a playoff gives it. "ratio" is
// the time of a game with them over the time without; the goal is 1.05 at most. "journal_us" is what they
// added per game.

#include "app/GameCommand.h"
#include "journal/JournalKeeper.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "sim/LineScore.h"
#include "sim/ProcessSimulatorRunner.h"
#include "support/DemoInstallation.h"
#include "support/QuietSimulatorOutput.h"
#include "support/RecordingPrompts.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <fcntl.h>
#include <iostream>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kLongestPlayoff = 49; // "7-7-7": four series of seven, two of seven, one of seven

const kivp::test::DemoInstallation& installation() {
    static const kivp::test::DemoInstallation install = [] {
        kivp::test::keepSimulatorOutputOutOfTheReport();
        return kivp::test::DemoInstallation("teams");
    }();
    return install;
}

// One best-of-seven series between two demo teams, set up again each time it is decided.
struct Series {
    kivp::Bracket bracket;
    Series() {
        bracket.setPlayoffType(2);
        start();
    }
    void start() { bracket.applyTeams({"GLENROCK", "", "", "", "IVYWICK", "", "", ""}); }
    void startAgainWhenDecided() {
        if (bracket.seriesState(7) == kivp::kSeriesDecided)
            start();
    }
};

void GameWithJournalOverWithout(benchmark::State& state) {
    const auto& install = installation();
    const std::string folder = install.programFolder();
    const std::string lineScoreFile = kivp::joinPath(folder, "kivp");
    kivp::GameCommandInputs game;
    game.executable = "kivsim";
    game.programDirectory = folder;
    game.teamDirectory = install.teamFolder();
    game.upperTeam = "GLENROCK";
    game.lowerTeam = "IVYWICK";
    const std::string commandLine = kivp::composeGameCommand(game, {});
    kivp::ProcessSimulatorRunner runner;
    auto play = [&] {
        kivp::saveLines(lineScoreFile, {});
        runner.run(commandLine, folder);
        return kivp::readLineScoreFile(lineScoreFile);
    };

    Series plain;
    Series kept;
    kivp::test::RecordingPrompts prompts;
    kivp::JournalKeeper keeper(kept.bracket, prompts, [&] { return install.teamFolder(); });
    keeper.setProgramDirectory(folder);
    keeper.newPlayoff();

    Clock::duration without{}, with{};
    for (auto _ : state) {
        plain.startAgainWhenDecided();
        kept.startAgainWhenDecided();
        if (keeper.journal().size() == kLongestPlayoff)
            keeper.newPlayoff();

        const auto t0 = Clock::now();
        const auto a = play();
        if (a)
            plain.bracket.creditGame(7, a->visitorRuns, a->homeRuns);
        const auto t1 = Clock::now();
        const auto b = play();
        if (b)
            keeper.creditGame(7, *b, kivp::tryLoadLines(lineScoreFile).value_or(kivp::Lines{}));
        const auto t2 = Clock::now();
        if (!a || !b || !prompts.calls.empty())
            state.SkipWithError("a game was not credited, or the autosave could not be written");
        without += t1 - t0;
        with += t2 - t1;
    }
    state.counters["ratio"] = std::chrono::duration<double>(with) / std::chrono::duration<double>(without);
    state.counters["journal_us"] = std::chrono::duration<double, std::micro>(with - without).count() /
                                   static_cast<double>(state.iterations());
}

// The journal keeper's part alone, with a line score as the simulator writes it: per game.
void JournalAndAutosaveOfAGame(benchmark::State& state) {
    const auto& install = installation();
    Series kept;
    kivp::test::RecordingPrompts prompts;
    kivp::JournalKeeper keeper(kept.bracket, prompts, [&] { return install.teamFolder(); });
    keeper.setProgramDirectory(install.programFolder());
    keeper.newPlayoff();
    const kivp::Lines lineScore = {"IVYWICK at GLENROCK, 9 innings (Ann Aldous vs. Bea Burrows)",
                                   "            1  2  3  4  5  6  7  8  9    R  H  E",
                                   "IVYWICK     0  0  0  1  0  0  0  0  0    1  5  0",
                                   "GLENROCK    0  2  0  0  0  0  0  1  X    3  6  0"};
    int game = 0;
    for (auto _ : state) {
        kept.startAgainWhenDecided();
        if (keeper.journal().size() == kLongestPlayoff)
            keeper.newPlayoff();
        keeper.creditGame(7, {++game % 3, 2}, lineScore);
    }
    if (!prompts.calls.empty())
        state.SkipWithError("the autosave could not be written");
}

BENCHMARK(JournalAndAutosaveOfAGame)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(GameWithJournalOverWithout)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

} // namespace

BENCHMARK_MAIN();
