#include "app/MainForm.h"

#include "app/GameCommand.h"
#include "journal/GameLog.h"
#include "options/ProfileFile.h"
#include "options/SettingKeys.h"
#include "platform/FileWriting.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "playoff/BracketPage.h"
#include "playoff/PlayoffFile.h"
#include "sim/LineScore.h"
#include "report/PlayoffReport.h"
#include "teams/TeamList.h"

#include <filesystem>
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

// The window's place as kivp.ini keeps it; nothing when a value is missing or the size is not a size.
std::optional<WindowPlacement> readWindowPlacement(const ProfileFile& settings) {
    for (const char* key : {"Left", "Top", "Width", "Height"}) {
        if (!settings.hasKey(kMainWindowSection, key))
            return std::nullopt;
    }
    WindowPlacement placement;
    placement.left = settings.readInteger(kMainWindowSection, "Left", 0);
    placement.top = settings.readInteger(kMainWindowSection, "Top", 0);
    placement.width = settings.readInteger(kMainWindowSection, "Width", 0);
    placement.height = settings.readInteger(kMainWindowSection, "Height", 0);
    placement.maximised = settings.readInteger(kMainWindowSection, "Maximized", 0) != 0;
    if (placement.width <= 0 || placement.height <= 0)
        return std::nullopt;
    return placement;
}

} // namespace

MainForm::MainForm(Prompts& prompts, MainFormView& view, SimulatorRunner& runner)
    : m_prompts(prompts), m_view(view), m_runner(runner) {
    m_journal.addExtrasWriter([this](PlayoffExtras& extras) { m_homeField.patterns().writeTo(extras); });
}

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
    m_journal.setProgramDirectory(programDirectory);
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
        m_homeField.setPatterns(HomePatterns::load(settings));
        m_bracket.setCustomBracket({settings.readInteger(kCustomBracketSection, "Teams", CustomBracket{}.teams),
                                    settings.readInteger(kCustomBracketSection, "Halves", CustomBracket{}.halves)});
        m_windowPlacement = readWindowPlacement(settings);
        settings.save();
    });
}

void MainForm::FormShow() {
    m_label32 = m_teamDirectory;
    m_teamSetupOpen = false;
    m_bracket.startUp();
    m_journal.clear();
    listTeamsIntoPickers();
    guarded([this] {
        if (auto resumed = m_journal.offerResume()) {
            showLoadedPlayoff(*resumed);
            m_statusLine = "Playoff resumed from " + resumed->path + ".";
        }
    });
}

void MainForm::listTeamsIntoPickers() {
    for (auto& picker : m_pickers)
        picker.itemIndex = -1;
    m_teamItems = listTeams(m_label32, m_prompts);
}

void MainForm::Button1Click() { m_teamSetupOpen = true; }

void MainForm::Button8Click() { m_teamSetupOpen = false; }

std::string MainForm::pickerCaption(int comboBox) const {
    // The classic captions ("Team 2") name a rank only: the half is said beside them.
    std::string caption = m_bracket.pickerCaption(comboBox);
    if (m_bracket.typeInfo().classic)
        caption += comboBox <= 6 ? " (left half)" : " (right half)";
    return caption;
}

void MainForm::Button2Click() {
    TeamPicks picks;
    std::string empty;
    for (std::size_t i = 0; i < kPickerNumbers.size(); ++i) {
        picks[i] = pickerText(kPickerNumbers[i]);
        // A series without its teams would start the simulator with none.
        if (picks[i].empty() && m_bracket.pickerShown(kPickerNumbers[i]))
            empty += (empty.empty() ? "" : ", ") + pickerCaption(kPickerNumbers[i]);
    }
    if (!empty.empty()) {
        std::string message = "These team pickers have no team chosen: " + empty +
                              ".\n\nChoose a team in each of them, then press Done again.";
        if (m_teamItems.empty())
            message +=
                "\n\nThe team folder " + m_label32 +
                " lists no team files: choose the folder of your KIV .dat files with the \"...\" button.";
        m_prompts.say(message);
        return;
    }
    if (!m_journal.maySetPlayoffAside("Done"))
        return;
    m_bracket.applyTeams(picks);
    m_teamSetupOpen = false;
    m_statusLine.clear();
    m_journal.newPlayoff();
}

void MainForm::Button4Click() {
    if (!m_journal.maySetPlayoffAside("Reset Form"))
        return;
    m_bracket.reset();
    m_label32 = m_teamDirectory;
    listTeamsIntoPickers();
    m_statusLine.clear();
    m_journal.newPlayoff();
}

void MainForm::SpeedButton1Click() {
    guarded([this] {
        const auto folder = m_prompts.chooseFolder(kChooseFolderTitle);
        if (folder) {
            if (auto problem = teamFolderProblem(*folder)) {
                m_prompts.say(*problem);
                return;
            }
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
        m_journal.autosave(); // the playoff file holds the team folder
        // A folder chosen by mistake shows as empty pickers, which do not say why.
        if (folder && m_teamItems.empty())
            m_prompts.say("The folder " + *folder +
                          " holds no KIV team files (.dat files that start with a team's title line), so the "
                          "team pickers are empty.\n\nChoose the folder of your KIV .dat team files with the "
                          "\"...\" button.");
    });
}

void MainForm::FormKeyUp(int keyCode) {
    if (keyCode == kF1)
        m_view.showHelpContents();
}

void MainForm::FormClose(const WindowPlacement& placement) {
    if (m_windowPlacement == placement)
        return;
    guarded([this, &placement] {
        ProfileFile settings(settingsPath());
        settings.writeInteger(kMainWindowSection, "Left", placement.left);
        settings.writeInteger(kMainWindowSection, "Top", placement.top);
        settings.writeInteger(kMainWindowSection, "Width", placement.width);
        settings.writeInteger(kMainWindowSection, "Height", placement.height);
        settings.writeInteger(kMainWindowSection, "Maximized", placement.maximised ? 1 : 0);
        settings.save();
        m_windowPlacement = placement;
    });
}

void MainForm::bracketPrinted(const PrintedTo& where) {
    m_statusLine = where.file.empty() ? "Bracket sent to the printer " + where.printer + "."
                                      : "Bracket printed to " + where.file + ".";
}

bool MainForm::homeTeamsChosen() const {
    // The later types' trees number their series otherwise, and mark a home team in every series that opens:
    // what counts there is that each series that can be played has one.
    if (!m_bracket.typeInfo().classic) {
        for (int series = 1; series <= m_bracket.seriesCount(); ++series) {
            if (m_bracket.seriesPlayable(series) && m_bracket.homeChoice(series) == HomeChoice::None)
                return false;
        }
        return true;
    }
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
    if (const GameOutcome outcome = playGameReporting(slot); !outcome.afterword.empty())
        m_prompts.say(outcome.afterword);
}

GameOutcome MainForm::playGameReporting(int slot) {
    GameOutcome outcome;
    const auto series = m_bracket.seriesOfSlot(slot);
    if (series && m_bracket.homeChoice(*series) != HomeChoice::None) {
        outcome.visitor = m_bracket.slot(m_bracket.visitorSlot(*series));
        outcome.home = m_bracket.slot(m_bracket.homeSlot(*series));
    }
    try {
        outcome.result = playGame(slot, outcome);
    } catch (const Error& error) {
        m_prompts.report(error);
        outcome.result = GameOutcome::Result::Failed;
    }
    if (series) {
        if (const std::string report = gameReport(m_bracket, *series, outcome); !report.empty())
            m_statusLine = report;
    }
    if (outcome.result == GameOutcome::Result::Credited) {
        if (auto message = m_homeField.gameCredited(*series))
            outcome.afterword = std::move(*message);
    }
    return outcome;
}

GameOutcome::Result MainForm::playGame(int slot, GameOutcome& outcome) {
    using Result = GameOutcome::Result;
    if (m_bracket.updateOptionsLabel()) {
        m_prompts.say(kHomeAwayChangedMessage);
        return Result::Refused;
    }
    const std::string lineScoreFile = joinPath(m_programDirectory, kLineScoreFileName);
    // Emptied where it stands: nothing of the user's is in it to keep safe, and a replacement's flush to disk
    // would cost every game of a long run more than the rest of kivp's part in it.
    if (!emptyFileInPlace(lineScoreFile))
        throw Error::cannotCreate(lineScoreFile);

    const auto series = m_bracket.seriesOfSlot(slot);
    if (!series || !m_bracket.seriesPlayable(*series))
        return Result::NotPlayable;
    const HomeChoice home = m_bracket.homeChoice(*series);
    if (home == HomeChoice::None) {
        m_prompts.say(kHomeTeamMissing);
        return Result::Refused;
    }
    if (!lineUpOptions(m_bracket, m_options, m_prompts, *series))
        return Result::Refused;

    const std::string teamDirectory = m_label32;
    setCurrentDirectory(m_programDirectory);
    // The program found decides how the game's folders are spelled, on its command line and in its command files.
    const SimulatorLaunch launch = m_runner.prepare(m_options.executableName(), m_programDirectory);
    if (launch.file.empty()) {
        m_prompts.say(launch.notStarted);
        return Result::NotStarted;
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
    m_gameRunning = true;
    RunResult run;
    try {
        run = m_runner.runGame(launch, commandLine, m_programDirectory, caption);
    } catch (...) {
        m_gameRunning = false;
        throw;
    }
    m_gameRunning = false;
    if (run.outcome == RunResult::Outcome::NotStarted) {
        m_prompts.say(run.message);
        return Result::NotStarted;
    }
    if (run.outcome == RunResult::Outcome::Stopped)
        return Result::Stopped;

    // A settings file that cannot be written must not cost the game that was just played: the failure is
    // reported and the game is still credited.
    try {
        if (m_options.resetAfterRunIsDue())
            m_options.resetAfterRun();
    } catch (const Error& error) {
        m_prompts.report(error);
    }

    const auto score = readLineScoreFile(lineScoreFile);
    if (!score)
        return Result::NoLineScore;
    m_journal.creditGame(*series, *score, tryLoadLines(lineScoreFile).value_or(Lines{}));
    outcome.visitorRuns = score->visitorRuns;
    outcome.homeRuns = score->homeRuns;
    return Result::Credited;
}

void MainForm::playMany(RunScope scope, int slot) {
    const int series = m_bracket.seriesOfSlot(slot).value_or(0);
    GameRun run(m_bracket, m_options, m_homeField, m_prompts, *m_progress,
                [this](int next) { return playGameReporting(Bracket::upperSlot(next)); });
    m_statusLine = run.play(scope, series).statusLine;
}

void MainForm::PlayNextGameClick(int slot) {
    if (slot == 0) {
        if (const auto next = nextSeriesOfRun(m_bracket, RunScope::ToChampion, 0))
            slot = Bracket::upperSlot(*next);
        else
            m_statusLine = "There is no game left to play.";
    }
    if (slot != 0)
        Label9Click(slot);
}

void MainForm::PlayRestOfSeriesClick(int slot) {
    playMany(RunScope::RestOfSeries, slot);
}

void MainForm::PlayRestOfRoundClick(int slot) {
    playMany(RunScope::RestOfRound, slot);
}

void MainForm::PlayToChampionClick() {
    playMany(RunScope::ToChampion, 0);
}

void MainForm::PlayoffTypeBoxChange(int index) {
    if (index == kCustomType) {
        CustomBracket1Click();
        return;
    }
    const bool sameTree = isClassicType(index) && m_bracket.typeInfo().classic;
    if (index < 0 || index >= kPlayoffTypeCount ||
        (!sameTree && !m_journal.maySetPlayoffAside("Choosing another playoff type")))
        return;
    m_bracket.setPlayoffType(index);
    m_statusLine.clear();
    if (sameTree)
        m_journal.autosave();
    else
        m_journal.newPlayoff();
}

void MainForm::CustomBracket1Click() {
    const auto field = m_view.chooseCustomBracket(m_bracket.customBracket());
    if (!field || !m_journal.maySetPlayoffAside("A new custom bracket"))
        return;
    m_bracket.setCustomBracket(*field);
    m_bracket.setPlayoffType(kCustomType);
    m_statusLine.clear();
    m_journal.newPlayoff();
    guarded([this] {
        ProfileFile settings(settingsPath());
        settings.writeInteger(kCustomBracketSection, "Teams", m_bracket.customBracket().teams);
        settings.writeInteger(kCustomBracketSection, "Halves", m_bracket.customBracket().halves);
        settings.save();
    });
}

void MainForm::PlayoffFormatBoxChange(int index) {
    const auto lengthsBefore = m_homeField.seriesLengths();
    m_bracket.selectFormat(index);
    const auto message = m_homeField.formatChanged(lengthsBefore);
    // Resumed after a stop, the playoff goes on to the wins of the format chosen now.
    m_journal.autosave();
    if (message)
        m_prompts.say(*message);
}

void MainForm::HomePatternClick(HomePattern pattern) {
    guarded([this, pattern] {
        HomePatterns patterns = m_homeField.patterns();
        const int length = seriesLengthOf(pattern);
        if (length != 0 && patterns.forLength(length) == pattern)
            patterns.clear(length);
        else
            patterns.choose(pattern);
        // Written first: a choice that cannot be kept is not made.
        ProfileFile settings(settingsPath());
        patterns.save(settings);
        settings.save();
        if (const auto message = m_homeField.changePatterns(patterns))
            m_prompts.say(*message);
        m_journal.autosave();
    });
}

std::string MainForm::homePatternCaption() const {
    const auto lengths = m_homeField.seriesLengths();
    std::vector<int> played;
    for (int series = 1; series <= m_bracket.seriesCount(); ++series) {
        if (m_bracket.roundShown(m_bracket.roundOf(series)))
            played.push_back(lengths[static_cast<std::size_t>(series)]);
    }
    return m_homeField.patterns().summary(played);
}

void MainForm::Button6Click() {
    guarded([this] {
        if (const auto path = m_journal.savePlayoff(m_options.edit(EditId::Edit3).text))
            m_statusLine = "Playoff saved to " + *path + ".";
    });
}

void MainForm::SavePlayoffAs1Click() {
    guarded([this] {
        if (const auto path = m_journal.savePlayoffAs())
            m_statusLine = "Playoff saved to " + *path + ".";
    });
}

void MainForm::Button7Click() {
    guarded([this] {
        if (auto loaded = m_journal.loadPlayoff()) {
            showLoadedPlayoff(*loaded);
            m_statusLine = "Playoff loaded from " + loaded->path + ".";
        }
    });
}

void MainForm::showLoadedPlayoff(const LoadedPlayoff& loaded) {
    // The playoff's own team folder is shown and listed; the stored team folder stays as it is.
    m_label32 = loaded.teamDirectory;
    listTeamsIntoPickers();
    // The playoff goes on under the home pattern it was played with, which its home buttons follow: each
    // open series shows the host of its next game, worked out from the latest game its journal holds.
    m_homeField.setPatterns(HomePatterns::readFrom(loaded.extras));
    std::vector<const GameRecord*> latest(static_cast<std::size_t>(m_bracket.seriesCount() + 1), nullptr);
    for (const Journal::Entry& entry : m_journal.journal().entries())
        latest[static_cast<std::size_t>(entry.game.series)] = &entry.game;
    for (int series = 1; series <= m_bracket.seriesCount(); ++series) {
        if (const GameRecord* game = latest[static_cast<std::size_t>(series)])
            m_homeField.showNextHost(series, game->game, game->home);
    }
    m_statusLine.clear();
    m_journal.autosave();
}

namespace {

// "game 5 of Championship, BRINDLE 3 at ASHVALE 5"
std::string gameNamed(const Bracket& bracket, const GameRecord& game) {
    return "game " + std::to_string(game.game) + " of " + seriesName(bracket, game.series) + ", " + game.visitor +
           " " + std::to_string(game.visitorRuns) + " at " + game.home + " " + std::to_string(game.homeRuns);
}

} // namespace

void MainForm::UndoGame1Click() {
    if (!UndoGame1Enabled())
        return;
    guarded([this] {
        const Journal& journal = m_journal.journal();
        const GameRecord game = journal.latest();
        const int before = journal.size();
        m_journal.undoGame();
        if (journal.size() < before)
            m_statusLine = "Taken back: " + gameNamed(m_bracket, game) + ".";
    });
}

void MainForm::RedoGame1Click() {
    if (!RedoGame1Enabled())
        return;
    guarded([this] {
        const GameRecord game = m_journal.journal().nextRedo();
        m_journal.redoGame();
        m_statusLine = "Put back: " + gameNamed(m_bracket, game) + ".";
    });
}

std::string MainForm::windowTitle() const {
    const std::string& file = m_journal.playoffFile();
    if (file.empty())
        return kProgramTitle;
    return std::string(kProgramTitle) + " - " + std::filesystem::path(file).filename().string();
}

void MainForm::ExporttoHTML1Click() {
    guarded([this] {
        const std::string path = joinPath(m_programDirectory, kBracketPageFileName);
        exportBracketPage(path, m_bracket);
        m_statusLine = "Bracket page written to " + path + ".";
    });
}

void MainForm::ExportReport1Click() {
    std::vector<ReportGame> games;
    for (const Journal::Entry& entry : m_journal.journal().entries()) {
        const GameRecord& game = entry.game;
        games.push_back({game.series, game.game, game.visitor, game.home, game.visitorRuns, game.homeRuns,
                         game.lineScore});
    }
    guarded([this, &games] {
        if (const auto path = exportPlayoffReport(m_bracket, games, m_programDirectory, m_prompts))
            m_statusLine = "Playoff report written to " + *path + ".";
    });
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
