#include "platform/host_hooks.h"

#include <poll.h>

#include <cerrno>
#include <utility>
#include <vector>

namespace kv::platform {

namespace {
HostHooks& hooks() {
    static HostHooks set;
    return set;
}
}  // namespace

void set_host_hooks(HostHooks h) {
    hooks() = std::move(h);
}

WaitEnd wait_readable(std::span<const int> fds, int timeout_ms, bool input_ends_wait) {
    if (hooks().wait_readable) return hooks().wait_readable(fds, timeout_ms, input_ends_wait);
    return poll_readable(fds, timeout_ms);
}

WaitEnd poll_readable(std::span<const int> fds, int timeout_ms) {
    std::vector<pollfd> watched;
    for (int fd : fds) watched.push_back(pollfd{fd, POLLIN, 0});
    for (;;) {
        const int n = ::poll(watched.data(), watched.size(), timeout_ms);
        if (n < 0 && errno == EINTR) continue;
        // An error or a hang-up counts as readable: the read that follows tells which.
        return n > 0 ? WaitEnd::readable : WaitEnd::timed_out;
    }
}

BusyCursor::BusyCursor() : set_busy_(hooks().set_busy) {
    if (set_busy_) set_busy_(true);
}

BusyCursor::~BusyCursor() {
    if (set_busy_) set_busy_(false);
}

}  // namespace kv::platform
