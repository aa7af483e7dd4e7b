#include "platform/Error.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "sim/LineScore.h"
#include "sim/ProcessSimulatorRunner.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace kivp {
namespace {

using test::ScopedEnvironment;
using test::TempDir;

const std::string kDemo = KIVP_SOURCE_DIR "/demo";

// A program folder holding the stand-in simulator under the name kivp starts it by.
std::string programFolder(const TempDir& dir, const std::string& name = "kivsim") {
    const auto home = dir.mkdir("home");
    std::filesystem::copy_file(KIVSIM_PATH, joinPath(home, name));
    return home;
}

RunResult::Outcome play(const std::string& line, const std::string& home) {
    ProcessSimulatorRunner runner;
    return runner.run(line, home).outcome;
}

const std::string kDemoGame =
    "kivsim /p:" + kDemo + "/ //h:ASHVALE //v:NOXBURY //del:0 //st:kplayoff //ls:kivp";

// The figures of a line-score team line: innings (-1 for "X"), then R, H, E.
std::vector<int> figures(const std::string& line) {
    std::istringstream in(line);
    std::string word;
    in >> word; // the team
    std::vector<int> values;
    while (in >> word)
        values.push_back(word == "X" ? -1 : std::stoi(word));
    return values;
}

TEST(Kivsim, PlaysWholeConsistentGamesThatKivpReadsAndLogsEachResult) {
    TempDir dir;
    const auto home = programFolder(dir);
    for (int value = 1; value <= 40; ++value) {
        SCOPED_TRACE(value);
        ScopedEnvironment environment("KIVSIM_SEED", std::to_string(value));
        ASSERT_EQ(play(kDemoGame, home), RunResult::Outcome::Ran);
        const Lines lines = loadLines(joinPath(home, "kivp"));
        const auto score = readLineScore(lines);
        ASSERT_TRUE(score);
        const auto visitor = figures(lines[2]);
        const auto homeTeam = figures(lines[3]);
        ASSERT_EQ(visitor.size(), homeTeam.size());
        const std::size_t innings = visitor.size() - 3;
        EXPECT_GE(innings, 9u);
        EXPECT_NE(score->visitorRuns, score->homeRuns);
        int visitorSum = 0, homeSum = 0;
        for (std::size_t i = 0; i < innings; ++i) {
            visitorSum += visitor[i];
            homeSum += homeTeam[i] < 0 ? 0 : homeTeam[i];
        }
        EXPECT_EQ(visitorSum, score->visitorRuns);
        EXPECT_EQ(homeSum, score->homeRuns);
        EXPECT_EQ(visitor[innings], score->visitorRuns);
        // The home team skips its last turn at bat only when it is already ahead.
        if (homeTeam[innings - 1] < 0) {
            EXPECT_GT(score->homeRuns, score->visitorRuns);
        }
        const Lines results = loadLines(joinPath(home, "kplayoff.sts"));
        ASSERT_EQ(results.size(), static_cast<std::size_t>(value));
        EXPECT_EQ(results.back(), "NOXBURY " + std::to_string(score->visitorRuns) + ", ASHVALE " +
                                      std::to_string(score->homeRuns) + " (" + std::to_string(innings) +
                                      " innings)");
    }
}

TEST(Kivsim, AFixedStartingValueRepeatsTheGame) {
    TempDir dir;
    const auto home = programFolder(dir);
    ScopedEnvironment fixed("KIVSIM_SEED", "2024");
    ASSERT_EQ(play(kDemoGame, home), RunResult::Outcome::Ran);
    const std::string first = test::readBytes(joinPath(home, "kivp"));
    // The next game of a series differs: the statistics file tells how many were played.
    std::filesystem::remove(joinPath(home, "kplayoff.sts"));
    ASSERT_EQ(play(kDemoGame, home), RunResult::Outcome::Ran);
    EXPECT_EQ(test::readBytes(joinPath(home, "kivp")), first);
    EXPECT_FALSE(first.empty());
}

TEST(Kivsim, ReadsTheCommandFileFormAndLogsItsArguments) {
    TempDir dir;
    const auto home = programFolder(dir, "kivsv46");
    const auto teams = dir.mkdir("Sim Games/Teams");
    for (const char* team : {"ASHVALE.dat", "MARROWDL.DAT"})
        std::filesystem::copy_file(joinPath(kDemo, team), joinPath(teams, team));
    saveLines(joinPath(teams, "PLAYOFF"),
              {" /p:" + teams + "/ /v:MARROWDL /h:ASHVALE /vp:3 /vam /s:n /del:0 /st:LEAGUE //ls:kivp"});
    ScopedEnvironment log("KIVSIM_LOG", joinPath(home, "argv.log"));
    const std::string line = "kivsv46 /cmd:" + teams + "/PLAYOFF";
    ASSERT_EQ(play(line, home), RunResult::Outcome::Ran);
    const Lines lines = loadLines(joinPath(home, "kivp"));
    ASSERT_TRUE(readLineScore(lines));
    EXPECT_EQ(lines[0].rfind("MARROWDL at ASHVALE", 0), 0u) << lines[0];
    EXPECT_EQ(loadLines(joinPath(home, "LEAGUE.sts")).size(), 1u);
    // The log holds the command line exactly, spaces in the folder included.
    EXPECT_EQ(loadLines(joinPath(home, "argv.log")), Lines{line});
}

TEST(Kivsim, WithoutAFolderSwitchTheTeamsAreInTheWorkingDirectory) {
    TempDir dir;
    const auto home = programFolder(dir);
    for (const char* team : {"GLENROCK.dat", "IVYWICK.dat"})
        std::filesystem::copy_file(joinPath(kDemo, team), joinPath(home, team));
    ASSERT_EQ(play("kivsim //h:GLENROCK //v:IVYWICK //del:0 //st:kplayoff //ls:kivp", home),
              RunResult::Outcome::Ran);
    EXPECT_TRUE(readLineScoreFile(joinPath(home, "kivp")));
}

TEST(Kivsim, AMissingTeamLeavesNoLineScoreAndSaysSo) {
    TempDir dir;
    const auto home = programFolder(dir);
    saveLines(joinPath(home, "kivp"), {});
    const std::string command =
        "cd '" + home + "' && ./kivsim /p:" + kDemo + "/ //h:ASHVALE //v:NOSUCH //ls:kivp 2> err";
    EXPECT_NE(std::system(command.c_str()), 0);
    EXPECT_EQ(test::readBytes(joinPath(home, "kivp")), "");
    EXPECT_NE(test::readBytes(joinPath(home, "err")).find("NOSUCH"), std::string::npos);
}

TEST(Kivsim, FaultModesLeaveWhatKivpMustCopeWith) {
    for (const auto& [fault, lineScoreWritten] :
         std::vector<std::pair<const char*, bool>>{{"crash", false}, {"silent", false}, {"garbage", true}}) {
        SCOPED_TRACE(fault);
        TempDir dir;
        const auto home = programFolder(dir);
        saveLines(joinPath(home, "kivp"), {});
        ScopedEnvironment environment("KIVSIM_FAIL", fault);
        ASSERT_EQ(play(kDemoGame, home), RunResult::Outcome::Ran);
        if (lineScoreWritten)
            EXPECT_THROW(readLineScoreFile(joinPath(home, "kivp")), Error);
        else
            EXPECT_EQ(readLineScoreFile(joinPath(home, "kivp")), std::nullopt);
    }
}

TEST(Kivsim, AHangingRunCanBePolledAndStopped) {
    TempDir dir;
    const auto home = programFolder(dir);
    ScopedEnvironment fault("KIVSIM_FAIL", "hang");
    auto started = SimulatorProcess::start(locateSimulator("kivsim", home), kDemoGame, home);
    ASSERT_TRUE(started.process) << started.notStarted.message;
    auto& process = *started.process;
    EXPECT_FALSE(process.waitFor(std::chrono::milliseconds(300)));
    EXPECT_FALSE(process.finished());
    process.stop();
    EXPECT_TRUE(process.waitFor(std::chrono::seconds(10)));
    EXPECT_EQ(process.result().outcome, RunResult::Outcome::Stopped);
    process.stop(); // again, after the end: nothing happens
}

} // namespace
} // namespace kivp
