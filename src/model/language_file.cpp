#include "model/language_file.h"

#include "platform/folder.h"

namespace kv::model {

std::optional<std::filesystem::path> language_file(const std::string& language_name) {
    if (!platform::is_plain_entry_name(language_name)) return std::nullopt;
    auto file = platform::resolve_ignoring_case(
        platform::program_folder(), std::filesystem::path("Languages") / (language_name + ".ini"));
    std::error_code ec;
    if (!file || std::filesystem::is_directory(*file, ec)) return std::nullopt;
    return file;
}

}  // namespace kv::model
