#include "playoff/PlayoffFile.h"
#include "platform/IntegerText.h"
#include "playoff/PlayoffExtras.h"
#include "platform/Error.h"
#include "support/RecordingPrompts.h"
#include "support/TempDir.h"
#include "support/TableRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace kivp {
namespace {

using test::PrintTo;

using test::TempDir;

// Eight teams under "5-7-7": series 1 decided, series 2 under way with its lower team at home.
Bracket eightInProgress() {
    Bracket bracket;
    bracket.applyTeams({"Oak", "Pine", "Rowan", "Spruce", "Teak", "Upas", "Vine", "Willow"});
    for (const int series : {1, 1, 1, 2})
        bracket.creditGame(series, 1, 2);
    bracket.chooseHomeTeam(5);
    return bracket;
}

// Everything the file carries as the bracket shows it, then the home buttons (down, shown), the warning and
// the wins needed, which the file does not carry.
std::string shown(const Bracket& bracket) {
    std::ostringstream out;
    out << "type " << bracket.playoffTypeIndex() << " layout " << bracket.layoutType() << " format "
        << bracket.formatIndex() << "/" << bracket.formatItems().size() << " " << bracket.formatText() << "\n";
    for (int slot = 1; slot <= kSlotCount; ++slot)
        out << bracket.slot(slot) << (slot < kSlotCount ? "|" : "\n");
    for (int slot = 1; slot <= kTeamSlotCount; ++slot)
        out << bracket.winCount(slot) << (slot < kTeamSlotCount ? "|" : "\n");
    for (int series = 1; series <= kSeriesCount; ++series)
        out << bracket.seriesState(series) << " ";
    for (int n = kFirstHomeButton; n <= kLastHomeButton; ++n)
        out << bracket.speedButton(n).down << bracket.speedButton(n).shown << " ";
    out << "warning " << bracket.updateOptionsLabel() << ", wins needed " << bracket.winsNeeded()[0]
            << bracket.winsNeeded()[1] << bracket.winsNeeded()[2];
    return out.str();
}

// A playoff file written by hand on Windows, every line distinct: a four-team playoff, format "3-3", with a team
// folder such as Windows writes.
Lines handWrittenFile() {
    return loadLines(std::string(KIVP_SOURCE_DIR) + "/tests/playoff/files/WINDOWS.KVP");
}

// --- files written elsewhere -------------------------------------------------------------------------------

// Loaded over a playoff of another type, it takes its type's layout and formats; the home buttons show for
// the open series only and keep their down states, and the warning and the wins needed stay as they were. A
// byte-order mark and lines after the last are no part of it.
TEST(PlayoffFileLoad, AWindowsFilePutsEveryLineInItsPlaceOverAnotherPlayoffAndSavesBackTheSame) {
    Lines lines = handWrittenFile();
    lines[0] = "\xEF\xBB\xBF" + lines[0];
    lines.insert(lines.end(), {"", "a note someone added"});
    TempDir dir;
    const auto path = dir.write("WINDOWS.KVP", joinLines(lines));
    Bracket bracket = eightInProgress();
    bracket.chooseHomeTeam(15);
    EXPECT_EQ(loadPlayoffFile(path, bracket), "C:\\KIV\\Teams");
    EXPECT_EQ(shown(bracket), "type 1 layout 1 format 4/10 3-3\n"
                              "s1|s2|s3|s4|s5|s6|s7|s8|Ash|Birch|Elm|Fir|Ash|Fir|\n"
                              "w1|w2|w3|w4|w5|w6|w7|w8|2|1|0|2|1|0\n"
                              "-1 -1 -1 -1 1 1 0 10 00 00 10 10 00 10 00 00 00 00 00 01 11 "
                              "warning 1, wins needed 344");

    savePlayoffFile(dir.file("again.kvp"), bracket, "C:\\KIV\\Teams");
    EXPECT_EQ(test::readBytes(dir.file("again.kvp")), joinLines(handWrittenFile()));
}

// --- files that cannot be used -----------------------------------------------------------------------------

// Loads path over a playoff in progress and returns the error's text; the playoff must not have changed.
std::string refusal(const std::string& path) {
    Bracket bracket = eightInProgress();
    const std::string before = shown(bracket);
    std::string text = "loaded";
    try {
        loadPlayoffFile(path, bracket);
    } catch (const Error& error) {
        text = error.text();
    }
    EXPECT_EQ(shown(bracket), before);
    return text;
}

struct BadFile {
    const char* name;
    std::vector<std::pair<int, std::string>> changes; // line number, new text
    std::size_t keepLines;
    std::string message;
};

class BadPlayoffFile : public ::testing::TestWithParam<BadFile> {};

TEST_P(BadPlayoffFile, IsRefusedAndChangesNothing) {
    Lines lines = handWrittenFile();
    for (const auto& [number, text] : GetParam().changes)
        lines[static_cast<std::size_t>(number - 1)] = text;
    lines.resize(std::min(lines.size(), GetParam().keepLines));
    TempDir dir;
    EXPECT_EQ(refusal(dir.write("bad.kvp", joinLines(lines))), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, BadPlayoffFile,
    ::testing::Values(
        BadFile{"EmptyFile", {}, 0, "'' is not a valid integer value"},
        BadFile{"OneLineShort", {}, 38, "'' is not a valid integer value"},
        BadFile{"FormatPastEightTeamList", {{1, "0"}, {2, "20"}}, 39, "List index out of bounds (20)"},
        BadFile{"FormatPastTwoTeamList", {{1, "2"}, {2, "4"}}, 39, "List index out of bounds (4)"},
        // With several faults, the first faulty line in the file is the one named.
        BadFile{"BadTypeInAShortFile", {{1, "1969-1993"}}, 20, "'1969-1993' is not a valid integer value"},
        BadFile{"TypePastTheListBeforeBadState", {{1, "3"}, {33, "bad"}}, 39, "List index out of bounds (3)"},
        BadFile{"FormatAsTextBeforeBadState", {{2, "3-3"}, {34, "x"}}, 39, "'3-3' is not a valid integer value"},
        BadFile{"FirstBadStateNamed", {{35, "x"}, {37, "y"}}, 39, "'x' is not a valid integer value"}),
    [](const auto& info) { return std::string(info.param.name); });

// A playoff of a later type, in kivp's own form (a "2022-" playoff four games in, its journal after it):
// loaded over an eight-team playoff it puts its own tree, ranks and home buttons on the bracket and saves back
// byte for byte; a reader of 39 lines refuses it at its first line.
TEST(PlayoffFileLoad, KivpsOwnFormPutsALaterTypeOnTheBracketAndSavesBackTheSame) {
    const std::string kept = std::string(KIVP_SOURCE_DIR) + "/tests/playoff/files/TWELVE.KVP";
    const Lines lines = loadLines(kept);
    Bracket bracket = eightInProgress();
    EXPECT_EQ(loadPlayoffFile(kept, bracket), "C:\\KIV\\Teams");
    EXPECT_EQ(bracket.playoffTypeText() + " " + bracket.formatText() + " " + std::to_string(bracket.seriesCount()),
              "2022- 3-5-7-7 11");
    EXPECT_EQ(bracket.slot(9) + " " + std::to_string(bracket.rankInSlot(10)) + " " +
                  std::to_string(bracket.homeSlot(5)),
              "ASHVALE 4 9");
    TempDir dir;
    const auto path = dir.file("again.kvp");
    savePlayoffFile(path, bracket, "C:\\KIV\\Teams", PlayoffExtras::fromFileLines(lines).toLines());
    EXPECT_EQ(test::readBytes(path), joinLines(lines));
    EXPECT_THROW(toInteger(lines.front()), Error);
}

struct BadOwnForm {
    const char* name;
    const char* line; // the line replaced, by its start
    const char* with;
    const char* message;
};

class BadOwnFormFile : public ::testing::TestWithParam<BadOwnForm> {};

TEST_P(BadOwnFormFile, IsRefusedAndChangesNothing) {
    Lines lines = loadLines(std::string(KIVP_SOURCE_DIR) + "/tests/playoff/files/TWELVE.KVP");
    const auto at = std::find_if(lines.begin(), lines.end(),
                                 [](const std::string& l) { return l.starts_with(GetParam().line); });
    ASSERT_NE(at, lines.end());
    *at = GetParam().with;
    TempDir dir;
    EXPECT_EQ(refusal(dir.write("bad.kvp", joinLines(lines))),
              std::string("This playoff file cannot be loaded: ") + GetParam().message + ".");
}

INSTANTIATE_TEST_SUITE_P(
    Faults, BadOwnFormFile,
    ::testing::Values(
        BadOwnForm{"LaterForm", "kivp playoff", "kivp playoff 2",
                   "it was written by a later kivp, in form 2 (this kivp reads form 1)"},
        BadOwnForm{"UnknownType", "type=", "type=1884-", "it names no playoff type kivp knows (\"1884-\")"},
        BadOwnForm{"FormatOfAnotherType", "format=", "format=5-7-7",
                   "its format \"5-7-7\" is not one of its playoff type's"},
        BadOwnForm{"SlotMissing", "slot=ASHVALE", "note=ASHVALE", "its bracket does not have the slots of a 2022- playoff"},
        BadOwnForm{"WinsNoSeriesReaches", "winCount=2", "winCount=6", "it holds the win count \"6\", which no series can reach"},
        BadOwnForm{"ButtonOutOfRange", "buttons=", "buttons=9", "its home buttons do not match its bracket"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LoadPlayoffCommand, AsksForAFileAndAMissingFileOrACancelChangesNothing) {
    TempDir dir;
    EXPECT_EQ(refusal(dir.file("none.kvp")), "Cannot open file " + dir.file("none.kvp"));
    test::RecordingPrompts prompts;
    Bracket bracket = eightInProgress();
    EXPECT_FALSE(loadPlayoff(bracket, prompts).has_value());
    EXPECT_EQ(shown(bracket), shown(eightInProgress()));
    EXPECT_EQ(prompts.calls.at(0).filter, "KIV Playoff File|*.kvp");
}

// --- saving ------------------------------------------------------------------------------------------------

// A text holding a line break would shift every later line: such a playoff is refused and the earlier file
// kept as it was.
TEST(SavePlayoffCommand, UsesTheStatisticsFileNameOrTheDefaultWithANoticeOverwritesSilentlyButRefusesLineBreaks) {
    TempDir dir;
    test::RecordingPrompts prompts;
    Bracket bracket;
    EXPECT_EQ(savePlayoff(bracket, "/teams", dir.path(), "", prompts), dir.file("playoff1.kvp"));
    EXPECT_EQ(prompts.messages(), std::vector<std::string>{kNoPlayoffFileNameMessage});

    prompts.clear();
    EXPECT_EQ(savePlayoff(bracket, "/teams", dir.path(), "abc", prompts), dir.file("abc.kvp"));
    bracket.setSlot(1, "Ash");
    savePlayoff(bracket, "/teams", dir.path(), "abc", prompts);
    EXPECT_TRUE(prompts.calls.empty());
    const std::string saved = test::readBytes(dir.file("abc.kvp"));
    EXPECT_EQ(loadLines(dir.file("abc.kvp"))[2], "Ash");

    bracket.setSlot(3, "Two\nLines");
    EXPECT_THROW(savePlayoff(bracket, "/teams", dir.path(), "abc", prompts), Error);
    EXPECT_THROW(savePlayoffFile(dir.file("abc.kvp"), Bracket{}, "/my\rteams"), Error);
    EXPECT_EQ(test::readBytes(dir.file("abc.kvp")), saved);
    EXPECT_EQ(test::entries(dir.path()), (std::vector<std::string>{"abc.kvp", "playoff1.kvp"}));
}

} // namespace
} // namespace kivp
