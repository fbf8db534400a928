#pragma once
// SSSPSX.ini and the SSSPSX profile file: "[Plugins]" and eight "KEY=value" lines (BIOS, GPU, SPU,
// CDR, PAD1, PAD2, MCD1, MCD2), read by line position as the emulator's files are written.
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kv::model {

using SsspsxValues = std::array<std::string, 8>;

inline constexpr std::array<const char*, 8> ssspsx_keys{"BIOS", "GPU",  "SPU",  "CDR",
                                                        "PAD1", "PAD2", "MCD1", "MCD2"};

// The values of the file's text. Line 1 is one comma-separated field (a quoted field runs to its
// closing quote): with a comma in it, the rest of line 1 counts as the next line. Each of the next
// eight lines gives the text between its first and second "="; the reading stops at the end of the
// text or at a line without "=", the values not reached staying empty.
SsspsxValues parse_ssspsx_ini(const std::string& bytes);

// The nine lines, without line ends.
std::vector<std::string> ssspsx_ini_lines(const SsspsxValues& values);

}  // namespace kv::model
