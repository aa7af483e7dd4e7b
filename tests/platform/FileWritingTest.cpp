#include "platform/FileWriting.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kivp {
namespace {

using test::TempDir;
using Names = std::vector<std::string>;

TEST(ReplaceFile, CreatesThenReplacesThroughALinkKeepingTheLinkThePermissionBitsAndNoTemporaryFile) {
    TempDir dir;
    const auto path = dir.file("kivp.ini");
    const auto link = dir.file("link.ini");
    ASSERT_EQ(symlink("kivp.ini", link.c_str()), 0);
    ASSERT_TRUE(replaceFile(path, "old"));
    test::chmodPath(path, 0640);
    EXPECT_TRUE(replaceFile(link, "new"));
    EXPECT_EQ(test::readBytes(path), "new");
    struct stat st {};
    stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    lstat(link.c_str(), &st);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(test::entries(dir.path()), (Names{"kivp.ini", "link.ini"}));
}

// Permission bits count even for the superuser, the way a read-only attribute does on Windows.
TEST(ReplaceFile, RefusesWhatItMayNotReplaceAndLeavesEveryFileAsItWas) {
    TempDir dir;
    const auto readOnly = dir.write("readonly.ini", "old");
    test::chmodPath(readOnly, 0444);
    const auto locked = dir.mkdir("locked");
    const auto inLocked = dir.write("locked/kivp.ini", "old");
    test::chmodPath(locked, 0555);
    dir.mkdir("sub");
    for (const auto& path : {readOnly, inLocked, locked + "/new.txt", dir.file("sub"),
                             dir.file("nowhere/file.txt"), std::string()})
        EXPECT_FALSE(replaceFile(path, "new")) << path;
    EXPECT_EQ(test::readBytes(readOnly) + test::readBytes(inLocked), "oldold");
    EXPECT_EQ(test::entries(dir.path()), (Names{"locked", "readonly.ini", "sub"}));
    EXPECT_EQ(test::entries(locked), Names{"kivp.ini"});
}

// Emptying and creating are checked with the statistics files; the game's line-score file needs the refusal.
TEST(EmptyFileInPlace, ReportsAFileItMayNotWriteAndLeavesItAlone) {
    TempDir dir;
    const auto locked = dir.write("LOCKED.sts", "keep");
    test::chmodPath(locked, 0444);
    EXPECT_FALSE(emptyFileInPlace(locked));
    EXPECT_EQ(test::readBytes(locked), "keep");
}

} // namespace
} // namespace kivp
