#pragma once
// The tree of a playoff type: its rounds of series, and where each series' two teams come from (a team of the
// field entering there, or the winner of an earlier series). Every playoff type is one such tree; the bracket
// (Bracket) holds the names, win counts and states on it.
//
// Each half (league) is drawn up by the usual ranking rule: its places in the first round are filled in the
// order 1, 8, 4, 5, 2, 7, 3, 6 (for eight places), so the top-ranked team meets the lowest-ranked one left and
// the two top teams can meet only in the half's last round. A half with fewer teams than places gives its top
// teams a bye: they enter one round later, so every later round is full. Two halves meet in the championship.
//
// Numbering, the same for every tree: series 1, 2, ... round by round, the left half before the right one, top
// to bottom, the championship last. Series s plays its upper slot 2s - 1 against its lower slot 2s, and the
// champion's slot is the last one. The eight-team tree thus numbers exactly as the main window always has.

#include "bracket/PlayoffFormats.h"

#include <memory>
#include <vector>

namespace kivp {

// Where the team of a slot comes from: a team of the field (half and rank), or the winner of an earlier series.
struct SlotFeed {
    int half = 0;       // 0 (left, or the only half) or 1 (right)
    int rank = 0;       // 1 for the half's top-ranked team; 0 when a winner moves here
    int fromSeries = 0; // the series whose winner moves here; 0 when a team of the field enters here
    bool operator==(const SlotFeed&) const = default;
};

struct SeriesPlace {
    int round = 0;        // 0 for the tree's first round
    int half = 0;         // the half it belongs to; the championship of two halves: -1
    int indexInHalf = 0;  // 1, 2, ... top to bottom within its round and half
    // Its place among the places of its round in its half, 0 at the top, counting the places byes leave empty:
    // a round has half as many places as the one before it.
    int position = 0;
    int winnerSlot = 0;   // the slot its winner moves to: the champion's slot after the last series
    int nextSeries = 0;   // the series its winner plays next; 0 after the last one
};

// A team of the field and the slot it enters the bracket at.
struct TeamEntry {
    int slot = 0;
    int half = 0;
    int rank = 0;
};

class BracketTree {
public:
    // The tree of a playoff type's field; made once and shared by every bracket of that field.
    static const BracketTree& of(const TreeOfType& tree);

    int halves() const { return m_halves; }
    int teamsInHalf(int half) const { return m_teams[static_cast<std::size_t>(half)]; }
    int rounds() const { return m_rounds; }
    // The rounds of a half (the championship of two halves is one more), and the first round's places in each.
    int halfRounds() const { return m_halves == 2 ? m_rounds - 1 : m_rounds; }
    int firstRoundPlaces() const { return m_places; }
    int seriesCount() const { return static_cast<int>(m_series.size()) - 1; }
    int teamSlotCount() const { return 2 * seriesCount(); }
    int slotCount() const { return teamSlotCount() + 1; }
    int championSlot() const { return slotCount(); }

    const SeriesPlace& series(int series) const; // 1 to seriesCount()
    const SlotFeed& feed(int slot) const;        // team slots 1 to teamSlotCount()
    // The series of one round, top to bottom, the left half first.
    std::vector<int> seriesOfRound(int round) const;

    // The teams of the field and where they enter when the field starts in entryRound (the classic types start
    // the eight-team tree in a later round), in slot order.
    std::vector<TeamEntry> teamEntries(int entryRound) const;

    bool operator==(const BracketTree& other) const { return this == &other; }

private:
    BracketTree(int halves, std::array<int, 2> teams);

    int m_halves = 2;
    std::array<int, 2> m_teams{};
    int m_rounds = 0;
    int m_places = 1; // first-round places of each half
    std::vector<SeriesPlace> m_series; // [1..]
    std::vector<SlotFeed> m_feeds;     // [1..teamSlotCount()]
};

} // namespace kivp
