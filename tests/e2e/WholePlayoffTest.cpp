// Whole playoffs played to a champion through the main window's model with the real stand-in simulator: every
// game a click on a team slot, the simulator started as a program of its own, its line score read back. The
// simulator logs the arguments it received, so each command line is checked against the launch rules, and
// its line score says which team it was told was at home. Each playoff is then exported as a report.

#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "report/PlayoffReport.h"
#include "sim/LineScore.h"
#include "sim/ProcessSimulatorRunner.h"
#include "support/DemoInstallation.h"
#include "support/PlayoffPlayer.h"
#include "support/ScopedEnvironment.h"
#include "support/TableRows.h"
#include "support/TempDir.h"
#include "support/XmlCheck.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kivp {
namespace {

using test::GameClick;
using test::PrintTo;

enum class Mode {
    NeverConfirmed, // the options window opens only when a new home team forces it, and then just OK
    Switches,       // run options set before every game, cleared after it
    CommandFile,    // run options saved for continuous use, set for each series, played from a command file
};

struct PlayoffCase {
    const char* name;
    int playoffType;
    const char* format;
    Mode mode;
    RadioButtonId version;
    const char* program; // what the version starts; typed into the version box for "User Defined"
    const char* teamSubfolder;
};

// Eight demo teams in picker order; a four-team playoff takes the first two of each half, a two-team playoff
// the first of each. MARROWDL's file is named in capitals.
const TeamPicks kTeams = {"ASHVALE",  "BRINDLE",  "COPPERTN", "DUNMERE",
                          "MARROWDL", "FAIRHOLW", "GLENROCK", "HOLLISFD"};
const char* const kCommandFile = "kivpcmd";

// The launch rules: the program, "/p:" with the team folder only when it is not the program folder, the upper
// team first with its role, then the line-score switch and the composed switches, or the default tail before
// any were composed. A command file replaces all of it but the program.
std::string expectedLaunch(const GameClick& click, const std::string& program,
                           const std::string& programFolder, const std::string& teamFolder) {
    if (click.useCommandFile)
        return program + " /cmd:" + test::simulatorFolder(teamFolder) + kCommandFile;
    std::string line = program;
    if (teamFolder != programFolder)
        line += " /p:" + test::simulatorFolder(teamFolder);
    line += std::string(" //") + (click.upperIsHome ? "h" : "v") + ":" + click.upperTeam;
    line += std::string(" //") + (click.upperIsHome ? "v" : "h") + ":" + click.lowerTeam;
    return line + (click.rawSwitches.empty() ? " //del:0 //st:kplayoff //ls:kivp"
                                             : " //ls:kivp" + click.simSwitches);
}

class WholePlayoff : public ::testing::TestWithParam<PlayoffCase> {};

TEST_P(WholePlayoff, IsPlayedToAChampionWithEveryCommandLineByTheRulesAndReported) {
    const PlayoffCase& c = GetParam();
    test::DemoInstallation install(c.teamSubfolder);
    if (c.version == RadioButtonId::RadioButton5)
        install.linkSimulator(c.program);
    test::ScopedEnvironment fixedGames("KIVSIM_SEED", "e2e-" + std::string(c.name));
    test::ScopedEnvironment log("KIVSIM_LOG", install.logFile());
    test::ScopedEnvironment noFault("KIVSIM_FAIL", std::nullopt);

    ProcessSimulatorRunner runner;
    test::PlayoffPlayer user(install.programFolder(), runner);
    const std::string& teams = install.teamFolder();
    const std::string commandFilePath = joinPath(teams, kCommandFile);

    std::string switches, pitchersShown; // as the user's choice of starting pitchers makes them
    if (c.mode != Mode::NeverConfirmed) {
        user.confirm = c.mode == Mode::Switches ? test::ConfirmOptions::BeforeEveryGame
                                                : test::ConfirmOptions::ForEachSeries;
        user.optionsUser = [&](OptionsForm& o, int seriesIndex) {
            o.chooseSeries(seriesIndex);
            o.chooseVersion(c.version);
            if (c.version == RadioButtonId::RadioButton5)
                o.setEditText(EditId::KIVVersionBox, c.program);
            o.setChecked(CheckBoxId::CheckBox21, c.mode == Mode::CommandFile); // save for continuous use
            o.setChecked(CheckBoxId::CheckBox23, true);                        // auto manage, visitor
            o.setChecked(CheckBoxId::CheckBox2, false);                        // sound
            o.setChecked(CheckBoxId::CheckBox13, false);                       // delay
            o.setChecked(CheckBoxId::CheckBox37, c.mode == Mode::CommandFile);
            o.setEditText(EditId::Edit1, c.mode == Mode::CommandFile ? kCommandFile : "");
            // The visitor's second starter and the home team's first.
            o.selectPitcherRow(ListViewId::ListView1, 1);
            o.selectPitcherRow(ListViewId::ListView2, 0);
            const auto& visitor = o.listView(ListViewId::ListView1).rows.at(1);
            const auto& home = o.listView(ListViewId::ListView2).rows.at(0);
            switches = " /vp:" + visitor.number + " /hp:" + home.number + " /vam /s:n";
            pitchersShown = "(" + visitor.name + " vs. " + home.name + ")";
            o.Button1Click();
        };
    }
    // A stale command file must never be played: kivp writes it again before every game.
    if (c.mode == Mode::CommandFile) {
        user.beforeClick = [&](const GameClick&) {
            saveLines(commandFilePath, {"stale"});
            saveLines(commandFilePath + ".kivb", {"stale"});
        };
    }

    user.start(teams);
    const auto& formats = formatItemsFor(c.playoffType);
    user.setUp(c.playoffType, std::find(formats.begin(), formats.end(), c.format) - formats.begin(), kTeams);
    const Bracket& bracket = user.form().bracket();

    std::vector<ReportGame> games;
    while (const auto series = user.nextSeries()) {
        ASSERT_LT(games.size(), 100u) << "no champion in sight";
        const GameClick click = user.playGame(*series);
        SCOPED_TRACE("game " + std::to_string(games.size() + 1) + ", " + click.visitorTeam() + " at " +
                     click.homeTeam());

        const Lines logged = loadLines(install.logFile());
        ASSERT_EQ(logged.size(), games.size() + 1);
        EXPECT_EQ(logged.back(), expectedLaunch(click, c.program, install.programFolder(), teams));
        if (c.mode == Mode::NeverConfirmed) { // the default tail until the options are first confirmed
            EXPECT_EQ(click.rawSwitches.empty(), user.confirmations() == 0);
        } else if (c.mode == Mode::Switches) {
            EXPECT_EQ(std::make_pair(click.useCommandFile, click.simSwitches),
                      std::make_pair(false, switches));
        } else if (c.mode == Mode::CommandFile) {
            ASSERT_TRUE(click.useCommandFile);
            const std::string line = " /p:" + test::simulatorFolder(teams) + " /v:" + click.visitorTeam() +
                                     " /h:" + click.homeTeam() + switches + " //ls:kivp\r\n";
            EXPECT_EQ(test::readBytes(commandFilePath) + test::readBytes(commandFilePath + ".kivb"),
                      line + line);
        }

        // The simulator played the teams in the roles kivp gave them, with the pitchers the user chose.
        const Lines lines = loadLines(joinPath(install.programFolder(), "kivp"));
        const auto score = readLineScore(lines);
        ASSERT_TRUE(score);
        EXPECT_EQ(lines.at(0).rfind(click.visitorTeam() + " at " + click.homeTeam() + ",", 0), 0u)
            << lines[0];
        EXPECT_NE(lines.at(0).find(pitchersShown), std::string::npos) << lines[0];

        // Exactly one win, for the team that scored more; the home team wins ties.
        const bool upperWon = (score->homeRuns >= score->visitorRuns) == click.upperIsHome;
        EXPECT_EQ(bracket.winCount(Bracket::upperSlot(*series)) + "-" +
                      bracket.winCount(Bracket::lowerSlot(*series)),
                  std::to_string(click.upperWinsBefore + upperWon) + "-" +
                      std::to_string(click.lowerWinsBefore + !upperWon));
        ASSERT_TRUE(user.prompts().messages().empty()) << user.prompts().messages().front();
        if (HasFailure())
            return; // one game's failures tell the story
        games.push_back({*series, click.upperWinsBefore + click.lowerWinsBefore + 1, click.visitorTeam(),
                         click.homeTeam(), score->visitorRuns, score->homeRuns, lines});
    }

    // Each series of the type decided, the others never set up, and a champion of the teams picked.
    int decided = 0;
    for (int series = 1; series <= kSeriesCount; ++series) {
        const bool inPlay = bracket.roundOf(series) >= c.playoffType;
        EXPECT_EQ(bracket.seriesState(series), inPlay ? kSeriesDecided : kSeriesNotSetUp) << series;
        decided += inPlay;
    }
    EXPECT_NE(std::find(kTeams.begin(), kTeams.end(), bracket.champion()), kTeams.end());
    // Only a playoff of one series needs no home team marked, so only it is played without ever confirming.
    if (c.mode == Mode::NeverConfirmed) {
        EXPECT_EQ(user.confirmations() == 0, c.playoffType == 2);
    }

    // File > Export Report: the page of the games just played, as the simulator wrote them, with the champion
    // crowned and every series decided.
    test::TempDir out;
    user.prompts().files = {out.file("exported.html")};
    user.form().ExportReport1Click();
    EXPECT_TRUE(user.prompts().messages().empty());
    writePlayoffReport(out.file("expected.html"), bracket, games);
    EXPECT_EQ(test::readBytes(out.file("exported.html")), test::readBytes(out.file("expected.html")));
    const std::string page = out.file("exported.html");
    ASSERT_EQ(test::xmlProblems(page), "");
    EXPECT_EQ(test::xpath(page, "string(//*[@class='crowned']/*[local-name()='strong'])"),
              bracket.champion());
    EXPECT_EQ(test::xpath(page, "count(//*[local-name()='tr'][@class='decided'])"), std::to_string(decided));
}

using R = RadioButtonId;
using M = Mode;
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    AllTypesAndModes, WholePlayoff,
    ::testing::Values(
        PlayoffCase{"EightTeamsNeverConfirmed", 0, "3-3-3", M::NeverConfirmed, R::RadioButton1, "kivsim", ""},
        PlayoffCase{"EightTeamsSwitches", 0, "3-3-5", M::Switches, R::RadioButton4, "kivsv46", "Sim Games"},
        PlayoffCase{"EightTeamsCommandFile", 0, "1-3-3", M::CommandFile, R::RadioButton5, "mykiv", "teams"},
        PlayoffCase{"FourTeamsNeverConfirmed", 1, "3-3", M::NeverConfirmed, R::RadioButton1,
                   "kivsim", "teams"},
        PlayoffCase{"FourTeamsSwitches", 1, "1-3", M::Switches, R::RadioButton2, "kivsv40", ""},
        PlayoffCase{"FourTeamsCommandFile", 1, "3-5", M::CommandFile, R::RadioButton3,
                   "kivsv45", "Sim Games"},
        PlayoffCase{"TwoTeamsNeverConfirmed", 2, "7", M::NeverConfirmed, R::RadioButton1, "kivsim", "teams"},
        PlayoffCase{"TwoTeamsSwitches", 2, "5", M::Switches, R::RadioButton5, "mykiv", "teams"},
        PlayoffCase{"TwoTeamsCommandFile", 2, "3", M::CommandFile, R::RadioButton4, "kivsv46", ""}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

} // namespace
} // namespace kivp
