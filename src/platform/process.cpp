#include "platform/process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <map>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/folder.h"
#include "platform/runtime.h"
#include "platform/spawn_attributes.h"

extern char** environ;

namespace kv::platform {

namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}

// One word from position i on: blanks inside double quotes belong to the word, the quotes are dropped.
bool next_word(const std::string& text, size_t& i, std::string& word) {
    while (i < text.size() && is_blank(text[i])) ++i;
    if (i >= text.size()) return false;
    word.clear();
    bool quoted = false;
    for (; i < text.size() && (quoted || !is_blank(text[i])); ++i) {
        if (text[i] == '"')
            quoted = !quoted;
        else
            word += text[i];
    }
    return true;
}

bool is_regular_file(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

// "explorer.exe" in any letter case, with or without a folder before it (either kind of slash).
bool is_file_manager(const std::filesystem::path& program) {
    std::string text = program.string();
    size_t slash = text.find_last_of("/\\");
    return equal_ignoring_case(slash == std::string::npos ? text : text.substr(slash + 1), "explorer.exe");
}

// Every started child is reaped by a thread of its own, so none is left a zombie, and its exit status
// is kept here until wait_for_process collects it. Statuses of children nobody waits for stay (a few
// bytes each) until a new child reuses the id.
struct Child {
    bool ended = false;
    bool status_known = true;
    bool has_reaper = true;
    int status = 0;
};

struct Children {
    std::mutex mutex;
    std::condition_variable ended;
    std::map<int, Child> by_pid;
};

Children& children() {
    // Never destroyed: reaper threads may still run while static objects are destroyed at exit.
    static Children& registry = *new Children;
    return registry;
}

int exit_code(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return status;
}

// Waits for the child to end; the status is known unless someone else reaped it first.
std::pair<bool, int> reap(int pid) {
    int status = 0;
    for (;;) {
        if (::waitpid(pid, &status, 0) == pid) return {true, exit_code(status)};
        if (errno != EINTR) return {false, 0};
    }
}

void reap_in_background(int pid) {
    auto [known, code] = reap(pid);
    Children& registry = children();
    std::lock_guard<std::mutex> lock(registry.mutex);
    Child& child = registry.by_pid[pid];
    child.ended = true;
    child.status_known = known;
    child.status = code;
    registry.ended.notify_all();
}

class SpawnActions {
  public:
    SpawnActions() { posix_spawn_file_actions_init(&actions_); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    posix_spawn_file_actions_t* get() { return &actions_; }

  private:
    posix_spawn_file_actions_t actions_;
};

}  // namespace

CommandLine split_command_line(const std::string& command_line) {
    const std::string& text = command_line;
    size_t start = 0;
    while (start < text.size() && is_blank(text[start])) ++start;
    size_t end = text.size();
    while (end > start && is_blank(text[end - 1])) --end;
    if (start == end) throw Failure("empty command line");

    CommandLine result;
    size_t i = start;
    if (text[start] != '"') {
        // An unquoted path may hold blanks: the longest prefix ending at a blank (or at the end) that
        // names an existing file is the program. Prefixes stop before the first quote.
        size_t quote = text.find('"', start);
        size_t limit = quote == std::string::npos ? end : quote;
        for (size_t e = limit; e > start; --e) {
            bool word_end = e == end || (is_blank(text[e]) && !is_blank(text[e - 1]));
            if (!word_end) continue;
            std::string candidate = text.substr(start, e - start);
            if (candidate.find_first_of(" \t") == std::string::npos) break;  // the first word alone
            if (is_regular_file(candidate)) {
                result.program = candidate;
                i = e;
                break;
            }
        }
    }
    std::string word;
    if (result.program.empty()) {
        next_word(text, i, word);
        if (word.empty()) throw Failure("no program in command line: " + command_line);
        result.program = word;
    }
    while (next_word(text, i, word)) result.arguments.push_back(word);
    return result;
}

std::vector<std::string> split_arguments(const std::string& text) {
    std::vector<std::string> arguments;
    std::string word;
    size_t i = 0;
    while (next_word(text, i, word)) arguments.push_back(word);
    return arguments;
}

namespace {

// error_fd, when not -1, becomes the program's standard error.
int spawn(const CommandLine& command, const std::filesystem::path& working_folder, int error_fd);

}  // namespace

int start_process(const CommandLine& command, const std::filesystem::path& working_folder) {
    return spawn(command, working_folder, -1);
}

namespace {

int spawn(const CommandLine& command, const std::filesystem::path& working_folder, int error_fd) {
    if (command.program.empty()) throw Failure("no program to start");
    if (is_file_manager(command.program)) {
        // The file manager opens the folder it is given, else the working folder.
        CommandLine open{"xdg-open",
                         {command.arguments.empty() ? std::string(".") : command.arguments.front()}};
        return start_process(open, working_folder);
    }

    std::error_code ec;
    if (!working_folder.empty() && !std::filesystem::is_directory(working_folder, ec))
        throw Failure("cannot start " + command.program.string() + ": the working folder " +
                      working_folder.string() + " does not exist");

    // A bare name is looked up on PATH; a relative path means the current folder, not the working one.
    std::string program = command.program.string();
    const bool search_path = program.find('/') == std::string::npos;
    if (!search_path && command.program.is_relative())
        program = std::filesystem::absolute(command.program, ec).string();

    std::vector<std::string> words;
    words.push_back(command.program.string());
    words.insert(words.end(), command.arguments.begin(), command.arguments.end());
    std::vector<char*> argv;
    for (auto& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);

    SpawnAttributes attributes;
    SpawnActions actions;
    if (!working_folder.empty()) {
        int rc = posix_spawn_file_actions_addchdir_np(actions.get(), working_folder.c_str());
        if (rc != 0) throw Failure("cannot start " + command.program.string() + ": " + std::strerror(rc));
    }
    if (error_fd >= 0) {
        int rc = posix_spawn_file_actions_adddup2(actions.get(), error_fd, STDERR_FILENO);
        if (rc != 0) throw Failure("cannot start " + command.program.string() + ": " + std::strerror(rc));
    }

    pid_t pid = 0;
    int rc = search_path
                 ? posix_spawnp(&pid, program.c_str(), actions.get(), attributes.get(), argv.data(), environ)
                 : posix_spawn(&pid, program.c_str(), actions.get(), attributes.get(), argv.data(), environ);
    if (rc != 0) throw Failure("cannot start " + command.program.string() + ": " + std::strerror(rc));

    Children& registry = children();
    {
        std::lock_guard<std::mutex> lock(registry.mutex);
        registry.by_pid[pid] = Child{};
    }
    try {
        std::thread(reap_in_background, pid).detach();
    } catch (const std::system_error&) {
        // No thread to spare: the child is reaped by whoever waits for it.
        std::lock_guard<std::mutex> lock(registry.mutex);
        registry.by_pid[pid].has_reaper = false;
    }
    return pid;
}

}  // namespace

int open_with_desktop(const std::string& target, const std::filesystem::path& working_folder) {
    return start_process(CommandLine{"xdg-open", {target}}, working_folder);
}

bool is_program(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) && ::access(path.c_str(), X_OK) == 0;
}

bool is_web_address(const std::string& text) {
    for (const char* start : {"http:", "https:", "mailto:", "www."}) {
        size_t n = std::strlen(start);
        if (text.size() >= n && equal_ignoring_case(text.substr(0, n), start)) return true;
    }
    return false;
}

namespace {

// Only processes this program started are waited for.
std::map<int, Child>::iterator started_child(Children& registry, int pid) {
    auto found = registry.by_pid.find(pid);
    if (found == registry.by_pid.end())
        throw Failure("process " + std::to_string(pid) + " was not started by this program");
    return found;
}

// The reaper recorded the end, or another caller already took the status.
bool ended_or_taken(const Children& registry, int pid) {
    auto found = registry.by_pid.find(pid);
    return found == registry.by_pid.end() || found->second.ended;
}

Failure unknown_end(int pid) {
    return Failure("cannot learn how process " + std::to_string(pid) + " ended");
}

}  // namespace

int wait_for_process(int pid) {
    Children& registry = children();
    std::unique_lock<std::mutex> lock(registry.mutex);
    auto found = started_child(registry, pid);
    if (!found->second.has_reaper) {
        registry.by_pid.erase(found);
        lock.unlock();
        auto [known, code] = reap(pid);
        if (!known) throw unknown_end(pid);
        return code;
    }
    registry.ended.wait(lock, [&] { return ended_or_taken(registry, pid); });
    found = registry.by_pid.find(pid);
    // Another caller waiting for the same process took its status first.
    if (found == registry.by_pid.end())
        throw Failure("process " + std::to_string(pid) + " was already waited for");
    Child child = found->second;
    registry.by_pid.erase(found);
    if (!child.status_known) throw unknown_end(pid);
    return child.status;
}

std::optional<int> wait_for_process(int pid, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    Children& registry = children();
    std::unique_lock<std::mutex> lock(registry.mutex);
    auto found = started_child(registry, pid);
    if (!found->second.has_reaper) {
        lock.unlock();
        // No reaper thread: poll for the end.
        for (;;) {
            int status = 0;
            pid_t done = ::waitpid(pid, &status, WNOHANG);
            if (done == pid) {
                std::lock_guard<std::mutex> relock(registry.mutex);
                registry.by_pid.erase(pid);
                return exit_code(status);
            }
            if (done < 0 && errno != EINTR) throw unknown_end(pid);
            if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    bool ended = registry.ended.wait_until(lock, deadline, [&] { return ended_or_taken(registry, pid); });
    if (!ended) return std::nullopt;
    lock.unlock();
    return wait_for_process(pid);
}

std::optional<int> run_process(const CommandLine& command, const std::filesystem::path& working_folder,
                               std::chrono::milliseconds timeout) {
    int pid = start_process(command, working_folder);
    if (auto status = wait_for_process(pid, timeout)) return status;
    ::kill(pid, SIGKILL);
    wait_for_process(pid);
    return std::nullopt;
}

std::optional<int> run_process(const CommandLine& command, const std::filesystem::path& working_folder,
                               std::chrono::milliseconds timeout, std::string& errors) {
    // A file of no name rather than a pipe: the program never waits for us to read what it writes.
    const int fd = ::memfd_create("korvalin-errors", MFD_CLOEXEC);
    if (fd < 0) throw Failure("cannot start " + command.program.string() + ": " + std::strerror(errno));
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    const int pid = spawn(command, working_folder, fd);
    std::optional<int> status = wait_for_process(pid, timeout);
    if (!status) {
        ::kill(pid, SIGKILL);
        wait_for_process(pid);
    }
    errors.assign(max_kept_errors, '\0');
    ssize_t got = 0;
    do got = ::pread(fd, errors.data(), errors.size(), 0);
    while (got < 0 && errno == EINTR);
    errors.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return status;
}

}  // namespace kv::platform
