#pragma once
// The fixed columns of a team file below its title line: nine lineup lines, the "*Pit" heading, one line per
// pitcher up to the "*Bench" heading. The options window's pitcher tables and lineup quick views are built
// from what is read here, and the stand-in simulator plays its games from the same figures, so both read a
// team file the same way.
//
// Columns are 1-based; file lines are counted from 0 (line 0 is the title line), as the messages count them.

#include "platform/TextFile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivp {

// One row of a pitcher table: the columns "#", "Name", "W-L", "ERA", "SO", "IP", "GS".
struct PitcherRow {
    std::string number; // the pitcher's ordinal in the pitcher section, counting relievers too
    std::string name;
    std::string wonLost;
    std::string era;
    std::string strikeouts;
    std::string innings;
    std::string gamesStarted;
    bool operator==(const PitcherRow&) const = default;
};

// A pitcher line that was read whole (at least 78 characters, games started a whole number).
struct PitcherLine {
    int line = 0;
    int ordinal = 0;      // 1 for the first line of the section, counting every pitcher line
    bool starter = false; // games started above 0, a blank column counting as "0" ("1 " is 10)
    std::string name;     // up to the first double space, at most columns 10 to 26
    std::string wins;
    std::string losses;
    std::string era; // "3.45" from the columns "345"
    std::string strikeouts;
    std::string innings;
    std::string gamesStarted; // as read, blanks dropped

    PitcherRow row() const;
};

// A lineup line that was read whole (longer than 35 characters and long enough for every column).
struct BatterLine {
    int line = 0;
    std::string name;         // columns 10 to 26 as they stand, 17 characters
    std::string hits;         // right-aligned to 3
    std::string atBats;       // right-aligned to 3
    std::string runsBattedIn; // right-aligned to 3
    std::string homeRuns;     // right-aligned to 2
    std::string average;      // " .334", "1.000"

    // The lineup quick view's row: name, H, AB, BA, RBI, HR separated by single spaces.
    std::string row() const;
};

struct TeamSheet {
    std::vector<PitcherLine> pitchers; // relievers too; Roster lists only the starters
    std::vector<BatterLine> lineup;
    // The detailed messages for lines that do not fit the layout or figures that do not convert, in the order
    // they arise (pitchers first, then the lineup). Shown only when the user asked for detailed messages.
    std::vector<std::string> problems;
};

// Reads the pitcher section and then the lineup of a team file's lines. fileName (the team name and ".dat")
// is only quoted by the messages. Never fails: a line that does not fit is skipped and described in problems.
TeamSheet readTeamSheet(const Lines& lines, std::string_view fileName);

// A number as hits and at bats are typed: surrounding spaces ignored, an optional sign, decimal digits with
// at most one decimal point and at least one digit. Nothing for anything else, the empty text included.
std::optional<double> parseDecimal(std::string_view text);

// The batting average as the lineup shows it: " .000" when there are no hits, no at bats, a negative figure
// (only a damaged file has one) or a figure that does not convert; "1.000" for a hit every time at bat;
// otherwise " ." and the thousandths rounded up, three digits at least (1 in 3 is " .334", 1 in 20 " .050").
std::string battingAverage(std::string_view hits, std::string_view atBats);

// text with leading spaces up to width characters.
std::string padLeft(std::string_view text, std::size_t width);

} // namespace kivp
