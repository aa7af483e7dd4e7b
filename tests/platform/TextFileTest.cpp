#include "platform/TextFile.h"
#include "platform/Error.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kivp {
namespace {

using test::TempDir;
using ::testing::ThrowsMessage;

TEST(TextFile, EveryLineEndFormSplitsIntoTheSameLines) {
    const std::vector<std::pair<std::string, Lines>> table = {
        {"", {}}, {"a\r\nb\r\n", {"a", "b"}}, {"a\nb\n", {"a", "b"}}, {"a\rb\r", {"a", "b"}},
        {"a\r\nb\nc\rlast", {"a", "b", "c", "last"}}, // the final line needs no end
        {"\r\n\r\nx\n\n", {"", "", "x", ""}}, {"\n", {""}}, {"a\r\rb", {"a", "", "b"}},
        {"  a  \r\n", {"  a  "}}};
    for (const auto& [text, lines] : table)
        EXPECT_EQ(splitLines(text), lines) << ::testing::PrintToString(text);
}

TEST(TextFile, IsSavedWithCrLfOverTheFileWhoseNameDiffersOnlyInCaseAndAMissingOneCannotBeOpened) {
    TempDir dir;
    const auto missing = dir.file("missing.dat");
    EXPECT_FALSE(tryLoadLines(missing).has_value());
    EXPECT_THAT([&] { loadLines(missing); }, ThrowsMessage<Error>("Cannot open file " + missing));
    EXPECT_FALSE(tryLoadLines(dir.mkdir("folder.dat")).has_value());
    dir.write("UPLANDS.DAT", "*title\r\n");
    EXPECT_EQ(loadLines(dir.file("uplands.dat")), (Lines{"*title"}));
    saveLines(dir.file("uplands.dat"), {"new", "", "last"});
    EXPECT_EQ(test::entries(dir.path()), (std::vector<std::string>{"UPLANDS.DAT", "folder.dat"}));
    EXPECT_EQ(test::readBytes(dir.file("UPLANDS.DAT")), "new\r\n\r\nlast\r\n");
    saveLines(dir.file("UPLANDS.DAT"), {});
    EXPECT_EQ(test::readBytes(dir.file("UPLANDS.DAT")), "");
}

} // namespace
} // namespace kivp
