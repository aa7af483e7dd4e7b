#pragma once
// The main window's model: everything TForm1 shows beside the bracket (the program and team folders, the team
// set-up area and its eight team pickers, the picture and label font) and every command the window offers, named
// after the handler the window calls. The window forwards each user event here and redraws from these fields.
//
// Each handler that can meet an error catches it at its boundary and reports it once through Prompts; the state
// stays as it was at that moment.

#include "app/MainFormView.h"
#include "bracket/Bracket.h"
#include "journal/JournalKeeper.h"
#include "options/OptionsForm.h"
#include "options/OptionsHost.h"
#include "platform/Prompts.h"
#include "run/GameOutcome.h"
#include "run/GameRun.h"
#include "run/HomeField.h"
#include "run/RunProgress.h"
#include "sim/SimulatorRunner.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kivp {

// The client area's height with the team set-up area closed and open; the width is always 617.
inline constexpr int kClientWidth = 617;
inline constexpr int kClosedClientHeight = 173;
inline constexpr int kOpenClientHeight = 413;

inline constexpr const char* kChooseFolderTitle = "Select Your KIV .DAT File Folder:";
inline constexpr const char* kLoadPictureTitle = "Load a ballpark picture";
inline constexpr const char* kHomeTeamMissing =
    "Please select a home team by clicking one of the \nbuttons next to the team in the bracket.";
inline constexpr const char* kHomeAwayChangedMessage =
    "The Home/Away setup has been changed for at least 1 of the series.  The series options must be set up "
    "again before continuing.";
// The file the simulator writes the line score of a game into, in the program folder.
inline constexpr const char* kLineScoreFileName = "kivp";
// kivp.ini's section of the latest custom bracket's field ("Teams", "Halves").
inline constexpr const char* kCustomBracketSection = "Custom Bracket";
// kivp.ini's section of the main window's place on the screen ("Left", "Top", "Width", "Height",
// "Maximized").
inline constexpr const char* kMainWindowSection = "Main Window";

// Where the main window was when kivp last closed: its frame's inside (left, top, width and height, in the
// screen's pixels) as it is when not maximised, the set-up area closed, and whether it was maximised.
struct WindowPlacement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool maximised = false;
    bool operator==(const WindowPlacement&) const = default;
};

// Where a printed bracket went: the printer's name, or the file it was printed to.
struct PrintedTo {
    std::string printer;
    std::string file;
};

// One of the eight team pickers: the shared list lives in MainForm; each picker holds only its choice.
struct TeamPicker {
    int itemIndex = -1; // -1: nothing chosen
};

class MainForm {
public:
    MainForm(Prompts& prompts, MainFormView& view, SimulatorRunner& runner);

    Bracket& bracket() { return m_bracket; }
    const Bracket& bracket() const { return m_bracket; }
    // The options window's model: the run options every game is played with.
    OptionsForm& options() { return m_options; }
    const OptionsForm& options() const { return m_options; }
    // The games of the playoff, their undo and redo, the playoff files and the autosave.
    JournalKeeper& journal() { return m_journal; }
    const JournalKeeper& journal() const { return m_journal; }

    // --- fields ---------------------------------------------------------------------------------------------
    const std::string& programDirectory() const { return m_programDirectory; }
    const std::string& teamDirectory() const { return m_teamDirectory; }
    // The team folder as the window shows it; a loaded playoff can show another folder than teamDirectory().
    const std::string& Label32() const { return m_label32; }
    void setLabel32(std::string folder) { m_label32 = std::move(folder); }
    std::string settingsPath() const;

    // The main window's place when kivp last closed, read from kivp.ini at start; nothing the first time.
    const std::optional<WindowPlacement>& windowPlacement() const { return m_windowPlacement; }

    bool teamSetupOpen() const { return m_teamSetupOpen; }
    int clientHeight() const { return m_teamSetupOpen ? kOpenClientHeight : kClosedClientHeight; }

    // The list every picker shows, and each picker's choice (ComboBox3..6 and ComboBox10..13).
    const std::vector<std::string>& teamItems() const { return m_teamItems; }
    const TeamPicker& picker(int comboBox) const;
    std::string pickerText(int comboBox) const;
    void choosePicker(int comboBox, int itemIndex); // the user picked an item (-1 for none)

    // Setup > Show Picture, Load Picture, Change Label Font.
    bool ShowPicture1Checked() const { return m_showPicture; }
    bool LoadPicture1Enabled() const { return m_showPicture; }
    bool ChangeLabelFont1Enabled() const { return m_showPicture; }
    bool Image1Visible() const { return m_showPicture; }
    const std::string& picturePath() const { return m_picturePath; }
    const FontChoice& labelFont() const { return m_labelFont; }

    // --- handlers ---------------------------------------------------------------------------------------------
    // The window is created in programDirectory (the current directory at start): reads the folders from kivp.ini
    // and records the program folder there.
    void FormCreate(const std::string& programDirectory);
    // The window is shown: start-up state of the bracket, set-up area closed, teams listed.
    void FormShow();

    // Another playoff type. One on another tree than the bracket's starts a new playoff, once the one on the
    // bracket may be set aside; "Custom" first asks for its field.
    void PlayoffTypeBoxChange(int index);
    // Setup > Custom Bracket...: the field of a custom bracket, asked for and kept in kivp.ini for next time;
    // the bracket then starts a custom playoff of it.
    void CustomBracket1Click();
    // A home pattern in force moves the home buttons to the hosts of the new series lengths.
    void PlayoffFormatBoxChange(int index);
    // A home button beside a team (SpeedButton2 to SpeedButton15).
    void SpeedButton2Click(int speedButton) { m_bracket.chooseHomeTeam(speedButton); }

    void Button1Click(); // Setup > Teams: opens the set-up area
    void Button8Click(); // "Cancel": closes it; the pickers keep their choices
    // "Done": the picked teams go into the bracket; while a picker shown is empty it says which and sets
    // nothing up.
    void Button2Click();
    void Button4Click(); // File > Reset Form
    void SpeedButton1Click(); // "...": choose the team folder
    void Button5Click(); // Setup > Options: checks the home choices, then opens the options window
    // A team slot was clicked (Label9 to Label22 as slots 1 to 14): plays the next game of its series.
    void Label9Click(int slot);
    // Play menu and a team slot's context menu: many games, each one exactly a click on its series. slot 0
    // (the Play menu) means the current round, or the next game Play to Champion would play.
    void PlayNextGameClick(int slot);
    void PlayRestOfSeriesClick(int slot);
    void PlayRestOfRoundClick(int slot);
    void PlayToChampionClick();
    // Setup > Home Pattern: a pattern for its series length, chosen again to go back to "Home team every
    // game" for that length; "Home team every game" for every length.
    void HomePatternClick(HomePattern pattern);
    const HomePatterns& homePatterns() const { return m_homeField.patterns(); }
    // The top bar's note of the home patterns that the chosen format plays.
    std::string homePatternCaption() const;
    // The line under the bracket saying what the latest game, run, undo or redo came to; empty once the
    // playoff it spoke of is gone or changed.
    const std::string& statusLine() const { return m_statusLine; }
    // The window's title: the program and the playoff file the playoff belongs to ("KIV Playoff Mode -
    // t1.kvp"); windowModified() says whether games are in no file the user saved.
    std::string windowTitle() const;
    bool windowModified() const { return m_journal.unsavedGames() > 0; }
    // Where a run of games shows its progress; nothing shows it by default.
    void setRunProgress(RunProgress* progress) { m_progress = progress ? progress : &m_quietProgress; }
    void Button3Click() { m_view.showAbout(); }
    void Contents1Click() { m_view.showHelpContents(); }
    // A key was released in the window or one of the two top drop-downs: F1 opens the help.
    void FormKeyUp(int keyCode);
    // The main window closes: its place is kept in kivp.ini for the next start (written only when it moved).
    void FormClose(const WindowPlacement& placement);
    // The window printed the bracket: the status line says where it went.
    void bracketPrinted(const PrintedTo& where);
    void Exit1Click() { m_view.closeMainWindow(); }
    void Button6Click();        // File > Save Playoff (asks before replacing another playoff's file)
    void SavePlayoffAs1Click(); // File > Save Playoff As...
    void Button7Click();        // File > Load Playoff
    // Edit > Undo Game, Redo Game: offered only between games, when there is a game to take back or put back.
    void UndoGame1Click();
    void RedoGame1Click();
    bool UndoGame1Enabled() const { return !m_gameRunning && m_journal.canUndo(); }
    bool RedoGame1Enabled() const { return !m_gameRunning && m_journal.canRedo(); }
    void GameLog1Click() { m_view.showGameLog(); } // Edit > Game Log
    void ExporttoHTML1Click();  // File > Export to HTML
    void ExportReport1Click();  // File > Export Report: the playoff report, where the user chooses
    void ShowPicture1Click();
    void LoadPicture1Click();
    void ChangeLabelFont1Click();

    // Lists the teams of the folder Label32 shows into the pickers, clearing them first.
    void listTeamsIntoPickers();

    static constexpr int kF1 = 112;

private:
    // What the options window needs from the main window.
    class Host : public OptionsHost {
    public:
        explicit Host(MainForm& form) : m_form(form) {}
        std::string programDirectory() const override { return m_form.m_programDirectory; }
        std::string teamDirectory() const override { return m_form.m_label32; }
        const Bracket& bracket() const override { return m_form.m_bracket; }
        void lowerHomeAwayWarning() override { m_form.m_bracket.setUpdateOptionsLabel(false); }
        PathForm simulatorPathForm(const std::string& executable) const override {
            return m_form.m_runner.prepare(executable, m_form.m_programDirectory).paths;
        }

    private:
        MainForm& m_form;
    };

    // Whether every series that can be played has its home team marked, as the Options command checks it.
    bool homeTeamsChosen() const;
    // "Team 2 (left half)": the caption of a team picker and its half.
    std::string pickerCaption(int comboBox) const;
    // The click's step; outcome names the teams and takes the score.
    GameOutcome::Result playGame(int slot, GameOutcome& outcome);
    // The one-game step of a click and of every game of a run: reports what stops it, never throws.
    GameOutcome playGameReporting(int slot);
    void playMany(RunScope scope, int slot);

    // Runs a command, reporting an error that stops it once; the state stays as the error left it.
    void guarded(const std::function<void()>& command);
    // A playoff from a file is on the bracket: its team folder shown and listed, then autosaved.
    void showLoadedPlayoff(const LoadedPlayoff& loaded);

    Prompts& m_prompts;
    MainFormView& m_view;
    SimulatorRunner& m_runner;
    Bracket m_bracket;
    Host m_host{*this};
    OptionsForm m_options{m_host, m_prompts};
    std::string m_programDirectory;
    std::string m_teamDirectory;
    std::string m_label32;
    bool m_teamSetupOpen = false;
    std::vector<std::string> m_teamItems;
    std::array<TeamPicker, kPickerCount> m_pickers{};
    bool m_showPicture = false;
    std::string m_picturePath;
    FontChoice m_labelFont;
    HomeField m_homeField{m_bracket, m_options};
    QuietProgress m_quietProgress;
    RunProgress* m_progress = &m_quietProgress;
    std::string m_statusLine;
    std::optional<WindowPlacement> m_windowPlacement;
    JournalKeeper m_journal{m_bracket, m_prompts, [this] { return m_label32; }};
    bool m_gameRunning = false;
};

} // namespace kivp
