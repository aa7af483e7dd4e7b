// TEMPORARY STAND-IN, to be deleted when the roster reader lands in src/teams: it only lets test_options
// link. The options tests compare the window's lists with what readRoster itself returns for the same files,
// so they hold with the real reader too. It reads just enough of a team file for that: starters (games
// started above 0) between the pitcher heading and the bench heading, and the lineup lines.

#include "platform/IntegerText.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "teams/Roster.h"

namespace kivp {

namespace {

std::string columns(const std::string& line, std::size_t first, std::size_t last) {
    std::string text;
    for (std::size_t i = first - 1; i < last && i < line.size(); ++i) {
        if (line[i] != ' ')
            text += line[i];
    }
    return text;
}

bool startsWith(const std::string& line, std::string_view prefix) {
    return line.rfind(prefix, 0) == 0;
}

} // namespace

Roster readRoster(const std::string& teamDirectory, const std::string& teamName, bool, Prompts&) {
    const auto lines = loadLines(joinPath(teamDirectory, teamName + ".dat"));
    Roster roster;
    for (std::size_t i = 1; i <= 9 && i < lines.size() && !startsWith(lines[i], "*Pit"); ++i) {
        if (lines[i].size() > 35)
            roster.lineup.push_back(lines[i].substr(9, 17));
    }
    int ordinal = 1;
    for (std::size_t i = 11; i < lines.size(); ++i, ++ordinal) {
        if (startsWith(lines[i], "*Bench") || startsWith(lines[i], "* Benc"))
            break;
        if (lines[i].size() >= 78 && parseInteger(columns(lines[i], 77, 78)).value_or(0) > 0)
            roster.pitchers.push_back(PitcherRow{std::to_string(ordinal), columns(lines[i], 10, 26), "", "",
                                                 "", "", columns(lines[i], 77, 78)});
    }
    return roster;
}

SeriesTeamNames teamsOfSeriesText(const std::string& seriesText, const Bracket& bracket) {
    const auto trimmed = [](std::string name) {
        while (!name.empty() && name.back() == ' ')
            name.pop_back();
        return name;
    };
    SeriesTeamNames names{trimmed(seriesText.substr(0, 8)),
                          seriesText.size() > 13 ? trimmed(seriesText.substr(13)) : ""};
    for (int series = 1; series <= kSeriesCount; ++series) {
        const auto& upper = bracket.speedButton(Bracket::upperButton(series));
        const bool inSeries = names.home == bracket.slot(Bracket::upperSlot(series)) ||
                              names.home == bracket.slot(Bracket::lowerSlot(series));
        if (upper.shown && inSeries && !upper.down)
            std::swap(names.home, names.visitor);
    }
    return names;
}

} // namespace kivp
