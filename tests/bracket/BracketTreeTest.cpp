// Who meets whom in every era and in custom brackets of any field: the trees, the byes, the captions of the
// pickers, and playoffs in which the higher-ranked team wins every game.

#include "bracket/Bracket.h"
#include "support/TableRows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace kivp {
namespace {

using test::PrintTo;

// A tree as text: each round's series in order, "L4-L5" for ranks 4 and 5 of the left half (no letter in a field
// of one half), "W3" for the winner of series 3; rounds apart by " | ".
std::string treeText(const BracketTree& tree) {
    std::string text;
    auto team = [&](int slot) {
        const SlotFeed& feed = tree.feed(slot);
        if (feed.rank == 0)
            return "W" + std::to_string(feed.fromSeries);
        return std::string(tree.halves() == 1 ? "" : feed.half == 0 ? "L" : "R") + std::to_string(feed.rank);
    };
    for (int round = 0; round < tree.rounds(); ++round) {
        text += round ? " |" : "";
        for (int series : tree.seriesOfRound(round))
            text += " " + team(2 * series - 1) + "-" + team(2 * series);
    }
    return text.substr(1);
}

Bracket bracketOf(int type, CustomBracket custom = {}) {
    Bracket bracket;
    bracket.setCustomBracket(custom);
    bracket.setPlayoffType(type);
    return bracket;
}

struct EraRow {
    const char* name;
    int type;
    CustomBracket custom;
    const char* tree;
    const char* format; // the format the type starts with, and the wins each of its rounds needs
    const char* captions; // the shown pickers' captions, first those of the left half
};

class Era : public ::testing::TestWithParam<EraRow> {};

TEST_P(Era, MeetsAsTheRankingRuleSaysWithByesForTheTopTeams) {
    const auto& row = GetParam();
    const Bracket bracket = bracketOf(row.type, row.custom);
    EXPECT_EQ(treeText(bracket.tree()), row.tree);

    WinsNeeded wins(static_cast<std::size_t>(bracket.roundCount()), 0);
    updateWinsNeeded(wins, bracket.playoffTypeText(), bracket.formatIndex(), bracket.customBracket());
    std::string format = bracket.formatText() + " ";
    for (int w : wins)
        format += std::to_string(w);
    EXPECT_EQ(format, row.format);

    std::string captions;
    for (int comboBox : kPickerNumbers) {
        if (bracket.pickerShown(comboBox) != bracket.pickerCaptionShown(captionLabelOf(comboBox)))
            ADD_FAILURE() << "ComboBox" << comboBox << " and its caption";
        if (bracket.pickerShown(comboBox))
            captions += (captions.empty() ? "" : ", ") + bracket.pickerCaption(comboBox);
    }
    EXPECT_EQ(captions, row.captions);
}

INSTANTIATE_TEST_SUITE_P(
    Types, Era,
    ::testing::Values(
        EraRow{"EightTeams", 0, {}, "L1-L4 L2-L3 R1-R4 R2-R3 | W1-W2 W3-W4 | W5-W6", "5-7-7 344",
               "Team 1, Team 2, Team 3, Team 4, Team 1, Team 2, Team 3, Team 4"},
        EraRow{"TenTeams", 3, {}, "L4-L5 R4-R5 | L1-W1 L2-L3 R1-W2 R2-R3 | W3-W4 W5-W6 | W7-W8", "1-5-7-7 1344",
               "AL seed 1 (bye), AL seed 2 (bye), AL seed 3 (bye), AL seed 4, NL seed 1 (bye), NL seed 2 (bye), "
               "NL seed 3 (bye), NL seed 4, AL seed 5, NL seed 5"},
        EraRow{"SixteenTeams", 4, {},
               "L1-L8 L4-L5 L2-L7 L3-L6 R1-R8 R4-R5 R2-R7 R3-R6 | W1-W2 W3-W4 W5-W6 W7-W8 | W9-W10 W11-W12 | "
               "W13-W14",
               "3-5-7-7 2344",
               "AL seed 1, AL seed 2, AL seed 3, AL seed 4, NL seed 1, NL seed 2, NL seed 3, NL seed 4, AL seed 5, "
               "AL seed 6, AL seed 7, AL seed 8, NL seed 5, NL seed 6, NL seed 7, NL seed 8"},
        EraRow{"TwelveTeams", 5, {}, "L4-L5 L3-L6 R4-R5 R3-R6 | L1-W1 L2-W2 R1-W3 R2-W4 | W5-W6 W7-W8 | W9-W10",
               "3-5-7-7 2344",
               "AL seed 1 (bye), AL seed 2 (bye), AL seed 3, AL seed 4, NL seed 1 (bye), NL seed 2 (bye), "
               "NL seed 3, NL seed 4, AL seed 5, AL seed 6, NL seed 5, NL seed 6"},
        EraRow{"CustomOfTwo", kCustomType, {2, 1}, "1-2", "7 4", "Seed 1, Seed 2"},
        EraRow{"CustomOfThreeInOneHalf", kCustomType, {3, 1}, "2-3 | 1-W1", "7-7 44",
               "Seed 1 (bye), Seed 2, Seed 3"},
        EraRow{"CustomOfFiveInTwoHalves", kCustomType, {5, 2}, "L2-L3 | L1-W1 R1-R2 | W2-W3", "5-7-7 344",
               "Left seed 1 (bye), Left seed 2, Left seed 3, Right seed 1 (bye), Right seed 2 (bye)"},
        EraRow{"CustomOfTenInOneHalf", kCustomType, {10, 1}, "8-9 7-10 | 1-W1 4-5 2-W2 3-6 | W3-W4 W5-W6 | W7-W8",
               "3-5-7-7 2344",
               "Seed 1 (bye), Seed 2 (bye), Seed 3 (bye), Seed 4 (bye), Seed 5 (bye), Seed 6 (bye), Seed 7, "
               "Seed 8, Seed 9, Seed 10"}),
    [](const auto& info) { return std::string(info.param.name); });

// Every era and every custom field of 2 to 16 teams in one half or two: each team of the field enters once; a
// half's top teams take its byes; after the first round every round is full; and when the higher-ranked team
// wins every game (the home team, marked by default, wins its ties) each round pairs ranks that add up to one
// more than the places left, the best team of the left half is champion, and the bracket ends decided.
TEST(EveryField, DrawsByesForTheTopTeamsAndPairsTheBestWithTheWorstLeft) {
    std::vector<std::pair<int, CustomBracket>> fields = {{3, {}}, {4, {}}, {5, {}}};
    for (int halves = 1; halves <= 2; ++halves)
        for (int teams = kCustomFewestTeams; teams <= kCustomMostTeams; ++teams)
            fields.push_back({kCustomType, {teams, halves}});
    for (const auto& [type, custom] : fields) {
        Bracket bracket = bracketOf(type, custom);
        const BracketTree& tree = bracket.tree();
        SCOPED_TRACE(bracket.playoffTypeText() + " of " + std::to_string(custom.teams) + " in " +
                     std::to_string(tree.halves()));
        int places = 1;
        while (places < std::max(tree.teamsInHalf(0), tree.teamsInHalf(1)))
            places *= 2;

        TeamPicks picks;
        std::set<std::pair<int, int>> entered;
        for (const TeamEntry& entry : tree.teamEntries(0)) {
            EXPECT_TRUE(entered.insert({entry.half, entry.rank}).second);
            const bool bye = bracket.roundOf((entry.slot + 1) / 2) > 0;
            EXPECT_EQ(bye, entry.rank <= places - tree.teamsInHalf(entry.half)) << entry.rank;
            picks[static_cast<std::size_t>(pickerIndexOf(tree.halves(), entry.half, entry.rank))] =
                (entry.half ? "R" : "L") + std::to_string(entry.rank);
        }
        EXPECT_EQ(static_cast<int>(entered.size()), tree.teamsInHalf(0) + tree.teamsInHalf(1));

        bracket.applyTeams(picks);
        const auto& formats = bracket.formatItems();
        const auto singleGames = std::find_if(formats.begin(), formats.end(), [](const std::string& format) {
            return format.find_first_not_of("1-") == std::string::npos;
        });
        bracket.selectFormat(static_cast<int>(singleGames - formats.begin()));
        const int halfRounds = tree.rounds() - (tree.halves() == 2 ? 1 : 0);
        for (int round = 0; round < tree.rounds(); ++round) {
            const auto series = tree.seriesOfRound(round);
            if (round > 0 && round < halfRounds) {
                EXPECT_EQ(static_cast<int>(series.size()), tree.halves() * (places >> (round + 1))) << round;
            }
            for (int s : series) {
                ASSERT_EQ(bracket.seriesState(s), kSeriesOpen) << s;
                const int upper = bracket.rankInSlot(Bracket::upperSlot(s));
                const int lower = bracket.rankInSlot(Bracket::lowerSlot(s));
                if (round < halfRounds) {
                    EXPECT_EQ(upper + lower, (places >> round) + 1) << "series " << s;
                }
                EXPECT_EQ(bracket.homeSlot(s), upper <= lower ? Bracket::upperSlot(s) : Bracket::lowerSlot(s));
                bracket.creditGame(s, 1, 1);
            }
        }
        EXPECT_EQ(bracket.champion(), "L1");
        EXPECT_EQ(bracket.seriesState(bracket.seriesCount()), kSeriesDecided);
    }
}

} // namespace
} // namespace kivp
