// The journal on its own: undo and redo over random playoffs, and the journal through a playoff file and
// back.

#include "journal/Journal.h"
#include "journal/GameLog.h"
#include "platform/TextFile.h"
#include "playoff/PlayoffFile.h"
#include "support/TableRows.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <random>

namespace kivp {
namespace {

using test::PrintTo;

// A playoff of any type (a custom one of any field) played by a user who picks series at random, now and then
// changes a home team, the format or even the classic playoff type between games, and sees ties. Every game goes
// through the journal.
class RandomPlayoff {
public:
    explicit RandomPlayoff(unsigned start) : m_random(start) {
        const int type = number(0, kPlayoffTypeCount - 1);
        bracket.setCustomBracket({number(kCustomFewestTeams, kCustomMostTeams), number(1, 2)});
        bracket.setPlayoffType(type);
        bracket.selectFormat(number(0, static_cast<int>(bracket.formatItems().size()) - 1));
        bracket.applyTeams({"ASHVALE", "BRINDLE", "COPPERTN", "DUNMERE", "MARROWDL", "FAIRHOLW", "GLENROCK",
                            "HOLLISFD", "IRONWOOD", "JASPERTN", "KESTREL", "LARKHILL", "MOSSBANK", "NETHERBY",
                            "OAKRIDGE", "PINEFORD"});
    }

    // Plays one game; false once no series is open.
    bool playOne() {
        std::vector<int> open;
        for (int series = 1; series <= bracket.seriesCount(); ++series)
            if (bracket.seriesState(series) == kSeriesOpen)
                open.push_back(series);
        if (open.empty() || journal.size() >= 150)
            return false;
        const int series = open[static_cast<std::size_t>(number(0, static_cast<int>(open.size()) - 1))];
        if (bracket.homeChoice(series) == HomeChoice::None || number(0, 3) == 0) {
            bracket.chooseHomeTeam(Bracket::upperButton(series) + number(0, 1)); // or the lower one
            bracket.setUpdateOptionsLabel(false); // the options were confirmed
        }
        if (number(0, 7) == 0)
            bracket.selectFormat(number(0, static_cast<int>(bracket.formatItems().size()) - 1));
        if (isClassicType(bracket.playoffTypeIndex()) && number(0, 40) == 0)
            bracket.setPlayoffType(number(0, kClassicTypeCount - 1));
        const int visitor = number(0, 12);
        const int home = number(0, 4) == 0 ? visitor : number(0, 12);
        befores.push_back(bracket);
        // Line scores as the simulator may write them: spaces at either end, an "=", a blank line.
        journal.credit(bracket, series, {visitor, home},
                       {"Final = " + std::to_string(journal.size()), "    1 2 3  R ", "",
                        "V  " + std::to_string(visitor)},
                       "2025-03-14T09:26:5" + std::to_string(journal.size() % 10) + "+01:00");
        return true;
    }

    int number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    Bracket bracket;
    Journal journal;
    std::vector<Bracket> befores; // the bracket just before each game

private:
    std::mt19937 m_random;
};

// Undo decides the warning by its own rule, so brackets are compared on everything else.
Bracket withoutWarning(Bracket b) {
    b.setUpdateOptionsLabel(false);
    return b;
}

Lines savedLines(const test::TempDir& dir, const Bracket& bracket, const Journal& journal) {
    PlayoffExtras extras;
    journal.writeTo(extras);
    const std::string path = dir.file("p.kvp");
    savePlayoffFile(path, bracket, "C:\\KIV\\Teams", extras.toLines());
    return loadLines(path);
}

Journal readBack(const Lines& lines) {
    return Journal::readFrom(PlayoffExtras::fromFileLines(lines), PlayoffFile::fromLines(lines));
}

// Saved with the playoff, the journal reads back as it was, after the lines of a file without it (byte for byte,
// so that readers of the 39 lines read them unchanged) and the marker.
void expectKeptByItsFile(const test::TempDir& dir, const RandomPlayoff& playoff) {
    EXPECT_EQ(readBack(savedLines(dir, playoff.bracket, playoff.journal)).entries(), playoff.journal.entries());
    savePlayoffFile(dir.file("plain.kvp"), playoff.bracket, "C:\\KIV\\Teams");
    const std::string plain = test::readBytes(dir.file("plain.kvp"));
    EXPECT_EQ(test::readBytes(dir.file("p.kvp")).substr(0, plain.size() + 8), plain + kPlayoffExtrasMarker + "\r\n");
}

TEST(Journal, UndoTakesARandomPlayoffBackGameByGameAndRedoForwardAgainAndItsFileKeepsEveryGame) {
    test::TempDir dir;
    for (unsigned run = 1; run <= 120; ++run) {
        SCOPED_TRACE("random playoff " + std::to_string(run));
        RandomPlayoff playoff(run);
        const int savedAfter = playoff.number(1, 30);
        while (playoff.playOne()) {
            if (playoff.journal.size() == savedAfter)
                expectKeptByItsFile(dir, playoff);
        }
        const Bracket end = playoff.bracket;
        const int games = playoff.journal.size();
        ASSERT_GT(games, 0);
        for (int game = games - 1; game >= 0; --game) {
            playoff.journal.undo(playoff.bracket);
            ASSERT_EQ(withoutWarning(playoff.bracket),
                      withoutWarning(playoff.befores[static_cast<std::size_t>(game)]))
                << "undoing game " << game + 1 << " of " << games;
        }
        EXPECT_FALSE(playoff.journal.canUndo());
        while (playoff.journal.canRedo())
            playoff.journal.redo(playoff.bracket);
        EXPECT_EQ(withoutWarning(playoff.bracket), withoutWarning(end));
        EXPECT_EQ(playoff.journal.size(), games);
    }
}

// A home team picked since the game is taken back like a click on its button, so the options must be
// confirmed again.
TEST(JournalUndo, OfTheGameThatOpenedASeriesWithAHomeTeamPickedSinceRaisesTheWarning) {
    Bracket bracket;
    bracket.selectFormat(0); // "1-1-1": every game decides its series
    bracket.applyTeams({"ASHVALE", "BRINDLE", "COPPERTN", "DUNMERE", "", "", "", ""});
    Journal journal;
    journal.credit(bracket, 1, {2, 5}, {}, {});
    journal.credit(bracket, 2, {6, 1}, {}, {}); // the semi-final opens
    bracket.chooseHomeTeam(Bracket::lowerButton(5));
    bracket.setUpdateOptionsLabel(false);
    journal.undo(bracket);
    EXPECT_TRUE(bracket.updateOptionsLabel());
}

// A later type marks the home team of a series as it opens, so taking back the game that opened it (or
// putting it back) takes no choice of the user's back; a home team picked since in a series still open is,
// like a click.
TEST(JournalUndo, OnALaterTypeRaisesTheWarningOnlyForAHomeTeamPickedInASeriesStillOpen) {
    Bracket bracket;
    bracket.setPlayoffType(5);
    bracket.selectFormat(6); // "1-1-1-1"
    TeamPicks picks;
    for (std::size_t i = 0; i < picks.size(); ++i)
        picks[i] = "T" + std::to_string(i + 1);
    bracket.applyTeams(picks);
    Journal journal;
    journal.credit(bracket, 1, {2, 5}, {}, {}); // series 5 opens, its higher-ranked team marked
    journal.undo(bracket);
    EXPECT_FALSE(bracket.updateOptionsLabel());
    journal.redo(bracket);
    EXPECT_FALSE(bracket.updateOptionsLabel());
    bracket.chooseHomeTeam(Bracket::lowerButton(2));
    bracket.setUpdateOptionsLabel(false);
    journal.undo(bracket);
    EXPECT_TRUE(bracket.updateOptionsLabel());
}

// The undo question and the game log name each series by its round and half, on every tree.
TEST(GameLog, NamesEachSeriesByItsRoundAndHalf) {
    auto names = [](int type) {
        Bracket bracket;
        bracket.setPlayoffType(type);
        std::vector<std::string> list;
        for (int series = 1; series <= bracket.seriesCount(); ++series)
            list.push_back(seriesName(bracket, series));
        return list;
    };
    EXPECT_EQ(names(0), (std::vector<std::string>{
                            "Round 1, series 1 (left half)", "Round 1, series 2 (left half)",
                            "Round 1, series 3 (right half)", "Round 1, series 4 (right half)",
                            "Semi-final (left half)", "Semi-final (right half)", "Championship"}));
    EXPECT_EQ(names(3), (std::vector<std::string>{
                            "Wild Card (American League)", "Wild Card (National League)",
                            "Division Series, series 1 (American League)", "Division Series, series 2 (American League)",
                            "Division Series, series 1 (National League)", "Division Series, series 2 (National League)",
                            "League Series (American League)", "League Series (National League)", "Championship"}));
}

// --- journals in files that cannot all be used ---

struct FileCase {
    const char* name;
    std::function<void(Lines&)> edit;
    const char* outcome; // "read" (as saved), "empty" or "left out"
};

std::size_t lineOf(const Lines& lines, const std::string& start, int nth = 1) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind(start, 0) == 0 && --nth == 0)
            return i;
    }
    throw std::runtime_error("no line " + start);
}

class JournalFileCase : public ::testing::TestWithParam<FileCase> {};

TEST_P(JournalFileCase, IsReadOnlyWhenItAgreesWithTheBracket) {
    // Four teams, "1-3": both semi-finals decided in one game each, then two championship games.
    Bracket bracket;
    bracket.setPlayoffType(1);
    bracket.selectFormat(1);
    bracket.applyTeams({"ASHVALE", "BRINDLE", "", "", "COPPERTN", "DUNMERE", "", ""});
    Journal journal;
    journal.credit(bracket, 5, {3, 4}, {"L1", "L2"}, "t1");
    journal.credit(bracket, 6, {7, 2}, {"L3"}, "t2");
    bracket.chooseHomeTeam(Bracket::upperButton(7));
    bracket.setUpdateOptionsLabel(false);
    journal.credit(bracket, 7, {1, 0}, {"L4"}, "t3");
    journal.credit(bracket, 7, {5, 5}, {"L5"}, "t4");
    test::TempDir dir;
    Lines lines = savedLines(dir, bracket, journal);
    GetParam().edit(lines);

    std::string outcome = "left out";
    try {
        const Journal read = readBack(lines);
        outcome = read.empty() ? "empty" : read.entries() == journal.entries() ? "read" : "read otherwise";
    } catch (const JournalUnreadable&) {
    }
    EXPECT_EQ(outcome, GetParam().outcome);
}

INSTANTIATE_TEST_SUITE_P(
    Files, JournalFileCase,
    ::testing::Values(
        FileCase{"WithAnotherPartsLinesAndKeysOfALaterKivp",
                 [](Lines& l) {
                     l.insert(l.begin() + 40, "home.pattern=U L U");
                     l.insert(l.begin() + static_cast<long>(lineOf(l, "journal.line=L3")), "journal.note=x");
                     l.push_back("home.pattern=L");
                 },
                 "read"},
        FileCase{"OfThirtyNineLines", [](Lines& l) { l.resize(39); }, "empty"},
        FileCase{"AfterALineFortyThatIsNotTheMarker", [](Lines& l) { l[39] = "[KIVP]"; }, "empty"},
        FileCase{"InALaterForm", [](Lines& l) { l[40] = "journal=2"; }, "left out"},
        FileCase{"CutOffAfterAGame", [](Lines& l) { l.resize(lineOf(l, "journal.game", 4)); }, "left out"},
        FileCase{"NamingAnotherVisitor",
                 [](Lines& l) { l[lineOf(l, "journal.visitor=", 2)] = "journal.visitor=BRINDLE"; },
                 "left out"},
        FileCase{"WithAGameNumberThatIsNotTheNext",
                 [](Lines& l) { l[lineOf(l, "journal.game=", 4)] = "journal.game=7 3 t4"; },
                 "left out"},
        FileCase{"WhoseStartLacksASlot", [](Lines& l) { l.erase(l.begin() + 41); }, "left out"},
        FileCase{"WithHomeButtonsWrittenOtherwise", [](Lines& l) { l[lineOf(l, "journal.before=")].back() = '7'; },
                 "left out"},
        FileCase{"BehindABracketWithAnotherWinCount", [](Lines& l) { l[29] = "2"; }, "left out"},
        FileCase{"BehindABracketWithAnotherChampion", [](Lines& l) { l[16] = "DUNMERE"; }, "left out"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kivp
