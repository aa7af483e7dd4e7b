// How the home-pattern choice is kept with the playoff and in kivp.ini, and what the top bar says about it.
// Who hosts each game under each pattern is checked on the command lines of whole series, in GameRunTest.

#include "run/HomePattern.h"
#include "app/MainForm.h"
#include "options/ProfileFile.h"
#include "platform/TextFile.h"
#include "support/PlayoffPlayer.h"
#include "support/ScriptedRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kivp {
namespace {

using P = HomePattern;

TEST(HomePatternSetting, IsKeptWithThePlayoffAndInKivpIniAndShownForTheFormatsLengths) {
    test::TempDir dir;
    test::ScriptedRunner runner;
    {
        test::PlayoffPlayer user(dir.path(), runner);
        MainForm& form = user.form();
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
        user.prompts().files = {dir.file("patterns.kvp")};
        form.SavePlayoffAs1Click();
    }
    // After the 39 lines, which stay as every reader knows them.
    const Lines saved = loadLines(dir.file("patterns.kvp"));
    ASSERT_EQ(saved.size(), 42u);
    EXPECT_EQ(Lines(saved.begin() + 39, saved.end()),
              (Lines{"[kivp]", "homePattern.bestOf5=2-2-1", "homePattern.bestOf7=2-3-2"}));
    saveLines(dir.file("plain.kvp"), Lines(saved.begin(), saved.begin() + 39));
    const std::string ini = test::readBytes(dir.file("kivp.ini"));
    EXPECT_NE(
        ini.find(
            "[Home Pattern]\r\nBest of 3=Home team every game\r\nBest of 5=2-2-1\r\nBest of 7=2-3-2\r\n"),
        std::string::npos)
        << ini;

    test::PlayoffPlayer user(dir.path(), runner);
    MainForm& again = user.form();
    again.FormCreate(dir.path());
    const auto chosen = [&again] {
        const auto& patterns = again.homePatterns();
        return std::vector{patterns.forLength(3), patterns.forLength(5), patterns.forLength(7)};
    };
    const std::vector<HomePattern> latest = {P::EveryGame, P::TwoTwoOne, P::TwoThreeTwo};
    EXPECT_EQ(chosen(), latest); // from kivp.ini
    again.FormShow();
    // A playoff loaded goes on under its own pattern; one without pattern lines was played every game.
    user.prompts().files = {dir.file("plain.kvp"), dir.file("patterns.kvp")};
    again.Button7Click();
    EXPECT_TRUE(again.homePatterns().everyGameThroughout());
    again.Button7Click();
    EXPECT_EQ(chosen(), latest);
    EXPECT_TRUE(user.prompts().messages().empty());
}

} // namespace
} // namespace kivp
