#pragma once
// The three playoff types (eras) and the series lengths each one offers, and how many wins a round needs.
// A format such as "5-7-7" gives each round in play a best-of-N length; best of N needs (N + 1) / 2 wins.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kivp {

inline constexpr int kPlayoffTypeCount = 3;

// Item texts of the playoff type drop-down: "1995-" (8 teams), "1969-1993" (4), "1903-1968" (2).
const std::vector<std::string>& playoffTypeItems();
// Item texts of the format drop-down for a playoff type (empty for an index outside the list).
const std::vector<std::string>& formatItemsFor(int playoffType);
// The format a playoff type starts with: "5-7-7", "7-7", "7".
int defaultFormatIndex(int playoffType);

enum Round { FirstRound = 0, SemiFinals = 1, Championship = 2 };
using WinsNeeded = std::array<int, 3>; // indexed by Round

// Brings the wins needed up to date for the type (recognised by its text) and format index. Rounds the type
// does not play keep their value; an unknown type or an index outside its list changes nothing.
void updateWinsNeeded(WinsNeeded& wins, std::string_view playoffTypeText, int formatIndex);

} // namespace kivp
