#pragma once
// How the configs window finds one of its emulators among the PSX entries of the catalogue.
#include <optional>
#include <string>
#include <string_view>

namespace kv::configs {

// Whether a PSX record stands for the emulator: its name begins with the emulator's name, letter
// case and all ("SSSPSX 1.5" for "SSSPSX").
bool is_entry_of(std::string_view record, std::string_view emulator);

// The record's folder when it is one the program can use: an absolute path. An empty one, or one
// written for another system, would put SSSPSX.ini at the root or nowhere.
std::optional<std::string> usable_folder(std::string_view record);

}  // namespace kv::configs
