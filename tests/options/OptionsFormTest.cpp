#include "options/OptionsForm.h"
#include "options/SettingKeys.h"
#include "options/Switches.h"
#include "platform/Error.h"
#include "platform/Paths.h"
#include "support/RecordingPrompts.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kivp {

void PrintTo(const RunOptions& o, std::ostream* os) {
    *os << "{switches \"" << composeSwitches(o).raw << "\" clear " << o.clearStatsFile << o.clearBoxScoreFile
        << o.clearScoreCardFile << o.clearStarBoxFile << " command " << o.useCommandFile << " \""
        << o.commandFileName << "\" version \"" << o.kivVersion << "\" mode " << o.clearAllAfterRun
        << o.saveAllOptions << " detailed " << o.showDetailedErrorMessages << " normalization \""
        << o.normalizationFactor << "\" names \"" << o.statsFile << "\" \"" << o.boxScoreFile << "\" \""
        << o.scoreCardFile << "\" \"" << o.starBoxFile << "\"}";
}

namespace {

using test::TempDir;
using C = CheckBoxId;
using R = RadioButtonId;

class FakeHost : public OptionsHost {
public:
    std::string program;
    std::string teams;
    Bracket bracketModel;
    int warningsLowered = 0;

    std::string programDirectory() const override { return program; }
    std::string teamDirectory() const override { return teams; }
    const Bracket& bracket() const override { return bracketModel; }
    void lowerHomeAwayWarning() override { ++warningsLowered; }
};

// A team file laid out in the simulator's fixed columns: nine batters, then starters and relievers.
std::string teamFile(const std::vector<std::pair<std::string, std::string>>& pitchers) {
    std::string text = "Title line\r\n";
    for (int i = 1; i <= 9; ++i) {
        std::string line(60, ' ');
        line.replace(9, 8, "Batter " + std::to_string(i));
        line.replace(27, 3, "300");
        line.replace(31, 3, " 90");
        line.replace(44, 2, "10");
        line.replace(55, 3, " 50");
        text += line + "\r\n";
    }
    text += "*Pitchers\r\n";
    for (const auto& [name, gamesStarted] : pitchers) {
        std::string line(78, ' ');
        line.replace(9, name.size(), name);
        line.replace(27, 3, "180");
        line.replace(51, 3, "120");
        line.replace(55, 3, "345");
        line.replace(62, 2, "12");
        line.replace(65, 2, " 9");
        line.replace(76, 2, gamesStarted);
        text += line + "\r\n";
    }
    return text + "*Bench\r\n";
}

class OptionsFormTest : public ::testing::Test {
protected:
    OptionsFormTest() {
        host.program = dir.mkdir("program");
        host.teams = dir.mkdir("teams");
    }

    std::string iniPath() const { return host.program + "/kivp.ini"; }
    void writeIni(const std::string& text) const { dir.write("program/kivp.ini", text); }
    std::string ini() const { return test::readBytes(iniPath()); }
    std::string stored(Setting setting) const {
        const auto& entry = settingKey(setting);
        return ProfileFile(iniPath()).readString(entry.section, entry.key, "<absent>");
    }

    // The user's way of picking a series: the main window fills the list, then an entry is chosen.
    void chooseSeries(const std::string& upper, const std::string& lower) {
        form.openWithSeries({seriesEntryText(upper, lower)});
        form.chooseSeries(0);
    }

    TempDir dir;
    FakeHost host;
    test::RecordingPrompts prompts;
    OptionsForm form{host, prompts};
};

// --- creation
// ------------------------------------------------------------------------------------------------

TEST_F(OptionsFormTest, ControlsStartAtTheirCreationDefaults) {
    EXPECT_EQ(form.runOptions(), RunOptions{});
    EXPECT_EQ(form.executableName(), "kivsim");
    EXPECT_EQ(form.cSpinEdit5(), (SpinEditState{"0", false, true, 0, 9}));
    EXPECT_EQ(form.checkBox(C::WatchGameCheck), (CheckBoxState{false, false, true}));
    EXPECT_EQ(form.checkBox(C::CheckBox6), (CheckBoxState{false, true, true}));
    EXPECT_EQ(form.checkBox(C::CheckBox8), (CheckBoxState{false, true, false}));
    EXPECT_TRUE(form.edit(EditId::Edit2).enabled);
    for (const auto id :
         {EditId::Edit1, EditId::Edit3, EditId::Edit5, EditId::Edit6, EditId::Edit8, EditId::KIVVersionBox})
        EXPECT_FALSE(form.edit(id).enabled) << controlName(id);
    EXPECT_EQ(form.edit(EditId::Edit2).maxLength, 5u);
    EXPECT_EQ(form.edit(EditId::Edit1).hint, "Command File:  Name 8 char max, no ext");
    for (const auto id : {C::CheckBox3, C::CheckBox26, C::CheckBox9})
        EXPECT_FALSE(form.checkBox(id).visible) << controlName(id);
    EXPECT_EQ(form.button(ButtonId::Button7), (ButtonState{false, false}));
    EXPECT_EQ(form.button(ButtonId::Button4), (ButtonState{true, false}));
    EXPECT_FALSE(form.listBox(ListBoxId::ListBox3).visible);
    EXPECT_EQ(form.label(LabelId::Label5),
              (LabelState{"<----- Enter just the filename without the .exe", false}));
    EXPECT_EQ(form.comboBox1(), ComboBoxState{});
    EXPECT_EQ(form.rawSwitches() + form.simSwitches() + form.commandFileLine() + form.saveModeCode(), "");
}

// --- the rules
// -----------------------------------------------------------------------------------------------

struct EnablingRow {
    CheckBoxId flag;
    std::function<std::vector<bool>(const OptionsForm&)> dependents;
};

void PrintTo(const EnablingRow& row, std::ostream* os) {
    *os << controlName(row.flag);
}

class EnablingRule : public OptionsFormTest, public ::testing::WithParamInterface<EnablingRow> {};

TEST_P(EnablingRule, FieldsFollowTheirFlagBothWays) {
    const auto& row = GetParam();
    form.setChecked(row.flag, true);
    for (const bool enabled : row.dependents(form))
        EXPECT_TRUE(enabled);
    form.setChecked(row.flag, false);
    for (const bool enabled : row.dependents(form))
        EXPECT_FALSE(enabled);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, EnablingRule,
    ::testing::Values(
        EnablingRow{C::CheckBox8,
                    [](const OptionsForm& f) {
                        return std::vector{f.comboBox1().enabled, f.button(ButtonId::Button7).enabled};
                    }},
        EnablingRow{C::CheckBox9,
                    [](const OptionsForm& f) { return std::vector{f.button(ButtonId::Button8).enabled}; }},
        EnablingRow{C::CheckBox13,
                    [](const OptionsForm& f) {
                        return std::vector{f.cSpinEdit5().enabled, f.checkBox(C::WatchGameCheck).enabled};
                    }},
        EnablingRow{C::CheckBox39,
                    [](const OptionsForm& f) { return std::vector{f.edit(EditId::Edit2).enabled}; }},
        EnablingRow{C::CheckBox15,
                    [](const OptionsForm& f) {
                        return std::vector{f.edit(EditId::Edit3).enabled, f.checkBox(C::CheckBox6).enabled};
                    }},
        EnablingRow{C::CheckBox16,
                    [](const OptionsForm& f) {
                        return std::vector{f.edit(EditId::Edit5).enabled, f.checkBox(C::CheckBox32).enabled};
                    }},
        EnablingRow{C::CheckBox17,
                    [](const OptionsForm& f) {
                        return std::vector{f.edit(EditId::Edit6).enabled, f.checkBox(C::CheckBox33).enabled};
                    }},
        EnablingRow{C::CheckBox19,
                    [](const OptionsForm& f) {
                        return std::vector{f.edit(EditId::Edit8).enabled, f.checkBox(C::CheckBox34).enabled};
                    }},
        EnablingRow{C::CheckBox37,
                    [](const OptionsForm& f) { return std::vector{f.edit(EditId::Edit1).enabled}; }}));

TEST_F(OptionsFormTest, TurningUseOffTurnsItsClearFlagOffAndTurningItOnLeavesItOff) {
    form.setChecked(C::CheckBox15, true);
    form.setEditText(EditId::Edit3, "LEAGUE");
    form.setChecked(C::CheckBox6, true);
    form.setChecked(C::CheckBox15, false);
    EXPECT_EQ(form.checkBox(C::CheckBox6), (CheckBoxState{false, false, true}));
    EXPECT_EQ(form.edit(EditId::Edit3).text, "LEAGUE"); // a disabled field keeps its text
    form.setChecked(C::CheckBox15, true);
    EXPECT_EQ(form.checkBox(C::CheckBox6), (CheckBoxState{false, true, true}));
}

TEST_F(OptionsFormTest, AClearFlagStaysOnOnlyWhileItsFileHasAName) {
    form.setChecked(C::CheckBox16, true);
    form.setChecked(C::CheckBox32, true);
    EXPECT_FALSE(form.checkBox(C::CheckBox32).checked);
    form.setEditText(EditId::Edit5, " "); // blanks count as a name
    form.setChecked(C::CheckBox32, true);
    EXPECT_TRUE(form.checkBox(C::CheckBox32).checked);
    form.setEditText(EditId::Edit5, "");
    EXPECT_TRUE(form.checkBox(C::CheckBox32).checked); // erasing the name later does not undo it
}

TEST_F(OptionsFormTest, SettingAFlagToTheStateItHasRunsNoRule) {
    form.setChecked(C::CheckBox15, false); // already off: CheckBox6 keeps its creation state, enabled
    EXPECT_TRUE(form.checkBox(C::CheckBox6).enabled);
    form.setChecked(C::CheckBox13, true);
    form.setChecked(C::WatchGameCheck, true);
    form.setChecked(C::CheckBox13, false);
    EXPECT_EQ(form.checkBox(C::WatchGameCheck), (CheckBoxState{true, false, true}));
}

TEST_F(OptionsFormTest, ExactlyOnePersistenceModeIsOn) {
    form.setChecked(C::CheckBox20, false);
    EXPECT_TRUE(form.checkBox(C::CheckBox21).checked);
    form.setChecked(C::CheckBox20, true);
    EXPECT_FALSE(form.checkBox(C::CheckBox21).checked);
    form.setChecked(C::CheckBox21, true);
    EXPECT_FALSE(form.checkBox(C::CheckBox20).checked);
    form.setChecked(C::CheckBox40, false); // shares the handler, has no rule
    EXPECT_EQ(form.runOptions().saveAllOptions, true);
    EXPECT_EQ(form.runOptions().clearAllAfterRun, false);
}

TEST_F(OptionsFormTest, TheNameFieldForAUserDefinedVersionIsUsableOnlyWithThatChoice) {
    form.chooseVersion(R::RadioButton5);
    EXPECT_TRUE(form.edit(EditId::KIVVersionBox).enabled);
    form.setEditText(EditId::KIVVersionBox, "mykiv");
    form.KIVVersionBoxEnter();
    EXPECT_TRUE(form.label(LabelId::Label5).visible);
    form.KIVVersionBoxExit();
    EXPECT_FALSE(form.label(LabelId::Label5).visible);
    EXPECT_EQ(form.executableName(), "mykiv");
    form.chooseVersion(R::RadioButton4);
    EXPECT_FALSE(form.edit(EditId::KIVVersionBox).enabled);
    EXPECT_EQ(form.edit(EditId::KIVVersionBox).text, "mykiv");
    EXPECT_FALSE(form.radioButton(R::RadioButton5).checked);
}

TEST_F(OptionsFormTest, EachVersionStartsItsOwnProgram) {
    const std::vector<std::pair<RadioButtonId, std::string>> table = {{R::RadioButton1, "kivsim"},
                                                                      {R::RadioButton2, "kivsv40"},
                                                                      {R::RadioButton3, "kivsv45"},
                                                                      {R::RadioButton4, "kivsv46"}};
    for (const auto& [choice, executable] : table) {
        form.chooseVersion(choice);
        EXPECT_EQ(form.executableName(), executable);
        EXPECT_EQ(form.versionChoice(), choice);
    }
}

TEST_F(OptionsFormTest, TheDelayStaysWithinZeroToNine) {
    form.setCSpinEdit5Value(12);
    EXPECT_EQ(form.cSpinEdit5().text, "9");
    form.setCSpinEdit5Value(-1);
    EXPECT_EQ(form.cSpinEdit5().text, "0");
    form.setCSpinEdit5Text("15"); // typed: kept until the field loses the focus
    EXPECT_EQ(form.cSpinEdit5().value(), 9);
    form.CSpinEdit5Exit();
    EXPECT_EQ(form.cSpinEdit5().text, "9");
    form.setCSpinEdit5Text("");
    form.CSpinEdit5Exit();
    EXPECT_EQ(form.cSpinEdit5().text, "");
    EXPECT_EQ(form.cSpinEdit5().value(), 0);
}

// --- series and pitchers
// ---------------------------------------------------------------------------------------

TEST_F(OptionsFormTest, ChoosingASeriesListsTheHomeTeamsRosterThenTheVisitors) {
    dir.write("teams/Cubs.dat",
              teamFile({{"Visiting Ace", " 30"}, {"Reliever", "  "}, {"Visiting Two", "12"}}));
    dir.write("teams/Tigers.dat", teamFile({{"Home Ace", "33"}}));
    chooseSeries("Cubs", "Tigers"); // no bracket series names them: the first team is at home

    EXPECT_EQ(form.selectedHomeTeam(), "Cubs");
    EXPECT_EQ(form.selectedVisitorTeam(), "Tigers");
    const auto cubs = readRoster(host.teams, "Cubs", true, prompts);
    const auto tigers = readRoster(host.teams, "Tigers", true, prompts);
    EXPECT_EQ(form.listView(ListViewId::ListView2).rows, cubs.pitchers);
    EXPECT_EQ(form.listBox(ListBoxId::ListBox2).items, cubs.lineup);
    EXPECT_EQ(form.listView(ListViewId::ListView1).rows, tigers.pitchers);
    EXPECT_EQ(form.listBox(ListBoxId::ListBox1).items, tigers.lineup);
    EXPECT_EQ(cubs.pitchers.size(), 2u);
    EXPECT_TRUE(prompts.calls.empty());
}

TEST_F(OptionsFormTest, APitcherChosenInATableIsShownAndKeptUntilAnotherSeriesIsChosen) {
    dir.write("teams/Cubs.dat", teamFile({{"Reliever", " 0"}, {"Home Ace", "30"}}));
    dir.write("teams/Tigers.dat", teamFile({{"Visiting Ace", "33"}}));
    chooseSeries("Cubs", "Tigers");
    form.selectPitcherRow(ListViewId::ListView2, 0);
    form.selectPitcherRow(ListViewId::ListView1, 0);
    EXPECT_EQ(form.homePitcher(), "2"); // the reliever before him still counts
    EXPECT_EQ(form.label(LabelId::Label36).caption, form.listView(ListViewId::ListView2).rows[0].name);
    EXPECT_EQ(form.visitingPitcher(), "1");
    EXPECT_FALSE(form.label(LabelId::Label35).caption.empty());

    form.selectPitcherRow(ListViewId::ListView2, -1); // a click beside the rows
    EXPECT_EQ(form.homePitcher(), "2");
    EXPECT_FALSE(form.label(LabelId::Label36).caption.empty());

    form.chooseSeries(0);
    EXPECT_EQ(form.homePitcher() + form.visitingPitcher(), "");
    EXPECT_EQ(form.label(LabelId::Label35).caption + form.label(LabelId::Label36).caption, "");
}

TEST_F(OptionsFormTest, ASeriesWhoseVisitorCannotBeReadKeepsTheHomeListsAndReportsTheFile) {
    dir.write("teams/Cubs.dat", teamFile({{"Home Ace", "30"}}));
    form.openWithSeries({seriesEntryText("Cubs", "Ghosts")});
    try {
        form.chooseSeries(0);
        FAIL() << "a missing team file went unnoticed";
    } catch (const Error& error) {
        EXPECT_EQ(error.text(), "Cannot open file " + host.teams + "/Ghosts.dat");
    }
    EXPECT_EQ(form.listView(ListViewId::ListView2).rows.size(), 1u);
    EXPECT_TRUE(form.listView(ListViewId::ListView1).rows.empty());
}

TEST_F(OptionsFormTest, NoChosenSeriesChangesNothingAndOpeningEmptiesTheTables) {
    dir.write("teams/Cubs.dat", teamFile({{"Home Ace", "30"}}));
    dir.write("teams/Tigers.dat", teamFile({{"Visiting Ace", "33"}}));
    chooseSeries("Cubs", "Tigers");
    form.chooseSeries(5); // outside the list: nothing chosen
    EXPECT_EQ(form.listBox(ListBoxId::ListBox1).items.size(), 9u);

    form.openWithSeries({seriesEntryText("abc", "defghijk"), seriesEntryText("Cubs", "Tigers")});
    EXPECT_EQ(form.comboBox1().items,
              (std::vector<std::string>{"abc      vs. defghijk", "Cubs     vs. Tigers  "}));
    EXPECT_EQ(form.comboBox1().text(), "");
    EXPECT_TRUE(form.listView(ListViewId::ListView1).rows.empty());
    EXPECT_TRUE(form.listView(ListViewId::ListView2).rows.empty());
}

// --- loading
// -------------------------------------------------------------------------------------------------

TEST_F(OptionsFormTest, WithoutASettingsFileTheWindowShowsTheProgramStartOptions) {
    form.setChecked(C::CheckBox2, true);
    form.setPageControl1(OptionsPage::MiscOptions);
    form.FormShow();
    EXPECT_EQ(form.runOptions(), RunOptions{});
    EXPECT_EQ(form.pageControl1(), OptionsPage::TeamOptions);
    EXPECT_TRUE(form.comboBox1().enabled);
    EXPECT_FALSE(test::exists(iniPath())); // reading creates nothing
}

struct ModeRow {
    const char* stored;
    bool saveMode;
};

void PrintTo(const ModeRow& row, std::ostream* os) {
    *os << '"' << row.stored << '"';
}

class StoredMode : public OptionsFormTest, public ::testing::WithParamInterface<ModeRow> {};

TEST_P(StoredMode, OnlyZeroOneMeansSaveMode) {
    writeIni(std::string("[Options]\r\n") + GetParam().stored);
    form.FormShow();
    EXPECT_EQ(form.checkBox(C::CheckBox21).checked, GetParam().saveMode);
    EXPECT_NE(form.checkBox(C::CheckBox20).checked, GetParam().saveMode);
}

INSTANTIATE_TEST_SUITE_P(Codes, StoredMode,
                         ::testing::Values(ModeRow{"Clear All After Run=1\r\nSave All Options=0\r\n", false},
                                           ModeRow{"Clear All After Run=0\r\nSave All Options=1\r\n", true},
                                           ModeRow{"Clear All After Run=0\r\nSave All Options=0\r\n", false},
                                           ModeRow{"Clear All After Run=1\r\nSave All Options=1\r\n", false},
                                           ModeRow{"Clear All After Run=2\r\nSave All Options=1\r\n", false},
                                           ModeRow{"Save All Options=1\r\n", false},
                                           ModeRow{"Clear All After Run=0\r\n", false}));

struct VersionRow {
    const char* stored; // nullptr: no key
    RadioButtonId choice;
    const char* box;
    bool boxEnabled;
};

void PrintTo(const VersionRow& row, std::ostream* os) {
    *os << '"' << (row.stored ? row.stored : "absent") << '"';
}

class StoredVersion : public OptionsFormTest, public ::testing::WithParamInterface<VersionRow> {};

TEST_P(StoredVersion, KnownVersionsPickTheirButtonAndAnythingElseIsUserDefined) {
    form.setEditText(EditId::KIVVersionBox, "before");
    const auto& row = GetParam();
    writeIni(row.stored ? std::string("[Options]\r\nKIV Version=") + row.stored + "\r\n" : "");
    form.FormShow();
    EXPECT_EQ(form.versionChoice(), row.choice);
    EXPECT_EQ(form.edit(EditId::KIVVersionBox).text, row.box);
    EXPECT_EQ(form.edit(EditId::KIVVersionBox).enabled, row.boxEnabled);
}

INSTANTIATE_TEST_SUITE_P(Values, StoredVersion,
                         ::testing::Values(VersionRow{nullptr, R::RadioButton1, "before", false},
                                           VersionRow{"36", R::RadioButton1, "before", false},
                                           VersionRow{"40", R::RadioButton2, "before", false},
                                           VersionRow{"45", R::RadioButton3, "before", false},
                                           VersionRow{"46", R::RadioButton4, "before", false},
                                           VersionRow{"41", R::RadioButton5, "41", true},
                                           VersionRow{"", R::RadioButton5, "", true},
                                           VersionRow{"mykiv", R::RadioButton5, "mykiv", true}));

TEST_F(OptionsFormTest, OnlyOneCountsAsOnForAStoredFlagExceptDetailedMessages) {
    writeIni(test::crlf({"[Options]", "Show Detailed Error Messages=2", "[Team Options]", "Use DH=2",
                         "Use Focusing=1", "Use Sound Effects=-1", "[More Options]", "Use Stats File=2"}));
    form.FormShow();
    EXPECT_TRUE(form.checkBox(C::CheckBox40).checked);
    EXPECT_FALSE(form.checkBox(C::CheckBox1).checked);
    EXPECT_TRUE(form.checkBox(C::CheckBox4).checked);
    EXPECT_FALSE(form.checkBox(C::CheckBox2).checked);
    EXPECT_FALSE(form.checkBox(C::CheckBox15).checked);
    writeIni(test::crlf({"[Options]", "Show Detailed Error Messages=0"}));
    form.FormShow();
    EXPECT_FALSE(form.checkBox(C::CheckBox40).checked);
}

TEST_F(OptionsFormTest, AStoredDelayIsBroughtIntoRange) {
    for (const auto& [stored, shown] :
         std::vector<std::pair<std::string, std::string>>{{"12", "9"}, {"-4", "0"}, {"x", "0"}, {"5", "5"}}) {
        writeIni(test::crlf({"[Team Options]", "Use Delay Factor=1", "Delay Factor=" + stored}));
        form.FormShow();
        EXPECT_EQ(form.cSpinEdit5().text, shown) << stored;
        EXPECT_TRUE(form.cSpinEdit5().enabled);
    }
}

TEST_F(OptionsFormTest, WatchGameLoadsOnlyWithTheDelayAndIsSavedOffWithoutIt) {
    writeIni(test::crlf({"[Options]", "Clear All After Run=0", "Save All Options=1", "[Team Options]",
                         "Use Delay Factor=0", "Use Watch Game=1"}));
    form.FormShow();
    EXPECT_EQ(form.checkBox(C::WatchGameCheck), (CheckBoxState{false, false, true}));
    form.Button1Click();
    EXPECT_EQ(stored(Setting::UseWatchGame), "0");

    writeIni(test::crlf({"[Team Options]", "Use Delay Factor=1", "Use Watch Game=1"}));
    form.FormShow();
    EXPECT_EQ(form.checkBox(C::WatchGameCheck), (CheckBoxState{true, true, true}));
}

TEST_F(OptionsFormTest, ACommandFileNameLoadsOnlyWithItsFlag) {
    writeIni(test::crlf({"[More Options]", "Use Command File=0", "Command File Name=abc"}));
    form.FormShow();
    EXPECT_EQ(form.edit(EditId::Edit1).text, "");
    EXPECT_FALSE(form.edit(EditId::Edit1).enabled);
    writeIni(test::crlf({"[More Options]", "Use Command File=1", "Command File Name=abc"}));
    form.FormShow();
    EXPECT_EQ(form.edit(EditId::Edit1).text, "abc");
    EXPECT_TRUE(form.edit(EditId::Edit1).enabled);
}

TEST_F(OptionsFormTest, AStoredClearFlagComesOnOnlyOnceItsNameIsInTheField) {
    writeIni(test::crlf({"[More Options]", "Use Stats File=1", "Clear Stats File=1", "Stats File=LEAGUE"}));
    form.FormShow(); // the first opening after start: the name field is still empty when the flag is set
    EXPECT_FALSE(form.checkBox(C::CheckBox6).checked);
    EXPECT_EQ(form.edit(EditId::Edit3), (EditState{"LEAGUE", true, true, 8, ""}));
    form.FormShow();
    EXPECT_EQ(form.checkBox(C::CheckBox6), (CheckBoxState{true, true, true}));
}

TEST_F(OptionsFormTest, TeamOptionsTurnedOffByHandDisableTheTeamBoxesAndTheSeriesList) {
    writeIni(test::crlf(
        {"[Setup Options]", "Use Team Options=0", "[Team Options]", "Use Sound Effects=1", "Use DH=1"}));
    form.setChecked(C::CheckBox23, true);
    form.setChecked(C::CheckBox4, true);
    form.FormShow();
    for (const auto id : {C::CheckBox23, C::CheckBox24, C::CheckBox5, C::CheckBox25, C::CheckBox3,
                          C::CheckBox26, C::CheckBox1})
        EXPECT_EQ(form.checkBox(id).checked || form.checkBox(id).enabled, false) << controlName(id);
    EXPECT_FALSE(form.comboBox1().enabled);
    EXPECT_FALSE(form.checkBox(C::CheckBox2).checked); // not read
    EXPECT_TRUE(form.checkBox(C::CheckBox4).checked);  // keeps what it had

    writeIni("");
    form.FormShow();
    EXPECT_TRUE(form.comboBox1().enabled);
    EXPECT_TRUE(form.checkBox(C::CheckBox23).enabled);
}

// --- OK
// ------------------------------------------------------------------------------------------------------

TEST_F(OptionsFormTest, OkWithoutAFileWritesOnlyTheModeAndVersionAndCloses) {
    host.bracketModel.setUpdateOptionsLabel(true);
    form.FormShow();
    form.Button1Click();
    EXPECT_EQ(ini(),
              test::crlf({"[Options]", "Clear All After Run=1", "Save All Options=0", "KIV Version=36"}));
    EXPECT_EQ(form.rawSwitches(), "//s:n ");
    EXPECT_EQ(form.simSwitches(), " /s:n");
    EXPECT_EQ(form.saveModeCode(), "10");
    EXPECT_EQ(form.commandFileLine(), "");
    EXPECT_EQ(host.warningsLowered, 1);
    EXPECT_TRUE(form.closeRequested());
}

// Every option on or filled, as a user sets them.
void fillEveryOption(OptionsForm& form) {
    for (const auto id :
         {C::CheckBox23, C::CheckBox24, C::CheckBox5, C::CheckBox25, C::CheckBox3, C::CheckBox26,
          C::CheckBox1, C::CheckBox2, C::CheckBox4, C::CheckBox13, C::WatchGameCheck, C::CheckBox39,
          C::CheckBox15, C::CheckBox16, C::CheckBox17, C::CheckBox19, C::CheckBox37, C::CheckBox21})
        form.setChecked(id, true);
    form.setChecked(C::CheckBox40, false);
    form.setCSpinEdit5Value(7);
    form.setEditText(EditId::Edit2, "1.05");
    form.setEditText(EditId::Edit3, "LEAGUE");
    form.setEditText(EditId::Edit5, "BOX");
    form.setEditText(EditId::Edit6, "CARD");
    form.setEditText(EditId::Edit8, "STAR");
    form.setEditText(EditId::Edit1, "games");
    for (const auto id : {C::CheckBox6, C::CheckBox32, C::CheckBox33, C::CheckBox34})
        form.setChecked(id, true);
    form.chooseVersion(R::RadioButton5);
    form.setEditText(EditId::KIVVersionBox, "mykiv");
}

class OkInSaveMode : public OptionsFormTest {
protected:
    void SetUp() override {
        m_previous = currentDirectory();
        ASSERT_TRUE(setCurrentDirectory(host.program)); // statistics files live in the current directory
        dir.write("teams/Cubs.dat", teamFile({{"Home Ace", "30"}}));
        dir.write("teams/Tigers.dat", teamFile({{"Reliever", "  "}, {"Visiting Ace", "33"}}));
        form.FormShow();
        chooseSeries("Cubs", "Tigers");
        form.selectPitcherRow(ListViewId::ListView1, 0);
        form.selectPitcherRow(ListViewId::ListView2, 0);
        fillEveryOption(form);
    }
    void TearDown() override { setCurrentDirectory(m_previous); }

    std::string m_previous;
};

TEST_F(OkInSaveMode, WritesTheWholeSetInTableOrder) {
    form.Button1Click();
    EXPECT_EQ(ini(), test::crlf({"[Options]",
                                 "Clear All After Run=0",
                                 "Save All Options=1",
                                 "Show Detailed Error Messages=0",
                                 "KIV Version=mykiv",
                                 "[Setup Options]",
                                 "Use Team Options=1",
                                 "[Team Options]",
                                 "Visiting Pitcher=2",
                                 "Home Pitcher=1",
                                 "Use Auto Manage Visitor=1",
                                 "Use Auto Manage Home=1",
                                 "Use Auto Lineup Visitor=1",
                                 "Use Auto Lineup Home=1",
                                 "Use Spot Starters Visitor=1",
                                 "Use Spot Starters Home=1",
                                 "Use DH=1",
                                 "Use Sound Effects=1",
                                 "Use Focusing=1",
                                 "Use Delay Factor=1",
                                 "Delay Factor=7",
                                 "Use Watch Game=1",
                                 "Use Normalization=1",
                                 "Normalization Factor=1.05",
                                 "[More Options]",
                                 "Use Stats File=1",
                                 "Clear Stats File=1",
                                 "Stats File=LEAGUE",
                                 "Use Box Score File=1",
                                 "Clear Box Score File=1",
                                 "Box Score File=BOX",
                                 "Use Score Card File=1",
                                 "Clear Score Card File=1",
                                 "Score Card File=CARD",
                                 "Use Star Box File=1",
                                 "Clear Star Box File=1",
                                 "Star Box File=STAR",
                                 "Use Command File=1",
                                 "Command File Name=games"}));
    EXPECT_EQ(form.saveModeCode(), "01");
    EXPECT_EQ(form.visitingPitcher(), "2"); // save mode keeps the choice in the window
}

TEST_F(OkInSaveMode, ComposesTheSwitchesAndWritesBothCommandFiles) {
    form.Button1Click();
    const std::string sim =
        " /vp:2 /hp:1 /vam /ham /val /hal /vspt /hspt /dh:y /s:y /del:7 /pg /foc /era:1.05"
        " /st:LEAGUE /bx:BOX /sc:CARD /stb:STAR";
    EXPECT_EQ(form.simSwitches(), sim);
    EXPECT_EQ(form.rawSwitches(), "//vp:2//hp:1//vam//ham//val//hal//vspt//hspt//dh:y//s:y//del:7//pg//foc"
                                  "//era:1.05//st:LEAGUE//bx:BOX//sc:CARD//stb:STAR ");
    const std::string line = " /p:" + host.teams + "/ /v:Tigers /h:Cubs" + sim + " //ls:kivp";
    EXPECT_EQ(form.commandFileLine(), line);
    EXPECT_EQ(test::readBytes(host.teams + "/games"), line + "\r\n");
    EXPECT_EQ(test::readBytes(host.teams + "/games.kivb"), line + "\r\n");
    EXPECT_EQ(form.memo1(), std::vector<std::string>{line});
}

TEST_F(OkInSaveMode, AFreshWindowLoadsTheSameOptionsWithoutThePitchers) {
    form.Button1Click();
    RunOptions expected = form.runOptions();
    expected.visitingPitcher.clear();
    expected.homePitcher.clear();

    OptionsForm fresh(host, prompts);
    fresh.FormShow();
    RunOptions firstLoad = expected; // on the first opening the clear flags meet empty name fields
    firstLoad.clearStatsFile = firstLoad.clearBoxScoreFile = firstLoad.clearScoreCardFile = false;
    firstLoad.clearStarBoxFile = false;
    EXPECT_EQ(fresh.runOptions(), firstLoad);
    fresh.FormShow();
    EXPECT_EQ(fresh.runOptions(), expected);
    EXPECT_EQ(fresh.executableName(), "mykiv");
}

TEST_F(OkInSaveMode, EmptiesTheStatisticsFilesAskedFor) {
    dir.write("program/LEAGUE.sts", "standings");
    dir.write("program/CARD", "innings");
    form.Button1Click();
    EXPECT_EQ(test::readBytes(host.program + "/LEAGUE.sts"), "");
    EXPECT_EQ(test::readBytes(host.program + "/CARD"), "");
    EXPECT_TRUE(test::exists(host.program + "/BOX"));
    EXPECT_FALSE(test::exists(host.program + "/LEAGUE.stb"));
}

TEST_F(OkInSaveMode, ADelayThatIsNoNumberStopsOkBeforeAnythingIsWritten) {
    form.setChecked(C::CheckBox13, false); // the delay is saved even when it is off
    form.setCSpinEdit5Text("");
    try {
        form.Button1Click();
        FAIL() << "an empty delay was saved";
    } catch (const Error& error) {
        EXPECT_EQ(error.text(), "'' is not a valid integer value");
    }
    EXPECT_FALSE(test::exists(iniPath()));
    EXPECT_FALSE(test::exists(host.teams + "/games"));
    EXPECT_FALSE(form.closeRequested());
    EXPECT_EQ(host.warningsLowered, 0);
}

TEST_F(OkInSaveMode, AReadOnlySettingsFileStopsOkWithNoKeyWrittenAndNothingElseDone) {
    const std::string before = test::crlf({"[Location]", "Directory=/teams"});
    writeIni(before);
    test::chmodPath(iniPath(), 0444);
    dir.write("program/LEAGUE.sts", "standings");
    try {
        form.Button1Click();
        FAIL() << "a read-only settings file was written";
    } catch (const Error& error) {
        EXPECT_EQ(error.text(), "Unable to write to " + iniPath());
    }
    EXPECT_EQ(ini(), before);
    EXPECT_FALSE(test::exists(host.teams + "/games"));
    EXPECT_EQ(test::readBytes(host.program + "/LEAGUE.sts"), "standings");
    EXPECT_FALSE(form.closeRequested());
    EXPECT_EQ(host.warningsLowered, 0);
    EXPECT_FALSE(form.rawSwitches().empty()); // composed before the save, as games are played with them
}

TEST_F(OkInSaveMode, AReadOnlyProgramFolderStopsOkWithoutCreatingTheFile) {
    test::chmodPath(host.program, 0555);
    EXPECT_THROW(form.Button1Click(), Error);
    test::chmodPath(host.program, 0755);
    EXPECT_FALSE(test::exists(iniPath()));
    EXPECT_FALSE(form.closeRequested());
}

TEST_F(OkInSaveMode, ACommandFileThatCannotBeWrittenStopsBeforeTheStatisticsAndTheVersion) {
    form.setEditText(EditId::Edit1, "");
    dir.write("program/LEAGUE.sts", "standings");
    try {
        form.Button1Click();
        FAIL() << "a command file without a name was written";
    } catch (const Error& error) {
        EXPECT_EQ(error.text(), "Cannot create file " + host.teams + "/");
    }
    EXPECT_EQ(stored(Setting::SaveAllOptions), "1"); // the settings were saved before
    EXPECT_EQ(stored(Setting::KivVersion), "<absent>");
    EXPECT_EQ(test::readBytes(host.program + "/LEAGUE.sts"), "standings");
    EXPECT_FALSE(form.commandFileLine().empty());
    EXPECT_FALSE(form.closeRequested());
}

TEST_F(OptionsFormTest, OkInClearModeTouchesOnlyTheThreeOptionsKeysAndDropsThePitchers) {
    const std::vector<std::string_view> saved = {"[Location]",
                                                 "Directory=/teams",
                                                 "[Options]",
                                                 "Clear All After Run=0",
                                                 "Save All Options=1",
                                                 "KIV Version=45",
                                                 "[Team Options]",
                                                 "Home Pitcher=4",
                                                 "Use DH=1"};
    writeIni(test::crlf(
        {saved[0], saved[1], saved[2], saved[3], saved[4], saved[5], saved[6], saved[7], saved[8]}));
    dir.write("teams/Cubs.dat", teamFile({{"Home Ace", "30"}}));
    dir.write("teams/Tigers.dat", teamFile({{"Visiting Ace", "33"}}));
    form.FormShow();
    chooseSeries("Cubs", "Tigers");
    form.selectPitcherRow(ListViewId::ListView1, 0);
    form.setChecked(C::CheckBox20, true);
    form.setChecked(C::CheckBox1, false);
    form.chooseVersion(R::RadioButton4);
    form.Button1Click();

    EXPECT_EQ(ini(), test::crlf({"[Location]", "Directory=/teams", "[Options]", "Clear All After Run=1",
                                 "Save All Options=0", "KIV Version=36", "[Team Options]", "Home Pitcher=4",
                                 "Use DH=1"}));
    EXPECT_EQ(form.rawSwitches(), "//vp:1//s:n ");
    EXPECT_EQ(form.visitingPitcher(), "");
    EXPECT_EQ(form.label(LabelId::Label35).caption, "");
    EXPECT_EQ(form.executableName(), "kivsv46"); // the next games start 4.6
    form.FormShow();
    EXPECT_EQ(form.versionChoice(), R::RadioButton1); // while the file remembers 3.6
}

TEST_F(OptionsFormTest, InClearModeTheDelayTextMattersOnlyWithTheDelayOn) {
    form.FormShow();
    form.setCSpinEdit5Text("");
    EXPECT_NO_THROW(form.Button1Click());
    form.setChecked(C::CheckBox13, true);
    form.setChecked(C::CheckBox2, true);
    EXPECT_THROW(form.Button1Click(), Error);
    EXPECT_EQ(form.rawSwitches(), "//s:n "); // the set composed by the last OK stays whole
    EXPECT_EQ(form.simSwitches(), " /s:n");
}

TEST_F(OptionsFormTest, CancelWritesNothingAndTheNextOpeningShowsTheStoredOptions) {
    writeIni(test::crlf({"[Team Options]", "Use DH=1"}));
    form.FormShow();
    form.setChecked(C::CheckBox1, false);
    form.chooseVersion(R::RadioButton2);
    form.Button2Click();
    EXPECT_TRUE(form.closeRequested());
    EXPECT_EQ(form.executableName(), "kivsv40"); // in force until the window is opened again
    EXPECT_EQ(ini(), test::crlf({"[Team Options]", "Use DH=1"}));
    form.FormShow();
    EXPECT_TRUE(form.checkBox(C::CheckBox1).checked);
    EXPECT_FALSE(form.closeRequested());
}

// --- Clear and the reset after a run -----------------------------------------------------------------------

TEST_F(OptionsFormTest, ClearAsksFirstAndCancelChangesNothing) {
    writeIni(test::crlf({"[Team Options]", "Use DH=1"}));
    form.FormShow();
    form.openWithSeries({seriesEntryText("Cubs", "Tigers")});
    const RunOptions before = form.runOptions();
    prompts.answers = {false};
    form.Button9Click();
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].kind, "question");
    EXPECT_EQ(prompts.calls[0].message.text,
              "This will clear ALL run options excluding directories, Continue?");
    EXPECT_EQ(prompts.calls[0].message.title, "Run KIV Warning");
    EXPECT_EQ(prompts.calls[0].message.icon, Message::Icon::Warning);
    EXPECT_EQ(ini(), test::crlf({"[Team Options]", "Use DH=1"}));
    EXPECT_EQ(form.runOptions(), before);
    EXPECT_EQ(form.comboBox1().items.size(), 1u);
}

TEST_F(OptionsFormTest, ClearCreatesAMissingFileWithTheFourSectionsOfResetValues) {
    prompts.answers = {true};
    form.Button9Click();
    std::vector<std::string> expected;
    std::string_view section;
    for (const auto& entry : settingKeys()) {
        if (!entry.reset)
            continue;
        if (entry.section != section)
            expected.push_back("[" + std::string(section = entry.section) + "]");
        expected.push_back(std::string(entry.key) + "=" + std::string(*entry.reset));
    }
    std::string bytes;
    for (const auto& line : expected)
        bytes += line + "\r\n";
    EXPECT_EQ(ini(), bytes);
    EXPECT_EQ(expected.front(), "[Options]");
    EXPECT_EQ(
        std::count_if(expected.begin(), expected.end(), [](const std::string& l) { return l[0] == '['; }), 4);
}

TEST_F(OptionsFormTest, TheResetRestoresFixedValuesAndKeepsDirectoriesVersionAndNormalization) {
    dir.write("teams/Cubs.dat", teamFile({{"Home Ace", "30"}}));
    dir.write("teams/Tigers.dat", teamFile({{"Visiting Ace", "33"}}));
    form.FormShow();
    form.chooseVersion(R::RadioButton3);
    form.Button1Click();
    const std::string raw = form.rawSwitches();
    writeIni(test::crlf({"[Location]", "Directory=/teams", "[Options]", "Clear All After Run=0",
                         "Save All Options=1", "KIV Version=45", "[Team Options]", "Use Watch Game=1",
                         "Use Normalization=1", "Normalization Factor=1.05", "Use DH=1", "[More Options]",
                         "Use Stats File=1", "Stats File=LEAGUE", "Use Command File=1",
                         "Command File Name=games"}));
    form.FormShow();
    chooseSeries("Cubs", "Tigers");
    form.selectPitcherRow(ListViewId::ListView2, 0);
    form.chooseVersion(R::RadioButton2); // the reset does not load the version back

    form.resetAfterRun();
    EXPECT_EQ(stored(Setting::Directory), "/teams");
    EXPECT_EQ(stored(Setting::KivVersion), "45");
    EXPECT_EQ(stored(Setting::UseWatchGame), "1");
    EXPECT_EQ(stored(Setting::NormalizationFactor), "1.05");
    EXPECT_EQ(stored(Setting::DelayFactor), "3");

    RunOptions expected;
    expected.useSoundEffects = true;
    expected.useDelayFactor = true;
    expected.delayFactor = 3;
    expected.useWatchGame = true;
    expected.useNormalization = true;
    expected.normalizationFactor = "1.05";
    expected.kivVersion = "40";
    EXPECT_EQ(form.runOptions(), expected);
    EXPECT_TRUE(form.cSpinEdit5().enabled);
    EXPECT_TRUE(form.checkBox(C::WatchGameCheck).enabled);
    EXPECT_TRUE(form.edit(EditId::Edit2).enabled);
    for (const auto id : {EditId::Edit1, EditId::Edit3, EditId::Edit5, EditId::Edit6, EditId::Edit8})
        EXPECT_EQ(form.edit(id).text.empty() && !form.edit(id).enabled, true) << controlName(id);
    for (const auto id : {C::CheckBox6, C::CheckBox32, C::CheckBox33, C::CheckBox34})
        EXPECT_EQ(form.checkBox(id), (CheckBoxState{false, false, true})) << controlName(id);
    EXPECT_EQ(form.comboBox1(), ComboBoxState{});
    EXPECT_TRUE(form.listBox(ListBoxId::ListBox1).items.empty());
    EXPECT_EQ(form.listView(ListViewId::ListView2).rows.size(), 1u); // the tables keep their rows
    EXPECT_EQ(form.homePitcher() + form.label(LabelId::Label36).caption, "");
    EXPECT_EQ(form.selectedHomeTeam(), "Cubs");
    EXPECT_EQ(form.rawSwitches(), raw);
    EXPECT_EQ(form.saveModeCode(), "10");
}

TEST_F(OptionsFormTest, AResetThatCannotWriteChangesNeitherTheFileNorTheWindow) {
    writeIni(test::crlf({"[Team Options]", "Use DH=1"}));
    form.FormShow();
    form.openWithSeries({seriesEntryText("Cubs", "Tigers")});
    test::chmodPath(iniPath(), 0444);
    try {
        form.resetAfterRun();
        FAIL() << "a read-only settings file was reset";
    } catch (const Error& error) {
        EXPECT_EQ(error.text(), "Unable to write to " + iniPath());
    }
    EXPECT_EQ(ini(), test::crlf({"[Team Options]", "Use DH=1"}));
    EXPECT_TRUE(form.checkBox(C::CheckBox1).checked);
    EXPECT_FALSE(form.checkBox(C::CheckBox2).checked);
    EXPECT_EQ(form.comboBox1().items.size(), 1u);
}

TEST_F(OptionsFormTest, TheResetIsDueAfterARunUnlessTheFileSaysOtherwise) {
    EXPECT_TRUE(form.resetAfterRunIsDue());
    writeIni(test::crlf({"[Options]", "Clear All After Run=0"}));
    EXPECT_FALSE(form.resetAfterRunIsDue());
    writeIni(test::crlf({"[Options]", "Clear All After Run=1"}));
    EXPECT_TRUE(form.resetAfterRunIsDue());
}

TEST_F(OptionsFormTest, TheCommandFilesCanBeWrittenAgainBeforeAGame) {
    form.FormShow();
    form.setChecked(C::CheckBox37, true);
    form.setEditText(EditId::Edit1, "games");
    form.openWithSeries({seriesEntryText("Cubs", "Tigers")});
    dir.write("teams/Cubs.dat", teamFile({{"Home Ace", "30"}}));
    dir.write("teams/Tigers.dat", teamFile({{"Visiting Ace", "33"}}));
    form.chooseSeries(0);
    form.Button1Click();
    std::remove((host.teams + "/games").c_str());
    form.writeCommandFiles();
    EXPECT_EQ(test::readBytes(host.teams + "/games"), form.commandFileLine() + "\r\n");
    EXPECT_TRUE(form.useCommandFile());
    EXPECT_EQ(form.commandFileName(), "games");
}

} // namespace
} // namespace kivp
