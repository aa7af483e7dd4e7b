#pragma once
// Where each part of the bracket sits: the team slots, their win counts and home buttons, the round headings, the
// champion's box and the lines that join each series to the slot its winner moves to, in the main window's
// pixels (the bracket area is 617 by 129). The window, the printed bracket and the exported report all draw from
// these places, so the three show one bracket.

#include "bracket/Bracket.h"

#include <string>
#include <vector>

namespace kivp::layout {

inline constexpr int kBracketWidth = 617;
inline constexpr int kBracketHeight = 129;

// A rectangle with the window toolkit's integer rules: right() and bottom() are the last pixel inside.
struct Box {
    int x = 0, y = 0, width = 0, height = 0;
    int right() const { return x + width - 1; }
    int bottom() const { return y + height - 1; }
    int centreX() const { return (2 * x + width - 1) / 2; }
    int centreY() const { return (2 * y + height - 1) / 2; }
    bool operator==(const Box&) const = default;
};

struct Segment {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool operator==(const Segment&) const = default;
};

struct Heading {
    int label = 0; // Label4 .. Label8, Label33
    const char* text = "";
    Box box;
};

// Slots of the right half are drawn right-aligned, mirroring the left half.
bool onRightHalf(int slot);

Box nameBox(int slot);     // slots 1 to 15; the champion's is its framed box
Box winCountBox(int slot); // team slots 1 to 14
Box homeButtonBox(int slot);
// The six headings: "Round 1" and "Semi Finals" for each half, "Championship", and "Champion" under its box.
const std::vector<Heading>& headings();

// The lines the bracket shows for its playoff type: each series shown joined to its winner's slot, the two
// finalists joined, and the championship joined down to the champion's box.
std::vector<Segment> joiningLines(const Bracket& bracket);

} // namespace kivp::layout
