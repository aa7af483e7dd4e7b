#include "sim/LineScore.h"

#include "platform/Error.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kivp {
namespace {

// A line whose characters 39 and 40 are the given two.
std::string runsAt40(const char* twoCharacters) {
    return std::string(38, '.') + twoCharacters + "  9  0";
}

const std::string kHeader40 = "Team" + std::string(35, ' ') + "R  H  E"; // "R" at position 40

// "visitor-home", "no result" or the message of the error raised.
std::string outcomeOf(const Lines& lines) {
    try {
        const auto score = readLineScore(lines);
        return score ? std::to_string(score->visitorRuns) + "-" + std::to_string(score->homeRuns)
                     : "no result";
    } catch (const Error& error) {
        return error.text();
    }
}

std::string notANumber(const std::string& text) {
    return "'" + text + "' is not a valid integer value";
}

TEST(LineScore, ReadsTheRunsUnderTheR) {
    const auto r = runsAt40;
    const std::string& h = kHeader40;
    const std::vector<std::pair<Lines, std::string>> table = {
        {{}, "no result"},
        {{"title", h, r(" 1"), r(" 0")}, "1-0"},
        {{"title", h, r("12"), r("03"), r("xx")}, "12-3"}, // two digits at 39 and 40; later lines ignored
        {{"", "R  R", "xx 5", "1011"}, "5-11"},            // an R in column one is not the runs column
        {{"", " R", "45", " 6"}, "45-6"},
        {{"title"}, "List index out of bounds (1)"},
        {{"title", h}, "List index out of bounds (2)"},
        {{"title", h, r(" 1")}, "List index out of bounds (3)"},
        {{"t", "Team  1  2  3", r(" 1"), r(" 2")}, notANumber("")}, // no R in the header
        {{"t", h, std::string(38, ' ') + "7", r(" 2")}, notANumber("7")},
        {{"t", h, r(" 1"), "HOME"}, notANumber("")},
        {{"t", h, r("x1"), r(" 2")}, notANumber("x1")},
        {{"t", h, r("1 "), r(" 2")}, notANumber("1 ")}, // a space under the R is not a zero
        {{"t", h, r(" 1"), r("-1")}, notANumber("-1")}};
    for (const auto& [lines, outcome] : table)
        EXPECT_EQ(outcomeOf(lines), outcome) << ::testing::PrintToString(lines);
}

TEST(LineScoreFile, MissingOrEmptyMeansNoGame) {
    test::TempDir dir;
    EXPECT_EQ(readLineScoreFile(dir.file("kivp")), std::nullopt);
    dir.write("kivp", "");
    EXPECT_EQ(readLineScoreFile(dir.file("kivp")), std::nullopt);
}

} // namespace
} // namespace kivp
