// The journal as the main window's model uses it: the questions before a playoff with unsaved games is set
// aside, undo and redo, Save Playoff As..., loading a journal that disagrees, the autosave and resuming it.

#include "app/MainForm.h"
#include "platform/TextFile.h"
#include "playoff/PlayoffFile.h"
#include "support/PlayoffPlayer.h"
#include "support/ScriptedRunner.h"
#include "support/TempDir.h"
#include "support/TableRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace kivp {
namespace {

using test::PrintTo;

// The number of games a playoff file holds; throws when its journal is left out.
int gamesIn(const std::string& path) {
    const Lines lines = loadLines(path);
    return Journal::readFrom(PlayoffExtras::fromFileLines(lines), PlayoffFile::fromLines(lines)).size();
}

std::vector<test::RecordingPrompts::Call> questions(test::PlayoffPlayer& kivp) {
    auto asked = kivp.prompts().calls;
    std::erase_if(asked, [](const auto& call) { return call.kind != "question" && call.kind != "yesno"; });
    return asked;
}

// kivp started in a folder of its own that also holds two team files, set up for a two-team best-of-seven
// playoff with the upper team (Ash) at home.
struct JournalKeeperTest : ::testing::Test {
    test::TempDir dir;
    test::ScriptedRunner runner;
    test::PlayoffPlayer kivp{dir.path(), runner};

    void start() {
        for (const char* team : {"Ash", "Birch"})
            dir.write(std::string(team) + ".dat", "*Demo team title line here....\r\n");
        kivp.start(dir.path());
        kivp.setUp(2, 3, {"Ash", "", "", "", "Birch", "", "", ""});
    }
    void play(int visitorRuns, int homeRuns) {
        runner.thenScore(visitorRuns, homeRuns);
        kivp.form().Label9Click(13);
    }
    std::string wins() { return kivp.form().bracket().winCount(13) + "-" + kivp.form().bracket().winCount(14); }
    std::string autosave() const { return dir.file(kAutosaveFileName); }
};

struct AsideCase {
    const char* name;
    std::function<void(test::PlayoffPlayer&, const test::TempDir&)> command;
    int gamesAfter; // in the playoff the command puts in the window
};

class SettingAside : public JournalKeeperTest, public ::testing::WithParamInterface<AsideCase> {};

TEST_P(SettingAside, APlayoffWithUnsavedGamesAsksFirstAndKeepsItAsThePreviousAutosave) {
    start();
    play(1, 2);
    kivp.form().options().setChecked(CheckBoxId::CheckBox15, true);
    kivp.form().options().setEditText(EditId::Edit3, "LEAGUE");
    kivp.form().Button6Click(); // the first game is in a file the user saved
    play(4, 3);
    play(0, 6);
    const Bracket before = kivp.form().bracket();

    kivp.prompts().answers = {false};
    GetParam().command(kivp, dir);
    ASSERT_EQ(questions(kivp).size(), 1u);
    const Message question = questions(kivp)[0].message;
    EXPECT_TRUE(question.cancelByDefault);
    EXPECT_NE(question.text.find("2 games that are in no playoff file you saved. " +
                                 std::string(GetParam().name) + " sets them aside"),
              std::string::npos)
        << question.text;
    EXPECT_EQ(kivp.form().bracket(), before);
    EXPECT_EQ(kivp.form().journal().journal().size(), 3);

    kivp.prompts().answers = {true};
    GetParam().command(kivp, dir);
    EXPECT_EQ(kivp.form().journal().journal().size(), GetParam().gamesAfter);
    EXPECT_EQ(gamesIn(dir.file(kPreviousAutosaveFileName)), 3);
    EXPECT_EQ(gamesIn(autosave()), GetParam().gamesAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, SettingAside,
    ::testing::Values(AsideCase{"Reset Form", [](auto& kivp, const auto&) { kivp.form().Button4Click(); }, 0},
                      AsideCase{"Done", [](auto& kivp, const auto&) { kivp.form().Button2Click(); }, 0},
                      AsideCase{"Load Playoff",
                                [](auto& kivp, const auto& dir) {
                                    kivp.prompts().files.push_back(dir.file("LEAGUE.kvp"));
                                    kivp.form().Button7Click();
                                },
                                1}),
    [](const auto& info) {
        std::string name = info.param.name;
        std::erase(name, ' ');
        return name;
    });

// What the autosave holds is checked where it is resumed.
TEST_F(JournalKeeperTest, UndoAsksSayingTheSimulatorKeepsTheGameRedoPutsItBackWithoutPlayingAndAutosaveFailsAloud) {
    start();
    EXPECT_FALSE(kivp.form().UndoGame1Enabled());
    play(1, 2);
    // While a game runs there is nothing to undo, not even the game before.
    runner.then([this](const test::ScriptedRunner::Call& call) {
        EXPECT_FALSE(kivp.form().UndoGame1Enabled());
        kivp.form().UndoGame1Click();
        saveLines(call.workingDirectory + "/kivp", test::lineScoreLines("Birch", 4, "Ash", 3));
        return RunResult{};
    });
    kivp.form().Label9Click(13);
    ASSERT_EQ(wins(), "1-1");
    EXPECT_TRUE(kivp.prompts().calls.empty());

    kivp.prompts().answers = {false, true};
    kivp.form().UndoGame1Click();
    EXPECT_EQ(wins(), "1-1");
    kivp.form().UndoGame1Click();
    EXPECT_EQ(wins(), "1-0");
    ASSERT_EQ(questions(kivp).size(), 2u);
    EXPECT_EQ(questions(kivp)[1].message.text.rfind("Undo game 2 of Championship, Birch 4 at Ash 3?", 0), 0u);
    EXPECT_EQ(gamesIn(autosave()), 1);

    EXPECT_TRUE(kivp.form().RedoGame1Enabled());
    kivp.form().RedoGame1Click();
    EXPECT_EQ(wins(), "1-1");
    EXPECT_EQ(runner.calls.size(), 2u);
    EXPECT_EQ(gamesIn(autosave()), 2);
    EXPECT_FALSE(kivp.form().RedoGame1Enabled());

    // Something that is not a file stands where the autosave goes: said once, however often it fails.
    std::filesystem::remove(autosave());
    dir.mkdir(kAutosaveFileName);
    play(0, 9);
    kivp.prompts().answers = {true};
    kivp.form().UndoGame1Click();
    kivp.form().RedoGame1Click();
    EXPECT_EQ(wins(), "2-1");
    ASSERT_EQ(kivp.prompts().messages().size(), 1u);
    EXPECT_EQ(kivp.prompts().messages()[0].rfind("kivp could not write its autosave file " + autosave() + ".", 0), 0u);

    // A game played after an undo takes the place of the game undone, which cannot come back.
    kivp.prompts().answers = {true};
    kivp.form().UndoGame1Click();
    play(5, 1);
    EXPECT_FALSE(kivp.form().RedoGame1Enabled());
}

TEST_F(JournalKeeperTest, SavePlayoffAsksBeforeReplacingAnotherPlayoffsFileAndTheTitleNamesThePlayoffsFile) {
    start();
    play(1, 2);
    EXPECT_EQ(kivp.form().windowTitle(), "KIV Playoff Mode");
    kivp.prompts().files = {dir.file("t1.kvp")};
    kivp.form().SavePlayoffAs1Click();
    kivp.prompts().files = {dir.file("t1.kvp")};
    kivp.form().Button7Click();
    play(4, 3);
    EXPECT_EQ(kivp.form().windowTitle(), "KIV Playoff Mode - t1.kvp");
    EXPECT_TRUE(kivp.form().windowModified());

    // No statistics file name: Save Playoff writes playoff1.kvp, which holds an earlier playoff.
    const std::string earlier = dir.write("playoff1.kvp", "an earlier playoff");
    kivp.prompts().clear();
    kivp.prompts().answers = {false};
    kivp.form().Button6Click();
    ASSERT_EQ(questions(kivp).size(), 1u);
    EXPECT_EQ(questions(kivp)[0].message.text,
              "Save Playoff saves to " + earlier + ", which already exists and is not this playoff's file (this "
              "playoff belongs to " + dir.file("t1.kvp") + ").\n\nReplace " + earlier +
              " with the playoff in the window? File > Save Playoff As... saves it under another name.");
    EXPECT_TRUE(questions(kivp)[0].message.cancelByDefault);
    EXPECT_EQ(test::readBytes(earlier), "an earlier playoff");

    kivp.prompts().answers = {true};
    kivp.form().Button6Click();
    EXPECT_EQ(gamesIn(earlier), 2);
    EXPECT_EQ(kivp.form().windowTitle(), "KIV Playoff Mode - playoff1.kvp");
    EXPECT_FALSE(kivp.form().windowModified());
    kivp.form().Button6Click(); // now the playoff's own file
    EXPECT_EQ(questions(kivp).size(), 2u);
}

TEST_F(JournalKeeperTest, EveryChangeThePlayoffFileHoldsIsAutosaved) {
    start();
    play(1, 2);
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"format", [this] { kivp.form().PlayoffFormatBoxChange(0); }},
        {"playoff type", [this] { kivp.form().PlayoffTypeBoxChange(1); }},
        {"team folder",
         [this] {
             kivp.prompts().folders = {dir.mkdir("league")};
             kivp.form().SpeedButton1Click();
         }},
    };
    for (const auto& [name, change] : changes) {
        change();
        const Lines saved = loadLines(autosave());
        EXPECT_EQ(Lines(saved.begin(), saved.begin() + kPlayoffFileLineCount),
                  PlayoffFile::of(kivp.form().bracket(), kivp.form().Label32()).toLines())
            << name;
    }
}

TEST_F(JournalKeeperTest, SavePlayoffAsWritesTheJournalButNeverOverTheAutosaveAndLoadLeavesOutOneThatDisagrees) {
    start();
    play(1, 2);
    play(4, 3);
    kivp.prompts().files = {dir.file(kAutosaveFileName), dir.file("mine")};
    kivp.form().SavePlayoffAs1Click();
    EXPECT_EQ(kivp.prompts().messages().size(), 1u);
    kivp.form().SavePlayoffAs1Click();
    EXPECT_EQ(gamesIn(dir.file("mine.kvp")), 2);
    kivp.form().Button4Click(); // nothing unsaved: no question
    EXPECT_TRUE(questions(kivp).empty());

    Lines lines = loadLines(dir.file("mine.kvp"));
    std::replace(lines.begin(), lines.end(), std::string("journal.runs=4 3"), std::string("journal.runs=3 4"));
    saveLines(dir.file("mine.kvp"), lines);
    kivp.prompts().files = {dir.file("mine.kvp")};
    kivp.form().Button7Click();
    EXPECT_EQ(wins(), "1-1");
    EXPECT_TRUE(kivp.form().journal().journal().empty());
    ASSERT_EQ(kivp.prompts().messages().size(), 2u);
    EXPECT_EQ(kivp.prompts().messages()[1].rfind(
                  "The game journal saved with the playoff in " + dir.file("mine.kvp") + " was left out", 0),
              0u);
}

struct ResumeCase {
    const char* name;
    int games; // the second won by the visitor, the others by the home team
    std::function<void(const test::TempDir&)> afterwards; // what befell the files when kivp stopped
    const char* answer; // to the question whether to resume ("yes", "no", "later"); "" when it is not asked
};

class Resume : public JournalKeeperTest, public ::testing::WithParamInterface<ResumeCase> {};

TEST_P(Resume, IsOfferedForAnUnfinishedPlayoffAndYesPutsItBackAsItStood) {
    const ResumeCase& c = GetParam();
    start();
    for (int game = 0; game < c.games; ++game)
        play(game == 1 ? 4 : 1, game == 1 ? 3 : 2);
    if (c.afterwards)
        c.afterwards(dir);
    const std::string left = test::readBytes(dir.file(kAutosaveFileName));

    test::PlayoffPlayer again(dir.path(), runner);
    const bool asked = *c.answer, yes = asked && std::string(c.answer) == "yes";
    const bool later = asked && std::string(c.answer) == "later";
    again.prompts().answers = {later ? std::nullopt : std::optional<bool>(yes)};
    again.start(dir.path());
    ASSERT_EQ(questions(again).size(), asked ? 1u : 0u);
    if (asked) {
        const auto question = questions(again)[0];
        EXPECT_EQ(question.kind, "yesno");
        EXPECT_NE(question.message.text.find("1903-1968 playoff, format 7, 2 games played\nStill in it: Ash, "
                                             "Birch\n"),
                  std::string::npos)
            << question.message.text;
    }
    if (yes) {
        EXPECT_EQ(PlayoffFile::of(again.form().bracket(), again.form().Label32()),
                  PlayoffFile::of(kivp.form().bracket(), kivp.form().Label32()));
        EXPECT_EQ(again.form().journal().journal().entries(), kivp.form().journal().journal().entries());
        // Not saved by the user: setting it aside asks.
        again.form().Button4Click();
        EXPECT_EQ(questions(again).size(), 2u);
    } else {
        EXPECT_EQ(again.form().bracket().slot(13), "T1/T2/T3/T4");
        EXPECT_EQ(test::readBytes(dir.file(kAutosaveFileName)), left); // kept until the next autosave
    }
    if (asked && !yes) {
        // No starts afresh, and the next change is autosaved; put off, the playoff is offered again.
        again.form().PlayoffFormatBoxChange(0);
        test::PlayoffPlayer third(dir.path(), runner);
        third.start(dir.path());
        EXPECT_EQ(questions(third).size(), later ? 1u : 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Autosaves, Resume,
    ::testing::Values(
        ResumeCase{"UnfinishedAndDeclined", 2, nullptr, "no"},
        ResumeCase{"UnfinishedAndPutOff", 2, nullptr, "later"},
        // Stopped as its first autosave, whole under the side name, was taking the autosave's name.
        ResumeCase{"LeftUnderItsSideName", 2,
                   [](const test::TempDir& d) {
                       std::filesystem::rename(d.file(kAutosaveFileName), d.file(kAutosaveSideFileName));
                   },
                   "yes"},
        ResumeCase{"WithAChampion", 5, nullptr, ""}, ResumeCase{"WithoutGames", 0, nullptr, ""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kivp
