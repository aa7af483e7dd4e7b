#include "app/MainForm.h"

#include "options/ProfileFile.h"
#include "platform/Paths.h"
#include "playoff/BracketPage.h"
#include "playoff/PlayoffFile.h"
#include "teams/TeamList.h"

#include <stdexcept>

namespace kivp {

namespace {

constexpr const char* kLocation = "Location";
constexpr const char* kHomeDirectory = "Home Directory";
constexpr const char* kDirectory = "Directory";

std::size_t pickerSlot(int comboBox) {
    for (std::size_t i = 0; i < kPickerNumbers.size(); ++i) {
        if (kPickerNumbers[i] == comboBox)
            return i;
    }
    throw std::out_of_range("no team picker ComboBox" + std::to_string(comboBox));
}

} // namespace

MainForm::MainForm(Prompts& prompts, MainFormView& view) : m_prompts(prompts), m_view(view) {}

std::string MainForm::settingsPath() const { return joinPath(m_programDirectory, "kivp.ini"); }

const TeamPicker& MainForm::picker(int comboBox) const { return m_pickers[pickerSlot(comboBox)]; }

std::string MainForm::pickerText(int comboBox) const {
    const int index = picker(comboBox).itemIndex;
    if (index < 0 || index >= static_cast<int>(m_teamItems.size()))
        return {};
    return m_teamItems[static_cast<std::size_t>(index)];
}

void MainForm::choosePicker(int comboBox, int itemIndex) {
    m_pickers[pickerSlot(comboBox)].itemIndex =
        (itemIndex >= 0 && itemIndex < static_cast<int>(m_teamItems.size())) ? itemIndex : -1;
}

void MainForm::guarded(const std::function<void()>& command) {
    try {
        command();
    } catch (const Error& error) {
        m_prompts.report(error);
    }
}

void MainForm::FormCreate(const std::string& programDirectory) {
    m_programDirectory = programDirectory;
    m_teamDirectory = programDirectory;
    m_label32 = programDirectory;
    guarded([this] {
        ProfileFile settings(settingsPath());
        const std::string home = settings.readString(kLocation, kHomeDirectory, "");
        if (home.empty() || home != m_programDirectory)
            settings.writeString(kLocation, kHomeDirectory, m_programDirectory);
        const std::string directory = settings.readString(kLocation, kDirectory, "");
        if (directory.empty()) {
            settings.writeString(kLocation, kDirectory, m_label32);
        } else {
            m_teamDirectory = directory;
            m_label32 = directory;
        }
        settings.save();
    });
}

void MainForm::FormShow() {
    m_label32 = m_teamDirectory;
    m_teamSetupOpen = false;
    m_bracket.startUp();
    listTeamsIntoPickers();
}

void MainForm::listTeamsIntoPickers() {
    m_teamItems.clear();
    for (auto& picker : m_pickers)
        picker.itemIndex = -1;
    m_teamItems = listTeams(m_label32, m_prompts);
}

void MainForm::Button1Click() { m_teamSetupOpen = true; }

void MainForm::Button8Click() { m_teamSetupOpen = false; }

void MainForm::Button2Click() {
    TeamPicks picks;
    for (std::size_t i = 0; i < kPickerNumbers.size(); ++i)
        picks[i] = pickerText(kPickerNumbers[i]);
    m_bracket.applyTeams(picks);
    m_teamSetupOpen = false;
}

void MainForm::Button4Click() {
    m_bracket.reset();
    m_label32 = m_teamDirectory;
    listTeamsIntoPickers();
}

void MainForm::SpeedButton1Click() {
    guarded([this] {
        if (auto folder = m_prompts.chooseFolder(kChooseFolderTitle)) {
            m_teamDirectory = *folder;
            m_label32 = *folder;
        }
        // Also after a cancel: a stored folder that differs from the one shown (say, after a playoff was
        // loaded) is brought into line.
        ProfileFile settings(settingsPath());
        if (settings.readString(kLocation, kDirectory, "") != m_label32) {
            settings.writeString(kLocation, kDirectory, m_label32);
            settings.save();
        }
        listTeamsIntoPickers();
    });
}

void MainForm::FormKeyUp(int keyCode) {
    if (keyCode == kF1)
        m_view.showHelpContents();
}

void MainForm::Button7Click() {
    guarded([this] {
        if (auto folder = loadPlayoff(m_bracket, m_prompts)) {
            // The playoff's own team folder is shown and listed; the stored team folder stays as it is.
            m_label32 = *folder;
            listTeamsIntoPickers();
        }
    });
}

void MainForm::ExporttoHTML1Click() {
    guarded([this] { exportBracketPage(joinPath(m_programDirectory, kBracketPageFileName), m_bracket); });
}

void MainForm::ShowPicture1Click() { m_showPicture = !m_showPicture; }

void MainForm::LoadPicture1Click() {
    if (auto file = m_prompts.chooseFileToOpen(kLoadPictureTitle,
                                               "All pictures|*.jpg;*.jpeg;*.bmp;*.png;*.gif|JPEG Image File|*.jpg;*.jpeg"))
        m_picturePath = *file;
}

void MainForm::ChangeLabelFont1Click() {
    if (auto font = m_prompts.chooseFont(m_labelFont))
        m_labelFont = *font;
}

} // namespace kivp
