#include "run/HomeField.h"

#include "journal/GameLog.h"
#include "options/OptionsForm.h"
#include "platform/IntegerText.h"

namespace kivp {

int seriesLength(const Bracket& bracket, int series) {
    WinsNeeded wins(static_cast<std::size_t>(bracket.roundCount()), 0);
    updateWinsNeeded(wins, bracket.playoffTypeText(), bracket.formatIndex(), bracket.customBracket());
    const int needed = wins[static_cast<std::size_t>(bracket.roundOf(series))];
    return needed > 0 ? 2 * needed - 1 : 1;
}

int gamesPlayed(const Bracket& bracket, int series) {
    int games = 0;
    for (int slot : {Bracket::upperSlot(series), Bracket::lowerSlot(series)})
        games += parseInteger(bracket.winCount(slot)).value_or(0);
    return games;
}

std::string roundName(const Bracket& bracket, int series) {
    return bracket.roundName(bracket.roundOf(series));
}

bool namesStartingPitcher(const std::string& rawSwitches) {
    // The pitchers come first when chosen, so a typed value that happens to hold "//vp:" is never taken for
    // one.
    return rawSwitches.starts_with("//vp:") || rawSwitches.starts_with("//hp:");
}

std::vector<int> HomeField::seriesLengths() const {
    std::vector<int> lengths(static_cast<std::size_t>(m_bracket.seriesCount() + 1), 0);
    for (int series = 1; series <= m_bracket.seriesCount(); ++series)
        lengths[static_cast<std::size_t>(series)] = seriesLength(m_bracket, series);
    return lengths;
}

std::optional<std::string> HomeField::gameCredited(int series) {
    if (m_bracket.seriesState(series) != kSeriesOpen)
        return std::nullopt;
    const int length = seriesLength(m_bracket, series);
    const int played = gamesPlayed(m_bracket, series);
    return move(series, m_patterns.markedTeamHosts(length, played),
                m_patterns.markedTeamHosts(length, played + 1), played + 1, length);
}

std::optional<std::string> HomeField::changePatterns(const HomePatterns& patterns) {
    const HomePatterns before = m_patterns;
    m_patterns = patterns;
    std::optional<std::string> message;
    for (int series = 1; series <= m_bracket.seriesCount(); ++series) {
        if (m_bracket.seriesState(series) != kSeriesOpen)
            continue;
        const int length = seriesLength(m_bracket, series);
        const int next = gamesPlayed(m_bracket, series) + 1;
        if (auto said = move(series, before.markedTeamHosts(length, next),
                             m_patterns.markedTeamHosts(length, next), next, length))
            message = said;
    }
    return message;
}

std::optional<std::string> HomeField::formatChanged(const std::vector<int>& lengthsBefore) {
    std::optional<std::string> message;
    for (int series = 1; series <= m_bracket.seriesCount(); ++series) {
        if (m_bracket.seriesState(series) != kSeriesOpen)
            continue;
        const int length = seriesLength(m_bracket, series);
        const int next = gamesPlayed(m_bracket, series) + 1;
        const auto at = static_cast<std::size_t>(series);
        const int before = at < lengthsBefore.size() ? lengthsBefore[at] : length;
        if (auto said = move(series, m_patterns.markedTeamHosts(before, next),
                             m_patterns.markedTeamHosts(length, next), next, length))
            message = said;
    }
    return message;
}

std::optional<std::string> HomeField::chooseHost(int series, HomeChoice host) {
    if (host == HomeChoice::None)
        return std::nullopt;
    // Straight to the buttons, as a pattern's move: the choice was asked for by kivp, not made by a click.
    m_bracket.speedButton(Bracket::upperButton(series)).down = host == HomeChoice::Upper;
    m_bracket.speedButton(Bracket::lowerButton(series)).down = host == HomeChoice::Lower;
    if (!namesStartingPitcher(m_options.rawSwitches()))
        return std::nullopt;
    m_bracket.setUpdateOptionsLabel(true);
    return m_bracket.slot(m_bracket.homeSlot(series)) + " is now the home team of " + seriesName(m_bracket, series) +
           ".\nThe starting pitchers in force were chosen for another game: choose this series' pitchers in "
           "Options (or none), then play on.";
}

void HomeField::showNextHost(int series, int latestGame, const std::string& latestHost) {
    if (m_bracket.seriesState(series) != kSeriesOpen)
        return;
    const std::string& upper = m_bracket.slot(Bracket::upperSlot(series));
    const std::string& lower = m_bracket.slot(Bracket::lowerSlot(series));
    if (upper == lower || (latestHost != upper && latestHost != lower))
        return; // nothing tells the two teams apart
    const int length = seriesLength(m_bracket, series);
    // The marked team hosted the latest game exactly when the pattern gave it that game.
    const bool upperMarked = (latestHost == upper) == m_patterns.markedTeamHosts(length, latestGame);
    const bool upperHostsNext =
        upperMarked == m_patterns.markedTeamHosts(length, gamesPlayed(m_bracket, series) + 1);
    m_bracket.speedButton(Bracket::upperButton(series)).down = upperHostsNext;
    m_bracket.speedButton(Bracket::lowerButton(series)).down = !upperHostsNext;
}

std::optional<std::string> HomeField::move(int series, bool markedBefore, bool markedNow, int game,
                                           int length) {
    if (markedBefore == markedNow || m_bracket.homeChoice(series) == HomeChoice::None)
        return std::nullopt;
    const std::string oldHome = m_bracket.slot(m_bracket.homeSlot(series));
    const std::string oldVisitor = m_bracket.slot(m_bracket.visitorSlot(series));
    // Straight to the buttons: a click would raise the warning, and this move is kivp's, not the user's.
    const bool upperWasHome = m_bracket.homeChoice(series) == HomeChoice::Upper;
    m_bracket.speedButton(Bracket::upperButton(series)).down = !upperWasHome;
    m_bracket.speedButton(Bracket::lowerButton(series)).down = upperWasHome;

    if (namesStartingPitcher(m_options.rawSwitches())) {
        m_bracket.setUpdateOptionsLabel(true);
        const std::string pattern(homePatternName(m_patterns.forLength(length)));
        return oldVisitor + " hosts game " + std::to_string(game) + " of the series with " + oldHome +
               " under the home pattern " + pattern + ", so kivp has made " + oldVisitor +
               " the home team.\nThe starting pitchers in force were chosen with " + oldHome +
               " at home: choose them again in Options before the next game.";
    }
    if (m_options.selectedVisitorTeam() == oldVisitor && m_options.selectedHomeTeam() == oldHome)
        m_options.renameCommandFileTeams(oldHome, oldVisitor);
    return std::nullopt;
}

} // namespace kivp
