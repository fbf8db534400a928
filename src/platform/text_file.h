#pragma once
// Text files as bytes: never transcoded. Every file the program reads or writes goes through here, so
// that a FIFO, a device or a folder under a file's name is refused (never waited on, never replaced). Lines
// are read ending in CR LF, LF or CR; files are written whole with CR LF line ends and replaced atomically,
// so a failed write leaves the old file whole.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv::platform {

// Every line of the file, without line ends. A last line without a line end counts; an empty file
// has no lines. Fails (kv::Failure) when the file cannot be opened or read, also when it is larger
// than the memory there is.
std::vector<std::string> read_lines(const std::filesystem::path& file);

// Opens an existing regular file for reading without waiting and answers its descriptor, which the
// caller closes. Fails (kv::Failure) for a missing file, a FIFO, a device, a folder.
int open_regular_file(const std::filesystem::path& file);

// The whole file as bytes, or its first `limit` bytes. Fails when it cannot be opened or read (as
// read_lines), or is not a regular file.
std::string read_bytes(const std::filesystem::path& file, size_t limit = SIZE_MAX);

// Splits bytes into lines the same way read_lines does.
std::vector<std::string> split_lines(const std::string& bytes);

// Whose file a write replaces. The program's own files (the catalogue, the settings, the
// Configurations tree) stay inside the program folder whatever links an archive or a download brought
// into it. A file of an emulator the catalogue names (its SSSPSX.ini) belongs in that emulator's
// folder, wherever the folder really lies, a link inside the program folder included.
enum class Landing { program_file, emulator_file };

// Writes the lines, each followed by CR LF, into a temporary file in the same folder and renames it
// over the target. A symbolic link is written through to the file it leads to, but a program file
// named under the program folder only where it really lands inside it, its own link and its folders'
// links resolved. Fails when any step fails, when the name is a dangling
// link, when it names something else than a regular file, when the file is there but may not be
// written (read-only), or when a line holds CR or LF, which would make it more than one line of the
// file; the old file is then untouched and no temporary is left.
void write_lines_atomically(const std::filesystem::path& file, const std::vector<std::string>& lines);

// The same for raw bytes. Before writing, it removes what killed writes of the same file left.
void write_bytes_atomically(const std::filesystem::path& file, const std::string& bytes,
                            Landing landing = Landing::program_file);

// Removes the temporaries that writes of `file_name` in the folder left when they were killed halfway
// (".NAME.<16 hex digits>.tmp", exactly as the writes name them). A write under way keeps its
// temporary locked, so it is never taken from it. Answers how many were removed.
int remove_stale_temporaries(const std::filesystem::path& folder, const std::string& file_name);

// The same for a file found in whatever letter case it has ("SSSPSX.ini" or "ssspsx.ini"): the
// temporaries of `file_name` in any letter case.
int remove_stale_temporaries_ignoring_case(const std::filesystem::path& folder, const std::string& file_name);

// The same for the temporaries of every file whose name ends in `extension`.
int remove_stale_temporaries_of_kind(const std::filesystem::path& folder, std::string_view extension);
// Whether `name` is one that a save of `file_name` gives its temporary file.
bool is_temporary_name(const std::string& name, const std::string& file_name);

}  // namespace kv::platform
