#pragma once
// The playoff types (eras of the post-season) and the series lengths each one offers, and how many wins a round
// needs. A format such as "5-7-7" gives each round in play a best-of-N length; best of N needs (N + 1) / 2 wins.
//
// The first three types ("1995-", "1969-1993", "1903-1968") are the classic ones: one eight-team tree whose
// earlier rounds a smaller field leaves out, the types a 39-line playoff file holds. The later eras ("2012-2021",
// "2020", "2022-") and "Custom" each have a tree of their own, with byes for the top-ranked teams where a half
// has fewer teams than its first round has places.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kivp {

inline constexpr int kClassicTypeCount = 3; // the types a 39-line playoff file holds
inline constexpr int kPlayoffTypeCount = 7;
inline constexpr int kCustomType = 6;

// The field of a "Custom" bracket: 2 to 16 teams in one half or two (leagues that meet in the championship).
struct CustomBracket {
    int teams = 8;
    int halves = 2;
    bool operator==(const CustomBracket&) const = default;
};
inline constexpr int kCustomFewestTeams = 2;
inline constexpr int kCustomMostTeams = 16;
// A custom field brought into range: 2 to 16 teams, one or two halves, at least one team per half.
CustomBracket sensibleCustomBracket(CustomBracket custom);

// How a playoff type's tree is made: teams per half (one half, or two that meet in the championship), and the
// round in which its teams enter the tree (the classic types share one eight-team tree and leave out its
// earlier rounds).
struct TreeOfType {
    int halves = 2;
    std::array<int, 2> teams{4, 4}; // per half; the second is 0 for one half
    int entryRound = 0;
    bool operator==(const TreeOfType&) const = default;
};

// Everything the program knows of one playoff type.
struct PlayoffTypeInfo {
    std::string text;      // the item text of the playoff type drop-down
    TreeOfType tree;
    // Classic rules: "Done" leaves the states of later series and every home choice as they are, and a series
    // that opens waits for the user to mark its home team. The later types reset both and mark the
    // higher-ranked team as the home team of every series that opens.
    bool classic = false;
    std::array<std::string, 2> halfShortNames; // "AL", "Left"; empty for one half
    std::array<std::string, 2> halfLongNames;  // "American League", "left half"
    bool operator==(const PlayoffTypeInfo&) const = default;
};

// Item texts of the playoff type drop-down, in order.
const std::vector<std::string>& playoffTypeItems();
// The type of an index (0 to kPlayoffTypeCount - 1); custom: the field of a "Custom" bracket.
PlayoffTypeInfo playoffTypeInfo(int playoffType, const CustomBracket& custom = {});
bool isClassicType(int playoffType);

// Item texts of the format drop-down for a playoff type (empty for an index outside the list). A custom
// bracket's list depends on its field: every series length of 1, 3, 5, 7 or 9 per round, never shorter than the
// round before.
const std::vector<std::string>& formatItemsFor(int playoffType, const CustomBracket& custom = {});
// The format a playoff type starts with: "5-7-7", "7-7", "7", "1-5-7-7", "3-5-7-7", ...
int defaultFormatIndex(int playoffType, const CustomBracket& custom = {});
// The series lengths of a format item ("1-5-7-7" gives 1, 5, 7, 7); nothing for text that is not one.
std::vector<int> seriesLengthsOf(std::string_view formatItem);

// The classic rounds, as the eight-team tree numbers them.
enum Round { FirstRound = 0, SemiFinals = 1, Championship = 2 };
// The wins each round of the tree needs, earliest round first.
using WinsNeeded = std::vector<int>;

// Brings the wins needed up to date for the type (recognised by its text) and format index: the format's
// lengths go to the last rounds of the tree, one each. Rounds the type does not play keep their value; an
// unknown type or an index outside its list changes nothing.
void updateWinsNeeded(WinsNeeded& wins, std::string_view playoffTypeText, int formatIndex,
                      const CustomBracket& custom = {});

} // namespace kivp
