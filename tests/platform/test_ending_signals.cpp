#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>

#include "platform/ending_signals.h"
#include "support/test_support.h"

namespace {

// The signals that end a session no longer end the process: each is queued for the event loop,
// which can wait on the descriptor for it. In a child, so that the handlers stay out of the other
// tests of this process.
TEST(EndingSignals, ArriveThroughThePipeInsteadOfEndingTheProcess) {
    const int code = kvtest::exit_code_in_child([] {
        const int fd = kv::platform::watch_ending_signals();
        if (kv::platform::watch_ending_signals() != fd) return 10;
        if (kv::platform::take_ending_signal() != 0) return 11;
        for (int number : {SIGTERM, SIGINT, SIGHUP}) {
            if (raise(number) != 0) return 12;
            pollfd ready{fd, POLLIN, 0};
            if (poll(&ready, 1, 1000) != 1) return 13;
            if (kv::platform::take_ending_signal() != number) return 14;
            if (kv::platform::take_ending_signal() != 0) return 15;
        }
        return 0;
    });
    ASSERT_NE(code, -1) << "ended by a signal";
    EXPECT_EQ(code, 0);
}

}  // namespace
