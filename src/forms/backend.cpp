#include "forms/backend.h"

#include <cstdlib>

#include "platform/standard_error.h"

namespace kv::forms {

namespace {
Backend* current = nullptr;
}  // namespace

Backend& backend() {
    // A window drawn nowhere would hide a start-up that forgot its display; stop at once instead.
    if (!current) {
        platform::print_failure("no display is set: whoever starts the program sets one before any window");
        std::abort();
    }
    return *current;
}

Backend* backend_if_set() {
    return current;
}

void set_backend(Backend* b) {
    current = b;
    if (!b) {
        platform::set_host_hooks({});
        return;
    }
    platform::set_host_hooks(
        platform::HostHooks{[b](std::span<const int> fds, int timeout_ms, bool input_ends_wait) {
                                return b->wait_readable(fds, timeout_ms, input_ends_wait);
                            },
                            [b](bool busy) { b->set_busy(busy); }});
}

WaitEnd Backend::wait_readable(std::span<const int> fds, int timeout_ms, bool /*input_ends_wait*/) {
    return platform::poll_readable(fds, timeout_ms);
}

void end_program() {
    throw ProgramEnded{};
}

}  // namespace kv::forms
