#include "model/language_file.h"

#include "platform/folder.h"

namespace kv::fonts_languages {

std::optional<std::filesystem::path> language_file(const std::string& language_name) {
    if (!is_plain_entry_name(language_name)) return std::nullopt;
    auto file = resolve_ignoring_case(program_folder(),
                                      std::filesystem::path("Languages") / (language_name + ".ini"));
    std::error_code ec;
    if (!file || std::filesystem::is_directory(*file, ec)) return std::nullopt;
    return file;
}

}  // namespace kv::fonts_languages
