// Damaged, hostile or unusual input (found by fuzzing and fault injection) is refused with a clear message and
// never harms a file, the bracket or the program.
#include "bracket/Bracket.h"
#include "options/ProfileFile.h"
#include "options/Switches.h"
#include "platform/Error.h"
#include "platform/FileWriting.h"
#include "platform/JpegFile.h"
#include "playoff/PlayoffFile.h"
#include "teams/TeamList.h"
#include "platform/Paths.h"
#include "support/Platform.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace kivp {
namespace {

using test::crlf;
using test::readBytes;
using test::TempDir;
using ::testing::ThrowsMessage;

TEST(PlayoffFileWinCounts, AWinCountNoSeriesCanReachIsRefusedAndTheBracketKeepsItsState) {
    TempDir dir;
    Bracket played;
    played.applyTeams({"ASHVALE", "BRINDLE", "CORRIE", "DUNMERE", "EASTON", "FARROW", "GLENNIS", "HOLM"});
    played.creditGame(1, 1, 2);
    savePlayoffFile(dir.file("good.kvp"), played, dir.path());
    Lines lines = loadLines(dir.file("good.kvp"));
    for (const std::string huge : {"2147483647", "5", "-1"}) {
        lines[17] = huge;
        saveLines(dir.file("huge.kvp"), lines);
        Bracket bracket = played;
        EXPECT_THAT([&] { loadPlayoffFile(dir.file("huge.kvp"), bracket); },
                    ThrowsMessage<Error>("Line 18 of the playoff file holds the win count " + huge +
                                         ", which no series can reach (a series ends at 4 wins)."));
        EXPECT_EQ(bracket.winCount(1), "1") << "nothing of the file was applied";
    }
    // A count kivp never writes but that crediting could reach from still never overflows.
    Bracket bracket = played;
    bracket.setWinCount(1, "2147483647");
    EXPECT_THROW(bracket.creditGame(1, 1, 2), Error);
    EXPECT_EQ(bracket.winCount(1), "2147483647");
}

TEST(PictureSize, APictureDeclaringAHugeSizeIsRefusedBeforeAnythingIsAllocated) {
    // A real 16 x 8 picture whose frame header is made to declare 30000 x 30000 pixels.
    std::string bytes = readBytes(std::string(KIVP_TEST_DATA) + "/pictures/red-16x8.jpg");
    const auto frame = bytes.find("\xFF\xC0");
    ASSERT_NE(frame, std::string::npos);
    for (std::size_t i : {frame + 5, frame + 7}) {
        bytes[i] = static_cast<char>(30000 >> 8);
        bytes[i + 1] = static_cast<char>(30000 & 0xFF);
    }
    TempDir dir;
    std::string refusal;
    EXPECT_FALSE(decodeJpegFile(dir.write("bomb.jpg", bytes), &refusal).has_value());
    EXPECT_EQ(refusal, "The picture " + dir.file("bomb.jpg") +
                           " is 30000 x 30000 pixels, too large for a bracket background (at most 8192 pixels on "
                           "a side and 64 megapixels).");
    EXPECT_TRUE(pictureSizeProblem("p", 8192, 7813).has_value()) << "64 megapixels is the most";
    EXPECT_FALSE(pictureSizeProblem("p", 8192, 7800).has_value());
}

TEST(SettingsFile, AValueHoldingALineBreakIsRefusedAndNothingIsWritten) {
    TempDir dir;
    const std::string before = crlf({"[Location]", "Directory=/teams"});
    const std::string path = dir.write("kivp.ini", before);
    ProfileFile file(path);
    EXPECT_THAT([&] { file.writeString("Location", "Directory", "/a\r\n[Options]\r\nKIV Version=3"); },
                ThrowsMessage<Error>("The setting \"Directory\" cannot be saved in " + path + ": its value contains "
                                     "a line break (/a\\x0D\\x0A[Options]\\x0D\\x0AKIV Version=3)."));
    file.save();
    EXPECT_EQ(readBytes(path), before);
}

// Both as the Windows profile functions read them: a UTF-8 mark before the first section and a key line
// without "=" (missing for reads; a write fills it in place).
TEST(SettingsFile, AByteOrderMarkIsSkippedAndKeptAndAKeyWithoutEqualsSignReadsAsMissingAndIsWrittenInPlace) {
    TempDir dir;
    const std::string path =
        dir.write("kivp.ini", "\xEF\xBB\xBF" + crlf({"[Team Options]", "Use DH", "Other=1"}));
    ProfileFile file(path);
    EXPECT_EQ(file.readString("Team Options", "Other", ""), "1");
    EXPECT_FALSE(file.hasKey("Team Options", "use dh"));
    EXPECT_EQ(file.readString("Team Options", "Use DH", "36"), "36");
    EXPECT_EQ(file.readInteger("Team Options", "Use DH", 7), 7);
    file.writeInteger("Team Options", "Use DH", 1);
    file.save();
    EXPECT_EQ(readBytes(path), "\xEF\xBB\xBF" + crlf({"[Team Options]", "Use DH=1", "Other=1"}));
}

TEST(CommandFiles, WhenEitherCannotBeWrittenNeitherChangesAndTheMessageNamesTheOneThatFailed) {
    // What stops the write: a read-only file of either name, or a full disk.
    const std::pair<std::string, std::string> rows[] = {
        {"SERIES", "SERIES"}, {"SERIES.kivb", "SERIES.kivb"}, {"a full disk", "SERIES"}};
    for (const auto& [blocked, named] : rows) {
        TempDir dir;
        dir.write("SERIES", "old\r\n");
        dir.write("SERIES.kivb", "old\r\n");
        const auto write = [&] { writeCommandFiles(dir.path(), "SERIES", " /p:new"); };
        if (blocked == "a full disk") {
            const auto text = test::onAFullDisk(write);
            if (!text)
                continue; // no full disk to be had here
            EXPECT_EQ(*text, "Cannot create file " + dir.file(named));
        } else {
            test::chmodPath(dir.file(blocked), 0444);
            EXPECT_THAT(write, ThrowsMessage<Error>("Cannot create file " + dir.file(named)));
        }
        EXPECT_EQ(readBytes(dir.file("SERIES")), "old\r\n") << blocked;
        EXPECT_EQ(readBytes(dir.file("SERIES.kivb")), "old\r\n") << blocked;
        EXPECT_EQ(test::entries(dir.path()).size(), 2u) << "no temporary file left";
    }
}

TEST(FileReplacement, ANameNearTheFileSystemLimitCanBeSaved) {
    TempDir dir;
    const std::string path = dir.file(std::string(240, 'p') + ".kvp");
    EXPECT_TRUE(replaceFile(path, "x"));
    EXPECT_EQ(readBytes(path), "x");
}

TEST(ErrorTexts, AreNeverCutAndShowControlCharactersVisibly) {
    EXPECT_EQ(Error::notAnInteger(std::string("0\x01\x00z", 4)).text(), "'0\\x01\\x00z' is not a valid integer value");
    // A playoff file saved as UTF-16: the mark's bytes are not UTF-8.
    EXPECT_EQ(Error::notAnInteger(std::string("\xFF\xFE" "0\x00", 4)).text(),
              "'\\xFF\\xFE0\\x00' is not a valid integer value");
    EXPECT_EQ(Error::cannotOpen("/équipe/ASH\x7F").text(), "Cannot open file /équipe/ASH\\x7F") << "UTF-8 stays";
}

TEST(TeamFolder, ANameThatCannotReachTheSimulatorOrTheSettingsIsRefused) {
    EXPECT_FALSE(teamFolderProblem("/home/me/Sim Games").has_value());
    EXPECT_EQ(teamFolderProblem("/home/me/teams "),
              "The folder /home/me/teams  cannot be the team folder: a folder name in it ends in a space, which "
              "the simulator's command line cannot carry.");
    EXPECT_TRUE(teamFolderProblem(std::string("/home/me ") + kPathSeparator + "teams").has_value());
    EXPECT_EQ(teamFolderProblem("/home/me/a\nb"),
              "The folder /home/me/a\\x0Ab cannot be the team folder: its name contains a line break, which "
              "kivp.ini cannot keep.");
}

} // namespace
} // namespace kivp
