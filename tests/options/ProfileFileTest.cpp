#include "options/ProfileFile.h"
#include "platform/Error.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace kivp {
namespace {

using test::TempDir;

// Written by hand the way users edit kivp.ini: comments, blank lines, odd spacing, mixed case, a duplicated
// key and section, quotes, a broken header, and a mix of CR LF and LF line ends.
const std::string kHandWritten = "; kivp settings, edited by hand\r\n"
                                 "\r\n"
                                 "[Location]\r\n"
                                 "Directory = /home/me/KIV Teams  \r\n"
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

    EXPECT_EQ(test::readBytes(path), test::crlf({"; kivp settings, edited by hand",
                                                 "",
                                                 "[Location]",
                                                 "Directory = /home/me/KIV Teams  ",
                                                 "  [ options ]  ",
                                                 "clear all after run=1",
                                                 "\tSave All Options = 1",
                                                 "; Use DH=1",
                                                 "KIV Version=46",
                                                 "Use DH=1",
                                                 "",
                                                 "[Team Options]",
                                                 "Normalization Factor = '1.05'",
                                                 "Use DH=0",
                                                 "USE DH=0",
                                                 "Stats File = \"unbalanced'",
                                                 "Box Score File = \"\"",
                                                 "[broken",
                                                 "Use Sound Effects=1",
                                                 "[Options]",
                                                 "Show Detailed Error Messages=0",
                                                 "[More Options]",
                                                 "Stats File="}));
}

TEST(ProfileFileWrite, AFileMadeFromNothingHoldsTheSectionsInTheOrderOfTheirFirstWrites) {
    TempDir dir;
    const auto path = dir.file("kivp.ini");
    {
        ProfileFile file(path);
        EXPECT_EQ(file.readString("Location", "Directory", "none"), "none");
        file.writeString("Location", "Home Directory", "/kiv");
        file.writeString("Location", "Directory", "/kiv");
        file.save();
    }
    ProfileFile file(path);
    file.writeInteger("Options", "Clear All After Run", 1);
    file.writeInteger("Team Options", "Delay Factor", -4);
    file.writeInteger("Options", "Save All Options", 0);
    file.save();
    EXPECT_EQ(test::readBytes(path), test::crlf({"[Location]", "Home Directory=/kiv", "Directory=/kiv",
                                                 "[Options]", "Clear All After Run=1", "Save All Options=0",
                                                 "[Team Options]", "Delay Factor=-4"}));
}

TEST(ProfileFileWrite, ANewKeyGoesBeforeTheBlankLinesThatEndItsSection) {
    TempDir dir;
    const auto path = dir.write("kivp.ini", "[Options]\nA=1\n; note\n\n\n[Other]\nB=2\n");
    ProfileFile file(path);
    file.writeString("Options", "C", "3");
    file.writeString("Other", "D", "4");
    file.save();
    EXPECT_EQ(test::readBytes(path),
              test::crlf({"[Options]", "A=1", "; note", "C=3", "", "", "[Other]", "B=2", "D=4"}));
}

TEST(ProfileFileWrite, WithoutWritesSaveLeavesTheFileAloneOrUncreated) {
    TempDir dir;
    ProfileFile missing(dir.file("kivp.ini"));
    missing.save();
    EXPECT_FALSE(test::exists(dir.file("kivp.ini")));

    const auto path = dir.write("other.ini", "[A]\nx=1\n"); // LF stays LF when nothing is written
    ProfileFile untouched(path);
    EXPECT_FALSE(untouched.modified());
    untouched.save();
    EXPECT_EQ(test::readBytes(path), "[A]\nx=1\n");
}

TEST(ProfileFileWrite, AFileNamedInAnotherCaseIsTheOneReadAndReplaced) {
    TempDir dir;
    dir.write("KIVP.INI", "[Options]\r\nKIV Version=40\r\n");
    ProfileFile file(dir.file("kivp.ini"));
    EXPECT_EQ(file.readString("Options", "KIV Version", ""), "40");
    file.writeString("Options", "KIV Version", "45");
    file.save();
    EXPECT_EQ(test::entries(dir.path()), (std::vector<std::string>{"KIVP.INI"}));
    EXPECT_EQ(test::readBytes(dir.file("KIVP.INI")), test::crlf({"[Options]", "KIV Version=45"}));
}

// --- integers
// ------------------------------------------------------------------------------------------------

struct IntegerRow {
    const char* stored;
    int expected; // 77 is the caller's default
};

void PrintTo(const IntegerRow& row, std::ostream* os) {
    *os << '"' << row.stored << '"';
}

class StoredInteger : public ::testing::TestWithParam<IntegerRow> {};

TEST_P(StoredInteger, ReadsAsANumberOrTheCallersDefault) {
    TempDir dir;
    const ProfileFile file(
        dir.write("kivp.ini", "[Team Options]\r\nDelay Factor=" + std::string(GetParam().stored)));
    EXPECT_EQ(file.readInteger("Team Options", "Delay Factor", 77), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, StoredInteger,
                         ::testing::Values(IntegerRow{"12", 12}, IntegerRow{"  -4  ", -4},
                                           IntegerRow{"+3", 3}, IntegerRow{"$1F", 31}, IntegerRow{"0x10", 16},
                                           IntegerRow{"\"2\"", 2}, IntegerRow{"", 77},
                                           IntegerRow{"12abc", 77}, IntegerRow{"1.5", 77},
                                           IntegerRow{"1 2", 77}, IntegerRow{"one", 77},
                                           IntegerRow{"99999999999", 77}));

TEST(StoredInteger, AMissingKeyOrSectionReadsAsTheDefault) {
    TempDir dir;
    const ProfileFile file(dir.write("kivp.ini", "[Team Options]\r\nUse DH=1\r\n"));
    EXPECT_EQ(file.readInteger("Team Options", "Use Focusing", 5), 5);
    EXPECT_EQ(file.readInteger("More Options", "Use DH", -1), -1);
    EXPECT_FALSE(file.hasKey("Team Options", "Use Focusing"));
    EXPECT_TRUE(file.hasKey("team options", "use dh"));
}

// --- files that cannot be written
// ------------------------------------------------------------------------------

TEST(ProfileFileSave, AReadOnlyFileIsRefusedAndKeptExactly) {
    TempDir dir;
    const std::string before = "[Options]\nKIV Version=40\n";
    const auto path = dir.write("kivp.ini", before);
    test::chmodPath(path, 0444);
    ProfileFile file(path);
    file.writeString("Options", "KIV Version", "40"); // the same value: still a write the file must take
    try {
        file.save();
        FAIL() << "save succeeded";
    } catch (const Error& error) {
        EXPECT_EQ(error.kind(), Error::Kind::UnableToWrite);
        EXPECT_EQ(error.text(), "Unable to write to " + path);
    }
    EXPECT_EQ(test::readBytes(path), before);
    EXPECT_EQ(test::entries(dir.path()), (std::vector<std::string>{"kivp.ini"}));
}

TEST(ProfileFileSave, AReadOnlyFolderIsRefusedForAnExistingAndAMissingFile) {
    TempDir dir;
    const auto folder = dir.mkdir("program");
    const std::string before = "[Options]\r\nSave All Options=1\r\n";
    const auto existing = dir.write("program/kivp.ini", before);
    test::chmodPath(folder, 0555);

    ProfileFile file(existing);
    file.writeInteger("Options", "Save All Options", 0);
    EXPECT_THROW(file.save(), Error);
    EXPECT_EQ(test::readBytes(existing), before);

    ProfileFile other(folder + "/other.ini");
    other.writeInteger("Options", "Save All Options", 0);
    EXPECT_THROW(other.save(), Error);
    EXPECT_EQ(test::entries(folder), (std::vector<std::string>{"kivp.ini"}));
}

TEST(ProfileFileSave, AFileThatExistsButCannotBeReadIsNeverReplaced) {
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser reads every file";
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
