// Listing a team folder on Windows: FindFirstFileW's "*.dat", in a folder whose path holds spaces and letters
// beyond ASCII, names and all kept as UTF-8.

#include "platform/Paths.h"
#include "teams/TeamList.h"

#include "support/RecordingPrompts.h"
#include "support/TempDir.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kivp {
namespace {

using Names = std::vector<std::string>;

TEST(WindowsTeamFolder, NamedWithNonAsciiCharactersListsItsTeamsByTheirUtf8Names) {
    test::TempDir dir;
    const std::string folder = dir.mkdir("Ligue d'été 1999/Équipes");
    const std::string title = "*" + std::string(40, 'T');
    for (const char* name : {"Orléans.dat", "ZÜRICH.DAT", "Cubs.Dat", "notes.txt"})
        dir.write(std::string("Ligue d'été 1999/Équipes/") + name, title);
    dir.mkdir("Ligue d'été 1999/Équipes/folder.dat");
    test::RecordingPrompts prompts;
    Names teams = listTeams(folder, prompts);
    std::sort(teams.begin(), teams.end());
    EXPECT_EQ(teams, (Names{"Cubs", "Orléans", "ZÜRICH"}));
    EXPECT_TRUE(prompts.messages().empty());
}

} // namespace
} // namespace kivp
