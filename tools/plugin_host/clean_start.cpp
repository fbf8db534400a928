#include "clean_start.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace kv::plugin_host {

namespace {

// The signals ignored, as the system keeps them (bit n - 1 for signal n); 0 when it cannot tell.
uint64_t ignored_signals() {
    FILE* status = std::fopen("/proc/self/status", "re");
    if (!status) return 0;
    uint64_t ignored = 0;
    char line[256];
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, "SigIgn:", 7) == 0 && std::sscanf(line + 7, "%" SCNx64, &ignored) == 1) break;
    }
    std::fclose(status);
    return ignored;
}

}  // namespace

void default_ignored_signals() {
    const uint64_t ignored = ignored_signals();
    for (int number = 1; number <= 64; ++number) {
        if (((ignored >> (number - 1)) & 1) == 0) continue;
        // The system's own record of an action, all zero: the default action, no flags, nothing
        // blocked, whatever the order of its fields on this processor.
        uint64_t action[4] = {};
        static_assert(SIG_DFL == nullptr);
        ::syscall(SYS_rt_sigaction, number, action, nullptr, sizeof(uint64_t));
    }
}

void give_up_terminal() {
    const int terminal = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (terminal < 0) return;  // none to give up
    ::ioctl(terminal, TIOCNOTTY);
    ::close(terminal);
}

}  // namespace kv::plugin_host
