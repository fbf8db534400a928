#pragma once
// Reading a file a user gave us: only a regular file is read, and it is opened without blocking, so a
// FIFO, a device or a folder in its place is refused instead of hanging the program.
#include <filesystem>
#include <optional>
#include <string>

namespace kv::registry {

// Larger files are refused rather than read into memory: parsed, a file takes several times its size.
inline constexpr size_t max_reg_file_size = 64u * 1024 * 1024;

// The file's bytes; nothing when it does not exist. Fails (kv::Failure) when it is not a regular
// file, is larger than max_reg_file_size or cannot be read.
std::optional<std::string> read_regular_file(const std::filesystem::path& file);

}  // namespace kv::registry
