#pragma once
// Where each part of a bracket sits: the team slots, their win counts and home buttons, the round headings, the
// champion's box, the marks of byes and the lines that join each series to the slot its winner moves to. The
// places are in design pixels of the bracket's own size (617 by 129 for the eight-team tree, exactly the main
// window's places of old); the window, the printed bracket and the exported report draw from these places,
// scaled to the room they have, so the three show one bracket.
//
// Rounds are columns. Two halves go from the outside in and meet in the championship in the middle, the right
// half mirrored; a bracket of one half goes from left to right with the champion's box after its final. Each
// series sits level with the middle of the two places that feed it, counting the places that byes leave
// empty, so every tree keeps the shape of a bracket.

#include "bracket/Bracket.h"

#include <string>
#include <vector>

namespace kivp::layout {

// The eight-team tree's bracket area.
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
    int label = 0;    // the eight-team tree's Label4 .. Label8 and Label33; 0 on other trees
    std::string text; // "Round 1", "Wild Card", ..., "Champion"
    Box box;
    int round = -1;   // the round it names; -1 for "Champion", under the champion's box
};

// Where a team with a bye would have played the round it skips.
struct ByeMark {
    int slot = 0; // the slot the team enters at
    Box box;
};

class BracketLayout {
public:
    explicit BracketLayout(const Bracket& bracket);

    int width() const { return m_width; }
    int height() const { return m_height; }

    // Slots of the right half are drawn right-aligned, mirroring the left half.
    bool onRightHalf(int slot) const;
    Box nameBox(int slot) const; // the champion's is its framed box
    Box winCountBox(int slot) const;
    Box homeButtonBox(int slot) const;
    // A heading for each round of each half in play and for the championship, and "Champion" under its box.
    const std::vector<Heading>& headings() const { return m_headings; }
    bool headingShown(const Heading& heading) const;
    // The byes of the field that enters the bracket, for the rounds shown.
    const std::vector<ByeMark>& byes() const { return m_byes; }

    // The lines the bracket shows for its playoff type: each series shown joined to its winner's slot, the two
    // finalists joined, and the championship joined to the champion's box.
    std::vector<Segment> joiningLines() const;

private:
    const Bracket& m_bracket;
    int m_width = kBracketWidth;
    int m_height = kBracketHeight;
    std::vector<Box> m_names; // [1..slotCount()]
    std::vector<Heading> m_headings;
    std::vector<ByeMark> m_byes;
};

} // namespace kivp::layout
