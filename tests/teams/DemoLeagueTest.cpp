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
        const Lines lines = loadLines(joinPath(kDemo, team + ".dat"));
        ASSERT_GT(lines.size(), 11u) << team;
        EXPECT_EQ(lines[10].substr(0, 4), "*Pit") << team;
        const TeamSheet sheet = readTeamSheet(lines, team + ".dat");
        EXPECT_TRUE(sheet.problems.empty())
            << team << ": " << (sheet.problems.empty() ? "" : sheet.problems[0]);
        EXPECT_EQ(sheet.lineup.size(), 9u) << team;
        const auto starters = std::count_if(sheet.pitchers.begin(), sheet.pitchers.end(),
                                            [](const auto& pitcher) { return pitcher.starter; });
        EXPECT_GE(starters, 5) << team;
        EXPECT_GE(std::ssize(sheet.pitchers) - starters, 3) << team;
        // The bench heading follows the last pitcher, and a bench follows it.
        const auto bench = static_cast<std::size_t>(sheet.pitchers.back().line) + 1;
        ASSERT_LT(bench + 1, lines.size()) << team;
        EXPECT_EQ(lines[bench].substr(0, 6), "*Bench") << team;
    }
}

} // namespace
} // namespace kivp
