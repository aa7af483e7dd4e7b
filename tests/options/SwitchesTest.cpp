#include "options/Switches.h"
#include "options/StatisticsFiles.h"
#include "platform/Paths.h"
#include "sim/PathForm.h"
#include "support/Platform.h"
#include "support/TableRows.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kivp {
namespace {

using test::PrintTo;

using test::TempDir;

// --- the switch table
// ----------------------------------------------------------------------------------------

struct SwitchRow {
    const char* name;
    RunOptions options;
    const char* raw;
};

class SwitchTable : public ::testing::TestWithParam<SwitchRow> {};

// Every switch in its place, and the options whose switch depends on more than their own flag.
TEST_P(SwitchTable, EachOptionAddsItsSwitchInItsPlace) {
    EXPECT_EQ(composeSwitches(GetParam().options).raw, GetParam().raw);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, SwitchTable, ::testing::Values(
    SwitchRow{"Sound", {.useSoundEffects = true}, "//s:y "},
    SwitchRow{"Delay", {.useDelayFactor = true, .delayFactor = 7}, "//s:n//del:7 "},
    SwitchRow{"WatchGameWithDelay", {.useDelayFactor = true, .useWatchGame = true}, "//s:n//del:0//pg "},
    SwitchRow{"WatchGameWithoutDelay", {.delayFactor = 4, .useWatchGame = true}, "//s:n "},
    SwitchRow{"Focusing", {.useFocusing = true}, "//s:n//foc "},
    SwitchRow{"Normalization", {.useNormalization = true, .normalizationFactor = "1.05"}, "//s:n//era:1.05 "},
    SwitchRow{"FactorWithoutNormalization", {.normalizationFactor = "1.05"}, "//s:n "},
    SwitchRow{"StatsFileWithoutName", {.useStatsFile = true}, "//s:n//st: "},
    SwitchRow{"ScoreCardFileAsTyped", {.useScoreCardFile = true, .scoreCardFile = " CARD "}, "//s:n//sc: CARD  "},
    SwitchRow{"ClearFlagsAndCommandFileAddNothing",
              {.clearStatsFile = true, .statsFile = "LEAGUE", .clearBoxScoreFile = true, .clearScoreCardFile = true,
               .clearStarBoxFile = true, .useCommandFile = true, .commandFileName = "games"}, "//s:n "},
    SwitchRow{"EverySwitchInTableOrder",
              {.visitingPitcher = "1", .homePitcher = "2", .useAutoManageVisitor = true, .useAutoManageHome = true,
               .useAutoLineupVisitor = true, .useAutoLineupHome = true, .useSpotStartersVisitor = true,
               .useSpotStartersHome = true, .useDH = true, .useSoundEffects = true, .useFocusing = true,
               .useDelayFactor = true, .delayFactor = 9, .useWatchGame = true, .useNormalization = true,
               .normalizationFactor = "1.1", .useStatsFile = true, .statsFile = "S", .useBoxScoreFile = true,
               .boxScoreFile = "B", .useScoreCardFile = true, .scoreCardFile = "C", .useStarBoxFile = true,
               .starBoxFile = "T"},
              "//vp:1//hp:2//vam//ham//val//hal//vspt//hspt//dh:y//s:y//del:9//pg//foc//era:1.1//st:S//bx:B//sc:C"
              "//stb:T "}));
// clang-format on

// --- the spaced form and the command file's line
// ---------------------------------------------------------------

const RunOptions kWorkedExample{.visitingPitcher = "3",
                                .useAutoManageVisitor = true,
                                .useDelayFactor = true,
                                .delayFactor = 5,
                                .useWatchGame = true,
                                .useStatsFile = true,
                                .statsFile = "PLAYOFF"};

TEST(SpacedSwitches, EveryDoubleSlashBecomesASpaceAndASlashWithoutTheTrailingSpace) {
    EXPECT_EQ(composeSwitches(kWorkedExample), (Switches{"//vp:3//vam//s:n//del:5//pg//st:PLAYOFF ",
                                                         " /vp:3 /vam /s:n /del:5 /pg /st:PLAYOFF"}));
    EXPECT_EQ(composeSwitches(RunOptions{}), (Switches{"//s:n ", " /s:n"}));

    const RunOptions typed{.useNormalization = true, .normalizationFactor = "1//2", .useStatsFile = true};
    EXPECT_EQ(composeSwitches(typed).spaced, " /s:n /era:1 /2 /st:");
    EXPECT_EQ(spacedForm(""), "");
}

// Natively, the short form of an existing folder is its absolute path; of a folder that is gone, the empty text.
TEST(CommandFileLine, NamesTheTeamFolderTheTeamsAndTheSwitches) {
    TempDir dir;
    const auto teams = dir.mkdir("Sim Games/Teams");
    const PathForm native;
    EXPECT_EQ(composeCommandFileLine(native.folderWithSeparator(teams), "Cubs", "Tigers",
                                     composeSwitches(kWorkedExample).spaced),
              " /p:" + test::simulatorFolder(teams) + " /v:Cubs /h:Tigers /vp:3 /vam /s:n /del:5 /pg /st:PLAYOFF //ls:kivp");
    EXPECT_EQ(composeCommandFileLine(native.folderWithSeparator(dir.file("removed")), "Cubs", "Tigers", " /s:n"),
              " /p:" + std::string(1, kPathSeparator) + " /v:Cubs /h:Tigers /s:n //ls:kivp");
}

// --- emptying statistics files
// ----------------------------------------------------------------------------------

// Statistics files are named relative to the current directory.
class StatisticsFiles : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = currentDirectory();
        ASSERT_TRUE(setCurrentDirectory(m_dir.path()));
    }
    void TearDown() override { setCurrentDirectory(m_previous); }

    TempDir m_dir;
    std::string m_previous;
};

// Only the statistics files that exist are emptied, whatever the use flags; the box score, score card and
// star box files are emptied or created by their names as typed.
TEST_F(StatisticsFiles, OnlyTheFilesAskedForAreEmptied) {
    for (const char* name : {"LEAGUE.sts", "LEAGUE.res", "LEAGUE.txt", "CARD", "STAR"})
        m_dir.write(name, "numbers");
    clearStatisticsFiles({.clearStatsFile = true,
                          .statsFile = "LEAGUE",
                          .clearBoxScoreFile = true,
                          .boxScoreFile = "BOX",
                          .clearScoreCardFile = true,
                          .scoreCardFile = "CARD",
                          .starBoxFile = "STAR"}); // the star box's clear flag is off
    EXPECT_EQ(test::entries(m_dir.path()),
              (std::vector<std::string>{"BOX", "CARD", "LEAGUE.res", "LEAGUE.sts", "LEAGUE.txt", "STAR"}));
    for (const char* name : {"BOX", "CARD", "LEAGUE.res", "LEAGUE.sts"})
        EXPECT_EQ(test::readBytes(m_dir.file(name)), "") << name;
    EXPECT_EQ(test::readBytes(m_dir.file("LEAGUE.txt")) + test::readBytes(m_dir.file("STAR")),
              "numbersnumbers");
}

TEST_F(StatisticsFiles, AFileThatCannotBeEmptiedIsSkippedWithoutStoppingTheRest) {
    const auto locked = m_dir.write("LEAGUE.sts", "standings");
    test::chmodPath(locked, 0444);
    m_dir.write("LEAGUE.stb", "batting");
    m_dir.mkdir("sub");
    test::chmodPath(m_dir.file("sub"), 0555);
    // sub/BOX is in a folder that cannot be written
    EXPECT_NO_THROW(clearStatisticsFiles({.clearStatsFile = true,
                                          .statsFile = "LEAGUE",
                                          .clearBoxScoreFile = true,
                                          .boxScoreFile = "sub/BOX",
                                          .clearStarBoxFile = true,
                                          .starBoxFile = "STAR"}));
    EXPECT_EQ(test::readBytes(locked), "standings");
    EXPECT_EQ(test::readBytes(m_dir.file("LEAGUE.stb")), "");
    EXPECT_EQ(test::exists(m_dir.file("sub/BOX")), !test::folderPermissionCounts());
    EXPECT_TRUE(test::exists(m_dir.file("STAR")));
}

} // namespace
} // namespace kivp
