#include "teams/TeamList.h"

#include "support/RecordingPrompts.h"
#include "support/TempDir.h"
#include "support/TableRows.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace kivp {
namespace {

using test::PrintTo;

using test::RecordingPrompts;
using test::TempDir;

const std::string kRenameAdvice =
    "Errors of this type are resolved by renaming the file extension\n or removing it from the directory";
const std::string kTitleAdvice = "This error could be caused by an improper title\n line in the .dat file.";
const std::string kNoData = "--No data in line--\n\n" + kRenameAdvice;

// "*" and then the letters from B on: character n of the line is easy to tell.
std::string titleOf(std::size_t length, char marker = '*') {
    std::string line;
    for (std::size_t i = 0; i < length; ++i)
        line += i == 0 ? marker : static_cast<char>('A' + i % 26);
    return line;
}

std::string shortTitle(int position, const std::string& decoded, const std::string& advice = kTitleAdvice) {
    return "in line 1, position " + std::to_string(position) + " --" + decoded + "--\n\n" + advice;
}

struct TitleCase {
    const char* name;
    std::string fileBytes;
    bool listed;
    std::string message; // after "Error decoding team:\nFile name:  TEAM.dat\n"; empty for none
    bool unreadable = false;
};

class TitleLine : public ::testing::TestWithParam<TitleCase> {};

TEST_P(TitleLine, DecodesAsTheTeamPickersAlwaysHave) {
    const auto& c = GetParam();
    if (c.unreadable && geteuid() == 0)
        GTEST_SKIP() << "the superuser reads any file";
    TempDir dir;
    const auto path = dir.write("TEAM.dat", c.fileBytes);
    if (c.unreadable)
        test::chmodPath(path, 0);
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
        TitleCase{"EmptyFile", "", false, kNoData}, TitleCase{"OneCharacter", "*\r\n", false, kNoData},
        TitleCase{"EmptyFirstLineBeforeAGoodOne", "\n" + titleOf(40), false, kNoData},
        TitleCase{"Two", "*B\n", false, shortTitle(9, "B ")},
        TitleCase{"Nine", titleOf(9), false, shortTitle(9, "B ")},
        TitleCase{"Ten", titleOf(10), false, shortTitle(10, "B J ")},
        TitleCase{"TwentySix", titleOf(26) + "\r\n", false, shortTitle(26, "B J KLMNOPQRSTUVWXYZ")},
        TitleCase{"TwentySeven", titleOf(27) + "\r\nmore\r\n", true, ""},
        TitleCase{"CrEndsTheLine", titleOf(20) + "\r" + titleOf(20), false, shortTitle(20, "B J KLMNOPQRST")},
        TitleCase{"NoStarLongEnough", titleOf(40, '#'), false, ""},
        TitleCase{"NoStarTooShort", titleOf(12, ' '), false, shortTitle(12, "B J KL", kRenameAdvice)},
        TitleCase{"Unreadable", titleOf(30), false, kNoData, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ListTeams, NamesComeFromTheFileNamesInWindowsOrderAndEachBadFileIsReportedOnItsOwn) {
    TempDir dir;
    for (const char* name : {"nyy.dat", "abcdefghij.dat", "x.dat", "Cubs.DAT", "abcdefghXY.Dat", "BRAVES.dAt",
                             "notes.txt", "team.dat.bak"})
        dir.write(name, titleOf(30));
    dir.write("B.dat", "");
    dir.write("C.dat", titleOf(12));
    dir.mkdir("folder.dat");
    ASSERT_EQ(symlink("nyy.dat", dir.file("linked.dat").c_str()), 0);
    // Such names could not be stored one per line in a playoff file.
    for (const char* name : {"line\nbreak.dat", "tab\tname.dat", "bell\x07.dat", "del\x7f.dat"})
        dir.write(name, "short");
    RecordingPrompts prompts;
    EXPECT_EQ(listTeams(dir.path(), prompts),
              (std::vector<std::string>{"abcdefgh", "abcdefgh", "BRAVES", "Cubs", "linked", "nyy", "x"}));
    const auto messages = prompts.messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].rfind("Error decoding team:\nFile name:  B.dat\n--No data", 0), 0u);
    EXPECT_EQ(messages[1].rfind("Error decoding team:\nFile name:  C.dat\nin line 1, position 12", 0), 0u);

    // A folder that does not exist, an empty folder text and an empty folder list nothing and say nothing.
    prompts.clear();
    for (const std::string& folder : {dir.file("nowhere"), std::string(), dir.mkdir("empty")})
        EXPECT_TRUE(listTeams(folder, prompts).empty()) << folder;
    EXPECT_TRUE(prompts.calls.empty());
}

} // namespace
} // namespace kivp
