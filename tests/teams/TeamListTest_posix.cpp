// Listing a team folder as Linux does: the files are sorted the way Windows lists them, links count for the
// files they point to, and names no Windows file can have are still refused.

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

std::string titleOf(std::size_t length) {
    std::string line;
    for (std::size_t i = 0; i < length; ++i)
        line += i == 0 ? '*' : static_cast<char>('A' + i % 26);
    return line;
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
