// Runs of many games through the main window's model with a scripted simulator: the order a round is played
// in, what stops a run and what it says then, and who is at home game by game under a home pattern, on the
// command line and in the command file, with and without starting pitchers chosen; and how the home-pattern
// choice is kept with the playoff and in kivp.ini, and what the top bar says about it.

#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "support/DemoInstallation.h"
#include "support/PlayoffPlayer.h"
#include "support/ScriptedRunner.h"
#include "support/TableRows.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kivp {
namespace {

using test::PrintTo;

using test::ScriptedRunner;

// In picker order: a classic playoff takes the first eight, a later type ranks 5 to 8 of each half from the
// rest.
const TeamPicks kTeams = {"ASHVALE",  "BRINDLE",  "COPPERTN", "DUNMERE", "MARROWDL", "FAIRHOLW",
                          "GLENROCK", "HOLLISFD", "ELMSWRTH", "IVYWICK", "JUNIPER",  "KESTLER",
                          "LORNEBRY", "NOXBURY",  "OAKMERE",  "PELLHAM"};
const char* const kCommandFile = "kivpcmd";

// The progress window, answering "Stop after this game" after the game it is told to.
struct ScriptedProgress : QuietProgress {
    int runs = 0, ended = 0, games = 0;
    int stopAfterGame = 0; // 0: never
    void runStarting(const std::string&) override { ++runs; }
    void gameEnded(const std::string&) override { ++games; }
    bool stopAfterThisGame() override { return games == stopAfterGame; }
    void runEnded() override { ++ended; }
};

struct Playoff {
    test::DemoInstallation install{"teams"};
    ScriptedRunner runner;
    test::PlayoffPlayer user{install.programFolder(), runner};
    ScriptedProgress progress;
    MainForm& form = user.form();

    Playoff(int playoffType, int formatIndex, std::optional<CustomBracket> custom = std::nullopt) {
        user.customField = custom;
        user.start(install.teamFolder());
        form.setRunProgress(&progress);
        user.setUp(playoffType, formatIndex, kTeams);
    }
    void homeWins(int games) {
        for (int i = 0; i < games; ++i)
            runner.thenScore(0, 1);
    }
    // The series of each game played, from the teams the simulator was given.
    std::string seriesPlayed() const {
        std::string played;
        for (const auto& call : runner.calls)
            for (int series = 1; series <= form.bracket().seriesCount(); ++series) {
                const std::string upper = form.bracket().slot(Bracket::upperSlot(series));
                const std::string lower = form.bracket().slot(Bracket::lowerSlot(series));
                if (call.caption == upper + " at " + lower || call.caption == lower + " at " + upper)
                    played += std::to_string(series);
            }
        return played;
    }
    // Sets the options up for the series listed first and presses OK.
    void confirmOptions(bool commandFile, bool pitchers) {
        user.optionsUser = [=](OptionsForm& o, int) {
            o.chooseSeries(0);
            o.setChecked(CheckBoxId::CheckBox21, commandFile); // saved for continuous use
            o.setChecked(CheckBoxId::CheckBox37, commandFile);
            o.setEditText(EditId::Edit1, commandFile ? kCommandFile : "");
            if (pitchers) {
                o.selectPitcherRow(ListViewId::ListView1, 0);
                o.selectPitcherRow(ListViewId::ListView2, 0);
            }
            o.Button1Click();
        };
        form.Button5Click();
        ASSERT_TRUE(form.options().closeRequested() && !form.bracket().updateOptionsLabel());
    }
};

// --- the order of a run ---

struct OrderRow {
    const char* name;
    int playoffType;
    int formatIndex;
    std::vector<int> clickedFirst; // series given one game by a click before the run
    RunScope scope;
    int slot; // where the command came from; 0 for the Play menu
    const char* series;
    std::vector<std::string> messages;
    bool pitchersOfSeriesOne = false; // starting pitchers chosen for the first series listed before the run
    int retyped = 0; // before the run "1969-1993" is chosen (1), and four teams set up with Done (2)
    std::vector<std::optional<std::size_t>> hosts = {}; // the user's answers when asked who hosts a series
};

class RunOrder : public ::testing::TestWithParam<OrderRow> {};

TEST_P(RunOrder, PlaysEachOpenSeriesOfTheRoundGameByGame) {
    const OrderRow& row = GetParam();
    Playoff run(row.playoffType, row.formatIndex);
    run.homeWins(40);
    for (int series : row.clickedFirst)
        run.form.Label9Click(Bracket::upperSlot(series));
    if (row.retyped == 1)
        run.form.PlayoffTypeBoxChange(1);
    if (row.retyped == 2) {
        run.user.prompts().answers = {true}; // the games played are set aside
        run.user.setUp(1, 4, kTeams);
    }
    if (row.pitchersOfSeriesOne)
        run.confirmOptions(false, true);
    run.user.prompts().chosen.assign(row.hosts.begin(), row.hosts.end());
    run.runner.calls.clear();
    if (row.scope == RunScope::RestOfSeries)
        run.form.PlayRestOfSeriesClick(row.slot);
    else if (row.scope == RunScope::RestOfRound)
        run.form.PlayRestOfRoundClick(row.slot);
    else
        run.form.PlayToChampionClick();
    EXPECT_EQ(run.seriesPlayed(), row.series);
    EXPECT_EQ(run.user.prompts().messages(), row.messages);
    EXPECT_EQ(run.progress.runs, run.progress.ended);
}

using S = RunScope;
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Runs, RunOrder,
    ::testing::Values(
        OrderRow{"RoundGameOneOfEachSeriesFirst", 0, 10, {}, S::RestOfRound, 0, "12341234", {}},
        OrderRow{"FewestGamesPlayedFirst", 0, 10, {1}, S::RestOfRound, 0, "2341234", {}},
        OrderRow{"RoundOfTheSlot", 1, 4, {}, S::RestOfRound, 11, "5656", {}},
        OrderRow{"RestOfTheSlotsSeries", 0, 10, {3}, S::RestOfSeries, 6, "3", {}},
        OrderRow{"ToChampionAsksWhoHostsEachNewSeries", 0, 0, {}, S::ToChampion, 0, "1234567", {}, false, 0,
                 {1, 0, 1}},
        OrderRow{"NoHostGivenStopsTheRunNamingTheSeries", 0, 0, {}, S::ToChampion, 0, "1234",
                 {"The run stopped at Semi-final (left half), ASHVALE vs. BRINDLE: it has no home team. Mark one "
                  "with the H buttons beside its teams, or choose one when the run asks."}},
        OrderRow{"HostChosenWithPitchersInForceRaisesTheWarning", 1, 0, {6}, S::ToChampion, 0, "5",
                 {"ASHVALE is now the home team of Championship.\nThe starting pitchers in force were chosen for "
                  "another game: choose this series' pitchers in Options (or none), then play on."}, true, 0, {0}},
        OrderRow{"SeriesHiddenByATypeChangeAreLeftOut", 0, 10, {1}, S::RestOfRound, 0, "", {}, false, 1},
        OrderRow{"SeriesEmptiedByDoneAreLeftOut", 0, 10, {1}, S::RestOfRound, 0, "5656", {}, false, 2},
        OrderRow{"ToChampionOfOneSeries", 2, 1, {}, S::ToChampion, 0, "77", {}},
        // "2022-" over "3-3-3-3": ranks 1 and 2 of each league have a bye and play nothing in the wild-card round.
        OrderRow{"RoundWithByes", 5, 7, {3}, S::RestOfRound, 0, "1241234", {}},
        OrderRow{"NothingLeftToPlay", 2, 0, {7}, S::ToChampion, 0, "", {}},
        OrderRow{"PitchersOfAnotherSeriesStopIt", 0, 10, {}, S::RestOfRound, 0, "1",
                 {"The starting pitchers in force were chosen for DUNMERE at ASHVALE, not for the next game, "
                 "COPPERTN at BRINDLE.\nChoose this series' pitchers in Options (or none), then play on."}, true}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// --- what stops a run ---

struct StopRow {
    const char* name;
    RunResult secondGame; // and the line score it leaves, if any
    Lines lineScore;
    bool warnedBefore; // the home team changed before the run
    int stopAfterGame; // the user's "Stop after this game"; 0 for never
    int credited;
    std::vector<std::string> messages;
    std::string statusLine;
};

class RunStop : public ::testing::TestWithParam<StopRow> {};

TEST_P(RunStop, SaysWhyOnceAndKeepsTheGamesCreditedBefore) {
    const StopRow& row = GetParam();
    Playoff run(2, 3); // ASHVALE hosts MARROWDL, best of seven
    run.progress.stopAfterGame = row.stopAfterGame;
    run.runner.thenScore(2, 3);
    run.runner.then([&row](const ScriptedRunner::Call& call) {
        if (!row.lineScore.empty())
            saveLines(joinPath(call.workingDirectory, "kivp"), row.lineScore);
        return row.secondGame;
    });
    run.homeWins(10);
    if (row.warnedBefore)
        run.form.SpeedButton2Click(14);

    run.form.PlayRestOfSeriesClick(13);
    const Bracket& bracket = run.form.bracket();
    EXPECT_EQ(bracket.winCount(13) + "-" + bracket.winCount(14), std::to_string(row.credited) + "-0");
    EXPECT_EQ(run.user.prompts().messages(), row.messages);
    EXPECT_EQ(run.form.statusLine(), row.statusLine);
    EXPECT_EQ(run.progress.runs, run.progress.ended);
}

const std::string kGame = "MARROWDL at ASHVALE";
const std::string kAfterOne = "The run stopped after 1 game. " + kGame;
const Lines kFourFive = test::lineScoreLines("V", 4, "H", 5);
using O = RunResult::Outcome;

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Stops, RunStop,
    ::testing::Values(
        StopRow{"NoneToTheEndOfTheSeries", {}, kFourFive, false, 0, 4, {}, "Play Rest of Series: 4 games played. " +
                kGame + ": ASHVALE won 1-0. ASHVALE wins the series 4-0 and is the champion!"},
        StopRow{"StopAfterThisGame", {}, kFourFive, false, 2, 2, {}, "Stopped after 2 games, as asked. " + kGame +
                ": ASHVALE won 5-4. ASHVALE leads the series 2-0."},
        StopRow{"SimulatorNotStarted", {O::NotStarted, "No simulator here."}, {}, false, 0, 1, {"No simulator here."},
                kAfterOne + " was not played: the simulator could not be started."},
        StopRow{"NoLineScore", {}, {}, false, 0, 1, {kGame + " credited nothing: the simulator wrote no line "
                "score.\nThe run stops here; the games played before it count."},
                kAfterOne + " did not count: the simulator wrote no line score."},
        StopRow{"UnreadableLineScore", {}, {"Final", "  R", " ?" "? ", " 1 "}, false, 0, 1,
                {"'?" "?' is not a valid integer value"}, kAfterOne + " did not count."},
        StopRow{"SimulatorStopped", {O::Stopped, ""}, {}, false, 0, 1, {},
                kAfterOne + " was stopped: the game did not count."},
        StopRow{"HomeAwayWarningRaised", {}, kFourFive, true, 0, 0, {kHomeAwayChangedMessage},
                "The run stopped before its first game."}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// --- home patterns in a run ---

struct PatternRow {
    const char* name;
    std::vector<HomePattern> patterns;
    int formatIndex; // of the two-team playoff: 0 "1", 1 "3", 2 "5", 3 "7"
    bool lowerMarked;
    bool commandFile;
    bool pitchers;
    const char* upperRoles; // the upper team's role game by game, as the simulator is told it
    std::vector<std::string> messages;
    bool clicks = false; // each game a click on the slot, not one Play Rest of Series
    // A custom bracket of three teams in two halves instead, formatIndex its own: BRINDLE (left, rank 2)
    // first beats ASHVALE (left, rank 1) and so meets MARROWDL (right, rank 1) in the championship as its
    // upper team.
    std::optional<CustomBracket> custom = std::nullopt;
};

class PatternRun : public ::testing::TestWithParam<PatternRow> {};

TEST_P(PatternRun, TellsTheSimulatorWhoHostsEachGame) {
    const PatternRow& row = GetParam();
    Playoff run(row.custom ? kCustomType : 2, row.formatIndex, row.custom);
    for (HomePattern pattern : row.patterns)
        run.form.HomePatternClick(pattern);
    if (row.custom) {
        run.runner.thenScore(1, 0);
        run.form.Label9Click(1);
    }
    const int slot = row.custom ? 3 : 13;
    const std::string upper = run.form.bracket().slot(slot);
    if (row.lowerMarked)
        run.form.SpeedButton2Click(15);
    if (row.lowerMarked || row.commandFile || row.pitchers)
        run.confirmOptions(row.commandFile, row.pitchers);

    std::string roles;
    const std::string commandFile = joinPath(run.install.teamFolder(), kCommandFile);
    for (int game = 0; game < 7; ++game)
        run.runner.then([&](const ScriptedRunner::Call& call) {
            const std::string told = row.commandFile ? test::readBytes(commandFile) : call.commandLine;
            const std::string prefix = row.commandFile ? " /" : " //";
            const bool home = told.find(prefix + "h:" + upper + " ") != std::string::npos;
            roles += home == (told.find(prefix + "v:" + upper + " ") != std::string::npos) ? '?'
                     : home                                                                ? 'h'
                                                                                           : 'v';
            saveLines(joinPath(call.workingDirectory, "kivp"), test::lineScoreLines("V", 0, "H", 1));
            return RunResult{};
        });
    if (row.clicks) {
        for (int game = 0; game < 7; ++game)
            run.form.Label9Click(slot);
    } else {
        run.form.PlayRestOfSeriesClick(slot);
    }
    EXPECT_EQ(roles, row.upperRoles);
    EXPECT_EQ(run.user.prompts().messages(), row.messages);
    EXPECT_EQ(run.form.bracket().updateOptionsLabel(), !row.messages.empty());
}

using P = HomePattern;
const std::string kPitchersMoved =
    "MARROWDL hosts game 3 of the series with ASHVALE under the home pattern 2-3-2, so kivp has made "
    "MARROWDL the home team.\nThe starting pitchers in force were chosen with ASHVALE at home: choose them "
    "again in Options before the next game.";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Patterns, PatternRun,
    ::testing::Values(
        PatternRow{"EveryGame", {}, 3, false, false, false, "hhhh", {}},
        PatternRow{"TwoThreeTwo", {P::TwoThreeTwo}, 3, false, false, false, "hhvvvhh", {}},
        PatternRow{"TwoThreeTwoLowerTeamMarked", {P::TwoThreeTwo}, 3, true, false, false, "vvhhhvv", {}},
        PatternRow{"TwoTwoOneOneOne", {P::TwoTwoOneOneOne}, 3, false, false, false, "hhvvhvh", {}},
        PatternRow{"TwoTwoOne", {P::TwoTwoOne}, 2, false, false, false, "hhvvh", {}},
        PatternRow{"OneOneOne", {P::OneOneOne}, 1, false, false, false, "hvh", {}},
        PatternRow{"BestOfOne", {P::TwoThreeTwo, P::TwoTwoOne, P::OneOneOne}, 0, false, false, false, "h", {}},
        PatternRow{"SevensPatternInABestOfFive", {P::TwoThreeTwo}, 2, false, false, false, "hhh", {}},
        PatternRow{"CommandFile", {P::TwoThreeTwo}, 3, false, true, false, "hhvvvhh", {}},
        PatternRow{"CommandFileLowerTeamMarked", {P::TwoTwoOne}, 2, true, true, false, "vvhhv", {}},
        PatternRow{"CommandFileGamesClicked", {P::TwoThreeTwo}, 3, false, true, false, "hhvvvhh", {}, true},
        PatternRow{"PitchersChosen", {P::TwoThreeTwo}, 3, false, false, true, "hh", {kPitchersMoved}},
        // A later type marks the higher-ranked team, here the lower one, and the pattern goes on from it.
        PatternRow{"LaterTypeFromTheHigherRankedTeam", {P::TwoThreeTwo}, 3, false, false, false, "vvhhhvv", {},
                   false, CustomBracket{3, 2}},
        PatternRow{"PitchersChosenCommandFile", {P::TwoThreeTwo}, 3, false, true, true, "hh", {kPitchersMoved}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(HomePatternChange, MovesTheHomeButtonsToTheNextGamesHostWithoutTheWarningAndTheFileKeepsThem) {
    Playoff run(2, 3);
    run.homeWins(2);
    run.form.PlayRestOfSeriesClick(13);
    run.form.PlayRestOfSeriesClick(13); // two of the games played, the rest not scored
    ASSERT_EQ(run.form.bracket().winCount(13), "2");
    const auto lowerHome = [&run] { return run.form.bracket().homeChoice(7) == HomeChoice::Lower; };

    run.form.HomePatternClick(HomePattern::TwoThreeTwo); // game 3 is the other team's
    EXPECT_TRUE(lowerHome());
    // Saved and loaded into a fresh window, the playoff shows who hosts its next game.
    const std::string file = joinPath(run.install.programFolder(), "t1.kvp");
    run.user.prompts().files = {file};
    run.form.SavePlayoffAs1Click();
    test::PlayoffPlayer again(run.install.programFolder(), run.runner);
    again.start(run.install.teamFolder());
    again.prompts().files = {file};
    again.form().Button7Click();
    EXPECT_EQ(again.form().bracket().homeChoice(7), HomeChoice::Lower);
    run.form.PlayoffFormatBoxChange(2); // a best of five, played every game at the marked team's
    EXPECT_FALSE(lowerHome());
    run.form.HomePatternClick(HomePattern::TwoTwoOne);
    EXPECT_TRUE(lowerHome());
    run.form.HomePatternClick(HomePattern::EveryGame);
    EXPECT_FALSE(lowerHome());
    EXPECT_FALSE(run.form.bracket().updateOptionsLabel());

    // With starting pitchers in force, a move the format makes raises the warning and says why.
    run.form.HomePatternClick(HomePattern::TwoTwoOne);
    run.confirmOptions(false, true);
    run.user.prompts().clear();
    run.form.PlayoffFormatBoxChange(3); // a best of seven, every game at the marked team's
    EXPECT_EQ(
        run.user.prompts().messages(),
        (std::vector<std::string>{
            "ASHVALE hosts game 3 of the series with MARROWDL under the home pattern Home team every game, "
            "so kivp has made ASHVALE the home team.\nThe starting pitchers in force were chosen with "
            "MARROWDL at home: choose them again in Options before the next game."}));
    EXPECT_TRUE(run.form.bracket().updateOptionsLabel());
}

TEST(HomePatternSetting, IsKeptWithThePlayoffAndInKivpIniAndShownForTheFormatsLengths) {
    Playoff run(0, 18); // "5-7-7"
    const std::string folder = run.install.programFolder();
    EXPECT_EQ(run.form.homePatternCaption(), "Home pattern: home team every game");
    run.form.HomePatternClick(P::TwoThreeTwo);
    run.form.HomePatternClick(P::TwoTwoOne);
    run.form.HomePatternClick(P::OneOneOne);
    run.form.HomePatternClick(P::OneOneOne); // chosen again: back to every game for a best of three
    EXPECT_EQ(run.form.homePatternCaption(), "Home pattern: 2-2-1, 2-3-2");
    run.form.PlayoffFormatBoxChange(12); // "3-3-7"
    EXPECT_EQ(run.form.homePatternCaption(), "Home pattern: 2-3-2; best of 3 every game");
    run.user.prompts().files = {joinPath(folder, "patterns.kvp")};
    run.form.SavePlayoffAs1Click();
    // After the 39 lines, which stay as every reader knows them.
    const Lines saved = loadLines(joinPath(folder, "patterns.kvp"));
    ASSERT_EQ(saved.size(), 42u);
    EXPECT_EQ(Lines(saved.begin() + 39, saved.end()),
              (Lines{"[kivp]", "homePattern.bestOf5=2-2-1", "homePattern.bestOf7=2-3-2"}));
    saveLines(joinPath(folder, "plain.kvp"), Lines(saved.begin(), saved.begin() + 39));
    EXPECT_THAT(test::readBytes(joinPath(folder, "kivp.ini")),
                testing::HasSubstr("[Home Pattern]\r\nBest of 3=Home team every game\r\nBest of 5=2-2-1\r\n"
                                   "Best of 7=2-3-2\r\n"));

    test::PlayoffPlayer user(folder, run.runner);
    MainForm& again = user.form();
    again.FormCreate(folder);
    const auto chosen = [&again] {
        const auto& patterns = again.homePatterns();
        return std::vector{patterns.forLength(3), patterns.forLength(5), patterns.forLength(7)};
    };
    const std::vector<HomePattern> latest = {P::EveryGame, P::TwoTwoOne, P::TwoThreeTwo};
    EXPECT_EQ(chosen(), latest); // from kivp.ini
    again.FormShow();
    // A playoff loaded goes on under its own pattern; one without pattern lines was played every game.
    user.prompts().files = {joinPath(folder, "plain.kvp"), joinPath(folder, "patterns.kvp")};
    again.Button7Click();
    EXPECT_TRUE(again.homePatterns().everyGameThroughout());
    again.Button7Click();
    EXPECT_EQ(chosen(), latest);
    EXPECT_TRUE(user.prompts().messages().empty());
}

} // namespace
} // namespace kivp
