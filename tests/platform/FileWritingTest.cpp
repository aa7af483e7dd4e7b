#include "platform/FileWriting.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kivp {
namespace {

using test::TempDir;

unsigned modeOf(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

TEST(ReplaceFile, CreatesANewFileAndLeavesNothingElse) {
    TempDir dir;
    EXPECT_TRUE(replaceFile(dir.file("new.txt"), "hello"));
    EXPECT_EQ(test::readBytes(dir.file("new.txt")), "hello");
    EXPECT_EQ(test::entries(dir.path()), (std::vector<std::string>{"new.txt"}));
}

TEST(ReplaceFile, ReplacesContentAndKeepsPermissionBits) {
    TempDir dir;
    const auto path = dir.write("kivp.ini", "old");
    test::chmodPath(path, 0640);
    EXPECT_TRUE(replaceFile(path, "new"));
    EXPECT_EQ(test::readBytes(path), "new");
    EXPECT_EQ(modeOf(path), 0640u);
}

TEST(ReplaceFile, RefusesAReadOnlyTargetAndKeepsIt) {
    TempDir dir;
    const auto path = dir.write("kivp.ini", "old");
    test::chmodPath(path, 0444);
    EXPECT_FALSE(replaceFile(path, "new"));
    EXPECT_EQ(test::readBytes(path), "old");
    EXPECT_EQ(test::entries(dir.path()), (std::vector<std::string>{"kivp.ini"}));
}

TEST(ReplaceFile, RefusesAReadOnlyFolderAndLeavesNoTemporaryFile) {
    TempDir dir;
    const auto folder = dir.mkdir("locked");
    const auto existing = folder + "/kivp.ini";
    ASSERT_TRUE(replaceFile(existing, "old"));
    test::chmodPath(folder, 0555);
    EXPECT_FALSE(replaceFile(existing, "new"));
    EXPECT_FALSE(replaceFile(folder + "/other.txt", "new"));
    test::chmodPath(folder, 0755);
    EXPECT_EQ(test::readBytes(existing), "old");
    EXPECT_EQ(test::entries(folder), (std::vector<std::string>{"kivp.ini"}));
}

TEST(ReplaceFile, RefusesAFolderOrAMissingFolderAsTarget) {
    TempDir dir;
    dir.mkdir("sub");
    EXPECT_FALSE(replaceFile(dir.file("sub"), "x"));
    EXPECT_FALSE(replaceFile(dir.file("nowhere/file.txt"), "x"));
    EXPECT_FALSE(replaceFile("", "x"));
}

TEST(ReplaceFile, WritesThroughALinkAndKeepsTheLink) {
    TempDir dir;
    const auto real = dir.write("real.ini", "old");
    const auto link = dir.file("link.ini");
    ASSERT_EQ(symlink("real.ini", link.c_str()), 0);
    EXPECT_TRUE(replaceFile(link, "new"));
    EXPECT_EQ(test::readBytes(real), "new");
    struct stat st {};
    lstat(link.c_str(), &st);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST(EmptyFileInPlace, EmptiesOrCreatesButRespectsReadOnly) {
    TempDir dir;
    const auto stats = dir.write("LEAGUE.sts", "lots of numbers");
    EXPECT_TRUE(emptyFileInPlace(stats));
    EXPECT_EQ(test::readBytes(stats), "");

    EXPECT_TRUE(emptyFileInPlace(dir.file("BOX")));
    EXPECT_TRUE(test::exists(dir.file("BOX")));

    const auto locked = dir.write("LOCKED.sts", "keep");
    test::chmodPath(locked, 0444);
    EXPECT_FALSE(emptyFileInPlace(locked));
    EXPECT_EQ(test::readBytes(locked), "keep");
}

} // namespace
} // namespace kivp
