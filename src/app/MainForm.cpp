#include "app/MainForm.h"

#include "app/GameCommand.h"
#include "options/ProfileFile.h"
#include "options/SettingKeys.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "sim/LineScore.h"
#include "playoff/BracketPage.h"
#include "playoff/PlayoffFile.h"
#include "teams/TeamList.h"

#include <stdexcept>

namespace kivp {

namespace {

std::size_t pickerSlot(int comboBox) {
    for (std::size_t i = 0; i < kPickerNumbers.size(); ++i) {
        if (kPickerNumbers[i] == comboBox)
            return i;
    }
    throw std::out_of_range("no team picker ComboBox" + std::to_string(comboBox));
}

} // namespace

MainForm::MainForm(Prompts& prompts, MainFormView& view, SimulatorRunner& runner)
    : m_prompts(prompts), m_view(view), m_runner(runner) {}

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
        const std::string home = readSettingText(settings, Setting::HomeDirectory);
        if (home.empty() || home != m_programDirectory)
            writeSetting(settings, Setting::HomeDirectory, m_programDirectory);
        const std::string directory = readSettingText(settings, Setting::Directory);
        if (directory.empty()) {
            writeSetting(settings, Setting::Directory, m_label32);
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
        if (readSettingText(settings, Setting::Directory) != m_label32) {
            writeSetting(settings, Setting::Directory, m_label32);
            settings.save();
        }
        listTeamsIntoPickers();
    });
}

void MainForm::FormKeyUp(int keyCode) {
    if (keyCode == kF1)
        m_view.showHelpContents();
}

bool MainForm::homeTeamsChosen() const {
    auto shown = [this](int button) { return m_bracket.speedButton(button).shown; };
    auto down = [this](int button) { return m_bracket.speedButton(button).down; };
    for (int series = 1; series <= 4; ++series) {
        const int upper = Bracket::upperButton(series), lower = Bracket::lowerButton(series);
        if (shown(upper) && !down(upper) && !down(lower))
            return false;
    }
    // A semi-final counts as playable once the button beside a winner shows and the first-round series that
    // fed it has ended (its buttons are hidden).
    if (((shown(10) && !shown(4)) || (shown(11) && !shown(2))) && !down(10) && !down(11))
        return false;
    if (((shown(12) && !shown(8)) || (shown(13) && !shown(6))) && !down(12) && !down(13))
        return false;
    if (shown(14) && shown(15) && !down(14) && !down(15))
        return false;
    return true;
}

void MainForm::Button5Click() {
    if (!homeTeamsChosen()) {
        m_prompts.say(kHomeTeamMissing);
        return;
    }
    std::vector<std::string> entries;
    for (const auto& [series, teams] : m_bracket.seriesList())
        entries.push_back(seriesEntryText(teams.upper, teams.lower));
    m_options.openWithSeries(entries);
    m_view.showOptionsWindow();
}

void MainForm::Label9Click(int slot) {
    guarded([this, slot] { playGame(slot); });
}

void MainForm::playGame(int slot) {
    if (m_bracket.updateOptionsLabel()) {
        m_prompts.say(kHomeAwayChangedMessage);
        return;
    }
    const std::string lineScoreFile = joinPath(m_programDirectory, kLineScoreFileName);
    saveLines(lineScoreFile, {});

    const auto series = Bracket::seriesOfSlot(slot);
    if (!series)
        return;
    const int state = m_bracket.seriesState(*series);
    if (state == kSeriesNotSetUp || state == kSeriesDecided)
        return;
    const HomeChoice home = m_bracket.homeChoice(*series);
    if (home == HomeChoice::None) {
        m_prompts.say(kHomeTeamMissing);
        return;
    }

    const std::string teamDirectory = m_label32;
    setCurrentDirectory(m_programDirectory);
    // The program found decides how the game's folders are spelled, on its command line and in its command files.
    const SimulatorLaunch launch = m_runner.prepare(m_options.executableName(), m_programDirectory);
    if (launch.file.empty()) {
        m_prompts.say(launch.notStarted);
        return;
    }
    GameCommandInputs game;
    game.executable = m_options.executableName();
    game.programDirectory = m_programDirectory;
    game.teamDirectory = teamDirectory;
    game.upperTeam = m_bracket.slot(Bracket::upperSlot(*series));
    game.lowerTeam = m_bracket.slot(Bracket::lowerSlot(*series));
    game.upperIsHome = home == HomeChoice::Upper;
    game.rawSwitches = m_options.rawSwitches();
    game.simSwitches = m_options.simSwitches();
    game.useCommandFile = m_options.useCommandFile();
    game.commandFileName = m_options.commandFileName();
    const std::string commandLine = composeGameCommand(game, launch.paths);
    // Without switches composed since start there is nothing new to write: the simulator reads the command file
    // that is already there.
    if (game.useCommandFile && !game.rawSwitches.empty())
        m_options.writeCommandFiles(launch.paths);

    const std::string caption = m_bracket.slot(m_bracket.visitorSlot(*series)) + " at " +
                                m_bracket.slot(m_bracket.homeSlot(*series));
    const RunResult run = m_runner.runGame(launch, commandLine, m_programDirectory, caption);
    if (run.outcome == RunResult::Outcome::NotStarted) {
        m_prompts.say(run.message);
        return;
    }
    if (run.outcome == RunResult::Outcome::Stopped)
        return;

    // A settings file that cannot be written must not cost the game that was just played: the failure is
    // reported and the game is still credited.
    try {
        if (m_options.resetAfterRunIsDue())
            m_options.resetAfterRun();
    } catch (const Error& error) {
        m_prompts.report(error);
    }

    if (const auto score = readLineScoreFile(lineScoreFile))
        m_bracket.creditGame(*series, score->visitorRuns, score->homeRuns);
}

void MainForm::Button6Click() {
    guarded([this] {
        savePlayoff(m_bracket, m_label32, m_programDirectory, m_options.edit(EditId::Edit3).text, m_prompts);
    });
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
