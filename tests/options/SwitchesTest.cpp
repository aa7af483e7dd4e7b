#include "options/Switches.h"
#include "options/StatisticsFiles.h"
#include "platform/Error.h"
#include "platform/Paths.h"
#include "support/TempDir.h"

#include <functional>
#include <gtest/gtest.h>

namespace kivp {
namespace {

using test::TempDir;

// --- the switch table
// ----------------------------------------------------------------------------------------

struct SwitchRow {
    const char* name;
    std::function<void(RunOptions&)> set;
    const char* raw;
};

void PrintTo(const SwitchRow& row, std::ostream* os) {
    *os << row.name;
}

class SwitchTable : public ::testing::TestWithParam<SwitchRow> {};

TEST_P(SwitchTable, EachOptionAddsItsSwitchInItsPlace) {
    RunOptions options;
    GetParam().set(options);
    EXPECT_EQ(composeSwitches(options).raw, GetParam().raw);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SwitchTable,
    ::testing::Values(
        SwitchRow{"NoOption", [](RunOptions&) {}, "//s:n "},
        SwitchRow{"VisitingPitcher", [](RunOptions& o) { o.visitingPitcher = "3"; }, "//vp:3//s:n "},
        SwitchRow{"HomePitcher", [](RunOptions& o) { o.homePitcher = "12"; }, "//hp:12//s:n "},
        SwitchRow{"AutoManageVisitor", [](RunOptions& o) { o.useAutoManageVisitor = true; }, "//vam//s:n "},
        SwitchRow{"AutoManageHome", [](RunOptions& o) { o.useAutoManageHome = true; }, "//ham//s:n "},
        SwitchRow{"AutoLineupVisitor", [](RunOptions& o) { o.useAutoLineupVisitor = true; }, "//val//s:n "},
        SwitchRow{"AutoLineupHome", [](RunOptions& o) { o.useAutoLineupHome = true; }, "//hal//s:n "},
        SwitchRow{"SpotStartersVisitor", [](RunOptions& o) { o.useSpotStartersVisitor = true; },
                  "//vspt//s:n "},
        SwitchRow{"SpotStartersHome", [](RunOptions& o) { o.useSpotStartersHome = true; }, "//hspt//s:n "},
        SwitchRow{"DH", [](RunOptions& o) { o.useDH = true; }, "//dh:y//s:n "},
        SwitchRow{"Sound", [](RunOptions& o) { o.useSoundEffects = true; }, "//s:y "},
        SwitchRow{"Delay",
                  [](RunOptions& o) {
                      o.useDelayFactor = true;
                      o.delayFactor = 7;
                  },
                  "//s:n//del:7 "},
        SwitchRow{"WatchGameWithDelay",
                  [](RunOptions& o) {
                      o.useDelayFactor = true;
                      o.useWatchGame = true;
                  },
                  "//s:n//del:0//pg "},
        SwitchRow{"WatchGameWithoutDelay", [](RunOptions& o) { o.useWatchGame = true; }, "//s:n "},
        SwitchRow{"DelayFactorWithoutDelay", [](RunOptions& o) { o.delayFactor = 4; }, "//s:n "},
        SwitchRow{"Focusing", [](RunOptions& o) { o.useFocusing = true; }, "//s:n//foc "},
        SwitchRow{"Normalization",
                  [](RunOptions& o) {
                      o.useNormalization = true;
                      o.normalizationFactor = "1.05";
                  },
                  "//s:n//era:1.05 "},
        SwitchRow{"NormalizationFactorWithoutFlag", [](RunOptions& o) { o.normalizationFactor = "1.05"; },
                  "//s:n "},
        SwitchRow{"StatsFileWithoutName", [](RunOptions& o) { o.useStatsFile = true; }, "//s:n//st: "},
        SwitchRow{"BoxScoreFile",
                  [](RunOptions& o) {
                      o.useBoxScoreFile = true;
                      o.boxScoreFile = "BOX";
                  },
                  "//s:n//bx:BOX "},
        SwitchRow{"ScoreCardFile",
                  [](RunOptions& o) {
                      o.useScoreCardFile = true;
                      o.scoreCardFile = " CARD ";
                  },
                  "//s:n//sc: CARD  "},
        SwitchRow{"StarBoxFile",
                  [](RunOptions& o) {
                      o.useStarBoxFile = true;
                      o.starBoxFile = "STAR";
                  },
                  "//s:n//stb:STAR "},
        SwitchRow{"ClearFlagsAndCommandFileAddNothing",
                  [](RunOptions& o) {
                      o.clearStatsFile = o.clearBoxScoreFile = o.clearScoreCardFile = o.clearStarBoxFile =
                          true;
                      o.statsFile = "LEAGUE";
                      o.useCommandFile = true;
                      o.commandFileName = "games";
                  },
                  "//s:n "},
        SwitchRow{
            "EverySwitchInTableOrder",
            [](RunOptions& o) {
                o.visitingPitcher = "1";
                o.homePitcher = "2";
                o.useAutoManageVisitor = o.useAutoManageHome = o.useAutoLineupVisitor = true;
                o.useAutoLineupHome = o.useSpotStartersVisitor = o.useSpotStartersHome = o.useDH = true;
                o.useSoundEffects = o.useDelayFactor = o.useWatchGame = o.useFocusing = true;
                o.delayFactor = 9;
                o.useNormalization = o.useStatsFile = o.useBoxScoreFile = true;
                o.useScoreCardFile = o.useStarBoxFile = true;
                o.normalizationFactor = "1.1";
                o.statsFile = "S";
                o.boxScoreFile = "B";
                o.scoreCardFile = "C";
                o.starBoxFile = "T";
            },
            "//vp:1//hp:2//vam//ham//val//hal//vspt//hspt//dh:y//s:y//del:9//pg//foc//era:1.1//st:S//bx:B"
            "//sc:C//stb:T "}));

// --- the spaced form and the command file's line
// ---------------------------------------------------------------

RunOptions workedExample() {
    RunOptions options;
    options.visitingPitcher = "3";
    options.useAutoManageVisitor = true;
    options.useDelayFactor = true;
    options.delayFactor = 5;
    options.useWatchGame = true;
    options.useStatsFile = true;
    options.statsFile = "PLAYOFF";
    return options;
}

TEST(SpacedSwitches, EveryDoubleSlashBecomesASpaceAndASlashWithoutTheTrailingSpace) {
    EXPECT_EQ(composeSwitches(workedExample()), (Switches{"//vp:3//vam//s:n//del:5//pg//st:PLAYOFF ",
                                                          " /vp:3 /vam /s:n /del:5 /pg /st:PLAYOFF"}));
    EXPECT_EQ(composeSwitches(RunOptions{}), (Switches{"//s:n ", " /s:n"}));

    RunOptions typed;
    typed.useNormalization = true;
    typed.normalizationFactor = "1//2";
    typed.useStatsFile = true;
    EXPECT_EQ(composeSwitches(typed).spaced, " /s:n /era:1 /2 /st:");
    EXPECT_EQ(spacedForm(""), "");
}

TEST(CommandFileLine, NamesTheTeamFolderTheTeamsAndTheSwitches) {
    TempDir dir;
    const auto teams = dir.mkdir("Sim Games/Teams");
    const auto sim = composeSwitches(workedExample()).spaced;
    EXPECT_EQ(composeCommandFileLine(shortPathOfFolder(teams), "Cubs", "Tigers", sim),
              " /p:" + teams + "/ /v:Cubs /h:Tigers /vp:3 /vam /s:n /del:5 /pg /st:PLAYOFF //ls:kivp");
}

TEST(CommandFileLine, AFolderThatIsGoneLeavesOnlyTheSeparator) {
    TempDir dir;
    const auto sim = composeSwitches(RunOptions{}).spaced;
    EXPECT_EQ(composeCommandFileLine(shortPathOfFolder(dir.file("removed")), "Cubs", "Tigers", sim),
              " /p:/ /v:Cubs /h:Tigers /s:n //ls:kivp");
}

TEST(CommandFiles, BothFilesHoldTheSameOneLine) {
    TempDir dir;
    writeCommandFiles(dir.path(), "games", " /p:/x/ /v:A /h:B /s:n //ls:kivp");
    EXPECT_EQ(test::readBytes(dir.file("games")), " /p:/x/ /v:A /h:B /s:n //ls:kivp\r\n");
    EXPECT_EQ(test::readBytes(dir.file("games.kivb")), " /p:/x/ /v:A /h:B /s:n //ls:kivp\r\n");
}

TEST(CommandFiles, AFileThatCannotBeWrittenIsNamedInTheError) {
    TempDir dir;
    try {
        writeCommandFiles(dir.path(), "", "line"); // no name: the team folder itself
        FAIL() << "an empty name was written";
    } catch (const Error& error) {
        EXPECT_EQ(error.text(), "Cannot create file " + dir.path() + "/");
    }
    const auto locked = dir.mkdir("locked");
    test::chmodPath(locked, 0555);
    try {
        writeCommandFiles(locked, "games", "line");
        FAIL() << "a read-only folder was written";
    } catch (const Error& error) {
        EXPECT_EQ(error.text(), "Cannot create file " + locked + "/games");
    }
    EXPECT_TRUE(test::entries(locked).empty());
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

TEST_F(StatisticsFiles, OnlyTheStatisticsFilesThatExistAreEmptiedWhateverTheUseFlag) {
    m_dir.write("LEAGUE.sts", "standings");
    m_dir.write("LEAGUE.res", "results");
    m_dir.write("LEAGUE.txt", "notes");
    RunOptions options;
    options.clearStatsFile = true;
    options.statsFile = "LEAGUE";
    clearStatisticsFiles(options);
    EXPECT_EQ(test::entries(m_dir.path()),
              (std::vector<std::string>{"LEAGUE.res", "LEAGUE.sts", "LEAGUE.txt"}));
    EXPECT_EQ(test::readBytes(m_dir.file("LEAGUE.sts")), "");
    EXPECT_EQ(test::readBytes(m_dir.file("LEAGUE.res")), "");
    EXPECT_EQ(test::readBytes(m_dir.file("LEAGUE.txt")), "notes");
}

TEST_F(StatisticsFiles, TheOtherFilesAreEmptiedOrCreatedByTheirNameAsTyped) {
    m_dir.write("CARD", "innings");
    m_dir.write("STAR", "stars");
    RunOptions options;
    options.clearBoxScoreFile = true;
    options.boxScoreFile = "BOX";
    options.clearScoreCardFile = true;
    options.scoreCardFile = "CARD";
    options.starBoxFile = "STAR"; // its clear flag is off
    clearStatisticsFiles(options);
    EXPECT_EQ(test::entries(m_dir.path()), (std::vector<std::string>{"BOX", "CARD", "STAR"}));
    EXPECT_EQ(test::readBytes(m_dir.file("BOX")), "");
    EXPECT_EQ(test::readBytes(m_dir.file("CARD")), "");
    EXPECT_EQ(test::readBytes(m_dir.file("STAR")), "stars");
}

TEST_F(StatisticsFiles, AFileThatCannotBeEmptiedIsSkippedWithoutStoppingTheRest) {
    const auto locked = m_dir.write("LEAGUE.sts", "standings");
    test::chmodPath(locked, 0444);
    m_dir.write("LEAGUE.stb", "batting");
    m_dir.mkdir("sub");
    test::chmodPath(m_dir.file("sub"), 0555);
    RunOptions options;
    options.clearStatsFile = true;
    options.statsFile = "LEAGUE";
    options.clearBoxScoreFile = true;
    options.boxScoreFile = "sub/BOX"; // a folder that cannot be written
    options.clearStarBoxFile = true;
    options.starBoxFile = "STAR";
    EXPECT_NO_THROW(clearStatisticsFiles(options));
    EXPECT_EQ(test::readBytes(locked), "standings");
    EXPECT_EQ(test::readBytes(m_dir.file("LEAGUE.stb")), "");
    EXPECT_FALSE(test::exists(m_dir.file("sub/BOX")));
    EXPECT_TRUE(test::exists(m_dir.file("STAR")));
}

} // namespace
} // namespace kivp
