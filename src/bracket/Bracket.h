#pragma once
// The playoff bracket: seven series over fifteen slots (fourteen teams and the champion), the win counts beside
// the team slots, the home-team buttons of each series and each series' state. It holds every value the main
// window's bracket shows, named after the control that shows it, and the rules that change them: choosing the
// playoff type, applying the chosen teams, choosing a home team, crediting a game and moving winners on.
//
// Slots are numbered 1 to 15 (slot 15 is the champion), series 1 to 7 (1 to 4 the first round, left half then
// right half; 5 and 6 the semi-finals; 7 the championship). Home buttons keep their window numbers 2 to 15:
// series s has the upper button 2s and the lower button 2s + 1; the button beside slot k is k + 1.

#include "bracket/PlayoffFormats.h"

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kivp {

inline constexpr int kSlotCount = 15;
inline constexpr int kTeamSlotCount = 14;
inline constexpr int kChampionSlot = 15;
inline constexpr int kSeriesCount = 7;
inline constexpr int kFirstHomeButton = 2;
inline constexpr int kLastHomeButton = 15;

// Series states.
inline constexpr int kSeriesNotSetUp = -1;
inline constexpr int kSeriesOpen = 0;
inline constexpr int kSeriesDecided = 1;

// A home-team toggle button: down marks its team as the home team; a hidden button keeps its down state.
struct HomeButton {
    bool down = false;
    bool shown = false;
    bool operator==(const HomeButton&) const = default;
};

enum class HomeChoice { None, Upper, Lower };
enum class Side { Visitor, Home };

// The eight team pickers' texts in the order ComboBox3, ComboBox4, ComboBox5, ComboBox6 (left half, "Team 1" to
// "Team 4"), ComboBox10, ComboBox11, ComboBox12, ComboBox13 (right half).
using TeamPicks = std::array<std::string, 8>;
inline constexpr std::array<int, 8> kPickerNumbers = {3, 4, 5, 6, 10, 11, 12, 13};

struct SeriesTeams {
    std::string upper;
    std::string lower;
    bool operator==(const SeriesTeams&) const = default;
};

class Bracket {
public:
    Bracket(); // in the start-up state

    // --- where things are -------------------------------------------------------------------------------
    static int upperSlot(int series) { return 2 * series - 1; }
    static int lowerSlot(int series) { return 2 * series; }
    static int upperButton(int series) { return 2 * series; }
    static int lowerButton(int series) { return 2 * series + 1; }
    static Round roundOf(int series);
    // The slot a series' winner moves to (9 to 14, or the champion slot for series 7).
    static int winnerSlot(int series) { return 8 + series; }
    // The series a winner plays next (5, 6, 7), or nothing after the championship.
    static std::optional<int> nextSeries(int series);
    // The series a team slot belongs to; nothing for the champion slot or a number outside 1 to 14.
    static std::optional<int> seriesOfSlot(int slot);

    // Control names, for the windows and the files that name them.
    static std::string slotControl(int slot);     // "Label9" .. "Label22", "Label34"
    static std::string winCountControl(int slot); // "Label1", "Label35" .. "Label47"
    static std::string placeholder(int slot);     // "Team 1", " Winner T1/T4", "Winner", ...

    // --- PlayoffTypeBox and PlayoffFormatBox ---------------------------------------------------------------
    int playoffTypeIndex() const { return m_playoffType; }
    std::string playoffTypeText() const; // empty when no type is selected
    const std::vector<std::string>& formatItems() const { return formatItemsFor(m_formatList); }
    // The playoff type whose format list the drop-down shows (it can differ from the type selected).
    int formatListType() const { return m_formatList; }
    int formatIndex() const { return m_formatIndex; }
    std::string formatText() const;

    // The user picks a format (an index outside the list leaves no selection).
    void selectFormat(int index);
    // Selecting a type from the program (loading a playoff): the layout and the format list stay as they are.
    void selectPlayoffType(int index);
    // Shows a type's format list with an item selected, without touching anything else.
    void showFormatList(int playoffType, int index);
    // Shows a type's slots, win counts and pickers, without touching the home buttons.
    void showLayoutOf(int playoffType);

    // --- slots, win counts, series, home buttons, warning ------------------------------------------------------
    const std::string& slot(int slot) const;
    void setSlot(int slot, std::string text);
    const std::string& winCount(int slot) const; // team slots 1 to 14
    void setWinCount(int slot, std::string text);
    const std::string& champion() const { return slot(kChampionSlot); }

    int seriesState(int series) const;
    void setSeriesState(int series, int state);
    // Whether a game of the series can be played: set up and undecided, in a round the layout shows (a type
    // change can hide a series that is still set up), and with both its teams named.
    bool seriesPlayable(int series) const;

    const HomeButton& speedButton(int number) const; // 2 to 15
    HomeButton& speedButton(int number);
    void setSeriesButtonsShown(int series, bool shown);
    HomeChoice homeChoice(int series) const; // the upper button wins if both are down
    // The home and visiting slots of a series with a home choice.
    int homeSlot(int series) const;
    int visitorSlot(int series) const;

    // The yellow "Home/Away Changed!" warning (UpdateOptionsLabel): while raised no game can be played.
    bool updateOptionsLabel() const { return m_warning; }
    void setUpdateOptionsLabel(bool raised) { m_warning = raised; }

    // --- what is visible for the playoff type whose layout is shown ---------------------------------------------
    int layoutType() const { return m_layoutType; }
    bool slotShown(int slot) const;     // the win count beside a team slot follows its slot
    bool pickerShown(int comboBox) const; // ComboBox3..6, 10..13
    bool pickerCaptionShown(int label) const; // Label23..30
    bool headingShown(int label) const;       // Label4..8 and Label33
    bool roundShown(Round round) const;

    // --- operations ---------------------------------------------------------------------------------------------
    // The user chose another playoff type: its layout, its home-button defaults, its format list with the default
    // selected. Slot texts, win counts and series states stay.
    void setPlayoffType(int playoffType);
    // "Done": empties every slot and win count, then puts the picked teams into the first round in play with
    // their win counts at "0" and opens its series. Other series' states and all home choices stay.
    void applyTeams(const TeamPicks& picks);
    // A home button was clicked: it goes down, its partner up, and the home/away-changed warning is raised.
    void chooseHomeTeam(int speedButton);
    // One game of a series was played. Equal runs are a home win. Throws Error::notAnInteger, changing nothing,
    // when a win count is not a number. The series needs a home choice.
    void creditGame(int series, int visitorRuns, int homeRuns);
    // Decides the series once the team that won its latest game has the wins its round needs, moves the winner
    // on and opens the next series when both its teams are known.
    void advance(int series, Side latestGameWinner);
    // "Reset Form": type "1995-", format "5-7-7", every series not set up, placeholders everywhere.
    void reset();
    // The state the main window shows when it opens.
    void startUp();

    // Every series set up or decided, in series order: the options window's series list.
    std::vector<std::pair<int, SeriesTeams>> seriesList() const;

    // The wins each round needs, as worked out when the latest game was credited (all 0 before the first).
    const WinsNeeded& winsNeeded() const { return m_winsNeeded; }
    // Puts back wins needed worked out earlier, as when a saved bracket is rebuilt.
    void setWinsNeeded(const WinsNeeded& wins) { m_winsNeeded = wins; }

    // Every value the bracket holds, the warning included.
    bool operator==(const Bracket&) const = default;

private:
    void applyHomeButtonDefaults(int playoffType);
    void putPlaceholders();

    int m_playoffType = 0;
    int m_formatList = 0;
    int m_formatIndex = 18;
    int m_layoutType = 0;
    std::array<std::string, kSlotCount + 1> m_slots;          // [1..15]
    std::array<std::string, kTeamSlotCount + 1> m_winCounts;  // [1..14]
    std::array<int, kSeriesCount + 1> m_states{};             // [1..7]
    std::array<HomeButton, kLastHomeButton + 1> m_buttons{};  // [2..15]
    bool m_warning = false;
    WinsNeeded m_winsNeeded{};
};

} // namespace kivp
