// korvalin-plugin-host: answers the launcher's questions about plug-in libraries on fd 3.
// For every request it loads the library, calls the one export and releases the library again, as
// the launcher's callers expect; whatever the plug-in does to this process ends only here.
//
// Started as "korvalin-plugin-host LAUNCHER_PID", leading a process group of its own. The process the
// launcher starts is the keeper: it runs no plug-in code, only this file's, so what it is told it
// does. It forks the worker that loads the plug-ins (worker.h) and waits. When the worker ends (done,
// crashed, killed) or the launcher goes (however it ends) or tells it to end (SIGTERM), the keeper
// ends every process the worker started, wherever it went (descendants.h), so that nothing a plug-in
// started outlives the question it was asked for, holds the launcher's output or the channel. Told
// SIGUSR1 (a configure or about that answered), it ends the worker alone: what the plug-in started
// then is its window, such as the setup program real plug-ins run from those exports, and lives on.
// The keeper then ends as its worker ended, by the same signal or with the same exit status, so that
// the launcher can tell why a question went unanswered.
//
// Each plug-in runs in its own folder: real plug-ins find their setup programs there ("./cfgX"), as
// the emulators that ship them change into the plug-in folder before calling them.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/signalfd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>

#include "clean_start.h"
#include "descendants.h"
#include "platform/standard_streams.h"
#include "worker.h"

namespace {

constexpr int channel = 3;

// Ends this process as the worker ended. A signal is raised again with its default action, but no
// core file: the worker's crash is the plug-in's, not this process's.
[[noreturn]] void end_as(int status) {
    if (WIFSIGNALED(status)) {
        const int number = WTERMSIG(status);
        const rlimit no_core{0, 0};
        ::setrlimit(RLIMIT_CORE, &no_core);
        ::signal(number, SIG_DFL);
        sigset_t only;
        sigemptyset(&only);
        sigaddset(&only, number);
        ::sigprocmask(SIG_UNBLOCK, &only, nullptr);
        ::raise(number);
        ::_exit(128 + number);
    }
    ::_exit(WIFEXITED(status) ? WEXITSTATUS(status) : 1);
}

struct Ending {
    bool worker_alone = false;         // SIGUSR1: leave what the worker started
    std::optional<int> worker_status;  // when it was reaped while waiting
};

// Waits for the worker to end, for a signal, or for the launcher's end of the channel to close;
// reaps the orphans that come here meanwhile.
Ending wait_for_end(int signals, pid_t worker) {
    Ending ending;
    for (;;) {
        pollfd p[2] = {{signals, POLLIN, 0}, {channel, POLLRDHUP, 0}};
        if (::poll(p, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return ending;
        }
        if (p[1].revents != 0) return ending;  // the launcher is gone
        if ((p[0].revents & POLLIN) == 0) continue;
        signalfd_siginfo info{};
        if (::read(signals, &info, sizeof info) != static_cast<ssize_t>(sizeof info)) continue;
        if (info.ssi_signo == SIGUSR1) {
            ending.worker_alone = true;
            return ending;
        }
        if (info.ssi_signo != SIGCHLD) return ending;  // SIGTERM, SIGINT, SIGHUP: end everything
        int status = 0;
        for (pid_t pid; (pid = ::waitpid(-1, &status, WNOHANG)) > 0;) {
            if (pid == worker) ending.worker_status = status;
        }
        if (ending.worker_status) return ending;
    }
}

}  // namespace

int main(int argc, char** argv) {
    // Before anything is opened, so that no file takes the number of a closed standard stream. Its
    // SIGPIPE handler passes to the worker with the fork: a plug-in that writes to a standard error
    // nobody reads gets EPIPE and goes on, where it would end the worker and fail its test.
    kv::platform::prepare_standard_streams();
    // What a plug-in starts inherits the signals ignored here and the terminal (clean_start.h). This
    // process ignores no signal of its own either: a handler, unlike an ignored signal, is reset by
    // exec, and the worker's writes on the channel are sent with MSG_NOSIGNAL.
    kv::plugin_host::default_ignored_signals();
    kv::plugin_host::give_up_terminal();
    // What a plug-in starts must not hold the channel: it is the launcher's line to this helper only.
    ::fcntl(channel, F_SETFD, FD_CLOEXEC);
    // Orphans among the worker's descendants come to this process, not to the system's first one.
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
    sigset_t taken, before;
    sigemptyset(&taken);
    for (const int s : {SIGTERM, SIGINT, SIGHUP, SIGUSR1, SIGCHLD}) sigaddset(&taken, s);
    ::sigprocmask(SIG_BLOCK, &taken, &before);
    const int signals = ::signalfd(-1, &taken, SFD_CLOEXEC);
    if (signals < 0) return 1;
    // The launcher's death, told twice over: this signal, and its end of the channel closing.
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    const pid_t launcher = argc > 1 ? static_cast<pid_t>(std::atol(argv[1])) : 0;
    // The launcher may have ended before the line above.
    if (launcher > 0 && ::getppid() != launcher) return 0;

    const pid_t keeper = ::getpid();
    const pid_t worker = ::fork();
    if (worker < 0) return 1;
    if (worker == 0) {
        ::close(signals);
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != keeper) ::_exit(0);
        ::sigprocmask(SIG_SETMASK, &before, nullptr);
        kv::plugin_host::answer_questions(channel);
    }

    Ending ending = wait_for_end(signals, worker);
    if (!ending.worker_status) ::kill(worker, SIGKILL);
    if (ending.worker_alone) {
        int status = 0;
        while (!ending.worker_status) {
            if (::waitpid(worker, &status, 0) == worker)
                ending.worker_status = status;
            else if (errno != EINTR)
                break;
        }
    } else {
        ending.worker_status = kv::plugin_host::end_descendants(worker, ending.worker_status);
    }
    end_as(ending.worker_status.value_or(0));
}
