// The journal as the main window's model uses it: the questions before a playoff with unsaved games is set
// aside, undo and redo, Save Playoff As..., loading a journal that disagrees, the autosave and resuming it.

#include "app/MainForm.h"
#include "platform/TextFile.h"
#include "playoff/PlayoffFile.h"
#include "support/RecordingPrompts.h"
#include "support/ScriptedRunner.h"
#include "support/TempDir.h"
#include "support/TableRows.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kivp {
namespace {

using test::PrintTo;

struct QuietView : MainFormView {
    void showHelpContents() override {}
    void showAbout() override {}
    void showOptionsWindow() override {}
    void closeMainWindow() override {}
};

// kivp started in a folder of its own that also holds two team files.
struct Program {
    explicit Program(const test::TempDir& dir) : folder(dir.path()) {}
    void start() {
        form.FormCreate(folder);
        form.FormShow();
    }
    // A two-team best-of-seven playoff, the upper team (Ash) at home.
    void setUp() {
        form.PlayoffTypeBoxChange(2);
        form.choosePicker(3, 0);
        form.choosePicker(10, 1);
        form.Button2Click();
    }
    void play(int visitorRuns, int homeRuns) {
        runner.thenScore(visitorRuns, homeRuns);
        form.Label9Click(13);
    }
    std::string wins() const { return form.bracket().winCount(13) + "-" + form.bracket().winCount(14); }
    std::vector<test::RecordingPrompts::Call> questions() const {
        std::vector<test::RecordingPrompts::Call> asked;
        for (const auto& call : prompts.calls) {
            if (call.kind == "question" || call.kind == "yesno")
                asked.push_back(call);
        }
        return asked;
    }

    std::string folder;
    test::RecordingPrompts prompts;
    QuietView view;
    test::ScriptedRunner runner;
    MainForm form{prompts, view, runner};
};

struct JournalKeeperTest : ::testing::Test {
    test::TempDir dir;
    Program kivp{dir};

    void SetUp() override {
        for (const char* team : {"Ash", "Birch"})
            dir.write(std::string(team) + ".dat", "*Demo team title line here....\r\n");
    }
    std::string autosave() const { return dir.file(kAutosaveFileName); }
    // The games a playoff file holds; throws when its journal is left out.
    static std::vector<GameRecord> gamesIn(const std::string& path) {
        const Lines lines = loadLines(path);
        const Journal journal =
            Journal::readFrom(PlayoffExtras::fromFileLines(lines), PlayoffFile::fromLines(lines));
        std::vector<GameRecord> games;
        for (const auto& entry : journal.entries())
            games.push_back(entry.game);
        return games;
    }
};

struct AsideCase {
    const char* name;
    std::function<void(Program&, const test::TempDir&)> command;
    int gamesAfter; // in the playoff the command puts in the window
};

class SettingAside : public JournalKeeperTest, public ::testing::WithParamInterface<AsideCase> {};

TEST_P(SettingAside, APlayoffWithUnsavedGamesAsksFirstAndKeepsItAsThePreviousAutosave) {
    kivp.start();
    kivp.setUp();
    kivp.play(1, 2);
    kivp.form.options().setChecked(CheckBoxId::CheckBox15, true);
    kivp.form.options().setEditText(EditId::Edit3, "LEAGUE");
    kivp.form.Button6Click(); // the first game is in a file the user saved
    kivp.play(4, 3);
    kivp.play(0, 6);
    ASSERT_TRUE(kivp.questions().empty());
    const Bracket before = kivp.form.bracket();

    kivp.prompts.answers = {false};
    GetParam().command(kivp, dir);
    ASSERT_EQ(kivp.questions().size(), 1u);
    const Message question = kivp.questions()[0].message;
    EXPECT_TRUE(question.cancelByDefault);
    EXPECT_NE(question.text.find("2 games that are in no playoff file you saved. " +
                                 std::string(GetParam().name) + " sets them aside"),
              std::string::npos)
        << question.text;
    EXPECT_EQ(kivp.form.bracket(), before);
    EXPECT_EQ(kivp.form.journal().journal().size(), 3);

    kivp.prompts.answers = {true};
    GetParam().command(kivp, dir);
    EXPECT_EQ(kivp.form.journal().journal().size(), GetParam().gamesAfter);
    EXPECT_EQ(gamesIn(dir.file(kPreviousAutosaveFileName)).size(), 3u);
    EXPECT_EQ(gamesIn(autosave()).size(), static_cast<std::size_t>(GetParam().gamesAfter));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, SettingAside,
    ::testing::Values(AsideCase{"Reset Form", [](Program& p, const test::TempDir&) { p.form.Button4Click(); },
                                0},
                      AsideCase{"Done", [](Program& p, const test::TempDir&) { p.form.Button2Click(); }, 0},
                      AsideCase{"Load Playoff",
                                [](Program& p, const test::TempDir& dir) {
                                    p.prompts.files.push_back(dir.file("LEAGUE.kvp"));
                                    p.form.Button7Click();
                                },
                                1}),
    [](const auto& info) {
        std::string name = info.param.name;
        std::erase(name, ' ');
        return name;
    });

TEST_F(JournalKeeperTest, UndoAsksSayingTheSimulatorKeepsTheGameAndRedoPutsItBackWithoutPlaying) {
    kivp.start();
    EXPECT_FALSE(kivp.form.UndoGame1Enabled());
    kivp.setUp();
    kivp.play(1, 2);
    // While a game runs there is nothing to undo, not even the game before.
    kivp.runner.then([this](const test::ScriptedRunner::Call& call) {
        EXPECT_FALSE(kivp.form.UndoGame1Enabled());
        kivp.form.UndoGame1Click();
        saveLines(call.workingDirectory + "/kivp", test::lineScoreLines("Birch", 4, "Ash", 3));
        return RunResult{};
    });
    kivp.form.Label9Click(13);
    ASSERT_EQ(kivp.wins(), "1-1");
    EXPECT_TRUE(kivp.prompts.calls.empty());

    kivp.prompts.answers = {false, true};
    kivp.form.UndoGame1Click();
    EXPECT_EQ(kivp.wins(), "1-1");
    kivp.form.UndoGame1Click();
    EXPECT_EQ(kivp.wins(), "1-0");
    ASSERT_EQ(kivp.questions().size(), 2u);
    EXPECT_EQ(kivp.questions()[1].message.text.rfind("Undo game 2 of Championship, Birch 4 at Ash 3?", 0), 0u);
    EXPECT_EQ(gamesIn(autosave()).size(), 1u);

    EXPECT_TRUE(kivp.form.RedoGame1Enabled());
    kivp.form.RedoGame1Click();
    EXPECT_EQ(kivp.wins(), "1-1");
    EXPECT_EQ(kivp.runner.calls.size(), 2u);
    EXPECT_EQ(gamesIn(autosave()).size(), 2u);
    EXPECT_FALSE(kivp.form.RedoGame1Enabled());
}

TEST_F(JournalKeeperTest, AutosaveHoldsThePlayoffAfterEveryGameAndAFailureToWriteItIsReportedOnce) {
    kivp.start();
    kivp.setUp();
    kivp.play(1, 2);
    const Lines saved = loadLines(autosave());
    ASSERT_GE(saved.size(), 40u);
    EXPECT_EQ(Lines(saved.begin(), saved.begin() + 39),
              PlayoffFile::of(kivp.form.bracket(), kivp.form.Label32()).toLines());
    EXPECT_EQ(gamesIn(autosave()).size(), 1u);

    // Something that is not a file stands where the autosave goes.
    std::filesystem::remove(autosave());
    dir.mkdir(kAutosaveFileName);
    for (int game = 0; game < 3; ++game)
        kivp.play(game, 9);
    kivp.prompts.answers = {true};
    kivp.form.UndoGame1Click();
    EXPECT_EQ(kivp.wins(), "3-0");
    const auto messages = kivp.prompts.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("kivp could not write its autosave file " + autosave() + ".", 0), 0u);
}

TEST_F(JournalKeeperTest, SavePlayoffAsWritesTheJournalWhereTheUserChoosesButNeverOverTheAutosave) {
    kivp.start();
    kivp.setUp();
    kivp.play(1, 2);
    kivp.prompts.files = {dir.file(kAutosaveFileName), dir.file("mine")};
    kivp.form.SavePlayoffAs1Click();
    EXPECT_EQ(kivp.prompts.messages().size(), 1u);
    EXPECT_EQ(gamesIn(autosave()).size(), 1u);
    kivp.form.SavePlayoffAs1Click();
    EXPECT_EQ(gamesIn(dir.file("mine.kvp")).size(), 1u);
    kivp.form.Button4Click(); // nothing unsaved: no question
    EXPECT_TRUE(kivp.questions().empty());
}

TEST_F(JournalKeeperTest, AJournalThatDisagreesIsLeftOutWithOneMessageAndThePlayoffStillLoads) {
    kivp.start();
    kivp.setUp();
    kivp.play(1, 2);
    kivp.play(4, 3);
    kivp.prompts.files = {dir.file("mine.kvp")};
    kivp.form.SavePlayoffAs1Click();
    Lines lines = loadLines(dir.file("mine.kvp"));
    for (auto& line : lines) {
        if (line == "journal.runs=4 3")
            line = "journal.runs=3 4";
    }
    saveLines(dir.file("mine.kvp"), lines);

    kivp.form.Button4Click();
    kivp.prompts.files = {dir.file("mine.kvp")};
    kivp.form.Button7Click();
    EXPECT_EQ(kivp.wins(), "1-1");
    EXPECT_TRUE(kivp.form.journal().journal().empty());
    ASSERT_EQ(kivp.prompts.messages().size(), 1u);
    EXPECT_EQ(kivp.prompts.messages()[0].rfind("The game journal saved with the playoff in " +
                                               dir.file("mine.kvp") + " was left out", 0), 0u);
}

struct ResumeCase {
    const char* name;
    std::vector<std::pair<int, int>> games;
    std::function<void(const test::TempDir&)> afterwards; // what befell the files when kivp stopped
    bool asked;
    bool yes;
};

class Resume : public JournalKeeperTest, public ::testing::WithParamInterface<ResumeCase> {};

TEST_P(Resume, IsOfferedForAnUnfinishedPlayoffAndYesPutsItBackAsItStood) {
    const ResumeCase& c = GetParam();
    kivp.start();
    kivp.setUp();
    for (const auto& [visitor, home] : c.games)
        kivp.play(visitor, home);
    if (c.afterwards)
        c.afterwards(dir);
    const std::string left = test::readBytes(dir.file(kAutosaveFileName));

    Program again(dir);
    again.prompts.answers = {c.yes};
    again.start();
    const auto asked = again.questions();
    ASSERT_EQ(asked.size(), c.asked ? 1u : 0u);
    if (c.asked) {
        EXPECT_EQ(asked[0].kind, "yesno");
        EXPECT_NE(asked[0].message.text.find("1903-1968 playoff, format 7, 2 games played\nStill in it: Ash, "
                                             "Birch\n"),
                  std::string::npos)
            << asked[0].message.text;
    }
    if (c.asked && c.yes) {
        EXPECT_EQ(PlayoffFile::of(again.form.bracket(), again.form.Label32()),
                  PlayoffFile::of(kivp.form.bracket(), kivp.form.Label32()));
        EXPECT_EQ(again.form.journal().journal().entries().size(),
                  kivp.form.journal().journal().entries().size());
        for (std::size_t i = 0; i < kivp.form.journal().journal().entries().size(); ++i)
            EXPECT_EQ(again.form.journal().journal().entries()[i].game,
                      kivp.form.journal().journal().entries()[i].game);
        // Not saved by the user: setting it aside asks.
        again.form.Button4Click();
        EXPECT_EQ(again.questions().size(), 2u);
    } else {
        EXPECT_EQ(again.form.bracket().slot(13), "T1/T2/T3/T4");
        EXPECT_EQ(test::readBytes(dir.file(kAutosaveFileName)), left); // kept until the next autosave
    }
}

INSTANTIATE_TEST_SUITE_P(
    Autosaves, Resume,
    ::testing::Values(
        ResumeCase{"UnfinishedAndAccepted", {{1, 2}, {4, 3}}, nullptr, true, true},
        ResumeCase{"UnfinishedAndDeclined", {{1, 2}, {4, 3}}, nullptr, true, false},
        // Stopped as its first autosave, whole under the side name, was taking the autosave's name.
        ResumeCase{"LeftUnderItsSideName",
                   {{1, 2}, {4, 3}},
                   [](const test::TempDir& d) {
                       std::filesystem::rename(d.file(kAutosaveFileName), d.file(kAutosaveSideFileName));
                   },
                   true,
                   true},
        ResumeCase{"WithAChampion", {{1, 2}, {1, 2}, {1, 2}, {1, 2}}, nullptr, false, true},
        ResumeCase{"WithoutGames", {}, nullptr, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kivp
