#include "bracket/PlayoffFormats.h"

#include <algorithm>
#include <map>

namespace kivp {

namespace {

const std::vector<std::string> kNoItems;

// The classic lists and the later eras' own, the real format of each era first.
const std::vector<std::vector<std::string>>& fixedFormatLists() {
    static const std::vector<std::vector<std::string>> lists = {
        {"1-1-1", "1-1-3", "1-1-5", "1-1-7", "1-3-3", "1-3-5", "1-3-7", "1-5-5", "1-5-7", "1-7-7",
         "3-3-3", "3-3-5", "3-3-7", "3-5-5", "3-5-7", "3-7-7", "5-5-5", "5-5-7", "5-7-7", "7-7-7"},
        {"1-1", "1-3", "1-5", "1-7", "3-3", "3-5", "3-7", "5-5", "5-7", "7-7"},
        {"1", "3", "5", "7"},
        {"1-5-7-7", "1-3-5-7", "1-3-7-7", "1-5-5-7", "1-7-7-7", "3-5-7-7", "1-1-1-1", "1-3-3-3"},
        {"3-5-7-7", "3-3-5-7", "3-5-5-7", "3-7-7-7", "1-5-7-7", "1-3-5-7", "1-1-1-1", "3-3-3-3"},
        {"3-5-7-7", "3-3-5-7", "3-5-5-7", "3-7-7-7", "1-5-7-7", "1-3-5-7", "1-1-1-1", "3-3-3-3"},
    };
    return lists;
}

constexpr int kFixedDefaults[] = {18, 9, 3, 0, 0, 0};

int roundsOfTree(const TreeOfType& tree) {
    const int most = std::max(tree.teams[0], tree.teams[1]);
    int rounds = 0;
    for (int places = 1; places < most; places *= 2)
        ++rounds;
    return tree.halves == 2 ? rounds + 1 : rounds;
}

// Every run of lengths from 1, 3, 5, 7, 9 that never gets shorter, in the order the classic lists use.
std::vector<std::string> customFormats(int rounds) {
    std::vector<std::string> items;
    std::vector<int> lengths;
    auto grow = [&](auto&& self, int from) -> void {
        if (static_cast<int>(lengths.size()) == rounds) {
            std::string item;
            for (int n : lengths)
                item += (item.empty() ? "" : "-") + std::to_string(n);
            items.push_back(item);
            return;
        }
        for (int n = from; n <= 9; n += 2) {
            lengths.push_back(n);
            self(self, n);
            lengths.pop_back();
        }
    };
    grow(grow, 1);
    return items;
}

const std::vector<std::string>& customFormatList(int rounds) {
    static std::map<int, std::vector<std::string>> lists;
    auto found = lists.find(rounds);
    if (found == lists.end())
        found = lists.emplace(rounds, customFormats(rounds)).first;
    return found->second;
}

} // namespace

CustomBracket sensibleCustomBracket(CustomBracket custom) {
    custom.halves = custom.halves == 1 ? 1 : 2;
    custom.teams = std::clamp(custom.teams, kCustomFewestTeams, kCustomMostTeams);
    return custom;
}

const std::vector<std::string>& playoffTypeItems() {
    static const std::vector<std::string> items = {"1995-", "1969-1993", "1903-1968", "2012-2021",
                                                   "2020",  "2022-",     "Custom"};
    return items;
}

bool isClassicType(int playoffType) { return playoffType >= 0 && playoffType < kClassicTypeCount; }

PlayoffTypeInfo playoffTypeInfo(int playoffType, const CustomBracket& custom) {
    PlayoffTypeInfo info;
    if (playoffType < 0 || playoffType >= kPlayoffTypeCount)
        playoffType = 0;
    info.text = playoffTypeItems()[static_cast<std::size_t>(playoffType)];
    info.halfShortNames = {"AL", "NL"};
    info.halfLongNames = {"American League", "National League"};
    switch (playoffType) {
    case 0:
    case 1:
    case 2:
        info.tree = {2, {4, 4}, playoffType};
        info.classic = true;
        info.halfShortNames = {"Left", "Right"};
        info.halfLongNames = {"left half", "right half"};
        break;
    case 3:
        info.tree = {2, {5, 5}, 0};
        break;
    case 4:
        info.tree = {2, {8, 8}, 0};
        break;
    case 5:
        info.tree = {2, {6, 6}, 0};
        break;
    default: {
        const CustomBracket field = sensibleCustomBracket(custom);
        if (field.halves == 1) {
            info.tree = {1, {field.teams, 0}, 0};
            info.halfShortNames = {"", ""};
            info.halfLongNames = {"", ""};
        } else {
            info.tree = {2, {(field.teams + 1) / 2, field.teams / 2}, 0};
            info.halfShortNames = {"Left", "Right"};
            info.halfLongNames = {"left half", "right half"};
        }
        break;
    }
    }
    return info;
}

const std::vector<std::string>& formatItemsFor(int playoffType, const CustomBracket& custom) {
    if (playoffType < 0 || playoffType >= kPlayoffTypeCount)
        return kNoItems;
    if (playoffType == kCustomType)
        return customFormatList(roundsOfTree(playoffTypeInfo(playoffType, custom).tree));
    return fixedFormatLists()[static_cast<std::size_t>(playoffType)];
}

int defaultFormatIndex(int playoffType, const CustomBracket& custom) {
    if (playoffType < 0 || playoffType >= kPlayoffTypeCount)
        return -1;
    if (playoffType != kCustomType)
        return kFixedDefaults[playoffType];
    // As the classic types start: the last two rounds best of 7, the one before best of 5, then best of 3.
    const auto& items = formatItemsFor(playoffType, custom);
    const int rounds = roundsOfTree(playoffTypeInfo(playoffType, custom).tree);
    std::string wanted;
    for (int round = 0; round < rounds; ++round) {
        const int fromLast = rounds - 1 - round;
        wanted += (round ? "-" : "") + std::to_string(fromLast <= 1 ? 7 : fromLast == 2 ? 5 : 3);
    }
    const auto found = std::find(items.begin(), items.end(), wanted);
    return found == items.end() ? 0 : static_cast<int>(found - items.begin());
}

std::vector<int> seriesLengthsOf(std::string_view formatItem) {
    std::vector<int> lengths;
    int value = 0;
    bool digits = false;
    for (const char c : formatItem) {
        if (c >= '0' && c <= '9') {
            value = value * 10 + (c - '0');
            digits = true;
        } else if (c == '-' && digits) {
            lengths.push_back(value);
            value = 0;
            digits = false;
        } else {
            return {};
        }
    }
    if (!digits)
        return {};
    lengths.push_back(value);
    return lengths;
}

void updateWinsNeeded(WinsNeeded& wins, std::string_view playoffTypeText, int formatIndex,
                      const CustomBracket& custom) {
    const auto& types = playoffTypeItems();
    for (int type = 0; type < kPlayoffTypeCount; ++type) {
        if (playoffTypeText != types[static_cast<std::size_t>(type)])
            continue;
        const auto& items = formatItemsFor(type, custom);
        if (formatIndex < 0 || formatIndex >= static_cast<int>(items.size()))
            return;
        const auto lengths = seriesLengthsOf(items[static_cast<std::size_t>(formatIndex)]);
        // The last length is the championship; the ones before it are the earlier rounds in play.
        auto round = static_cast<int>(wins.size()) - 1;
        for (auto it = lengths.rbegin(); it != lengths.rend() && round >= 0; ++it, --round)
            wins[static_cast<std::size_t>(round)] = (*it + 1) / 2;
        return;
    }
}

} // namespace kivp
