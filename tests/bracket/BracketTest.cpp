#include "bracket/Bracket.h"
#include "platform/Error.h"

#include <gtest/gtest.h>

namespace kivp {
namespace {

// --- wins needed --------------------------------------------------------------------------------------------

struct FormatRow {
    int type;
    int index;
    const char* item;
    WinsNeeded wins; // from {9, 9, 9}: rounds not in play keep 9
};

void PrintTo(const FormatRow& row, std::ostream* os) { *os << row.item; }

class WinsNeededTable : public ::testing::TestWithParam<FormatRow> {};

TEST_P(WinsNeededTable, FollowsTheFormatItem) {
    const auto& row = GetParam();
    ASSERT_EQ(formatItemsFor(row.type).at(static_cast<std::size_t>(row.index)), row.item);
    WinsNeeded wins{9, 9, 9};
    updateWinsNeeded(wins, playoffTypeItems()[static_cast<std::size_t>(row.type)], row.index);
    EXPECT_EQ(wins, row.wins);
}

INSTANTIATE_TEST_SUITE_P(
    AllFormats, WinsNeededTable,
    ::testing::Values(
        FormatRow{0, 0, "1-1-1", {1, 1, 1}}, FormatRow{0, 1, "1-1-3", {1, 1, 2}}, FormatRow{0, 2, "1-1-5", {1, 1, 3}},
        FormatRow{0, 3, "1-1-7", {1, 1, 4}}, FormatRow{0, 4, "1-3-3", {1, 2, 2}}, FormatRow{0, 5, "1-3-5", {1, 2, 3}},
        FormatRow{0, 6, "1-3-7", {1, 2, 4}}, FormatRow{0, 7, "1-5-5", {1, 3, 3}}, FormatRow{0, 8, "1-5-7", {1, 3, 4}},
        FormatRow{0, 9, "1-7-7", {1, 4, 4}}, FormatRow{0, 10, "3-3-3", {2, 2, 2}},
        FormatRow{0, 11, "3-3-5", {2, 2, 3}}, FormatRow{0, 12, "3-3-7", {2, 2, 4}},
        FormatRow{0, 13, "3-5-5", {2, 3, 3}}, FormatRow{0, 14, "3-5-7", {2, 3, 4}},
        FormatRow{0, 15, "3-7-7", {2, 4, 4}}, FormatRow{0, 16, "5-5-5", {3, 3, 3}},
        FormatRow{0, 17, "5-5-7", {3, 3, 4}}, FormatRow{0, 18, "5-7-7", {3, 4, 4}},
        FormatRow{0, 19, "7-7-7", {4, 4, 4}}, FormatRow{1, 0, "1-1", {9, 1, 1}}, FormatRow{1, 1, "1-3", {9, 1, 2}},
        FormatRow{1, 2, "1-5", {9, 1, 3}}, FormatRow{1, 3, "1-7", {9, 1, 4}}, FormatRow{1, 4, "3-3", {9, 2, 2}},
        FormatRow{1, 5, "3-5", {9, 2, 3}}, FormatRow{1, 6, "3-7", {9, 2, 4}}, FormatRow{1, 7, "5-5", {9, 3, 3}},
        FormatRow{1, 8, "5-7", {9, 3, 4}}, FormatRow{1, 9, "7-7", {9, 4, 4}}, FormatRow{2, 0, "1", {9, 9, 1}},
        FormatRow{2, 1, "3", {9, 9, 2}}, FormatRow{2, 2, "5", {9, 9, 3}}, FormatRow{2, 3, "7", {9, 9, 4}}));

TEST(WinsNeeded, UnknownTypeOrIndexOutsideTheListChangesNothing) {
    WinsNeeded wins{5, 6, 7};
    updateWinsNeeded(wins, "1995-", 20);
    updateWinsNeeded(wins, "1969-1993", 10);
    updateWinsNeeded(wins, "1903-1968", -1);
    updateWinsNeeded(wins, "", 0);
    updateWinsNeeded(wins, "1995", 0);
    EXPECT_EQ(wins, (WinsNeeded{5, 6, 7}));
    EXPECT_EQ(formatItemsFor(0).size(), 20u);
    EXPECT_EQ(formatItemsFor(1).size(), 10u);
    EXPECT_EQ(formatItemsFor(2).size(), 4u);
    EXPECT_TRUE(formatItemsFor(3).empty());
}

// --- helpers ----------------------------------------------------------------------------------------------------

TeamPicks eightTeams() { return {"Ash", "Birch", "Cedar", "Dogwood", "Elm", "Fir", "Gum", "Hazel"}; }

// Plays one game of a series the way a game launch does: the home choice decides which total is whose.
void play(Bracket& bracket, int series, bool upperWins) {
    const bool upperHome = bracket.homeChoice(series) == HomeChoice::Upper;
    const bool homeWins = upperWins == upperHome;
    if (homeWins)
        bracket.creditGame(series, 2, 5);
    else
        bracket.creditGame(series, 6, 1);
}

std::vector<std::string> slots(const Bracket& bracket) {
    std::vector<std::string> texts;
    for (int slot = 1; slot <= kSlotCount; ++slot)
        texts.push_back(bracket.slot(slot));
    return texts;
}

std::vector<int> states(const Bracket& bracket) {
    std::vector<int> values;
    for (int series = 1; series <= kSeriesCount; ++series)
        values.push_back(bracket.seriesState(series));
    return values;
}

std::vector<bool> shownButtons(const Bracket& bracket) {
    std::vector<bool> shown;
    for (int n = kFirstHomeButton; n <= kLastHomeButton; ++n)
        shown.push_back(bracket.speedButton(n).shown);
    return shown;
}

std::vector<bool> downButtons(const Bracket& bracket) {
    std::vector<bool> down;
    for (int n = kFirstHomeButton; n <= kLastHomeButton; ++n)
        down.push_back(bracket.speedButton(n).down);
    return down;
}

// --- start-up, layout and type changes --------------------------------------------------------------------------

TEST(BracketStartUp, ShowsPlaceholdersAndTheEightTeamLayout) {
    Bracket bracket;
    EXPECT_EQ(bracket.playoffTypeIndex(), 0);
    EXPECT_EQ(bracket.playoffTypeText(), "1995-");
    EXPECT_EQ(bracket.formatText(), "5-7-7");
    EXPECT_EQ(bracket.formatIndex(), 18);
    EXPECT_EQ(slots(bracket),
              (std::vector<std::string>{"Team 1", "Team 4", "Team 2", "Team 3", "Team 1", "Team 4", "Team 2",
                                        "Team 3", " Winner T1/T4", " Winner T2/T3", "Winner T1/T4", "Winner T2/T3",
                                        "T1/T2/T3/T4", "T1/T2/T3/T4", "Winner"}));
    for (int slot = 1; slot <= kTeamSlotCount; ++slot)
        EXPECT_EQ(bracket.winCount(slot), "0");
    EXPECT_EQ(states(bracket), (std::vector<int>(7, -1)));
    EXPECT_EQ(shownButtons(bracket), (std::vector<bool>{1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(downButtons(bracket), (std::vector<bool>{1, 0, 1, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(bracket.updateOptionsLabel());
    EXPECT_EQ(bracket.winsNeeded(), (WinsNeeded{0, 0, 0}));
    EXPECT_TRUE(bracket.seriesList().empty());
}

TEST(BracketControls, NamesFollowTheWindow) {
    EXPECT_EQ(Bracket::slotControl(1), "Label9");
    EXPECT_EQ(Bracket::slotControl(14), "Label22");
    EXPECT_EQ(Bracket::slotControl(15), "Label34");
    EXPECT_EQ(Bracket::winCountControl(1), "Label1");
    EXPECT_EQ(Bracket::winCountControl(2), "Label35");
    EXPECT_EQ(Bracket::winCountControl(14), "Label47");
    EXPECT_EQ(Bracket::seriesOfSlot(1), 1);
    EXPECT_EQ(Bracket::seriesOfSlot(2), 1);
    EXPECT_EQ(Bracket::seriesOfSlot(10), 5);
    EXPECT_EQ(Bracket::seriesOfSlot(14), 7);
    EXPECT_FALSE(Bracket::seriesOfSlot(15).has_value());
    EXPECT_FALSE(Bracket::seriesOfSlot(0).has_value());
}

TEST(BracketPlayoffType, FourTeamLayoutShowsOnlyTheLaterRounds) {
    Bracket bracket;
    bracket.setPlayoffType(1);
    EXPECT_EQ(bracket.formatItems().size(), 10u);
    EXPECT_EQ(bracket.formatText(), "7-7");
    for (int slot = 1; slot <= 8; ++slot)
        EXPECT_FALSE(bracket.slotShown(slot)) << slot;
    for (int slot = 9; slot <= 15; ++slot)
        EXPECT_TRUE(bracket.slotShown(slot)) << slot;
    EXPECT_EQ(shownButtons(bracket), (std::vector<bool>{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0}));
    EXPECT_TRUE(bracket.speedButton(10).down);
    EXPECT_FALSE(bracket.speedButton(11).down);
    EXPECT_TRUE(bracket.speedButton(12).down);
    EXPECT_FALSE(bracket.speedButton(13).down);
    // The first-round buttons are hidden but keep their state.
    EXPECT_TRUE(bracket.speedButton(2).down);
    for (int picker : {3, 4, 10, 11})
        EXPECT_TRUE(bracket.pickerShown(picker)) << picker;
    for (int picker : {5, 6, 12, 13})
        EXPECT_FALSE(bracket.pickerShown(picker)) << picker;
    EXPECT_TRUE(bracket.pickerCaptionShown(24));
    EXPECT_FALSE(bracket.pickerCaptionShown(25));
    EXPECT_FALSE(bracket.headingShown(4));
    EXPECT_TRUE(bracket.headingShown(6));
}

TEST(BracketPlayoffType, TwoTeamLayoutShowsOnlyTheChampionship) {
    Bracket bracket;
    bracket.setPlayoffType(2);
    EXPECT_EQ(bracket.formatItems(), (std::vector<std::string>{"1", "3", "5", "7"}));
    EXPECT_EQ(bracket.formatIndex(), 3);
    for (int slot = 1; slot <= 12; ++slot)
        EXPECT_FALSE(bracket.slotShown(slot)) << slot;
    EXPECT_TRUE(bracket.slotShown(13));
    EXPECT_TRUE(bracket.slotShown(15));
    EXPECT_EQ(shownButtons(bracket), (std::vector<bool>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1}));
    EXPECT_TRUE(bracket.speedButton(14).down);
    EXPECT_FALSE(bracket.speedButton(15).down);
    EXPECT_TRUE(bracket.pickerShown(3));
    EXPECT_TRUE(bracket.pickerShown(10));
    EXPECT_FALSE(bracket.pickerShown(4));
    EXPECT_TRUE(bracket.pickerCaptionShown(23));
    EXPECT_TRUE(bracket.pickerCaptionShown(27));
    EXPECT_FALSE(bracket.pickerCaptionShown(28));
    EXPECT_FALSE(bracket.headingShown(6));
    EXPECT_TRUE(bracket.headingShown(8));
    EXPECT_TRUE(bracket.headingShown(33));
}

TEST(BracketPlayoffType, ChangingTypeKeepsSlotTextsWinCountsAndStates) {
    Bracket bracket;
    bracket.applyTeams(eightTeams());
    play(bracket, 1, true);
    const auto textsBefore = slots(bracket);
    const auto statesBefore = states(bracket);
    bracket.setPlayoffType(2);
    bracket.setPlayoffType(0);
    EXPECT_EQ(slots(bracket), textsBefore);
    EXPECT_EQ(states(bracket), statesBefore);
    EXPECT_EQ(bracket.winCount(1), "1");
}

// --- applying teams --------------------------------------------------------------------------------------------

TEST(BracketApplyTeams, EightTeamsMeetFirstAgainstFourthAndSecondAgainstThird) {
    Bracket bracket;
    bracket.applyTeams(eightTeams());
    EXPECT_EQ(slots(bracket), (std::vector<std::string>{"Ash", "Dogwood", "Birch", "Cedar", "Elm", "Hazel", "Fir",
                                                        "Gum", "", "", "", "", "", "", ""}));
    for (int slot = 1; slot <= 8; ++slot)
        EXPECT_EQ(bracket.winCount(slot), "0");
    for (int slot = 9; slot <= 14; ++slot)
        EXPECT_EQ(bracket.winCount(slot), "");
    EXPECT_EQ(states(bracket), (std::vector<int>{0, 0, 0, 0, -1, -1, -1}));
    ASSERT_EQ(bracket.seriesList().size(), 4u);
    EXPECT_EQ(bracket.seriesList()[1].second, (SeriesTeams{"Birch", "Cedar"}));
}

TEST(BracketApplyTeams, FourAndTwoTeamTypesFillTheirFirstRoundInPlay) {
    Bracket four;
    four.setPlayoffType(1);
    four.applyTeams(eightTeams());
    EXPECT_EQ(slots(four), (std::vector<std::string>{"", "", "", "", "", "", "", "", "Ash", "Birch", "Elm", "Fir",
                                                     "", "", ""}));
    EXPECT_EQ(four.winCount(1), "");
    EXPECT_EQ(four.winCount(9), "0");
    EXPECT_EQ(states(four), (std::vector<int>{-1, -1, -1, -1, 0, 0, -1}));

    Bracket two;
    two.setPlayoffType(2);
    two.applyTeams(eightTeams());
    EXPECT_EQ(two.slot(13), "Ash");
    EXPECT_EQ(two.slot(14), "Elm");
    EXPECT_EQ(two.winCount(13), "0");
    EXPECT_EQ(two.winCount(9), "");
    EXPECT_EQ(states(two), (std::vector<int>{-1, -1, -1, -1, -1, -1, 0}));
}

TEST(BracketApplyTeams, EmptyPicksAreCopiedAsTheyAre) {
    Bracket bracket;
    bracket.applyTeams(TeamPicks{});
    EXPECT_EQ(bracket.slot(1), "");
    EXPECT_EQ(bracket.winCount(1), "0");
    EXPECT_EQ(bracket.seriesState(1), 0);
}

TEST(BracketApplyTeams, DoneAgainMidPlayoffRestartsTheFirstRoundButKeepsLaterStates) {
    Bracket bracket;
    bracket.setSeriesState(2, 1); // nothing special about these, only that they survive
    bracket.applyTeams(eightTeams());
    play(bracket, 1, true);
    play(bracket, 1, true);
    play(bracket, 1, true);
    play(bracket, 2, false);
    play(bracket, 2, false);
    play(bracket, 2, false);
    ASSERT_EQ(bracket.seriesState(5), 0);
    ASSERT_EQ(bracket.slot(9), "Ash");

    bracket.applyTeams(eightTeams());
    for (int slot = 9; slot <= 15; ++slot)
        EXPECT_EQ(bracket.slot(slot), "") << slot;
    for (int slot = 1; slot <= 8; ++slot)
        EXPECT_EQ(bracket.winCount(slot), "0");
    EXPECT_EQ(bracket.winCount(9), "");
    EXPECT_EQ(states(bracket), (std::vector<int>{0, 0, 0, 0, 0, -1, -1}));
}

// --- home choice -------------------------------------------------------------------------------------------------

TEST(BracketHomeChoice, ButtonsOfAPairExcludeEachOtherAndRaiseTheWarning) {
    Bracket bracket;
    EXPECT_EQ(bracket.homeChoice(1), HomeChoice::Upper);
    bracket.chooseHomeTeam(3);
    EXPECT_EQ(bracket.homeChoice(1), HomeChoice::Lower);
    EXPECT_FALSE(bracket.speedButton(2).down);
    EXPECT_TRUE(bracket.updateOptionsLabel());
    EXPECT_EQ(bracket.homeSlot(1), 2);
    EXPECT_EQ(bracket.visitorSlot(1), 1);

    bracket.setUpdateOptionsLabel(false);
    bracket.chooseHomeTeam(3); // clicking the button that is already down keeps it down
    EXPECT_EQ(bracket.homeChoice(1), HomeChoice::Lower);
    EXPECT_TRUE(bracket.updateOptionsLabel());

    EXPECT_EQ(bracket.homeChoice(5), HomeChoice::None);
    bracket.chooseHomeTeam(10);
    EXPECT_EQ(bracket.homeChoice(5), HomeChoice::Upper);
    EXPECT_EQ(bracket.homeChoice(1), HomeChoice::Lower);
}

// --- crediting games and advancing ------------------------------------------------------------------------------

TEST(BracketCredit, MoreVisitorRunsIsAVisitorWinAndEqualRunsAHomeWin) {
    Bracket bracket;
    bracket.applyTeams(eightTeams()); // upper team home in series 1
    bracket.creditGame(1, 3, 2);
    EXPECT_EQ(bracket.winCount(1), "0");
    EXPECT_EQ(bracket.winCount(2), "1");
    bracket.creditGame(1, 4, 4);
    EXPECT_EQ(bracket.winCount(1), "1");
    bracket.creditGame(1, 3, 3);
    EXPECT_EQ(bracket.winCount(1), "2");

    bracket.chooseHomeTeam(5); // lower team of series 2 at home
    bracket.creditGame(2, 0, 0);
    EXPECT_EQ(bracket.winCount(4), "1");
    EXPECT_EQ(bracket.winCount(3), "0");
}

TEST(BracketCredit, WinCountThatIsNotANumberRaisesAndChangesNothing) {
    Bracket bracket;
    bracket.applyTeams(eightTeams());
    bracket.setWinCount(2, "x");
    try {
        bracket.creditGame(1, 1, 2);
        FAIL();
    } catch (const Error& error) {
        EXPECT_EQ(error.text(), "'x' is not a valid integer value");
    }
    EXPECT_EQ(bracket.winCount(1), "0");
    EXPECT_EQ(bracket.winCount(2), "x");
    EXPECT_EQ(bracket.winsNeeded(), (WinsNeeded{0, 0, 0}));
    EXPECT_EQ(bracket.seriesState(1), 0);
}

TEST(BracketCredit, OneGameFormatDecidesAtOnceAndSevenGamesNeedsFour) {
    Bracket quick;
    quick.selectFormat(0); // "1-1-1"
    quick.applyTeams(eightTeams());
    play(quick, 1, false);
    EXPECT_EQ(quick.seriesState(1), 1);
    EXPECT_EQ(quick.slot(9), "Dogwood");

    Bracket slow;
    slow.selectFormat(19); // "7-7-7"
    slow.applyTeams(eightTeams());
    for (int game = 0; game < 3; ++game) {
        play(slow, 1, true);
        play(slow, 1, false);
    }
    EXPECT_EQ(slow.winCount(1), "3");
    EXPECT_EQ(slow.winCount(2), "3");
    EXPECT_EQ(slow.seriesState(1), 0); // 3-3 goes on
    EXPECT_EQ(slow.slot(9), "");
    play(slow, 1, false);
    EXPECT_EQ(slow.seriesState(1), 1);
    EXPECT_EQ(slow.slot(9), "Dogwood");
    EXPECT_EQ(slow.winsNeeded(), (WinsNeeded{4, 4, 4}));
}

TEST(BracketAdvance, SeriesDecidedWhileItsNeighbourIsOpenWaitsForIt) {
    Bracket bracket;
    bracket.selectFormat(0);
    bracket.applyTeams(eightTeams());
    play(bracket, 1, true);

    EXPECT_EQ(bracket.slot(9), "Ash");
    EXPECT_EQ(bracket.winCount(9), "0");
    EXPECT_EQ(bracket.seriesState(1), 1);
    EXPECT_FALSE(bracket.speedButton(2).shown);
    EXPECT_FALSE(bracket.speedButton(3).shown);
    EXPECT_TRUE(bracket.speedButton(10).shown);
    EXPECT_FALSE(bracket.speedButton(11).shown);
    EXPECT_EQ(bracket.seriesState(5), -1); // slot 10 is still empty
    EXPECT_EQ(bracket.slot(10), "");

    play(bracket, 2, false);
    EXPECT_EQ(bracket.slot(10), "Cedar");
    EXPECT_EQ(bracket.seriesState(5), 0);
    EXPECT_TRUE(bracket.speedButton(10).shown);
    EXPECT_TRUE(bracket.speedButton(11).shown);
    EXPECT_EQ(bracket.homeChoice(5), HomeChoice::None); // the user has to pick the home team
    EXPECT_EQ(bracket.seriesList().back().second, (SeriesTeams{"Ash", "Cedar"}));
}

TEST(BracketAdvance, ChampionSlotIsEmptiedAtEveryChampionshipGameUntilDecided) {
    Bracket bracket;
    bracket.setPlayoffType(2);
    bracket.selectFormat(1); // best of 3
    bracket.applyTeams(eightTeams());
    bracket.setSlot(15, "stale");
    play(bracket, 7, true);
    EXPECT_EQ(bracket.champion(), "");
    play(bracket, 7, true);
    EXPECT_EQ(bracket.champion(), "Ash");
    EXPECT_EQ(bracket.seriesState(7), 1);
    EXPECT_FALSE(bracket.speedButton(14).shown);
    EXPECT_FALSE(bracket.speedButton(15).shown);
}

TEST(BracketAdvance, WholeEightTeamPlayoffReachesAChampion) {
    Bracket bracket;
    bracket.applyTeams(eightTeams()); // "5-7-7"
    // Mixed home and visitor wins: the lower teams are at home in series 2 and 4.
    bracket.chooseHomeTeam(5);
    bracket.chooseHomeTeam(9);
    const std::vector<bool> pattern = {true, false, true, false, true};
    for (int series = 1; series <= 4; ++series) {
        for (std::size_t game = 0; bracket.seriesState(series) == 0; ++game)
            play(bracket, series, series % 2 == 1 ? pattern[game % 5] : !pattern[game % 5]);
    }
    EXPECT_EQ(slots(bracket)[8], "Ash");
    EXPECT_EQ(slots(bracket)[9], "Cedar");
    EXPECT_EQ(slots(bracket)[10], "Elm");
    EXPECT_EQ(slots(bracket)[11], "Gum");
    EXPECT_EQ(states(bracket), (std::vector<int>{1, 1, 1, 1, 0, 0, -1}));

    bracket.chooseHomeTeam(11);
    bracket.chooseHomeTeam(12);
    for (int game = 0; bracket.seriesState(5) == 0; ++game)
        play(bracket, 5, game < 3); // 3-4: the lower team comes back
    EXPECT_EQ(bracket.winCount(9), "3");
    EXPECT_EQ(bracket.winCount(10), "4");
    EXPECT_EQ(bracket.slot(13), "Cedar");
    EXPECT_TRUE(bracket.speedButton(14).shown);
    EXPECT_EQ(bracket.seriesState(7), -1);

    for (int game = 0; game < 4; ++game)
        play(bracket, 6, true);
    EXPECT_EQ(bracket.slot(14), "Elm");
    EXPECT_EQ(bracket.seriesState(7), 0);
    EXPECT_EQ(bracket.winCount(13), "0");
    EXPECT_EQ(bracket.winCount(14), "0");

    bracket.chooseHomeTeam(15);
    for (int game = 0; game < 4; ++game)
        play(bracket, 7, false);
    EXPECT_EQ(bracket.champion(), "Elm");
    EXPECT_EQ(states(bracket), (std::vector<int>(7, 1)));
    EXPECT_EQ(bracket.winCount(14), "4");
}

TEST(BracketAdvance, FourTeamPlayoffMovesSemiFinalWinnersToTheChampionship) {
    Bracket bracket;
    bracket.setPlayoffType(1);
    bracket.selectFormat(4); // "3-3"
    bracket.applyTeams(eightTeams());
    play(bracket, 5, false);
    play(bracket, 5, false);
    play(bracket, 6, true);
    play(bracket, 6, false);
    play(bracket, 6, true);
    EXPECT_EQ(bracket.slot(13), "Birch");
    EXPECT_EQ(bracket.slot(14), "Elm");
    EXPECT_EQ(bracket.seriesState(7), 0);
    EXPECT_EQ(bracket.winsNeeded()[SemiFinals], 2);
    bracket.chooseHomeTeam(14);
    play(bracket, 7, true);
    play(bracket, 7, true);
    EXPECT_EQ(bracket.champion(), "Birch");
    EXPECT_EQ(bracket.slot(1), ""); // the first round stays empty
}

TEST(BracketAdvance, FormatChangeMidSeriesDecidesForTheTeamThatWonTheGame) {
    // Best of 7, leading 3-2; then the format is cut to best of 5.
    Bracket bracket;
    bracket.applyTeams(eightTeams()); // "5-7-7": the first round is best of 5
    bracket.selectFormat(19);         // "7-7-7"
    play(bracket, 1, true);
    play(bracket, 1, true);
    play(bracket, 1, true);
    play(bracket, 1, false);
    play(bracket, 1, false);
    ASSERT_EQ(bracket.winCount(1), "3");
    ASSERT_EQ(bracket.winCount(2), "2");
    ASSERT_EQ(bracket.seriesState(1), 0);

    // Now best of 3: the leader already has more than 2 wins, but the trailing team takes this game and reaches
    // exactly 3. The series must not go to the team that just lost, nor to a team that has not won.
    bracket.selectFormat(10); // "3-3-3"
    play(bracket, 1, false);
    EXPECT_EQ(bracket.winCount(2), "3");
    EXPECT_EQ(bracket.seriesState(1), 1);
    EXPECT_EQ(bracket.slot(9), "Dogwood");
}

TEST(BracketAdvance, FormatCutBelowTheLeadersWinsEndsTheSeriesAtItsNextWin) {
    Bracket bracket;
    bracket.selectFormat(19); // "7-7-7"
    bracket.applyTeams(eightTeams());
    for (int game = 0; game < 3; ++game)
        play(bracket, 1, true);
    bracket.selectFormat(0); // "1-1-1": needs 1, the leader has 3
    play(bracket, 1, false); // the trailing team wins: 1 win reaches the target
    EXPECT_EQ(bracket.seriesState(1), 1);
    EXPECT_EQ(bracket.slot(9), "Dogwood");

    // Leading 2-0 when the target drops to 2: losing the next game must not hand the leader the series.
    Bracket leader;
    leader.selectFormat(19);
    leader.applyTeams(eightTeams());
    play(leader, 1, true);
    play(leader, 1, true);
    leader.selectFormat(10);
    play(leader, 1, false);
    EXPECT_EQ(leader.seriesState(1), 0);
    EXPECT_EQ(leader.slot(9), "");
    play(leader, 1, true);
    EXPECT_EQ(leader.seriesState(1), 1);
    EXPECT_EQ(leader.slot(9), "Ash");

    Bracket other;
    other.selectFormat(19);
    other.applyTeams(eightTeams());
    for (int game = 0; game < 3; ++game)
        play(other, 1, true);
    other.selectFormat(10); // needs 2; the leader, at 3, wins again and takes the series
    play(other, 1, true);
    EXPECT_EQ(other.seriesState(1), 1);
    EXPECT_EQ(other.slot(9), "Ash");
}

// --- reset -------------------------------------------------------------------------------------------------------

TEST(BracketReset, ReturnsToTheEightTeamTypeWithPlaceholders) {
    Bracket bracket;
    bracket.setPlayoffType(1);
    bracket.selectFormat(2);
    bracket.applyTeams(eightTeams());
    bracket.chooseHomeTeam(11);
    play(bracket, 5, true);

    bracket.reset();
    EXPECT_EQ(bracket.playoffTypeIndex(), 0);
    EXPECT_EQ(bracket.layoutType(), 0);
    EXPECT_EQ(bracket.formatText(), "5-7-7");
    EXPECT_EQ(states(bracket), (std::vector<int>(7, -1)));
    EXPECT_EQ(slots(bracket), slots(Bracket{}));
    for (int slot = 1; slot <= kTeamSlotCount; ++slot)
        EXPECT_EQ(bracket.winCount(slot), "0");
    EXPECT_EQ(shownButtons(bracket), (std::vector<bool>{1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(bracket.homeChoice(1), HomeChoice::Upper);
    // The warning is the options window's to lower, not the reset's.
    EXPECT_TRUE(bracket.updateOptionsLabel());

    bracket.startUp();
    EXPECT_FALSE(bracket.updateOptionsLabel());
    EXPECT_EQ(downButtons(bracket), downButtons(Bracket{}));
}

} // namespace
} // namespace kivp
