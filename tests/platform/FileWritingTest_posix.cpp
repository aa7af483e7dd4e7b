#include "platform/Error.h"
#include "platform/FileWriting.h"
#include "platform/SideFileReplace.h"
#include "platform/TextFile.h"
#include "support/TempDir.h"

#include <csignal>
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
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

// A disk that fills up part-way through the new content: the old file stays, and no temporary file is left.
TEST(ReplaceFile, AWriteThatFailsPartWayLeavesTheOldFileAndNoTemporaryFile) {
    TempDir dir;
    const auto path = dir.write("kivp.ini", "old");
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{4096, limit.rlim_max};
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const bool replaced = replaceFile(path, std::string(65536, 'x'));
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(replaced);
    EXPECT_EQ(test::readBytes(path), "old");
    EXPECT_EQ(test::entries(dir.path()), Names{"kivp.ini"});
}

// Whatever is left at the side file's name (a pipe that would block, a link to another file) is replaced by a
// fresh file, never written through.
TEST(ReplaceFileBySide, NeverWritesThroughALinkOrIntoAPipeAtTheSideFilesName) {
    TempDir dir;
    const auto victim = dir.write("victim.txt", "keep");
    for (const char* kind : {"link", "pipe"}) {
        SCOPED_TRACE(kind);
        const auto side = dir.file("kivp-autosave.kvpauto.new");
        std::remove(side.c_str());
        if (std::string(kind) == "link")
            ASSERT_EQ(symlink(victim.c_str(), side.c_str()), 0);
        else
            ASSERT_EQ(mkfifo(side.c_str(), 0644), 0);
        ASSERT_TRUE(replaceFileBySide(dir.file("kivp-autosave.kvpauto"), side, kind));
        EXPECT_EQ(test::readBytes(dir.file("kivp-autosave.kvpauto")), kind);
        EXPECT_EQ(test::readBytes(victim), "keep");
    }
}

// Emptying and creating are checked with the statistics files; the game's line-score file needs the refusal.
TEST(EmptyFileInPlace, ReportsAFileItMayNotWriteAndLeavesItAlone) {
    TempDir dir;
    const auto locked = dir.write("LOCKED.sts", "keep");
    test::chmodPath(locked, 0444);
    EXPECT_FALSE(emptyFileInPlace(locked));
    EXPECT_EQ(test::readBytes(locked), "keep");
}

TEST(FileReplacement, ALinkThatLoopsIsRefusedAndLeftAlone) {
    TempDir dir;
    ASSERT_EQ(symlink("b.kvp", dir.file("a.kvp").c_str()), 0);
    ASSERT_EQ(symlink("a.kvp", dir.file("b.kvp").c_str()), 0);
    ASSERT_EQ(symlink("self.kvp", dir.file("self.kvp").c_str()), 0);
    for (const char* name : {"a.kvp", "self.kvp"}) {
        EXPECT_THAT([&] { saveLines(dir.file(name), {"1"}); },
                    ::testing::ThrowsMessage<Error>("Cannot create file " + dir.file(name)));
        EXPECT_TRUE(std::filesystem::is_symlink(dir.file(name)));
    }
    EXPECT_EQ(test::entries(dir.path()).size(), 3u);
}

} // namespace
} // namespace kivp
