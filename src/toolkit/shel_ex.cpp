#include "toolkit/shel_ex.h"

#include <filesystem>

#include "platform/process.h"
#include "platform/runtime.h"

namespace kv::toolkit {

namespace {

// What the desktop opens as one thing: an existing program (started bare), or a folder, document or
// web address (handed to the desktop's opener).
bool desktop_open(const std::string& command_line, const std::filesystem::path& folder) {
    if (command_line.empty()) return false;
    if (platform::is_web_address(command_line)) {
        platform::open_with_desktop(command_line, folder);
        return true;
    }
    std::error_code ec;
    std::filesystem::path target(command_line);
    if (target.is_relative() && !folder.empty()) target = folder / target;
    if (!std::filesystem::exists(target, ec)) return false;
    if (platform::is_program(target)) {
        platform::start_process(platform::CommandLine{target, {}}, folder);
    } else {
        platform::open_with_desktop(target.string(), folder);
    }
    return true;
}

}  // namespace

int32_t shell_execute(const std::string& command_line, int32_t /*show*/, const std::string& working_folder) {
    const std::filesystem::path folder(working_folder);
    int32_t result = shell_file_not_found;
    // The desktop's own failure is not the caller's concern: the process start below decides.
    platform::skip_failure([&] {
        if (desktop_open(command_line, folder)) result = shell_opened;
    });
    if (result < 32) {
        // Started in the caller's working folder, so emulators with a switch find their files.
        platform::start_process(platform::split_command_line(command_line), folder);
    }
    return result;
}

int32_t shell_execute_file(const std::string& program_file, const std::string& arguments, int32_t show,
                           const std::string& working_folder) {
    std::error_code ec;
    // Without arguments the desktop's open decides, as for any command line.
    if (arguments.empty() || !std::filesystem::is_regular_file(program_file, ec))
        return shell_execute(program_file + arguments, show, working_folder);
    platform::start_process(platform::CommandLine{program_file, platform::split_arguments(arguments)},
                            working_folder);
    return shell_opened;
}

void open_folder(const std::string& folder) {
    platform::start_process(platform::CommandLine{"explorer.exe", {folder}}, folder);
}

}  // namespace kv::toolkit
