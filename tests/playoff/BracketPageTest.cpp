// The bracket page of each playoff type is kept whole in tests/playoff/pages: the markup users' own pages and
// style sheets rely on may not change by a byte. The later types' page (a row per series under a heading per
// round) is kept the same way.

#include "playoff/BracketPage.h"
#include "support/TempDir.h"
#include "support/TableRows.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace kivp {
namespace {

using test::PrintTo;

// Every slot and win count distinct, so a text in the wrong cell shows; a leading space must stay, and the
// championship texts hold markup that must be escaped, byte for byte otherwise.
Bracket distinctBracket(int type) {
    Bracket bracket;
    bracket.setPlayoffType(std::max(type, 0));
    bracket.selectPlayoffType(type);
    const char* names[] = {"Ash",   "Birch", "Cedar",   "Dogwood", "Elm",   "Fir",   "Gum",
                           "Hazel", " Ivy",  "Juniper", "Kauri",   "Larch", "A&M's", "&amp;  Ca\xF1on"};
    for (int slot = 1; slot <= bracket.teamSlotCount(); ++slot) {
        bracket.setSlot(slot, slot <= kTeamSlotCount ? names[slot - 1] : "T" + std::to_string(slot));
        bracket.setWinCount(slot, slot == 13 ? "<13>" : slot == 14 ? "\"14\"" : std::to_string(slot));
    }
    bracket.setSlot(bracket.championSlot(), type < kClassicTypeCount ? "Champion never shown" : "Champion");
    return bracket;
}

struct PageRow {
    const char* name;
    int type;
};

class BracketPage : public ::testing::TestWithParam<PageRow> {};

TEST_P(BracketPage, ReplacesAnEarlierFileWithTheKeptPageOfItsType) {
    test::TempDir dir;
    const auto path = dir.write("html.html", std::string(5000, 'x'));
    exportBracketPage(path, distinctBracket(GetParam().type));
    const std::string kept = std::string(KIVP_SOURCE_DIR) + "/tests/playoff/pages/" + GetParam().name + ".html";
    // KIVP_UPDATE_GOLDEN=1 rewrites the kept page after an intended change; look at it before keeping it.
    if (std::getenv("KIVP_UPDATE_GOLDEN"))
        exportBracketPage(kept, distinctBracket(GetParam().type));
    EXPECT_EQ(test::readBytes(path), joinLines(loadLines(kept))); // CR LF lines, nothing of the earlier file
    EXPECT_EQ(test::entries(dir.path()), (std::vector<std::string>{"html.html"}));
}

INSTANTIATE_TEST_SUITE_P(AllTypes, BracketPage,
                         ::testing::Values(PageRow{"EightTeams", 0}, PageRow{"FourTeams", 1},
                                           PageRow{"TwoTeams", 2}, PageRow{"NoType", -1},
                                           PageRow{"TwelveTeams", 5}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kivp
