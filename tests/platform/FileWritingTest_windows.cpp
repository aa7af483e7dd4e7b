// Files on Windows: the read-only attribute refuses a replacement, as the permission bits do on Linux.

#include "platform/FileWriting.h"
#include "platform/SideFileReplace.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kivp {
namespace {

TEST(WindowsReadOnlyFile, IsRefusedByEveryWriteAndKeptExactly) {
    test::TempDir dir;
    const auto path = dir.write("kivp.ini", "old");
    test::chmodPath(path, 0444);
    EXPECT_FALSE(mayReplace(path));
    EXPECT_FALSE(replaceFile(path, "new"));
    EXPECT_FALSE(replaceFileBySide(path, dir.file("kivp.ini.new"), "new"));
    EXPECT_FALSE(emptyFileInPlace(path));
    EXPECT_EQ(test::readBytes(path), "old");
    EXPECT_EQ(test::entries(dir.path()), std::vector<std::string>{"kivp.ini"});

    test::chmodPath(path, 0644);
    EXPECT_TRUE(replaceFile(path, "new"));
    EXPECT_EQ(test::readBytes(path), "new");
    EXPECT_EQ(test::entries(dir.path()), std::vector<std::string>{"kivp.ini"});
}

} // namespace
} // namespace kivp
