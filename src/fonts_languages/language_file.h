#pragma once
// Language files: Languages/<name>.ini, read by line position like a skin's settings file.
#include <filesystem>
#include <optional>
#include <string>

#include "fonts_languages/language_targets.h"
#include "skins/skin_settings.h"

namespace kv::fonts_languages {

// The file of a language name, found ignoring letter case; nothing for an empty name, a name that
// would lead out of the Languages folder, or a file that is not there.
std::optional<std::filesystem::path> language_file(const std::string& language_name);

// Reads lines 1 to 112 and sets every target of each used line; fails at the first line that cannot
// be read or holds no " = ", keeping what was set before it.
void apply_language_lines(skins::SkinSettingsReader& reader);

}  // namespace kv::fonts_languages
