#include "bracket/PlayoffFormats.h"

#include <sstream>

namespace kivp {

namespace {

const std::vector<std::string> kNoItems;

const std::vector<std::vector<std::string>>& formatLists() {
    static const std::vector<std::vector<std::string>> lists = {
        {"1-1-1", "1-1-3", "1-1-5", "1-1-7", "1-3-3", "1-3-5", "1-3-7", "1-5-5", "1-5-7", "1-7-7",
         "3-3-3", "3-3-5", "3-3-7", "3-5-5", "3-5-7", "3-7-7", "5-5-5", "5-5-7", "5-7-7", "7-7-7"},
        {"1-1", "1-3", "1-5", "1-7", "3-3", "3-5", "3-7", "5-5", "5-7", "7-7"},
        {"1", "3", "5", "7"},
    };
    return lists;
}

std::vector<int> seriesLengths(const std::string& item) {
    std::vector<int> lengths;
    std::istringstream in(item);
    std::string part;
    while (std::getline(in, part, '-'))
        lengths.push_back(std::stoi(part));
    return lengths;
}

} // namespace

const std::vector<std::string>& playoffTypeItems() {
    static const std::vector<std::string> items = {"1995-", "1969-1993", "1903-1968"};
    return items;
}

const std::vector<std::string>& formatItemsFor(int playoffType) {
    if (playoffType < 0 || playoffType >= kPlayoffTypeCount)
        return kNoItems;
    return formatLists()[static_cast<std::size_t>(playoffType)];
}

int defaultFormatIndex(int playoffType) {
    static constexpr int defaults[kPlayoffTypeCount] = {18, 9, 3};
    return playoffType >= 0 && playoffType < kPlayoffTypeCount ? defaults[playoffType] : -1;
}

void updateWinsNeeded(WinsNeeded& wins, std::string_view playoffTypeText, int formatIndex) {
    const auto& types = playoffTypeItems();
    for (int type = 0; type < kPlayoffTypeCount; ++type) {
        if (playoffTypeText != types[static_cast<std::size_t>(type)])
            continue;
        const auto& items = formatItemsFor(type);
        if (formatIndex < 0 || formatIndex >= static_cast<int>(items.size()))
            return;
        const auto lengths = seriesLengths(items[static_cast<std::size_t>(formatIndex)]);
        // The last length is the championship; the ones before it are the earlier rounds in play.
        int round = Championship;
        for (auto it = lengths.rbegin(); it != lengths.rend(); ++it, --round)
            wins[static_cast<std::size_t>(round)] = (*it + 1) / 2;
        return;
    }
}

} // namespace kivp
