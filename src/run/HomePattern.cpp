#include "run/HomePattern.h"

#include "options/ProfileFile.h"
#include "playoff/PlayoffExtras.h"

#include <algorithm>
#include <array>

namespace kivp {

namespace {

struct PatternRow {
    HomePattern pattern;
    const char* name;
    // Game by game: "H" the marked team hosts, "A" the other team does.
    const char* hosts;
};

constexpr std::array<PatternRow, 5> kPatterns = {{
    {HomePattern::EveryGame, "Home team every game", ""},
    {HomePattern::TwoThreeTwo, "2-3-2", "HHAAAHH"},
    {HomePattern::TwoTwoOneOneOne, "2-2-1-1-1", "HHAAHAH"},
    {HomePattern::TwoTwoOne, "2-2-1", "HHAAH"},
    {HomePattern::OneOneOne, "1-1-1", "HAH"},
}};

const PatternRow& rowOf(HomePattern pattern) {
    return *std::find_if(kPatterns.begin(), kPatterns.end(),
                         [pattern](const PatternRow& row) { return row.pattern == pattern; });
}

std::string keyOf(int seriesLength) {
    return "Best of " + std::to_string(seriesLength);
}

constexpr std::string_view kPlayoffPart = "homePattern";

std::string playoffKeyOf(int seriesLength) {
    return std::string(kPlayoffPart) + ".bestOf" + std::to_string(seriesLength);
}

// Chooses the pattern for a series length named name; any other name leaves that length every game.
void chooseNamed(HomePatterns& patterns, int seriesLength, std::string_view name) {
    for (HomePattern pattern : patternsFor(seriesLength)) {
        if (pattern != HomePattern::EveryGame && name == homePatternName(pattern))
            patterns.choose(pattern);
    }
}

} // namespace

std::string_view homePatternName(HomePattern pattern) {
    return rowOf(pattern).name;
}

int seriesLengthOf(HomePattern pattern) {
    return static_cast<int>(std::string_view(rowOf(pattern).hosts).size());
}

std::vector<HomePattern> patternsFor(int seriesLength) {
    std::vector<HomePattern> offered;
    for (const auto& row : kPatterns) {
        if (row.pattern == HomePattern::EveryGame || seriesLengthOf(row.pattern) == seriesLength)
            offered.push_back(row.pattern);
    }
    return offered;
}

HomePattern HomePatterns::forLength(int seriesLength) const {
    switch (seriesLength) {
    case 3:
        return m_bestOf3;
    case 5:
        return m_bestOf5;
    case 7:
        return m_bestOf7;
    default:
        return HomePattern::EveryGame;
    }
}

void HomePatterns::choose(HomePattern pattern) {
    switch (seriesLengthOf(pattern)) {
    case 3:
        m_bestOf3 = pattern;
        break;
    case 5:
        m_bestOf5 = pattern;
        break;
    case 7:
        m_bestOf7 = pattern;
        break;
    default:
        *this = HomePatterns{};
        break;
    }
}

void HomePatterns::clear(int seriesLength) {
    switch (seriesLength) {
    case 3:
        m_bestOf3 = HomePattern::EveryGame;
        break;
    case 5:
        m_bestOf5 = HomePattern::EveryGame;
        break;
    case 7:
        m_bestOf7 = HomePattern::EveryGame;
        break;
    default:
        break;
    }
}

bool HomePatterns::everyGameThroughout() const {
    return *this == HomePatterns{};
}

bool HomePatterns::markedTeamHosts(int seriesLength, int game) const {
    const std::string_view hosts = rowOf(forLength(seriesLength)).hosts;
    if (game < 1 || game > static_cast<int>(hosts.size()))
        return true;
    return hosts[static_cast<std::size_t>(game - 1)] == 'H';
}

std::string HomePatterns::summary(const std::vector<int>& seriesLengths) const {
    std::vector<int> lengths;
    for (int length : seriesLengths) {
        if (length > 1 && std::find(lengths.begin(), lengths.end(), length) == lengths.end())
            lengths.push_back(length);
    }
    std::sort(lengths.begin(), lengths.end());
    std::string patterns, everyGame;
    for (int length : lengths) {
        const HomePattern pattern = forLength(length);
        std::string& list = pattern == HomePattern::EveryGame ? everyGame : patterns;
        list += (list.empty() ? "" : ", ") + (pattern == HomePattern::EveryGame
                                                  ? std::to_string(length)
                                                  : std::string(homePatternName(pattern)));
    }
    if (patterns.empty())
        return "Home pattern: home team every game";
    if (everyGame.empty())
        return "Home pattern: " + patterns;
    return "Home pattern: " + patterns + "; best of " + everyGame + " every game";
}

HomePatterns HomePatterns::load(const ProfileFile& settings) {
    HomePatterns patterns;
    for (int length : {3, 5, 7})
        chooseNamed(patterns, length, settings.readString(kHomePatternSection, keyOf(length), ""));
    return patterns;
}

void HomePatterns::save(ProfileFile& settings) const {
    for (int length : {3, 5, 7})
        settings.writeString(kHomePatternSection, keyOf(length), homePatternName(forLength(length)));
}

HomePatterns HomePatterns::readFrom(const PlayoffExtras& extras) {
    HomePatterns patterns;
    for (const auto& [key, value] : extras.entries()) {
        for (int length : {3, 5, 7}) {
            if (key == playoffKeyOf(length))
                chooseNamed(patterns, length, value);
        }
    }
    return patterns;
}

void HomePatterns::writeTo(PlayoffExtras& extras) const {
    for (int length : {3, 5, 7}) {
        if (const HomePattern pattern = forLength(length); pattern != HomePattern::EveryGame)
            extras.add(playoffKeyOf(length), std::string(homePatternName(pattern)));
    }
}

} // namespace kivp
