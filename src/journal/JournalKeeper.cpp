#include "journal/JournalKeeper.h"

#include "bracket/PlayoffFormats.h"
#include "journal/GameLog.h"
#include "platform/FileWriting.h"
#include "platform/Paths.h"
#include "platform/SideFileReplace.h"
#include "playoff/PlayoffFile.h"

#include <filesystem>

namespace kivp {

namespace {

std::string games(int n) {
    return std::to_string(n) + (n == 1 ? " game" : " games");
}

bool holdsChampion(const Bracket& bracket) {
    const std::string& champion = bracket.champion();
    return !champion.empty() && champion != bracket.placeholder(bracket.championSlot());
}

// The teams not yet out: those of every series not decided, a winner waiting for its next opponent included.
std::vector<std::string> teamsStillIn(const Bracket& bracket) {
    std::vector<std::string> teams;
    for (int series = 1; series <= bracket.seriesCount(); ++series) {
        if (bracket.seriesState(series) == kSeriesDecided)
            continue;
        for (int slot : {Bracket::upperSlot(series), Bracket::lowerSlot(series)}) {
            const std::string& team = bracket.slot(slot);
            if (!team.empty() && team != bracket.placeholder(slot))
                teams.push_back(team);
        }
    }
    return teams;
}

std::string typeAndFormat(const Bracket& bracket) {
    std::string text = bracket.playoffTypeText().empty() ? "A" : bracket.playoffTypeText();
    text += " playoff";
    if (!bracket.formatText().empty())
        text += ", format " + bracket.formatText();
    return text;
}

bool sameFile(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path pa = fs::weakly_canonical(fs::absolute(a, error), error);
    const fs::path pb = fs::weakly_canonical(fs::absolute(b, error), error);
    return pa.parent_path() == pb.parent_path() &&
           equalsIgnoringCase(pa.filename().string(), pb.filename().string());
}

} // namespace

JournalKeeper::JournalKeeper(Bracket& bracket, Prompts& prompts, std::function<std::string()> teamDirectory)
    : m_bracket(bracket), m_prompts(prompts), m_teamDirectory(std::move(teamDirectory)),
      m_clock(localTimestamp) {}

int JournalKeeper::unsavedGames() const {
    return m_journal.size() - std::min(m_journal.size(), m_savedGames);
}

std::string JournalKeeper::autosavePath() const {
    return joinPath(m_programDirectory, kAutosaveFileName);
}

std::string JournalKeeper::previousAutosavePath() const {
    return joinPath(m_programDirectory, kPreviousAutosaveFileName);
}

std::optional<std::string> JournalKeeper::extraText() const {
    PlayoffExtras others;
    for (const auto& writer : m_writers)
        writer(others);
    std::string text;
    if (m_journal.empty() && others.empty())
        return text;
    text.reserve(4096 + 512 * static_cast<std::size_t>(m_journal.size()));
    text.append(kPlayoffExtrasMarker).append("\r\n");
    if (!m_journal.appendLines(text))
        return std::nullopt;
    for (const auto& [key, value] : others.entries()) {
        if (value.find_first_of("\r\n") != std::string::npos)
            return std::nullopt;
        text.append(key).append("=").append(value).append("\r\n");
    }
    return text;
}

Lines JournalKeeper::extraLines() const {
    const auto text = extraText();
    if (!text)
        throw Error(Error::Kind::Other,
                    "The playoff cannot be saved: a team name in its game journal contains a "
                    "line break.");
    return splitLines(*text);
}

// --- games, undo, redo -------------------------------------------------------------------------------------

void JournalKeeper::creditGame(int series, const LineScore& score, Lines lineScore) {
    // Games beyond this point that a saved file holds are no longer this playoff's.
    m_savedGames = std::min(m_savedGames, m_journal.size());
    m_journal.credit(m_bracket, series, score, std::move(lineScore), m_clock());
    autosave();
}

void JournalKeeper::undoGame() {
    if (!m_journal.canUndo())
        return;
    const GameRecord& game = m_journal.latest();
    Message question{"Undo game " + std::to_string(game.game) + " of " + seriesName(m_bracket, game.series) + ", " +
                     game.visitor + " " + std::to_string(game.visitorRuns) + " at " + game.home + " " +
                     std::to_string(game.homeRuns) +
                     "?\n\nThe bracket goes back to where it stood before that game. The simulator's own "
                     "statistics and box-score files keep the game: undo cannot take it out of them."};
    question.icon = Message::Icon::Warning;
    if (!m_prompts.askOkCancel(question))
        return;
    m_journal.undo(m_bracket);
    autosave();
}

void JournalKeeper::redoGame() {
    if (!m_journal.canRedo())
        return;
    m_journal.redo(m_bracket);
    autosave();
}

// --- replacing the playoff
// -----------------------------------------------------------------------------------

bool JournalKeeper::maySetPlayoffAside(const std::string& command) {
    const int unsaved = unsavedGames();
    if (unsaved == 0)
        return true;
    Message question{"The playoff in the window has " + games(unsaved) + " that " +
                     (unsaved == 1 ? "is" : "are") + " in no playoff file you saved. " + command + " sets " +
                     (unsaved == 1 ? "it" : "them") +
                     " aside.\n\nThe playoff as it stands is kept as the previous autosave, " +
                     previousAutosavePath() + ", which Load Playoff can bring back.\n\nSet it aside?"};
    question.icon = Message::Icon::Warning;
    question.cancelByDefault = true;
    return m_prompts.askOkCancel(question);
}

void JournalKeeper::replacingPlayoff() {
    m_journal = Journal{};
    m_savedGames = 0;
    m_playoffFile.clear();
    m_keepAutosaveFirst = true;
    m_resumeLater = false;
}

void JournalKeeper::clear() {
    replacingPlayoff();
}

void JournalKeeper::newPlayoff() {
    replacingPlayoff();
    autosave();
}

// --- files
// ---------------------------------------------------------------------------------------------------

std::optional<std::string> JournalKeeper::savePlayoff(const std::string& statsFileName) {
    const PlayoffSaveTarget target = playoffSaveTarget(m_programDirectory, statsFileName);
    const Lines extra = extraLines();
    if (target.notice)
        m_prompts.say(*target.notice);
    std::error_code error;
    if (std::filesystem::exists(target.path, error) &&
        (m_playoffFile.empty() || !sameFile(target.path, m_playoffFile))) {
        // The name comes from the statistics file, which another playoff may well have used before.
        Message question{
            "Save Playoff saves to " + target.path + ", which already exists and is not this playoff's file" +
            (m_playoffFile.empty() ? std::string(".") : " (this playoff belongs to " + m_playoffFile + ").") +
            "\n\nReplace " + target.path +
            " with the playoff in the window? File > Save Playoff As... saves it under another name."};
        question.icon = Message::Icon::Warning;
        question.cancelByDefault = true;
        if (!m_prompts.askOkCancel(question))
            return std::nullopt;
    }
    savePlayoffFile(target.path, m_bracket, m_teamDirectory(), extra);
    m_savedGames = m_journal.size();
    m_playoffFile = target.path;
    return target.path;
}

std::optional<std::string> JournalKeeper::savePlayoffAs() {
    const auto chosen = m_prompts.chooseFileToSave(kSavePlayoffAsTitle, kPlayoffFileFilter, m_programDirectory);
    if (!chosen)
        return std::nullopt;
    std::string path = *chosen;
    if (std::filesystem::path(path).extension().empty())
        path += kPlayoffFileExtension;
    for (const char* name : {kAutosaveFileName, kAutosaveSideFileName, kPreviousAutosaveFileName}) {
        if (!m_programDirectory.empty() && sameFile(path, joinPath(m_programDirectory, name))) {
            m_prompts.say(path + " is where kivp keeps its autosave, which is rewritten after every game. "
                                 "Please save the playoff under another name.");
            return std::nullopt;
        }
    }
    savePlayoffFile(path, m_bracket, m_teamDirectory(), extraLines());
    m_savedGames = m_journal.size();
    m_playoffFile = path;
    return path;
}

LoadedPlayoff JournalKeeper::putOnBracket(const PlayoffFile& file, const Lines& lines,
                                          const std::string& path) {
    LoadedPlayoff loaded{file.teamDirectory, PlayoffExtras::fromFileLines(lines), path};
    Journal journal;
    std::string problem;
    try {
        journal = Journal::readFrom(loaded.extras, file);
    } catch (const JournalUnreadable& error) {
        problem = error.what();
    }
    replacingPlayoff();
    file.applyTo(m_bracket);
    m_journal = std::move(journal);
    if (!problem.empty())
        m_prompts.say(
            "The game journal saved with the playoff in " + path + " was left out: " + problem +
            ".\n\nThe playoff itself is loaded as its 39 lines have it; its game log starts empty.");
    return loaded;
}

std::optional<LoadedPlayoff> JournalKeeper::loadPlayoff() {
    const auto path = m_prompts.chooseFileToOpen(kLoadPlayoffTitle, kLoadPlayoffFilter);
    if (!path)
        return std::nullopt;
    const Lines lines = loadLines(*path);
    const PlayoffFile file = PlayoffFile::fromLines(lines);
    if (!maySetPlayoffAside("Load Playoff"))
        return std::nullopt;
    LoadedPlayoff loaded = putOnBracket(file, lines, *path);
    m_savedGames = m_journal.size(); // the file the user chose holds them
    m_playoffFile = *path;
    return loaded;
}

std::optional<std::string> JournalKeeper::latestAutosave() const {
    if (m_programDirectory.empty())
        return std::nullopt;
    // Without an autosave, kivp may have stopped as its very first one was taking its name from the side
    // file.
    for (const char* name : {kAutosaveFileName, kAutosaveSideFileName}) {
        const std::string path = joinPath(m_programDirectory, name);
        if (isRegularFile(path))
            return path;
    }
    return std::nullopt;
}

std::optional<LoadedPlayoff> JournalKeeper::offerResume() {
    const auto path = latestAutosave();
    if (!path)
        return std::nullopt;
    const auto lines = tryLoadLines(*path);
    if (!lines)
        return std::nullopt;
    PlayoffFile file;
    try {
        file = PlayoffFile::fromLines(*lines);
    } catch (const Error&) {
        return std::nullopt; // nothing kivp can resume
    }
    Bracket saved;
    file.applyTo(saved);
    const int played = gamesPlayed(saved);
    if (played == 0 || holdsChampion(saved))
        return std::nullopt;

    std::string alive;
    for (const auto& team : teamsStillIn(saved))
        alive += (alive.empty() ? "" : ", ") + team;
    Message question{"kivp was in the middle of a playoff when it last stopped:\n\n" + typeAndFormat(saved) +
                     ", " + games(played) + " played\nStill in it: " + alive +
                     "\n\nResume it? No starts afresh and keeps it among kivp's autosave files (" + *path +
                     "), from which Load Playoff can bring it back. Cancel leaves it as it is, to be offered "
                     "again at the next start."};
    question.icon = Message::Icon::Information;
    const auto answer = m_prompts.askYesNo(question);
    if (!answer)
        m_resumeLater = true;
    if (!answer.value_or(false))
        return std::nullopt;
    LoadedPlayoff loaded = putOnBracket(file, *lines, *path);
    m_keepAutosaveFirst = false; // the autosave is this playoff
    return loaded;
}

bool JournalKeeper::writeAutosave() {
    const std::string path = autosavePath();
    if (m_keepAutosaveFirst) {
        // The playoff the autosave holds is set aside: kept as the previous autosave when it had games.
        if (const auto latest = latestAutosave()) {
            const auto bytes = readFile(*latest);
            if (!bytes)
                return false;
            Bracket saved;
            bool hadGames = false;
            try {
                PlayoffFile::fromLines(splitLines(*bytes)).applyTo(saved);
                hadGames = gamesPlayed(saved) > 0;
            } catch (const Error&) {
                hadGames = false; // not a playoff: nothing worth keeping
            }
            if (hadGames && !replaceFile(previousAutosavePath(), *bytes))
                return false;
        }
        m_keepAutosaveFirst = false;
    }
    const Lines lines = PlayoffFile::of(m_bracket, m_teamDirectory()).toLines();
    for (const auto& line : lines) {
        if (line.find_first_of("\r\n") != std::string::npos)
            return false; // a name with a line break would shift every later line
    }
    const auto extra = extraText();
    if (!extra)
        return false;
    return replaceFileBySide(path, joinPath(m_programDirectory, kAutosaveSideFileName),
                             joinLines(lines) + *extra);
}

void JournalKeeper::autosave() {
    if (m_programDirectory.empty() || m_resumeLater || writeAutosave() || m_autosaveFailureReported)
        return;
    m_autosaveFailureReported = true;
    m_prompts.showMessage(
        Message{"kivp could not write its autosave file " + autosavePath() +
                    ".\n\nPlay goes on, but the playoff is not kept as it is played: use File > "
                    "Save Playoff As... to keep it. kivp says this once until it is started "
                    "again.",
                kProgramTitle, Message::Icon::Warning});
}

} // namespace kivp
