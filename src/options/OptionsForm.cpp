#include "options/OptionsForm.h"

#include "options/SettingKeys.h"
#include "options/StatisticsFiles.h"
#include "options/Switches.h"
#include "platform/IntegerText.h"
#include "platform/Paths.h"

#include <algorithm>
#include <optional>

namespace kivp {

namespace {

using C = CheckBoxId;
using S = Setting;

constexpr std::array<std::string_view, kCheckBoxIds.size()> kCheckBoxNames = {
    "CheckBox1",  "CheckBox2",  "CheckBox3",  "CheckBox4",  "CheckBox5",     "CheckBox6",  "CheckBox8",
    "CheckBox9",  "CheckBox13", "CheckBox15", "CheckBox16", "CheckBox17",    "CheckBox19", "CheckBox20",
    "CheckBox21", "CheckBox23", "CheckBox24", "CheckBox25", "CheckBox26",    "CheckBox32", "CheckBox33",
    "CheckBox34", "CheckBox37", "CheckBox39", "CheckBox40", "WatchGameCheck"};
constexpr std::array<std::string_view, kEditIds.size()> kEditNames = {
    "Edit1", "Edit2", "Edit3", "Edit5", "Edit6", "Edit8", "KIVVersionBox"};
constexpr std::array<std::string_view, kRadioButtonIds.size()> kRadioButtonNames = {
    "RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4", "RadioButton5"};
constexpr std::array<std::string_view, kButtonIds.size()> kButtonNames = {
    "Button1", "Button2", "Button4", "Button5", "Button7", "Button8", "Button9"};
constexpr std::array<std::string_view, 3> kListBoxNames = {"ListBox1", "ListBox2", "ListBox3"};
constexpr std::array<std::string_view, 2> kListViewNames = {"ListView1", "ListView2"};
constexpr std::array<std::string_view, 3> kLabelNames = {"Label35", "Label36", "Label5"};

// Per version button: the KIV Version value and the executable; "User Defined" takes both from KIVVersionBox.
constexpr std::array<std::string_view, 4> kVersionValues = {"36", "40", "45", "46"};
constexpr std::array<std::string_view, 4> kExecutables = {"kivsim", "kivsv40", "kivsv45", "kivsv46"};

constexpr std::string_view kClearQuestion =
    "This will clear ALL run options excluding directories, Continue?";
constexpr std::string_view kClearTitle = "Run KIV Warning";
constexpr std::string_view kVersionHint = "<----- Enter just the filename without the .exe";
constexpr std::string_view kCommandFileHint = "Command File:  Name 8 char max, no ext";

// The flags stored in kivp.ini, with the box that shows each and the run option it is.
struct FlagSetting {
    Setting setting;
    CheckBoxId box;
    bool RunOptions::*option;
};
constexpr std::array<FlagSetting, 24> kFlagSettings = {{
    {S::ClearAllAfterRun, C::CheckBox20, &RunOptions::clearAllAfterRun},
    {S::SaveAllOptions, C::CheckBox21, &RunOptions::saveAllOptions},
    {S::ShowDetailedErrorMessages, C::CheckBox40, &RunOptions::showDetailedErrorMessages},
    {S::UseAutoManageVisitor, C::CheckBox23, &RunOptions::useAutoManageVisitor},
    {S::UseAutoManageHome, C::CheckBox24, &RunOptions::useAutoManageHome},
    {S::UseAutoLineupVisitor, C::CheckBox5, &RunOptions::useAutoLineupVisitor},
    {S::UseAutoLineupHome, C::CheckBox25, &RunOptions::useAutoLineupHome},
    {S::UseSpotStartersVisitor, C::CheckBox3, &RunOptions::useSpotStartersVisitor},
    {S::UseSpotStartersHome, C::CheckBox26, &RunOptions::useSpotStartersHome},
    {S::UseDH, C::CheckBox1, &RunOptions::useDH},
    {S::UseSoundEffects, C::CheckBox2, &RunOptions::useSoundEffects},
    {S::UseFocusing, C::CheckBox4, &RunOptions::useFocusing},
    {S::UseDelayFactor, C::CheckBox13, &RunOptions::useDelayFactor},
    {S::UseWatchGame, C::WatchGameCheck, &RunOptions::useWatchGame},
    {S::UseNormalization, C::CheckBox39, &RunOptions::useNormalization},
    {S::UseStatsFile, C::CheckBox15, &RunOptions::useStatsFile},
    {S::ClearStatsFile, C::CheckBox6, &RunOptions::clearStatsFile},
    {S::UseBoxScoreFile, C::CheckBox16, &RunOptions::useBoxScoreFile},
    {S::ClearBoxScoreFile, C::CheckBox32, &RunOptions::clearBoxScoreFile},
    {S::UseScoreCardFile, C::CheckBox17, &RunOptions::useScoreCardFile},
    {S::ClearScoreCardFile, C::CheckBox33, &RunOptions::clearScoreCardFile},
    {S::UseStarBoxFile, C::CheckBox19, &RunOptions::useStarBoxFile},
    {S::ClearStarBoxFile, C::CheckBox34, &RunOptions::clearStarBoxFile},
    {S::UseCommandFile, C::CheckBox37, &RunOptions::useCommandFile},
}};

// The texts stored in kivp.ini, with the field that shows each.
struct TextSetting {
    Setting setting;
    EditId edit;
    std::string RunOptions::*option;
};
constexpr std::array<TextSetting, 6> kTextSettings = {{
    {S::NormalizationFactor, EditId::Edit2, &RunOptions::normalizationFactor},
    {S::StatsFile, EditId::Edit3, &RunOptions::statsFile},
    {S::BoxScoreFile, EditId::Edit5, &RunOptions::boxScoreFile},
    {S::ScoreCardFile, EditId::Edit6, &RunOptions::scoreCardFile},
    {S::StarBoxFile, EditId::Edit8, &RunOptions::starBoxFile},
    {S::CommandFileName, EditId::Edit1, &RunOptions::commandFileName},
}};

// The four rows of "Stat File Options", in the order they load.
struct FileRow {
    CheckBoxId use;
    CheckBoxId clear;
    EditId name;
};
constexpr std::array<FileRow, 4> kFileRows = {{
    {C::CheckBox15, C::CheckBox6, EditId::Edit3},
    {C::CheckBox16, C::CheckBox32, EditId::Edit5},
    {C::CheckBox17, C::CheckBox33, EditId::Edit6},
    {C::CheckBox19, C::CheckBox34, EditId::Edit8},
}};

// The team options that a Use Team Options value other than 1 turns off and disables.
constexpr std::array kTeamOptionBoxes = {C::CheckBox23, C::CheckBox24, C::CheckBox5, C::CheckBox25,
                                         C::CheckBox3,  C::CheckBox26, C::CheckBox1};

// The rule each check box's click handler applies: CheckBox8Click, CheckBox6Click, CheckBox20Click, or none.
enum class Rule { None, Enabling, ClearFile, Persistence };

Rule ruleOf(CheckBoxId id) {
    switch (id) {
    case C::CheckBox8:
    case C::CheckBox9:
    case C::CheckBox13:
    case C::CheckBox15:
    case C::CheckBox16:
    case C::CheckBox17:
    case C::CheckBox19:
    case C::CheckBox23:
    case C::CheckBox24:
    case C::CheckBox37:
    case C::CheckBox39:
        return Rule::Enabling;
    case C::CheckBox6:
    case C::CheckBox32:
    case C::CheckBox33:
    case C::CheckBox34:
        return Rule::ClearFile;
    case C::CheckBox20:
    case C::CheckBox21:
    case C::CheckBox40:
        return Rule::Persistence;
    default:
        return Rule::None;
    }
}

const FlagSetting& flagSetting(Setting setting) {
    return *std::find_if(kFlagSettings.begin(), kFlagSettings.end(),
                         [setting](const FlagSetting& f) { return f.setting == setting; });
}

// The text setting, or nothing for a setting that is no text.
const TextSetting* textSetting(Setting setting) {
    const auto found = std::find_if(kTextSettings.begin(), kTextSettings.end(),
                                    [setting](const TextSetting& t) { return t.setting == setting; });
    return found == kTextSettings.end() ? nullptr : &*found;
}

std::optional<FileRow> rowWithUse(CheckBoxId id) {
    for (const auto& row : kFileRows) {
        if (row.use == id)
            return row;
    }
    return std::nullopt;
}

std::optional<FileRow> rowWithClear(CheckBoxId id) {
    for (const auto& row : kFileRows) {
        if (row.clear == id)
            return row;
    }
    return std::nullopt;
}

Setting settingOf(CheckBoxId box) {
    return std::find_if(kFlagSettings.begin(), kFlagSettings.end(),
                        [box](const FlagSetting& f) { return f.box == box; })
        ->setting;
}

Setting settingOf(EditId edit) {
    return std::find_if(kTextSettings.begin(), kTextSettings.end(),
                        [edit](const TextSetting& t) { return t.edit == edit; })
        ->setting;
}

// Stored flags count as on only when they hold 1.
bool readFlag(const ProfileFile& file, Setting setting) {
    return readSettingInteger(file, setting) == 1;
}

template <typename E, std::size_t N>
std::string_view nameIn(const std::array<std::string_view, N>& names, E id) {
    return names[static_cast<std::size_t>(id)];
}

} // namespace

std::string_view controlName(CheckBoxId id) {
    return nameIn(kCheckBoxNames, id);
}
std::string_view controlName(EditId id) {
    return nameIn(kEditNames, id);
}
std::string_view controlName(RadioButtonId id) {
    return nameIn(kRadioButtonNames, id);
}
std::string_view controlName(ButtonId id) {
    return nameIn(kButtonNames, id);
}
std::string_view controlName(ListBoxId id) {
    return nameIn(kListBoxNames, id);
}
std::string_view controlName(ListViewId id) {
    return nameIn(kListViewNames, id);
}
std::string_view controlName(LabelId id) {
    return nameIn(kLabelNames, id);
}

int SpinEditState::value() const {
    return std::clamp(parseInteger(text).value_or(minValue), minValue, maxValue);
}

std::string ComboBoxState::text() const {
    if (itemIndex < 0 || static_cast<std::size_t>(itemIndex) >= items.size())
        return {};
    return items[static_cast<std::size_t>(itemIndex)];
}

std::string_view executableOf(RadioButtonId id) {
    const auto i = static_cast<std::size_t>(id);
    return i < kExecutables.size() ? kExecutables[i] : std::string_view{};
}

std::string seriesEntryText(const std::string& upperTeam, const std::string& lowerTeam) {
    const auto padded = [](std::string name) {
        if (name.size() < 8)
            name.resize(8, ' ');
        return name;
    };
    return padded(upperTeam) + " vs. " + padded(lowerTeam);
}

// --- creation
// ------------------------------------------------------------------------------------------------

OptionsForm::OptionsForm(OptionsHost& host, Prompts& prompts) : m_host(host), m_prompts(prompts) {
    for (const auto id : {C::CheckBox3, C::CheckBox26, C::CheckBox8, C::CheckBox9})
        box(id).visible = false;
    box(C::CheckBox20).checked = true;
    box(C::CheckBox40).checked = true;
    box(C::WatchGameCheck).enabled = false;

    for (const auto id : kEditIds) {
        auto& e = field(id);
        e.maxLength = id == EditId::Edit2 ? 5 : 8;
        e.enabled = id == EditId::Edit2;
    }
    field(EditId::Edit1).hint = kCommandFileHint;

    m_radioButtons[index(RadioButtonId::RadioButton1)].checked = true;

    for (const auto id : {ButtonId::Button4, ButtonId::Button5, ButtonId::Button7, ButtonId::Button8})
        m_buttons[index(id)].visible = false;
    m_buttons[index(ButtonId::Button7)].enabled = false;
    m_buttons[index(ButtonId::Button8)].enabled = false;

    m_listBoxes[index(ListBoxId::ListBox3)].visible = false;
    auto& hint = m_labels[index(LabelId::Label5)];
    hint.caption = kVersionHint;
    hint.visible = false;
}

// --- controls
// ------------------------------------------------------------------------------------------------

void OptionsForm::setChecked(CheckBoxId id, bool checked) {
    if (box(id).checked == checked)
        return;
    box(id).checked = checked;
    switch (ruleOf(id)) {
    case Rule::Enabling:
        CheckBox8Click(id);
        break;
    case Rule::ClearFile:
        CheckBox6Click(id);
        break;
    case Rule::Persistence:
        CheckBox20Click(id);
        break;
    case Rule::None:
        break;
    }
}

void OptionsForm::setEditText(EditId id, std::string text) {
    field(id).text = std::move(text);
}

void OptionsForm::setCSpinEdit5Text(std::string text) {
    m_cSpinEdit5.text = std::move(text);
}

void OptionsForm::setCSpinEdit5Value(int value) {
    m_cSpinEdit5.text = std::to_string(std::clamp(value, m_cSpinEdit5.minValue, m_cSpinEdit5.maxValue));
}

void OptionsForm::CSpinEdit5Exit() {
    // A number outside the range is brought back; text that is no number stays for OK to refuse.
    if (const auto typed = parseInteger(m_cSpinEdit5.text); typed && *typed != m_cSpinEdit5.value())
        setCSpinEdit5Value(*typed);
}

void OptionsForm::chooseVersion(RadioButtonId id) {
    if (radioButton(id).checked)
        return;
    for (auto& radio : m_radioButtons)
        radio.checked = false;
    m_radioButtons[index(id)].checked = true;
    RadioButton1Click(id);
}

void OptionsForm::selectPitcherRow(ListViewId id, int row) {
    auto& table = m_listViews[index(id)];
    if (row < 0 || static_cast<std::size_t>(row) >= table.rows.size())
        row = -1;
    if (table.selected == row)
        return;
    table.selected = row;
    ListView1SelectItem(id);
}

void OptionsForm::chooseSeries(int index) {
    const bool inList = index >= 0 && static_cast<std::size_t>(index) < m_comboBox1.items.size();
    m_comboBox1.itemIndex = inList ? index : -1;
    ComboBox1Change();
}

// --- rules
// ---------------------------------------------------------------------------------------------------

void OptionsForm::CheckBox8Click(CheckBoxId sender) {
    const bool on = checkBox(sender).checked;
    if (const auto row = rowWithUse(sender)) {
        field(row->name).enabled = on;
        box(row->clear).enabled = on;
        if (!on)
            setChecked(row->clear, false);
        return;
    }
    switch (sender) {
    case C::CheckBox8:
        m_comboBox1.enabled = on;
        m_buttons[index(ButtonId::Button7)].enabled = on;
        break;
    case C::CheckBox9:
        m_buttons[index(ButtonId::Button8)].enabled = on;
        break;
    case C::CheckBox13:
        // Turning the delay off leaves Watch Game as it is: it counts only with the delay anyway.
        m_cSpinEdit5.enabled = on;
        box(C::WatchGameCheck).enabled = on;
        break;
    case C::CheckBox39:
        field(EditId::Edit2).enabled = on;
        break;
    case C::CheckBox37:
        field(EditId::Edit1).enabled = on;
        break;
    default:
        break;
    }
}

void OptionsForm::CheckBox6Click(CheckBoxId sender) {
    if (const auto row = rowWithClear(sender); row && edit(row->name).text.empty())
        setChecked(sender, false);
}

void OptionsForm::CheckBox20Click(CheckBoxId sender) {
    if (sender == C::CheckBox20)
        setChecked(C::CheckBox21, !checkBox(C::CheckBox20).checked);
    else if (sender == C::CheckBox21)
        setChecked(C::CheckBox20, !checkBox(C::CheckBox21).checked);
}

void OptionsForm::ListView1SelectItem(ListViewId sender) {
    const auto& table = listView(sender);
    if (table.selected < 0)
        return; // a click beside the rows keeps the choice made before
    const auto& row = table.rows[static_cast<std::size_t>(table.selected)];
    const bool visitor = sender == ListViewId::ListView1;
    m_labels[index(visitor ? LabelId::Label35 : LabelId::Label36)].caption = row.name;
    (visitor ? m_visitingPitcher : m_homePitcher) = row.number;
}

void OptionsForm::RadioButton1Click(RadioButtonId sender) {
    field(EditId::KIVVersionBox).enabled = sender == RadioButtonId::RadioButton5;
}

void OptionsForm::KIVVersionBoxEnter() {
    m_labels[index(LabelId::Label5)].visible = true;
}

void OptionsForm::KIVVersionBoxExit() {
    m_labels[index(LabelId::Label5)].visible = false;
}

// --- series and rosters
// --------------------------------------------------------------------------------------

void OptionsForm::openWithSeries(const std::vector<std::string>& seriesEntries) {
    m_comboBox1.items = seriesEntries;
    m_comboBox1.itemIndex = -1;
    for (auto& table : m_listViews) {
        table.rows.clear();
        table.selected = -1;
    }
}

void OptionsForm::ComboBox1Change() {
    const std::string text = m_comboBox1.text();
    if (text.empty())
        return;
    m_listBoxes[index(ListBoxId::ListBox1)].items.clear();
    m_listBoxes[index(ListBoxId::ListBox2)].items.clear();
    for (auto& table : m_listViews) {
        table.rows.clear();
        table.selected = -1;
    }
    clearPitcherChoice();

    const auto teams = teamsOfSeriesText(text, m_host.bracket());
    m_selectedHomeTeam = teams.home;
    m_selectedVisitorTeam = teams.visitor;
    const std::string teamDirectory = m_host.teamDirectory();
    const bool detailed = checkBox(C::CheckBox40).checked;

    auto home = readRoster(teamDirectory, teams.home, detailed, m_prompts);
    m_listViews[index(ListViewId::ListView2)].rows = std::move(home.pitchers);
    m_listBoxes[index(ListBoxId::ListBox2)].items = std::move(home.lineup);
    auto visitor = readRoster(teamDirectory, teams.visitor, detailed, m_prompts);
    m_listViews[index(ListViewId::ListView1)].rows = std::move(visitor.pitchers);
    m_listBoxes[index(ListBoxId::ListBox1)].items = std::move(visitor.lineup);
}

void OptionsForm::clearPitcherChoice() {
    m_visitingPitcher.clear();
    m_homePitcher.clear();
    m_labels[index(LabelId::Label35)].caption.clear();
    m_labels[index(LabelId::Label36)].caption.clear();
}

// --- loading
// -------------------------------------------------------------------------------------------------

void OptionsForm::FormShow() {
    m_closeRequested = false;
    m_page = OptionsPage::TeamOptions;
    m_listBoxes[index(ListBoxId::ListBox1)].items.clear();
    m_listBoxes[index(ListBoxId::ListBox2)].items.clear();
    clearPitcherChoice();
    const ProfileFile file(settingsPath());
    loadOptionFields(file);
    loadVersion(file);
}

void OptionsForm::loadOptionFields(const ProfileFile& file) {
    // Any pair but "01" means clearing after every run, so a hand-edited file can never leave both modes on.
    const std::string code = std::to_string(readSettingInteger(file, S::ClearAllAfterRun)) +
                             std::to_string(readSettingInteger(file, S::SaveAllOptions));
    setChecked(C::CheckBox40, readSettingInteger(file, S::ShowDetailedErrorMessages) != 0);
    const bool saveMode = code == "01";
    setChecked(C::CheckBox20, !saveMode);
    setChecked(C::CheckBox21, saveMode);

    const bool teamOptions = readSettingInteger(file, S::UseTeamOptions) == 1;
    if (teamOptions) {
        for (const auto setting : {S::UseAutoManageVisitor, S::UseAutoManageHome, S::UseAutoLineupVisitor,
                                   S::UseAutoLineupHome, S::UseSpotStartersVisitor, S::UseSpotStartersHome,
                                   S::UseDH, S::UseSoundEffects, S::UseFocusing})
            setChecked(flagSetting(setting).box, readFlag(file, setting));

        const bool delay = readFlag(file, S::UseDelayFactor);
        setChecked(C::CheckBox13, delay);
        setCSpinEdit5Value(readSettingInteger(file, S::DelayFactor));
        // Watch Game means nothing without the delay, so it is read only with it.
        setChecked(C::WatchGameCheck, delay && readFlag(file, S::UseWatchGame));
        box(C::WatchGameCheck).enabled = delay;

        setChecked(C::CheckBox39, readFlag(file, S::UseNormalization));
        field(EditId::Edit2).text = readSettingText(file, S::NormalizationFactor);

        for (const auto id : kTeamOptionBoxes)
            box(id).enabled = true;
    } else {
        // Only a hand-edited file gets here; the other team options keep what they had.
        for (const auto id : kTeamOptionBoxes) {
            setChecked(id, false);
            box(id).enabled = false;
        }
    }
    // The series list follows the team-options switches even when they already had this state.
    setChecked(C::CheckBox8, teamOptions);
    setChecked(C::CheckBox9, teamOptions);
    CheckBox8Click(C::CheckBox8);
    CheckBox8Click(C::CheckBox9);

    for (const auto& row : kFileRows) {
        const bool use = readFlag(file, settingOf(row.use));
        const bool clear = readFlag(file, settingOf(row.clear));
        std::string name = readSettingText(file, settingOf(row.name));
        // The name comes last, so a Clear box meets the name the field had before: on the first load after
        // start every Clear box stays off.
        setChecked(row.clear, clear);
        setChecked(row.use, use);
        field(row.name).text = std::move(name);
        field(row.name).enabled = use;
        box(row.clear).enabled = use;
    }

    const bool commandFile = readFlag(file, S::UseCommandFile);
    setChecked(C::CheckBox37, commandFile);
    auto& name = field(EditId::Edit1);
    name.text = commandFile ? readSettingText(file, S::CommandFileName) : std::string();
    name.enabled = commandFile;
}

void OptionsForm::loadVersion(const ProfileFile& file) {
    const std::string version = readSettingText(file, S::KivVersion);
    const auto known = std::find(kVersionValues.begin(), kVersionValues.end(), version);
    auto& nameBox = field(EditId::KIVVersionBox);
    if (known != kVersionValues.end()) {
        chooseVersion(kRadioButtonIds[static_cast<std::size_t>(known - kVersionValues.begin())]);
        nameBox.enabled = false;
    } else {
        chooseVersion(RadioButtonId::RadioButton5);
        nameBox.enabled = true;
        nameBox.text = version;
    }
}

// --- OK, Clear, reset
// ----------------------------------------------------------------------------------------

void OptionsForm::Button1Click() {
    m_closeRequested = false;
    // Pressing OK takes the focus from the delay field, which brings a typed number into range.
    CSpinEdit5Exit();

    RunOptions options = runOptions();
    if (options.useDelayFactor)
        options.delayFactor = toInteger(m_cSpinEdit5.text);
    // The strings change together or not at all: a game must never see half of a new set.
    const Switches switches = composeSwitches(options);
    m_rawSwitches = switches.raw;
    m_simSwitches = switches.spaced;
    m_saveModeCode = std::string(options.clearAllAfterRun ? "1" : "0") + (options.saveAllOptions ? "1" : "0");

    if (m_saveModeCode == "01") {
        saveAllOptions(toInteger(m_cSpinEdit5.text));
    } else if (m_saveModeCode == "10") {
        writeMode();
        clearPitcherChoice(); // the switches just composed keep them
    }

    m_commandFileLine.clear();
    m_commandFileRequest.reset();
    if (options.useCommandFile) {
        m_commandFileRequest = {m_host.teamDirectory(), m_selectedVisitorTeam, m_selectedHomeTeam};
        writeCommandFiles(m_host.simulatorPathForm(executableName()));
    }
    clearStatisticsFiles(options);
    writeVersion();
    m_host.lowerHomeAwayWarning();
    m_closeRequested = true;
}

void OptionsForm::saveAllOptions(int delayFactor) {
    const RunOptions options = runOptions();
    ProfileFile file(settingsPath());
    for (const auto& entry : settingKeys()) {
        if (!entry.savedWithOptions)
            continue;
        switch (const Setting setting = entry.setting) {
        case S::UseTeamOptions:
            writeSetting(file, setting, 1);
            break;
        case S::VisitingPitcher:
            writeSetting(file, setting, m_visitingPitcher);
            break;
        case S::HomePitcher:
            writeSetting(file, setting, m_homePitcher);
            break;
        case S::DelayFactor:
            writeSetting(file, setting, delayFactor);
            break;
        case S::UseWatchGame:
            writeSettingFlag(file, setting, options.useDelayFactor && options.useWatchGame);
            break;
        default:
            if (const auto* text = textSetting(setting))
                writeSetting(file, setting, options.*(text->option));
            else
                writeSettingFlag(file, setting, options.*(flagSetting(setting).option));
        }
    }
    file.save();
}

void OptionsForm::writeMode() {
    ProfileFile file(settingsPath());
    writeSettingFlag(file, S::ClearAllAfterRun, true);
    writeSettingFlag(file, S::SaveAllOptions, false);
    file.save();
}

void OptionsForm::writeVersion() {
    // Clearing after every run records 3.6, so the next opening shows 3.6 whatever this game was played with.
    ProfileFile file(settingsPath());
    if (checkBox(C::CheckBox20).checked)
        writeSetting(file, S::KivVersion, kVersionValues[0]);
    if (checkBox(C::CheckBox21).checked)
        writeSetting(file, S::KivVersion, kivVersion());
    file.save();
}

void OptionsForm::Button9Click() {
    const Message question{std::string(kClearQuestion), std::string(kClearTitle), Message::Icon::Warning};
    if (!m_prompts.askOkCancel(question))
        return;
    resetAfterRun();
}

void OptionsForm::resetAfterRun() {
    ProfileFile file(settingsPath());
    for (const auto& entry : settingKeys()) {
        if (entry.reset)
            file.writeString(entry.section, entry.key, *entry.reset);
    }
    file.save();

    m_comboBox1.items.clear();
    m_comboBox1.itemIndex = -1;
    m_listBoxes[index(ListBoxId::ListBox1)].items.clear();
    m_listBoxes[index(ListBoxId::ListBox2)].items.clear();
    clearPitcherChoice();
    // The file now holds what was just written; the version choice is not reloaded.
    loadOptionFields(file);
}

// --- what the rest of the program reads
// ------------------------------------------------------------------------

RunOptions OptionsForm::runOptions() const {
    RunOptions options;
    for (const auto& flag : kFlagSettings)
        options.*(flag.option) = checkBox(flag.box).checked;
    for (const auto& text : kTextSettings)
        options.*(text.option) = edit(text.edit).text;
    options.visitingPitcher = m_visitingPitcher;
    options.homePitcher = m_homePitcher;
    options.delayFactor = m_cSpinEdit5.value();
    options.kivVersion = kivVersion();
    return options;
}

RadioButtonId OptionsForm::versionChoice() const {
    for (const auto id : kRadioButtonIds) {
        if (radioButton(id).checked)
            return id;
    }
    return RadioButtonId::RadioButton1;
}

std::string OptionsForm::kivVersion() const {
    const auto choice = static_cast<std::size_t>(versionChoice());
    return choice < kVersionValues.size() ? std::string(kVersionValues[choice])
                                          : edit(EditId::KIVVersionBox).text;
}

std::string OptionsForm::executableName() const {
    const auto choice = versionChoice();
    return choice == RadioButtonId::RadioButton5 ? edit(EditId::KIVVersionBox).text
                                                 : std::string(executableOf(choice));
}

void OptionsForm::writeCommandFiles(const PathForm& paths) {
    if (const auto& request = m_commandFileRequest) {
        m_commandFileLine = composeCommandFileLine(paths.folderWithSeparator(request->teamFolder),
                                                   request->visitorTeam, request->homeTeam, m_simSwitches);
    }
    m_memo1 = {m_commandFileLine};
    kivp::writeCommandFiles(m_host.teamDirectory(), commandFileName(), m_commandFileLine);
}

void OptionsForm::renameCommandFileTeams(const std::string& visitorTeam, const std::string& homeTeam) {
    // Only the teams' part is replaced, so the folder keeps the form it was given when OK composed the line.
    auto teamsPart = [this](const std::string& visitor, const std::string& home) {
        return " /v:" + visitor + " /h:" + home + m_simSwitches + " //ls:kivp";
    };
    const std::string old = teamsPart(m_selectedVisitorTeam, m_selectedHomeTeam);
    if (m_commandFileLine.size() < old.size() || !m_commandFileLine.ends_with(old))
        return;
    m_commandFileLine.replace(m_commandFileLine.size() - old.size(), old.size(),
                              teamsPart(visitorTeam, homeTeam));
    if (m_commandFileRequest) {
        m_commandFileRequest->visitorTeam = visitorTeam;
        m_commandFileRequest->homeTeam = homeTeam;
    }
    m_selectedVisitorTeam = visitorTeam;
    m_selectedHomeTeam = homeTeam;
}

std::string OptionsForm::settingsPath() const {
    return joinPath(m_host.programDirectory(), "kivp.ini");
}

bool OptionsForm::resetAfterRunIsDue() const {
    return readSettingInteger(ProfileFile(settingsPath()), S::ClearAllAfterRun) == 1;
}

} // namespace kivp
