#pragma once
// Checks a skin settings file against the layout the launcher reads it by: forty positional lines
// ending in CR LF, each "key = value", with numbers where the launcher converts them.
#include <filesystem>
#include <string>
#include <vector>

namespace kv::painter {

// Returns one message per fault; an empty list means the file is sound.
std::vector<std::string> check_skin_settings(const std::filesystem::path& path);

}  // namespace kv::painter
