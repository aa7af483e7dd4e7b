#include "journal/GameLog.h"

#include <algorithm>

namespace kivp {

std::string gameSummary(const GameRecord& game) {
    return "G" + std::to_string(game.game) + "  " + game.visitor + " " + std::to_string(game.visitorRuns) +
           " at " + game.home + " " + std::to_string(game.homeRuns);
}

std::string seriesGames(const Journal& journal, int series) {
    std::string text;
    for (const auto& entry : journal.entries()) {
        if (entry.game.series != series)
            continue;
        if (!text.empty())
            text += '\n';
        text += gameSummary(entry.game);
    }
    return text;
}

std::string seriesName(const Bracket& bracket, int series) {
    const SeriesPlace& place = bracket.tree().series(series);
    if (bracket.nextSeries(series) == std::nullopt)
        return "Championship";
    const PlayoffTypeInfo info = bracket.typeInfo();
    const std::string half = info.halfLongNames[static_cast<std::size_t>(std::max(place.half, 0))];
    const std::string inHalf = half.empty() ? "" : " (" + half + ")";
    if (info.classic) {
        if (place.round == FirstRound)
            return "Round 1, series " + std::to_string(series) + inHalf;
        return "Semi-final" + inHalf;
    }
    std::string name = bracket.roundName(place.round);
    int inRound = 0;
    for (int other : bracket.tree().seriesOfRound(place.round))
        inRound += bracket.tree().series(other).half == place.half ? 1 : 0;
    if (inRound > 1)
        name += ", series " + std::to_string(place.indexInHalf);
    return name + inHalf;
}

namespace {

// "2025-03-14T09:26:53+01:00" as "2025-03-14 09:26:53"
std::string shownTime(const std::string& stamp) {
    std::string shown = stamp.substr(0, 19);
    if (shown.size() > 10 && shown[10] == 'T')
        shown[10] = ' ';
    return shown;
}

} // namespace

std::string gameLogText(const Journal& journal) {
    if (journal.empty())
        return "No game has been recorded for this playoff yet.\n";
    const int games = journal.size();
    std::string text = std::to_string(games) + (games == 1 ? " game" : " games") + " recorded\n";
    for (const auto& entry : journal.entries()) {
        const GameRecord& g = entry.game;
        text += "\n" + seriesName(entry.before, g.series) + ", game " + std::to_string(g.game);
        if (!g.playedAt.empty())
            text += ", played " + shownTime(g.playedAt);
        text += "\n" + gameSummary(g) + "\n";
        for (const auto& line : g.lineScore)
            text += line + "\n";
    }
    return text;
}

} // namespace kivp
