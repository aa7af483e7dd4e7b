// Folders on Windows: the short form the simulator is given is GetShortPathNameW's, and it names the same folder.

#include "platform/Paths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <regex>

namespace kivp {
namespace {

TEST(WindowsShortForm, OfAFolderWithSpacesHasOnlyShortNamesAndReachesTheSameFolder) {
    test::TempDir dir;
    const auto teams = dir.mkdir("Sim Games/All Stars 1999");
    dir.write("Sim Games/All Stars 1999/ASHVALE.dat", "*team");
    const std::string shortForm = shortPathOfFolder(teams);
    const std::string name = R"([^ .\\]{1,8}(\.[^ .\\]{1,3})?)";
    EXPECT_TRUE(std::regex_match(shortForm, std::regex("[A-Za-z]:(\\\\" + name + ")+"))) << shortForm;
    EXPECT_EQ(test::readBytes(joinPath(shortForm, "ASHVALE.dat")), "*team");
    EXPECT_EQ(shortPathOfFolder(teams + "\\"), shortForm);
    EXPECT_EQ(shortPathOfFolder(dir.file("gone")), "");

    const auto here = currentDirectory();
    ASSERT_TRUE(setCurrentDirectory(dir.path()));
    EXPECT_EQ(shortPathOfFolder("Sim Games\\All Stars 1999"), shortForm);
    ASSERT_TRUE(setCurrentDirectory(here));
}

} // namespace
} // namespace kivp
