#include "run/GameRun.h"

#include "journal/GameLog.h"
#include "options/OptionsForm.h"
#include "platform/IntegerText.h"
#include "platform/Prompts.h"
#include "run/HomeField.h"

#include <algorithm>

namespace kivp {

namespace {

std::string matchup(const Bracket& bracket, int series) {
    if (bracket.homeChoice(series) == HomeChoice::None)
        return bracket.slot(Bracket::upperSlot(series)) + " vs. " + bracket.slot(Bracket::lowerSlot(series));
    return bracket.slot(bracket.visitorSlot(series)) + " at " + bracket.slot(bracket.homeSlot(series));
}

std::string gamesText(int games) {
    return std::to_string(games) + (games == 1 ? " game" : " games");
}

std::string stoppedAfter(int games) {
    return games == 0 ? "The run stopped before its first game."
                      : "The run stopped after " + gamesText(games) + ".";
}

} // namespace

std::string runTitle(RunScope scope) {
    switch (scope) {
    case RunScope::RestOfSeries:
        return "Play Rest of Series";
    case RunScope::RestOfRound:
        return "Play Rest of Round";
    default:
        return "Play to Champion";
    }
}

std::optional<int> currentRoundSeries(const Bracket& bracket) {
    for (int series = 1; series <= bracket.seriesCount(); ++series) {
        if (bracket.seriesPlayable(series))
            return bracket.tree().seriesOfRound(bracket.roundOf(series)).front();
    }
    return std::nullopt;
}

std::optional<int> nextSeriesOfRun(const Bracket& bracket, RunScope scope, int series) {
    if (scope == RunScope::RestOfSeries) {
        if (series >= 1 && series <= bracket.seriesCount() && bracket.seriesPlayable(series))
            return series;
        return std::nullopt;
    }
    std::optional<int> anchor =
        series >= 1 && series <= bracket.seriesCount() ? std::optional<int>(series) : std::nullopt;
    if (scope == RunScope::ToChampion || !anchor)
        anchor = currentRoundSeries(bracket);
    if (!anchor)
        return std::nullopt;
    std::optional<int> next;
    for (int candidate = 1; candidate <= bracket.seriesCount(); ++candidate) {
        if (bracket.roundOf(candidate) != bracket.roundOf(*anchor) || !bracket.seriesPlayable(candidate))
            continue;
        if (!next || gamesPlayed(bracket, candidate) < gamesPlayed(bracket, *next))
            next = candidate;
    }
    return next;
}

std::string gameHeading(const Bracket& bracket, int series) {
    return roundName(bracket, series) + ", game " + std::to_string(gamesPlayed(bracket, series) + 1) + " of at most " +
           std::to_string(seriesLength(bracket, series)) + ": " + matchup(bracket, series);
}

std::string gameReport(const Bracket& bracket, int series, const GameOutcome& outcome) {
    const std::string game = outcome.visitor + " at " + outcome.home;
    switch (outcome.result) {
    case GameOutcome::Result::Stopped:
        return game + " was stopped: the game did not count.";
    case GameOutcome::Result::NoLineScore:
        return game + " did not count: the simulator wrote no line score.";
    case GameOutcome::Result::NotStarted:
        return game + " was not played: the simulator could not be started.";
    case GameOutcome::Result::Failed:
        return game + " did not count.";
    case GameOutcome::Result::Credited:
        break;
    default:
        return {};
    }

    const int high = std::max(outcome.visitorRuns, outcome.homeRuns);
    const int low = std::min(outcome.visitorRuns, outcome.homeRuns);
    const std::string score = std::to_string(high) + "-" + std::to_string(low);
    std::string line = game + ": ";
    if (outcome.visitorRuns == outcome.homeRuns)
        line += score + ", a win for the home team. ";
    else
        line += (outcome.visitorRuns > outcome.homeRuns ? outcome.visitor : outcome.home) + " won " + score +
                ". ";

    const std::string upper = bracket.slot(Bracket::upperSlot(series));
    const std::string lower = bracket.slot(Bracket::lowerSlot(series));
    const int upperWins = parseInteger(bracket.winCount(Bracket::upperSlot(series))).value_or(0);
    const int lowerWins = parseInteger(bracket.winCount(Bracket::lowerSlot(series))).value_or(0);
    const std::string leader = upperWins >= lowerWins ? upper : lower;
    const std::string wins =
        std::to_string(std::max(upperWins, lowerWins)) + "-" + std::to_string(std::min(upperWins, lowerWins));
    if (bracket.seriesState(series) == kSeriesDecided) {
        const std::string winner = bracket.slot(bracket.winnerSlot(series));
        line += winner + " wins the series " + wins;
        line += series == bracket.seriesCount() ? " and is the champion!" : ".";
    } else if (upperWins == lowerWins) {
        line += "The series is tied " + wins + ".";
    } else {
        line += leader + " leads the series " + wins + ".";
    }
    return line;
}

std::optional<std::string> startingPitchersProblem(const Bracket& bracket, const OptionsForm& options,
                                                   int series) {
    if (bracket.homeChoice(series) == HomeChoice::None || !namesStartingPitcher(options.rawSwitches()))
        return std::nullopt;
    const std::string visitor = bracket.slot(bracket.visitorSlot(series));
    const std::string home = bracket.slot(bracket.homeSlot(series));
    const std::string& chosenVisitor = options.selectedVisitorTeam();
    const std::string& chosenHome = options.selectedHomeTeam();
    // A pitcher's number belongs to one team's roster, and the switch to that team's role.
    if (chosenVisitor == visitor && chosenHome == home)
        return std::nullopt;
    return "The starting pitchers in force were chosen for " + chosenVisitor + " at " + chosenHome +
           ", not for the next game, " + visitor + " at " + home +
           ".\nChoose this series' pitchers in Options (or none), then play on.";
}

bool lineUpOptions(const Bracket& bracket, OptionsForm& options, Prompts& prompts, int series) {
    if (const auto problem = startingPitchersProblem(bracket, options, series)) {
        prompts.say(*problem);
        return false;
    }
    const std::string visitor = bracket.slot(bracket.visitorSlot(series));
    const std::string home = bracket.slot(bracket.homeSlot(series));
    // A command file names one game's teams; it follows the games as the team switches do.
    if (options.useCommandFile() &&
        (options.selectedVisitorTeam() != visitor || options.selectedHomeTeam() != home))
        options.renameCommandFileTeams(visitor, home);
    return true;
}

std::optional<std::string> GameRun::chooseHost(int series) {
    const std::string upper = m_bracket.slot(Bracket::upperSlot(series));
    const std::string lower = m_bracket.slot(Bracket::lowerSlot(series));
    const std::string named = seriesName(m_bracket, series) + ", " + upper + " vs. " + lower;
    Message question{named + ", has no home team yet. Which team is at home?\n\nThe team chosen hosts game 1 "
                             "and the games its home pattern gives it, as if its H button had been marked.",
                     "Home Team", Message::Icon::Information};
    const auto host = m_prompts.askChoice(question, {upper, lower}, 0);
    if (!host)
        return "The run stopped at " + named +
               ": it has no home team. Mark one with the H buttons beside its teams, or choose one when the run "
               "asks.";
    return m_homeField.chooseHost(series, *host == 0 ? HomeChoice::Upper : HomeChoice::Lower);
}

RunReport GameRun::play(RunScope scope, int series) {
    // The round is the one in play when the command is given; the run does not go on into the next.
    if (scope == RunScope::RestOfRound && series == 0)
        series = currentRoundSeries(m_bracket).value_or(0);
    RunReport report;
    bool started = false;
    std::string last;
    std::string ending;
    while (const auto next = nextSeriesOfRun(m_bracket, scope, series)) {
        if (m_bracket.homeChoice(*next) == HomeChoice::None && !m_bracket.updateOptionsLabel()) {
            if (const auto stop = chooseHost(*next)) {
                if (started)
                    m_progress.runEnded();
                started = false;
                m_prompts.say(*stop);
                ending = stoppedAfter(report.gamesCredited);
                break;
            }
        }
        // A game the step is bound to refuse is left to it with the progress window gone, so its message
        // stands alone.
        const bool refused = m_bracket.updateOptionsLabel() ||
                             m_bracket.homeChoice(*next) == HomeChoice::None ||
                             startingPitchersProblem(m_bracket, m_options, *next);
        if (refused && started) {
            m_progress.runEnded();
            started = false;
        } else if (!refused && !started) {
            m_progress.runStarting(runTitle(scope));
            started = true;
        }
        if (started)
            m_progress.gameStarting(gameHeading(m_bracket, *next));
        const GameOutcome outcome = m_step(*next);
        if (outcome.result != GameOutcome::Result::Refused)
            last = gameReport(m_bracket, *next, outcome);
        if (started)
            m_progress.gameEnded(last);
        if (outcome.result != GameOutcome::Result::Credited) {
            if (outcome.result == GameOutcome::Result::NoLineScore)
                m_prompts.say(
                    outcome.visitor + " at " + outcome.home +
                    " credited nothing: the simulator wrote no line score.\nThe run stops here; the "
                    "games played before it count.");
            ending = stoppedAfter(report.gamesCredited);
            break;
        }
        ++report.gamesCredited;
        // kivp raised the warning moving a home team; the next game would only be refused. Why is said once
        // the progress window is gone.
        if (!outcome.afterword.empty() || m_bracket.updateOptionsLabel()) {
            m_progress.runEnded();
            started = false;
            if (!outcome.afterword.empty())
                m_prompts.say(outcome.afterword);
            ending = stoppedAfter(report.gamesCredited);
            break;
        }
        if (nextSeriesOfRun(m_bracket, scope, series) && m_progress.stopAfterThisGame()) {
            ending = "Stopped after " + gamesText(report.gamesCredited) + ", as asked.";
            break;
        }
    }
    if (started)
        m_progress.runEnded();

    if (ending.empty() && !started)
        report.statusLine = "There is no game left to play.";
    else if (ending.empty())
        report.statusLine = runTitle(scope) + ": " + gamesText(report.gamesCredited) + " played. " + last;
    else
        report.statusLine = ending + (last.empty() ? "" : " " + last);
    return report;
}

} // namespace kivp
