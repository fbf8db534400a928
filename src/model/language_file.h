#pragma once
// Language files: Languages/<name>.ini in the program folder.
#include <filesystem>
#include <optional>
#include <string>

namespace kv::model {

// The file of a language name, found ignoring letter case; nothing for an empty name, a name that
// would lead out of the Languages folder, or a file that is not there.
std::optional<std::filesystem::path> language_file(const std::string& language_name);

}  // namespace kv::model
