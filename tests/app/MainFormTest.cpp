#include "app/MainForm.h"
#include "support/RecordingPrompts.h"
#include "support/ScriptedRunner.h"
#include "support/TempDir.h"
#include "options/ProfileFile.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

#include <functional>

#include <gtest/gtest.h>

namespace kivp {
namespace {

using test::TempDir;

struct RecordingView : MainFormView {
    std::vector<std::string> requests;
    void showHelpContents() override { requests.push_back("help"); }
    void showAbout() override { requests.push_back("about"); }
    void showOptionsWindow() override { requests.push_back("options"); }
    void closeMainWindow() override { requests.push_back("close"); }
};

// A title line that lists: "*" first and at least 27 characters.
const char* kTitle = "*Demo team title line here....\r\n";

struct MainFormFixture : ::testing::Test {
    TempDir dir;
    test::RecordingPrompts prompts;
    RecordingView view;
    test::ScriptedRunner runner;
    MainForm form{prompts, view, runner};

    std::string ini() const { return test::readBytes(dir.file("kivp.ini")); }
    void start() {
        form.FormCreate(dir.path());
        form.FormShow();
    }
};

TEST_F(MainFormFixture, FirstStartInAnEmptyFolderRecordsItAsProgramAndTeamFolder) {
    start();
    EXPECT_EQ(ini(), test::crlf({"[Location]", "Home Directory=" + dir.path(), "Directory=" + dir.path()}));
    EXPECT_EQ(form.Label32(), dir.path());
    EXPECT_EQ(form.teamDirectory(), dir.path());
    EXPECT_TRUE(form.teamItems().empty());
    EXPECT_FALSE(form.teamSetupOpen());
    EXPECT_EQ(form.clientHeight(), kClosedClientHeight);
    EXPECT_TRUE(prompts.calls.empty());
}

TEST_F(MainFormFixture, StartFromAnotherFolderRewritesHomeDirectoryAndKeepsTheTeamFolder) {
    const auto teams = dir.mkdir("teams");
    dir.write("teams/Cubs.dat", kTitle);
    dir.write("kivp.ini", test::crlf({"; my settings", "[Location]", "Home Directory=C:\\KIV", "Directory=" + teams,
                                      "", "[Options]", "KIV Version=45"}));
    start();
    EXPECT_EQ(ini(), test::crlf({"; my settings", "[Location]", "Home Directory=" + dir.path(), "Directory=" + teams,
                                 "", "[Options]", "KIV Version=45"}));
    EXPECT_EQ(form.Label32(), teams);
    EXPECT_EQ(form.teamItems(), (std::vector<std::string>{"Cubs"}));
}

TEST_F(MainFormFixture, StartWithAReadOnlySettingsFileReportsItOnceAndStillUsesTheStoredFolder) {
    const auto teams = dir.mkdir("teams");
    const auto path = dir.write("kivp.ini", test::crlf({"[Location]", "Directory=" + teams}));
    test::chmodPath(path, 0444);
    start();
    EXPECT_EQ(prompts.messages(), (std::vector<std::string>{"Unable to write to " + dir.file("kivp.ini")}));
    EXPECT_EQ(form.Label32(), teams);
    EXPECT_EQ(test::readBytes(path), test::crlf({"[Location]", "Directory=" + teams}));
}

TEST_F(MainFormFixture, CancelKeepsPickerChoicesAndOnlyDoneCopiesThemIntoTheBracket) {
    for (const char* name : {"Ash.dat", "Birch.dat", "Cedar.dat"})
        dir.write(name, kTitle);
    start();
    form.Button1Click();
    EXPECT_EQ(form.clientHeight(), kOpenClientHeight);
    form.choosePicker(3, 2);
    form.choosePicker(6, 0);
    form.Button8Click();
    EXPECT_FALSE(form.teamSetupOpen());
    EXPECT_EQ(form.pickerText(3), "Cedar");
    EXPECT_EQ(form.bracket().slot(1), "Team 1");

    form.Button1Click();
    form.Button2Click();
    EXPECT_FALSE(form.teamSetupOpen());
    EXPECT_EQ(form.bracket().slot(1), "Cedar");
    EXPECT_EQ(form.bracket().slot(2), "Ash");
    EXPECT_EQ(form.bracket().slot(3), ""); // an empty picker is copied as it is
}

TEST_F(MainFormFixture, ResetFormRestoresTheBracketAndRelistsTheTeamsWithoutChoices) {
    dir.write("Ash.dat", kTitle);
    start();
    form.choosePicker(3, 0);
    form.Button2Click();
    form.SpeedButton2Click(3);
    form.setLabel32("/somewhere/else");
    form.Button4Click();
    EXPECT_EQ(form.bracket().slot(1), "Team 1");
    EXPECT_EQ(form.Label32(), dir.path());
    EXPECT_EQ(form.teamItems(), (std::vector<std::string>{"Ash"}));
    EXPECT_EQ(form.pickerText(3), "");
    EXPECT_TRUE(form.bracket().updateOptionsLabel()); // reset leaves the warning to the options window
}

TEST_F(MainFormFixture, ChoosingATeamFolderStoresItAndRelistsTheTeams) {
    const auto teams = dir.mkdir("league");
    dir.write("league/Zebras.dat", kTitle);
    start();
    prompts.folders.push_back(teams);
    form.SpeedButton1Click();
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].kind, "folder");
    EXPECT_EQ(prompts.calls[0].message.title, "Select Your KIV .DAT File Folder:");
    EXPECT_EQ(form.Label32(), teams);
    EXPECT_EQ(form.teamDirectory(), teams);
    EXPECT_EQ(form.teamItems(), (std::vector<std::string>{"Zebras"}));
    EXPECT_NE(ini().find("Directory=" + teams + "\r\n"), std::string::npos);
}

TEST_F(MainFormFixture, CancelledFolderChoiceStillBringsTheStoredFolderInLineWithTheShownOne) {
    const auto loaded = dir.mkdir("loaded");
    dir.write("loaded/Owls.dat", kTitle);
    start();
    form.choosePicker(3, 0);
    form.setLabel32(loaded); // as a loaded playoff does
    prompts.folders.push_back(std::nullopt);
    form.SpeedButton1Click();
    EXPECT_EQ(form.Label32(), loaded);
    EXPECT_EQ(form.teamDirectory(), dir.path());
    EXPECT_NE(ini().find("Directory=" + loaded + "\r\n"), std::string::npos);
    EXPECT_EQ(form.teamItems(), (std::vector<std::string>{"Owls"}));
    EXPECT_EQ(form.pickerText(3), "");
}

TEST_F(MainFormFixture, HelpAboutAndExitGoToTheView) {
    start();
    form.FormKeyUp(MainForm::kF1);
    form.FormKeyUp(113);
    form.Contents1Click();
    form.Button3Click();
    form.Exit1Click();
    EXPECT_EQ(view.requests, (std::vector<std::string>{"help", "help", "about", "close"}));
}

TEST_F(MainFormFixture, PictureCommandsFollowTheShowPictureCheckMark) {
    start();
    EXPECT_FALSE(form.LoadPicture1Enabled());
    form.ShowPicture1Click();
    EXPECT_TRUE(form.ShowPicture1Checked());
    EXPECT_TRUE(form.Image1Visible());
    EXPECT_TRUE(form.ChangeLabelFont1Enabled());

    prompts.files.push_back(dir.file("park.jpg"));
    form.LoadPicture1Click();
    EXPECT_EQ(prompts.calls.back().message.title, "Load a ballpark picture");
    EXPECT_EQ(form.picturePath(), dir.file("park.jpg"));
    prompts.files.push_back(std::nullopt);
    form.LoadPicture1Click();
    EXPECT_EQ(form.picturePath(), dir.file("park.jpg"));

    FontChoice bold{"Liberation Serif", 10, true};
    prompts.fonts.push_back(bold);
    form.ChangeLabelFont1Click();
    EXPECT_EQ(form.labelFont(), bold);

    form.ShowPicture1Click();
    EXPECT_FALSE(form.Image1Visible());
    EXPECT_FALSE(form.LoadPicture1Enabled());
}

} // namespace
} // namespace kivp

namespace kivp {
namespace {

TEST_F(MainFormFixture, LoadingAPlayoffShowsItsFolderAndListsItsTeamsOnce) {
    const auto league = dir.mkdir("league");
    dir.write("league/Ash.dat", kTitle);
    dir.write("league/Birch.dat", kTitle);
    start();
    std::vector<std::string> lines = {"2", "1"};
    for (int slot = 1; slot <= 12; ++slot)
        lines.push_back("");
    for (const char* text : {"Ash", "Birch", ""})
        lines.push_back(text);
    for (int slot = 1; slot <= 14; ++slot)
        lines.push_back(slot >= 13 ? "1" : "");
    lines.push_back(league);
    for (int series = 1; series <= 7; ++series)
        lines.push_back(series == 7 ? "0" : "-1");
    std::string text;
    for (const auto& line : lines)
        text += line + "\n";
    const auto file = dir.write("saved.kvp", text);

    for (int load = 0; load < 2; ++load) {
        prompts.files.push_back(file);
        form.Button7Click();
    }
    EXPECT_EQ(form.Label32(), league);
    EXPECT_EQ(form.teamDirectory(), dir.path());
    EXPECT_EQ(form.teamItems(), (std::vector<std::string>{"Ash", "Birch"}));
    EXPECT_EQ(form.bracket().slot(13), "Ash");
    EXPECT_EQ(form.bracket().layoutType(), 2);
    // The stored team folder is not the loaded playoff's business.
    EXPECT_EQ(ini().find(league), std::string::npos);
    EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(MainFormFixture, ExportWritesTheBracketPageIntoTheProgramFolder) {
    start();
    form.ExporttoHTML1Click();
    const auto page = test::readBytes(dir.file("html.html"));
    EXPECT_EQ(page.rfind("<HTML>\r\n", 0), 0u);
    EXPECT_NE(page.find(">Team 1</TD>"), std::string::npos);
}

} // namespace
} // namespace kivp

namespace kivp {
namespace {

struct PlayFixture : MainFormFixture {
    // Eight teams set up, upper teams at home in the first round, options never confirmed.
    void setUpEight(int formatIndex = 0) {
        for (const char* name : {"Ash", "Birch", "Cedar", "Dogwood", "Elm", "Fir", "Gum", "Hazel"})
            dir.write(std::string(name) + ".dat", kTitle);
        start();
        form.PlayoffFormatBoxChange(formatIndex);
        for (std::size_t i = 0; i < kPickerNumbers.size(); ++i)
            form.choosePicker(kPickerNumbers[i], static_cast<int>(i));
        form.Button2Click();
    }
    std::string lineScore() const { return test::readBytes(dir.file("kivp")); }
};

TEST_F(PlayFixture, OptionsListsEverySeriesSetUpWithNamesPaddedToEight) {
    start();
    form.Button5Click();
    EXPECT_EQ(view.requests, (std::vector<std::string>{"options"}));
    EXPECT_TRUE(form.options().comboBox1().items.empty());

    view.requests.clear();
    form.bracket().setPlayoffType(2);
    form.bracket().setSlot(13, "Owl");
    form.bracket().setSlot(14, "Kingfish");
    form.bracket().setSeriesState(7, 0);
    form.SpeedButton2Click(15); // raises the warning, which does not stop the options window
    form.Button5Click();
    EXPECT_EQ(view.requests, (std::vector<std::string>{"options"}));
    EXPECT_EQ(form.options().comboBox1().items, (std::vector<std::string>{"Owl      vs. Kingfish"}));
}

TEST_F(PlayFixture, OptionsRefusesWhileAPlayableSeriesHasNoHomeTeam) {
    // Each failing check in turn: a first-round pair, then the semi-finals and the championship once shown.
    struct Case {
        const char* name;
        std::function<void(Bracket&)> arrange;
    };
    const std::vector<Case> cases = {
        {"first round", [](Bracket& b) { b.speedButton(6).down = false; }},
        {"left semi-final",
         [](Bracket& b) {
             b.speedButton(10).shown = true;
             b.speedButton(4).shown = false;
         }},
        {"right semi-final",
         [](Bracket& b) {
             b.speedButton(13).shown = true;
             b.speedButton(6).shown = false;
         }},
        {"championship", [](Bracket& b) { b.setSeriesButtonsShown(7, true); }},
    };
    start();
    for (const auto& c : cases) {
        form.bracket().startUp();
        c.arrange(form.bracket());
        prompts.clear();
        view.requests.clear();
        form.Button5Click();
        EXPECT_EQ(prompts.messages(), (std::vector<std::string>{kHomeTeamMissing})) << c.name;
        EXPECT_TRUE(view.requests.empty()) << c.name;
    }
}

TEST_F(PlayFixture, AGameBeforeAnyOptionsUsesTheDefaultTailAndCreditsTheHomeTeamOnATie) {
    setUpEight();
    runner.thenScore(4, 4);
    form.Label9Click(2);
    ASSERT_EQ(runner.calls.size(), 1u);
    EXPECT_EQ(runner.calls[0].commandLine, "kivsim //h:Ash //v:Dogwood //del:0 //st:kplayoff //ls:kivp");
    EXPECT_EQ(runner.calls[0].workingDirectory, dir.path());
    EXPECT_EQ(runner.calls[0].caption, "Dogwood at Ash");
    // "1-1-1": one game decides the series.
    EXPECT_EQ(form.bracket().slot(9), "Ash");
    EXPECT_EQ(form.bracket().seriesState(1), 1);
    EXPECT_TRUE(prompts.calls.empty());
}

TEST_F(PlayFixture, TeamsOutsideTheProgramFolderAreNamedWithTheirFolder) {
    const auto league = dir.mkdir("league");
    start();
    form.setLabel32(league);
    form.bracket().setPlayoffType(2);
    form.bracket().applyTeams({"Owl", "", "", "", "Lynx", "", "", ""});
    form.SpeedButton2Click(15);
    form.bracket().setUpdateOptionsLabel(false);
    runner.thenScore(7, 2);
    form.Label9Click(13);
    EXPECT_EQ(runner.calls.at(0).commandLine,
              "kivsim /p:" + league + "/ //v:Owl //h:Lynx //del:0 //st:kplayoff //ls:kivp");
    EXPECT_EQ(form.bracket().winCount(13), "1");
}

TEST_F(PlayFixture, ClicksThatCannotPlayStopBeforeTheSimulatorButEmptyTheLineScore) {
    setUpEight();
    dir.write("kivp", "old line score");
    form.Label9Click(9); // series 5 is not set up
    EXPECT_EQ(lineScore(), "");
    form.SpeedButton2Click(3);
    form.Label9Click(1);
    EXPECT_EQ(prompts.messages().back(),
              "The Home/Away setup has been changed for at least 1 of the series.  The series options must be set "
              "up again before continuing.");
    form.bracket().setUpdateOptionsLabel(false);
    form.bracket().speedButton(3).down = false;
    form.Label9Click(1);
    EXPECT_EQ(prompts.messages().back(), kHomeTeamMissing);
    EXPECT_TRUE(runner.calls.empty());
}

TEST_F(PlayFixture, SimulatorThatWritesNothingCreditsNothingQuietly) {
    setUpEight();
    form.Label9Click(1);
    EXPECT_EQ(runner.calls.size(), 1u);
    EXPECT_EQ(form.bracket().winCount(1), "0");
    EXPECT_TRUE(prompts.calls.empty());
}

TEST_F(PlayFixture, SimulatorThatCannotStartIsReportedOnceAndNothingElseHappens) {
    setUpEight();
    runner.then([](const auto&) {
        return RunResult{RunResult::Outcome::NotStarted, "The simulator kivsim could not be started."};
    });
    form.Label9Click(1);
    EXPECT_EQ(prompts.messages(), (std::vector<std::string>{"The simulator kivsim could not be started."}));
    EXPECT_EQ(form.bracket().winCount(1), "0");
}

TEST_F(PlayFixture, MalformedLineScoreIsReportedAndCreditsNothing) {
    setUpEight();
    runner.then([](const test::ScriptedRunner::Call& call) {
        saveLines(joinPath(call.workingDirectory, "kivp"), {"Final", "no runs column here"});
        return RunResult{};
    });
    form.Label9Click(1);
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0], "List index out of bounds (2)");
    EXPECT_EQ(form.bracket().winCount(1), "0");
    EXPECT_EQ(form.bracket().winCount(2), "0");
}

TEST_F(PlayFixture, OptionsAreResetAfterEveryGameWhileTheSettingsAskForIt) {
    setUpEight(19);
    form.options().setChecked(CheckBoxId::CheckBox23, true);
    runner.thenScore(1, 2);
    form.Label9Click(1); // no Clear All After Run key: counts as 1
    EXPECT_FALSE(form.options().checkBox(CheckBoxId::CheckBox23).checked);
    EXPECT_TRUE(form.options().checkBox(CheckBoxId::CheckBox2).checked); // sound is on after a reset
    EXPECT_EQ(form.bracket().winCount(1), "1");

    // In save mode the options stay.
    ProfileFile settings(dir.file("kivp.ini"));
    settings.writeInteger("Options", "Clear All After Run", 0);
    settings.save();
    form.options().setChecked(CheckBoxId::CheckBox23, true);
    runner.thenScore(1, 2);
    form.Label9Click(1);
    EXPECT_TRUE(form.options().checkBox(CheckBoxId::CheckBox23).checked);
    EXPECT_EQ(form.bracket().winCount(1), "2");
}

TEST_F(PlayFixture, AReadOnlySettingsFileIsReportedButTheGameStillCounts) {
    setUpEight(19);
    test::chmodPath(dir.file("kivp.ini"), 0444);
    runner.thenScore(3, 1);
    form.Label9Click(1);
    EXPECT_EQ(prompts.messages(), (std::vector<std::string>{"Unable to write to " + dir.file("kivp.ini")}));
    EXPECT_EQ(form.bracket().winCount(2), "1");
}

TEST_F(PlayFixture, SavingAPlayoffUsesTheStatisticsFileName) {
    setUpEight();
    form.options().setChecked(CheckBoxId::CheckBox15, true);
    form.options().setEditText(EditId::Edit3, "LEAGUE");
    form.Button6Click();
    EXPECT_TRUE(test::exists(dir.file("LEAGUE.kvp")));
    EXPECT_TRUE(prompts.calls.empty());
}

} // namespace
} // namespace kivp
