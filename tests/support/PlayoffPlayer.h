#pragma once
// A user playing a playoff through the main window's model, the way the windows drive it: the program started
// in its folder, the team folder chosen, teams picked, home teams marked with the home buttons, the options
// window opened and confirmed when play needs it (or whenever the user likes), and team slots clicked until a
// champion stands. The simulator runner is the caller's: the real one for end-to-end tests and benchmarks.

#include "app/MainForm.h"
#include "support/RecordingPrompts.h"

#include <functional>
#include <optional>
#include <string>

namespace kivp::test {

// When the user opens the options window and presses OK.
enum class ConfirmOptions {
    // Only when a changed home team blocks play; home teams are marked only where a series has none, so a
    // playoff that needs no marking is played with the options never confirmed.
    WhenWarned,
    // Before the first game of each series played, and when warned.
    ForEachSeries,
    BeforeEveryGame,
};

// One click on a team slot, with what was in force as it was made.
struct GameClick {
    std::string upperTeam;
    std::string lowerTeam;
    bool upperIsHome = true;
    int upperWinsBefore = 0;
    int lowerWinsBefore = 0;
    // The options window as the game launch read it.
    std::string rawSwitches;
    std::string simSwitches;
    bool useCommandFile = false;

    const std::string& homeTeam() const { return upperIsHome ? upperTeam : lowerTeam; }
    const std::string& visitorTeam() const { return upperIsHome ? lowerTeam : upperTeam; }
};

class PlayoffPlayer : private MainFormView {
public:
    PlayoffPlayer(std::string programFolder, SimulatorRunner& runner);

    MainForm& form() { return m_form; }
    const MainForm& form() const { return m_form; }
    RecordingPrompts& prompts() { return m_prompts; }

    ConfirmOptions confirm = ConfirmOptions::WhenWarned;
    // What the user does in the options window once it has loaded; seriesIndex is the series-list entry of
    // the series about to be played. Empty: the user just presses OK.
    std::function<void(OptionsForm& options, int seriesIndex)> optionsUser;
    // Runs just before each click on a team slot.
    std::function<void(const GameClick&)> beforeClick;
    // The field the user gives when kivp asks for a custom bracket's; nothing cancels.
    std::optional<CustomBracket> customField;

    // Starts the program in its folder and, when the team folder is another one, chooses it with "...".
    void start(const std::string& teamFolder);
    // Setup > Teams, the playoff type and format (item indexes), the pickers by team name (an empty name
    // leaves its picker empty), then Done.
    void setUp(int playoffType, int formatIndex, const TeamPicks& teams);

    // The lowest-numbered series that is set up and undecided.
    std::optional<int> nextSeries() const;
    // Marks home teams and confirms the options as the user would, then clicks the series' upper team slot.
    // Throws std::runtime_error when the options window refuses to open or to close with OK.
    GameClick playGame(int series);
    // Plays the open series, lowest first, game by game until a champion stands; returns the number of games.
    // Throws std::runtime_error when a game is not credited, a message appears, or maxGames is exceeded.
    int playToChampion(int maxGames = 200);

    int confirmations() const { return m_confirmations; }

private:
    void showHelpContents() override {}
    void showAbout() override {}
    void showOptionsWindow() override;
    void closeMainWindow() override {}
    std::optional<CustomBracket> chooseCustomBracket(const CustomBracket&) override { return customField; }

    void markHomeTeams();
    void openOptions(int series);
    int wins(int slot) const;

    std::string m_programFolder;
    RecordingPrompts m_prompts;
    MainForm m_form;
    int m_seriesIndex = -1;
    int m_confirmations = 0;
    int m_lastConfirmedSeries = 0;
};

} // namespace kivp::test
