#include "platform/forms/backend.h"

#include <poll.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "platform/standard_error.h"

namespace kv::forms {

namespace {
Backend* current = nullptr;
}  // namespace

Backend& backend() {
    // A window drawn nowhere would hide a start-up that forgot its display; stop at once instead.
    if (!current) {
        print_failure("no display is set: whoever starts the program sets one before any window");
        std::abort();
    }
    return *current;
}

Backend* backend_if_set() {
    return current;
}

void set_backend(Backend* b) {
    current = b;
}

WaitEnd Backend::wait_readable(std::span<const int> fds, int timeout_ms, bool /*input_ends_wait*/) {
    std::vector<pollfd> watched;
    for (int fd : fds) watched.push_back(pollfd{fd, POLLIN, 0});
    for (;;) {
        const int n = ::poll(watched.data(), watched.size(), timeout_ms);
        if (n < 0 && errno == EINTR) continue;
        // An error or a hang-up counts as readable: the read that follows tells which.
        return n > 0 ? WaitEnd::readable : WaitEnd::timed_out;
    }
}

void end_program() {
    throw ProgramEnded{};
}

}  // namespace kv::forms
