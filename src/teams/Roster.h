#pragma once
// A team's starting pitchers and starting lineup, read from its team file for the options window's pitcher
// tables and lineup quick views; and the two team names behind an entry of the options window's series list.

#include "bracket/Bracket.h"
#include "platform/Prompts.h"
#include "teams/TeamFile.h"

#include <string>
#include <vector>

namespace kivp {

struct Roster {
    std::vector<PitcherRow> pitchers; // starters only
    std::vector<std::string> lineup;  // fixed-width rows for the quick view
};

// Reads the team file teamDirectory/teamName.dat. Lines that do not fit the layout are skipped; when
// detailedMessages is on, each is reported through prompts. Throws Error::cannotOpen when the file cannot be
// read.
Roster readRoster(const std::string& teamDirectory, const std::string& teamName, bool detailedMessages,
                  Prompts& prompts);

struct SeriesTeamNames {
    std::string home;
    std::string visitor;
    bool operator==(const SeriesTeamNames&) const = default;
};

// The home and visiting team of a series-list entry ("Cubs     vs. Tigers  "), the first name taken as home
// unless the bracket shows that series' upper team is not the one marked at home.
SeriesTeamNames teamsOfSeriesText(const std::string& seriesText, const Bracket& bracket);

} // namespace kivp
