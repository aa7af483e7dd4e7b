#pragma once
// Home-field patterns: which team hosts each game of a series. The team whose home button the user marked is
// the higher-ranked team; a pattern names, game by game, whether the higher-ranked team or the other team is at home.
// "Home team every game" keeps the marked team at home throughout, as a series always was; the others follow
// real post-seasons: "2-3-2" and "2-2-1-1-1" for a best of seven, "2-2-1" for a best of five, "1-1-1" for a
// best of three. A best of one is always the marked team's.
//
// The choice is made per series length, so a "5-7-7" playoff can play 2-2-1 in its first round and 2-3-2
// after. It is kept with the playoff, in the lines after a playoff file's 39 ("homePattern.bestOf7=2-3-2"), so a
// playoff loaded or resumed goes on under the pattern it was played with; a file without those lines was played
// with the home team every game. The latest choice is also kept in kivp.ini, in a section of kivp's own, for the
// playoffs set up after it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivp {

class PlayoffExtras;
class ProfileFile;

enum class HomePattern { EveryGame, TwoThreeTwo, TwoTwoOneOneOne, TwoTwoOne, OneOneOne };

inline constexpr const char* kHomePatternSection = "Home Pattern";

// "Home team every game", "2-3-2", "2-2-1-1-1", "2-2-1", "1-1-1".
std::string_view homePatternName(HomePattern pattern);
// The series length a pattern is for (7, 5 or 3); 0 for "Home team every game", which fits every length.
int seriesLengthOf(HomePattern pattern);
// The patterns offered for a series length, "Home team every game" first.
std::vector<HomePattern> patternsFor(int seriesLength);

// One pattern per series length: what a best of three, five and seven play.
class HomePatterns {
public:
    // The pattern in force for a series length; "Home team every game" for a length without a choice.
    HomePattern forLength(int seriesLength) const;
    // A pattern for its own length, or "Home team every game" for every length.
    void choose(HomePattern pattern);
    // A length back to "Home team every game".
    void clear(int seriesLength);
    bool everyGameThroughout() const;

    // Whether the marked team (the higher-ranked team) hosts game number game (from 1) of a series of this length.
    // Games beyond the pattern's length are the marked team's.
    bool markedTeamHosts(int seriesLength, int game) const;

    // What the top bar shows for a format whose rounds have these lengths.
    std::string summary(const std::vector<int>& seriesLengths) const;

    // The section of kivp.ini; a missing or unknown value is "Home team every game".
    static HomePatterns load(const ProfileFile& settings);
    void save(ProfileFile& settings) const;
    // A playoff file's lines; none for "Home team every game" throughout. Unknown values read as every game.
    static HomePatterns readFrom(const PlayoffExtras& extras);
    void writeTo(PlayoffExtras& extras) const;

    bool operator==(const HomePatterns&) const = default;

private:
    HomePattern m_bestOf3 = HomePattern::EveryGame;
    HomePattern m_bestOf5 = HomePattern::EveryGame;
    HomePattern m_bestOf7 = HomePattern::EveryGame;
};

} // namespace kivp
