#pragma once
// The journal as the user reads it: the games of one series beside the bracket ("G1  ASHVALE 3 at DUNMERE 5",
// one line a game) and the game log of the whole playoff, every game with the line score the simulator wrote.

#include "journal/Journal.h"

#include <string>

namespace kivp {

// "G3  ASHVALE 3 at DUNMERE 5"
std::string gameSummary(const GameRecord& game);
// The games of a series, one summary a line, oldest first; empty when it has none.
std::string seriesGames(const Journal& journal, int series);
// "Round 1, series 2 (left half)", "Semi-final (right half)", "Championship"; on the later types' trees
// "Wild Card, series 2 (American League)", "League Series (National League)", ...
std::string seriesName(const Bracket& bracket, int series);
// Every game of the journal, oldest first: a heading naming the series and the time, the summary, then the
// line score as the simulator wrote it, with a blank line between games.
std::string gameLogText(const Journal& journal);

} // namespace kivp
