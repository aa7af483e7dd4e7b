#pragma once
// The journal of a playoff: every game credited since the playoff was set up (or loaded), in the order
// played, each with the bracket as it stood just before it. It is the playoff's history; the bracket stays
// its state. Undo puts the bracket back to the state before the latest game and sets the game aside for redo;
// redo puts back the state undo left, so no game is played twice. A new game clears what undo set aside.
//
// In a playoff file the journal is a run of "journal" lines after the 39 (see PlayoffExtras):
//
//     journal=1                         the form of the lines below; another number is not read
//     journal.slot=ASHVALE              15 lines: the slots before the first game, the champion last
//     journal.winCount=0                14 lines: the win counts before the first game
//     journal.states=0 0 0 0 -1 -1 -1   the series states before the first game
//   then for each game, oldest first:
//     journal.game=1 3 2025-03-14T09:26:53+01:00    series, game of the series, when it was played
//     journal.visitor=ASHVALE
//     journal.home=DUNMERE
//     journal.runs=3 5                              visitor's runs, home team's runs
//     journal.before=0 0 18 0 3 4 4 33331111000000  playoff type, type of the format list, format, type
//                    of the layout shown, wins needed in the three rounds, and the home buttons 2 to 15 as
//                    down + 2 x shown, all as they were before the game
//     journal.line=...                              each line of the line score as the simulator wrote it
//
// Reading replays the games from the first one's bracket: each must be a game of an open series between the
// teams recorded, and together they must lead to the slots, win counts and series states of the 39 lines.

#include "bracket/Bracket.h"
#include "platform/TextFile.h"
#include "playoff/PlayoffExtras.h"
#include "sim/LineScore.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace kivp {

// Not included: its field "slots" meets a Qt keyword in the windows that include this header.
struct PlayoffFile;

// One credited game.
struct GameRecord {
    int series = 0;
    int game = 0; // within its series: the games both teams had won before it, plus one
    std::string visitor;
    std::string home;
    int visitorRuns = 0;
    int homeRuns = 0;
    Lines lineScore;      // every line of the simulator's line score, as read
    std::string playedAt; // local time, "2025-03-14T09:26:53+01:00"
    bool operator==(const GameRecord&) const = default;
};

// Why a journal in a file was left out; what() completes "The game journal was left out: ...".
class JournalUnreadable : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Journal {
public:
    struct Entry {
        GameRecord game;
        Bracket before; // the bracket just before the game
        bool operator==(const Entry&) const = default;
    };

    const std::vector<Entry>& entries() const { return m_entries; }
    bool empty() const { return m_entries.empty(); }
    int size() const { return static_cast<int>(m_entries.size()); }

    // Credits one game of a series on the bracket and records it. Throws what Bracket::creditGame throws,
    // recording nothing and changing nothing.
    const GameRecord& credit(Bracket& bracket, int series, const LineScore& score, Lines lineScore,
                             std::string playedAt);

    bool canUndo() const { return !m_entries.empty(); }
    bool canRedo() const { return !m_undone.empty(); }
    // The game undo would take back, and the one redo would put back.
    const GameRecord& latest() const { return m_entries.back().game; }
    const GameRecord& nextRedo() const { return m_undone.back().entry.game; }
    // The bracket takes the state it had before the latest game. A home button whose down state changes is
    // treated like a click on it: the home/away-changed warning goes up. Otherwise the warning stays.
    void undo(Bracket& bracket);
    void redo(Bracket& bracket);

    // The journal's lines for a playoff file; none for an empty journal.
    void writeTo(PlayoffExtras& extras) const;
    // The same lines as a file holds them, each ended by CR LF, appended to text: the autosave, rewritten
    // after every game, keeps each game's lines from when it was played. False when a value holds a line
    // break, which would shift every later line.
    bool appendLines(std::string& text) const;
    // The journal held by a file's extra lines (empty when there is none), checked against the file's 39
    // lines. Throws JournalUnreadable when it cannot be read or does not agree with them.
    static Journal readFrom(const PlayoffExtras& extras, const PlayoffFile& file);

private:
    struct GameText {
        std::string text;
        bool lineBreak = false;
    };
    struct Undone {
        Entry entry;
        GameText text;
        Bracket after; // the bracket as undo found it
    };
    static GameText textOf(const Entry& entry);

    std::vector<Entry> m_entries;
    std::vector<GameText> m_texts; // each entry's lines
    std::vector<Undone> m_undone;
};

// The bracket put back as a saved one: every value from target, the warning kept, and raised when a home
// button's down state changes.
void restoreBracket(Bracket& bracket, const Bracket& target);

// The games a bracket shows as played: each game adds one win to one team slot, and a team that moves on
// starts again at "0", so the win counts add up to them (a count that is not a number counts nothing).
int gamesPlayed(const Bracket& bracket);

// The local time now, as the journal records it.
std::string localTimestamp();

} // namespace kivp
