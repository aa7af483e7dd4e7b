#include "report/BracketLayout.h"

namespace kivp::layout {

namespace {

constexpr int kRowHeight = 14;
constexpr int kWinCountWidth = 14;
constexpr int kButtonSize = 12;

// The left half's team slots; the right half mirrors them.
struct Place {
    int x, y, width;
};
Place leftPlace(int slot) {
    switch (slot) {
    case 1: return {18, 20, 76};
    case 2: return {18, 38, 76};
    case 3: return {18, 76, 76};
    case 4: return {18, 94, 76};
    case 9: return {132, 29, 70};
    case 10: return {132, 85, 70};
    case 13: return {226, 57, 66};
    default: return {0, 0, 0};
    }
}

// The left-half slot a right-half slot mirrors, or 0.
int mirrorOf(int slot) {
    switch (slot) {
    case 5: case 6: case 7: case 8: return slot - 4;
    case 11: case 12: return slot - 2;
    case 14: return 13;
    default: return 0;
    }
}

Box mirrored(const Box& b) { return {kBracketWidth - b.x - b.width, b.y, b.width, b.height}; }

// A box placed beside a left-half slot, mirrored for the right half.
template <typename Place> Box placed(int slot, Place place) {
    const bool right = onRightHalf(slot);
    const Box box = place(leftPlace(right ? mirrorOf(slot) : slot));
    return right ? mirrored(box) : box;
}

// The champion's box sits under the finalists, its caption under it, so the line down from the final meets it.
constexpr Box kChampionBox = {254, 80, 109, 18};

} // namespace

bool onRightHalf(int slot) { return mirrorOf(slot) != 0; }

Box nameBox(int slot) {
    if (slot == kChampionSlot)
        return kChampionBox;
    return placed(slot, [](Place p) { return Box{p.x, p.y, p.width, kRowHeight}; });
}

Box winCountBox(int slot) {
    return placed(slot, [](Place p) { return Box{p.x + p.width, p.y, kWinCountWidth, kRowHeight}; });
}

Box homeButtonBox(int slot) {
    return placed(slot, [](Place p) { return Box{p.x - kButtonSize - 2, p.y + 1, kButtonSize, kButtonSize}; });
}

const std::vector<Heading>& headings() {
    static const std::vector<Heading> all = {
        {4, "Round 1", {4, 2, 104, 14}},
        {6, "Semi Finals", {118, 2, 98, 14}},
        {8, "Championship", {228, 2, 161, 14}},
        {7, "Semi Finals", mirrored({118, 2, 98, 14})},
        {5, "Round 1", mirrored({4, 2, 104, 14})},
        {33, "Champion", {kChampionBox.x, kChampionBox.y + kChampionBox.height + 2, kChampionBox.width, 14}},
    };
    return all;
}

std::vector<Segment> joiningLines(const Bracket& bracket) {
    std::vector<Segment> lines;
    for (int series = 1; series <= 6; ++series) {
        const int upper = Bracket::upperSlot(series);
        if (!bracket.slotShown(upper))
            continue;
        // From both teams' win counts to a joint, then on to the home button beside the winner's slot.
        const bool right = onRightHalf(upper);
        const Box a = winCountBox(upper), b = winCountBox(Bracket::lowerSlot(series));
        const Box t = homeButtonBox(bracket.winnerSlot(series));
        const int fromX = right ? a.x - 2 : a.right() + 2;
        int toX = right ? t.right() + 2 : t.x - 2;
        int joinX = (fromX + toX) / 2;
        // A finalist's home button sits level with the semi-final's win counts: the join goes just past them and
        // on into the finalist's name, under the button, instead of doubling back.
        if (right ? toX >= fromX : toX <= fromX) {
            const Box name = nameBox(bracket.winnerSlot(series));
            joinX = right ? fromX - 3 : fromX + 3;
            toX = right ? name.right() + 1 : name.x - 1;
        }
        const int ya = a.centreY(), yb = b.centreY(), yt = t.centreY();
        lines.push_back({fromX, ya, joinX, ya});
        lines.push_back({fromX, yb, joinX, yb});
        lines.push_back({joinX, ya, joinX, yb});
        lines.push_back({joinX, yt, toX, yt});
    }
    // The two finalists meet between their win counts, and the line goes down to the top of the champion's box.
    const Box left = winCountBox(13), right = winCountBox(14), box = nameBox(kChampionSlot);
    const int y = left.centreY();
    lines.push_back({left.right() + 2, y, right.x - 2, y});
    lines.push_back({box.centreX(), y, box.centreX(), box.y});
    return lines;
}

} // namespace kivp::layout
