#include "teams/Roster.h"

#include "platform/Error.h"
#include "support/RecordingPrompts.h"
#include "support/TempDir.h"
#include "teams/TeamLines.h"

#include <gtest/gtest.h>

namespace kivp {
namespace {

using test::batterLine;
using test::ColumnLine;
using test::pitcherLine;

const std::string kTitle = "*Testville Testers          demo";
const std::string kPitHeading = "*Pitchers         IP   H   R  ER";
const std::string kBenchHeading = "*Bench            AB   H";
const char* const kPitcherAdvice = "The line may be out of KIV .dat alignment.  Please check \nthe spacing "
                                   "of the statistics in the Pitcher section.";
const char* const kBatterAdvice = "The line may be out of KIV .dat alignment.  Please check \nthe spacing of "
                                  "the statistics in the Batter section.";

std::vector<std::string> nineBatters() {
    std::vector<std::string> batters;
    for (int i = 1; i <= 9; ++i)
        batters.push_back(batterLine("Batter " + std::to_string(i), "400", "100"));
    return batters;
}

Lines teamLines(std::vector<std::string> batters, const std::vector<std::string>& pitchers,
                bool bench = true) {
    Lines lines{kTitle};
    batters.resize(9);
    lines.insert(lines.end(), batters.begin(), batters.end());
    lines.push_back(kPitHeading);
    lines.insert(lines.end(), pitchers.begin(), pitchers.end());
    if (bench) {
        lines.push_back(kBenchHeading);
        lines.push_back(batterLine("Bench Player", "120", " 30"));
    }
    return lines;
}

std::string layoutMessage(int line, int position, const std::string& text, const char* advice) {
    return "Error decoding team:\nFile name:  TEST.dat\nin line " + std::to_string(line) + ", position " +
           std::to_string(position) + " --" + text + "--\n\n" + advice;
}

std::vector<std::string> starterNumbers(const TeamSheet& sheet) {
    std::vector<std::string> numbers;
    for (const auto& pitcher : sheet.pitchers) {
        if (pitcher.starter)
            numbers.push_back(pitcher.row().number);
    }
    return numbers;
}

// --- pitchers
// -----------------------------------------------------------------------------------------------

TEST(PitcherSection, RowsShowTheColumnsAndTheOrdinalCountsRelievers) {
    const auto sheet = readTeamSheet(
        teamLines(nineBatters(), {pitcherLine("Kit Elderkin", "33", "332", "13", "14", "207", "150"),
                                  pitcherLine("Reliever One", "  "), pitcherLine("Reliever Two", " 0"),
                                  pitcherLine("Spot Starter", " 5", "345", " 9", "12", " 61", " 48")}),
        "TEST.dat");
    ASSERT_EQ(starterNumbers(sheet), (std::vector<std::string>{"1", "4"}));
    EXPECT_EQ(sheet.pitchers[0].row(),
              (PitcherRow{"1", "Kit Elderkin", "13-14", "3.32", "150", "207", "33"}));
    EXPECT_EQ(sheet.pitchers[3].row(), (PitcherRow{"4", "Spot Starter", "9-12", "3.45", "48", "61", "5"}));
    EXPECT_TRUE(sheet.problems.empty());
}

struct StartsCase {
    const char* columns; // columns 77 and 78
    bool listed;
    const char* shown;
};

void PrintTo(const StartsCase& c, std::ostream* os) {
    *os << '"' << c.columns << '"';
}

class GamesStarted : public ::testing::TestWithParam<StartsCase> {};

TEST_P(GamesStarted, BlanksCountAsZeroForTheStarterTest) {
    const auto& c = GetParam();
    const auto sheet =
        readTeamSheet(teamLines(nineBatters(), {pitcherLine("Only Pitcher", c.columns)}), "TEST.dat");
    ASSERT_EQ(sheet.pitchers.size(), 1u);
    EXPECT_EQ(sheet.pitchers[0].starter, c.listed);
    EXPECT_EQ(sheet.pitchers[0].gamesStarted, c.shown);
    EXPECT_TRUE(sheet.problems.empty());
}

INSTANTIATE_TEST_SUITE_P(Columns, GamesStarted,
                         ::testing::Values(StartsCase{"  ", false, ""}, StartsCase{" 0", false, "0"},
                                           StartsCase{"0 ", false, "0"}, StartsCase{"00", false, "00"},
                                           StartsCase{" 5", true, "5"}, StartsCase{"1 ", true, "1"},
                                           StartsCase{"12", true, "12"}, StartsCase{"-1", false, "-1"}));

struct NameCase {
    const char* columns; // from column 10
    const char* name;
};

class PitcherName : public ::testing::TestWithParam<NameCase> {};

TEST_P(PitcherName, EndsAtTheFirstDoubleSpaceOrColumn26) {
    const auto sheet =
        readTeamSheet(teamLines(nineBatters(), {pitcherLine(GetParam().columns, "30")}), "TEST.dat");
    ASSERT_EQ(sheet.pitchers.size(), 1u);
    EXPECT_EQ(sheet.pitchers[0].name, GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Columns, PitcherName,
                         ::testing::Values(NameCase{"Al Jones", "Al Jones"}, NameCase{"Al  Jones", "Al"},
                                           NameCase{"A B C", "A B C"},
                                           NameCase{"Ulric Thistlewood", "Ulric Thistlewood"},
                                           NameCase{"X", "X"}));

TEST(PitcherSection, MalformedLinesAreDescribedWithTheirColumnAndSkipped) {
    const auto sheet = readTeamSheet(
        teamLines(nineBatters(), {pitcherLine("Good One", "30"), ColumnLine(60).at(10, "Too Short"),
                                  ColumnLine(78).at(10, "Cut At 77").at(77, "3").cut(77),
                                  pitcherLine("Bad Starts", "x1"), pitcherLine("Good Two", "25")}),
        "TEST.dat");
    EXPECT_EQ(starterNumbers(sheet), (std::vector<std::string>{"1", "5"}));
    EXPECT_EQ(sheet.problems, (std::vector<std::string>{layoutMessage(12, 76, "", kPitcherAdvice),
                                                        layoutMessage(13, 77, "3", kPitcherAdvice),
                                                        layoutMessage(14, 77, "x1", kPitcherAdvice)}));
}

TEST(PitcherSection, AShortLineAfterAPitcherIsReportedAtColumn77OfThePitcher) {
    const auto sheet = readTeamSheet(
        teamLines(nineBatters(), {pitcherLine("Starter", "30"), "", pitcherLine("Reliever", "  "), "x",
                                  pitcherLine("After", "20")}),
        "TEST.dat");
    EXPECT_EQ(starterNumbers(sheet), (std::vector<std::string>{"1", "5"}));
    // The pitcher before a short line keeps his row; the short line is then read as a pitcher line itself.
    // A listed pitcher's games started are quoted as read, a reliever's as the starter test saw them.
    EXPECT_EQ(sheet.problems, (std::vector<std::string>{layoutMessage(11, 77, "30", kPitcherAdvice),
                                                        layoutMessage(12, 76, "", kPitcherAdvice),
                                                        layoutMessage(13, 77, "00", kPitcherAdvice),
                                                        layoutMessage(14, 76, "", kPitcherAdvice)}));
}

TEST(PitcherSection, WithoutABenchHeadingEndsQuietlyAtTheLastLine) {
    const auto sheet = readTeamSheet(
        teamLines(nineBatters(),
                  {pitcherLine("First", "30"), pitcherLine("Second", "  "), pitcherLine("Last", "9 ")},
                  false),
        "TEST.dat");
    EXPECT_EQ(starterNumbers(sheet), (std::vector<std::string>{"1", "3"}));
    EXPECT_TRUE(sheet.problems.empty());

    const auto headingOnly = readTeamSheet(teamLines(nineBatters(), {}, false), "TEST.dat");
    EXPECT_TRUE(headingOnly.pitchers.empty());
    EXPECT_TRUE(headingOnly.problems.empty());
}

TEST(PitcherSection, BothBenchHeadingsEndIt) {
    for (const char* heading : {"*Bench", "* Bench players"}) {
        auto lines = teamLines(nineBatters(), {pitcherLine("Starter", "30")}, false);
        lines.push_back(heading);
        lines.push_back(pitcherLine("Not A Pitcher", "30"));
        const auto sheet = readTeamSheet(lines, "TEST.dat");
        EXPECT_EQ(starterNumbers(sheet), (std::vector<std::string>{"1"})) << heading;
        EXPECT_TRUE(sheet.problems.empty()) << heading;
    }
}

TEST(PitcherSection, AMalformedLastPitcherDoesNotCarryReadingIntoTheBench) {
    auto lines =
        teamLines(nineBatters(), {pitcherLine("Starter", "30"), ColumnLine(50).at(10, "Broken")}, false);
    lines.push_back(kBenchHeading);
    lines.push_back(pitcherLine("Bench Bat", "12")); // long enough to pass for a pitcher
    const auto sheet = readTeamSheet(lines, "TEST.dat");
    EXPECT_EQ(starterNumbers(sheet), (std::vector<std::string>{"1"}));
    EXPECT_EQ(sheet.problems, (std::vector<std::string>{layoutMessage(12, 76, "", kPitcherAdvice)}));
}

// --- lineup
// -------------------------------------------------------------------------------------------------

TEST(Lineup, RowPadsTheFiguresAndShowsTheAverage) {
    auto batters = nineBatters();
    batters[0] = batterLine("Ulric Halloway", " 21", "  5", " 3", " 17");
    batters[1] = batterLine("Left Aligned", "21 ", "5  ", "3 ", "17 ");
    batters[2] = batterLine("Big Numbers", "583", "168", "38", "116");
    const auto sheet = readTeamSheet(teamLines(batters, {pitcherLine("P", "30")}), "TEST.dat");
    ASSERT_EQ(sheet.lineup.size(), 9u);
    EXPECT_EQ(sheet.lineup[0].row(), "Ulric Halloway      5  21  .239  17  3");
    EXPECT_EQ(sheet.lineup[1].row(), "Left Aligned        5  21  .239  17  3");
    EXPECT_EQ(sheet.lineup[2].row(), "Big Numbers       168 583  .289 116 38");
    EXPECT_EQ(sheet.lineup[0].row().size(), 38u);
}

TEST(Lineup, ShortLinesAreSkippedAndAPitHeadingEndsIt) {
    std::vector<std::string> batters{batterLine("One", "400", "100"), ColumnLine(35).at(10, "Thirty Five"),
                                     batterLine("Three", "400", "100"), kPitHeading,
                                     batterLine("After", "400", "100")};
    const auto sheet = readTeamSheet(teamLines(batters, {}), "TEST.dat");
    ASSERT_EQ(sheet.lineup.size(), 2u);
    EXPECT_EQ(sheet.lineup[1].line, 3);
    EXPECT_TRUE(sheet.problems.empty());
}

TEST(Lineup, ALineTooShortForAColumnIsDescribedAndAddsNoRow) {
    auto batters = nineBatters();
    batters[1] = ColumnLine(40).at(10, "Forty Wide").at(28, "400").at(32, "100");
    batters[3] = ColumnLine(57).at(10, "Cut In Rbi").at(28, "400").at(32, "100").at(56, " 4");
    batters[5] = batterLine("Before Blank", "400", "100", " 7");
    batters[6] = "";
    const auto sheet = readTeamSheet(teamLines(batters, {}), "TEST.dat");
    EXPECT_EQ(sheet.lineup.size(), 6u);
    // A row whose next line is too short for the "*Pit" test stays; the message names its last column read.
    EXPECT_EQ(sheet.problems, (std::vector<std::string>{layoutMessage(2, 55, "", kBatterAdvice),
                                                        layoutMessage(4, 57, "4", kBatterAdvice),
                                                        layoutMessage(6, 45, "7", kBatterAdvice)}));
}

TEST(Lineup, FiguresThatDoNotConvertAreReportedAndShowNoAverage) {
    auto batters = nineBatters();
    batters[2] = batterLine("Bad Hits", "400", "ab ");
    batters[4] = batterLine("Bad At Bats", "   ", " 12");
    const auto sheet = readTeamSheet(teamLines(batters, {}), "TEST.dat");
    ASSERT_EQ(sheet.lineup.size(), 9u);
    EXPECT_EQ(sheet.lineup[2].row(), "Bad Hits           ab 400  .000  40  9");
    EXPECT_EQ(sheet.lineup[4].average, " .000");
    EXPECT_EQ(
        sheet.problems,
        (std::vector<std::string>{
            "Conversion Error\n\nCould not convert:  total hits\nline #:  3\nplayer:  Bad Hits         "
            "\n\nerror data:   ab",
            "Conversion Error\n\nCould not convert:  total at bats\nline #:  5\nplayer:  Bad At Bats      "
            "\n\nerror data:     "}));
}

// --- averages and numbers
// -----------------------------------------------------------------------------------

struct AverageCase {
    const char* hits;
    const char* atBats;
    const char* shown;
};

void PrintTo(const AverageCase& c, std::ostream* os) {
    *os << c.hits << "/" << c.atBats;
}

class BattingAverage : public ::testing::TestWithParam<AverageCase> {};

TEST_P(BattingAverage, RoundsTheThousandthsUp) {
    EXPECT_EQ(battingAverage(GetParam().hits, GetParam().atBats), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BattingAverage,
    ::testing::Values(AverageCase{"  1", "  3", " .334"}, AverageCase{"  0", "  4", " .000"},
                      AverageCase{"  4", "  4", "1.000"}, AverageCase{"  1", " 20", " .050"},
                      AverageCase{"  0", "  0", " .000"}, AverageCase{"  5", "  0", " .000"},
                      AverageCase{"  3", " 10", " .300"}, AverageCase{"  7", "100", " .070"},
                      AverageCase{"168", "583", " .289"}, AverageCase{"  1", "  4", " .250"},
                      AverageCase{" ab", "  4", " .000"}, AverageCase{"  1", "   ", " .000"}));

struct DecimalCase {
    const char* text;
    std::optional<double> value;
};

void PrintTo(const DecimalCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class DecimalText : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(DecimalText, ReadsPlainDecimalsOnly) {
    EXPECT_EQ(parseDecimal(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DecimalText,
    ::testing::Values(DecimalCase{"12", 12.0}, DecimalCase{"  12 ", 12.0}, DecimalCase{"-3", -3.0},
                      DecimalCase{"+3", 3.0}, DecimalCase{"1.5", 1.5}, DecimalCase{".5", 0.5},
                      DecimalCase{"5.", 5.0}, DecimalCase{"007", 7.0}, DecimalCase{"", std::nullopt},
                      DecimalCase{"   ", std::nullopt}, DecimalCase{".", std::nullopt},
                      DecimalCase{"-", std::nullopt}, DecimalCase{"1e3", std::nullopt},
                      DecimalCase{"1.2.3", std::nullopt}, DecimalCase{"$1", std::nullopt},
                      DecimalCase{"1 2", std::nullopt}, DecimalCase{"1,5", std::nullopt}));

// --- reading a team's file
// ----------------------------------------------------------------------------------

TEST(ReadRoster, ListsStartersAndLineupAndShowsMessagesOnlyWhenAsked) {
    test::TempDir dir;
    auto batters = nineBatters();
    batters[0] = ColumnLine(40).at(10, "Short Batter").at(28, "400").at(32, "100");
    dir.write("TEST.dat", joinLines(teamLines(batters, {pitcherLine("Ace", "30"), pitcherLine("Closer", " 0"),
                                                        ColumnLine(60).at(10, "Broken")})));
    for (const bool detailed : {false, true}) {
        test::RecordingPrompts prompts;
        const Roster roster = readRoster(dir.path(), "TEST", detailed, prompts);
        ASSERT_EQ(roster.pitchers.size(), 1u);
        EXPECT_EQ(roster.pitchers[0].name, "Ace");
        EXPECT_EQ(roster.lineup.size(), 8u);
        if (detailed) {
            EXPECT_EQ(prompts.messages(),
                      (std::vector<std::string>{layoutMessage(13, 76, "", kPitcherAdvice),
                                                layoutMessage(1, 55, "", kBatterAdvice)}));
        } else {
            EXPECT_TRUE(prompts.calls.empty());
        }
    }
}

TEST(ReadRoster, FindsTheFileIgnoringCaseAndNamesTheMissingOne) {
    test::TempDir dir;
    dir.write("UPLANDS.DAT", joinLines(teamLines(nineBatters(), {pitcherLine("Ace", "30")})));
    test::RecordingPrompts prompts;
    EXPECT_EQ(readRoster(dir.path(), "uplands", true, prompts).pitchers.size(), 1u);
    try {
        readRoster(dir.path(), "GONE", true, prompts);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.kind(), Error::Kind::CannotOpen);
        EXPECT_EQ(error.text(), "Cannot open file " + dir.path() + "/GONE.dat");
    }
    EXPECT_TRUE(prompts.calls.empty());
}

TEST(ReadRoster, AMessyFixtureGivesItsMessagesInFileOrder) {
    test::RecordingPrompts prompts;
    const Roster roster = readRoster(KIVP_TEST_DATA "/rosters", "MESSY", true, prompts);
    EXPECT_EQ(roster.pitchers.size(), 2u);
    EXPECT_EQ(roster.lineup.size(), 6u);
    const auto messages = prompts.messages();
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_NE(messages[0].find("in line 13, position 76 ----"), std::string::npos);
    EXPECT_NE(messages[1].find("Could not convert:  total hits\nline #:  2"), std::string::npos);
    EXPECT_NE(messages[2].find("in line 4, position 55 ----"), std::string::npos);
    EXPECT_NE(messages[3].find("in line 9, position 55 ----"), std::string::npos);
}

// --- the series list's entries
// ------------------------------------------------------------------------------

struct SeriesTextCase {
    const char* text;
    const char* first;
    const char* second;
};

class SeriesTextNames : public ::testing::TestWithParam<SeriesTextCase> {};

TEST_P(SeriesTextNames, DropPaddingButKeepSingleInnerSpaces) {
    const Bracket bracket; // no team of these in play: no swap
    const auto names = teamsOfSeriesText(GetParam().text, bracket);
    EXPECT_EQ(names.home, GetParam().first);
    EXPECT_EQ(names.visitor, GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Table, SeriesTextNames,
                         ::testing::Values(SeriesTextCase{"abc      vs. defghijk", "abc", "defghijk"},
                                           SeriesTextCase{"ab  cd   vs. x       ", "ab cd", "x"},
                                           SeriesTextCase{"abcdef x vs. ab cd   ", "abcdefx", "ab cd"},
                                           SeriesTextCase{"abcdefgh vs. a", "abcdefgh", "a"},
                                           SeriesTextCase{"St Louis vs. New York", "St Louis", "New York"}));

TEST(SeriesText, TheUpperTeamIsHomeOnlyWhenItsButtonIsDown) {
    Bracket bracket;
    bracket.applyTeams({"CUBS", "REDS", "BLUES", "TIGERS", "A", "B", "C", "D"}); // series 1: CUBS vs. TIGERS
    EXPECT_EQ(teamsOfSeriesText("CUBS     vs. TIGERS  ", bracket), (SeriesTeamNames{"CUBS", "TIGERS"}));
    bracket.chooseHomeTeam(Bracket::lowerButton(1));
    EXPECT_EQ(teamsOfSeriesText("CUBS     vs. TIGERS  ", bracket), (SeriesTeamNames{"TIGERS", "CUBS"}));
    // A series whose buttons are hidden (decided) is not looked at.
    bracket.setSeriesButtonsShown(1, false);
    EXPECT_EQ(teamsOfSeriesText("CUBS     vs. TIGERS  ", bracket), (SeriesTeamNames{"CUBS", "TIGERS"}));
}

} // namespace
} // namespace kivp
