#pragma once
// TForm7, the options window "Options to Run KIV", without any window toolkit. It holds every control's
// state, named after the control, and every handler under its toolkit name. The run options live in these
// fields: OK composes the simulator's switches from them, saves them to kivp.ini as the chosen mode asks,
// writes the command file and empties statistics files; the game launch reads the switches, the version
// choice and the command-file fields from here, never from the file.
//
// Setting a check box or radio button through the model runs the rule it is wired to whenever its state
// changes, whoever changed it (a click, a load, a reset); setting it to the state it has runs nothing.
//
// Handlers throw kivp::Error ("Unable to write to %s", "Cannot create file %s", "Cannot open file %s",
// "'%s' is not a valid integer value"); the window that called them shows it once and keeps the state the
// model has at that moment. Messages and questions go through the Prompts given at construction.

#include "options/OptionsHost.h"
#include "options/ProfileFile.h"
#include "options/RunOptions.h"
#include "platform/Prompts.h"
#include "teams/Roster.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivp {

// --- the controls
// --------------------------------------------------------------------------------------------

enum class CheckBoxId {
    CheckBox1,      // "Use DH"
    CheckBox2,      // "Sound Effects"
    CheckBox3,      // Spot Starters, visitor (hidden)
    CheckBox4,      // "Focusing"
    CheckBox5,      // Auto Lineup, visitor
    CheckBox6,      // Clear, statistics file
    CheckBox8,      // visitor team-options switch (hidden); the series list follows it
    CheckBox9,      // home team-options switch (hidden)
    CheckBox13,     // Delay
    CheckBox15,     // Use, statistics file
    CheckBox16,     // Use, box score file
    CheckBox17,     // Use, score card file
    CheckBox19,     // Use, star box file
    CheckBox20,     // "Clear All Options After Running KIV"
    CheckBox21,     // "Save Options For Continuous Use"
    CheckBox23,     // Auto Manage, visitor
    CheckBox24,     // Auto Manage, home
    CheckBox25,     // Auto Lineup, home
    CheckBox26,     // Spot Starters, home (hidden)
    CheckBox32,     // Clear, box score file
    CheckBox33,     // Clear, score card file
    CheckBox34,     // Clear, star box file
    CheckBox37,     // "Use Command File"
    CheckBox39,     // Normalization
    CheckBox40,     // "Show detailed error messages"
    WatchGameCheck, // "Watch Game"
};
enum class EditId { Edit1, Edit2, Edit3, Edit5, Edit6, Edit8, KIVVersionBox };
enum class RadioButtonId { RadioButton1, RadioButton2, RadioButton3, RadioButton4, RadioButton5 };
enum class ButtonId { Button1, Button2, Button4, Button5, Button7, Button8, Button9 };
enum class ListBoxId {
    ListBox1,
    ListBox2,
    ListBox3
};                                               // visitor and home lineup quick views; hidden work list
enum class ListViewId { ListView1, ListView2 };  // visiting and home pitchers
enum class LabelId { Label35, Label36, Label5 }; // chosen visiting and home pitcher; the yellow name hint
enum class OptionsPage { TeamOptions, SelectPitchers, MiscOptions, StatFileOptions }; // PageControl1's tabs

inline constexpr std::array kCheckBoxIds = {
    CheckBoxId::CheckBox1,  CheckBoxId::CheckBox2,     CheckBoxId::CheckBox3,  CheckBoxId::CheckBox4,
    CheckBoxId::CheckBox5,  CheckBoxId::CheckBox6,     CheckBoxId::CheckBox8,  CheckBoxId::CheckBox9,
    CheckBoxId::CheckBox13, CheckBoxId::CheckBox15,    CheckBoxId::CheckBox16, CheckBoxId::CheckBox17,
    CheckBoxId::CheckBox19, CheckBoxId::CheckBox20,    CheckBoxId::CheckBox21, CheckBoxId::CheckBox23,
    CheckBoxId::CheckBox24, CheckBoxId::CheckBox25,    CheckBoxId::CheckBox26, CheckBoxId::CheckBox32,
    CheckBoxId::CheckBox33, CheckBoxId::CheckBox34,    CheckBoxId::CheckBox37, CheckBoxId::CheckBox39,
    CheckBoxId::CheckBox40, CheckBoxId::WatchGameCheck};
inline constexpr std::array kEditIds = {EditId::Edit1, EditId::Edit2, EditId::Edit3,        EditId::Edit5,
                                        EditId::Edit6, EditId::Edit8, EditId::KIVVersionBox};
inline constexpr std::array kRadioButtonIds = {RadioButtonId::RadioButton1, RadioButtonId::RadioButton2,
                                               RadioButtonId::RadioButton3, RadioButtonId::RadioButton4,
                                               RadioButtonId::RadioButton5};
inline constexpr std::array kButtonIds = {ButtonId::Button1, ButtonId::Button2, ButtonId::Button4,
                                          ButtonId::Button5, ButtonId::Button7, ButtonId::Button8,
                                          ButtonId::Button9};

// The control's object name ("CheckBox23", "WatchGameCheck", "KIVVersionBox", ...).
std::string_view controlName(CheckBoxId id);
std::string_view controlName(EditId id);
std::string_view controlName(RadioButtonId id);
std::string_view controlName(ButtonId id);
std::string_view controlName(ListBoxId id);
std::string_view controlName(ListViewId id);
std::string_view controlName(LabelId id);

struct CheckBoxState {
    bool checked = false;
    bool enabled = true;
    bool visible = true;
    bool operator==(const CheckBoxState&) const = default;
};

struct EditState {
    std::string text;
    bool enabled = true;
    bool visible = true;
    // What the user may type; a longer text loaded from kivp.ini is shown and used in full.
    std::size_t maxLength = 0;
    std::string hint;
    bool operator==(const EditState&) const = default;
};

// CSpinEdit5, the delay: a whole number 0 to 9 with up/down arrows. The text is kept as typed, because OK
// reads it as typed and refuses text that is not a number.
struct SpinEditState {
    std::string text = "0";
    bool enabled = false;
    bool visible = true;
    int minValue = 0;
    int maxValue = 9;
    // The text as a number brought into range; text that is not a number reads as minValue.
    int value() const;
    bool operator==(const SpinEditState&) const = default;
};

struct RadioButtonState {
    bool checked = false;
    bool enabled = true;
    bool visible = true;
    bool operator==(const RadioButtonState&) const = default;
};

struct ButtonState {
    bool enabled = true;
    bool visible = true;
    bool operator==(const ButtonState&) const = default;
};

struct ListBoxState {
    std::vector<std::string> items;
    bool enabled = true;
    bool visible = true;
    bool operator==(const ListBoxState&) const = default;
};

struct ListViewState {
    std::vector<PitcherRow> rows;
    int selected = -1; // the selected row, -1 for none
    bool enabled = true;
    bool visible = true;
    bool operator==(const ListViewState&) const = default;
};

struct LabelState {
    std::string caption;
    bool visible = true;
    bool operator==(const LabelState&) const = default;
};

// ComboBox1, the pick-only series list.
struct ComboBoxState {
    std::vector<std::string> items;
    int itemIndex = -1; // -1: nothing chosen
    bool enabled = true;
    bool visible = true;
    // The chosen entry, or the empty text.
    std::string text() const;
    bool operator==(const ComboBoxState&) const = default;
};

// The executable each version button starts; empty for "User Defined", which starts the program named in
// KIVVersionBox (see OptionsForm::executableName).
std::string_view executableOf(RadioButtonId id);

// The series-list entry of two teams: each name padded with spaces to 8 characters, joined by " vs. ".
std::string seriesEntryText(const std::string& upperTeam, const std::string& lowerTeam);

// --- the window
// ----------------------------------------------------------------------------------------------

class OptionsForm {
public:
    OptionsForm(OptionsHost& host, Prompts& prompts); // every control at its creation default

    // Fields, for drawing.
    const CheckBoxState& checkBox(CheckBoxId id) const { return m_checkBoxes[index(id)]; }
    const EditState& edit(EditId id) const { return m_edits[index(id)]; }
    const SpinEditState& cSpinEdit5() const { return m_cSpinEdit5; }
    const RadioButtonState& radioButton(RadioButtonId id) const { return m_radioButtons[index(id)]; }
    const ButtonState& button(ButtonId id) const { return m_buttons[index(id)]; }
    const ListBoxState& listBox(ListBoxId id) const { return m_listBoxes[index(id)]; }
    const ListViewState& listView(ListViewId id) const { return m_listViews[index(id)]; }
    const LabelState& label(LabelId id) const { return m_labels[index(id)]; }
    const ComboBoxState& comboBox1() const { return m_comboBox1; }
    // The hidden buffer the command file's line passes through (empty until a command file is written).
    const std::vector<std::string>& memo1() const { return m_memo1; }
    OptionsPage pageControl1() const { return m_page; }

    // --- what the user (or code) does to a control
    // -------------------------------------------------------------- A check box takes a state; the rule it
    // is wired to runs when the state changes.
    void setChecked(CheckBoxId id, bool checked);
    // The user typed in a one-line field (the field enforces its maximum length while typing).
    void setEditText(EditId id, std::string text);
    // The user typed in the delay field: kept as typed until the field loses the focus.
    void setCSpinEdit5Text(std::string text);
    // The arrows or code set the delay: brought into 0..9.
    void setCSpinEdit5Value(int value);
    // The delay field lost the focus: a number outside 0..9 is brought to the nearer bound; other text stays.
    void CSpinEdit5Exit();
    // A version button is chosen; RadioButton1Click runs when the choice changes.
    void chooseVersion(RadioButtonId id);
    // A pitcher table's selection changed to row (-1 or a row outside the table: none selected).
    void selectPitcherRow(ListViewId id, int row);
    // The user picked series-list entry index: it becomes the current entry and ComboBox1Change runs.
    void chooseSeries(int index);
    void setPageControl1(OptionsPage page) { m_page = page; }

    // --- handlers
    // ------------------------------------------------------------------------------------------------- The
    // window is shown: "Team Options" to the front, quick views and pitcher choice emptied, options loaded
    // from kivp.ini. Reading never fails.
    void FormShow();
    // OK: compose the switches, save as the chosen mode asks, write the command files, empty the statistics
    // files asked for, record the version, lower the main window's warning, close. A failure stops it where
    // it happens and leaves the window open; each settings write is whole or not at all.
    void Button1Click();
    // Cancel: close; nothing is written and no field changes.
    void Button2Click() { m_closeRequested = true; }
    // Clear: asks first; on OK resets the options (see resetAfterRun).
    void Button9Click();
    // The reset after a game, without asking: writes the reset values to kivp.ini in one replacement, empties
    // the series list, the quick views and the pitcher choice, and loads the option fields back. The version
    // choice, the pitcher tables' rows, the chosen teams and the switch strings stay. On "Unable to write to
    // %s" nothing is written and nothing changes.
    void resetAfterRun();
    // The rules, run by setChecked for the boxes wired to them; a box with no rule is passed over.
    void CheckBox8Click(CheckBoxId sender);  // enabling rule
    void CheckBox6Click(CheckBoxId sender);  // a Clear box needs a file name
    void CheckBox20Click(CheckBoxId sender); // exactly one persistence mode
    void ListView1SelectItem(ListViewId sender);
    void RadioButton1Click(RadioButtonId sender);
    void KIVVersionBoxEnter();
    void KIVVersionBoxExit();
    // A series was chosen: lists and pitcher choice emptied, then the home team's roster and the visitor's
    // read into the tables and quick views. Throws Error::cannotOpen for a team file that cannot be read;
    // lists already filled stay.
    void ComboBox1Change();

    // The main window's Options command, before it shows the window: the series list holds exactly these
    // entries with none chosen, and both pitcher tables are empty.
    void openWithSeries(const std::vector<std::string>& seriesEntries);
    // OK succeeded or Cancel was pressed: the window should close. Cleared when the window is shown.
    bool closeRequested() const { return m_closeRequested; }

    // --- what the rest of the program reads
    // ------------------------------------------------------------------
    RunOptions runOptions() const;
    // "//" form, empty until the first OK of this run of the program: non-empty means options are in force.
    const std::string& rawSwitches() const { return m_rawSwitches; }
    // The spaced form, appended to the simulator's command line.
    const std::string& simSwitches() const { return m_simSwitches; }
    // The command file's line; empty unless "Use Command File" was on at the last OK.
    const std::string& commandFileLine() const { return m_commandFileLine; }
    // "10" clear after every run, "01" save for continuous use; empty until the first OK.
    const std::string& saveModeCode() const { return m_saveModeCode; }
    // The teams of the series last chosen in ComboBox1 (named in the command file).
    const std::string& selectedVisitorTeam() const { return m_selectedVisitorTeam; }
    const std::string& selectedHomeTeam() const { return m_selectedHomeTeam; }
    // The "#" text of the chosen pitchers, empty when none.
    const std::string& visitingPitcher() const { return m_visitingPitcher; }
    const std::string& homePitcher() const { return m_homePitcher; }

    RadioButtonId versionChoice() const;
    // The KIV Version value of the choice: "36", "40", "45", "46", or KIVVersionBox's text.
    std::string kivVersion() const;
    // The simulator program to start: "kivsim", "kivsv40", "kivsv45", "kivsv46", or KIVVersionBox's text.
    std::string executableName() const;
    bool useCommandFile() const { return checkBox(CheckBoxId::CheckBox37).checked; }
    const std::string& commandFileName() const { return edit(EditId::Edit1).text; }
    // Writes the command file and its ".kivb" twin in the team folder again, as the game launch does before each
    // game: the line of the last OK, its team folder spelled for the program that plays the game, which also
    // becomes commandFileLine(). Throws Error::cannotCreate, or the Error of a folder paths cannot spell.
    void writeCommandFiles(const PathForm& paths = {});
    // The command file's line names these teams in these roles from now on, with the same switches, and they
    // become the selected teams: kivp moved the home team of the series the file names, or a run of games
    // went on to another series. Nothing changes when the line does not name the selected teams (no command
    // file).
    void renameCommandFileTeams(const std::string& visitorTeam, const std::string& homeTeam);

    // programDirectory/kivp.ini
    std::string settingsPath() const;
    // Whether kivp.ini asks for the reset after every game (Options/Clear All After Run is 1; missing counts
    // as 1).
    bool resetAfterRunIsDue() const;

private:
    template <typename E> static std::size_t index(E id) { return static_cast<std::size_t>(id); }
    CheckBoxState& box(CheckBoxId id) { return m_checkBoxes[index(id)]; }
    EditState& field(EditId id) { return m_edits[index(id)]; }

    void loadOptionFields(const ProfileFile& file); // persistence mode to command file, with their rules
    void loadVersion(const ProfileFile& file);
    void clearPitcherChoice();
    void saveAllOptions(int delayFactor);
    void writeMode();
    void writeVersion();

    OptionsHost& m_host;
    Prompts& m_prompts;

    std::array<CheckBoxState, kCheckBoxIds.size()> m_checkBoxes{};
    std::array<EditState, kEditIds.size()> m_edits{};
    SpinEditState m_cSpinEdit5;
    std::array<RadioButtonState, kRadioButtonIds.size()> m_radioButtons{};
    std::array<ButtonState, kButtonIds.size()> m_buttons{};
    std::array<ListBoxState, 3> m_listBoxes{};
    std::array<ListViewState, 2> m_listViews{};
    std::array<LabelState, 3> m_labels{};
    ComboBoxState m_comboBox1;
    std::vector<std::string> m_memo1;
    OptionsPage m_page = OptionsPage::TeamOptions;

    std::string m_visitingPitcher;
    std::string m_homePitcher;
    std::string m_selectedVisitorTeam;
    std::string m_selectedHomeTeam;
    std::string m_rawSwitches;
    std::string m_simSwitches;
    std::string m_commandFileLine;
    // What the last OK named in the command file's line.
    struct CommandFileRequest {
        std::string teamFolder;
        std::string visitorTeam;
        std::string homeTeam;
    };
    std::optional<CommandFileRequest> m_commandFileRequest;
    std::string m_saveModeCode;
    bool m_closeRequested = false;
};

} // namespace kivp
