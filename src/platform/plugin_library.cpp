#include "platform/plugin_library.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <thread>

#include "platform/folder.h"
#include "platform/forms/backend.h"

extern char** environ;

namespace kv {

namespace {

// The descriptor the helper reads its questions from and writes its answers to.
constexpr int helper_channel = 3;

std::mutex program_mutex;
std::optional<std::filesystem::path> program_override;

bool send_all(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool reaped(pid_t pid, int options) {
    for (;;) {
        int status = 0;
        const pid_t r = ::waitpid(pid, &status, options);
        if (r < 0 && errno == EINTR) continue;
        return r != 0;  // ended (or not ours any more)
    }
}

}  // namespace

std::filesystem::path plugin_host_program() {
    {
        std::lock_guard<std::mutex> lock(program_mutex);
        if (program_override) return *program_override;
    }
    return program_folder() / "korvalin-plugin-host";
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
        found = find_ignoring_case(p.parent_path().empty() ? "/" : p.parent_path(), p.filename().string());
    // A folder, a pipe or a device would only keep the helper waiting.
    if (!found || !std::filesystem::is_regular_file(*found, ec)) return std::nullopt;
    return found;
}

PluginHost::PluginHost() = default;

PluginHost::~PluginHost() {
    stop(false);
}

bool PluginHost::start() {
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) return false;
    const std::string program = plugin_host_program().string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pair[1], helper_channel);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    // Nothing else of the launcher (its lock, its files) reaches the plug-ins.
    posix_spawn_file_actions_addclosefrom_np(&actions, helper_channel + 1);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    pid_t pid = 0;
    const int rc = ::posix_spawn(&pid, program.c_str(), &actions, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pair[1]);
    if (rc != 0) {
        ::close(pair[0]);
        return false;
    }
    pid_ = pid;
    socket_ = pair[0];
    ++starts_;
    return true;
}

void PluginHost::stop(bool kill_first) {
    if (socket_ >= 0) ::close(socket_);
    socket_ = -1;
    if (pid_ <= 0) return;
    if (kill_first) ::kill(pid_, SIGKILL);
    // An idle helper leaves as soon as its socket closes; one that lingers is killed.
    for (int i = 0; i < 200 && !reaped(pid_, WNOHANG); ++i) {
        if (i == 100) ::kill(pid_, SIGKILL);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    pid_ = 0;
}

PluginAnswer PluginHost::ask(PluginCall call, const std::string& path, const std::string& export_name,
                             std::optional<std::chrono::milliseconds> limit) {
    PluginAnswer refused{PluginOutcome::refused, {}};
    if (export_name.empty() || export_name.size() > max_plugin_export) return refused;
    const auto file = resolve_plugin_path(path);
    if (!file || file->string().size() > max_plugin_path) return refused;
    if (pid_ <= 0 && !start()) return {PluginOutcome::no_helper, {}};
    return exchange(PluginRequest{call, file->string(), export_name}, limit);
}

PluginAnswer PluginHost::exchange(const PluginRequest& request,
                                  std::optional<std::chrono::milliseconds> limit) {
    using clock = std::chrono::steady_clock;
    if (!send_all(socket_, encode_request(request))) {
        stop(true);
        return {PluginOutcome::crashed, {}};
    }
    const auto deadline = limit ? clock::now() + *limit : clock::time_point::max();
    std::vector<uint8_t> received;
    uint8_t buffer[512];
    for (;;) {
        int wait_ms = -1;
        if (limit) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - clock::now());
            if (left.count() <= 0) {
                stop(true);
                return {PluginOutcome::hung, {}};
            }
            wait_ms = static_cast<int>(left.count());
        }
        if (!forms::backend().wait_readable(socket_, wait_ms)) continue;  // the loop checks the deadline
        const ssize_t n = ::recv(socket_, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) continue;
        if (n <= 0) {
            // The helper went away in the middle of the question: the plug-in took it down.
            stop(true);
            return {PluginOutcome::crashed, {}};
        }
        received.insert(received.end(), buffer, buffer + n);
        const auto parsed = parse_reply(received);
        if (parsed.state == ParseState::incomplete) continue;
        // A reply that is no reply, or more than one: the helper cannot be trusted any more.
        if (parsed.state == ParseState::malformed || parsed.used != received.size()) {
            stop(true);
            return {PluginOutcome::crashed, {}};
        }
        return {PluginOutcome::answered, parsed.message};
    }
}

}  // namespace kv
