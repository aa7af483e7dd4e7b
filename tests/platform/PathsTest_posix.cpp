#include "platform/Paths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kivp {
namespace {

using test::TempDir;

TEST(Paths, ShortFormIsTheAbsolutePathOfAnExistingFolderElseEmpty) {
    TempDir dir;
    const auto teams = dir.mkdir("Sim Games/Teams");
    EXPECT_EQ(shortPathOfFolder(teams), teams);
    EXPECT_EQ(shortPathOfFolder(teams + "/"), teams);
    EXPECT_EQ(shortPathOfFolder(dir.file("gone")), "");
    EXPECT_EQ(shortPathOfFolder(dir.write("file.txt", "x")), "");
    EXPECT_EQ(listFiles(""), std::vector<std::string>{}) << "no folder is not the working folder";

    const auto here = currentDirectory();
    ASSERT_TRUE(setCurrentDirectory(dir.path()));
    EXPECT_EQ(shortPathOfFolder("Sim Games"), dir.path() + "/Sim Games");
    ASSERT_TRUE(setCurrentDirectory(here));
}

TEST(Paths, ResolvesNamesIgnoringCaseOnlyWhenTheExactNameIsMissing) {
    TempDir dir;
    dir.write("KIVP.INI", "");
    EXPECT_EQ(resolveIgnoringCase(dir.file("kivp.ini")), dir.file("KIVP.INI"));
    dir.write("kivp.ini", "");
    EXPECT_EQ(resolveIgnoringCase(dir.file("kivp.ini")), dir.file("kivp.ini"));
    EXPECT_EQ(resolveIgnoringCase(dir.file("other.ini")), dir.file("other.ini"));
}

} // namespace
} // namespace kivp
