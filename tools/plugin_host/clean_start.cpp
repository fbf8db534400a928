#include "clean_start.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdint>

namespace kv::plugin_host {

namespace {

// The system's own record of a signal's action, read and written by the system call itself, which
// refuses no signal. Laid out as on every processor whose record starts with the handler (all of
// Debian's but MIPS, where the call refuses a set of this size and nothing is reset).
struct KernelAction {
    void (*handler)(int);
    unsigned long flags;
    void (*restorer)();
    uint64_t mask;
};

}  // namespace

void default_ignored_signals() {
    static_assert(SIG_DFL == nullptr);
    for (int number = 1; number <= 64; ++number) {
        KernelAction action{};
        if (::syscall(SYS_rt_sigaction, number, nullptr, &action, sizeof action.mask) != 0) continue;
        if (action.handler != SIG_IGN) continue;
        // All zero: the default action, no flags, nothing blocked.
        const KernelAction by_default{};
        ::syscall(SYS_rt_sigaction, number, &by_default, nullptr, sizeof by_default.mask);
    }
}

void give_up_terminal() {
    const int terminal = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (terminal < 0) return;  // none to give up
    ::ioctl(terminal, TIOCNOTTY);
    ::close(terminal);
}

}  // namespace kv::plugin_host
