// The playoff report page: each fixed playoff gives exactly the page kept in tests/data/report, which a
// strict XML parser accepts; any text the page takes from team names or line scores stays well-formed; and a
// playoff of every type shows its whole bracket, series and games.

#include "report/PlayoffReport.h"
#include "run/HomeField.h"

#include "support/RecordingPrompts.h"
#include "support/TableRows.h"
#include "support/TempDir.h"
#include "support/XmlCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>

namespace kivp {
namespace {

using test::PrintTo;

struct TextCase {
    const char* name;
    std::string text;
    std::string shown;
};

class ReportTextCase : public ::testing::TestWithParam<TextCase> {};

// Every shown text is well-formed XML character data: markup escaped, bytes that are not UTF-8 replaced.
TEST_P(ReportTextCase, IsEscapedAndAlwaysValidXml) {
    EXPECT_EQ(reportText(GetParam().text), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReportTextCase,
    ::testing::Values(TextCase{"Markup", "R&D <B> \"x\" 'y'", "R&amp;D &lt;B&gt; &quot;x&quot; 'y'"},
                      TextCase{"Utf8KeptAsItIs", "Montr\xC3\xA9" "al \xE2\x9A\xBE", "Montr\xC3\xA9" "al \xE2\x9A\xBE"},
                      TextCase{"NameCutInsideACharacter", "abcdefg\xC3", "abcdefg\xEF\xBF\xBD"},
                      TextCase{"Latin1Byte", "caf\xE9!", "caf\xEF\xBF\xBD!"},
                      TextCase{"Overlong", "\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},
                      TextCase{"Surrogate", "\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
                      TextCase{"ControlCharacter", std::string("a\x01" "b\tc", 5), "a\xEF\xBF\xBD" "b\tc"},
                      TextCase{"NulByte", std::string("a\0b", 3), "a\xEF\xBF\xBD" "b"}),
    [](const auto& info) { return info.param.name; });

// A made-up line score in the simulator's shape: title, header with "R", visitor, home.
Lines lineScore(const std::string& visitor, const std::string& home, int visitorRuns, int homeRuns,
                int innings = 9) {
    std::string header = "         ";
    for (int inning = 1; inning <= innings; ++inning)
        header += (inning < 10 ? " " : "") + std::to_string(inning) + (inning % 3 == 0 ? " " : "");
    auto row = [innings](std::string name, int runs) {
        name.resize(10, ' ');
        for (int inning = 1; inning <= innings; ++inning)
            name += std::string(inning == 2 ? "1" : "0") + (inning % 3 == 0 ? "  " : " ");
        return name + (runs < 10 ? " " : "") + std::to_string(runs) + "  7  0";
    };
    return {visitor + " at " + home + ", a game", header + "  R  H  E", row(visitor, visitorRuns),
            row(home, homeRuns), ""};
}

// The fixed playoffs. "1995-" over "3-5-7" with a team whose name needs escaping: series 1 and 2 decided (so
// the left semi-final is set up but not started), series 3 led 1-0, series 4 tied 1-1, the right semi-final
// and the championship still to be played. "2022-" over "3-5-7-7" with that team and one whose name is too
// long for the bracket: the wild-card round of the American League over (the long name winning), so both its
// division series are open and one has a game of twelve innings played, the National League's 4/5 series led
// 1-0; ranks 1 and 2 of each league have their byes.
struct FixedPlayoff {
    Bracket bracket;
    std::vector<ReportGame> games;

    explicit FixedPlayoff(int playoffType = 0) {
        bracket.setPlayoffType(playoffType);
        if (playoffType == 0) {
            bracket.selectFormat(14); // "3-5-7"
            bracket.applyTeams(
                {"ASHVALE", "R&D<1>", "COPPERTN", "DUNMERE", "ELMSWRTH", "FAIRHOLW", "GLENROCK", "HOLLISFD"});
            for (int series = 1; series <= 4; ++series)
                bracket.chooseHomeTeam(series % 2 == 1 ? Bracket::upperButton(series)
                                                       : Bracket::lowerButton(series));
            const int classicGames[][3] = {{1, 3, 5}, {1, 2, 1}, {2, 0, 4}, {2, 6, 2}, {1, 4, 4},
                                           {2, 3, 8}, {3, 1, 0}, {4, 2, 3}, {4, 10, 3}};
            for (const auto& [series, visitorRuns, homeRuns] : classicGames)
                play(series, visitorRuns, homeRuns);
            return;
        }
        bracket.selectFormat(0); // "3-5-7-7"
        bracket.applyTeams({"ASHVALE", "BRINDLE", "R&D<1>", "DUNMERE", "GLENROCK", "HOLLISFD", "IVYWICK",
                            "JUNIPER", "WESTMINSTERABBEY", "FAIRHOLW", "", "", "KESTLER", "LORNEBRY"});
        const int laterGames[][3] = {{1, 2, 5}, {2, 1, 3}, {1, 6, 3}, {2, 0, 2}, {3, 1, 2}, {1, 4, 1}};
        for (const auto& [series, visitorRuns, homeRuns] : laterGames)
            play(series, visitorRuns, homeRuns);
        play(5, 4, 3, 12);
    }

    void play(int series, int visitorRuns, int homeRuns, int innings = 9) {
        const auto inSeries = [&](const ReportGame& game) { return game.series == series; };
        const int number = 1 + static_cast<int>(std::count_if(games.begin(), games.end(), inSeries));
        const std::string visitor = bracket.slot(bracket.visitorSlot(series));
        const std::string home = bracket.slot(bracket.homeSlot(series));
        games.push_back({series, number, visitor, home, visitorRuns, homeRuns,
                         lineScore(visitor, home, visitorRuns, homeRuns, innings)});
        bracket.creditGame(series, visitorRuns, homeRuns);
    }
};

class KeptReport : public ::testing::TestWithParam<std::pair<int, const char*>> {};

TEST_P(KeptReport, FixedPlayoffGivesItsKeptPageWhichParsesAsXml) {
    const auto& [playoffType, file] = GetParam();
    const FixedPlayoff playoff(playoffType);
    test::TempDir dir;
    const std::string path = dir.file("report.html");
    writePlayoffReport(path, playoff.bracket, playoff.games);
    EXPECT_EQ(test::xmlProblems(path), "");

    const std::string golden = std::string(KIVP_TEST_DATA) + "/report/" + file;
    // KIVP_UPDATE_GOLDEN=1 rewrites the kept page after an intended change; look at it before keeping it.
    if (std::getenv("KIVP_UPDATE_GOLDEN"))
        writePlayoffReport(golden, playoff.bracket, playoff.games);
    EXPECT_EQ(loadLines(path), loadLines(golden));
}

INSTANTIATE_TEST_SUITE_P(ClassicAndLater, KeptReport,
                         ::testing::Values(std::make_pair(0, "fixed-playoff.html"),
                                           std::make_pair(5, "fixed-2022.html")),
                         [](const auto& info) { return "Type" + std::to_string(info.param.first); });

TEST(PlayoffReport, MarksTheHomeTeamTheGamesWerePlayedWithNotTheOneTheButtonsShowNow) {
    const FixedPlayoff playoff;
    FixedPlayoff moved;
    for (int series = 1; series <= 4; ++series) {
        std::swap(moved.bracket.speedButton(Bracket::upperButton(series)).down,
                  moved.bracket.speedButton(Bracket::lowerButton(series)).down);
    }
    EXPECT_EQ(playoffReportLines(moved.bracket, moved.games),
              playoffReportLines(playoff.bracket, playoff.games));
}

// Every type played to a champion: the bracket shows each series' two teams once and every bye, the series
// table a row per series, every game is listed; a bracket too wide for a phone comes in parts that together
// show each team slot once.
struct TypeRow {
    const char* name;
    int playoffType;
    CustomBracket custom;
    int series;
    int byes;
    int parts; // 0: shown whole at every width
};

class EveryTypesReport : public ::testing::TestWithParam<TypeRow> {};

TEST_P(EveryTypesReport, ShowsTheBracketItsByesEverySeriesAndEveryGame) {
    const TypeRow& row = GetParam();
    Bracket bracket;
    bracket.setCustomBracket(row.custom);
    bracket.setPlayoffType(row.playoffType);
    TeamPicks picks;
    for (std::size_t i = 0; i < picks.size(); ++i)
        picks[i] = "TEAM" + std::to_string(i + 1);
    bracket.applyTeams(picks);
    std::vector<ReportGame> games;
    for (bool played = true; played;) {
        played = false;
        for (int series = 1; series <= bracket.seriesCount(); ++series) {
            if (!bracket.seriesPlayable(series))
                continue;
            if (bracket.homeChoice(series) == HomeChoice::None)
                bracket.chooseHomeTeam(Bracket::lowerButton(series));
            const std::string visitor = bracket.slot(bracket.visitorSlot(series));
            const std::string home = bracket.slot(bracket.homeSlot(series));
            const int visitorRuns = games.size() % 3 == 0 ? 4 : 2; // the visitor wins every third game
            games.push_back({series, 1 + gamesPlayed(bracket, series), visitor, home, visitorRuns, 3,
                             lineScore(visitor, home, visitorRuns, 3)});
            bracket.creditGame(series, visitorRuns, 3);
            played = true;
        }
    }
    ASSERT_EQ(bracket.seriesState(bracket.seriesCount()), kSeriesDecided);

    test::TempDir dir;
    const std::string page = dir.file("report.html");
    writePlayoffReport(page, bracket, games);
    ASSERT_EQ(test::xmlProblems(page), "");
    const auto count = [&](const std::string& path) {
        return std::stoi(test::xpath(page, "count(" + path + ")"));
    };
    const std::string whole = "//*[local-name()='svg'][@class='whole']";
    const std::string teams = "/*[starts-with(@class, 'team')]";
    EXPECT_EQ(count(whole + teams), 2 * row.series);
    EXPECT_EQ(count(whole + "/*[@class='bye']"), row.byes);
    EXPECT_EQ(count("//*[local-name()='tbody']/*"), row.series);
    EXPECT_EQ(count("//*[@class='game']"), static_cast<int>(games.size()));
    const std::string parts = "//*[@class='stacked']/*[local-name()='svg']";
    EXPECT_EQ(count(parts), row.parts);
    if (row.parts > 0) {
        EXPECT_EQ(count(parts + teams), 2 * row.series);
        EXPECT_EQ(count(parts + "/*[@class='bye']"), row.byes);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Types, EveryTypesReport,
    ::testing::Values(TypeRow{"EightTeams", 0, {}, 7, 0, 3},
                      TypeRow{"FourTeams", 1, {}, 3, 0, 0},
                      TypeRow{"TwoTeams", 2, {}, 1, 0, 0},
                      TypeRow{"From2012To2021", 3, {}, 9, 6, 3},
                      TypeRow{"Of2020", 4, {}, 15, 0, 3},
                      TypeRow{"From2022", 5, {}, 11, 4, 3},
                      TypeRow{"CustomOneHalfOfTen", kCustomType, {10, 1}, 9, 6, 2},
                      TypeRow{"CustomOneHalfOfThree", kCustomType, {3, 1}, 2, 1, 0},
                      TypeRow{"CustomUnevenHalvesOfSeven", kCustomType, {7, 2}, 6, 1, 3},
                      TypeRow{"CustomOfTwo", kCustomType, {2, 2}, 1, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(PlayoffReport, ExportAsksWhereAndWritesNothingWhenCancelled) {
    const FixedPlayoff playoff;
    test::TempDir dir;
    test::RecordingPrompts prompts;
    EXPECT_EQ(exportPlayoffReport(playoff.bracket, playoff.games, dir.path(), prompts), std::nullopt);
    EXPECT_TRUE(test::entries(dir.path()).empty());
    EXPECT_EQ(prompts.calls.at(0).kind + " " + prompts.calls.at(0).message.title, "save Export Report");
}

} // namespace
} // namespace kivp
