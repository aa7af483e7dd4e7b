#pragma once
// Keeps the playoff in the main window from being lost: the journal of its games with undo and redo, the
// playoff files that carry the journal after their 39 lines, the questions asked before a command sets a
// playoff with unsaved games aside, and the autosave.
//
// The autosave is written into the program folder after every credited game, undo and redo, "Done", Reset
// Form and load, under a name Save Playoff cannot produce (it saves only names ending in ".kvp"). When a
// playoff that had games is replaced, or on the first write of a run (the file then holds an earlier run's
// playoff), the autosave there is first kept as the previous autosave, so a playoff set aside can be loaded
// back. A failure to write is reported once in a run and never stops play. At start, an autosave holding an
// unfinished playoff is offered for resuming; put off ("not now"), it stays as it is, unwritten, until
// another playoff is set up or loaded, and is offered again at the next start.
//
// It also knows the playoff's own file: the one it was loaded from or last saved to.

#include "bracket/Bracket.h"
#include "journal/Journal.h"
#include "platform/Prompts.h"
#include "playoff/PlayoffExtras.h"
#include "sim/LineScore.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kivp {

inline constexpr const char* kAutosaveFileName = "kivp-autosave.kvpauto";
inline constexpr const char* kAutosaveSideFileName = "kivp-autosave.kvpauto.new";
inline constexpr const char* kPreviousAutosaveFileName = "kivp-autosave-previous.kvpauto";
inline constexpr const char* kSavePlayoffAsTitle = "Save KIV Playoff Setup As";
// Load Playoff offers the autosaves too, so a playoff set aside can be brought back.
inline constexpr const char* kLoadPlayoffFilter = "KIV Playoff File|*.kvp|Autosaved playoff|*.kvpauto";

// A playoff put on the bracket from a file: the team folder to show and list, and the file's extra lines for
// any other part that keeps lines there.
struct LoadedPlayoff {
    std::string teamDirectory;
    PlayoffExtras extras;
    std::string path; // the file it came from
};

class JournalKeeper {
public:
    // teamDirectory: the team folder the window shows, which playoff files record.
    JournalKeeper(Bracket& bracket, Prompts& prompts, std::function<std::string()> teamDirectory);

    void setProgramDirectory(const std::string& folder) { m_programDirectory = folder; }
    // What "when it was played" records; the local time unless a test says otherwise.
    void setClock(std::function<std::string()> clock) { m_clock = std::move(clock); }
    // Another part's lines for the block after the 39, written after the journal's into every file.
    void addExtrasWriter(std::function<void(PlayoffExtras&)> writer) {
        m_writers.push_back(std::move(writer));
    }

    const Journal& journal() const { return m_journal; }
    // Games of the journal that are in no playoff file the user saved or loaded.
    int unsavedGames() const;
    // The file the playoff in the window was loaded from or last saved to; empty for a playoff set up here
    // (or resumed) and not saved since.
    const std::string& playoffFile() const { return m_playoffFile; }
    std::string autosavePath() const;
    std::string previousAutosavePath() const;

    // A game was played and its line score read: credits it on the bracket, records it and autosaves. Throws
    // what crediting throws, recording nothing.
    void creditGame(int series, const LineScore& score, Lines lineScore);

    bool canUndo() const { return m_journal.canUndo(); }
    bool canRedo() const { return m_journal.canRedo(); }
    // Asks first, saying that the simulator's own files keep the game.
    void undoGame();
    void redoGame();

    // Before Reset Form, "Done" or Load Playoff (named by command) set the playoff aside: true when it has no
    // unsaved games, or the user answers OK.
    bool maySetPlayoffAside(const std::string& command);
    // The window starts with a fresh bracket: an empty journal, nothing written.
    void clear();
    // "Done" or Reset Form has put a new playoff on the bracket: an empty journal, autosaved.
    void newPlayoff();

    // File > Save Playoff, under the statistics file's name in the program folder. A file of that name that
    // is not this playoff's own is replaced only when the user answers OK. Returns the file written; nothing
    // when none was.
    std::optional<std::string> savePlayoff(const std::string& statsFileName);
    // File > Save Playoff As...: a name and folder the user chooses (".kvp" added to a name without an
    // extension); an autosave's own name is refused. Returns the file written; nothing when none was.
    std::optional<std::string> savePlayoffAs();
    // File > Load Playoff: the file chosen and checked, the question asked, the playoff and its journal put
    // on the bracket. A journal that cannot be read or does not agree is left out with one message. Nothing
    // when the user cancels. The caller shows the team folder and then autosaves.
    std::optional<LoadedPlayoff> loadPlayoff();
    // At start: when the autosave holds a playoff with games played and no champion, asks whether to resume
    // it and, on Yes, loads it as Load Playoff would. The caller shows the team folder and then autosaves. No
    // starts afresh; Cancel puts the question off to the next start.
    std::optional<LoadedPlayoff> offerResume();

    // Writes the playoff in the window with its journal to the autosave.
    void autosave();

    // The lines every playoff file of this playoff carries after its 39. Throws Error when a value holds a
    // line break.
    Lines extraLines() const;

private:
    LoadedPlayoff putOnBracket(const PlayoffFile& file, const Lines& lines, const std::string& path);
    // The playoff in the window is about to be replaced by another one.
    void replacingPlayoff();
    std::optional<std::string> latestAutosave() const;
    // extraLines() as a file holds them, each ended by CR LF; nothing when a value holds a line break.
    std::optional<std::string> extraText() const;
    bool writeAutosave();

    Bracket& m_bracket;
    Prompts& m_prompts;
    std::function<std::string()> m_teamDirectory;
    std::function<std::string()> m_clock;
    std::vector<std::function<void(PlayoffExtras&)>> m_writers;
    std::string m_programDirectory;
    Journal m_journal;
    int m_savedGames = 0;            // the journal's first games, as far as they are in a user's file
    std::string m_playoffFile;
    bool m_keepAutosaveFirst = true; // the autosave on disk holds another playoff than this one
    bool m_resumeLater = false;      // the autosave's playoff was put off, so nothing is written over it
    bool m_autosaveFailureReported = false;
};

} // namespace kivp
