#pragma once
// The line score the simulator leaves in the file "kivp" after a game: line 2 is a header whose first "R" (at
// position 2 or later) marks the runs column, line 3 is the visitor's line and line 4 the home team's, runs
// right-aligned under the "R". Only those two figures are read; the rest of the file is the simulator's.

#include "platform/TextFile.h"

#include <optional>
#include <string>

namespace kivp {

struct LineScore {
    int visitorRuns = 0;
    int homeRuns = 0;
    bool operator==(const LineScore&) const = default;
};

// Nothing for an empty file: the simulator did not finish a game. Otherwise the two run totals, each the two
// characters at the runs column and the one before it, a space there counting as 0.
// Throws Error::listIndex(i) when line i (counted from 0) is missing: 1 for the header, 2 for the visitor, 3
// for the home team. Throws Error::notAnInteger with the two characters read when they are not two decimal
// digits, which is also what a header without an "R" (no characters read) or a team line ending before the
// runs column (the characters that were there) gives.
std::optional<LineScore> readLineScore(const Lines& lines);

// The same from the file at path. A missing file is read as an empty one (no game was finished); a file that
// exists but cannot be read throws Error::cannotOpen.
std::optional<LineScore> readLineScoreFile(const std::string& path);

} // namespace kivp
