#include "app/MainForm.h"
#include "options/ProfileFile.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "support/RecordingPrompts.h"
#include "support/ScriptedRunner.h"
#include "support/TempDir.h"

#include <functional>

#include <gtest/gtest.h>

namespace kivp {
namespace {

struct RecordingView : MainFormView {
    std::vector<std::string> requests;
    void showHelpContents() override { requests.push_back("help"); }
    void showAbout() override { requests.push_back("about"); }
    void showOptionsWindow() override { requests.push_back("options"); }
    void closeMainWindow() override { requests.push_back("close"); }
    std::optional<CustomBracket> customField;
    std::optional<CustomBracket> chooseCustomBracket(const CustomBracket& current) override {
        requests.push_back("custom " + std::to_string(current.teams) + " " + std::to_string(current.halves));
        return customField;
    }
};

// A title line that lists: "*" first and at least 27 characters.
const char* kTitle = "*Demo team title line here....\r\n";

struct MainFormTest : ::testing::Test {
    test::TempDir dir;
    test::RecordingPrompts prompts;
    RecordingView view;
    test::ScriptedRunner runner;
    MainForm form{prompts, view, runner};

    std::string ini() const { return test::readBytes(dir.file("kivp.ini")); }
    // Team files for these names in a folder below the program folder ("" for the program folder itself).
    void teams(std::initializer_list<const char*> names, const std::string& folder = "") {
        for (const char* name : names)
            dir.write((folder.empty() ? "" : folder + "/") + name + ".dat", kTitle);
    }
    void start() {
        form.FormCreate(dir.path());
        form.FormShow();
    }
    // Eight teams set up, upper teams at home in the first round, options never confirmed.
    void setUpEight(int formatIndex = 0) {
        teams({"Ash", "Birch", "Cedar", "Dogwood", "Elm", "Fir", "Gum", "Hazel"});
        start();
        form.PlayoffFormatBoxChange(formatIndex);
        for (std::size_t i = 0; i < kPickerNumbers.size(); ++i)
            form.choosePicker(kPickerNumbers[i], static_cast<int>(i));
        form.Button2Click();
    }
};

// --- playoff types on other trees ---

// A type on another tree starts a new playoff once games in no saved file may be set aside; "Custom" asks for its
// field and keeps it in kivp.ini, where the next start finds it.
TEST_F(MainFormTest, ATypeOnAnotherTreeSetsThePlayoffAsideOnlyWhenAllowedAndCustomKeepsItsField) {
    setUpEight();
    form.journal().creditGame(1, {3, 5}, {});
    prompts.answers = {false, true};
    form.PlayoffTypeBoxChange(4);
    EXPECT_EQ(form.bracket().playoffTypeText() + " " + std::to_string(form.journal().journal().size()), "1995- 1");
    form.PlayoffTypeBoxChange(4);
    EXPECT_EQ(form.bracket().playoffTypeText() + " " + std::to_string(form.bracket().seriesCount()) + " " +
                  std::to_string(form.journal().journal().size()),
              "2020 15 0");

    view.customField = CustomBracket{5, 1};
    form.PlayoffTypeBoxChange(kCustomType);
    EXPECT_EQ(view.requests.back(), "custom 8 2");
    EXPECT_EQ(form.bracket().playoffTypeText() + " " + form.bracket().formatText(), "Custom 5-7-7");
    MainForm again{prompts, view, runner};
    again.FormCreate(dir.path());
    EXPECT_EQ(again.bracket().customBracket(), (CustomBracket{5, 1}));
}

// --- start-up and the team set-up area ---

TEST_F(MainFormTest, FirstStartInAnEmptyFolderRecordsItAsProgramAndTeamFolder) {
    start();
    EXPECT_EQ(ini(), test::crlf({"[Location]", "Home Directory=" + dir.path(), "Directory=" + dir.path()}));
    EXPECT_EQ(form.Label32() + "|" + form.teamDirectory(), dir.path() + "|" + dir.path());
    EXPECT_TRUE(form.teamItems().empty() && prompts.calls.empty());
}

TEST_F(MainFormTest, StartFromAnotherFolderRewritesHomeDirectoryAndKeepsTheTeamFolder) {
    const auto league = dir.mkdir("teams");
    teams({"Cubs"}, "teams");
    dir.write("kivp.ini", test::crlf({"; my settings", "[Location]", "Home Directory=C:\\KIV",
                                      "Directory=" + league, "", "[Options]", "KIV Version=45"}));
    start();
    EXPECT_EQ(ini(), test::crlf({"; my settings", "[Location]", "Home Directory=" + dir.path(),
                                 "Directory=" + league, "", "[Options]", "KIV Version=45"}));
    EXPECT_EQ(form.Label32(), league);
    EXPECT_EQ(form.teamItems(), (std::vector<std::string>{"Cubs"}));
}

TEST_F(MainFormTest, StartWithAReadOnlySettingsFileReportsItOnceAndStillUsesTheStoredFolder) {
    const auto league = dir.mkdir("teams");
    const auto path = dir.write("kivp.ini", test::crlf({"[Location]", "Directory=" + league}));
    test::chmodPath(path, 0444);
    start();
    EXPECT_EQ(prompts.messages(), (std::vector<std::string>{"Unable to write to " + path}));
    EXPECT_EQ(form.Label32(), league);
    EXPECT_EQ(test::readBytes(path), test::crlf({"[Location]", "Directory=" + league}));
}

TEST_F(MainFormTest, CancelKeepsPickerChoicesAndOnlyDoneCopiesThemIntoTheBracket) {
    teams({"Ash", "Birch", "Cedar"});
    start();
    form.Button1Click();
    EXPECT_TRUE(form.teamSetupOpen());
    form.choosePicker(3, 2);
    form.choosePicker(6, 0);
    form.Button8Click();
    EXPECT_FALSE(form.teamSetupOpen());
    EXPECT_EQ(form.pickerText(3), "Cedar");
    EXPECT_EQ(form.bracket().slot(1), "Team 1");

    // Done sets nothing up while a picker shown is empty, and says which ones are.
    form.Button1Click();
    form.Button2Click();
    EXPECT_EQ(prompts.messages(),
              (std::vector<std::string>{"These team pickers have no team chosen: Team 2 (left half), Team 3 "
                                        "(left half), Team 1 (right half), Team 2 (right half), Team 3 (right "
                                        "half), Team 4 (right half).\n\nChoose a team in each of them, then "
                                        "press Done again."}));
    EXPECT_TRUE(form.teamSetupOpen());
    EXPECT_EQ(form.bracket().seriesState(1), kSeriesNotSetUp);

    for (int comboBox : {4, 5, 10, 11, 12, 13})
        form.choosePicker(comboBox, 1);
    form.Button2Click();
    EXPECT_FALSE(form.teamSetupOpen());
    EXPECT_EQ(form.bracket().slot(1), "Cedar");
    EXPECT_EQ(form.bracket().slot(2), "Ash");
}

TEST_F(MainFormTest, DoneInATeamFolderWithoutTeamsSetsNothingUpSoNoGameStarts) {
    start();
    form.PlayoffTypeBoxChange(2); // two pickers shown
    form.Button2Click();
    EXPECT_EQ(prompts.messages(),
              (std::vector<std::string>{"These team pickers have no team chosen: Team 1 (left half), Team 1 "
                                        "(right half).\n\nChoose a team in each of them, then press Done "
                                        "again.\n\nThe team folder " + dir.path() +
                                        " lists no team files: choose the folder of your KIV .dat files with "
                                        "the \"...\" button."}));
    // Nameless series, as a playoff file saved by an earlier Done can hold, are not played either.
    form.bracket().applyTeams({});
    form.PlayNextGameClick(0);
    form.Label9Click(13);
    EXPECT_TRUE(runner.calls.empty());
    EXPECT_EQ(form.statusLine(), "There is no game left to play.");
}

TEST_F(MainFormTest, ResetFormRestoresTheBracketAndRelistsTheTeamsWithoutChoices) {
    teams({"Ash"});
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

TEST_F(MainFormTest, ChosenTeamFolderIsStoredAndListedAndACancelStillStoresTheFolderShown) {
    const auto league = dir.mkdir("league");
    const auto loaded = dir.mkdir("loaded");
    teams({"Zebras"}, "league");
    teams({"Owls"}, "loaded");
    start();
    prompts.folders.push_back(league);
    form.SpeedButton1Click();
    EXPECT_EQ(form.Label32(), league);
    EXPECT_EQ(form.teamDirectory(), league);
    EXPECT_EQ(form.teamItems(), (std::vector<std::string>{"Zebras"}));
    EXPECT_NE(ini().find("Directory=" + league + "\r\n"), std::string::npos);

    // A loaded playoff shows its own folder; cancelling the chooser brings the stored folder in line with it.
    form.choosePicker(3, 0);
    form.setLabel32(loaded);
    prompts.folders.push_back(std::nullopt);
    form.SpeedButton1Click();
    EXPECT_EQ(form.Label32(), loaded);
    EXPECT_EQ(form.teamDirectory(), league);
    EXPECT_NE(ini().find("Directory=" + loaded + "\r\n"), std::string::npos);
    EXPECT_EQ(form.teamItems(), (std::vector<std::string>{"Owls"}));
    EXPECT_EQ(form.pickerText(3), "");

    // A folder without team files says so rather than leaving the pickers silently empty.
    prompts.folders.push_back(dir.mkdir("empty"));
    form.SpeedButton1Click();
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_TRUE(
        prompts.messages()[0].starts_with("The folder " + dir.file("empty") + " holds no KIV team files"));
}

// --- menu commands ---

TEST_F(MainFormTest, LoadingAPlayoffShowsItsFolderAndListsItsTeamsOnce) {
    const auto league = dir.mkdir("league");
    teams({"Ash", "Birch"}, "league");
    start();
    // A two-team playoff: type, format, 15 slots, 14 win counts, its team folder, 7 series states.
    const auto file =
        dir.write("saved.kvp", "2\n1\n" + std::string(12, '\n') + "Ash\nBirch\n\n" + std::string(12, '\n') +
                                   "1\n1\n" + league + "\n-1\n-1\n-1\n-1\n-1\n-1\n0\n");
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

// After each command that writes or reads a file the status line names it; a command cancelled leaves the
// line as it was. Files without a folder chosen go into the program folder, not the team folder.
TEST_F(MainFormTest, TheStatusLineSaysWhichFileASaveLoadExportOrPrintWroteOrRead) {
    setUpEight();
    form.setLabel32(dir.mkdir("league"));
    form.options().setChecked(CheckBoxId::CheckBox15, true);
    form.options().setEditText(EditId::Edit3, "LEAGUE");
    const std::optional<std::string> asksNothing = "";
    const struct {
        std::optional<std::string> chosen; // the file the user chooses
        void (MainForm::*command)();
        std::string status;
    } rows[] = {
        {asksNothing, &MainForm::Button6Click, "Playoff saved to " + dir.file("LEAGUE.kvp") + "."},
        {dir.file("mine"), &MainForm::SavePlayoffAs1Click, "Playoff saved to " + dir.file("mine.kvp") + "."},
        {std::nullopt, &MainForm::SavePlayoffAs1Click, "Playoff saved to " + dir.file("mine.kvp") + "."},
        {dir.file("LEAGUE.kvp"), &MainForm::Button7Click,
         "Playoff loaded from " + dir.file("LEAGUE.kvp") + "."},
        {asksNothing, &MainForm::ExporttoHTML1Click,
         "Bracket page written to " + dir.file("html.html") + "."},
        {dir.file("r.html"), &MainForm::ExportReport1Click,
         "Playoff report written to " + dir.file("r.html") + "."},
    };
    for (const auto& row : rows) {
        if (row.chosen != asksNothing)
            prompts.files.push_back(row.chosen);
        (form.*row.command)();
        EXPECT_EQ(form.statusLine(), row.status);
    }
    EXPECT_TRUE(test::exists(dir.file("r.html")) && prompts.messages().empty());
    EXPECT_NE(test::readBytes(dir.file("html.html")).find(">Ash</TD>"), std::string::npos);
    form.bracketPrinted({"Office", ""});
    EXPECT_EQ(form.statusLine(), "Bracket sent to the printer Office.");
    form.bracketPrinted({"", "/tmp/b.pdf"});
    EXPECT_EQ(form.statusLine(), "Bracket printed to /tmp/b.pdf.");
}

// The window's place goes into a section of its own, only when it changed, and comes back at the next start;
// a place that is not whole is not used.
TEST_F(MainFormTest, TheWindowsPlaceIsKeptInItsOwnSectionForTheNextStart) {
    start();
    EXPECT_FALSE(form.windowPlacement());
    const WindowPlacement placement{-20, 40, 900, 500, true};
    form.FormClose(placement);
    EXPECT_NE(ini().find("[Main Window]\r\nLeft=-20\r\nTop=40\r\nWidth=900\r\nHeight=500\r\nMaximized=1\r\n"),
              std::string::npos);
    MainForm again{prompts, view, runner};
    again.FormCreate(dir.path());
    EXPECT_EQ(again.windowPlacement(), placement);

    test::chmodPath(dir.file("kivp.ini"), 0444); // unchanged, so nothing is written
    again.FormClose(placement);
    EXPECT_TRUE(prompts.calls.empty());
    test::chmodPath(dir.file("kivp.ini"), 0644);

    ProfileFile settings(dir.file("kivp.ini"));
    settings.writeString(kMainWindowSection, "Width", "wide");
    settings.save();
    MainForm third{prompts, view, runner};
    third.FormCreate(dir.path());
    EXPECT_FALSE(third.windowPlacement());
}

// --- options and games ---

TEST_F(MainFormTest, OptionsRefusesWhileAPlayableSeriesHasNoHomeTeam) {
    // Each failing check in turn: a first-round pair, then the semi-finals and the championship once shown.
    const std::vector<std::pair<const char*, std::function<void(Bracket&)>>> cases = {
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
    for (const auto& [name, arrange] : cases) {
        form.bracket().startUp();
        arrange(form.bracket());
        prompts.clear();
        form.Button5Click();
        EXPECT_EQ(prompts.messages(), (std::vector<std::string>{kHomeTeamMissing})) << name;
        EXPECT_TRUE(view.requests.empty()) << name;
    }
}

// A later type marks the home team of every series that opens, so Options opens whatever order the series end
// in (here the 3/6 wild-card series before the 4/5 one), and refuses only while one that can be played has
// none.
TEST_F(MainFormTest, OptionsOnALaterTypeLooksAtTheSeriesThatCanBePlayed) {
    teams({"Ash", "Birch", "Cedar", "Dogwood", "Elm", "Fir", "Gum", "Hazel", "Ivy", "Juniper", "Kauri",
           "Larch", "Maple", "Nutmeg", "Oak", "Pine"});
    start();
    form.PlayoffTypeBoxChange(5);   // "2022-"
    form.PlayoffFormatBoxChange(6); // "1-1-1-1"
    for (std::size_t i = 0; i < kPickerNumbers.size(); ++i)
        form.choosePicker(kPickerNumbers[i], static_cast<int>(i));
    form.Button2Click();
    runner.thenScore(1, 2);
    form.Label9Click(Bracket::upperSlot(2));
    ASSERT_EQ(form.bracket().seriesState(2), kSeriesDecided);
    form.Button5Click();
    EXPECT_EQ(view.requests, std::vector<std::string>{"options"});
    form.bracket().speedButton(Bracket::upperButton(6)).down = false;
    form.Button5Click();
    EXPECT_EQ(prompts.messages(), std::vector<std::string>{kHomeTeamMissing});
}

TEST_F(MainFormTest, ClicksThatCannotPlayStopBeforeTheSimulatorButEmptyTheLineScore) {
    setUpEight();
    dir.write("kivp", "old line score");
    form.Label9Click(9); // series 5 is not set up
    EXPECT_EQ(test::readBytes(dir.file("kivp")), "");
    form.SpeedButton2Click(3);
    form.Label9Click(1);
    EXPECT_EQ(prompts.messages().back(), kHomeAwayChangedMessage);
    form.bracket().setUpdateOptionsLabel(false);
    form.bracket().speedButton(3).down = false;
    form.Label9Click(1);
    EXPECT_EQ(prompts.messages().back(), kHomeTeamMissing);
    EXPECT_TRUE(runner.calls.empty());
}

TEST_F(MainFormTest, OptionsAreResetAfterAGameUnlessTheSettingsSayNotAndAFailedResetStillCountsTheGame) {
    setUpEight(19); // "7-7-7"
    form.options().setChecked(CheckBoxId::CheckBox23, true);
    runner.thenScore(1, 2);
    form.Label9Click(1); // no Clear All After Run key: counts as 1
    EXPECT_FALSE(form.options().checkBox(CheckBoxId::CheckBox23).checked);
    EXPECT_TRUE(form.options().checkBox(CheckBoxId::CheckBox2).checked); // sound is on after a reset
    EXPECT_EQ(form.bracket().winCount(1), "1");

    test::chmodPath(dir.file("kivp.ini"), 0444);
    runner.thenScore(3, 1);
    form.Label9Click(1);
    EXPECT_EQ(prompts.messages(), (std::vector<std::string>{"Unable to write to " + dir.file("kivp.ini")}));
    EXPECT_EQ(form.bracket().winCount(2), "1");

    test::chmodPath(dir.file("kivp.ini"), 0644);
    ProfileFile settings(dir.file("kivp.ini"));
    settings.writeInteger("Options", "Clear All After Run", 0);
    settings.save();
    form.options().setChecked(CheckBoxId::CheckBox23, true);
    runner.thenScore(1, 2);
    form.Label9Click(1);
    EXPECT_TRUE(form.options().checkBox(CheckBoxId::CheckBox23).checked);
    EXPECT_EQ(form.bracket().winCount(1), "2");
}

TEST_F(MainFormTest, AGameTheUserStoppedCountsForNothingAndKeepsTheOptions) {
    setUpEight();
    form.options().setChecked(CheckBoxId::CheckBox23, true);
    // Even a line score the stopped simulator left behind is not read.
    runner.then([](const test::ScriptedRunner::Call& call) {
        saveLines(joinPath(call.workingDirectory, "kivp"), test::lineScoreLines("V", 5, "H", 1));
        return RunResult{RunResult::Outcome::Stopped, {}};
    });
    form.Label9Click(1);
    EXPECT_EQ(form.bracket().winCount(2), "0");
    EXPECT_EQ(form.bracket().seriesState(1), 0);
    EXPECT_TRUE(form.options().checkBox(CheckBoxId::CheckBox23).checked);
    EXPECT_TRUE(prompts.calls.empty());
}

TEST_F(MainFormTest, TheStatusLineNoLongerNamesTheChampionOnceTheGameIsTakenBackOrThePlayoffChanges) {
    teams({"Ash", "Birch"});
    start();
    const std::string saved = dir.file("saved.kvp");
    const struct {
        const char* name;
        std::function<void()> command;
        std::string status;
    } commands[] = {
        {"Undo", [&] { form.UndoGame1Click(); }, "Taken back: game 1 of Championship, Birch 1 at Ash 2."},
        {"Reset Form", [&] { form.Button4Click(); }, ""},
        {"Done", [&] { form.Button2Click(); }, ""},
        {"Load Playoff", [&] { form.Button7Click(); }, "Playoff loaded from " + saved + "."},
        {"a type change", [&] { form.PlayoffTypeBoxChange(1); }, ""},
    };
    for (const auto& [name, command, status] : commands) {
        form.PlayoffTypeBoxChange(2);
        form.PlayoffFormatBoxChange(0); // one game decides
        form.choosePicker(3, 0);
        form.choosePicker(10, 1);
        prompts.answers = {true}; // the playoff before is set aside
        form.Button2Click();
        if (!test::exists(saved)) {
            prompts.files = {saved};
            form.SavePlayoffAs1Click();
        }
        runner.thenScore(1, 2);
        form.Label9Click(13);
        ASSERT_EQ(form.statusLine(),
                  "Birch at Ash: Ash won 2-1. Ash wins the series 1-0 and is the champion!");
        prompts.answers = {true};
        prompts.files = {saved};
        command();
        EXPECT_EQ(form.statusLine(), status) << name;
    }
}

} // namespace
} // namespace kivp
