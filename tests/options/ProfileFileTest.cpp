#include "options/ProfileFile.h"
#include "platform/Error.h"
#include "support/Platform.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kivp {
namespace {

using test::TempDir;
using ::testing::ThrowsMessage;

// Written by hand the way users edit kivp.ini: comments, blank lines, odd spacing, mixed case, a duplicated
// key and section, quotes, a broken header, a key without "=", and a mix of CR LF and LF line ends.
const std::string kHandWritten = "; kivp settings, edited by hand\r\n"
                                 "\r\n"
                                 "[Location]\r\n"
                                 "Directory = /home/me/KIV Teams  \r\n"
                                 "Home Directory\r\n"
                                 "  [ options ]  \n"
                                 "clear all after run=0\n"
                                 "\tSave All Options = 1\n"
                                 "; Use DH=1\n"
                                 "KIV Version=\"45\"\r\n"
                                 "\r\n"
                                 "[Team Options]\r\n"
                                 "Normalization Factor = '1.05'\r\n"
                                 "Use DH=1\r\n"
                                 "USE DH=0\r\n"
                                 "Stats File = \"unbalanced'\r\n"
                                 "Box Score File = \"\"\r\n"
                                 "[broken\r\n"
                                 "Use Sound Effects=1\r\n"
                                 "[Options]\r\n"
                                 "Show Detailed Error Messages=0\r\n";

struct ReadRow {
    const char* section;
    const char* key;
    const char* expected;
};

void PrintTo(const ReadRow& row, std::ostream* os) {
    *os << row.section << "/" << row.key;
}

class HandWrittenFile : public ::testing::TestWithParam<ReadRow> {};

TEST_P(HandWrittenFile, ReadsAsTheWindowsProfileFunctionsDo) {
    TempDir dir;
    const ProfileFile file(dir.write("kivp.ini", kHandWritten));
    const auto& row = GetParam();
    EXPECT_EQ(file.readString(row.section, row.key, "<absent>"), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, HandWrittenFile,
    ::testing::Values(ReadRow{"Location", "Directory", "/home/me/KIV Teams"},  // value trimmed
                      ReadRow{"Location", "Home Directory", "<absent>"},       // no "=": no value at all
                      ReadRow{"OPTIONS", "Clear All After Run", "0"},          // names ignore case, trimmed
                      ReadRow{" Options ", "save all options", "1"},           // tab before the key
                      ReadRow{"Options", "KIV Version", "45"},                 // double quotes stripped
                      ReadRow{"Team Options", "Normalization Factor", "1.05"}, // single quotes stripped
                      ReadRow{"Team Options", "Stats File", "\"unbalanced'"},  // unmatched quotes kept
                      ReadRow{"Team Options", "Box Score File", ""},           // empty between quotes
                      ReadRow{"Team Options", "Use DH", "1"},                  // the first key wins
                      ReadRow{"Team Options", "Use Sound Effects", "1"},       // "[broken" is no header
                      ReadRow{"Options", "Use DH", "<absent>"},                // a comment is no key
                      ReadRow{"Options", "Show Detailed Error Messages",
                              "<absent>"}, // the first section wins
                      ReadRow{"More Options", "Use Stats File", "<absent>"}));

TEST(ProfileFileWrite, ChangesOnlyTheLinesItWritesAndEndsEveryLineWithCrLf) {
    TempDir dir;
    const auto path = dir.write("kivp.ini", kHandWritten);
    ProfileFile file(path);
    file.writeString("Options", "Clear All After Run", "1"); // in place, the stored spelling kept
    file.writeString("options", "KIV Version", "46");        // the quotes go with the old value
    file.writeInteger("Options", "Use DH", 1);               // new: after the section's last non-blank line
    file.writeString("Team Options", "use dh", "0");         // the first of the duplicates
    file.writeString("More Options", "Stats File", "");      // new section at the end
    file.save();

    // clang-format off
    EXPECT_EQ(test::readBytes(path), test::crlf({"; kivp settings, edited by hand", "", "[Location]",
                                                 "Directory = /home/me/KIV Teams  ", "Home Directory",
                                                 "  [ options ]  ", "clear all after run=1",
                                                 "\tSave All Options = 1", "; Use DH=1", "KIV Version=46", "Use DH=1", "",
                                                 "[Team Options]", "Normalization Factor = '1.05'",
                                                 "Use DH=0", "USE DH=0", "Stats File = \"unbalanced'",
                                                 "Box Score File = \"\"", "[broken", "Use Sound Effects=1",
                                                 "[Options]", "Show Detailed Error Messages=0",
                                                 "[More Options]", "Stats File="}));
    // clang-format on
}

TEST(ProfileFileWrite, AFileNamedInAnotherCaseIsTheOneReplaced) {
    TempDir dir;
    dir.write("KIVP.INI", "[Options]\r\nKIV Version=40\r\n");
    ProfileFile file(dir.file("kivp.ini"));
    file.writeString("Options", "KIV Version", "45");
    file.save();
    EXPECT_EQ(test::entries(dir.path()), (std::vector<std::string>{"KIVP.INI"}));
    EXPECT_EQ(test::readBytes(dir.file("KIVP.INI")), test::crlf({"[Options]", "KIV Version=45"}));
}

TEST(ProfileFileRead, AStoredIntegerReadsAsANumberOrTheCallersDefault) {
    TempDir dir;
    const ProfileFile file(dir.write(
        "kivp.ini", test::crlf({"[Team Options]", "A=  -4  ", "B=\"$1F\"", "C=12abc", "D=", "E=1.5"})));
    const std::vector<std::pair<const char*, int>> table = {{"A", -4}, {"B", 31}, {"C", 77},
                                                            {"D", 77}, {"E", 77}, {"F", 77}};
    for (const auto& [key, expected] : table)
        EXPECT_EQ(file.readInteger("Team Options", key, 77), expected) << key;
}

// A folder that cannot be written is refused by the atomic replacement below; the options window's tests
// check that an operation on it stops with "Unable to write to".
TEST(ProfileFileSave, AReadOnlyFileIsRefusedEvenForTheValueItHoldsAndKeptExactly) {
    TempDir dir;
    const std::string before = "[Options]\nKIV Version=40\n";
    const auto path = dir.write("kivp.ini", before);
    test::chmodPath(path, 0444);
    ProfileFile file(path);
    file.writeString("Options", "KIV Version", "40");
    EXPECT_THAT([&] { file.save(); }, ThrowsMessage<Error>("Unable to write to " + path));
    EXPECT_EQ(test::readBytes(path), before);
}

TEST(ProfileFileSave, AFileThatExistsButCannotBeReadIsNeverReplaced) {
    if (!test::readPermissionCounts())
        GTEST_SKIP() << "the superuser reads every file, and Windows has no read permission";
    TempDir dir;
    const auto path = dir.write("kivp.ini", "[Location]\r\nDirectory=/teams\r\n");
    test::chmodPath(path, 0200);
    ProfileFile file(path);
    file.writeInteger("Options", "Save All Options", 1);
    EXPECT_THROW(file.save(), Error);
    test::chmodPath(path, 0600);
    EXPECT_EQ(test::readBytes(path), "[Location]\r\nDirectory=/teams\r\n");
}

} // namespace
} // namespace kivp
