#pragma once
// plugin_record texts ("file|||display") and the small rules of the plug-in lists that need no window.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kv::model {

using PluginRecords = std::vector<std::string>;  // position 1 is element 0

inline constexpr std::string_view record_separator = "|||";

std::string make_record(const std::string& file_part, const std::string& display_part);
// The text before the first "|||" (the whole text when there is none).
std::string file_part(const std::string& record);
// The text after the first "|||" ("" when there is none).
std::string display_part(const std::string& record);

// "major.minor" from bits 8-15 and 0-7 of the version: 0x0102 "1.2", 0xFFFF "255.255".
std::string format_plugin_version(int32_t version);

// A plug-in file: a name ending in ".so" in any letter case, longer than that ending, not hidden, and
// without "|||", which would cut its record in the wrong place (the wrong file stored, a garbled name).
bool is_plugin_file_name(const std::string& name);

// The entries of a picker of files (BIOS images, memory cards): each file of the folder whose name
// ends in `ending` in any letter case, naming itself as its file and display part, in listing order.
// Hidden files (a leading ".") are left out, as a Windows folder listing left them out.
PluginRecords file_records(const std::string& folder, std::string_view ending);

// A text cut at its first NUL, as a text box keeps it.
std::string cut_at_nul(const std::string& text);

}  // namespace kv::model
