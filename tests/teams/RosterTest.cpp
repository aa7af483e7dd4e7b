#include "teams/Roster.h"

#include "platform/Error.h"
#include "platform/Paths.h"
#include "support/RecordingPrompts.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kivp {
namespace {

// A line of width spaces with each text written from its column (1-based) on; the line grows when a text
// runs past.
std::string columns(std::size_t width,
                    std::initializer_list<std::pair<std::size_t, std::string_view>> texts) {
    std::string line(width, ' ');
    for (const auto& [first, text] : texts) {
        line.resize(std::max(line.size(), first - 1 + text.size()), ' ');
        line.replace(first - 1, text.size(), text);
    }
    return line;
}

// Name 10-26, AB 28-30, H 32-34, HR 45-46, RBI 56-58.
std::string batterLine(std::string_view name, std::string_view atBats, std::string_view hits,
                       std::string_view homeRuns = " 9", std::string_view runsBattedIn = " 40") {
    return columns(60, {{1, "SS"}, {10, name}, {28, atBats}, {32, hits}, {45, homeRuns}, {56, runsBattedIn}});
}

// Name 10-26, IP 28-30, SO 52-54, ERA 56-58, W 63-64, L 66-67, GS 77-78.
std::string pitcherLine(std::string_view name, std::string_view gamesStarted, std::string_view era = "345",
                        std::string_view wins = "12", std::string_view losses = " 7",
                        std::string_view innings = "201", std::string_view strikeouts = "150") {
    return columns(78, {{1, "P"}, {10, name}, {28, innings}, {52, strikeouts}, {56, era}, {63, wins},
                        {66, losses}, {77, gamesStarted}});
}

const std::string kPitHeading = "*Pitchers         IP   H   R  ER";
const std::string kBenchHeading = "*Bench            AB   H";

std::vector<std::string> nineBatters() {
    std::vector<std::string> batters;
    for (int i = 1; i <= 9; ++i)
        batters.push_back(batterLine("Batter " + std::to_string(i), "400", "100"));
    return batters;
}

// The title, the lineup (cut or padded to nine lines), "*Pit" and the rest as given.
Lines teamLines(std::vector<std::string> batters, const Lines& pitcherSection) {
    Lines lines{"*Testville Testers          demo"};
    batters.resize(9);
    lines.insert(lines.end(), batters.begin(), batters.end());
    lines.push_back(kPitHeading);
    lines.insert(lines.end(), pitcherSection.begin(), pitcherSection.end());
    return lines;
}

std::string layoutMessage(int line, int position, const std::string& text, const char* section = "Pitcher",
                          const std::string& fileName = "TEST.dat") {
    return "Error decoding team:\nFile name:  " + fileName + "\nin line " + std::to_string(line) +
           ", position " + std::to_string(position) + " --" + text +
           "--\n\nThe line may be out of KIV .dat alignment.  Please check \nthe spacing of the statistics "
           "in the " +
           section + " section.";
}

std::vector<PitcherRow> starterRows(const TeamSheet& sheet) {
    std::vector<PitcherRow> rows;
    for (const auto& pitcher : sheet.pitchers) {
        if (pitcher.starter)
            rows.push_back(pitcher.row());
    }
    return rows;
}

std::vector<std::string> lineupRows(const TeamSheet& sheet) {
    std::vector<std::string> rows;
    for (const auto& batter : sheet.lineup)
        rows.push_back(std::to_string(batter.line) + ": " + batter.row());
    return rows;
}

// --- pitchers ----------------------------------------------------------------------------------------------

TEST(PitcherSection, StartersShowTheirColumnsAndTheOrdinalCountsRelievers) {
    // Blank games-started columns count as "0": "  " and "0 " are relievers, "1 " is ten starts.
    const auto sheet = readTeamSheet(
        teamLines(nineBatters(), {pitcherLine("Kit Elderkin", "33", "332", "13", "14", "207", "150"),
                                  pitcherLine("Al  Jones", "  "), pitcherLine("A B C", "0 "),
                                  pitcherLine("Ulric Thistlewood", "1 "), pitcherLine("X", "-1"),
                                  pitcherLine("Al  Jones", " 5", "345", " 9", "12", " 61", " 48"),
                                  pitcherLine("A B C", "12")}),
        "TEST.dat");
    // A name ends at its first double space or at column 26.
    EXPECT_EQ(starterRows(sheet),
              (std::vector<PitcherRow>{{"1", "Kit Elderkin", "13-14", "3.32", "150", "207", "33"},
                                       {"4", "Ulric Thistlewood", "12-7", "3.45", "150", "201", "1"},
                                       {"6", "Al", "9-12", "3.45", "48", "61", "5"},
                                       {"7", "A B C", "12-7", "3.45", "150", "201", "12"}}));
    EXPECT_TRUE(sheet.problems.empty());
}

struct SectionCase {
    const char* name;
    Lines section; // the lines after "*Pit"
    std::vector<std::string> starters;
    std::vector<std::string> problems;
};

TEST(PitcherSection, EndsAtTheBenchOrTheLastLineAndSkipsAndDescribesWhatDoesNotFit) {
    const std::vector<SectionCase> table = {
        {"MalformedLinesNameTheirColumn",
         {pitcherLine("Good One", "30"), columns(60, {{10, "Short"}}), columns(77, {{10, "Cut"}, {77, "3"}}),
          pitcherLine("Bad Starts", "x1"), pitcherLine("Good Two", "25"), kBenchHeading,
          batterLine("Bench Player", "120", " 30")},
         {"1", "5"},
         {layoutMessage(12, 76, ""), layoutMessage(13, 77, "3"), layoutMessage(14, 77, "x1")}},
        // The pitcher before a short line keeps his row and the message quotes his games started (a
        // reliever's as the starter test saw them); the short line is then read as a pitcher line itself.
        {"AShortLineIsReportedAtColumn77OfThePitcherBefore",
         {pitcherLine("Starter", "30"), "", pitcherLine("Reliever", "  "), "x", pitcherLine("After", "20")},
         {"1", "5"},
         {layoutMessage(11, 77, "30"), layoutMessage(12, 76, ""), layoutMessage(13, 77, "00"),
          layoutMessage(14, 76, "")}},
        {"NoBenchHeadingEndsQuietlyAtTheLastLine",
         {pitcherLine("First", "30"), pitcherLine("Second", "  "), pitcherLine("Last", "9 ")},
         {"1", "3"}, {}},
        {"HeadingOnly", {}, {}, {}},
        {"BenchHeadingEndsIt", {pitcherLine("Starter", "30"), "*Bench", pitcherLine("Bat", "30")}, {"1"}, {}},
        {"ShortBenchHeadingEndsIt",
         {pitcherLine("Starter", "30"), "* Bench players", pitcherLine("Bat", "30")}, {"1"}, {}},
        {"AMalformedLastPitcherDoesNotCarryReadingIntoTheBench",
         {pitcherLine("Starter", "30"), columns(50, {{10, "Broken"}}), kBenchHeading, pitcherLine("B", "12")},
         {"1"},
         {layoutMessage(12, 76, "")}}};
    for (const auto& c : table) {
        SCOPED_TRACE(c.name);
        const auto sheet = readTeamSheet(teamLines(nineBatters(), c.section), "TEST.dat");
        std::vector<std::string> numbers;
        for (const auto& row : starterRows(sheet))
            numbers.push_back(row.number);
        EXPECT_EQ(numbers, c.starters);
        EXPECT_EQ(sheet.problems, c.problems);
    }
}

// --- lineup ------------------------------------------------------------------------------------------------

// The lineup rows pad the figures; a line that does not convert, is too short for a column or is not a
// batter's is described or skipped.
TEST(Lineup, RowsPadTheFiguresAndWhatDoesNotFitIsDescribedOrSkipped) {
    auto batters = nineBatters();
    batters[0] = batterLine("Ulric Halloway", " 21", "  5", " 3", " 17");
    batters[1] = batterLine("Left Aligned", "21 ", "5  ", "3 ", "17 ");
    batters[2] = batterLine("Big Numbers", "583", "168", "38", "116");
    batters[3] = batterLine("Bad Hits", "400", "ab ");
    batters[4] = batterLine("Bad At Bats", "   ", " 12");
    batters[5] = columns(40, {{10, "Forty Wide"}, {28, "400"}, {32, "100"}});
    batters[6] = columns(57, {{10, "Cut In Rbi"}, {28, "400"}, {32, "100"}, {56, " 4"}});
    batters[7] = batterLine("Before Blank", "400", "100", " 7");
    batters[8] = "";
    const auto sheet = readTeamSheet(teamLines(batters, {pitcherLine("P", "30")}), "TEST.dat");
    EXPECT_EQ(lineupRows(sheet), (std::vector<std::string>{"1: Ulric Halloway      5  21  .239  17  3",
                                                           "2: Left Aligned        5  21  .239  17  3",
                                                           "3: Big Numbers       168 583  .289 116 38",
                                                           "4: Bad Hits           ab 400  .000  40  9",
                                                           "5: Bad At Bats        12      .000  40  9",
                                                           "8: Before Blank      100 400  .250  40  7"}));
    // A row whose next line is too short for the "*Pit" test stays; the message names its last column read.
    EXPECT_EQ(sheet.problems,
              (std::vector<std::string>{
                  "Conversion Error\n\nCould not convert:  total hits\nline #:  4\nplayer:  "
                  "Bad Hits         \n\nerror data:   ab",
                  "Conversion Error\n\nCould not convert:  total at bats\nline #:  5\nplayer:  "
                  "Bad At Bats      \n\nerror data:     ",
                  layoutMessage(6, 55, "", "Batter"), layoutMessage(7, 57, "4", "Batter"),
                  layoutMessage(8, 45, "7", "Batter")}));
    // A line of up to 35 characters is no batter's, and "*Pit" ends the lineup early.
    const auto early = readTeamSheet(
        teamLines({batterLine("One", "400", "100"), columns(35, {{10, "Thirty Five"}}),
                   batterLine("Three", "4", "1"), kPitHeading, batterLine("After", "400", "100")},
                  {}),
        "TEST.dat");
    EXPECT_EQ(lineupRows(early), (std::vector<std::string>{"1: One               100 400  .250  40  9",
                                                           "3: Three               1   4  .250  40  9"}));
    EXPECT_TRUE(early.problems.empty());
}

// --- averages and numbers ----------------------------------------------------------------------------------

TEST(BattingAverage, RoundsTheThousandthsUpAndShowsZeroWhenThereIsNothingToDivide) {
    const std::vector<std::array<const char*, 3>> table = {
        {"  1", "  3", " .334"}, {"  0", "  4", " .000"}, {"  4", "  4", "1.000"}, {"  1", " 20", " .050"},
        {"  0", "  0", " .000"}, {"  5", "  0", " .000"}, {"  3", " 10", " .300"},
        {"-5", "300", " .000"},  {"5", "-300", " .000"}}; // negative figures come only from damaged files
    for (const auto& [hits, atBats, shown] : table)
        EXPECT_EQ(battingAverage(hits, atBats), shown) << hits << "/" << atBats;
}

TEST(DecimalText, ReadsPlainDecimalsOnly) {
    const std::vector<std::pair<const char*, std::optional<double>>> table = {
        {"  12 ", 12.0},      {"-3", -3.0},         {"+3", 3.0},         {"1.5", 1.5},
        {".5", 0.5},          {"", std::nullopt},   {".", std::nullopt}, {"1.2.3", std::nullopt},
        {"$1", std::nullopt}, {"1 2", std::nullopt}};
    for (const auto& [text, value] : table)
        EXPECT_EQ(parseDecimal(text), value) << '"' << text << '"';
}

// --- reading a team's file ---------------------------------------------------------------------------------

// The file is found ignoring case; its messages are shown in file order, and only when asked for.
TEST(ReadRoster, ListsStartersAndLineupAndShowsTheMessagesOnlyWhenAsked) {
    for (const bool detailed : {false, true}) {
        test::RecordingPrompts prompts;
        const Roster roster =
            readRoster(KIVP_TEST_DATA "/rosters", detailed ? "MESSY" : "messy", detailed, prompts);
        ASSERT_EQ(roster.pitchers.size(), 2u);
        EXPECT_EQ(roster.pitchers[1].name, "Starter B");
        EXPECT_EQ(roster.lineup.size(), 6u);
        const auto messages = prompts.messages();
        ASSERT_EQ(prompts.calls.size(), detailed ? 4u : 0u);
        if (detailed) {
            EXPECT_EQ(messages[0], layoutMessage(13, 76, "", "Pitcher", "MESSY.dat"));
            EXPECT_NE(messages[1].find("Could not convert:  total hits\nline #:  2"), std::string::npos);
            EXPECT_NE(messages[2].find("in line 4, position 55 ----"), std::string::npos);
            EXPECT_NE(messages[3].find("in line 9, position 55 ----"), std::string::npos);
        }
    }
    test::RecordingPrompts prompts;
    EXPECT_THAT([&] { readRoster(KIVP_TEST_DATA "/rosters", "GONE", true, prompts); },
                ::testing::ThrowsMessage<Error>("Cannot open file " + joinPath(KIVP_TEST_DATA "/rosters", "GONE.dat")));
}

// --- the series list's entries -----------------------------------------------------------------------------

// An entry names the upper team first, at home unless its series' shown upper home button is up.
TEST(SeriesText, NamesDropPaddingAndTheUpperTeamIsHomeUnlessItsButtonIsUp) {
    Bracket bracket;
    for (const auto& [text, home, visitor] :
         std::vector<std::array<const char*, 3>>{{"abc      vs. defghijk", "abc", "defghijk"},
                                                 {"ab  cd   vs. x       ", "ab cd", "x"},
                                                 {"abcdef x vs. ab cd   ", "abcdefx", "ab cd"},
                                                 {"abc", "abc", ""}})
        EXPECT_EQ(teamsOfSeriesText(text, bracket), (SeriesTeamNames{home, visitor})) << text;
    bracket.applyTeams({"CUBS", "REDS", "BLUES", "TIGERS", "A", "B", "C", "D"}); // series 1: CUBS vs. TIGERS
    const std::string entry = "CUBS     vs. TIGERS  ";
    EXPECT_EQ(teamsOfSeriesText(entry, bracket), (SeriesTeamNames{"CUBS", "TIGERS"}));
    bracket.chooseHomeTeam(Bracket::lowerButton(1));
    EXPECT_EQ(teamsOfSeriesText(entry, bracket), (SeriesTeamNames{"TIGERS", "CUBS"}));
    bracket.setSeriesButtonsShown(1, false); // decided: not looked at
    EXPECT_EQ(teamsOfSeriesText(entry, bracket), (SeriesTeamNames{"CUBS", "TIGERS"}));
}

} // namespace
} // namespace kivp
