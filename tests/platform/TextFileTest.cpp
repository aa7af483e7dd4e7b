#include "platform/Error.h"
#include "platform/TextFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kivp {
namespace {

using test::TempDir;

struct SplitCase {
    const char* name;
    std::string text;
    Lines lines;
};

void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }

class LineEnds : public ::testing::TestWithParam<SplitCase> {};

TEST_P(LineEnds, SplitIntoTheSameLines) { EXPECT_EQ(splitLines(GetParam().text), GetParam().lines); }

INSTANTIATE_TEST_SUITE_P(
    Forms, LineEnds,
    ::testing::Values(SplitCase{"Empty", "", {}}, SplitCase{"CrLf", "a\r\nb\r\n", {"a", "b"}},
                      SplitCase{"Lf", "a\nb\n", {"a", "b"}}, SplitCase{"Cr", "a\rb\r", {"a", "b"}},
                      SplitCase{"Mixed", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
                      SplitCase{"FinalLineWithoutEnd", "a\r\nlast", {"a", "last"}},
                      SplitCase{"BlankLinesKept", "\r\n\r\nx\n\n", {"", "", "x", ""}},
                      SplitCase{"LoneLineEnd", "\n", {""}}, SplitCase{"CrCrIsTwoLines", "a\r\rb", {"a", "", "b"}},
                      SplitCase{"SpacesKept", "  a  \r\n", {"  a  "}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextFile, SavesEveryLineWithCrLfAndLoadsItBack) {
    TempDir dir;
    const auto path = dir.file("out.txt");
    saveLines(path, {"one", "", "three"});
    EXPECT_EQ(test::readBytes(path), "one\r\n\r\nthree\r\n");
    EXPECT_EQ(loadLines(path), (Lines{"one", "", "three"}));

    saveLines(path, {});
    EXPECT_EQ(test::readBytes(path), "");
    EXPECT_TRUE(loadLines(path).empty());
}

TEST(TextFile, MissingFileCannotBeOpened) {
    TempDir dir;
    const auto path = dir.file("missing.dat");
    EXPECT_FALSE(tryLoadLines(path).has_value());
    try {
        loadLines(path);
        FAIL();
    } catch (const Error& error) {
        EXPECT_EQ(error.text(), "Cannot open file " + path);
    }
    // A folder is not a file either.
    EXPECT_FALSE(tryLoadLines(dir.mkdir("folder.dat")).has_value());
}

TEST(TextFile, FindsAFileWhoseNameDiffersOnlyInCase) {
    TempDir dir;
    dir.write("UPLANDS.DAT", "*title\r\n");
    EXPECT_EQ(loadLines(dir.file("UPLANDS.dat")), (Lines{"*title"}));
    EXPECT_EQ(loadLines(dir.file("uplands.dat")), (Lines{"*title"}));

    // Writing by the lower-case name replaces the existing file rather than making a second one.
    saveLines(dir.file("uplands.dat"), {"new"});
    EXPECT_EQ(test::entries(dir.path()), (std::vector<std::string>{"UPLANDS.DAT"}));
    EXPECT_EQ(test::readBytes(dir.file("UPLANDS.DAT")), "new\r\n");
}

TEST(TextFile, UnwritableTargetIsReportedAsCannotCreate) {
    TempDir dir;
    const auto path = dir.write("locked.kvp", "old\r\n");
    test::chmodPath(path, 0444);
    try {
        saveLines(path, {"new"});
        FAIL();
    } catch (const Error& error) {
        EXPECT_EQ(error.kind(), Error::Kind::CannotCreate);
        EXPECT_EQ(error.text(), "Cannot create file " + path);
    }
    EXPECT_EQ(test::readBytes(path), "old\r\n");
}

} // namespace
} // namespace kivp
