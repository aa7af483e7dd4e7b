#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "support/RecordingPrompts.h"
#include "teams/Roster.h"
#include "teams/TeamList.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kivp {
namespace {

const std::string kDemo = KIVP_SOURCE_DIR "/demo";

TEST(DemoLeague, EveryFileIsAWellFormedTeam) {
    test::RecordingPrompts prompts;
    const auto teams = listTeams(kDemo, prompts);
    EXPECT_TRUE(prompts.calls.empty());
    ASSERT_GE(teams.size(), 12u);
    for (const auto& team : teams) {
        const TeamSheet sheet = readTeamSheet(loadLines(joinPath(kDemo, team + ".dat")), team + ".dat");
        EXPECT_EQ(sheet.problems, std::vector<std::string>{}) << team;
        EXPECT_EQ(sheet.lineup.size(), 9u) << team;
        const auto starters = std::count_if(sheet.pitchers.begin(), sheet.pitchers.end(),
                                            [](const auto& pitcher) { return pitcher.starter; });
        EXPECT_GE(starters, 5) << team;
        EXPECT_GE(std::ssize(sheet.pitchers) - starters, 3) << team;
    }
}

} // namespace
} // namespace kivp
