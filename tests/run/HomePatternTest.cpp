// Who hosts each game of a series under the home patterns, how the choice is kept in kivp.ini, and what the
// top bar says about it.

#include "run/HomePattern.h"
#include "app/MainForm.h"
#include "options/ProfileFile.h"
#include "support/RecordingPrompts.h"
#include "support/ScriptedRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kivp {
namespace {

using P = HomePattern;

struct HostRow {
    const char* name;
    std::vector<HomePattern> chosen;
    int seriesLength;
    const char* hosts; // game by game: "H" the marked team, "A" the other team
};

void PrintTo(const HostRow& row, std::ostream* os) {
    *os << row.name;
}

class HomePatternHosts : public ::testing::TestWithParam<HostRow> {};

TEST_P(HomePatternHosts, GiveEachGameOfASeriesItsHost) {
    const HostRow& row = GetParam();
    HomePatterns patterns;
    for (HomePattern pattern : row.chosen)
        patterns.choose(pattern);
    std::string hosts;
    for (int game = 1; game <= row.seriesLength; ++game)
        hosts += patterns.markedTeamHosts(row.seriesLength, game) ? "H" : "A";
    EXPECT_EQ(hosts, row.hosts);
}

const std::vector<HomePattern> kAll = {P::TwoThreeTwo, P::TwoTwoOne, P::OneOneOne};

INSTANTIATE_TEST_SUITE_P(
    PatternsAndLengths, HomePatternHosts,
    ::testing::Values(
        HostRow{"EveryGameSeven", {}, 7, "HHHHHHH"}, HostRow{"EveryGameThree", {}, 3, "HHH"},
        HostRow{"TwoThreeTwo", {P::TwoThreeTwo}, 7, "HHAAAHH"},
        HostRow{"TwoTwoOneOneOne", {P::TwoTwoOneOneOne}, 7, "HHAAHAH"},
        HostRow{"TwoTwoOne", {P::TwoTwoOne}, 5, "HHAAH"}, HostRow{"OneOneOne", {P::OneOneOne}, 3, "HAH"},
        HostRow{"BestOfOneIsTheMarkedTeams", kAll, 1, "H"},
        HostRow{"AFiveWithOnlyASevensPatternIsEveryGame", {P::TwoThreeTwo}, 5, "HHHHH"},
        HostRow{
            "TheLaterSevensPatternReplacesTheEarlier", {P::TwoThreeTwo, P::TwoTwoOneOneOne}, 7, "HHAAHAH"},
        HostRow{"EveryGameClearsEveryLength", {P::TwoThreeTwo, P::OneOneOne, P::EveryGame}, 7, "HHHHHHH"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HomePatternSetting, IsKeptInKivpIniAndShownForTheFormatsLengths) {
    test::TempDir dir;
    test::RecordingPrompts prompts;
    test::ScriptedRunner runner;
    struct : MainFormView {
        void showHelpContents() override {}
        void showAbout() override {}
        void showOptionsWindow() override {}
        void closeMainWindow() override {}
    } view;
    {
        MainForm form(prompts, view, runner);
        form.FormCreate(dir.path());
        form.FormShow(); // "5-7-7"
        EXPECT_EQ(form.homePatternCaption(), "Home pattern: home team every game");
        form.HomePatternClick(P::TwoThreeTwo);
        form.HomePatternClick(P::TwoTwoOne);
        form.HomePatternClick(P::OneOneOne);
        form.HomePatternClick(P::OneOneOne); // chosen again: back to every game for a best of three
        EXPECT_EQ(form.homePatternCaption(), "Home pattern: 2-2-1, 2-3-2");
        form.PlayoffFormatBoxChange(12); // "3-3-7"
        EXPECT_EQ(form.homePatternCaption(), "Home pattern: 2-3-2; best of 3 every game");
    }
    const std::string ini = test::readBytes(dir.file("kivp.ini"));
    EXPECT_NE(
        ini.find(
            "[Home Pattern]\r\nBest of 3=Home team every game\r\nBest of 5=2-2-1\r\nBest of 7=2-3-2\r\n"),
        std::string::npos)
        << ini;

    MainForm again(prompts, view, runner);
    again.FormCreate(dir.path());
    EXPECT_EQ(again.homePatterns().forLength(5), P::TwoTwoOne);
    EXPECT_EQ(again.homePatterns().forLength(7), P::TwoThreeTwo);
    again.HomePatternClick(P::EveryGame);
    EXPECT_TRUE(again.homePatterns().everyGameThroughout());
    EXPECT_TRUE(HomePatterns::load(ProfileFile(dir.file("kivp.ini"))).everyGameThroughout());
    EXPECT_TRUE(prompts.messages().empty());
}

} // namespace
} // namespace kivp
