// How the home-pattern choice is kept in kivp.ini and what the top bar says about it. Who hosts each game
// under each pattern is checked on the command lines of whole series, in GameRunTest.

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
