#include "plugin_client/plugin_library.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <thread>

#include "platform/folder.h"
#include "platform/spawn_attributes.h"

extern char** environ;

namespace kv::plugin_client {

namespace {

// The descriptor the helper reads its questions from and writes its answers to.
constexpr int helper_channel = 3;
// Where the system cannot watch a process through a descriptor, a wait looks at the helper this often.
constexpr int process_check_ms = 100;

std::mutex program_mutex;
std::optional<std::filesystem::path> program_override;

}  // namespace

std::filesystem::path plugin_host_program() {
    {
        std::lock_guard<std::mutex> lock(program_mutex);
        if (program_override) return *program_override;
    }
    return platform::program_folder() / "korvalin-plugin-host";
}

void set_plugin_host_program(const std::optional<std::filesystem::path>& program) {
    std::lock_guard<std::mutex> lock(program_mutex);
    program_override = program;
}

std::optional<std::filesystem::path> resolve_plugin_path(const std::string& path) {
    if (path.find('/') == std::string::npos || path.back() == '/') return std::nullopt;
    const std::filesystem::path p(path);
    std::error_code ec;
    std::optional<std::filesystem::path> found;
    if (std::filesystem::exists(p, ec))
        found = p;
    else
        found = platform::find_ignoring_case(p.parent_path().empty() ? "/" : p.parent_path(),
                                             p.filename().string());
    // A folder, a pipe or a device would only keep the helper waiting.
    if (!found || !std::filesystem::is_regular_file(*found, ec)) return std::nullopt;
    const auto absolute = std::filesystem::absolute(*found, ec);
    if (ec) return std::nullopt;
    return absolute;
}

std::string describe(const HelperExit& exit) {
    if (!exit.signalled) return "ended with exit status " + std::to_string(exit.number);
    std::string text = "ended by signal " + std::to_string(exit.number);
    if (const char* name = ::strsignal(exit.number)) text.append(" (").append(name).append(")");
    return text;
}

PluginHost::PluginHost() = default;

PluginHost::~PluginHost() {
    stop();
}

bool PluginHost::start() {
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) return false;
    const std::string program = plugin_host_program().string();
    // The helper checks that its parent is still this process once it is set to die with it.
    const std::string launcher = std::to_string(::getpid());
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pair[1], helper_channel);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    // Nothing else of the launcher (its lock, its files) reaches the plug-ins.
    posix_spawn_file_actions_addclosefrom_np(&actions, helper_channel + 1);
    // A process group of its own, to kill should the helper not end when told.
    const platform::SpawnAttributes attributes(platform::SpawnAttributes::Group::own);
    char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(launcher.c_str()), nullptr};
    pid_t pid = 0;
    const int rc = ::posix_spawn(&pid, program.c_str(), &actions, attributes.get(), argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pair[1]);
    if (rc != 0) {
        ::close(pair[0]);
        return false;
    }
    pid_ = pid;
    socket_ = pair[0];
    // Its end is told by its process, not by the socket: a child a plug-in forked may hold the
    // socket open long after the helper is gone.
    // (By its system call: the C library's own declaration of it is not usable from C++ here.)
    process_fd_ = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    answered_ = 0;
    ++starts_;
    return true;
}

bool PluginHost::helper_ended() const {
    if (pid_ <= 0) return true;
    siginfo_t info{};
    // Looked at, not reaped: stop() reaps it.
    if (::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) != 0)
        return errno == ECHILD;
    return info.si_pid == pid_;
}

void PluginHost::stop() {
    end_helper(true);
}

void PluginHost::finish() {
    end_helper(asking_);
}

bool PluginHost::ended_within(std::chrono::milliseconds limit) const {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!helper_ended()) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(until - std::chrono::steady_clock::now()).count();
        if (left <= 0) return false;
        if (process_fd_ >= 0) {
            pollfd p{process_fd_, POLLIN, 0};
            ::poll(&p, 1, static_cast<int>(std::min<int64_t>(left, process_check_ms)));
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::min<int64_t>(left, 5)));
        }
    }
    return true;
}

std::optional<HelperExit> PluginHost::end_helper(bool whole_group) {
    asking_ = false;
    received_.clear();
    std::optional<HelperExit> ended_as;
    if (pid_ > 0) {
        // The helper ends what it must and then itself; it runs no plug-in code before it acts on the
        // signal, so it is told rather than killed.
        if (!helper_ended()) ::kill(pid_, whole_group ? SIGTERM : SIGUSR1);
        const bool ended = ended_within(helper_grace);
        // One that did not end in time, and whatever is left in its group: the group outlives the
        // helper's process id only while that is not reaped, so it cannot be another's.
        if (!ended || whole_group) {
            if (!whole_group || ::kill(-pid_, SIGKILL) != 0) ::kill(pid_, SIGKILL);
        }
        if (!ended) ended_within(helper_grace);
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            ended_as = WIFSIGNALED(status) ? HelperExit{true, WTERMSIG(status)}
                                           : HelperExit{false, WIFEXITED(status) ? WEXITSTATUS(status) : 0};
        }
    }
    // Closed only once the helper is gone: a helper that sees its socket close ends everything its
    // plug-ins started.
    if (socket_ >= 0) ::close(socket_);
    socket_ = -1;
    if (process_fd_ >= 0) ::close(process_fd_);
    process_fd_ = -1;
    pid_ = 0;
    return ended_as;
}

std::optional<PluginAnswer> PluginHost::send(const PluginRequest& request) {
    // A helper that ended after its last answer (a plug-in's thread took it down) is replaced.
    if (pid_ > 0 && helper_ended()) stop();
    if (pid_ <= 0 && !start()) return PluginAnswer(PluginOutcome::no_helper);
    received_.clear();
    if (!send_all(socket_, encode_request(request))) {
        stop();
        return PluginAnswer(PluginOutcome::crashed);
    }
    asking_ = true;
    return std::nullopt;
}

std::optional<PluginAnswer> PluginHost::collect() {
    if (!asking_) return std::nullopt;
    // Looked at before reading: an answer written just before the helper ended still counts.
    const bool ended = helper_ended();
    bool closed = false;
    uint8_t buffer[512];
    for (;;) {
        const ssize_t n = ::recv(socket_, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n > 0) {
            received_.insert(received_.end(), buffer, buffer + n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        closed = n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
        break;
    }
    const auto parsed = parse_reply(received_);
    if (parsed.state == ParseState::complete && parsed.used == received_.size()) {
        asking_ = false;
        received_.clear();
        ++answered_;
        return PluginAnswer(PluginOutcome::answered, parsed.message);
    }
    // A reply that is no reply, or more than one: the helper cannot be trusted any more. One that
    // ended without answering was taken down by the plug-in.
    if (parsed.state != ParseState::incomplete || closed || ended) {
        // The helper's end of the channel closes as the helper exits, a moment before the system
        // tells that it has.
        const bool by_itself = ended || (closed && ended_within(helper_grace));
        const std::optional<HelperExit> ended_as = end_helper(true);
        PluginAnswer crashed(PluginOutcome::crashed);
        if (by_itself) crashed.helper_exit = ended_as;
        return crashed;
    }
    return std::nullopt;
}

platform::WaitEnd wait_for_helpers(std::span<PluginHost* const> hosts, int timeout_ms, bool input_ends_wait) {
    std::vector<int> fds;
    for (const PluginHost* host : hosts) {
        if (!host->asking_) continue;
        fds.push_back(host->socket_);
        if (host->process_fd_ >= 0)
            fds.push_back(host->process_fd_);
        else if (timeout_ms < 0 || timeout_ms > process_check_ms)
            timeout_ms = process_check_ms;
    }
    return platform::wait_readable(fds, timeout_ms, input_ends_wait);
}

PluginAnswer PluginHost::ask(PluginCall call, const std::string& path, const std::string& export_name,
                             std::optional<std::chrono::milliseconds> limit,
                             const std::function<bool()>& stop_wanted) {
    using clock = std::chrono::steady_clock;
    if (export_name.empty() || export_name.size() > max_plugin_export)
        return PluginAnswer(PluginOutcome::refused);
    const auto file = resolve_plugin_path(path);
    if (!file || file->string().size() > max_plugin_path) return PluginAnswer(PluginOutcome::refused);
    if (auto failed = send(PluginRequest{call, file->string(), export_name})) return *failed;
    const auto deadline = limit ? clock::now() + *limit : clock::time_point::max();
    PluginHost* const self[] = {this};
    for (;;) {
        int wait_ms = -1;
        if (limit) {
            // Rounded up: the limit ends when its time has passed, not up to a millisecond before.
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - clock::now());
            if (left.count() <= 0) {
                stop();
                return PluginAnswer(PluginOutcome::hung);
            }
            wait_ms = static_cast<int>(std::min<int64_t>(left.count(), INT32_MAX));
        }
        const platform::WaitEnd end = wait_for_helpers(self, wait_ms, static_cast<bool>(stop_wanted));
        if (auto answer = collect()) return *answer;
        if (end != platform::WaitEnd::input || !stop_wanted()) continue;
        // The answer may have come while the user was asked.
        if (auto answer = collect()) return *answer;
        stop();
        return PluginAnswer(PluginOutcome::stopped);
    }
}

}  // namespace kv::plugin_client
