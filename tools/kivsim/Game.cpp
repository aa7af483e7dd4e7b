#include "Game.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace kivsim {

namespace {

constexpr double kLeagueEra = 4.00;
constexpr int kMaxRuns = 99;    // the line score has two digits for runs
constexpr int kLastInning = 99; // a game still tied by then ends tied (the home team is credited)

double clamp(double value, double low, double high) {
    return std::min(std::max(value, low), high);
}

double decimalOr(const std::string& text, double fallback) {
    const auto value = kivp::parseDecimal(text);
    return value && std::isfinite(*value) ? *value : fallback;
}

int inningsForStarter(double era) {
    return era < 3.0 ? 7 : era < 4.5 ? 6 : 5;
}

struct HalfInning {
    int runs = 0;
    int hits = 0;
    int errors = 0; // by the fielding team
};

// Runners move up; returns the runs that score. bases[0] is first base.
int advance(std::array<bool, 3>& bases, int basesTaken, bool batterReaches) {
    int runs = 0;
    for (int base = 2; base >= 0; --base) {
        if (!bases[static_cast<std::size_t>(base)])
            continue;
        bases[static_cast<std::size_t>(base)] = false;
        const int to = base + basesTaken;
        if (to >= 3)
            ++runs;
        else
            bases[static_cast<std::size_t>(to)] = true;
    }
    if (batterReaches) {
        if (basesTaken >= 4)
            ++runs;
        else
            bases[static_cast<std::size_t>(basesTaken - 1)] = true;
    }
    return runs;
}

int walk(std::array<bool, 3>& bases) {
    if (!bases[0]) {
        bases[0] = true;
        return 0;
    }
    if (!bases[1]) {
        bases[1] = true;
        return 0;
    }
    if (!bases[2]) {
        bases[2] = true;
        return 0;
    }
    return 1;
}

HalfInning playHalf(const Team& batting, std::size_t& nextBatter, double pitcherEra, int runsSoFar,
                    std::optional<int> runsToWin, Dice& dice) {
    HalfInning half;
    std::array<bool, 3> bases{};
    int outs = 0;
    const double pitching = clamp(std::sqrt(pitcherEra / kLeagueEra), 0.7, 1.4);
    while (outs < 3 && runsSoFar + half.runs < kMaxRuns) {
        if (runsToWin && half.runs >= *runsToWin)
            break; // a walk-off ends the game at once
        const Batter& batter = batting.lineup[nextBatter++ % batting.lineup.size()];
        const double pWalk = 0.085 * pitching;
        const double pHit = batter.average * 0.9 * pitching;
        const double pError = 0.012;
        const double u = dice.roll();
        if (u < pWalk) {
            half.runs += walk(bases);
        } else if (u < pWalk + pHit) {
            ++half.hits;
            const double kind = dice.roll();
            const double homeRun = batter.homeRunShare;
            if (kind < homeRun) {
                half.runs += advance(bases, 4, true);
            } else if (kind < homeRun + 0.03) {
                half.runs += advance(bases, 3, true);
            } else if (kind < homeRun + 0.23) {
                // A runner from first scores on a double now and then.
                const bool fromFirstScores = bases[0] && dice.roll() < 0.4;
                half.runs += advance(bases, 2, true);
                if (fromFirstScores) {
                    bases[2] = false;
                    ++half.runs;
                }
            } else {
                const bool fromSecondScores = bases[1] && dice.roll() < 0.6;
                half.runs += advance(bases, 1, true);
                if (fromSecondScores && bases[2]) {
                    bases[2] = false;
                    ++half.runs;
                }
            }
        } else if (u < pWalk + pHit + pError) {
            ++half.errors;
            half.runs += advance(bases, 1, true);
        } else {
            ++outs;
            // A fly ball brings the runner home from third before the third out.
            if (outs < 3 && bases[2] && dice.roll() < 0.3) {
                bases[2] = false;
                ++half.runs;
            }
        }
    }
    half.runs = std::min(half.runs, kMaxRuns - runsSoFar);
    return half;
}

} // namespace

Team teamFromSheet(const std::string& name, const kivp::TeamSheet& sheet, std::optional<int> pitcherOrdinal) {
    Team team;
    team.name = name;
    for (const auto& line : sheet.lineup) {
        Batter batter;
        batter.name = line.name;
        const double hits = decimalOr(line.hits, 0);
        const double atBats = decimalOr(line.atBats, 0);
        if (atBats > 0)
            batter.average = clamp(hits / atBats, 0.100, 0.450);
        const double homeRuns = decimalOr(line.homeRuns, 0);
        if (hits > 0)
            batter.homeRunShare = clamp(homeRuns / hits, 0.0, 0.35);
        team.lineup.push_back(batter);
    }
    while (team.lineup.size() < 9)
        team.lineup.push_back(Batter{"Substitute " + std::to_string(team.lineup.size() + 1)});

    const kivp::PitcherLine* starter = nullptr;
    double bullpen = 0;
    int relievers = 0;
    for (const auto& pitcher : sheet.pitchers) {
        if (pitcherOrdinal && pitcher.ordinal == *pitcherOrdinal)
            starter = &pitcher;
        if (!pitcher.starter) {
            bullpen += decimalOr(pitcher.era, kLeagueEra);
            ++relievers;
        }
    }
    for (const auto& pitcher : sheet.pitchers) {
        if (!starter && pitcher.starter)
            starter = &pitcher;
    }
    if (!starter && !sheet.pitchers.empty())
        starter = &sheet.pitchers.front();
    if (starter) {
        team.starterName = starter->name;
        team.starterEra = clamp(decimalOr(starter->era, 4.50), 1.0, 9.99);
    }
    if (relievers > 0)
        team.bullpenEra = clamp(bullpen / relievers, 1.0, 9.99);
    return team;
}

Dice::Dice(std::uint64_t start) : m_state(start) {}

double Dice::roll() {
    // splitmix64: well mixed and defined here, not by a library.
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * 0x1.0p-53;
}

GameResult playGame(const Team& visitor, const Team& home, Dice& dice) {
    GameResult result;
    std::size_t visitorBatter = 0, homeBatter = 0;
    for (int inning = 1; inning <= kLastInning; ++inning) {
        const double homePitcher =
            inning <= inningsForStarter(home.starterEra) ? home.starterEra : home.bullpenEra;
        const HalfInning top =
            playHalf(visitor, visitorBatter, homePitcher, result.visitorRuns, std::nullopt, dice);
        result.visitorInnings.push_back(top.runs);
        result.visitorRuns += top.runs;
        result.visitorHits += top.hits;
        result.homeErrors += top.errors;
        if (inning >= 9 && result.homeRuns > result.visitorRuns)
            break;

        const double visitorPitcher =
            inning <= inningsForStarter(visitor.starterEra) ? visitor.starterEra : visitor.bullpenEra;
        std::optional<int> toWin;
        if (inning >= 9)
            toWin = result.visitorRuns - result.homeRuns + 1;
        const HalfInning bottom = playHalf(home, homeBatter, visitorPitcher, result.homeRuns, toWin, dice);
        result.homeInnings.push_back(bottom.runs);
        result.homeRuns += bottom.runs;
        result.homeHits += bottom.hits;
        result.visitorErrors += bottom.errors;
        if (inning >= 9 && result.homeRuns != result.visitorRuns)
            break;
    }
    return result;
}

kivp::Lines lineScoreLines(const Team& visitor, const Team& home, const GameResult& result) {
    const std::size_t nameWidth =
        std::max<std::size_t>(10, std::max(visitor.name.size(), home.name.size()) + 2);
    const std::size_t innings = result.visitorInnings.size();
    auto cell = [](int value) {
        char text[16];
        std::snprintf(text, sizeof text, "%3d", value);
        return std::string(text);
    };
    std::string header(nameWidth, ' ');
    for (std::size_t i = 1; i <= innings; ++i)
        header += cell(static_cast<int>(i));
    header += "    R  H  E";

    auto teamLine = [&](const Team& team, const std::vector<int>& runs, int total, int hits, int errors) {
        std::string line = team.name + std::string(nameWidth - team.name.size(), ' ');
        for (std::size_t i = 0; i < innings; ++i)
            line += i < runs.size() ? cell(runs[i]) : "  X";
        line += "  " + cell(total) + cell(hits) + cell(errors);
        return line;
    };
    std::string title = visitor.name + " at " + home.name + ", " + std::to_string(innings) + " innings";
    if (!visitor.starterName.empty() && !home.starterName.empty())
        title += " (" + visitor.starterName + " vs. " + home.starterName + ")";
    return {title, header,
            teamLine(visitor, result.visitorInnings, result.visitorRuns, result.visitorHits,
                     result.visitorErrors),
            teamLine(home, result.homeInnings, result.homeRuns, result.homeHits, result.homeErrors)};
}

std::string resultLine(const Team& visitor, const Team& home, const GameResult& result) {
    return visitor.name + " " + std::to_string(result.visitorRuns) + ", " + home.name + " " +
           std::to_string(result.homeRuns) + " (" + std::to_string(result.visitorInnings.size()) +
           " innings)";
}

} // namespace kivsim
