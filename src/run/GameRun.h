#pragma once
// Playing many games at once: the rest of a series, the rest of a round, or the playoff to its champion. A
// run is a loop of the one-game step a click on a team slot uses, so every check, message, command line,
// reset after a run and credit of a click holds for every game of it. A round is played the way a real
// post-season is: game 1 of each open series of the round, then game 2 of those still open, and so on.
//
// A series the run reaches without a home team is given one by the user, asked in a small question; a run
// only plays series in play for the type shown with both teams named.
//
// A run stops, saying why once, when a game is not credited (the step has said why, or the run says that the
// simulator wrote no line score), when kivp had to raise the home/away warning, when the starting pitchers in
// force belong to other teams than the next game's, when the user gives no home team, or when the user stops
// it. Games credited before a stop stay credited.

#include "bracket/Bracket.h"
#include "run/GameOutcome.h"
#include "run/RunProgress.h"

#include <functional>
#include <optional>
#include <string>

namespace kivp {

class HomeField;
class OptionsForm;
class Prompts;

enum class RunScope { RestOfSeries, RestOfRound, ToChampion };

// The command's name as the menus give it ("Play Rest of Series", ...).
std::string runTitle(RunScope scope);

// The series a run plays next: in the round asked for (the series' own for the rest of a series or round, the
// earliest round with an open series for the playoff), the open series with the fewest games played, the
// lowest number first. Nothing when the run has no game left.
std::optional<int> nextSeriesOfRun(const Bracket& bracket, RunScope scope, int series);
// The earliest round with an open series, as its first series' number (1, 5 or 7); nothing when none is open.
std::optional<int> currentRoundSeries(const Bracket& bracket);

// "Round 1, game 3 of at most 7: ASHVALE at DUNMERE" for the next game of a series with a home team.
std::string gameHeading(const Bracket& bracket, int series);
// The status line after a game: the score and the series, its winner, the champion; or that it did not count.
// Empty for a game that was not played.
std::string gameReport(const Bracket& bracket, int series, const GameOutcome& outcome);

// Why the options in force cannot play the next game of a series, which has a home team: the starting
// pitchers they name were chosen for another game (other teams, or the same teams the other way round).
// Nothing when they can.
std::optional<std::string> startingPitchersProblem(const Bracket& bracket, const OptionsForm& options,
                                                   int series);
// The check every game makes before it starts, by a click or in a run: false, having said why, when the
// starting pitchers in force belong to another game; otherwise true, a command file's line first made to name
// this game's teams and roles, as the team switches of an ordinary command line do.
bool lineUpOptions(const Bracket& bracket, OptionsForm& options, Prompts& prompts, int series);

struct RunReport {
    int gamesCredited = 0;
    std::string statusLine;
};

class GameRun {
public:
    using Step = std::function<GameOutcome(int series)>;

    GameRun(Bracket& bracket, OptionsForm& options, HomeField& homeField, Prompts& prompts,
            RunProgress& progress, Step step)
        : m_bracket(bracket), m_options(options), m_homeField(homeField), m_prompts(prompts),
          m_progress(progress), m_step(std::move(step)) {}

    // series: the series whose slot the command came from (any series of the round for the rest of a round;
    // 0 for the current round or the whole playoff).
    RunReport play(RunScope scope, int series);

private:
    // Asks which team hosts a series without a home team and marks it; what to say when the run must stop.
    std::optional<std::string> chooseHost(int series);

    Bracket& m_bracket;
    OptionsForm& m_options;
    HomeField& m_homeField;
    Prompts& m_prompts;
    RunProgress& m_progress;
    Step m_step;
};

} // namespace kivp
