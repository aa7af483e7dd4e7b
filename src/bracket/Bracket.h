#pragma once
// The playoff bracket: the series of the chosen playoff type's tree (BracketTree), the team names in its slots,
// the win counts beside them, the home-team buttons of each series, each series' state and the home/away
// warning. It holds every value the main window's bracket shows, named after the control that shows it, and the
// rules that change them: choosing the playoff type, applying the chosen teams, choosing a home team, crediting a
// game and moving winners on. Every type is one instance of it; the classic types share the eight-team tree.
//
// Slots are numbered from 1: series s plays slot 2s - 1 (upper) against slot 2s (lower), and the last slot is
// the champion's. Home buttons keep their window numbers: the button beside slot k is k + 1, so series s has
// the upper button 2s and the lower button 2s + 1. The eight-team tree has slots 1 to 15 and series 1 to 7 (1 to
// 4 the first round, left half then right half; 5 and 6 the semi-finals; 7 the championship).

#include "bracket/BracketTree.h"
#include "bracket/PlayoffFormats.h"

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kivp {

// The eight-team tree's sizes, as the classic types and their 39-line playoff files know them.
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

// The team pickers' texts in the order ComboBox3, ComboBox4, ComboBox5, ComboBox6 (left half, "Team 1" to
// "Team 4"), ComboBox10, ComboBox11, ComboBox12, ComboBox13 (right half), then the pickers of the larger fields:
// ComboBox14 to ComboBox17 (left half, ranks 5 to 8) and ComboBox18 to ComboBox21 (right half, ranks 5 to 8).
inline constexpr int kPickerCount = 16;
using TeamPicks = std::array<std::string, kPickerCount>;
inline constexpr std::array<int, kPickerCount> kPickerNumbers = {3,  4,  5,  6,  10, 11, 12, 13,
                                                                 14, 15, 16, 17, 18, 19, 20, 21};
// The picker (index into kPickerNumbers) of a team of the field: half and rank; a field in one half takes the
// pickers in that order, ranks 1 to 16.
int pickerIndexOf(int halves, int half, int rank);
// The label captioning a picker: Label23..Label26 and Label27..Label30 for the first four of each half,
// Label48..Label55 for the others.
int captionLabelOf(int comboBox);

struct SeriesTeams {
    std::string upper;
    std::string lower;
    bool operator==(const SeriesTeams&) const = default;
};

class Bracket {
public:
    Bracket(); // in the start-up state

    // --- the tree and where things are ---------------------------------------------------------------------
    const BracketTree& tree() const { return *m_tree; }
    int slotCount() const { return tree().slotCount(); }
    int teamSlotCount() const { return tree().teamSlotCount(); }
    int championSlot() const { return tree().championSlot(); }
    int seriesCount() const { return tree().seriesCount(); }
    int roundCount() const { return tree().rounds(); }
    int lastHomeButton() const { return teamSlotCount() + 1; }

    static int upperSlot(int series) { return 2 * series - 1; }
    static int lowerSlot(int series) { return 2 * series; }
    static int upperButton(int series) { return 2 * series; }
    static int lowerButton(int series) { return 2 * series + 1; }
    int roundOf(int series) const { return tree().series(series).round; }
    // The slot a series' winner moves to (the champion's slot after the championship).
    int winnerSlot(int series) const { return tree().series(series).winnerSlot; }
    // The series a winner plays next, or nothing after the championship.
    std::optional<int> nextSeries(int series) const;
    // The series a team slot belongs to; nothing for the champion slot or a number outside the team slots.
    std::optional<int> seriesOfSlot(int slot) const;
    // Whether a slot is on the right half, drawn mirrored.
    bool onRightHalf(int slot) const;

    // Control names, for the windows and the files that name them: the eight-team tree's are the main window's
    // "Label9" .. "Label22", "Label34" and "Label1", "Label35" .. "Label47"; larger trees name their own.
    std::string slotControl(int slot) const;
    std::string winCountControl(int slot) const;
    std::string placeholder(int slot) const; // "Team 1", " Winner T1/T4", "Winner", "AL 1", "Winner 4/5", ...

    // --- PlayoffTypeBox and PlayoffFormatBox ---------------------------------------------------------------
    int playoffTypeIndex() const { return m_playoffType; }
    std::string playoffTypeText() const; // empty when no type is selected
    // The type whose layout is shown: its tree, its rules and its halves' names.
    PlayoffTypeInfo typeInfo() const { return playoffTypeInfo(m_layoutType, m_custom); }
    // Whether a type is played on the tree the bracket is on now (the classic types share theirs).
    bool typeFitsTree(int playoffType) const;
    // Puts the bracket on the tree of a type (and custom field) when it is not on it already, as a playoff
    // loaded from a file needs: that tree starts afresh, every slot at its placeholder and no series set up.
    void useTreeOf(int playoffType, const CustomBracket& custom = {});
    // The field of a "Custom" bracket, kept when another type is chosen.
    const CustomBracket& customBracket() const { return m_custom; }
    const std::vector<std::string>& formatItems() const { return formatItemsFor(m_formatList, m_custom); }
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
    const std::string& winCount(int slot) const; // team slots
    void setWinCount(int slot, std::string text);
    const std::string& champion() const { return slot(championSlot()); }
    // The rank in its half of the team in a team slot, carried along as it moves on; 0 when not known (a
    // classic playoff file does not keep ranks).
    int rankInSlot(int slot) const;
    void setRankInSlot(int slot, int rank);

    int seriesState(int series) const;
    void setSeriesState(int series, int state);

    const HomeButton& speedButton(int number) const; // 2 to lastHomeButton()
    HomeButton& speedButton(int number);
    void setSeriesButtonsShown(int series, bool shown);
    HomeChoice homeChoice(int series) const; // the upper button wins if both are down
    // The home and visiting slots of a series with a home choice.
    int homeSlot(int series) const;
    int visitorSlot(int series) const;
    // The slot of the higher-ranked team of a series (the upper one when both ranks are alike or unknown).
    int higherRankedSlot(int series) const;

    // The yellow "Home/Away Changed!" warning (UpdateOptionsLabel): while raised no game can be played.
    bool updateOptionsLabel() const { return m_warning; }
    void setUpdateOptionsLabel(bool raised) { m_warning = raised; }

    // --- what is visible for the playoff type whose layout is shown ---------------------------------------------
    int layoutType() const { return m_layoutType; }
    // The round the shown layout's field enters (the classic types leave out the eight-team tree's first rounds).
    int entryRound() const;
    bool slotShown(int slot) const;     // the win count beside a team slot follows its slot
    bool pickerShown(int comboBox) const; // ComboBox3..6, 10..21
    bool pickerCaptionShown(int label) const; // Label23..30, Label48..55
    // The caption of a picker: "Team 1" for the classic types, "AL seed 1 (bye)", "Seed 3", ...
    std::string pickerCaption(int comboBox) const;
    bool headingShown(int label) const;       // Label4..8 and Label33
    bool roundShown(int round) const;
    // "Round 1", "Semi Finals", "Championship"; "Wild Card", "Division Series", "League Series", ...
    std::string roundName(int round) const;
    // Whether a game of the series can be played: set up and undecided, in a round the layout shows (a type
    // change can hide a series that is still set up), and with both its teams named.
    bool seriesPlayable(int series) const;

    // --- operations ---------------------------------------------------------------------------------------------
    // The user chose another playoff type: its layout, its home-button defaults, its format list with the default
    // selected. Between the classic types slot texts, win counts and series states stay; a type on another tree
    // starts that tree afresh, every slot at its placeholder and no series set up.
    void setPlayoffType(int playoffType);
    // The field of the "Custom" type; when Custom is chosen its tree starts afresh as setPlayoffType does.
    void setCustomBracket(const CustomBracket& custom);
    // "Done": empties every slot and win count, then puts the picked teams where the field enters with their
    // win counts at "0" and opens every series whose two teams are both there. The classic types leave the other
    // series' states and all home choices as they are; the others set the other series up afresh and mark the
    // higher-ranked team of each open series as its home team.
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
    void setWinsNeeded(const WinsNeeded& wins);

    // Every value the bracket holds, the warning included (the custom field only on a custom bracket's tree).
    bool operator==(const Bracket& other) const;

private:
    // Puts the bracket on the tree of a type (and custom field): every value sized for it and at its start.
    void plantTree(int playoffType);
    void applyHomeButtonDefaults(int playoffType);
    void markHigherRankedHome(int series);
    void putPlaceholders();
    std::size_t slotAt(int slot, int last) const;

    bool onClassicTree() const { return isClassicType(m_treeType); }

    const BracketTree* m_tree = nullptr;
    int m_treeType = 0; // the type the tree was planted for
    CustomBracket m_custom;
    int m_playoffType = 0;
    int m_formatList = 0;
    int m_formatIndex = 18;
    int m_layoutType = 0;
    std::vector<std::string> m_slots;     // [1..slotCount()]
    std::vector<std::string> m_winCounts; // [1..teamSlotCount()]
    std::vector<int> m_ranks;             // [1..teamSlotCount()]
    std::vector<int> m_states;            // [1..seriesCount()]
    std::vector<HomeButton> m_buttons;    // [2..lastHomeButton()]
    bool m_warning = false;
    WinsNeeded m_winsNeeded;
};

} // namespace kivp
