#include "app/MainForm.h"
#include "support/RecordingPrompts.h"
#include "support/TempDir.h"

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
    MainForm form{prompts, view};

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
