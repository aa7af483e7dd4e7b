#include "options/OptionsForm.h"
#include "options/SettingKeys.h"
#include "options/Switches.h"
#include "platform/Error.h"
#include "platform/Paths.h"
#include "support/OptionsFixtures.h"
#include "support/RecordingPrompts.h"
#include "support/TempDir.h"

#include <cstdio>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kivp {
namespace {

using test::crlf;
using test::FakeOptionsHost;
using test::teamFileWithPitchers;
using ::testing::ThrowsMessage;
using C = CheckBoxId;
using R = RadioButtonId;

bool enabled(const OptionsForm& form, std::string_view name) {
    for (const auto id : kCheckBoxIds)
        if (controlName(id) == name)
            return form.checkBox(id).enabled;
    for (const auto id : kEditIds)
        if (controlName(id) == name)
            return form.edit(id).enabled;
    for (const auto id : kButtonIds)
        if (controlName(id) == name)
            return form.button(id).enabled;
    return name == "ComboBox1" ? form.comboBox1().enabled : form.cSpinEdit5().enabled;
}

class OptionsFormTest : public ::testing::Test {
protected:
    OptionsFormTest() {
        host.program = dir.mkdir("program");
        host.teams = dir.mkdir("teams");
        dir.write("teams/Cubs.dat", teamFileWithPitchers({{"Reliever", "  "}, {"Home Ace", "30"}}));
        dir.write("teams/Tigers.dat", teamFileWithPitchers({{"Visiting Ace", "33"}}));
    }

    std::string iniPath() const { return joinPath(host.program, "kivp.ini"); }
    void writeIni(const std::string& text) const { dir.write("program/kivp.ini", text); }
    // The window opens on a kivp.ini of these lines.
    void load(std::initializer_list<std::string_view> lines) {
        writeIni(crlf(lines));
        form.FormShow();
    }
    std::string ini() const { return test::readBytes(iniPath()); }
    std::string stored(Setting setting) const {
        const auto& entry = settingKey(setting);
        return ProfileFile(iniPath()).readString(entry.section, entry.key, "<absent>");
    }
    // The main window fills the series list, then the user picks the entry.
    void chooseSeries(const std::string& upper, const std::string& lower) {
        form.openWithSeries({seriesEntryText(upper, lower)});
        form.chooseSeries(0);
    }

    test::TempDir dir;
    FakeOptionsHost host;
    test::RecordingPrompts prompts;
    OptionsForm form{host, prompts};
};

// --- creation and the rules
// --------------------------------------------------------------------------------------

TEST_F(OptionsFormTest, EnablingRuleFieldsFollowTheirFlagBothWays) {
    const std::vector<std::pair<CheckBoxId, std::vector<std::string_view>>> table = {
        {C::CheckBox8, {"ComboBox1", "Button7"}},
        {C::CheckBox9, {"Button8"}},
        {C::CheckBox13, {"CSpinEdit5", "WatchGameCheck"}},
        {C::CheckBox39, {"Edit2"}},
        {C::CheckBox15, {"Edit3", "CheckBox6"}},
        {C::CheckBox16, {"Edit5", "CheckBox32"}},
        {C::CheckBox17, {"Edit6", "CheckBox33"}},
        {C::CheckBox19, {"Edit8", "CheckBox34"}},
        {C::CheckBox37, {"Edit1"}}};
    for (const auto& [flag, fields] : table) {
        for (const bool on : {true, false}) {
            form.setChecked(flag, on);
            for (const auto name : fields)
                EXPECT_EQ(enabled(form, name), on) << controlName(flag) << " " << name;
        }
    }
}

TEST_F(OptionsFormTest, AClearFlagNeedsItsFileNamedAFlagSetAsItIsRunsNoRuleAndOnePersistenceModeIsOn) {
    form.setChecked(C::CheckBox16, true);
    form.setChecked(C::CheckBox32, true);
    EXPECT_FALSE(form.checkBox(C::CheckBox32).checked); // no name
    form.setEditText(EditId::Edit5, " ");               // blanks count as a name
    form.setChecked(C::CheckBox32, true);
    form.setEditText(EditId::Edit5, "");
    EXPECT_TRUE(form.checkBox(C::CheckBox32).checked); // erasing the name later does not undo it
    form.setChecked(C::CheckBox16, false);
    EXPECT_EQ(form.checkBox(C::CheckBox32), (CheckBoxState{false, false, true}));
    form.setChecked(C::CheckBox16, true);
    EXPECT_EQ(form.checkBox(C::CheckBox32), (CheckBoxState{false, true, true}));

    // Setting a flag to the state it has runs no rule.
    form.setChecked(C::CheckBox15, false); // already off: CheckBox6 keeps its creation state, enabled
    EXPECT_TRUE(form.checkBox(C::CheckBox6).enabled);
    form.setChecked(C::CheckBox13, true);
    form.setChecked(C::WatchGameCheck, true);
    form.setChecked(C::CheckBox13, false); // disables Watch Game and leaves it on
    EXPECT_EQ(form.checkBox(C::WatchGameCheck), (CheckBoxState{true, false, true}));

    // Exactly one persistence mode is on.
    form.setChecked(C::CheckBox20, false);
    EXPECT_TRUE(form.checkBox(C::CheckBox21).checked);
    form.setChecked(C::CheckBox21, false);
    EXPECT_TRUE(form.checkBox(C::CheckBox20).checked);
    form.setChecked(C::CheckBox21, true);
    form.setChecked(C::CheckBox40, false); // shares the handler, has no rule
    EXPECT_FALSE(form.checkBox(C::CheckBox20).checked);
    EXPECT_TRUE(form.checkBox(C::CheckBox21).checked);
}

// --- series and pitchers
// ---------------------------------------------------------------------------------------

TEST_F(OptionsFormTest, ChoosingASeriesListsBothRostersAndAChosenPitcherLastsUntilTheNextSeries) {
    chooseSeries("Cubs", "Tigers"); // no bracket series names them: the first team is at home
    EXPECT_EQ(form.selectedHomeTeam(), "Cubs");
    EXPECT_EQ(form.selectedVisitorTeam(), "Tigers");
    const auto cubs = readRoster(host.teams, "Cubs", true, prompts);
    const auto tigers = readRoster(host.teams, "Tigers", true, prompts);
    EXPECT_EQ(form.listView(ListViewId::ListView2).rows, cubs.pitchers);
    EXPECT_EQ(form.listBox(ListBoxId::ListBox2).items, cubs.lineup);
    EXPECT_EQ(form.listView(ListViewId::ListView1).rows, tigers.pitchers);
    EXPECT_EQ(form.listBox(ListBoxId::ListBox1).items, tigers.lineup);

    form.selectPitcherRow(ListViewId::ListView2, 0);
    EXPECT_EQ(form.homePitcher(), "2"); // the reliever before him counts
    EXPECT_EQ(form.label(LabelId::Label36).caption, cubs.pitchers[0].name);
    form.selectPitcherRow(ListViewId::ListView2, -1); // a click beside the rows keeps the choice
    EXPECT_EQ(form.homePitcher(), "2");
    form.chooseSeries(3); // outside the list: nothing is chosen and nothing changes
    EXPECT_EQ(form.homePitcher(), "2");
    form.chooseSeries(0);
    EXPECT_EQ(form.homePitcher() + form.label(LabelId::Label36).caption, "");

    form.openWithSeries({seriesEntryText("abc", "defghijk")});
    EXPECT_EQ(form.comboBox1().items, std::vector<std::string>{"abc      vs. defghijk"});
    EXPECT_EQ(form.comboBox1().text(), "");
    EXPECT_TRUE(form.listView(ListViewId::ListView1).rows.empty() &&
                form.listView(ListViewId::ListView2).rows.empty());
}

TEST_F(OptionsFormTest, ASeriesWhoseVisitorCannotBeReadKeepsTheHomeListsAndNamesTheFile) {
    EXPECT_THAT([&] { chooseSeries("Cubs", "Ghosts"); },
                ThrowsMessage<Error>("Cannot open file " + joinPath(host.teams, "Ghosts.dat")));
    EXPECT_EQ(form.listView(ListViewId::ListView2).rows.size(), 1u);
    EXPECT_TRUE(form.listView(ListViewId::ListView1).rows.empty());
}

// --- loading
// -------------------------------------------------------------------------------------------------

TEST_F(OptionsFormTest, WithoutASettingsFileTheWindowShowsTheProgramStartOptions) {
    form.setChecked(C::CheckBox2, true);
    form.setPageControl1(OptionsPage::MiscOptions);
    form.FormShow();
    EXPECT_EQ(form.runOptions(), RunOptions{});
    EXPECT_EQ(form.pageControl1(), OptionsPage::TeamOptions);
    EXPECT_FALSE(test::exists(iniPath())); // reading creates nothing
}

TEST_F(OptionsFormTest, OnlyZeroOneLoadsAsSaveMode) {
    const std::vector<std::pair<std::string, bool>> table = {
        {"Clear All After Run=1\r\nSave All Options=0", false},
        {"Clear All After Run=0\r\nSave All Options=1", true},
        {"Clear All After Run=0\r\nSave All Options=0", false},
        {"Clear All After Run=1\r\nSave All Options=1", false},
        {"Clear All After Run=2\r\nSave All Options=1", false},
        {"Save All Options=1", false}};
    for (const auto& [keys, saveMode] : table) {
        writeIni("[Options]\r\n" + keys + "\r\n");
        form.FormShow();
        EXPECT_EQ(form.checkBox(C::CheckBox21).checked, saveMode) << keys;
        EXPECT_NE(form.checkBox(C::CheckBox20).checked, saveMode) << keys;
    }
}

TEST_F(OptionsFormTest, KnownVersionsPickTheirButtonAndAnyOtherTextIsUserDefined) {
    form.setEditText(EditId::KIVVersionBox, "before");
    const std::vector<std::tuple<std::string, RadioButtonId, std::string>> table = {
        {"", R::RadioButton1, "before"},
        {"KIV Version=36", R::RadioButton1, "before"},
        {"KIV Version=40", R::RadioButton2, "before"},
        {"KIV Version=45", R::RadioButton3, "before"},
        {"KIV Version=46", R::RadioButton4, "before"},
        {"KIV Version=41", R::RadioButton5, "41"},
        {"KIV Version=", R::RadioButton5, ""}};
    for (const auto& [key, choice, box] : table) {
        writeIni("[Options]\r\n" + key + "\r\n");
        form.FormShow();
        EXPECT_EQ(form.versionChoice(), choice) << key;
        EXPECT_EQ(form.edit(EditId::KIVVersionBox).text, box) << key;
        EXPECT_EQ(form.edit(EditId::KIVVersionBox).enabled, choice == R::RadioButton5) << key;
    }
}

// Stored flags count as on only when they hold 1, the detailed messages whenever they are not 0; the delay is
// brought into 0..9; Watch Game and the command file's name load only with their flag on.
TEST_F(OptionsFormTest, AHandEditedFileLoadsByTheRulesOfEachField) {
    load({"[Options]", "Show Detailed Error Messages=2", "[Team Options]", "Use DH=2", "Use Focusing=1",
          "Delay Factor=-4", "Use Watch Game=1", "[More Options]", "Use Stats File=-1", "Use Command File=0",
          "Command File Name=abc"});
    EXPECT_TRUE(form.checkBox(C::CheckBox40).checked);
    EXPECT_FALSE(form.checkBox(C::CheckBox1).checked);
    EXPECT_TRUE(form.checkBox(C::CheckBox4).checked);
    EXPECT_FALSE(form.checkBox(C::CheckBox15).checked);
    EXPECT_EQ(form.cSpinEdit5(), (SpinEditState{"0", false, true, 0, 9}));
    EXPECT_EQ(form.checkBox(C::WatchGameCheck), (CheckBoxState{false, false, true}));
    const auto hint = form.edit(EditId::Edit1).hint;
    EXPECT_EQ(form.edit(EditId::Edit1), (EditState{"", false, true, 8, hint}));

    load({"[Options]", "Show Detailed Error Messages=0", "[Team Options]", "Use Delay Factor=1",
          "Delay Factor=12", "Use Watch Game=1", "[More Options]", "Use Command File=1",
          "Command File Name=abc"});
    EXPECT_FALSE(form.checkBox(C::CheckBox40).checked);
    EXPECT_EQ(form.cSpinEdit5(), (SpinEditState{"9", true, true, 0, 9}));
    EXPECT_EQ(form.checkBox(C::WatchGameCheck), (CheckBoxState{true, true, true}));
    EXPECT_EQ(form.edit(EditId::Edit1), (EditState{"abc", true, true, 8, hint}));

    load({"[Team Options]", "Delay Factor=x"});
    EXPECT_EQ(form.cSpinEdit5().text, "0");
}

TEST_F(OptionsFormTest, AStoredClearFlagComesOnOnlyOnceItsNameIsAlreadyInTheField) {
    // The first opening: the name field is still empty when the flag is set.
    load({"[More Options]", "Use Stats File=1", "Clear Stats File=1", "Stats File=LEAGUE"});
    EXPECT_FALSE(form.checkBox(C::CheckBox6).checked);
    EXPECT_EQ(form.edit(EditId::Edit3), (EditState{"LEAGUE", true, true, 8, ""}));
    form.FormShow();
    EXPECT_EQ(form.checkBox(C::CheckBox6), (CheckBoxState{true, true, true}));
}

TEST_F(OptionsFormTest, TeamOptionsTurnedOffByHandDisableTheTeamBoxesAndTheSeriesList) {
    writeIni(crlf({"[Setup Options]", "Use Team Options=0", "[Team Options]", "Use Sound Effects=1"}));
    form.setChecked(C::CheckBox23, true);
    form.setChecked(C::CheckBox4, true);
    form.FormShow();
    for (const auto id : {C::CheckBox23, C::CheckBox24, C::CheckBox5, C::CheckBox25, C::CheckBox3,
                          C::CheckBox26, C::CheckBox1})
        EXPECT_EQ(form.checkBox(id), (CheckBoxState{false, false, form.checkBox(id).visible}))
            << controlName(id);
    EXPECT_FALSE(form.comboBox1().enabled);
    EXPECT_FALSE(form.checkBox(C::CheckBox2).checked); // not read
    EXPECT_TRUE(form.checkBox(C::CheckBox4).checked);  // keeps what it had
    load({});
    EXPECT_TRUE(form.comboBox1().enabled && form.checkBox(C::CheckBox23).enabled);
}

// --- OK and Cancel
// -----------------------------------------------------------------------------------------------

TEST_F(OptionsFormTest, OkWithoutAFileWritesOnlyTheModeAndTheVersionAndCloses) {
    form.FormShow();
    form.setCSpinEdit5Text(""); // in clear mode the delay's text counts only with the delay on
    form.Button1Click();
    EXPECT_EQ(ini(), crlf({"[Options]", "Clear All After Run=1", "Save All Options=0", "KIV Version=36"}));
    EXPECT_EQ(form.rawSwitches() + "|" + form.simSwitches() + "|" + form.saveModeCode(), "//s:n | /s:n|10");
    EXPECT_EQ(form.commandFileLine(), "");
    EXPECT_EQ(host.warningsLowered, 1);
    EXPECT_TRUE(form.closeRequested());

    form.setChecked(C::CheckBox13, true);
    form.setChecked(C::CheckBox2, true);
    EXPECT_THAT([&] { form.Button1Click(); }, ThrowsMessage<Error>("'' is not a valid integer value"));
    // A failed OK keeps the switches of the last one that went through.
    EXPECT_EQ(form.rawSwitches() + "|" + form.simSwitches(), "//s:n | /s:n");
}

// Every option on or filled in save mode, both pitchers chosen.
class OkInSaveMode : public OptionsFormTest {
protected:
    void SetUp() override {
        m_previous = currentDirectory();
        ASSERT_TRUE(setCurrentDirectory(host.program)); // statistics files are named from here
        form.FormShow();
        chooseSeries("Cubs", "Tigers");
        form.selectPitcherRow(ListViewId::ListView1, 0);
        form.selectPitcherRow(ListViewId::ListView2, 0);
        for (const auto id :
             {C::CheckBox23, C::CheckBox24, C::CheckBox5, C::CheckBox25, C::CheckBox3, C::CheckBox26,
              C::CheckBox1, C::CheckBox2, C::CheckBox4, C::CheckBox13, C::WatchGameCheck, C::CheckBox39,
              C::CheckBox15, C::CheckBox16, C::CheckBox17, C::CheckBox19, C::CheckBox37, C::CheckBox21})
            form.setChecked(id, true);
        form.setChecked(C::CheckBox40, false);
        form.setCSpinEdit5Value(7);
        const std::vector<std::pair<EditId, std::string>> texts = {
            {EditId::Edit2, "1.05"}, {EditId::Edit3, "LEAGUE"}, {EditId::Edit5, "BOX"},
            {EditId::Edit6, "CARD"}, {EditId::Edit8, "STAR"},   {EditId::Edit1, "games"}};
        for (const auto& [id, text] : texts)
            form.setEditText(id, text);
        for (const auto id : {C::CheckBox6, C::CheckBox32, C::CheckBox33, C::CheckBox34})
            form.setChecked(id, true);
        form.chooseVersion(R::RadioButton5);
        form.setEditText(EditId::KIVVersionBox, "mykiv");
    }
    void TearDown() override { setCurrentDirectory(m_previous); }

    std::string m_previous;
};

TEST_F(OkInSaveMode, SavesTheWholeSetWritesTheCommandFilesAndEmptiesTheStatisticsFilesAskedFor) {
    dir.write("program/LEAGUE.sts", "standings");
    form.Button1Click();
    // clang-format off
    EXPECT_EQ(ini(), crlf({"[Options]", "Clear All After Run=0", "Save All Options=1",
                           "Show Detailed Error Messages=0", "KIV Version=mykiv", "[Setup Options]",
                           "Use Team Options=1", "[Team Options]", "Visiting Pitcher=1", "Home Pitcher=2",
                           "Use Auto Manage Visitor=1", "Use Auto Manage Home=1",
                           "Use Auto Lineup Visitor=1", "Use Auto Lineup Home=1",
                           "Use Spot Starters Visitor=1", "Use Spot Starters Home=1", "Use DH=1",
                           "Use Sound Effects=1", "Use Focusing=1", "Use Delay Factor=1", "Delay Factor=7",
                           "Use Watch Game=1", "Use Normalization=1", "Normalization Factor=1.05",
                           "[More Options]", "Use Stats File=1", "Clear Stats File=1", "Stats File=LEAGUE",
                           "Use Box Score File=1", "Clear Box Score File=1", "Box Score File=BOX",
                           "Use Score Card File=1", "Clear Score Card File=1", "Score Card File=CARD",
                           "Use Star Box File=1", "Clear Star Box File=1", "Star Box File=STAR",
                           "Use Command File=1", "Command File Name=games"}));
    // clang-format on
    EXPECT_EQ(form.saveModeCode(), "01");
    EXPECT_EQ(form.visitingPitcher(), "1"); // save mode keeps the choice in the window

    // A fresh window loads the same options except the pitchers (the clear flags on its second opening, once
    // their names are in the fields).
    RunOptions expected = form.runOptions();
    expected.visitingPitcher = expected.homePitcher = "";
    OptionsForm fresh(host, prompts);
    fresh.FormShow();
    fresh.FormShow();
    EXPECT_EQ(fresh.runOptions(), expected);

    const std::string sim =
        " /vp:1 /hp:2 /vam /ham /val /hal /vspt /hspt /dh:y /s:y /del:7 /pg /foc /era:1.05"
        " /st:LEAGUE /bx:BOX /sc:CARD /stb:STAR";
    EXPECT_EQ(form.simSwitches(), sim);
    const std::string line = " /p:" + test::simulatorFolder(host.teams) + " /v:Tigers /h:Cubs" + sim + " //ls:kivp";
    EXPECT_EQ(form.commandFileLine(), line);
    EXPECT_EQ(test::readBytes(joinPath(host.teams, "games.kivb")), line + "\r\n");
    EXPECT_EQ(test::readBytes(joinPath(host.program, "LEAGUE.sts")), "");
    EXPECT_TRUE(test::exists(joinPath(host.program, "BOX")));

    std::remove((joinPath(host.teams, "games")).c_str()); // the game launch writes them again
    form.writeCommandFiles();
    EXPECT_EQ(test::readBytes(joinPath(host.teams, "games")), line + "\r\n");
}

TEST_F(OkInSaveMode, ADelayThatIsNoNumberStopsOkBeforeAnythingIsWritten) {
    form.setChecked(C::CheckBox13, false); // the delay is saved even when it is off
    form.setCSpinEdit5Text("");
    EXPECT_THAT([&] { form.Button1Click(); }, ThrowsMessage<Error>("'' is not a valid integer value"));
    EXPECT_FALSE(test::exists(iniPath()) || test::exists(joinPath(host.teams, "games")));
    EXPECT_FALSE(form.closeRequested());
}

TEST_F(OkInSaveMode, AReadOnlySettingsFileStopsOkWithNoKeyWrittenAndNothingElseDone) {
    const std::string before = crlf({"[Location]", "Directory=/teams"});
    writeIni(before);
    test::chmodPath(iniPath(), 0444);
    dir.write("program/LEAGUE.sts", "standings");
    EXPECT_THAT([&] { form.Button1Click(); }, ThrowsMessage<Error>("Unable to write to " + iniPath()));
    EXPECT_EQ(ini(), before);
    EXPECT_FALSE(test::exists(joinPath(host.teams, "games")));
    EXPECT_EQ(test::readBytes(joinPath(host.program, "LEAGUE.sts")), "standings");
    EXPECT_FALSE(form.closeRequested());
    EXPECT_EQ(host.warningsLowered, 0);
}

TEST_F(OkInSaveMode, ACommandFileThatCannotBeWrittenStopsBeforeTheStatisticsAndTheVersion) {
    form.setEditText(EditId::Edit1, "");
    dir.write("program/LEAGUE.sts", "standings");
    EXPECT_THAT([&] { form.Button1Click(); }, ThrowsMessage<Error>("Cannot create file " + joinPath(host.teams, "")));
    EXPECT_EQ(stored(Setting::SaveAllOptions), "1"); // saved before
    EXPECT_EQ(stored(Setting::KivVersion), "<absent>");
    EXPECT_EQ(test::readBytes(joinPath(host.program, "LEAGUE.sts")), "standings");
    EXPECT_FALSE(form.closeRequested());
}

TEST_F(OptionsFormTest, OkInClearModeTouchesOnlyTheThreeOptionsKeysAndDropsThePitchers) {
    writeIni(crlf({"[Location]", "Directory=/teams", "[Options]", "Clear All After Run=0",
                   "Save All Options=1", "KIV Version=45", "[Team Options]", "Home Pitcher=4", "Use DH=1"}));
    form.FormShow();
    chooseSeries("Cubs", "Tigers");
    form.selectPitcherRow(ListViewId::ListView1, 0);
    form.setChecked(C::CheckBox20, true);
    form.setChecked(C::CheckBox1, false);
    form.chooseVersion(R::RadioButton4);
    form.Button1Click();
    EXPECT_EQ(ini(),
              crlf({"[Location]", "Directory=/teams", "[Options]", "Clear All After Run=1",
                    "Save All Options=0", "KIV Version=36", "[Team Options]", "Home Pitcher=4", "Use DH=1"}));
    EXPECT_EQ(form.rawSwitches(), "//vp:1//s:n "); // composed before the choice was dropped
    EXPECT_EQ(form.visitingPitcher() + form.label(LabelId::Label35).caption, "");
    EXPECT_EQ(form.executableName(), "kivsv46"); // the next games start 4.6
    form.FormShow();
    EXPECT_EQ(form.versionChoice(), R::RadioButton1); // while the file remembers 3.6
}

// --- Clear and the reset after a run -----------------------------------------------------------------------

TEST_F(OptionsFormTest, ClearAsksFirstAndOnOkCreatesAMissingFileWithTheFourSectionsOfResetValues) {
    form.openWithSeries({seriesEntryText("Cubs", "Tigers")});
    form.Button9Click(); // answered Cancel: nothing changes
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].kind, "question");
    EXPECT_EQ(prompts.calls[0].message.text,
              "This will clear ALL run options excluding directories, Continue?");
    EXPECT_EQ(prompts.calls[0].message.title, "Run KIV Warning");
    EXPECT_EQ(prompts.calls[0].message.icon, Message::Icon::Warning);
    EXPECT_FALSE(test::exists(iniPath()));
    EXPECT_EQ(form.runOptions(), RunOptions{});
    EXPECT_EQ(form.comboBox1().items.size(), 1u);

    prompts.answers = {true};
    form.Button9Click();
    // clang-format off
    EXPECT_EQ(ini(), crlf({"[Options]", "Clear All After Run=1", "Save All Options=0",
                           "Show Detailed Error Messages=1", "[Setup Options]", "Use Team Options=1",
                           "[Team Options]", "Use Auto Manage Visitor=0", "Use Auto Manage Home=0",
                           "Use Auto Lineup Visitor=0", "Use Auto Lineup Home=0",
                           "Use Spot Starters Visitor=0", "Use Spot Starters Home=0", "Use DH=0",
                           "Use Sound Effects=1", "Use Focusing=0", "Use Delay Factor=1", "Delay Factor=3",
                           "[More Options]", "Use Stats File=0", "Clear Stats File=0", "Stats File=",
                           "Use Box Score File=0", "Clear Box Score File=0", "Box Score File=",
                           "Use Score Card File=0", "Clear Score Card File=0", "Score Card File=",
                           "Use Star Box File=0", "Clear Star Box File=0", "Star Box File=",
                           "Use Command File=0", "Command File Name="}));
    // clang-format on
}

TEST_F(OptionsFormTest, TheResetRestoresFixedValuesAndKeepsDirectoriesVersionAndNormalization) {
    form.FormShow();
    form.Button1Click();
    const std::string raw = form.rawSwitches();
    writeIni(
        crlf({"[Location]", "Directory=/teams", "[Options]", "Clear All After Run=0", "Save All Options=1",
              "KIV Version=45", "[Team Options]", "Use Watch Game=1", "Use Normalization=1",
              "Normalization Factor=1.05", "Use DH=1", "[More Options]", "Use Stats File=1",
              "Stats File=LEAGUE", "Use Command File=1", "Command File Name=games"}));
    form.FormShow();
    chooseSeries("Cubs", "Tigers");
    form.selectPitcherRow(ListViewId::ListView2, 0);
    form.chooseVersion(R::RadioButton2); // the reset does not load the version back

    form.resetAfterRun(); // the keys it writes: see the test of Clear
    const RunOptions expected{.useSoundEffects = true,
                              .useDelayFactor = true,
                              .delayFactor = 3,
                              .useWatchGame = true,
                              .useNormalization = true,
                              .normalizationFactor = "1.05",
                              .kivVersion = "40"};
    EXPECT_EQ(form.runOptions(), expected);
    for (const auto name : {"CSpinEdit5", "WatchGameCheck"}) // the fields whose state the reset changes
        EXPECT_TRUE(enabled(form, name)) << name;
    for (const auto name : {"Edit1", "Edit3", "CheckBox6"})
        EXPECT_FALSE(enabled(form, name)) << name;
    EXPECT_EQ(form.comboBox1(), ComboBoxState{});
    EXPECT_TRUE(form.listBox(ListBoxId::ListBox1).items.empty());
    EXPECT_EQ(form.listView(ListViewId::ListView2).rows.size(), 1u); // the tables keep their rows
    EXPECT_EQ(form.homePitcher() + form.label(LabelId::Label36).caption, "");
    EXPECT_EQ(form.rawSwitches(), raw);
}

TEST_F(OptionsFormTest, AResetThatCannotWriteChangesNeitherTheFileNorTheWindow) {
    writeIni(crlf({"[Team Options]", "Use DH=1"}));
    form.FormShow();
    form.openWithSeries({seriesEntryText("Cubs", "Tigers")});
    test::chmodPath(iniPath(), 0444);
    EXPECT_THAT([&] { form.resetAfterRun(); }, ThrowsMessage<Error>("Unable to write to " + iniPath()));
    EXPECT_EQ(ini(), crlf({"[Team Options]", "Use DH=1"}));
    EXPECT_TRUE(form.checkBox(C::CheckBox1).checked);
    EXPECT_FALSE(form.checkBox(C::CheckBox2).checked);
    EXPECT_EQ(form.comboBox1().items.size(), 1u);
}

} // namespace
} // namespace kivp
