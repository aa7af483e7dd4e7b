#include "report/BracketLayout.h"

#include <algorithm>

namespace kivp::layout {

namespace {

constexpr int kRowHeight = 14;
constexpr int kWinCountWidth = 14;
constexpr int kButtonSize = 12;
// Larger trees: the eight-team tree's first column, rows and pitches, a column for every round.
constexpr int kTop = 20;
constexpr int kPairGap = 18;     // from a series' upper slot to its lower one in the first round
constexpr int kSeriesPitch = 56; // from one first-round series to the next
constexpr int kLeft = 18;
constexpr int kColumnPitch = 114;
constexpr int kNameWidth = 76;
constexpr int kChampionWidth = 109;
constexpr int kChampionHeight = 18;

// The eight-team tree's left half, as the main window has always placed it; the right half mirrors it.
struct Place {
    int x, y, width;
};
Place classicPlace(int slot) {
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

// The left-half slot a right-half slot of the eight-team tree mirrors, or 0.
int classicMirrorOf(int slot) {
    switch (slot) {
    case 5: case 6: case 7: case 8: return slot - 4;
    case 11: case 12: return slot - 2;
    case 14: return 13;
    default: return 0;
    }
}

constexpr Box kClassicChampionBox = {254, 80, 109, 18};

Box mirrored(const Box& b, int width) { return {width - b.x - b.width, b.y, b.width, b.height}; }

} // namespace

BracketLayout::BracketLayout(const Bracket& bracket) : m_bracket(bracket) {
    const BracketTree& tree = bracket.tree();
    m_names.assign(static_cast<std::size_t>(bracket.slotCount() + 1), Box{});
    auto& champion = m_names[static_cast<std::size_t>(bracket.championSlot())];

    if (bracket.typeInfo().classic) {
        for (int slot = 1; slot <= bracket.teamSlotCount(); ++slot) {
            const int mirror = classicMirrorOf(slot);
            const Place p = classicPlace(mirror ? mirror : slot);
            const Box box{p.x, p.y, p.width, kRowHeight};
            m_names[static_cast<std::size_t>(slot)] = mirror ? mirrored(box, m_width) : box;
        }
        champion = kClassicChampionBox;
        const Box round1{4, 2, 104, 14}, semis{118, 2, 98, 14};
        m_headings = {{4, "Round 1", round1, 0},
                      {6, "Semi Finals", semis, 1},
                      {8, "Championship", {228, 2, 161, 14}, 2},
                      {7, "Semi Finals", mirrored(semis, m_width), 1},
                      {5, "Round 1", mirrored(round1, m_width), 0},
                      {33, "Champion", {champion.x, champion.y + champion.height + 2, champion.width, 14}, -1}};
        return;
    }

    // Every series' slots, from the places of its round: the first round's places are evenly spaced, each later
    // one sits level with the middle of the two places that feed it.
    const int halfRounds = tree.halfRounds();
    const int firstPlaces = std::max(1, tree.firstRoundPlaces() / 2);
    std::vector<std::vector<int>> middle(static_cast<std::size_t>(std::max(halfRounds, 1)));
    for (int round = 0; round < halfRounds; ++round) {
        const int places = std::max(1, firstPlaces >> round);
        for (int place = 0; place < places; ++place) {
            int upper, lower;
            if (round == 0) {
                upper = kTop + place * kSeriesPitch;
                lower = upper + kPairGap;
            } else {
                upper = middle[static_cast<std::size_t>(round - 1)][static_cast<std::size_t>(2 * place)];
                lower = middle[static_cast<std::size_t>(round - 1)][static_cast<std::size_t>(2 * place + 1)];
            }
            middle[static_cast<std::size_t>(round)].push_back((upper + lower) / 2);
        }
    }
    auto columnX = [](int column) { return kLeft + column * kColumnPitch; };
    const bool twoHalves = tree.halves() == 2;
    const int finalX = columnX(halfRounds);
    m_width = twoHalves ? 2 * (finalX + kNameWidth + kWinCountWidth) + 5
                        : columnX(halfRounds) - 4 + kChampionWidth + 10;
    int bottom = kTop + (firstPlaces - 1) * kSeriesPitch + kPairGap + kRowHeight;

    for (int series = 1; series <= tree.seriesCount(); ++series) {
        const SeriesPlace& place = tree.series(series);
        for (int slot : {Bracket::upperSlot(series), Bracket::lowerSlot(series)}) {
            Box box{0, 0, kNameWidth, kRowHeight};
            const bool upper = slot == Bracket::upperSlot(series);
            if (place.half < 0) { // the championship of two halves, between the halves' last places
                box.x = finalX;
                box.y = halfRounds > 0 ? middle[static_cast<std::size_t>(halfRounds - 1)][0] : kTop + 20;
            } else {
                box.x = columnX(place.round);
                if (place.round == 0)
                    box.y = kTop + place.position * kSeriesPitch + (upper ? 0 : kPairGap);
                else
                    box.y = middle[static_cast<std::size_t>(place.round - 1)]
                                  [static_cast<std::size_t>(2 * place.position + (upper ? 0 : 1))];
            }
            m_names[static_cast<std::size_t>(slot)] = bracket.onRightHalf(slot) ? mirrored(box, m_width) : box;
        }
    }

    const Box lastSlot = m_names[static_cast<std::size_t>(Bracket::upperSlot(tree.seriesCount()))];
    if (twoHalves) {
        champion = {(m_width - kChampionWidth) / 2, lastSlot.y + 23, kChampionWidth, kChampionHeight};
    } else {
        const int centre = (lastSlot.y + m_names[static_cast<std::size_t>(Bracket::lowerSlot(tree.seriesCount()))].y) / 2;
        champion = {columnX(halfRounds) - 4, centre - 2, kChampionWidth, kChampionHeight};
    }
    const Box caption{champion.x, champion.y + champion.height + 2, champion.width, 14};
    bottom = std::max(bottom, caption.bottom() + 1);
    m_height = bottom + 6;

    for (int round = 0; round < halfRounds; ++round) {
        const Box box{columnX(round) - 14, 2, kNameWidth + 28, 14};
        const std::string name = bracket.roundName(round);
        m_headings.push_back({0, name, box, round});
        if (twoHalves)
            m_headings.push_back({0, name, mirrored(box, m_width), round});
    }
    if (twoHalves)
        m_headings.push_back({0, "Championship", {finalX - 2, 2, m_width - 2 * (finalX - 2), 14}, tree.rounds() - 1});
    m_headings.push_back({0, "Champion", caption, -1});

    // A team entering after the first round shown skipped a round: its bye stands one column out, level with it.
    for (const TeamEntry& entry : tree.teamEntries(bracket.entryRound())) {
        const int round = bracket.roundOf((entry.slot + 1) / 2);
        if (round <= bracket.entryRound() || tree.series((entry.slot + 1) / 2).half < 0)
            continue;
        const Box name = m_names[static_cast<std::size_t>(entry.slot)];
        const Box box{columnX(round - 1), name.y, kNameWidth, kRowHeight};
        m_byes.push_back({entry.slot, bracket.onRightHalf(entry.slot) ? mirrored(box, m_width) : box});
    }
}

bool BracketLayout::onRightHalf(int slot) const { return m_bracket.onRightHalf(slot); }

Box BracketLayout::nameBox(int slot) const { return m_names.at(static_cast<std::size_t>(slot)); }

Box BracketLayout::winCountBox(int slot) const {
    const Box name = nameBox(slot);
    const Box box{name.x + name.width, name.y, kWinCountWidth, kRowHeight};
    return onRightHalf(slot) ? Box{name.x - kWinCountWidth, name.y, kWinCountWidth, kRowHeight} : box;
}

Box BracketLayout::homeButtonBox(int slot) const {
    const Box name = nameBox(slot);
    if (onRightHalf(slot))
        return {name.right() + 3, name.y + 1, kButtonSize, kButtonSize};
    return {name.x - kButtonSize - 2, name.y + 1, kButtonSize, kButtonSize};
}

bool BracketLayout::headingShown(const Heading& heading) const {
    if (heading.label != 0)
        return m_bracket.headingShown(heading.label);
    return heading.round < 0 || m_bracket.roundShown(heading.round);
}

std::vector<Segment> BracketLayout::joiningLines() const {
    std::vector<Segment> lines;
    const int last = m_bracket.seriesCount();
    for (int series = 1; series < last; ++series) {
        const int upper = Bracket::upperSlot(series);
        if (!m_bracket.slotShown(upper))
            continue;
        // From both teams' win counts to a joint, then on to the home button beside the winner's slot.
        const bool right = onRightHalf(upper);
        const Box a = winCountBox(upper), b = winCountBox(Bracket::lowerSlot(series));
        const Box t = homeButtonBox(m_bracket.winnerSlot(series));
        const int fromX = right ? a.x - 2 : a.right() + 2;
        int toX = right ? t.right() + 2 : t.x - 2;
        int joinX = (fromX + toX) / 2;
        // A finalist's home button sits level with the semi-final's win counts: the join goes just past them and
        // on into the finalist's name, under the button, instead of doubling back.
        if (right ? toX >= fromX : toX <= fromX) {
            const Box name = nameBox(m_bracket.winnerSlot(series));
            joinX = right ? fromX - 3 : fromX + 3;
            toX = right ? name.right() + 1 : name.x - 1;
        }
        const int ya = a.centreY(), yb = b.centreY(), yt = t.centreY();
        lines.push_back({fromX, ya, joinX, ya});
        lines.push_back({fromX, yb, joinX, yb});
        lines.push_back({joinX, ya, joinX, yb});
        lines.push_back({joinX, yt, toX, yt});
    }
    const Box upper = winCountBox(Bracket::upperSlot(last)), lower = winCountBox(Bracket::lowerSlot(last));
    const Box box = nameBox(m_bracket.championSlot());
    if (m_bracket.tree().halves() == 2) {
        // The two finalists meet between their win counts, and the line goes down to the top of the box.
        const int y = upper.centreY();
        lines.push_back({upper.right() + 2, y, lower.x - 2, y});
        lines.push_back({box.centreX(), y, box.centreX(), box.y});
    } else {
        // The final of one half joins its two teams and goes on to the champion's box beside it.
        const int fromX = upper.right() + 2, joinX = (fromX + box.x) / 2;
        lines.push_back({fromX, upper.centreY(), joinX, upper.centreY()});
        lines.push_back({fromX, lower.centreY(), joinX, lower.centreY()});
        lines.push_back({joinX, upper.centreY(), joinX, lower.centreY()});
        lines.push_back({joinX, box.centreY(), box.x - 1, box.centreY()});
    }
    return lines;
}

} // namespace kivp::layout
