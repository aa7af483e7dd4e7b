#include "sim/LineScore.h"

#include "platform/Error.h"
#include "support/TempDir.h"
#include "support/TableRows.h"

#include <gtest/gtest.h>

namespace kivp {
namespace {

using test::PrintTo;

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

struct ScoreCase {
    const char* name;
    Lines lines;
    std::string outcome;
};

class LineScoreReading : public ::testing::TestWithParam<ScoreCase> {};

TEST_P(LineScoreReading, ReadsTheRunsUnderTheR) {
    EXPECT_EQ(outcomeOf(GetParam().lines), GetParam().outcome);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineScoreReading,
    ::testing::Values(ScoreCase{"EmptyFileIsNoResult", {}, "no result"},
                      ScoreCase{"OneDigitAt40", {"title", kHeader40, runsAt40(" 1"), runsAt40(" 0")}, "1-0"},
                      ScoreCase{"TwoDigitsAt39And40AndLaterLinesIgnored",
                                {"title", kHeader40, runsAt40("12"), runsAt40("03"), runsAt40("xx")},
                                "12-3"},
                      ScoreCase{"AnRInColumnOneIsNotTheRunsColumn", {"", "R  R", "xx 5", "1011"}, "5-11"},
                      ScoreCase{"RAtColumnTwoReadsColumnsOneAndTwo", {"", " R", "45", " 6"}, "45-6"},
                      ScoreCase{"OnlyTheTitleLine", {"title"}, "List index out of bounds (1)"},
                      ScoreCase{"NoVisitorLine", {"title", kHeader40}, "List index out of bounds (2)"},
                      ScoreCase{
                          "NoHomeLine", {"title", kHeader40, runsAt40(" 1")}, "List index out of bounds (3)"},
                      ScoreCase{"HeaderWithoutR",
                                {"t", "Team  1  2  3", runsAt40(" 1"), runsAt40(" 2")},
                                "'' is not a valid integer value"},
                      ScoreCase{"VisitorLineEndsBeforeTheRunsColumn",
                                {"t", kHeader40, std::string(38, ' ') + "7", runsAt40(" 2")},
                                "'7' is not a valid integer value"},
                      ScoreCase{"HomeLineFarTooShort",
                                {"t", kHeader40, runsAt40(" 1"), "HOME"},
                                "'' is not a valid integer value"},
                      ScoreCase{"LettersUnderR",
                                {"t", kHeader40, runsAt40("x1"), runsAt40(" 2")},
                                "'x1' is not a valid integer value"},
                      ScoreCase{"SpaceUnderRIsNotZero",
                                {"t", kHeader40, runsAt40("1 "), runsAt40(" 2")},
                                "'1 ' is not a valid integer value"},
                      ScoreCase{"SignIsNotADigit",
                                {"t", kHeader40, runsAt40(" 1"), runsAt40("-1")},
                                "'-1' is not a valid integer value"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LineScoreFile, MissingOrEmptyMeansNoGame) {
    test::TempDir dir;
    EXPECT_EQ(readLineScoreFile(dir.file("kivp")), std::nullopt);
    dir.write("kivp", "");
    EXPECT_EQ(readLineScoreFile(dir.file("kivp")), std::nullopt);
}

} // namespace
} // namespace kivp
