#include "playoff/PlayoffFile.h"

#include "bracket/PlayoffFormats.h"
#include "platform/Error.h"
#include "platform/IntegerText.h"
#include "platform/Paths.h"
#include "playoff/PlayoffExtras.h"

#include <algorithm>
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
    if (file.playoffType == kCustomType)
        file.custom = bracket.customBracket();
    file.formatIndex = bracket.formatIndex();
    for (int slot = 1; slot <= bracket.slotCount(); ++slot)
        file.slots.push_back(bracket.slot(slot));
    for (int slot = 1; slot <= bracket.teamSlotCount(); ++slot)
        file.winCounts.push_back(bracket.winCount(slot));
    file.teamDirectory = std::move(teamDirectory);
    for (int series = 1; series <= bracket.seriesCount(); ++series)
        file.seriesStates.push_back(bracket.seriesState(series));
    if (!file.fitsClassicLines()) {
        for (int slot = 1; slot <= bracket.teamSlotCount(); ++slot)
            file.ranks.push_back(bracket.rankInSlot(slot));
        for (int button = kFirstHomeButton; button <= bracket.lastHomeButton(); ++button)
            file.buttons.push_back(bracket.speedButton(button));
    }
    return file;
}

namespace {

std::vector<std::string> splitWords(const std::string& text) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < text.size()) {
        const auto start = text.find_first_not_of(' ', at);
        if (start == std::string::npos)
            break;
        const auto end = text.find(' ', start);
        words.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        at = end == std::string::npos ? text.size() : end;
    }
    return words;
}

std::string joined(const std::vector<int>& numbers) {
    std::string text;
    for (int n : numbers)
        text += (text.empty() ? "" : " ") + std::to_string(n);
    return text;
}

Lines ownFormLines(const PlayoffFile& file) {
    Lines lines;
    lines.push_back(std::string(kOwnPlayoffFormHeader) + " " + std::to_string(kOwnPlayoffFormVersion));
    lines.push_back("type=" + playoffTypeItems()[static_cast<std::size_t>(file.playoffType)]);
    if (file.playoffType == kCustomType)
        lines.push_back("custom=" + std::to_string(file.custom.teams) + " " + std::to_string(file.custom.halves));
    const auto& formats = formatItemsFor(file.playoffType, file.custom);
    const bool formatKnown = file.formatIndex >= 0 && file.formatIndex < static_cast<int>(formats.size());
    lines.push_back("format=" + (formatKnown ? formats[static_cast<std::size_t>(file.formatIndex)] : ""));
    lines.push_back("teamDirectory=" + file.teamDirectory);
    for (const auto& slot : file.slots)
        lines.push_back("slot=" + slot);
    for (const auto& count : file.winCounts)
        lines.push_back("winCount=" + count);
    for (int rank : file.ranks)
        lines.push_back("rank=" + std::to_string(rank));
    lines.push_back("states=" + joined(file.seriesStates));
    std::string buttons;
    for (const HomeButton& button : file.buttons)
        buttons += static_cast<char>('0' + (button.down ? 1 : 0) + (button.shown ? 2 : 0));
    lines.push_back("buttons=" + buttons);
    return lines;
}

bool isOwnForm(std::string_view firstLine) {
    if (firstLine.starts_with(kUtf8ByteOrderMark))
        firstLine.remove_prefix(kUtf8ByteOrderMark.size());
    return firstLine.starts_with(kOwnPlayoffFormHeader);
}

Error unreadable(const std::string& why) {
    return Error(Error::Kind::Other, "This playoff file cannot be loaded: " + why + ".");
}

// The most wins a series of any format can reach: a best of 9.
constexpr int kMostWinsOfOwnForm = 5;

PlayoffFile ownFormFromLines(const Lines& lines) {
    std::string_view header = lines.front();
    if (header.starts_with(kUtf8ByteOrderMark))
        header.remove_prefix(kUtf8ByteOrderMark.size());
    const auto version = parseInteger(header.substr(std::string_view(kOwnPlayoffFormHeader).size()));
    if (!version || *version < 1)
        throw unreadable("its first line does not say which form it is in");
    if (*version > kOwnPlayoffFormVersion)
        throw unreadable("it was written by a later kivp, in form " + std::to_string(*version) +
                         " (this kivp reads form " + std::to_string(kOwnPlayoffFormVersion) + ")");

    PlayoffFile file;
    std::optional<std::string> type, custom, format, teamDirectory, states, buttons;
    std::vector<std::string> ranks;
    for (std::size_t i = 1; i < lines.size() && lines[i] != kPlayoffExtrasMarker; ++i) {
        const std::string& line = lines[i];
        const auto equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string key = line.substr(0, equals), value = line.substr(equals + 1);
        if (key == "type")
            type = value;
        else if (key == "custom")
            custom = value;
        else if (key == "format")
            format = value;
        else if (key == "teamDirectory")
            teamDirectory = value;
        else if (key == "slot")
            file.slots.push_back(value);
        else if (key == "winCount")
            file.winCounts.push_back(value);
        else if (key == "rank")
            ranks.push_back(value);
        else if (key == "states")
            states = value;
        else if (key == "buttons")
            buttons = value;
    }

    const auto& types = playoffTypeItems();
    const auto typeAt = std::find(types.begin(), types.end(), type.value_or(""));
    if (typeAt == types.end())
        throw unreadable("it names no playoff type kivp knows (\"" + type.value_or("") + "\")");
    file.playoffType = static_cast<int>(typeAt - types.begin());
    if (file.playoffType == kCustomType) {
        int teams = 0, halves = 0;
        const auto words = splitWords(custom.value_or(""));
        if (words.size() == 2) {
            teams = parseInteger(words[0]).value_or(0);
            halves = parseInteger(words[1]).value_or(0);
        }
        if (teams < kCustomFewestTeams || teams > kCustomMostTeams || halves < 1 || halves > 2)
            throw unreadable("its custom bracket is not 2 to 16 teams in one or two halves");
        file.custom = {teams, halves};
    }
    const auto& formats = formatItemsFor(file.playoffType, file.custom);
    const auto formatAt = std::find(formats.begin(), formats.end(), format.value_or(""));
    if (formatAt == formats.end())
        throw unreadable("its format \"" + format.value_or("") + "\" is not one of its playoff type's");
    file.formatIndex = static_cast<int>(formatAt - formats.begin());
    if (!teamDirectory)
        throw unreadable("it names no team directory");
    file.teamDirectory = *teamDirectory;

    const BracketTree& tree = BracketTree::of(playoffTypeInfo(file.playoffType, file.custom).tree);
    const auto teamSlots = static_cast<std::size_t>(tree.teamSlotCount());
    if (file.slots.size() != static_cast<std::size_t>(tree.slotCount()) || file.winCounts.size() != teamSlots ||
        ranks.size() != teamSlots)
        throw unreadable("its bracket does not have the slots of a " + types[static_cast<std::size_t>(
                                                                           file.playoffType)] + " playoff");
    for (const auto& count : file.winCounts) {
        const auto wins = parseInteger(count);
        if (!count.empty() && (!wins || *wins < 0 || *wins > kMostWinsOfOwnForm))
            throw unreadable("it holds the win count \"" + count + "\", which no series can reach");
    }
    for (const auto& rank : ranks) {
        const auto value = parseInteger(rank);
        if (!value || *value < 0 || *value > kCustomMostTeams)
            throw unreadable("it holds the rank \"" + rank + "\", which no team can have");
        file.ranks.push_back(*value);
    }
    const auto stateWords = splitWords(states.value_or(""));
    if (stateWords.size() != static_cast<std::size_t>(tree.seriesCount()))
        throw unreadable("its series states do not match its bracket");
    for (const auto& word : stateWords) {
        const auto state = parseInteger(word);
        if (!state || *state < kSeriesNotSetUp || *state > kSeriesDecided)
            throw unreadable("it holds the series state \"" + word + "\"");
        file.seriesStates.push_back(*state);
    }
    const std::string digits = buttons.value_or("");
    if (digits.size() != teamSlots || digits.find_first_not_of("0123") != std::string::npos)
        throw unreadable("its home buttons do not match its bracket");
    for (const char c : digits)
        file.buttons.push_back(HomeButton{((c - '0') & 1) != 0, ((c - '0') & 2) != 0});
    return file;
}

} // namespace

std::size_t PlayoffFile::extrasStart(const Lines& fileLines) {
    if (fileLines.empty() || !isOwnForm(fileLines.front()))
        return static_cast<std::size_t>(kPlayoffFileLineCount);
    const auto marker = std::find(fileLines.begin() + 1, fileLines.end(), kPlayoffExtrasMarker);
    return static_cast<std::size_t>(marker - fileLines.begin());
}

Lines PlayoffFile::toLines() const {
    if (!fitsClassicLines())
        return ownFormLines(*this);
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
    if (!lines.empty() && isOwnForm(lines.front()))
        return ownFormFromLines(lines);
    PlayoffFile file;

    // Notepad and friends may put a byte-order mark in front of a file edited by hand.
    std::string_view typeLine = lineOf(lines, kTypeLine);
    if (typeLine.starts_with(kUtf8ByteOrderMark))
        typeLine.remove_prefix(kUtf8ByteOrderMark.size());

    // The numbers first, in file order, then the win counts: the order the fault reported is chosen in.
    file.playoffType = indexInList(typeLine, kClassicTypeCount);
    file.formatIndex =
        indexInList(lineOf(lines, kFormatLine), static_cast<int>(formatItemsFor(file.playoffType).size()));
    for (int series = 1; series <= kSeriesCount; ++series)
        file.seriesStates.push_back(toInteger(lineOf(lines, kFirstStateLine + series - 1)));

    for (int slot = 1; slot <= kSlotCount; ++slot)
        file.slots.emplace_back(lineOf(lines, kFirstSlotLine + slot - 1));
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
        file.winCounts.emplace_back(count);
    }
    file.teamDirectory = lineOf(lines, kTeamDirectoryLine);
    return file;
}

void PlayoffFile::applyTo(Bracket& bracket) const {
    bracket.useTreeOf(playoffType, custom);
    bracket.selectPlayoffType(playoffType);
    bracket.showLayoutOf(playoffType);
    bracket.showFormatList(playoffType, formatIndex);
    for (int slot = 1; slot <= bracket.slotCount(); ++slot)
        bracket.setSlot(slot, slots[at(slot)]);
    for (int slot = 1; slot <= bracket.teamSlotCount(); ++slot)
        bracket.setWinCount(slot, winCounts[at(slot)]);
    for (int series = 1; series <= bracket.seriesCount(); ++series) {
        const int state = seriesStates[at(series)];
        bracket.setSeriesState(series, state);
        bracket.setSeriesButtonsShown(series, state == kSeriesOpen);
    }
    if (fitsClassicLines())
        return;
    for (int slot = 1; slot <= bracket.teamSlotCount(); ++slot)
        bracket.setRankInSlot(slot, ranks[at(slot)]);
    for (int button = kFirstHomeButton; button <= bracket.lastHomeButton(); ++button)
        bracket.speedButton(button) = buttons[static_cast<std::size_t>(button - kFirstHomeButton)];
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
