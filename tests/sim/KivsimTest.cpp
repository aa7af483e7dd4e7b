// The stand-in simulator the end-to-end tests play with: its games must be whole and consistent, and repeatable.
#include "platform/Paths.h"
#include "platform/TextFile.h"
#include "sim/LineScore.h"
#include "sim/ProcessSimulatorRunner.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace kivp {
namespace {

using test::ScopedEnvironment;

const std::string kDemoGame =
    "kivsim /p:" KIVP_SOURCE_DIR "/demo/ //h:ASHVALE //v:NOXBURY //del:0 //st:kplayoff //ls:kivp";

class Kivsim : public ::testing::Test {
protected:
    test::TempDir m_dir;
    std::string m_home = m_dir.mkdir("home");
    Kivsim() { std::filesystem::copy_file(KIVSIM_PATH, joinPath(m_home, "kivsim")); }

    std::string play() {
        EXPECT_EQ(ProcessSimulatorRunner().run(kDemoGame, m_home).outcome, RunResult::Outcome::Ran);
        return test::readBytes(joinPath(m_home, "kivp"));
    }
};

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

TEST_F(Kivsim, PlaysWholeConsistentGamesThatKivpReadsAndLogsEachResult) {
    for (int value = 1; value <= 40; ++value) {
        SCOPED_TRACE(value);
        ScopedEnvironment environment("KIVSIM_SEED", std::to_string(value));
        const Lines lines = splitLines(play());
        const auto score = readLineScore(lines);
        ASSERT_TRUE(score);
        const auto visitor = figures(lines[2]), homeTeam = figures(lines[3]);
        ASSERT_EQ(visitor.size(), homeTeam.size());
        const std::size_t innings = visitor.size() - 3;
        EXPECT_GE(innings, 9u);
        EXPECT_NE(score->visitorRuns, score->homeRuns);
        int visitorSum = 0, homeSum = 0;
        for (std::size_t i = 0; i < innings; ++i) {
            visitorSum += visitor[i];
            homeSum += std::max(homeTeam[i], 0);
        }
        EXPECT_EQ(std::pair(visitorSum, homeSum), std::pair(score->visitorRuns, score->homeRuns));
        // The home team skips its last turn at bat only when it is already ahead.
        if (homeTeam[innings - 1] < 0) {
            EXPECT_GT(score->homeRuns, score->visitorRuns);
        }
        const Lines results = loadLines(joinPath(m_home, "kplayoff.sts"));
        ASSERT_EQ(results.size(), static_cast<std::size_t>(value));
        EXPECT_EQ(results.back(), "NOXBURY " + std::to_string(score->visitorRuns) + ", ASHVALE " +
                                      std::to_string(score->homeRuns) + " (" + std::to_string(innings) +
                                      " innings)");
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
