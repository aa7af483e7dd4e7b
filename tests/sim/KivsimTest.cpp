#include "platform/Error.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "sim/LineScore.h"
#include "sim/ProcessSimulatorRunner.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace kivp {
namespace {

using test::TempDir;

const std::string kDemo = KIVP_SOURCE_DIR "/demo";

// A program folder holding the stand-in simulator under the name kivp starts it by.
std::string programFolder(const TempDir& dir, const std::string& name = "kivsim") {
    const auto home = dir.mkdir("home");
    std::filesystem::copy_file(KIVSIM_PATH, joinPath(home, name));
    return home;
}

class Environment {
public:
    Environment(const char* name, const std::string& value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old;
        setenv(name, value.c_str(), 1);
    }
    ~Environment() {
        if (m_old)
            setenv(m_name, m_old->c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

RunResult::Outcome play(const std::string& line, const std::string& home) {
    ProcessSimulatorRunner runner;
    return runner.run(line, home).outcome;
}

std::string demoGame() {
    return "kivsim /p:" + kDemo + "/ //h:ASHVALE //v:NOXBURY //del:0 //st:kplayoff //ls:kivp";
}

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

TEST(Kivsim, PlaysADemoGameThatKivpReads) {
    TempDir dir;
    const auto home = programFolder(dir);
    ASSERT_EQ(play(demoGame(), home), RunResult::Outcome::Ran);
    const auto score = readLineScoreFile(joinPath(home, "kivp"));
    ASSERT_TRUE(score);
    const Lines results = loadLines(joinPath(home, "kplayoff.sts"));
    EXPECT_EQ(results,
              Lines{"NOXBURY " + std::to_string(score->visitorRuns) + ", ASHVALE " +
                    std::to_string(score->homeRuns) + " (" +
                    std::to_string(figures(loadLines(joinPath(home, "kivp"))[2]).size() - 3) + " innings)"});
}

TEST(Kivsim, GamesAreWholeAndConsistent) {
    TempDir dir;
    const auto home = programFolder(dir);
    for (int value = 1; value <= 40; ++value) {
        Environment environment("KIVSIM_SEED", std::to_string(value));
        ASSERT_EQ(play(demoGame(), home), RunResult::Outcome::Ran);
        const Lines lines = loadLines(joinPath(home, "kivp"));
        const auto score = readLineScore(lines);
        ASSERT_TRUE(score) << value;
        const auto visitor = figures(lines[2]);
        const auto homeTeam = figures(lines[3]);
        ASSERT_EQ(visitor.size(), homeTeam.size()) << value;
        const std::size_t innings = visitor.size() - 3;
        EXPECT_GE(innings, 9u) << value;
        EXPECT_NE(score->visitorRuns, score->homeRuns) << value;
        int visitorSum = 0, homeSum = 0;
        for (std::size_t i = 0; i < innings; ++i) {
            visitorSum += visitor[i];
            homeSum += homeTeam[i] < 0 ? 0 : homeTeam[i];
        }
        EXPECT_EQ(visitorSum, score->visitorRuns) << value;
        EXPECT_EQ(homeSum, score->homeRuns) << value;
        EXPECT_EQ(visitor[innings], score->visitorRuns) << value;
        // The home team skips its last turn at bat only when it is already ahead.
        if (homeTeam[innings - 1] < 0) {
            EXPECT_GT(score->homeRuns, score->visitorRuns) << value;
        }
    }
}

TEST(Kivsim, AFixedStartingValueRepeatsTheGame) {
    TempDir first, second;
    const auto a = programFolder(first);
    const auto b = programFolder(second);
    Environment fixed("KIVSIM_SEED", "2024");
    ASSERT_EQ(play(demoGame(), a), RunResult::Outcome::Ran);
    ASSERT_EQ(play(demoGame(), b), RunResult::Outcome::Ran);
    EXPECT_EQ(test::readBytes(joinPath(a, "kivp")), test::readBytes(joinPath(b, "kivp")));
    EXPECT_FALSE(test::readBytes(joinPath(a, "kivp")).empty());
}

TEST(Kivsim, ReadsTheCommandFileFormAndLogsItsArguments) {
    TempDir dir;
    const auto home = programFolder(dir, "kivsv46");
    const auto teams = dir.mkdir("Sim Games/Teams");
    for (const char* team : {"ASHVALE.dat", "MARROWDL.DAT"})
        std::filesystem::copy_file(joinPath(kDemo, team), joinPath(teams, team));
    saveLines(joinPath(teams, "PLAYOFF"),
              {" /p:" + teams + "/ /v:MARROWDL /h:ASHVALE /vp:3 /vam /s:n /del:0 /st:LEAGUE //ls:kivp"});
    Environment log("KIVSIM_LOG", joinPath(home, "argv.log"));
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

struct FaultCase {
    const char* fault;
    bool lineScoreWritten;
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.fault;
}

class KivsimFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(KivsimFault, LeavesWhatKivpMustCopeWith) {
    TempDir dir;
    const auto home = programFolder(dir);
    saveLines(joinPath(home, "kivp"), {});
    Environment fault("KIVSIM_FAIL", GetParam().fault);
    ASSERT_EQ(play(demoGame(), home), RunResult::Outcome::Ran);
    if (GetParam().lineScoreWritten)
        EXPECT_THROW(readLineScoreFile(joinPath(home, "kivp")), Error);
    else
        EXPECT_EQ(readLineScoreFile(joinPath(home, "kivp")), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Faults, KivsimFault,
                         ::testing::Values(FaultCase{"crash", false}, FaultCase{"silent", false},
                                           FaultCase{"garbage", true}),
                         [](const auto& info) { return std::string(info.param.fault); });

TEST(Kivsim, AHangingRunCanBeStopped) {
    TempDir dir;
    const auto home = programFolder(dir);
    Environment fault("KIVSIM_FAIL", "hang");
    auto started = SimulatorProcess::start(demoGame(), home);
    ASSERT_TRUE(started.process);
    EXPECT_FALSE(started.process->waitFor(std::chrono::milliseconds(300)));
    started.process->stop();
    EXPECT_TRUE(started.process->waitFor(std::chrono::seconds(10)));
    EXPECT_EQ(started.process->result().outcome, RunResult::Outcome::Stopped);
}

} // namespace
} // namespace kivp
