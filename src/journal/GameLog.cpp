#include "journal/GameLog.h"

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

std::string seriesName(int series) {
    const char* half = series == 1 || series == 2 || series == 5 ? "left half" : "right half";
    switch (Bracket::roundOf(series)) {
    case FirstRound:
        return "Round 1, series " + std::to_string(series) + " (" + half + ")";
    case SemiFinals:
        return std::string("Semi-final (") + half + ")";
    case Championship:
        break;
    }
    return "Championship";
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
        text += "\n" + seriesName(g.series) + ", game " + std::to_string(g.game);
        if (!g.playedAt.empty())
            text += ", played " + shownTime(g.playedAt);
        text += "\n" + gameSummary(g) + "\n";
        for (const auto& line : g.lineScore)
            text += line + "\n";
    }
    return text;
}

} // namespace kivp
