// Play to Champion with the real stand-in simulator, on each playoff type, from set-up to a champion under
// home patterns, in switch mode and in command-file mode. The user marks a home team wherever a new series
// has none and confirms the options when kivp asks, then plays to the champion again. Every game's command
// line is checked against the launch rules, and the team the simulator played at home (its box score says)
// against the pattern.

#include "platform/IntegerText.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "sim/ProcessSimulatorRunner.h"
#include "support/DemoInstallation.h"
#include "support/PlayoffPlayer.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace kivp {
namespace {

struct ChampionCase {
    const char* name;
    int playoffType;
    const char* format;
    HomePattern bestOfSeven;
    bool commandFile;
};

void PrintTo(const ChampionCase& c, std::ostream* os) {
    *os << c.name;
}

const TeamPicks kTeams = {"ASHVALE",  "BRINDLE",  "COPPERTN", "DUNMERE",
                          "MARROWDL", "FAIRHOLW", "GLENROCK", "HOLLISFD"};

class PlayToChampion : public ::testing::TestWithParam<ChampionCase> {};

TEST_P(PlayToChampion, FollowsTheHomePatternInEveryGame) {
    const ChampionCase& c = GetParam();
    test::DemoInstallation install("teams");
    test::ScopedEnvironment fixedGames("KIVSIM_SEED", std::string("champion-") + c.name);
    test::ScopedEnvironment log("KIVSIM_LOG", install.logFile());
    test::ScopedEnvironment noFault("KIVSIM_FAIL", std::nullopt);
    ProcessSimulatorRunner runner;
    test::PlayoffPlayer user(install.programFolder(), runner);
    MainForm& form = user.form();
    const std::string& teams = install.teamFolder();

    user.optionsUser = [&c](OptionsForm& o, int) {
        o.chooseSeries(0);
        o.setChecked(CheckBoxId::CheckBox21, c.commandFile); // saved for continuous use
        o.setChecked(CheckBoxId::CheckBox2, false);          // sound
        o.setChecked(CheckBoxId::CheckBox13, false);         // delay
        o.setChecked(CheckBoxId::CheckBox16, true); // box score file: the roles each game was played in
        o.setEditText(EditId::Edit5, "box");
        o.setChecked(CheckBoxId::CheckBox37, c.commandFile);
        o.setEditText(EditId::Edit1, c.commandFile ? "kivpcmd" : "");
        o.Button1Click();
    };
    user.start(teams);
    form.HomePatternClick(c.bestOfSeven);
    form.HomePatternClick(HomePattern::TwoTwoOne);
    form.HomePatternClick(HomePattern::OneOneOne);
    const auto& formats = formatItemsFor(c.playoffType);
    user.setUp(c.playoffType,
               static_cast<int>(std::find(formats.begin(), formats.end(), c.format) - formats.begin()),
               kTeams);
    const Bracket& bracket = form.bracket();

    std::map<int, std::string> marked; // the team whose home button was marked, by series
    bool confirmed = false;
    for (int command = 0; bracket.champion().empty(); ++command) {
        ASSERT_LT(command, 6) << "no champion in sight";
        for (int series = 1; series <= kSeriesCount; ++series) {
            if (bracket.seriesState(series) != kSeriesOpen || marked.count(series))
                continue;
            if (bracket.homeChoice(series) == HomeChoice::None)
                form.SpeedButton2Click(series % 2 ? Bracket::upperButton(series)
                                                  : Bracket::lowerButton(series));
            marked[series] = bracket.slot(bracket.homeSlot(series));
        }
        if (!confirmed || bracket.updateOptionsLabel()) {
            form.Button5Click();
            ASSERT_TRUE(form.options().closeRequested());
            confirmed = true;
        }
        form.PlayToChampionClick();
        for (const auto& message : user.prompts().messages())
            ASSERT_EQ(message, kHomeTeamMissing);
        user.prompts().clear();
    }

    // Game by game: the launch as the rules give it, the host as the pattern gives it, rounds in order.
    const Lines logged = loadLines(install.logFile());
    const Lines box = loadLines(joinPath(install.programFolder(), "box"));
    ASSERT_EQ(box.size(), logged.size() * 5);
    std::map<int, int> played;
    int latestRound = 0;
    for (std::size_t game = 0; game < logged.size(); ++game) {
        const std::string title = box[game * 5];
        const std::string visitor = title.substr(0, title.find(" at "));
        const std::string home = title.substr(visitor.size() + 4, title.find(',') - visitor.size() - 4);
        SCOPED_TRACE("game " + std::to_string(game + 1) + ": " + title);
        int series = 0;
        for (int s = 1; s <= kSeriesCount; ++s) {
            const std::string upper = bracket.slot(Bracket::upperSlot(s)),
                              lower = bracket.slot(Bracket::lowerSlot(s));
            if ((upper == visitor && lower == home) || (upper == home && lower == visitor))
                series = s;
        }
        ASSERT_NE(series, 0);
        const std::string upper = bracket.slot(Bracket::upperSlot(series));
        const std::string lower = bracket.slot(Bracket::lowerSlot(series));

        const int number = ++played[series];
        const int length = seriesLength(bracket, series);
        const bool markedHosts = form.homePatterns().markedTeamHosts(length, number);
        const std::string& markedTeam = marked.at(series);
        EXPECT_EQ(home, markedHosts ? markedTeam : (markedTeam == upper ? lower : upper));
        EXPECT_GE(static_cast<int>(Bracket::roundOf(series)), latestRound);
        latestRound = Bracket::roundOf(series);

        if (c.commandFile) {
            EXPECT_EQ(logged[game], "kivsim /cmd:" + teams + "/kivpcmd");
        } else {
            const std::string upperRole = upper == home ? "h" : "v", lowerRole = upper == home ? "v" : "h";
            EXPECT_EQ(logged[game], "kivsim /p:" + teams + "/ //" + upperRole + ":" + upper + " //" +
                                        lowerRole + ":" + lower + " //ls:kivp /s:n /bx:box");
        }
        if (HasFailure())
            return;
    }
    int wins = 0;
    for (int slot = 1; slot <= kTeamSlotCount; ++slot)
        wins += parseInteger(bracket.winCount(slot)).value_or(0);
    EXPECT_EQ(wins, static_cast<int>(logged.size()));
    EXPECT_NE(std::find(kTeams.begin(), kTeams.end(), bracket.champion()), kTeams.end());
}

using P = HomePattern;
INSTANTIATE_TEST_SUITE_P(
    TypesAndModes, PlayToChampion,
    ::testing::Values(ChampionCase{"EightTeamsSwitches", 0, "3-5-7", P::TwoThreeTwo, false},
                      ChampionCase{"EightTeamsCommandFile", 0, "3-5-7", P::TwoTwoOneOneOne, true},
                      ChampionCase{"FourTeamsSwitches", 1, "5-7", P::TwoTwoOneOneOne, false},
                      ChampionCase{"FourTeamsCommandFile", 1, "3-7", P::TwoThreeTwo, true},
                      ChampionCase{"TwoTeamsSwitches", 2, "7", P::TwoThreeTwo, false},
                      ChampionCase{"TwoTeamsCommandFile", 2, "5", P::TwoThreeTwo, true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kivp
