#include "platform/standard_streams.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <initializer_list>

namespace kv::platform {

namespace {

extern "C" void on_broken_pipe(int) {}

void open_if_closed(int fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) return;
    // Not close-on-exec: what this process starts must not be started with it closed either.
    const int opened = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    if (opened < 0 || opened == fd) return;  // with no /dev/null there is nothing better to put there
    ::dup2(opened, fd);
    ::close(opened);
}

}  // namespace

void prepare_standard_streams() {
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) open_if_closed(fd);
    struct sigaction action {};
    action.sa_handler = on_broken_pipe;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGPIPE, &action, nullptr);
}

}  // namespace kv::platform
