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

struct ScoreCase {
    const char* name;
    Lines lines;
    std::optional<LineScore> score;
    std::string error; // the message when reading fails
};

void PrintTo(const ScoreCase& c, std::ostream* os) {
    *os << c.name;
}

class LineScoreReading : public ::testing::TestWithParam<ScoreCase> {};

TEST_P(LineScoreReading, ReadsTheRunsUnderTheR) {
    const auto& c = GetParam();
    if (c.error.empty()) {
        EXPECT_EQ(readLineScore(c.lines), c.score);
        return;
    }
    try {
        readLineScore(c.lines);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.text(), c.error);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineScoreReading,
    ::testing::Values(
        ScoreCase{"EmptyFileIsNoResult", {}, std::nullopt, ""},
        ScoreCase{"OneDigitAt40", {"title", kHeader40, runsAt40(" 1"), runsAt40(" 0")}, LineScore{1, 0}, ""},
        ScoreCase{
            "TwoDigitsAt39And40", {"title", kHeader40, runsAt40("12"), runsAt40("03")}, LineScore{12, 3}, ""},
        ScoreCase{"EqualRuns",
                  {"t", kHeader40, runsAt40(" 3"), runsAt40(" 3"), "line five is not read"},
                  LineScore{3, 3},
                  ""},
        ScoreCase{"AnRInColumnOneIsNotTheRunsColumn", {"", "R  R", "xx 5", "1011"}, LineScore{5, 11}, ""},
        ScoreCase{"RAtColumnTwo", {"", " R", "4", "56"}, std::nullopt, "'4' is not a valid integer value"},
        ScoreCase{"RAtColumnTwoReadsColumnsOneAndTwo", {"", " R", "45", " 6"}, LineScore{45, 6}, ""},
        ScoreCase{"OnlyTheTitleLine", {"title"}, std::nullopt, "List index out of bounds (1)"},
        ScoreCase{"NoVisitorLine", {"title", kHeader40}, std::nullopt, "List index out of bounds (2)"},
        ScoreCase{
            "NoHomeLine", {"title", kHeader40, runsAt40(" 1")}, std::nullopt, "List index out of bounds (3)"},
        ScoreCase{"HeaderWithoutR",
                  {"t", "Team  1  2  3", runsAt40(" 1"), runsAt40(" 2")},
                  std::nullopt,
                  "'' is not a valid integer value"},
        ScoreCase{"VisitorLineEndsBeforeTheRunsColumn",
                  {"t", kHeader40, std::string(38, ' ') + "7", runsAt40(" 2")},
                  std::nullopt,
                  "'7' is not a valid integer value"},
        ScoreCase{"HomeLineFarTooShort",
                  {"t", kHeader40, runsAt40(" 1"), "HOME"},
                  std::nullopt,
                  "'' is not a valid integer value"},
        ScoreCase{"LettersUnderR",
                  {"t", kHeader40, runsAt40("x1"), runsAt40(" 2")},
                  std::nullopt,
                  "'x1' is not a valid integer value"},
        ScoreCase{"TrailingSpace",
                  {"t", kHeader40, runsAt40("1 "), runsAt40(" 2")},
                  std::nullopt,
                  "'1 ' is not a valid integer value"},
        ScoreCase{"SignIsNotADigit",
                  {"t", kHeader40, runsAt40("-1"), runsAt40(" 2")},
                  std::nullopt,
                  "'-1' is not a valid integer value"},
        ScoreCase{"HexIsNotDecimal",
                  {"t", kHeader40, runsAt40(" 1"), runsAt40("$F")},
                  std::nullopt,
                  "'$F' is not a valid integer value"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LineScoreFile, MissingOrEmptyMeansNoGameAndAnyLineEndReads) {
    test::TempDir dir;
    EXPECT_EQ(readLineScoreFile(dir.file("kivp")), std::nullopt);
    dir.write("kivp", "");
    EXPECT_EQ(readLineScoreFile(dir.file("kivp")), std::nullopt);
    dir.write("kivp", "t\n" + kHeader40 + "\r" + runsAt40(" 4") + "\r\n" + runsAt40("10"));
    EXPECT_EQ(readLineScoreFile(dir.file("kivp")), (LineScore{4, 10}));
}

} // namespace
} // namespace kivp
