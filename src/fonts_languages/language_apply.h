#pragma once
// A language file's lines applied to the windows, read by line position like a skin's settings file.
#include "model/skin_settings.h"

namespace kv::fonts_languages {

// Reads lines 1 to 112 and sets every target of each used line; fails at the first line that cannot
// be read or holds no " = ", keeping what was set before it.
void apply_language_lines(model::SkinSettingsReader& reader);

}  // namespace kv::fonts_languages
