// The lock that keeps a second kivp off a program folder: one holder at a time, and never left behind by a
// holder that ends, however it ends.

#include "platform/InstanceLock.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace kivp {
namespace {

using State = InstanceLock::State;

TEST(InstanceLock, IsHeldByOneAtATimeAndFreedByReleaseOrByTheDeathOfItsHolder) {
    test::TempDir dir;
    const std::string path = dir.file("kivp.lock");
    InstanceLock first(path);
    ASSERT_EQ(first.state(), State::Held);
    EXPECT_EQ(InstanceLock(path).state(), State::HeldElsewhere);
    first.release();
    EXPECT_EQ(InstanceLock(path).state(), State::Held);

    // Another process takes the lock and is killed while it holds it, as a crash would end it.
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t holder = fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        const InstanceLock lock(path);
        const char held = lock.held() ? 'y' : 'n';
        (void)!write(ready[1], &held, 1);
        pause();
        _exit(0);
    }
    char held = 0;
    ASSERT_EQ(read(ready[0], &held, 1), 1);
    ASSERT_EQ(held, 'y');
    EXPECT_EQ(InstanceLock(path).state(), State::HeldElsewhere);
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    EXPECT_EQ(InstanceLock(path).state(), State::Held);
    close(ready[0]);
    close(ready[1]);
}

TEST(InstanceLock, ANameThatIsNoPlainFileHoldsNothingAndIsNotFollowed) {
    test::TempDir dir;
    dir.mkdir("folder");
    ASSERT_EQ(symlink(dir.file("elsewhere").c_str(), dir.file("link").c_str()), 0);
    for (const char* name : {"folder", "link"})
        EXPECT_EQ(InstanceLock(dir.file(name)).state(), State::Unavailable) << name;
    EXPECT_FALSE(test::exists(dir.file("elsewhere")));
}

} // namespace
} // namespace kivp
