#pragma once
// Who is at home in each game of a series under the home patterns in force. Between games the series' home
// buttons show the team that hosts its next game, so the window, the options window's rosters and the command
// line agree; kivp moves them itself after each game (and when the pattern or the format changes) without the
// home/away warning a user's click raises. Marking a home button means that team hosts the next game; the
// pattern goes on from there.
//
// The move cannot carry chosen starting pitchers along: their numbers belong to the other team's roster. So
// when the switches in force name one, kivp raises the warning after moving and says why (so does the home
// team a run asks the user for when it reaches a series that has none). In command-file mode the command
// file's line is made to name the new roles, as the team switches of an ordinary command line do.

#include "bracket/Bracket.h"
#include "run/HomePattern.h"

#include <optional>
#include <string>

namespace kivp {

class OptionsForm;

// The length of a series (best of N) under the playoff type and format chosen now.
int seriesLength(const Bracket& bracket, int series);
// The games a series has played: its two win counts added (a count that is not a number counts 0).
int gamesPlayed(const Bracket& bracket, int series);
// The round a series belongs to: "Round 1", "Semi Finals", "Championship", "Wild Card", ...
std::string roundName(const Bracket& bracket, int series);
// Whether switches in their "//" form choose a starting pitcher for either team.
bool namesStartingPitcher(const std::string& rawSwitches);

class HomeField {
public:
    HomeField(Bracket& bracket, OptionsForm& options) : m_bracket(bracket), m_options(options) {}

    const HomePatterns& patterns() const { return m_patterns; }
    // Takes the patterns as stored, moving nothing.
    void setPatterns(const HomePatterns& patterns) { m_patterns = patterns; }

    // Each returns the message to show when kivp raised the warning, nothing otherwise.
    // A game of the series was just credited: its buttons go to the host of the next game.
    std::optional<std::string> gameCredited(int series);
    // Another pattern choice: every open series' buttons go to the host of its next game under it.
    std::optional<std::string> changePatterns(const HomePatterns& patterns);
    // The format changed; lengthsBefore[s] is series s's length before.
    std::optional<std::string> formatChanged(const std::vector<int>& lengthsBefore);
    // A run asked who hosts a series that had no home team, and the user chose: that team is marked.
    std::optional<std::string> chooseHost(int series, HomeChoice host);

    // A playoff was loaded or resumed: an open series whose latest game is known (its number within the
    // series and its host) shows the host of its next game, as it did when the playoff was saved. The user
    // chose nothing, so no warning.
    void showNextHost(int series, int latestGame, const std::string& latestHost);

    std::vector<int> seriesLengths() const;

private:
    // The buttons showed a game the marked team hosts (markedBefore) or not; they must now show game, which
    // it hosts or not (markedNow).
    std::optional<std::string> move(int series, bool markedBefore, bool markedNow, int game, int length);

    Bracket& m_bracket;
    OptionsForm& m_options;
    HomePatterns m_patterns;
};

} // namespace kivp
