#pragma once
// A playoff saved to disk (".kvp") and loaded back: the playoff type and format, every team slot, the
// champion, every win count, the team folder and the state of each series, one value per line in a fixed
// order of 39 lines. Lines are plain texts exactly as the bracket shows them, and files saved on Windows
// (CR LF line ends, "C:\..." team folders) load as they are.
//
// Loading checks the whole file before it touches the bracket: a file that cannot be used changes nothing at
// all. When a file has several faults, the one reported is the first faulty line in this order: line 1, line
// 2, lines 33 to 39, then the win counts, lines 18 to 31. Lines 1, 2 and 33 to 39 are faulty when missing or
// not a whole number ("'%s' is not a valid integer value", a missing line giving the empty text), and lines 1
// and 2 also when the number is outside the playoff types or outside that type's formats ("List index out of
// bounds (%d)"). A win count is faulty only when it is a whole number no series can reach (below 0 or above 4
// wins), with a message naming its line; any other win count, and every other line, is a text taken as it
// is. Lines after the 39th are ignored.
//
// A playoff of a later type ("2012-2021", "2020", "2022-", "Custom") does not fit in 39 lines; it is written in
// kivp's own form, whose first line no 39-line reader takes for a playoff type, so an older kivp refuses it:
//
//     kivp playoff 1                   the form's version; a later one is refused with a message
//     type=2022-
//     custom=10 2                      a "Custom" type only: its teams and halves
//     format=3-5-7-7
//     teamDirectory=C:\KIV\Teams
//     slot=ASHVALE                     one line per slot, the champion's last
//     winCount=0                       one line per team slot
//     rank=1                           one line per team slot: the team's rank in its half, 0 when none
//     states=0 0 0 0 -1 ...            one number per series
//     buttons=3100...                  one digit per home button from SpeedButton2: down + 2 x shown
//
// Every line is checked before the bracket is touched, as for the 39 lines; kivp's block of extra lines
// ("[kivp]", the journal, ...) follows.

#include "bracket/Bracket.h"
#include "platform/Prompts.h"
#include "platform/TextFile.h"

#include <array>
#include <vector>
#include <optional>
#include <string>

namespace kivp {

inline constexpr int kPlayoffFileLineCount = 39;
inline constexpr const char* kOwnPlayoffFormHeader = "kivp playoff";
inline constexpr int kOwnPlayoffFormVersion = 1;
inline constexpr const char* kDefaultPlayoffFileName = "playoff1.kvp";
inline constexpr const char* kPlayoffFileExtension = ".kvp";
// Shown before a playoff with no statistics file name is saved under kDefaultPlayoffFileName.
inline constexpr const char* kNoPlayoffFileNameMessage =
    "There is no file name set up for this playoff.  \n\n"
    "Without a filename in the stat file box in the options screen,\n"
    "KIV Playoffs will save this file under the name playoff1.kvp";
inline constexpr const char* kLoadPlayoffTitle = "Load KIV Playoff Setup";
inline constexpr const char* kPlayoffFileFilter = "KIV Playoff File|*.kvp";

// The contents of one playoff file, checked, as values.
struct PlayoffFile {
    int playoffType = 0;
    CustomBracket custom; // the field of a "Custom" type
    int formatIndex = 0;
    std::vector<std::string> slots;     // slot n at [n - 1]; the champion last
    std::vector<std::string> winCounts; // win count of slot n at [n - 1]
    std::string teamDirectory;
    std::vector<int> seriesStates; // series n at [n - 1]
    // kivp's own form only (empty for the 39 lines): each team slot's rank, and the home buttons from
    // SpeedButton2 on.
    std::vector<int> ranks;
    std::vector<HomeButton> buttons;

    // Whether the playoff is of a type the 39 lines hold.
    bool fitsClassicLines() const { return isClassicType(playoffType); }
    // The line of a whole file's lines where kivp's block of extra lines may begin: after the 39, or after the
    // lines of kivp's own form.
    static std::size_t extrasStart(const Lines& fileLines);

    bool operator==(const PlayoffFile&) const = default;

    // What the bracket shows now, with the team folder shown beside it.
    static PlayoffFile of(const Bracket& bracket, std::string teamDirectory);

    // The 39 lines in file order, or the lines of kivp's own form for a later type.
    Lines toLines() const;

    // Reads and checks lines as the file header explains. Throws Error::notAnInteger, Error::listIndex, or an
    // Error naming the line of a win count no series can reach; for kivp's own form an Error of its own.
    static PlayoffFile fromLines(const Lines& lines);

    // Puts the playoff on the bracket: its type's tree, the type selected with its layout, the format list of
    // that type with the stored format selected, every text and state. From the 39 lines each series' home
    // buttons are shown exactly when the series is set up and undecided, and their down states stay; kivp's
    // own form restores every button and rank. The home/away-changed warning stays as it was, and the wins
    // needed as they were when the tree is the same. Never throws.
    void applyTo(Bracket& bracket) const;
};

// Where Save Playoff writes: the program folder, the statistics file name and ".kvp". With no statistics file
// name it is "playoff1.kvp" in the program folder, and notice holds the message to show before saving.
struct PlayoffSaveTarget {
    std::string path;
    std::optional<std::string> notice;
};
PlayoffSaveTarget playoffSaveTarget(const std::string& programDirectory, const std::string& statsFileName);

// Writes the bracket's playoff file, replacing any file of that name. A text holding a line break (a team or
// folder name made outside kivp can) would shift every later line, so such a playoff is refused with a
// message and nothing is written. Throws Error::cannotCreate(path) when the file cannot be written; an
// earlier file stays exactly as it was. following: lines written after the 39 (see PlayoffExtras).
void savePlayoffFile(const std::string& path, const Bracket& bracket, const std::string& teamDirectory,
                     const Lines& following = {});

// Reads and checks a playoff file. Throws Error::cannotOpen(path) and the errors of PlayoffFile::fromLines.
PlayoffFile readPlayoffFile(const std::string& path);

// Reads, checks and applies a playoff file; returns its team folder, which the caller shows and lists teams
// from. On any error the bracket is untouched.
std::string loadPlayoffFile(const std::string& path, Bracket& bracket);

// --- the main window's Save Playoff and Load Playoff commands ----------------------------------------------

// Shows the missing-name notice when there is one, then saves. Returns the path written.
std::string savePlayoff(const Bracket& bracket, const std::string& teamDirectory,
                        const std::string& programDirectory, const std::string& statsFileName,
                        Prompts& prompts, const Lines& following = {});

// Asks for a file with the Load Playoff dialog and loads it. Nothing when the user cancels (nothing changes);
// otherwise the loaded team folder.
std::optional<std::string> loadPlayoff(Bracket& bracket, Prompts& prompts);

} // namespace kivp
