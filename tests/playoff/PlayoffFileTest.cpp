#include "playoff/PlayoffFile.h"
#include "platform/Error.h"
#include "support/RecordingPrompts.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kivp {
namespace {

using test::RecordingPrompts;
using test::TempDir;

// --- helpers -----------------------------------------------------------------------------------------------

TeamPicks eightTeams() {
    return {"Ash", "Birch", "Cedar", "Dogwood", "Elm", "Fir", "Gum", "Hazel"};
}
TeamPicks otherTeams() {
    return {"Oak", "Pine", "Rowan", "Spruce", "Teak", "Upas", "Vine", "Willow"};
}

// The upper team is at home by default, so these are upper-team wins.
void upperWins(Bracket& bracket, int series, int games) {
    for (int i = 0; i < games; ++i)
        bracket.creditGame(series, 1, 2);
}

Bracket playoffOfType(int type, bool inProgress) {
    Bracket bracket;
    if (type != 0)
        bracket.setPlayoffType(type);
    if (!inProgress)
        return bracket;
    bracket.applyTeams(eightTeams());
    switch (type) {
    case 0: // series 1 decided, series 2 under way
        upperWins(bracket, 1, 3);
        upperWins(bracket, 2, 1);
        break;
    case 1:
        upperWins(bracket, 5, 4);
        upperWins(bracket, 6, 2);
        break;
    default:
        upperWins(bracket, 7, 2);
    }
    return bracket;
}

// Everything the file carries, as the bracket shows it.
std::string playoffShown(const Bracket& bracket) {
    std::ostringstream out;
    out << "type " << bracket.playoffTypeIndex() << ", layout " << bracket.layoutType() << ", format "
        << bracket.formatIndex() << " of " << bracket.formatItems().size() << " (" << bracket.formatText()
        << ")\n";
    for (int slot = 1; slot <= kSlotCount; ++slot)
        out << "slot " << slot << " [" << bracket.slot(slot) << "]"
            << (slot <= kTeamSlotCount ? " wins [" + bracket.winCount(slot) + "]" : "") << "\n";
    for (int series = 1; series <= kSeriesCount; ++series)
        out << "series " << series << " state " << bracket.seriesState(series) << "\n";
    return out.str();
}

// The whole bracket, including what the file does not carry.
std::string everything(const Bracket& bracket) {
    std::ostringstream out;
    out << playoffShown(bracket);
    for (int n = kFirstHomeButton; n <= kLastHomeButton; ++n)
        out << "SpeedButton" << n << (bracket.speedButton(n).down ? " down" : " up")
            << (bracket.speedButton(n).shown ? " shown" : " hidden") << "\n";
    const auto& wins = bracket.winsNeeded();
    out << "warning " << bracket.updateOptionsLabel() << ", wins needed " << wins[0] << wins[1] << wins[2]
        << "\n";
    return out.str();
}

std::vector<bool> downStates(const Bracket& bracket) {
    std::vector<bool> down;
    for (int n = kFirstHomeButton; n <= kLastHomeButton; ++n)
        down.push_back(bracket.speedButton(n).down);
    return down;
}

std::string withEnds(const Lines& lines, std::string_view end) {
    std::string text;
    for (const auto& line : lines)
        text += line + std::string(end);
    return text;
}

// A playoff file written by hand, every line distinct: a four-team playoff, format "3-3", with a
// Windows team folder.
Lines handWrittenFile() {
    return {"1",  "4",  "s1",  "s2",    "s3",  "s4",  "s5",  "s6",
            "s7", "s8", "Ash", "Birch", "Elm", "Fir", "Ash", "Fir",
            "",   "w1", "w2",  "w3",    "w4",  "w5",  "w6",  "w7",
            "w8", "2",  "1",   "0",     "2",   "1",   "0",   "C:\\KIV\\Teams",
            "-1", "-1", "-1",  "-1",    "1",   "1",   "0"};
}

// --- round trips -------------------------------------------------------------------------------------------

struct RoundTrip {
    const char* name;
    int type;
    bool inProgress;
};

void PrintTo(const RoundTrip& trip, std::ostream* os) {
    *os << trip.name;
}

class PlayoffRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(PlayoffRoundTrip, RestoresThePlayoffWithTheLayoutOfItsType) {
    const Bracket saved = playoffOfType(GetParam().type, GetParam().inProgress);
    TempDir dir;
    const auto path = dir.file("abc.kvp");
    savePlayoffFile(path, saved, "/home/me/league");
    const Lines lines = loadLines(path);
    ASSERT_EQ(lines.size(), 39u);
    EXPECT_EQ(test::readBytes(path), withEnds(lines, "\r\n"));

    // Loaded over a different playoff of another type, with its own home choices and warning.
    Bracket loaded;
    loaded.setPlayoffType((GetParam().type + 1) % 3);
    loaded.applyTeams(otherTeams());
    loaded.chooseHomeTeam(13);
    const auto downBefore = downStates(loaded);

    EXPECT_EQ(loadPlayoffFile(path, loaded), "/home/me/league");
    EXPECT_EQ(playoffShown(loaded), playoffShown(saved));
    EXPECT_EQ(loaded.layoutType(), GetParam().type);
    EXPECT_EQ(downStates(loaded), downBefore);
    EXPECT_TRUE(loaded.updateOptionsLabel());
    for (int series = 1; series <= kSeriesCount; ++series) {
        const bool open = saved.seriesState(series) == kSeriesOpen;
        EXPECT_EQ(loaded.speedButton(Bracket::upperButton(series)).shown, open) << series;
        EXPECT_EQ(loaded.speedButton(Bracket::lowerButton(series)).shown, open) << series;
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllTypes, PlayoffRoundTrip,
    ::testing::Values(RoundTrip{"FreshEightTeams", 0, false}, RoundTrip{"EightTeamsInProgress", 0, true},
                      RoundTrip{"FreshFourTeams", 1, false}, RoundTrip{"FourTeamsInProgress", 1, true},
                      RoundTrip{"FreshTwoTeams", 2, false}, RoundTrip{"TwoTeamsInProgress", 2, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlayoffFileSave, WritesTheFreshBracketLineByLine) {
    TempDir dir;
    const auto path = dir.file("fresh.kvp");
    savePlayoffFile(path, Bracket{}, "/teams");
    Lines expected = {"0",      "18",     "Team 1", "Team 4", "Team 2",
                      "Team 3", "Team 1", "Team 4", "Team 2", "Team 3"};
    for (const char* text : {" Winner T1/T4", " Winner T2/T3", "Winner T1/T4", "Winner T2/T3", "T1/T2/T3/T4",
                             "T1/T2/T3/T4", "Winner"})
        expected.push_back(text);
    expected.insert(expected.end(), 14, "0");
    expected.push_back("/teams");
    expected.insert(expected.end(), 7, "-1");
    EXPECT_EQ(test::readBytes(path), withEnds(expected, "\r\n"));
}

// --- files written elsewhere -------------------------------------------------------------------------------

struct LineEnd {
    const char* name;
    const char* end;
};

void PrintTo(const LineEnd& end, std::ostream* os) {
    *os << end.name;
}

class HandWrittenFile : public ::testing::TestWithParam<LineEnd> {};

TEST_P(HandWrittenFile, PutsEveryLineInItsPlace) {
    TempDir dir;
    const auto path = dir.write("WINDOWS.KVP", withEnds(handWrittenFile(), GetParam().end));
    Bracket bracket;
    EXPECT_EQ(loadPlayoffFile(path, bracket), "C:\\KIV\\Teams");

    EXPECT_EQ(bracket.playoffTypeIndex(), 1);
    EXPECT_EQ(bracket.layoutType(), 1);
    EXPECT_EQ(bracket.formatItems().size(), 10u);
    EXPECT_EQ(bracket.formatText(), "3-3");
    const std::vector<std::string> slots = {"s1",  "s2",    "s3",  "s4",  "s5",  "s6",  "s7", "s8",
                                            "Ash", "Birch", "Elm", "Fir", "Ash", "Fir", ""};
    const std::vector<std::string> wins = {"w1", "w2", "w3", "w4", "w5", "w6", "w7",
                                           "w8", "2",  "1",  "0",  "2",  "1",  "0"};
    for (int slot = 1; slot <= kSlotCount; ++slot)
        EXPECT_EQ(bracket.slot(slot), slots[static_cast<std::size_t>(slot - 1)]) << slot;
    for (int slot = 1; slot <= kTeamSlotCount; ++slot)
        EXPECT_EQ(bracket.winCount(slot), wins[static_cast<std::size_t>(slot - 1)]) << slot;
    const std::vector<int> states = {-1, -1, -1, -1, 1, 1, 0};
    for (int series = 1; series <= kSeriesCount; ++series)
        EXPECT_EQ(bracket.seriesState(series), states[static_cast<std::size_t>(series - 1)]) << series;

    // Saved again, the file comes back byte for byte in kivp's own line ends.
    const auto again = dir.file("again.kvp");
    savePlayoffFile(again, bracket, "C:\\KIV\\Teams");
    EXPECT_EQ(test::readBytes(again), withEnds(handWrittenFile(), "\r\n"));
}

INSTANTIATE_TEST_SUITE_P(LineEnds, HandWrittenFile,
                         ::testing::Values(LineEnd{"CrLf", "\r\n"}, LineEnd{"Lf", "\n"}, LineEnd{"Cr", "\r"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PlayoffFileLoad, AcceptsAByteOrderMarkAndIgnoresLinesAfterTheLast) {
    Lines lines = handWrittenFile();
    lines[0] = "\xEF\xBB\xBF" + lines[0];
    lines.push_back("");
    lines.push_back("a note someone added");
    const PlayoffFile file = PlayoffFile::fromLines(lines);
    EXPECT_EQ(file.playoffType, 1);
    EXPECT_EQ(file, PlayoffFile::fromLines(handWrittenFile()));
}

TEST(PlayoffFileLoad, HomeButtonsFollowTheSeriesStatesAndKeepTheirDownState) {
    Lines lines = handWrittenFile();
    lines[0] = "0";
    lines[1] = "18";
    const std::vector<std::string> states = {"1", "0", "-1", "0", "-1", "1", "0"};
    std::copy(states.begin(), states.end(), lines.begin() + 32);

    Bracket bracket; // start-up: first-round buttons shown, upper ones down
    PlayoffFile::fromLines(lines).applyTo(bracket);
    const std::vector<bool> shown = {false, false, true,  true,  false, false, true,
                                     true,  false, false, false, false, true,  true};
    for (int n = kFirstHomeButton; n <= kLastHomeButton; ++n)
        EXPECT_EQ(bracket.speedButton(n).shown, shown[static_cast<std::size_t>(n - 2)]) << "SpeedButton" << n;
    EXPECT_EQ(downStates(bracket), downStates(Bracket{}));
}

// --- files that cannot be used -----------------------------------------------------------------------------

struct BadFile {
    const char* name;
    std::vector<std::pair<int, std::string>> changes; // line number, new text
    std::size_t keepLines;
    std::string message;
};

void PrintTo(const BadFile& bad, std::ostream* os) {
    *os << bad.name;
}

class BadPlayoffFile : public ::testing::TestWithParam<BadFile> {};

TEST_P(BadPlayoffFile, IsRefusedAndChangesNothing) {
    Lines lines = handWrittenFile();
    for (const auto& [number, text] : GetParam().changes)
        lines[static_cast<std::size_t>(number - 1)] = text;
    lines.resize(std::min(lines.size(), GetParam().keepLines));
    TempDir dir;
    const auto path = dir.write("bad.kvp", withEnds(lines, "\r\n"));

    Bracket bracket = playoffOfType(0, true);
    bracket.chooseHomeTeam(5);
    const std::string before = everything(bracket);
    try {
        loadPlayoffFile(path, bracket);
        FAIL() << "loaded";
    } catch (const Error& error) {
        EXPECT_EQ(error.text(), GetParam().message);
    }
    EXPECT_EQ(everything(bracket), before);
}

const std::string kEmptyNotInteger = "'' is not a valid integer value";

INSTANTIATE_TEST_SUITE_P(
    Faults, BadPlayoffFile,
    ::testing::Values(
        BadFile{"EmptyFile", {}, 0, kEmptyNotInteger}, BadFile{"OneLineShort", {}, 38, kEmptyNotInteger},
        BadFile{"EndsAtTheTeamFolder", {}, 32, kEmptyNotInteger},
        BadFile{"TypeNotANumber", {{1, "1969-1993"}}, 39, "'1969-1993' is not a valid integer value"},
        BadFile{"FormatGivenAsText", {{2, "3-3"}}, 39, "'3-3' is not a valid integer value"},
        BadFile{"StateNotANumber", {{36, "open"}}, 39, "'open' is not a valid integer value"},
        BadFile{"LastStateEmpty", {{39, ""}}, 39, kEmptyNotInteger},
        BadFile{"TrailingSpace", {{33, "0 "}}, 39, "'0 ' is not a valid integer value"},
        BadFile{"TypePastTheList", {{1, "3"}}, 39, "List index out of bounds (3)"},
        BadFile{"TypeNegative", {{1, "-1"}}, 39, "List index out of bounds (-1)"},
        BadFile{"FormatPastEightTeamList", {{1, "0"}, {2, "20"}}, 39, "List index out of bounds (20)"},
        BadFile{"FormatPastFourTeamList", {{2, "10"}}, 39, "List index out of bounds (10)"},
        BadFile{"FormatPastTwoTeamList", {{1, "2"}, {2, "4"}}, 39, "List index out of bounds (4)"},
        BadFile{"FormatNegative", {{2, "-1"}}, 39, "List index out of bounds (-1)"},
        // With several faults, the first faulty line in the file is the one named.
        BadFile{"BadTypeInAShortFile", {{1, "x"}}, 20, "'x' is not a valid integer value"},
        BadFile{"TypeOutOfRangeBeforeBadState", {{1, "7"}, {33, "bad"}}, 39, "List index out of bounds (7)"},
        BadFile{"TypeOutOfRangeBeforeBadFormat", {{1, "9"}, {2, "bad"}}, 39, "List index out of bounds (9)"},
        BadFile{
            "BadFormatBeforeBadState", {{2, "bad"}, {34, "worse"}}, 39, "'bad' is not a valid integer value"},
        BadFile{"FirstBadStateNamed", {{35, "x"}, {37, "y"}}, 39, "'x' is not a valid integer value"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlayoffFileLoad, MissingFileIsReportedAndChangesNothing) {
    TempDir dir;
    Bracket bracket = playoffOfType(1, true);
    const std::string before = everything(bracket);
    try {
        loadPlayoffFile(dir.file("none.kvp"), bracket);
        FAIL();
    } catch (const Error& error) {
        EXPECT_EQ(error.text(), "Cannot open file " + dir.file("none.kvp"));
    }
    EXPECT_EQ(everything(bracket), before);
}

TEST(LoadPlayoffCommand, AsksForAFileAndChangesNothingWhenCancelled) {
    RecordingPrompts prompts;
    Bracket bracket = playoffOfType(0, true);
    const std::string before = everything(bracket);
    EXPECT_FALSE(loadPlayoff(bracket, prompts).has_value());
    EXPECT_EQ(everything(bracket), before);
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].kind, "file");
    EXPECT_EQ(prompts.calls[0].message.title, "Load KIV Playoff Setup");
    EXPECT_EQ(prompts.calls[0].filter, "KIV Playoff File|*.kvp");

    TempDir dir;
    prompts.files.push_back(dir.write("x.kvp", withEnds(handWrittenFile(), "\r\n")));
    EXPECT_EQ(loadPlayoff(bracket, prompts), "C:\\KIV\\Teams");
    EXPECT_EQ(bracket.slot(9), "Ash");
    EXPECT_TRUE(prompts.messages().empty());
}

// --- saving ------------------------------------------------------------------------------------------------

TEST(PlayoffSaveTarget, StatisticsFileNameOrTheDefaultWithANotice) {
    const auto named = playoffSaveTarget("/prog", "abc");
    EXPECT_EQ(named.path, "/prog/abc.kvp");
    EXPECT_FALSE(named.notice.has_value());

    const auto unnamed = playoffSaveTarget("/prog", "");
    EXPECT_EQ(unnamed.path, "/prog/playoff1.kvp");
    EXPECT_EQ(unnamed.notice,
              "There is no file name set up for this playoff.  \n\nWithout a filename in the stat "
              "file box in the options screen,\nKIV Playoffs will save this file under the name "
              "playoff1.kvp");
}

TEST(SavePlayoffCommand, ShowsTheNoticeOnlyWithoutANameAndOverwritesSilently) {
    TempDir dir;
    RecordingPrompts prompts;
    Bracket bracket = playoffOfType(0, false);

    EXPECT_EQ(savePlayoff(bracket, "/teams", dir.path(), "", prompts), dir.file("playoff1.kvp"));
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0], kNoPlayoffFileNameMessage);
    EXPECT_EQ(loadLines(dir.file("playoff1.kvp"))[2], "Team 1");

    prompts.clear();
    savePlayoff(bracket, "/teams", dir.path(), "abc", prompts);
    bracket.applyTeams(eightTeams());
    savePlayoff(bracket, "/teams", dir.path(), "abc", prompts);
    EXPECT_TRUE(prompts.calls.empty());
    EXPECT_EQ(loadLines(dir.file("abc.kvp"))[2], "Ash");
    EXPECT_EQ(test::entries(dir.path()), (std::vector<std::string>{"abc.kvp", "playoff1.kvp"}));
}

TEST(PlayoffFileSave, UnwritableTargetIsReportedAndKeepsTheEarlierFile) {
    TempDir dir;
    const auto path = dir.write("locked.kvp", "earlier\r\n");
    test::chmodPath(path, 0444);
    try {
        savePlayoffFile(path, Bracket{}, "/teams");
        FAIL();
    } catch (const Error& error) {
        EXPECT_EQ(error.text(), "Cannot create file " + path);
    }
    EXPECT_EQ(test::readBytes(path), "earlier\r\n");
}

TEST(PlayoffFileSave, RefusesTextsWithLineBreaksAndKeepsTheEarlierFile) {
    TempDir dir;
    const auto path = dir.write("abc.kvp", "earlier\r\n");
    Bracket bracket;
    bracket.setSlot(3, "Two\nLines");
    EXPECT_THROW(savePlayoffFile(path, bracket, "/teams"), Error);
    EXPECT_THROW(savePlayoffFile(path, Bracket{}, "/my\rteams"), Error);
    EXPECT_EQ(test::readBytes(path), "earlier\r\n");
    EXPECT_EQ(test::entries(dir.path()), (std::vector<std::string>{"abc.kvp"}));
}

} // namespace
} // namespace kivp
