#pragma once
// Opening things as the desktop's shell does, without waiting: emulators, the file manager, web
// addresses. Programs the launcher waits for (the registry editor, the plug-in host) start through
// platform/process and plugin_client/plugin_library.
#include <cstdint>
#include <string>

namespace kv::toolkit {

// Result of the desktop's open: 32 or more when it opened the command line as one file, program,
// folder or address; below 32 when it could not, in which case the command line was started as a
// process with its arguments instead.
inline constexpr int32_t shell_opened = 42;
inline constexpr int32_t shell_file_not_found = 2;

// Opens the whole command line as one thing in the working folder; when that is not possible, starts
// it as a program with arguments, in the same working folder. Never waits. When neither works the
// failure (kv::Failure) reaches the caller.
int32_t shell_execute(const std::string& command_line, int32_t show, const std::string& working_folder);

// Starts a program file given apart from its arguments: when there are arguments and the file exists,
// that file is the program whatever its path holds (blanks, double quotes) and only the arguments
// text is split; otherwise the two are joined and go to shell_execute. Fails as shell_execute does.
int32_t shell_execute_file(const std::string& program_file, const std::string& arguments, int32_t show,
                           const std::string& working_folder);

// Opens the folder in the desktop's file manager, the folder taken whole whatever it holds.
void open_folder(const std::string& folder);

}  // namespace kv::toolkit
