#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <optional>

#include "platform/instance.h"
#include "platform/process.h"
#include "platform/runtime.h"
#include "support/test_support.h"

namespace {

TEST(InstanceLock, OneHolderPerFolderUntilReleased) {
    kvtest::TempFolder dir;
    kvtest::TempFolder other;
    std::optional<kv::InstanceLock> first(std::in_place, dir.path());
    EXPECT_TRUE(first->acquired());
    EXPECT_FALSE(kv::InstanceLock(dir.path()).acquired());
    EXPECT_TRUE(kv::InstanceLock(other.path()).acquired());
    first.reset();
    EXPECT_TRUE(kv::InstanceLock(dir.path()).acquired());
    EXPECT_THROW(kv::InstanceLock(dir / "missing"), kv::Failure);
}

TEST(InstanceLock, LockOfAKilledProcessDoesNotBlock) {
    kvtest::TempFolder dir;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        kv::InstanceLock lock(dir.path());
        char c = lock.acquired() ? 'y' : 'n';
        if (write(ready[1], &c, 1) != 1) _exit(1);
        pause();
        _exit(0);
    }
    close(ready[1]);
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    close(ready[0]);
    EXPECT_EQ(c, 'y');
    EXPECT_FALSE(kv::InstanceLock(dir.path()).acquired());
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    EXPECT_TRUE(kv::InstanceLock(dir.path()).acquired());
}

TEST(InstanceLock, ProgramsStartedByTheHolderDoNotKeepIt) {
    kvtest::TempFolder dir;
    std::optional<kv::InstanceLock> lock(std::in_place, dir.path());
    ASSERT_TRUE(lock->acquired());
    int pid = kv::start_process({"sleep", {"30"}}, {});
    lock.reset();
    EXPECT_TRUE(kv::InstanceLock(dir.path()).acquired());
    kill(pid, SIGKILL);
    EXPECT_EQ(kv::wait_for_process(pid), 128 + SIGKILL);
}

}  // namespace
