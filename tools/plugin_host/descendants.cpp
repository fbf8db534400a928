#include "descendants.h"

#include <dirent.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "plugin_client/plugin_protocol.h"

namespace kv::plugin_host {

namespace {

// A descendant this process may not kill (one that became another user's) would keep the search
// going for ever; it gives up after this, as when the system lists none. Killed processes are gone
// within milliseconds. Shorter than the launcher's grace, so that the helper ends by itself before
// the launcher, whose windows wait meanwhile, kills its group.
constexpr std::chrono::milliseconds search_limit = plugin_client::helper_grace * 3 / 4;

// The parent of a process, from /proc/PID/stat ("PID (NAME) STATE PPID ..."; the name may hold
// blanks and parentheses, so it is read past its last ')'); 0 when it cannot be read.
pid_t parent_of(const char* pid) {
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%s/stat", pid);
    FILE* f = std::fopen(path, "re");
    if (!f) return 0;
    char line[1024];
    const size_t n = std::fread(line, 1, sizeof line - 1, f);
    std::fclose(f);
    line[n] = '\0';
    const char* name_end = std::strrchr(line, ')');
    char state = 0;
    int parent = 0;
    if (!name_end || std::sscanf(name_end + 1, " %c %d", &state, &parent) != 2) return 0;
    return parent;
}

// Every process whose chain of parents leads to this one, as the system lists them now.
std::vector<pid_t> descendants() {
    std::unordered_map<pid_t, pid_t> parents;
    if (DIR* proc = ::opendir("/proc")) {
        while (const dirent* entry = ::readdir(proc)) {
            char* end = nullptr;
            const long pid = std::strtol(entry->d_name, &end, 10);
            if (pid <= 0 || *end != '\0') continue;
            if (const pid_t parent = parent_of(entry->d_name)) parents[static_cast<pid_t>(pid)] = parent;
        }
        ::closedir(proc);
    }
    const pid_t self = ::getpid();
    std::vector<pid_t> found;
    for (const auto& [pid, parent] : parents) {
        // Bounded by the number of processes: a listing taken while processes come and go may hold
        // a loop of recycled ids.
        pid_t up = parent;
        for (size_t steps = 0; steps < parents.size() && up > 1 && up != self; ++steps) {
            const auto it = parents.find(up);
            up = it == parents.end() ? 0 : it->second;
        }
        if (up == self) found.push_back(pid);
    }
    return found;
}

bool has_children() {
    siginfo_t info{};
    return ::waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) == 0 || errno != ECHILD;
}

}  // namespace

std::optional<int> end_descendants(pid_t worker, std::optional<int> worker_status) {
    const auto reaped = [&](pid_t pid, int status) {
        if (pid == worker && !worker_status) worker_status = status;
    };
    // The worker first (it has been killed, or has ended): the system hands a process's children to
    // this one before it tells of that process's end, so once the worker is reaped everything it
    // started that still runs is a child here. A worker that started nothing leaves nothing to search.
    for (int status = 0; !worker_status;) {
        const pid_t pid = ::waitpid(worker, &status, 0);
        if (pid == worker) reaped(pid, status);
        if (pid >= 0 || errno != EINTR) break;
    }
    if (!has_children()) return worker_status;
    const auto until = std::chrono::steady_clock::now() + search_limit;
    while (has_children() && std::chrono::steady_clock::now() < until) {
        const std::vector<pid_t> found = descendants();
        // A child, even one that has ended, is listed; a system that lists none cannot be searched.
        // The launcher kills the group then.
        if (found.empty()) break;
        for (const pid_t pid : found) ::kill(pid, SIGKILL);
        // Not a blocking wait: a process forked just before its parent was killed may come here after
        // the listing, unkilled, and would hold such a wait for ever. The next pass kills it.
        int status = 0;
        bool reaped_any = false;
        for (pid_t pid; (pid = ::waitpid(-1, &status, WNOHANG)) > 0;) {
            reaped(pid, status);
            reaped_any = true;
        }
        if (!reaped_any) ::usleep(2000);
    }
    return worker_status;
}

}  // namespace kv::plugin_host
