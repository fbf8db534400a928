#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <optional>

#include "platform/instance.h"
#include "platform/process.h"
#include "platform/runtime.h"
#include "support/test_support.h"

using namespace kv::platform;

namespace {

TEST(InstanceLock, OneHolderPerFolderUntilReleased) {
    kvtest::TempFolder dir;
    kvtest::TempFolder other;
    std::optional<InstanceLock> first(std::in_place, dir.path());
    EXPECT_TRUE(first->acquired());
    EXPECT_FALSE(InstanceLock(dir.path()).acquired());
    EXPECT_TRUE(InstanceLock(other.path()).acquired());
    first.reset();
    EXPECT_TRUE(InstanceLock(dir.path()).acquired());
    EXPECT_THROW(InstanceLock(dir / "missing"), Failure);
}

TEST(InstanceLock, LockOfAKilledProcessDoesNotBlock) {
    kvtest::TempFolder dir;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        InstanceLock lock(dir.path());
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
    EXPECT_FALSE(InstanceLock(dir.path()).acquired());
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    EXPECT_TRUE(InstanceLock(dir.path()).acquired());
}

TEST(InstanceLock, ProgramsStartedByTheHolderDoNotKeepIt) {
    kvtest::TempFolder dir;
    std::optional<InstanceLock> lock(std::in_place, dir.path());
    ASSERT_TRUE(lock->acquired());
    int pid = start_process({"sleep", {"30"}}, {});
    lock.reset();
    EXPECT_TRUE(InstanceLock(dir.path()).acquired());
    kill(pid, SIGKILL);
    EXPECT_EQ(wait_for_process(pid), 128 + SIGKILL);
}

// A read-only program folder (no lock file can be made there) still admits one instance: the lock
// moves to the runtime folder, under a name only that folder's path gives.
TEST(InstanceLock, ReadOnlyFolderLocksInTheRuntimeFolder) {
    kvtest::TempFolder dir;
    const auto program = dir / "ro program";
    const auto other = dir / "other";
    const auto runtime = dir / "runtime";
    for (const auto& folder : {program, other, runtime}) std::filesystem::create_directories(folder);
    ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
    ASSERT_EQ(chmod(program.c_str(), 0555), 0);
    ASSERT_EQ(chmod(other.c_str(), 0555), 0);
    ASSERT_EQ(chmod(runtime.c_str(), 0777), 0);
    // Permission bits do not stop root, so the locks are taken in a child that has given root up.
    const int code = kvtest::exit_code_in_child([&] {
        if (!kvtest::give_up_root()) return 10;
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        try {
            InstanceLock first(program);
            if (!first.acquired()) return 11;
            if (first.lock_file().parent_path() != runtime) return 12;
            if (InstanceLock(program).acquired()) return 13;
            if (InstanceLock(dir / "ro program" / ".").acquired()) return 14;  // the same folder
            if (!InstanceLock(other).acquired()) return 15;
            unsetenv("XDG_RUNTIME_DIR");
            if (fallback_lock_file(program).parent_path() != std::filesystem::temp_directory_path())
                return 16;
        } catch (const Failure& failure) {
            std::fprintf(stderr, "%s\n", failure.what());
            return 17;
        }
        return 0;
    });
    ASSERT_NE(code, -1);
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(std::filesystem::exists(program / ".korvalin.lock"));
}

TEST(InstanceLock, LockFileThatIsNotAFileIsRefused) {
    kvtest::TempFolder dir;
    ASSERT_EQ(mkfifo((dir / ".korvalin.lock").c_str(), 0644), 0);
    EXPECT_THROW(InstanceLock(dir.path()), Failure);
}

}  // namespace
