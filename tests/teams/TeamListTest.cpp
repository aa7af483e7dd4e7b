#include "teams/TeamList.h"

#include "support/RecordingPrompts.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace kivp {
namespace {

using test::RecordingPrompts;
using test::TempDir;
using Names = std::vector<std::string>;

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

TEST(TitleLine, DecodesAsTheTeamPickersAlwaysHave) {
    const std::vector<TitleCase> table = {
        {"EmptyFile", "", false, kNoData},
        {"OneCharacter", "*\r\n", false, kNoData},
        {"EmptyFirstLineBeforeAGoodOne", "\n" + titleOf(40), false, kNoData},
        {"Two", "*B\n", false, shortTitle(9, "B ")},
        {"Nine", titleOf(9), false, shortTitle(9, "B ")},
        {"Ten", titleOf(10), false, shortTitle(10, "B J ")},
        {"TwentySix", titleOf(26) + "\r\n", false, shortTitle(26, "B J KLMNOPQRSTUVWXYZ")},
        {"TwentySeven", titleOf(27) + "\r\nmore\r\n", true, ""},
        {"CrEndsTheLine", titleOf(20) + "\r" + titleOf(20), false, shortTitle(20, "B J KLMNOPQRST")},
        {"NoStarLongEnough", titleOf(40, '#'), false, ""},
        {"NoStarTooShort", titleOf(12, ' '), false, shortTitle(12, "B J KL", kRenameAdvice)},
        {"Unreadable", titleOf(30), false, kNoData, true}};
    for (const auto& c : table) {
        if (c.unreadable && geteuid() == 0)
            continue; // the superuser reads any file
        SCOPED_TRACE(c.name);
        TempDir dir;
        const auto path = dir.write("TEAM.dat", c.fileBytes);
        if (c.unreadable)
            test::chmodPath(path, 0);
        RecordingPrompts prompts;
        EXPECT_EQ(listTeams(dir.path(), prompts), c.listed ? Names{"TEAM"} : Names{});
        const std::string message = "Error decoding team:\nFile name:  TEAM.dat\n" + c.message;
        EXPECT_EQ(prompts.messages(), c.message.empty() ? Names{} : Names{message});
    }
}

// A name is cut to eight characters (never inside a character), and one ending in a space is reported.
// Windows compares names upper-cased, so "_" (after "Z") sorts after the letters.
TEST(ListTeams, NamesComeFromTheFileNamesInWindowsOrderAndEachBadFileIsReportedOnItsOwn) {
    TempDir dir;
    for (const char* name : {"nyy.dat", "abcdefghij.dat", "x.dat", "Cubs.DAT", "abcdefghXY.Dat", "BRAVES.dAt",
                             "notes.txt", "team.dat.bak", "abcdefgé.dat", "ASH .dat", "ASHVALE X.dat",
                             "a_x.dat", "aZ.dat"})
        dir.write(name, titleOf(30));
    dir.write("MARKED.dat", "\xEF\xBB\xBF" + titleOf(30));
    dir.write("B.dat", "");
    dir.write("C.dat", titleOf(12));
    dir.mkdir("folder.dat");
    ASSERT_EQ(symlink("nyy.dat", dir.file("linked.dat").c_str()), 0);
    ASSERT_EQ(symlink("missing", dir.file("broken.dat").c_str()), 0);
    // Such names could not be stored one per line in a playoff file.
    for (const char* name : {"line\nbreak.dat", "tab\tname.dat", "bell\x07.dat", "del\x7f.dat"})
        dir.write(name, "short");
    RecordingPrompts prompts;
    EXPECT_EQ(listTeams(dir.path(), prompts),
              (Names{"abcdefgh", "abcdefgh", "abcdefgé", "aZ", "a_x", "BRAVES", "Cubs", "linked", "MARKED",
                     "nyy", "x"}));
    const auto messages = prompts.messages();
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[0], "The team file ASH .dat cannot be played: its team name \"ASH \" ends in a "
                           "space, which the simulator's command line cannot carry.\nRename the file "
                           "without the space to play this team.");
    EXPECT_EQ(messages[1].rfind("The team file ASHVALE X.dat cannot be played", 0), 0u);
    EXPECT_EQ(messages[2].rfind("Error decoding team:\nFile name:  B.dat\n--No data", 0), 0u);
    EXPECT_EQ(messages[3].rfind("Error decoding team:\nFile name:  C.dat\nin line 1, position 12", 0), 0u);

    // A folder that does not exist, an empty folder text and an empty folder list nothing and say nothing.
    prompts.clear();
    for (const std::string& folder : {dir.file("nowhere"), std::string(), dir.mkdir("empty")})
        EXPECT_TRUE(listTeams(folder, prompts).empty()) << folder;
    EXPECT_TRUE(prompts.calls.empty());
}

} // namespace
} // namespace kivp
