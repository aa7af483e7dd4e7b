#include "playoff/PlayoffFile.h"

#include "bracket/PlayoffFormats.h"
#include "platform/Error.h"
#include "platform/IntegerText.h"
#include "platform/Paths.h"

#include <string_view>

namespace kivp {

namespace {

// Line numbers (1-based) of the file's fields.
constexpr int kTypeLine = 1;
constexpr int kFormatLine = 2;
constexpr int kFirstSlotLine = 3;      // slots 1 to 15: lines 3 to 17
constexpr int kFirstWinCountLine = 18; // win counts of slots 1 to 14: lines 18 to 31
constexpr int kTeamDirectoryLine = 32;
constexpr int kFirstStateLine = 33; // series 1 to 7: lines 33 to 39

// The longest series of any format is a best of 7.
constexpr int kMostWinsOfAnySeries = 4;

std::size_t at(int number) {
    return static_cast<std::size_t>(number - 1);
}

// A line missing at the end of a short file reads as the empty text.
std::string_view lineOf(const Lines& lines, int number) {
    return at(number) < lines.size() ? std::string_view(lines[at(number)]) : std::string_view();
}

int indexInList(std::string_view text, int listSize) {
    const int value = toInteger(text);
    if (value < 0 || value >= listSize)
        throw Error::listIndex(value);
    return value;
}

bool holdsLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

} // namespace

PlayoffFile PlayoffFile::of(const Bracket& bracket, std::string teamDirectory) {
    PlayoffFile file;
    file.playoffType = bracket.playoffTypeIndex();
    file.formatIndex = bracket.formatIndex();
    for (int slot = 1; slot <= kSlotCount; ++slot)
        file.slots[at(slot)] = bracket.slot(slot);
    for (int slot = 1; slot <= kTeamSlotCount; ++slot)
        file.winCounts[at(slot)] = bracket.winCount(slot);
    file.teamDirectory = std::move(teamDirectory);
    for (int series = 1; series <= kSeriesCount; ++series)
        file.seriesStates[at(series)] = bracket.seriesState(series);
    return file;
}

Lines PlayoffFile::toLines() const {
    Lines lines;
    lines.reserve(kPlayoffFileLineCount);
    lines.push_back(std::to_string(playoffType));
    lines.push_back(std::to_string(formatIndex));
    lines.insert(lines.end(), slots.begin(), slots.end());
    lines.insert(lines.end(), winCounts.begin(), winCounts.end());
    lines.push_back(teamDirectory);
    for (int state : seriesStates)
        lines.push_back(std::to_string(state));
    return lines;
}

PlayoffFile PlayoffFile::fromLines(const Lines& lines) {
    PlayoffFile file;

    // Notepad and friends may put a byte-order mark in front of a file edited by hand.
    std::string_view typeLine = lineOf(lines, kTypeLine);
    if (typeLine.starts_with(kUtf8ByteOrderMark))
        typeLine.remove_prefix(kUtf8ByteOrderMark.size());

    // The numbers first, in file order, then the win counts: the order the fault reported is chosen in.
    file.playoffType = indexInList(typeLine, kPlayoffTypeCount);
    file.formatIndex =
        indexInList(lineOf(lines, kFormatLine), static_cast<int>(formatItemsFor(file.playoffType).size()));
    for (int series = 1; series <= kSeriesCount; ++series)
        file.seriesStates[at(series)] = toInteger(lineOf(lines, kFirstStateLine + series - 1));

    for (int slot = 1; slot <= kSlotCount; ++slot)
        file.slots[at(slot)] = lineOf(lines, kFirstSlotLine + slot - 1);
    for (int slot = 1; slot <= kTeamSlotCount; ++slot) {
        const std::string_view count = lineOf(lines, kFirstWinCountLine + slot - 1);
        // Text that is not a number loads as it always has; a number no series can reach is refused, so that
        // nothing downstream ever counts beyond it.
        const auto wins = parseInteger(count);
        if (wins && (*wins < 0 || *wins > kMostWinsOfAnySeries))
            throw Error(Error::Kind::Other, "Line " + std::to_string(kFirstWinCountLine + slot - 1) +
                                                " of the playoff file holds the win count " + std::string(count) +
                                                ", which no series can reach (a series ends at " +
                                                std::to_string(kMostWinsOfAnySeries) + " wins).");
        file.winCounts[at(slot)] = count;
    }
    file.teamDirectory = lineOf(lines, kTeamDirectoryLine);
    return file;
}

void PlayoffFile::applyTo(Bracket& bracket) const {
    bracket.selectPlayoffType(playoffType);
    bracket.showLayoutOf(playoffType);
    bracket.showFormatList(playoffType, formatIndex);
    for (int slot = 1; slot <= kSlotCount; ++slot)
        bracket.setSlot(slot, slots[at(slot)]);
    for (int slot = 1; slot <= kTeamSlotCount; ++slot)
        bracket.setWinCount(slot, winCounts[at(slot)]);
    for (int series = 1; series <= kSeriesCount; ++series) {
        const int state = seriesStates[at(series)];
        bracket.setSeriesState(series, state);
        bracket.setSeriesButtonsShown(series, state == kSeriesOpen);
    }
}

PlayoffSaveTarget playoffSaveTarget(const std::string& programDirectory, const std::string& statsFileName) {
    if (statsFileName.empty())
        return {joinPath(programDirectory, kDefaultPlayoffFileName), std::string(kNoPlayoffFileNameMessage)};
    return {joinPath(programDirectory, statsFileName + kPlayoffFileExtension), std::nullopt};
}

void savePlayoffFile(const std::string& path, const Bracket& bracket, const std::string& teamDirectory,
                     const Lines& following) {
    Lines lines = PlayoffFile::of(bracket, teamDirectory).toLines();
    lines.insert(lines.end(), following.begin(), following.end());
    for (const auto& line : lines) {
        if (holdsLineBreak(line))
            throw Error(Error::Kind::Other, "The playoff cannot be saved to " + path +
                                                ": a team name or the team directory contains a line break.");
    }
    saveLines(path, lines);
}

PlayoffFile readPlayoffFile(const std::string& path) {
    return PlayoffFile::fromLines(loadLines(path));
}

std::string loadPlayoffFile(const std::string& path, Bracket& bracket) {
    const PlayoffFile file = readPlayoffFile(path);
    file.applyTo(bracket);
    return file.teamDirectory;
}

std::string savePlayoff(const Bracket& bracket, const std::string& teamDirectory,
                        const std::string& programDirectory, const std::string& statsFileName,
                        Prompts& prompts, const Lines& following) {
    const PlayoffSaveTarget target = playoffSaveTarget(programDirectory, statsFileName);
    if (target.notice)
        prompts.say(*target.notice);
    savePlayoffFile(target.path, bracket, teamDirectory, following);
    return target.path;
}

std::optional<std::string> loadPlayoff(Bracket& bracket, Prompts& prompts) {
    const auto path = prompts.chooseFileToOpen(kLoadPlayoffTitle, kPlayoffFileFilter);
    if (!path)
        return std::nullopt;
    return loadPlayoffFile(*path, bracket);
}

} // namespace kivp
