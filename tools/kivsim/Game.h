#pragma once
// The stand-in simulator's ball game: nine innings (more when tied) played plate appearance by plate
// appearance, with each batter's chances taken from his batting average and the pitcher's earned run average,
// and the line score that kivp reads afterwards.

#include "platform/TextFile.h"
#include "teams/TeamFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kivsim {

struct Batter {
    std::string name;
    double average = 0.250;
    double homeRunShare = 0.10; // of his hits
};

struct Team {
    std::string name;
    std::vector<Batter> lineup;
    std::string starterName;
    double starterEra = 4.50;
    double bullpenEra = 4.00;
};

// A team as its file describes it. pitcherOrdinal picks the starter by his place in the pitcher section
// (relievers counted); without one, or when no pitcher has it, the first starter of the file starts.
Team teamFromSheet(const std::string& name, const kivp::TeamSheet& sheet, std::optional<int> pitcherOrdinal);

// A small random source defined here, not by a library, so that a game played from one starting value comes
// out the same everywhere.
class Dice {
public:
    explicit Dice(std::uint64_t start);
    double roll(); // uniform in [0, 1)

private:
    std::uint64_t m_state;
};

struct GameResult {
    std::vector<int> visitorInnings;
    std::vector<int> homeInnings; // one fewer than the visitor's when the home team did not need to bat last
    int visitorRuns = 0, homeRuns = 0;
    int visitorHits = 0, homeHits = 0;
    int visitorErrors = 0, homeErrors = 0; // errors made in the field by each team
};

GameResult playGame(const Team& visitor, const Team& home, Dice& dice);

// Line 1 a title, line 2 the header with "R" over the runs column, line 3 the visitor, line 4 the home team.
kivp::Lines lineScoreLines(const Team& visitor, const Team& home, const GameResult& result);

// One line for the statistics files: "CUBS 3, TIGERS 5 (9 innings)".
std::string resultLine(const Team& visitor, const Team& home, const GameResult& result);

} // namespace kivsim
