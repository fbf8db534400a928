#pragma once
// Text files as bytes: never transcoded. Lines are read ending in CR LF, LF or CR; files are written
// whole with CR LF line ends and replaced atomically, so a failed write leaves the old file whole.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kv {

// Every line of the file, without line ends. A last line without a line end counts; an empty file
// has no lines. Fails (kv::Failure) when the file cannot be opened or read.
std::vector<std::string> read_lines(const std::filesystem::path& file);

// The whole file as bytes. Fails when it cannot be opened or read.
std::string read_bytes(const std::filesystem::path& file);

// Splits bytes into lines the same way read_lines does.
std::vector<std::string> split_lines(const std::string& bytes);

// Writes the lines, each followed by CR LF, into a temporary file in the same folder and renames it
// over the target. Fails when any step fails; the old file is then untouched and no temporary is left.
void write_lines_atomically(const std::filesystem::path& file, const std::vector<std::string>& lines);

// The same for raw bytes.
void write_bytes_atomically(const std::filesystem::path& file, const std::string& bytes);

}  // namespace kv
