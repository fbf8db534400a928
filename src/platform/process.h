#pragma once
// Starting programs: never through a shell, so nothing in a command line is interpreted.
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kv::platform {

struct CommandLine {
    std::filesystem::path program;       // what to start (may be a bare name looked up on PATH)
    std::vector<std::string> arguments;  // argv[1..]
};

// Splits a command line into program and arguments. Double quotes group blanks and are removed;
// nothing else is special. When the first word is not quoted and the text holds blanks, the longest
// blank-separated prefix that names an existing file is the program (as Windows' process start
// resolved "C:\Program Files\x.exe -a"). Fails on an empty command line.
CommandLine split_command_line(const std::string& command_line);

// Splits text into arguments as split_command_line splits what follows the program.
std::vector<std::string> split_arguments(const std::string& text);

// Starts the program with its arguments in the working folder (empty: the current folder), does not
// wait for it. "explorer.exe" stands for the desktop's file manager, opened on the arguments.
// Fails (kv::Failure) when the program cannot be started. Returns the process id.
int start_process(const CommandLine& command, const std::filesystem::path& working_folder);

// Opens a folder, document or web address with the desktop (xdg-open). Fails when it cannot be started.
int open_with_desktop(const std::string& target, const std::filesystem::path& working_folder);

// True when the text names something that starts as a program: an existing executable file.
bool is_program(const std::filesystem::path& path);

// True when the text is a web address (scheme "http:", "https:", "mailto:" or "www." start).
bool is_web_address(const std::string& text);

// Waits for a started process to end and returns its exit status (used by callers that must wait).
int wait_for_process(int pid);

// Waits at most `timeout` for a started process: its exit status, or nothing while it still runs.
std::optional<int> wait_for_process(int pid, std::chrono::milliseconds timeout);

// Starts the program, waits at most `timeout` for it to end and returns its exit status; a program
// still running then is killed and the result is nothing. Fails as start_process does.
std::optional<int> run_process(const CommandLine& command, const std::filesystem::path& working_folder,
                               std::chrono::milliseconds timeout);

// What of a program's standard error run_process keeps.
inline constexpr size_t max_kept_errors = 64 * 1024;

// The same, keeping what the program writes on its standard error (its first max_kept_errors bytes)
// in `errors` so that the caller can say why it failed, and pass it on where it belongs.
std::optional<int> run_process(const CommandLine& command, const std::filesystem::path& working_folder,
                               std::chrono::milliseconds timeout, std::string& errors);

}  // namespace kv::platform
