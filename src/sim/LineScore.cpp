#include "sim/LineScore.h"

#include "platform/Error.h"
#include "platform/Paths.h"

namespace kivp {

namespace {

constexpr std::size_t kHeaderLine = 1;
constexpr std::size_t kVisitorLine = 2;
constexpr std::size_t kHomeLine = 3;

const std::string& lineAt(const Lines& lines, std::size_t index) {
    if (index >= lines.size())
        throw Error::listIndex(static_cast<long long>(index));
    return lines[index];
}

// runsColumn is 1-based, 0 when the header has no "R".
int runsOn(const std::string& line, std::size_t runsColumn) {
    std::string text;
    if (runsColumn >= 2 && runsColumn - 1 <= line.size())
        text += line[runsColumn - 2] == ' ' ? '0' : line[runsColumn - 2];
    if (runsColumn >= 1 && runsColumn <= line.size())
        text += line[runsColumn - 1];
    const bool twoDigits =
        text.size() == 2 && text[0] >= '0' && text[0] <= '9' && text[1] >= '0' && text[1] <= '9';
    if (!twoDigits)
        throw Error::notAnInteger(text);
    return (text[0] - '0') * 10 + (text[1] - '0');
}

} // namespace

std::optional<LineScore> readLineScore(const Lines& lines) {
    if (lines.empty())
        return std::nullopt;
    const std::string& header = lineAt(lines, kHeaderLine);
    const auto r = header.size() > 1 ? header.find('R', 1) : std::string::npos;
    const std::size_t runsColumn = r == std::string::npos ? 0 : r + 1;
    LineScore score;
    score.visitorRuns = runsOn(lineAt(lines, kVisitorLine), runsColumn);
    score.homeRuns = runsOn(lineAt(lines, kHomeLine), runsColumn);
    return score;
}

std::optional<LineScore> readLineScoreFile(const std::string& path) {
    if (!pathExists(resolveIgnoringCase(path)))
        return std::nullopt;
    return readLineScore(loadLines(path));
}

} // namespace kivp
