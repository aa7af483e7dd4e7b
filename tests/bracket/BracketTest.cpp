#include "bracket/Bracket.h"
#include "platform/Error.h"
#include "support/TableRows.h"

#include <gtest/gtest.h>

#include <string_view>

namespace kivp {
namespace {

using test::PrintTo;

TEST(WinsNeeded, UnknownTypeOrIndexOutsideTheListChangesNothing) {
    WinsNeeded wins{5, 6, 7};
    for (const auto& [type, index] : {std::pair{"1969-1993", 10}, {"1903-1968", -1}, {"1995", 0}})
        updateWinsNeeded(wins, type, index);
    EXPECT_EQ(wins, (WinsNeeded{5, 6, 7}));
    EXPECT_TRUE(formatItemsFor(kPlayoffTypeCount).empty());
}

// --- helpers ---

const TeamPicks kEightTeams = {"Ash", "Birch", "Cedar", "Dogwood", "Elm", "Fir", "Gum", "Hazel"};

// Plays games of an open series, one per letter naming the team that wins it: 'u' the upper, 'l' the lower
// one. The home choice decides which total is whose, as a game launch does: more visitor runs are a visitor
// win, equal runs a home win. A series still open after a game has nobody in the slot its winner goes to.
void play(Bracket& bracket, int series, std::string_view winners) {
    for (const char winner : winners) {
        ASSERT_EQ(bracket.seriesState(series), kSeriesOpen)
            << "series " << series << " before its game " << winner;
        const bool upperHome = bracket.homeChoice(series) != HomeChoice::Lower;
        bracket.creditGame(series, 6, (winner == 'u') == upperHome ? 6 : 1);
        EXPECT_EQ(bracket.seriesState(series) == kSeriesOpen ? bracket.slot(bracket.winnerSlot(series)) : "", "")
            << "series " << series << " is open";
    }
}

// Values 1 to last joined by '|', an empty text shown as '-', for expectations that read like the bracket.
template <typename Value> std::string joined(int last, Value value) {
    std::string text;
    for (int n = 1; n <= last; ++n) {
        const std::string item = value(n);
        text += (n > 1 ? "|" : "") + (item.empty() ? "-" : item);
    }
    return text;
}

std::string slots(const Bracket& b) {
    return joined(kSlotCount, [&](int n) { return b.slot(n); });
}
std::string winCounts(const Bracket& b) {
    return joined(kTeamSlotCount, [&](int n) { return b.winCount(n); });
}
std::string states(const Bracket& b) {
    return joined(kSeriesCount, [&](int n) { return std::to_string(b.seriesState(n)); });
}
// One flag of the home buttons, a pair per series: "10 00 ..." is buttons 2 and 3, then 4 and 5, ...
std::string buttons(const Bracket& b, bool HomeButton::*flag) {
    std::string text;
    for (int n = kFirstHomeButton; n <= kLastHomeButton; ++n)
        text +=
            std::string(n % 2 == 0 && n > kFirstHomeButton ? " " : "") + (b.speedButton(n).*flag ? "1" : "0");
    return text;
}

// --- start-up, layout and type changes ---

// What each playoff type offers and shows once chosen, and what "Done" then puts into its first round in play:
// in each half the first pick meets the fourth and the second the third; fewer teams take the first picks of
// each half.
struct TypeRow {
    const char* name;
    int type;
    const char* formats; // its format items in order
    const char* wins;    // the wins each round needs under each ('9': a round not in play keeps its value)
    // The format, then which slots 1 to 15, pickers ComboBox3..6 and 10..13 (and so their captions Label23..30),
    // headings Label4..8 and Label33 and home buttons show, and which buttons are down (from start-up: hidden
    // buttons keep their state).
    const char* shown;
    const char* done; // slots, win counts and series states after "Done"
};

class PlayoffType : public ::testing::TestWithParam<TypeRow> {};

TEST_P(PlayoffType, OffersItsFormatsShowsItsRoundsAndDoneFillsItsFirstRoundInPlayWhichAnotherTypeKeeps) {
    const auto& row = GetParam();
    std::string formats, wins;
    for (std::size_t i = 0; i < formatItemsFor(row.type).size(); ++i) {
        formats += (i ? " " : "") + formatItemsFor(row.type)[i];
        WinsNeeded needed{9, 9, 9};
        updateWinsNeeded(needed, playoffTypeItems()[std::size_t(row.type)], static_cast<int>(i));
        wins += (i ? " " : "") + std::to_string(needed[0]) + std::to_string(needed[1]) + std::to_string(needed[2]);
    }
    EXPECT_EQ(formats, row.formats);
    EXPECT_EQ(wins, row.wins);

    Bracket bracket;
    bracket.setPlayoffType(row.type);
    std::string shown = bracket.formatText() + " ", pickers, captions;
    for (int slot = 1; slot <= kSlotCount; ++slot)
        shown += bracket.slotShown(slot) ? "1" : "0";
    for (std::size_t i = 0; i < 8; ++i) { // the eight pickers of the classic types
        pickers += bracket.pickerShown(kPickerNumbers[i]) ? "1" : "0";
        captions += bracket.pickerCaptionShown(23 + static_cast<int>(i)) ? "1" : "0";
    }
    shown += " " + pickers + " ";
    for (int label : {4, 5, 6, 7, 8, 33})
        shown += bracket.headingShown(label) ? "1" : "0";
    EXPECT_EQ(shown + " " + buttons(bracket, &HomeButton::shown) + " " + buttons(bracket, &HomeButton::down),
              row.shown);
    EXPECT_EQ(captions, pickers);

    bracket.applyTeams(kEightTeams);
    const auto done = slots(bracket) + " " + winCounts(bracket) + " " + states(bracket);
    EXPECT_EQ(done, row.done);
    // Choosing another type afterwards leaves slot texts, win counts and series states as they are.
    bracket.setPlayoffType((row.type + 1) % kClassicTypeCount);
    EXPECT_EQ(slots(bracket) + " " + winCounts(bracket) + " " + states(bracket), done);
}

INSTANTIATE_TEST_SUITE_P(
    AllTypes, PlayoffType,
    ::testing::Values(
        TypeRow{"EightTeams", 0,
                "1-1-1 1-1-3 1-1-5 1-1-7 1-3-3 1-3-5 1-3-7 1-5-5 1-5-7 1-7-7 "
                "3-3-3 3-3-5 3-3-7 3-5-5 3-5-7 3-7-7 5-5-5 5-5-7 5-7-7 7-7-7",
                "111 112 113 114 122 123 124 133 134 144 222 223 224 233 234 244 333 334 344 444",
                "5-7-7 111111111111111 11111111 111111 11 11 11 11 00 00 00 10 10 10 10 00 00 00",
                "Ash|Dogwood|Birch|Cedar|Elm|Hazel|Fir|Gum|-|-|-|-|-|-|- 0|0|0|0|0|0|0|0|-|-|-|-|-|- "
                "0|0|0|0|-1|-1|-1"},
        TypeRow{"FourTeams", 1, "1-1 1-3 1-5 1-7 3-3 3-5 3-7 5-5 5-7 7-7", "911 912 913 914 922 923 924 933 934 944",
                "7-7 000000001111111 11001100 001111 00 00 00 00 11 11 00 10 10 10 10 10 10 00",
                "-|-|-|-|-|-|-|-|Ash|Birch|Elm|Fir|-|-|- -|-|-|-|-|-|-|-|0|0|0|0|-|- -1|-1|-1|-1|0|0|-1"},
        TypeRow{"TwoTeams", 2, "1 3 5 7", "991 992 993 994",
                "7 000000000000111 10001000 000011 00 00 00 00 00 00 11 10 10 10 10 00 00 10",
                "-|-|-|-|-|-|-|-|-|-|-|-|Ash|Elm|- -|-|-|-|-|-|-|-|-|-|-|-|0|0 -1|-1|-1|-1|-1|-1|0"}));

// --- home choice ---

TEST(BracketHomeChoice, ButtonsOfAPairExcludeEachOtherAndRaiseTheWarning) {
    Bracket bracket;
    EXPECT_EQ(bracket.homeChoice(1), HomeChoice::Upper);
    bracket.chooseHomeTeam(3);
    bracket.setUpdateOptionsLabel(false);
    bracket.chooseHomeTeam(3); // clicking the button that is already down keeps it down, and still warns
    EXPECT_TRUE(bracket.updateOptionsLabel());
    bracket.chooseHomeTeam(10);
    EXPECT_EQ(buttons(bracket, &HomeButton::down), "01 10 10 10 10 00 00");
    EXPECT_EQ(bracket.homeChoice(1), HomeChoice::Lower);
    EXPECT_EQ(bracket.homeChoice(6), HomeChoice::None);
    EXPECT_EQ(std::to_string(bracket.visitorSlot(1)) + std::to_string(bracket.homeSlot(1)), "12");
}

// --- crediting games and advancing ---

TEST(BracketCredit, WinCountThatIsNotANumberRaisesAndChangesNothing) {
    Bracket bracket;
    bracket.applyTeams(kEightTeams);
    bracket.setWinCount(2, "x");
    EXPECT_THROW(bracket.creditGame(1, 1, 2), Error);
    EXPECT_EQ(winCounts(bracket) + " " + states(bracket), "0|x|0|0|0|0|0|0|-|-|-|-|-|- 0|0|0|0|-1|-1|-1");
    EXPECT_EQ(bracket.winsNeeded(), (WinsNeeded{0, 0, 0}));
}

TEST(BracketAdvance, SeriesDecidedWhileItsNeighbourIsOpenWaitsForItAndDoneAgainRestartsOnlyTheFirstRound) {
    Bracket bracket;
    bracket.selectFormat(0); // "1-1-1"
    bracket.applyTeams(kEightTeams);
    play(bracket, 1, "u");
    // The button beside the winner shows; its partner and the next series wait for the other winner.
    EXPECT_EQ(bracket.slot(9) + bracket.winCount(9) + " " + states(bracket) + " " +
                  buttons(bracket, &HomeButton::shown),
              "Ash0 1|0|0|0|-1|-1|-1 00 11 11 11 10 00 00");
    play(bracket, 2, "l");
    EXPECT_EQ(bracket.slot(10) + " " + states(bracket) + " " + buttons(bracket, &HomeButton::shown),
              "Cedar 1|1|0|0|0|-1|-1 00 00 11 11 11 00 00");
    EXPECT_EQ(bracket.homeChoice(5), HomeChoice::None); // the user has to pick the home team
    EXPECT_EQ(bracket.seriesList().back().second, (SeriesTeams{"Ash", "Cedar"}));

    // "Done" again restarts the first round but keeps the later states.
    bracket.applyTeams(kEightTeams);
    EXPECT_EQ(slots(bracket) + " " + winCounts(bracket) + " " + states(bracket),
              "Ash|Dogwood|Birch|Cedar|Elm|Hazel|Fir|Gum|-|-|-|-|-|-|- 0|0|0|0|0|0|0|0|-|-|-|-|-|- 0|0|0|0|0|-1|-1");
}

// "5-7-7" with the lower teams at home in series 2, 4, 5 and 7 and a 3-4 comeback in series 5; each series is
// played exactly until it is decided, as play() refuses a game in a series that is not open.
TEST(BracketAdvance, WholePlayoffReachesAChampionWithMixedHomeAndVisitorWins) {
    Bracket bracket;
    bracket.selectFormat(18);
    bracket.applyTeams(kEightTeams);
    bracket.setSlot(kChampionSlot, "stale"); // emptied by the first championship game
    for (const int button : {5, 9, 11, 12, 15})
        bracket.chooseHomeTeam(button);
    int series = 0;
    for (const char* winners : {"ululu", "lulul", "ululu", "lulul", "uuullll", "uuuu", "llll"}) {
        play(bracket, ++series, winners);
        EXPECT_EQ(bracket.seriesState(series), kSeriesDecided) << series;
    }
    EXPECT_EQ(slots(bracket), "Ash|Dogwood|Birch|Cedar|Elm|Hazel|Fir|Gum|Ash|Cedar|Elm|Gum|Cedar|Elm|Elm");
    EXPECT_EQ(winCounts(bracket), "3|2|2|3|3|2|2|3|3|4|4|0|0|4");
    EXPECT_EQ(buttons(bracket, &HomeButton::shown), "00 00 00 00 00 00 00");
}

// A format changed in the middle of a series: the series goes to the team that won the latest game once that
// team has the wins needed, never to the team that just lost; a total already past the new target still
// counts.
struct FormatChangeRow {
    const char* name;
    const char* before; // games of series 1 under "7-7-7" (upper team at home)
    int newFormat;
    const char* after;
    const char* outcome; // the series' state, then the team in the slot its winner goes to
};

class FormatChangeMidSeries : public ::testing::TestWithParam<FormatChangeRow> {};

TEST_P(FormatChangeMidSeries, DecidesForTheTeamThatWonTheLatestGame) {
    const auto& row = GetParam();
    Bracket bracket;
    bracket.selectFormat(19);
    bracket.applyTeams(kEightTeams);
    play(bracket, 1, row.before);
    bracket.selectFormat(row.newFormat);
    play(bracket, 1, row.after);
    EXPECT_EQ(std::to_string(bracket.seriesState(1)) + " " + bracket.slot(9), row.outcome);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatChangeMidSeries,
    ::testing::Values(
        // 3-2 in a best of 7 cut to a best of 3: the trailing team's third win is past the new target.
        FormatChangeRow{"TrailerPassesTheNewTarget", "uuull", 10, "l", "1 Dogwood"},
        FormatChangeRow{"TrailerReachesTheNewTarget", "uuu", 0, "l", "1 Dogwood"},
        // 2-0 when the target drops to 2: the leader loses and must not be handed the series.
        FormatChangeRow{"LeaderAtTheTargetLoses", "uu", 10, "l", "0 "},
        FormatChangeRow{"LeaderAtTheTargetWinsAgain", "uu", 10, "lu", "1 Ash"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- reset ---

TEST(BracketReset, ReturnsToTheEightTeamTypeWithPlaceholdersAndStartUpAlsoClearsTheButtons) {
    Bracket bracket;
    bracket.chooseHomeTeam(3);
    bracket.setPlayoffType(1);
    bracket.selectFormat(2);
    bracket.applyTeams(kEightTeams);
    bracket.chooseHomeTeam(11);
    play(bracket, 5, "u");

    bracket.reset();
    EXPECT_EQ(std::to_string(bracket.playoffTypeIndex()) + std::to_string(bracket.layoutType()) + " " +
                  bracket.formatText() + " " + states(bracket),
              "00 5-7-7 -1|-1|-1|-1|-1|-1|-1");
    EXPECT_EQ(slots(bracket), "Team 1|Team 4|Team 2|Team 3|Team 1|Team 4|Team 2|Team 3|"
                              " Winner T1/T4| Winner T2/T3|Winner T1/T4|Winner T2/T3|T1/T2/T3/T4|T1/T2/T3/T4|Winner");
    EXPECT_EQ(winCounts(bracket), "0|0|0|0|0|0|0|0|0|0|0|0|0|0");
    // The first round gets its buttons and defaults back; the hidden buttons keep their state. The warning
    // is the options window's to lower, not the reset's.
    EXPECT_EQ(buttons(bracket, &HomeButton::shown) + " " + buttons(bracket, &HomeButton::down),
              "11 11 11 11 00 00 00 10 10 10 10 01 10 00");
    EXPECT_TRUE(bracket.updateOptionsLabel());

    bracket.startUp();
    EXPECT_FALSE(bracket.updateOptionsLabel());
    EXPECT_EQ(buttons(bracket, &HomeButton::down), "10 10 10 10 00 00 00");
    EXPECT_EQ(bracket.winsNeeded(), (WinsNeeded{0, 0, 0}));
    EXPECT_EQ(bracket.playoffTypeText() + " " + bracket.formatText(), "1995- 5-7-7");
    EXPECT_TRUE(bracket.seriesList().empty());
}

} // namespace
} // namespace kivp
