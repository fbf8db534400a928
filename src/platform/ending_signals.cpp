#include "platform/ending_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/runtime.h"

namespace kv::platform {

namespace {

int pipe_ends[2] = {-1, -1};

extern "C" void on_ending_signal(int number) {
    // Only async-signal-safe calls here; errno belongs to the code this interrupted.
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    ssize_t written = ::write(pipe_ends[1], &byte, 1);
    (void)written;  // a full pipe already holds an ending signal
    errno = saved;
}

}  // namespace

int watch_ending_signals() {
    if (pipe_ends[0] >= 0) return pipe_ends[0];
    if (::pipe2(pipe_ends, O_CLOEXEC | O_NONBLOCK) != 0)
        throw Failure(std::string("cannot watch for ending signals: ") + std::strerror(errno));
    struct sigaction action {};
    action.sa_handler = on_ending_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : {SIGTERM, SIGINT, SIGHUP})
        if (::sigaction(number, &action, nullptr) != 0)
            throw Failure(std::string("cannot watch for ending signals: ") + std::strerror(errno));
    return pipe_ends[0];
}

int take_ending_signal() {
    if (pipe_ends[0] < 0) return 0;
    unsigned char byte = 0;
    ssize_t n;
    do n = ::read(pipe_ends[0], &byte, 1);
    while (n < 0 && errno == EINTR);
    return n == 1 ? byte : 0;
}

}  // namespace kv::platform
