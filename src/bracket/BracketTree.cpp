#include "bracket/BracketTree.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>

namespace kivp {

namespace {

// The first-round places of a half in the ranking rule's order: 1 meets the last, and the top teams stay apart.
std::vector<int> placeOrder(int places) {
    std::vector<int> order = {1};
    for (int size = 2; size <= places; size *= 2) {
        std::vector<int> next;
        for (int rank : order) {
            next.push_back(rank);
            next.push_back(size + 1 - rank);
        }
        order = std::move(next);
    }
    return order;
}

// What stands at a place of the tree while it is drawn up: nothing (a bye), a team of the field, or a winner.
struct Item {
    int rank = 0;   // a team of the field
    int series = 0; // the winner of a series
    bool empty() const { return rank == 0 && series == 0; }
};

} // namespace

const BracketTree& BracketTree::of(const TreeOfType& tree) {
    // One tree per field, kept for the program's life: brackets compare trees by identity.
    static std::map<std::array<int, 3>, std::unique_ptr<BracketTree>> trees;
    const int halves = tree.halves == 1 ? 1 : 2;
    const std::array<int, 2> teams = {std::max(1, tree.teams[0]), halves == 1 ? 0 : std::max(1, tree.teams[1])};
    const std::array<int, 3> key = {halves, teams[0], teams[1]};
    auto found = trees.find(key);
    if (found == trees.end())
        found = trees.emplace(key, std::unique_ptr<BracketTree>(new BracketTree(halves, teams))).first;
    return *found->second;
}

BracketTree::BracketTree(int halves, std::array<int, 2> teams) : m_halves(halves), m_teams(teams) {
    int halfRounds = 0;
    while (m_places < std::max(teams[0], teams[1])) {
        m_places *= 2;
        ++halfRounds;
    }
    m_rounds = halfRounds + (halves == 2 ? 1 : 0);

    std::vector<std::pair<Item, Item>> pairs(1); // each series' upper and lower item, [1..]
    std::vector<std::vector<Item>> items(static_cast<std::size_t>(halves));
    const auto order = placeOrder(m_places);
    for (int half = 0; half < halves; ++half) {
        for (int rank : order)
            items[static_cast<std::size_t>(half)].push_back(
                rank <= teams[static_cast<std::size_t>(half)] ? Item{rank, 0} : Item{});
    }
    m_series.resize(1);
    auto addSeries = [&](int round, int half, int index, int position, Item upper, Item lower) {
        m_series.push_back({round, half, index, position, 0, 0});
        pairs.emplace_back(upper, lower);
        return static_cast<int>(m_series.size()) - 1;
    };
    for (int round = 0; round < halfRounds; ++round) {
        for (int half = 0; half < halves; ++half) {
            auto& list = items[static_cast<std::size_t>(half)];
            std::vector<Item> next;
            int index = 0;
            for (std::size_t i = 0; i + 1 < list.size(); i += 2) {
                const Item upper = list[i], lower = list[i + 1];
                if (!upper.empty() && !lower.empty())
                    next.push_back({0, addSeries(round, half, ++index, static_cast<int>(i / 2), upper, lower)});
                else
                    next.push_back(upper.empty() ? lower : upper); // a bye: the team goes on to the next round
            }
            list = std::move(next);
        }
    }
    if (halves == 2)
        addSeries(halfRounds, -1, 1, 0, items[0].front(), items[1].front());

    m_feeds.assign(static_cast<std::size_t>(teamSlotCount() + 1), SlotFeed{});
    for (int series = 1; series <= seriesCount(); ++series) {
        const auto& [upper, lower] = pairs[static_cast<std::size_t>(series)];
        const int half = m_series[static_cast<std::size_t>(series)].half;
        int slot = 2 * series - 1;
        for (const Item& item : {upper, lower}) {
            // In the championship the upper team comes from the left half, the lower from the right.
            SlotFeed& feed = m_feeds[static_cast<std::size_t>(slot)];
            feed.half = half >= 0 ? half : slot % 2 == 1 ? 0 : 1;
            feed.rank = item.rank;
            feed.fromSeries = item.series;
            if (item.series != 0) {
                m_series[static_cast<std::size_t>(item.series)].winnerSlot = slot;
                m_series[static_cast<std::size_t>(item.series)].nextSeries = series;
            }
            ++slot;
        }
    }
    m_series.back().winnerSlot = championSlot();
}

const SeriesPlace& BracketTree::series(int series) const {
    if (series < 1 || series > seriesCount())
        throw std::out_of_range("no series " + std::to_string(series));
    return m_series[static_cast<std::size_t>(series)];
}

const SlotFeed& BracketTree::feed(int slot) const {
    if (slot < 1 || slot > teamSlotCount())
        throw std::out_of_range("no team slot " + std::to_string(slot));
    return m_feeds[static_cast<std::size_t>(slot)];
}

std::vector<int> BracketTree::seriesOfRound(int round) const {
    std::vector<int> list;
    for (int series = 1; series <= seriesCount(); ++series) {
        if (m_series[static_cast<std::size_t>(series)].round == round)
            list.push_back(series);
    }
    return list;
}

std::vector<TeamEntry> BracketTree::teamEntries(int entryRound) const {
    std::vector<TeamEntry> entries;
    if (entryRound <= 0) {
        for (int slot = 1; slot <= teamSlotCount(); ++slot) {
            const SlotFeed& feed = m_feeds[static_cast<std::size_t>(slot)];
            if (feed.rank > 0)
                entries.push_back({slot, feed.half, feed.rank});
        }
        return entries;
    }
    // A field entering later fills that round's places by the same ranking rule, as if the rounds before it
    // had been played to the form book.
    const auto series = seriesOfRound(std::min(entryRound, m_rounds - 1));
    if (series.empty())
        return entries;
    int places = m_places;
    for (int round = 0; round < entryRound && places > 1; ++round)
        places /= 2;
    const auto order = placeOrder(places);
    std::array<std::size_t, 2> next{};
    for (int s : series) {
        for (int slot : {2 * s - 1, 2 * s}) {
            const int half = m_feeds[static_cast<std::size_t>(slot)].half;
            std::size_t& at = next[static_cast<std::size_t>(half)];
            entries.push_back({slot, half, order[at % order.size()]});
            ++at;
        }
    }
    return entries;
}

} // namespace kivp
