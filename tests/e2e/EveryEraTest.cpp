// The later eras and custom brackets played to a champion with Play to Champion, through the main window's
// model with the real stand-in simulator. A model of the post-season written here, with nothing of kivp's
// tree in it, says who meets whom in each round given the winners, and who is at home; every command line the
// simulator logged is held against it and against the launch rules. One of the playoffs is then saved and
// loaded into a fresh window.

#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "playoff/PlayoffFile.h"
#include "sim/LineScore.h"
#include "sim/ProcessSimulatorRunner.h"
#include "support/DemoInstallation.h"
#include "support/PlayoffPlayer.h"
#include "support/ScopedEnvironment.h"
#include "support/TableRows.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kivp {
namespace {

using test::PrintTo;

// The sixteen demo teams; half h's team of rank r is kTeams[8h + r - 1] (a field of one half takes them in
// order).
const std::array<std::string, 16> kTeams = {
    "ASHVALE", "BRINDLE", "COPPERTN", "DUNMERE",  "ELMSWRTH", "FAIRHOLW", "GLENROCK", "HOLLISFD",
    "IVYWICK", "JUNIPER", "KESTLER",  "LORNEBRY", "MARROWDL", "NOXBURY",  "OAKMERE",  "PELLHAM"};

std::string teamOf(int halves, int half, int rank) {
    return kTeams[static_cast<std::size_t>(halves == 1 ? rank - 1 : 8 * half + rank - 1)];
}

// --- the post-season, as a league runs it -----------------------------------------------------------------

// A team and its rank in its half.
struct Entry {
    std::string team;
    int rank = 0;
};

struct Meeting {
    Entry upper, lower; // the upper one came through the better line; in the championship, the first half's
    int wins[2] = {0, 0};
    int needed = 1;
    bool decided() const { return wins[0] == needed || wins[1] == needed; }
    int games() const { return wins[0] + wins[1]; }
    // The higher-ranked team is at home in every game (no home pattern is chosen); the upper one at equal
    // ranks.
    bool upperAtHome() const { return upper.rank <= lower.rank; }
    const Entry& winner() const { return wins[0] == needed ? upper : lower; }
};

// Each half is drawn up in as many places as the larger half needs, a power of two; a place whose rank has no
// team is a bye. Round after round the line of best rank a meets the line m + 1 - a of the m lines left, a
// bye sending its partner on; no reseeding. The halves' winners meet in the championship.
struct PostSeason {
    int halves = 2;
    std::vector<int> lengths;
    // Per half, the teams still in by line: line a (from 1) is the part of the bracket whose best rank is a.
    std::vector<std::vector<std::optional<Entry>>> lines;
    std::vector<Meeting> meetings;         // of the round being played
    std::array<std::string, 2> firstRound; // each half's first-round meetings by ranks: "3-6 4-5"
    std::vector<std::string> results;      // every meeting: "round r: UPPER-LOWER won by WINNER"
    std::string champion;
    int round = 0;

    PostSeason(std::array<int, 2> field, std::vector<int> seriesLengths) : lengths(std::move(seriesLengths)) {
        halves = field[1] > 0 ? 2 : 1;
        std::size_t places = 1;
        while (places < static_cast<std::size_t>(std::max(field[0], field[1])))
            places *= 2;
        for (int half = 0; half < halves; ++half) {
            lines.emplace_back(places);
            for (int rank = 1; rank <= field[static_cast<std::size_t>(half)]; ++rank)
                lines.back()[static_cast<std::size_t>(rank - 1)] = Entry{teamOf(halves, half, rank), rank};
        }
        drawRound();
    }

    // A series of the round ended: once all have, the winners take their lines and the next round is drawn
    // up.
    void seriesEnded() {
        if (!std::all_of(meetings.begin(), meetings.end(), [](const Meeting& m) { return m.decided(); }))
            return;
        for (const Meeting& m : meetings)
            results.push_back("round " + std::to_string(round) + ": " + m.upper.team + "-" + m.lower.team +
                              " won by " + m.winner().team);
        std::size_t next = 0;
        for (auto& half : lines) {
            for (auto& line : half) {
                if (line && line->team.empty())
                    line = meetings[next++].winner();
            }
        }
        if (lines.empty() || (halves == 1 && lines[0].size() == 1)) { // the championship was played
            champion = meetings.front().winner().team;
            round = -1;
        } else {
            ++round;
            drawRound();
        }
    }

    void drawRound() {
        meetings.clear();
        const int needed = (lengths.at(static_cast<std::size_t>(round)) + 1) / 2;
        if (halves == 2 && lines[0].size() == 1) {
            meetings.push_back({*lines[0][0], *lines[1][0], {0, 0}, needed});
            lines.clear();
            return;
        }
        for (int half = 0; half < halves; ++half) {
            auto& now = lines[static_cast<std::size_t>(half)];
            std::vector<std::optional<Entry>> next(now.size() / 2);
            for (std::size_t a = 0; a < next.size(); ++a) {
                const auto &better = now[a], &worse = now[now.size() - 1 - a];
                if (better && worse) {
                    meetings.push_back({*better, *worse, {0, 0}, needed});
                    next[a] = Entry{}; // the winner, once known
                    std::string& text = firstRound[static_cast<std::size_t>(half)];
                    if (round == 0)
                        text += (text.empty() ? "" : " ") + std::to_string(better->rank) + "-" +
                                std::to_string(worse->rank);
                } else {
                    next[a] = better ? better : worse; // a bye
                }
            }
            now = std::move(next);
        }
    }
};

// --- the simulator's side
// ------------------------------------------------------------------------------------

// The real simulator, and the score each game it played left behind.
struct ScoreKeepingRunner : ProcessSimulatorRunner {
    RunResult runGame(const SimulatorLaunch& launch, const std::string& commandLine,
                      const std::string& workingDirectory, const std::string& caption) override {
        const RunResult result =
            ProcessSimulatorRunner::runGame(launch, commandLine, workingDirectory, caption);
        scores.push_back(readLineScoreFile(joinPath(workingDirectory, "kivp")).value_or(LineScore{-1, -1}));
        return result;
    }
    std::vector<LineScore> scores;
};

// The launch rules: the program, "/p:" with the team folder only when it is not the program folder, the upper
// team first with its role, the other team with the other role, then the default tail (the run options are
// never confirmed: every series opens with its home team marked).
std::string expectedLaunch(const Meeting& m, const std::string& programFolder,
                           const std::string& teamFolder) {
    std::string line = "kivsim";
    if (teamFolder != programFolder)
        line += " /p:" + test::simulatorFolder(teamFolder);
    const bool upperHome = m.upperAtHome();
    line += std::string(" //") + (upperHome ? "h" : "v") + ":" + m.upper.team;
    line += std::string(" //") + (upperHome ? "v" : "h") + ":" + m.lower.team;
    return line + " //del:0 //st:kplayoff //ls:kivp";
}

struct EraRow {
    const char* name;
    int playoffType;
    std::optional<CustomBracket> custom;
    const char* format;
    std::array<int, 2> field;              // teams per half; the second 0 for one half
    std::array<const char*, 2> firstRound; // the era's first round in each half, by ranks
    const char* teamSubfolder;
};

class EveryEra : public ::testing::TestWithParam<EraRow> {};

TEST_P(EveryEra, PlaysToAChampionRoundByRoundWithThePairingsAndHostsOfTheEra) {
    const EraRow& row = GetParam();
    test::DemoInstallation install(row.teamSubfolder);
    test::ScopedEnvironment fixedGames("KIVSIM_SEED", std::string("era-") + row.name);
    test::ScopedEnvironment log("KIVSIM_LOG", install.logFile());
    test::ScopedEnvironment noFault("KIVSIM_FAIL", std::nullopt);

    ScoreKeepingRunner runner;
    test::PlayoffPlayer user(install.programFolder(), runner);
    user.customField = row.custom;
    user.start(install.teamFolder());
    const int halves = row.field[1] > 0 ? 2 : 1;
    TeamPicks picks;
    for (int half = 0; half < halves; ++half) {
        for (int rank = 1; rank <= row.field[static_cast<std::size_t>(half)]; ++rank)
            picks[static_cast<std::size_t>(pickerIndexOf(halves, half, rank))] = teamOf(halves, half, rank);
    }
    const auto& formats = formatItemsFor(row.playoffType, row.custom.value_or(CustomBracket{}));
    const auto format = std::find(formats.begin(), formats.end(), row.format);
    ASSERT_NE(format, formats.end());
    user.setUp(row.playoffType, static_cast<int>(format - formats.begin()), picks);
    MainForm& form = user.form();

    user.prompts().clear();
    form.PlayToChampionClick();
    ASSERT_TRUE(user.prompts().calls.empty()) << user.prompts().calls.front().message.text;

    PostSeason season(row.field, seriesLengthsOf(row.format));
    EXPECT_EQ(season.firstRound[0] + " | " + season.firstRound[1],
              std::string(row.firstRound[0]) + " | " + row.firstRound[1]);
    const Lines logged = loadLines(install.logFile());
    ASSERT_EQ(logged.size(), runner.scores.size());
    for (std::size_t game = 0; game < logged.size() && !(season.round < 0); ++game) {
        SCOPED_TRACE("game " + std::to_string(game + 1) + " of round " + std::to_string(season.round) + ": " +
                     logged[game]);
        // Game 1 of each series of the round, then game 2 of those still open, ...: the game is one of the
        // series with the fewest games played.
        auto& meetings = season.meetings;
        int fewest = 1000;
        for (const Meeting& m : meetings)
            fewest = m.decided() ? fewest : std::min(fewest, m.games());
        std::string due;
        Meeting* played = nullptr;
        for (Meeting& m : meetings) {
            if (m.decided() || m.games() != fewest)
                continue;
            const std::string launch = expectedLaunch(m, install.programFolder(), install.teamFolder());
            due += "\n  " + launch;
            played = logged[game] == launch ? &m : played;
        }
        ASSERT_TRUE(played) << "the game due is one of these:" << due;
        const LineScore score = runner.scores[game];
        ASSERT_GE(score.visitorRuns, 0);
        const bool homeWon = score.homeRuns >= score.visitorRuns; // the home team wins ties
        ++played->wins[homeWon == played->upperAtHome() ? 0 : 1];
        if (played->decided())
            season.seriesEnded();
    }
    ASSERT_TRUE((season.round < 0)) << "the simulator played " << logged.size()
                                    << " games, too few for a champion";

    // The bracket shows the same series, each won by the same team, and the champion the league crowned.
    const Bracket& bracket = form.bracket();
    std::vector<std::string> shown;
    for (int series = 1; series <= bracket.seriesCount(); ++series) {
        EXPECT_EQ(bracket.seriesState(series), kSeriesDecided) << series;
        shown.push_back("round " + std::to_string(bracket.roundOf(series)) + ": " +
                        bracket.slot(Bracket::upperSlot(series)) + "-" +
                        bracket.slot(Bracket::lowerSlot(series)) + " won by " +
                        bracket.slot(bracket.winnerSlot(series)));
    }
    std::vector<std::string> expected = season.results;
    std::sort(shown.begin(), shown.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(bracket.champion(), season.champion);

    if (row.playoffType != 5)
        return;
    // This one is saved in kivp's own form of the playoff file, journal and all, and loaded into a fresh
    // window.
    const std::string file = joinPath(install.programFolder(), "era.kvp");
    user.prompts().files = {file};
    form.SavePlayoffAs1Click();
    ASSERT_EQ(loadLines(file).at(0), "kivp playoff 1");
    test::PlayoffPlayer again(install.programFolder(), runner);
    again.start(install.teamFolder());
    again.prompts().files = {file};
    again.form().Button7Click();
    EXPECT_TRUE(again.prompts().messages().empty());
    // Everything the file holds: type, format, slots, win counts, ranks, series, home buttons, team folder.
    EXPECT_EQ(PlayoffFile::of(again.form().bracket(), again.form().Label32()),
              PlayoffFile::of(bracket, form.Label32()));
    EXPECT_EQ(again.form().journal().journal().entries(), form.journal().journal().entries());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    LaterErasAndCustomBrackets, EveryEra,
    ::testing::Values(
        EraRow{"From2012To2021", 3, std::nullopt, "1-3-3-3", {5, 5}, {"4-5", "4-5"}, ""},
        EraRow{"Of2020", 4, std::nullopt, "3-3-3-3", {8, 8}, {"1-8 2-7 3-6 4-5", "1-8 2-7 3-6 4-5"}, "teams"},
        EraRow{"From2022", 5, std::nullopt, "3-3-3-3", {6, 6}, {"3-6 4-5", "3-6 4-5"}, "Sim Games"},
        EraRow{"CustomOneHalfOfTen", 6, CustomBracket{10, 1}, "1-1-1-3", {10, 0}, {"7-10 8-9", ""}, "teams"},
        EraRow{"CustomUnevenHalvesOfSeven", 6, CustomBracket{7, 2}, "1-3-5", {4, 3}, {"1-4 2-3", "2-3"},
               "teams"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

} // namespace
} // namespace kivp
