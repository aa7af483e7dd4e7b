#include "teams/TeamList.h"

#include "support/RecordingPrompts.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace kivp {
namespace {

using test::RecordingPrompts;
using test::TempDir;

const std::string kRenameAdvice =
    "Errors of this type are resolved by renaming the file extension\n or removing it from the directory";
const std::string kTitleAdvice = "This error could be caused by an improper title\n line in the .dat file.";

// "*" and then the letters from B on: character n of the line is easy to tell.
std::string titleOf(std::size_t length, char marker = '*') {
    std::string line;
    for (std::size_t i = 0; i < length; ++i)
        line += i == 0 ? marker : static_cast<char>('A' + i % 26);
    return line;
}

struct TitleCase {
    const char* name;
    std::string fileBytes;
    bool listed;
    std::string message; // after "Error decoding team:\nFile name:  TEAM.dat\n"; empty for none
};

void PrintTo(const TitleCase& c, std::ostream* os) {
    *os << c.name;
}

class TitleLine : public ::testing::TestWithParam<TitleCase> {};

TEST_P(TitleLine, DecodesAsTheTeamPickersAlwaysHave) {
    const auto& c = GetParam();
    TempDir dir;
    dir.write("TEAM.dat", c.fileBytes);
    RecordingPrompts prompts;
    EXPECT_EQ(listTeams(dir.path(), prompts),
              c.listed ? std::vector<std::string>{"TEAM"} : std::vector<std::string>{});
    if (c.message.empty())
        EXPECT_TRUE(prompts.calls.empty());
    else
        EXPECT_EQ(prompts.messages(),
                  std::vector<std::string>{"Error decoding team:\nFile name:  TEAM.dat\n" + c.message});
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, TitleLine,
    ::testing::Values(
        TitleCase{"EmptyFile", "", false, "--No data in line--\n\n" + kRenameAdvice},
        TitleCase{"EmptyFirstLine", "\r\n" + titleOf(40) + "\r\n", false,
                  "--No data in line--\n\n" + kRenameAdvice},
        TitleCase{"OneCharacter", "*\r\n", false, "--No data in line--\n\n" + kRenameAdvice},
        TitleCase{"Two", "*B\r\n", false, "in line 1, position 9 --B --\n\n" + kTitleAdvice},
        TitleCase{"Five", "*BCDE\r\n", false, "in line 1, position 9 --B --\n\n" + kTitleAdvice},
        TitleCase{"Nine", titleOf(9), false, "in line 1, position 9 --B --\n\n" + kTitleAdvice},
        TitleCase{"Ten", titleOf(10), false, "in line 1, position 10 --B J --\n\n" + kTitleAdvice},
        TitleCase{"TwentySix", titleOf(26) + "\r\n", false,
                  "in line 1, position 26 --B J KLMNOPQRSTUVWXYZ--\n\n" + kTitleAdvice},
        TitleCase{"TwentySeven", titleOf(27) + "\r\nmore\r\n", true, ""},
        TitleCase{"Longer", titleOf(60) + "\n", true, ""},
        TitleCase{"CrOnlyLineEnd", titleOf(27) + "\rrest", true, ""},
        TitleCase{"LineEndCutsItShort", titleOf(20) + "\r\n" + titleOf(20), false,
                  "in line 1, position 20 --B J KLMNOPQRST--\n\n" + kTitleAdvice},
        TitleCase{"NoStarLongEnough", titleOf(40, '#'), false, ""},
        TitleCase{"NoStarTooShort", titleOf(5, '#'), false,
                  "in line 1, position 9 --B --\n\n" + kRenameAdvice},
        TitleCase{"NoStarTwelve", titleOf(12, ' '), false,
                  "in line 1, position 12 --B J KL--\n\n" + kRenameAdvice}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ListTeams, NamesComeFromTheFileNamesInWindowsOrder) {
    TempDir dir;
    const std::string title = titleOf(30);
    for (const char* name :
         {"nyy.dat", "abcdefghij.dat", "x.dat", "Cubs.DAT", "abcdefghXY.Dat", "BRAVES.dAt"})
        dir.write(name, title);
    dir.write("notes.txt", title);
    dir.write("team.dat.bak", title);
    dir.mkdir("folder.dat");
    ASSERT_EQ(symlink("nyy.dat", dir.file("linked.dat").c_str()), 0);
    RecordingPrompts prompts;
    EXPECT_EQ(listTeams(dir.path(), prompts),
              (std::vector<std::string>{"abcdefgh", "abcdefgh", "BRAVES", "Cubs", "linked", "nyy", "x"}));
    EXPECT_TRUE(prompts.calls.empty());
}

TEST(ListTeams, NamesHoldingControlCharactersAreSkippedSilently) {
    TempDir dir;
    for (const char* name : {"line\nbreak.dat", "tab\tname.dat", "bell\x07.dat", "del\x7f.dat"})
        dir.write(name, "short");
    dir.write("GOOD.dat", titleOf(27));
    RecordingPrompts prompts;
    EXPECT_EQ(listTeams(dir.path(), prompts), std::vector<std::string>{"GOOD"});
    EXPECT_TRUE(prompts.calls.empty());
}

TEST(ListTeams, AMissingOrEmptyFolderTextListsNothingAndSaysNothing) {
    TempDir dir;
    RecordingPrompts prompts;
    EXPECT_TRUE(listTeams(dir.file("nowhere"), prompts).empty());
    EXPECT_TRUE(listTeams("", prompts).empty());
    EXPECT_TRUE(listTeams(dir.path(), prompts).empty());
    EXPECT_TRUE(prompts.calls.empty());
}

TEST(ListTeams, EachBadFileGetsItsOwnMessageAndTheRestAreListed) {
    TempDir dir;
    dir.write("A.dat", titleOf(30));
    dir.write("B.dat", "");
    dir.write("C.dat", titleOf(12));
    dir.write("D.dat", titleOf(27));
    RecordingPrompts prompts;
    EXPECT_EQ(listTeams(dir.path(), prompts), (std::vector<std::string>{"A", "D"}));
    const auto messages = prompts.messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].rfind("Error decoding team:\nFile name:  B.dat\n--No data", 0), 0u);
    EXPECT_EQ(messages[1].rfind("Error decoding team:\nFile name:  C.dat\nin line 1, position 12", 0), 0u);
}

TEST(ListTeams, AnUnreadableFileIsReportedAsHavingNoData) {
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser reads any file";
    TempDir dir;
    const auto path = dir.write("LOCKED.dat", titleOf(30));
    test::chmodPath(path, 0);
    RecordingPrompts prompts;
    EXPECT_TRUE(listTeams(dir.path(), prompts).empty());
    EXPECT_EQ(prompts.messages(),
              std::vector<std::string>{
                  "Error decoding team:\nFile name:  LOCKED.dat\n--No data in line--\n\n" + kRenameAdvice});
}

} // namespace
} // namespace kivp
