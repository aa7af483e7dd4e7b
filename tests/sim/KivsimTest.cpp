// The stand-in simulator the end-to-end tests play with: its games must be whole, consistent and repeatable.
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "sim/LineScore.h"
#include "sim/ProcessSimulatorRunner.h"
#include "support/ScopedEnvironment.h"
#include "support/Platform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

namespace kivp {
namespace {

using test::ScopedEnvironment;

const std::string kDemoGame =
    "kivsim /p:" KIVP_SOURCE_DIR "/demo/ //h:ASHVALE //v:NOXBURY //del:0 //st:kplayoff //ls:kivp";

class Kivsim : public ::testing::Test {
protected:
    test::TempDir m_dir;
    std::string m_home = m_dir.mkdir("home");
    Kivsim() { test::installProgram(KIVSIM_PATH, joinPath(m_home, "kivsim")); }

    std::string play() {
        EXPECT_EQ(ProcessSimulatorRunner().run(kDemoGame, m_home).outcome, RunResult::Outcome::Ran);
        return test::readBytes(joinPath(m_home, "kivp"));
    }
};

// Each game is read by kivp, has a winner, and is logged in the statistics file with the same score.
TEST_F(Kivsim, PlaysGamesThatKivpReadsAndLogsEachResult) {
    const std::regex result(R"(NOXBURY (\d+), ASHVALE (\d+) \((9|1\d) innings\))");
    for (int value = 1; value <= 40; ++value) {
        SCOPED_TRACE(value);
        ScopedEnvironment environment("KIVSIM_SEED", std::to_string(value));
        const auto score = readLineScore(splitLines(play()));
        ASSERT_TRUE(score);
        EXPECT_NE(score->visitorRuns, score->homeRuns);
        const Lines results = loadLines(joinPath(m_home, "kplayoff.sts"));
        ASSERT_EQ(results.size(), static_cast<std::size_t>(value));
        std::smatch match;
        ASSERT_TRUE(std::regex_match(results.back(), match, result)) << results.back();
        EXPECT_EQ(std::pair(std::stoi(match[1]), std::stoi(match[2])),
                  std::pair(score->visitorRuns, score->homeRuns));
    }
}

TEST_F(Kivsim, AFixedStartingValueRepeatsTheGame) {
    ScopedEnvironment fixed("KIVSIM_SEED", "2024");
    const std::string first = play();
    // The next game of a series differs: the statistics file tells how many were played.
    std::filesystem::remove(joinPath(m_home, "kplayoff.sts"));
    EXPECT_EQ(play(), first);
    EXPECT_FALSE(first.empty());
}

} // namespace
} // namespace kivp
