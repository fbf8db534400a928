#include "platform/forms/backend.h"

#include <poll.h>

#include <cerrno>
#include <memory>

#include "platform/headless/headless_backend.h"

namespace kv::forms {

namespace {
Backend* current = nullptr;
std::unique_ptr<Backend> fallback;
}  // namespace

Backend& backend() {
    if (!current) {
        fallback = std::make_unique<headless::HeadlessBackend>();
        current = fallback.get();
    }
    return *current;
}

void set_backend(Backend* b) {
    current = b;
}

bool Backend::wait_readable(int fd, int timeout_ms) {
    pollfd p{fd, POLLIN, 0};
    for (;;) {
        const int n = ::poll(&p, 1, timeout_ms);
        if (n < 0 && errno == EINTR) continue;
        // An error or a hang-up counts as readable: the read that follows tells which.
        return n > 0;
    }
}

void end_program() {
    throw ProgramEnded{};
}

}  // namespace kv::forms
