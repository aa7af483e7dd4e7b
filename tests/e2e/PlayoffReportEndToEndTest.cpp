// A whole playoff played with the stand-in simulator, then reported: File > Export Report writes the page where
// the user chose, holding every game played with its line score.

#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "report/PlayoffReport.h"
#include "sim/LineScore.h"
#include "sim/ProcessSimulatorRunner.h"
#include "support/DemoInstallation.h"
#include "support/PlayoffPlayer.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"
#include "support/XmlCheck.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kivp {
namespace {

TEST(PlayoffReportEndToEnd, HoldsTheChampionEverySeriesAndEveryGamePlayed) {
    test::DemoInstallation install;
    test::ScopedEnvironment fixedGames("KIVSIM_SEED", "report");
    test::ScopedEnvironment noFault("KIVSIM_FAIL", std::nullopt);
    ProcessSimulatorRunner runner;
    test::PlayoffPlayer user(install.programFolder(), runner);
    user.start(install.teamFolder());
    user.setUp(0, 10, {"ASHVALE", "BRINDLE", "COPPERTN", "DUNMERE", "ELMSWRTH", "FAIRHOLW", "GLENROCK", "HOLLISFD"});
    const Bracket& bracket = user.form().bracket();

    // Each game as the record of the playoff keeps it: who was at home, the runs and the simulator's line score.
    std::vector<ReportGame> games;
    while (const auto series = user.nextSeries()) {
        ASSERT_LT(games.size(), 60u);
        const test::GameClick click = user.playGame(*series);
        const Lines lines = loadLines(joinPath(install.programFolder(), "kivp"));
        const auto score = readLineScore(lines);
        ASSERT_TRUE(score);
        const int number = click.upperWinsBefore + click.lowerWinsBefore + 1;
        games.push_back({*series, number, click.visitorTeam(), click.homeTeam(), score->visitorRuns,
                         score->homeRuns, lines});
    }
    ASSERT_EQ(bracket.seriesState(kSeriesCount), kSeriesDecided);

    test::TempDir out;
    const std::string exported = out.file("exported.html");
    user.prompts().files = {exported};
    user.form().ExportReport1Click();
    EXPECT_TRUE(user.prompts().messages().empty());
    ASSERT_EQ(test::xmlProblems(exported), "");
    const std::string champion = bracket.champion();
    EXPECT_EQ(test::xpath(exported, "string(//*[@class='crowned']/*[local-name()='strong'])"), champion);
    EXPECT_EQ(test::xpath(exported, "count(//*[local-name()='tr'][@class='decided'])"), "7");
    const std::string& full = exported;
    EXPECT_EQ(test::xpath(full, "count(//*[@class='game'])"), std::to_string(games.size()));
    // The page shows the games series by series.
    std::stable_sort(games.begin(), games.end(), [](const auto& a, const auto& b) { return a.series < b.series; });
    for (std::size_t i = 0; i < games.size(); ++i) {
        SCOPED_TRACE("game " + std::to_string(i + 1));
        const ReportGame& game = games[i];
        const std::string where = "(//*[@class='game'])[" + std::to_string(i + 1) + "]";
        EXPECT_EQ(test::xpath(full, "string(" + where + "/*[local-name()='h4'])"),
                  "Game " + std::to_string(game.gameNumber) + ": " + game.visitor + " " +
                      std::to_string(game.visitorRuns) + " at " + game.home + " " + std::to_string(game.homeRuns));
        // The home team's line, the last one the simulator wrote, closes the line score shown.
        const std::string shown = test::xpath(full, "string(" + where + "/*[local-name()='pre'])");
        EXPECT_NE(shown.find(game.lineScore.at(3)), std::string::npos) << shown;
    }
}

} // namespace
} // namespace kivp
