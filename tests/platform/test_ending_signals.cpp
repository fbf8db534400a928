#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/ending_signals.h"

namespace {

// The signals that end a session no longer end the process: each is queued for the event loop,
// which can wait on the descriptor for it. In a child, so that the handlers stay out of the other
// tests of this process.
TEST(EndingSignals, ArriveThroughThePipeInsteadOfEndingTheProcess) {
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        const int fd = kv::watch_ending_signals();
        if (kv::watch_ending_signals() != fd) _exit(10);
        if (kv::take_ending_signal() != 0) _exit(11);
        for (int number : {SIGTERM, SIGINT, SIGHUP}) {
            if (raise(number) != 0) _exit(12);
            pollfd ready{fd, POLLIN, 0};
            if (poll(&ready, 1, 1000) != 1) _exit(13);
            if (kv::take_ending_signal() != number) _exit(14);
            if (kv::take_ending_signal() != 0) _exit(15);
        }
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
