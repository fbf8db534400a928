#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>

#include "platform/ending_signals.h"

namespace {

// The signals that end a session no longer end the process: each is queued for the event loop,
// which can wait on the descriptor for it.
TEST(EndingSignals, ArriveThroughThePipeInsteadOfEndingTheProcess) {
    const int fd = kv::watch_ending_signals();
    EXPECT_EQ(kv::watch_ending_signals(), fd);
    EXPECT_EQ(kv::take_ending_signal(), 0);
    for (int number : {SIGTERM, SIGINT, SIGHUP}) {
        ASSERT_EQ(raise(number), 0);
        pollfd ready{fd, POLLIN, 0};
        ASSERT_EQ(poll(&ready, 1, 1000), 1);
        EXPECT_EQ(kv::take_ending_signal(), number);
        EXPECT_EQ(kv::take_ending_signal(), 0);
    }
    signal(SIGTERM, SIG_DFL);
    signal(SIGINT, SIG_DFL);
    signal(SIGHUP, SIG_DFL);
}

}  // namespace
