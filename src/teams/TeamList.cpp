#include "teams/TeamList.h"

#include "platform/Error.h"
#include "platform/InputFile.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <optional>

namespace kivp {

namespace {

constexpr std::size_t kTeamNameLength = 8;
constexpr std::size_t kShortestTitle = 27;

const char* const kRenameAdvice =
    "Errors of this type are resolved by renaming the file extension\n or removing it from the directory";
const char* const kTitleAdvice = "This error could be caused by an improper title\n line in the .dat file.";

// A name that could not be written to a playoff file one value per line, or shown in a picker.
bool hasControlCharacter(std::string_view name) {
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            return true;
    }
    return false;
}

// The file's first line (up to CR or LF), without reading the rest of the file: a team folder can hold
// thousands of files. A file with no lines has an empty first line; nothing when the file cannot be read.
std::optional<std::string> readFirstLine(const std::string& path) {
    InputFile file(path);
    if (!file.isOpen())
        return std::nullopt;
    std::string line;
    char buffer[512];
    bool failed = false;
    for (;;) {
        const long long n = file.read(buffer, sizeof buffer);
        if (n < 0) {
            failed = true;
            break;
        }
        if (n == 0)
            break;
        const std::string_view chunk(buffer, static_cast<std::size_t>(n));
        const auto end = chunk.find_first_of("\r\n");
        line.append(chunk.substr(0, end));
        if (end != std::string_view::npos)
            break;
    }
    if (failed)
        return std::nullopt;
    if (std::string_view(line).starts_with(kUtf8ByteOrderMark))
        line.erase(0, kUtf8ByteOrderMark.size());
    return line;
}

// Checks the title line the way the team pickers always have: a "*" team needs 27 characters. Returns the
// message for a line that falls short, or nothing; sets isTeam when the file is a team file.
std::optional<std::string> decodeTitleLine(const std::string& path, const std::string& fileName,
                                           bool& isTeam) {
    isTeam = false;
    const auto line = readFirstLine(path);
    const std::string title = line.value_or(std::string());
    const std::string marker = title.size() >= 2 ? title.substr(0, 1) : std::string();
    const std::string head = "Error decoding team:\nFile name:  " + fileName + "\n";
    if (marker.empty())
        return head + "--No data in line--\n\n" + kRenameAdvice;

    // The text gathered before the line ran out: characters 2 and 10 each followed by a space, then 11 on.
    std::string decoded = title.substr(1, 1) + " ";
    std::size_t position = 10;
    if (title.size() >= 10) {
        decoded += title.substr(9, 1) + " ";
        for (position = 11; position <= kShortestTitle && position <= title.size(); ++position)
            decoded += title[position - 1];
    }
    if (position <= kShortestTitle) {
        return head + "in line 1, position " + std::to_string(position - 1) + " --" + decoded + "--\n\n" +
               (marker == "*" ? kTitleAdvice : kRenameAdvice);
    }
    isTeam = marker == "*";
    return std::nullopt;
}

// The first eight characters of the name without ".dat", counted as characters, not bytes, so that a UTF-8
// name is never cut inside a character (a byte that is not UTF-8 counts as one character).
std::string teamNameOf(const std::string& fileName) {
    const std::string_view stem = std::string_view(fileName).substr(0, fileName.size() - 4);
    std::size_t end = 0;
    for (std::size_t characters = 0; end < stem.size() && characters < kTeamNameLength; ++characters) {
        ++end;
        while (end < stem.size() && (static_cast<unsigned char>(stem[end]) & 0xC0) == 0x80 &&
               (static_cast<unsigned char>(stem[end - 1]) & 0x80) != 0)
            ++end;
    }
    return std::string(stem.substr(0, end));
}

} // namespace

std::vector<std::string> listTeams(const std::string& teamDirectory, Prompts& prompts) {
    std::vector<std::string> teams;
    if (teamDirectory.empty())
        return teams;
    for (const auto& fileName : listTeamFiles(teamDirectory)) {
        if (hasControlCharacter(fileName))
            continue;
        bool isTeam = false;
        if (auto message = decodeTitleLine(joinPath(teamDirectory, fileName), fileName, isTeam)) {
            prompts.say(*message);
            continue;
        }
        if (!isTeam)
            continue;
        std::string team = teamNameOf(fileName);
        // The simulator's command line is split at spaces: a name ending in one cannot reach it intact.
        if (team.ends_with(' ')) {
            prompts.say("The team file " + fileName + " cannot be played: its team name \"" + team +
                        "\" ends in a space, which the simulator's command line cannot carry.\n"
                        "Rename the file without the space to play this team.");
            continue;
        }
        teams.push_back(std::move(team));
    }
    return teams;
}

std::optional<std::string> teamFolderProblem(const std::string& folder) {
    const std::string refused = "The folder " + visibleText(folder) + " cannot be the team folder: ";
    if (folder.find_first_of("\r\n") != std::string::npos)
        return refused + "its name contains a line break, which kivp.ini cannot keep.";
    std::string withEnd = folder;
    withEnd += kPathSeparator;
    if (withEnd.find(std::string(" ") + kPathSeparator) != std::string::npos)
        return refused + "a folder name in it ends in a space, which the simulator's command line cannot carry.";
    return std::nullopt;
}

} // namespace kivp
