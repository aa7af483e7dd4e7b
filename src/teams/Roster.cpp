#include "teams/Roster.h"

#include "platform/Paths.h"

namespace kivp {

namespace {

// A name padded to its field: a character is kept unless it and the next one are both spaces, and the last
// two positions are kept unless they are spaces, so "ab cd   " gives "ab cd" and "abcdef x" gives "abcdefx".
std::string nameOfField(std::string_view field) {
    std::string name;
    const std::size_t length = field.size();
    for (std::size_t i = 0; i < length; ++i) {
        const bool lastTwo = i + 2 >= length;
        const bool blank = lastTwo ? field[i] == ' ' : field[i] == ' ' && field[i + 1] == ' ';
        if (!blank)
            name += field[i];
    }
    return name;
}

} // namespace

Roster readRoster(const std::string& teamDirectory, const std::string& teamName, bool detailedMessages,
                  Prompts& prompts) {
    const std::string fileName = teamName + ".dat";
    const Lines lines = loadLines(joinPath(teamDirectory, fileName));
    const TeamSheet sheet = readTeamSheet(lines, fileName);
    if (detailedMessages) {
        for (const auto& problem : sheet.problems)
            prompts.say(problem);
    }
    Roster roster;
    for (const auto& pitcher : sheet.pitchers) {
        if (pitcher.starter)
            roster.pitchers.push_back(pitcher.row());
    }
    for (const auto& batter : sheet.lineup)
        roster.lineup.push_back(batter.row());
    return roster;
}

SeriesTeamNames teamsOfSeriesText(const std::string& seriesText, const Bracket& bracket) {
    constexpr std::size_t kNameField = 8;
    constexpr std::size_t kSecondName = 13; // after "NAME     vs. "
    const std::string_view text = seriesText;
    SeriesTeamNames names;
    names.home = nameOfField(text.substr(0, kNameField));
    if (text.size() > kSecondName)
        names.visitor = nameOfField(text.substr(kSecondName));

    // The entry names the upper team first; it is the visitor when its series' upper home button is up.
    for (int series = 1; series <= bracket.seriesCount(); ++series) {
        const HomeButton& upperButton = bracket.speedButton(Bracket::upperButton(series));
        const bool inSeries = names.home == bracket.slot(Bracket::upperSlot(series)) ||
                              names.home == bracket.slot(Bracket::lowerSlot(series));
        if (upperButton.shown && inSeries && !upperButton.down)
            std::swap(names.home, names.visitor);
    }
    return names;
}

} // namespace kivp
