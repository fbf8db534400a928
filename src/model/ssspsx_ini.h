#pragma once
// SSSPSX.ini and the SSSPSX profile file: "[Plugins]" and eight "KEY=value" lines (BIOS, GPU, SPU,
// CDR, PAD1, PAD2, MCD1, MCD2), read by line position as the emulator's files are written.
#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kv::model {

using SsspsxValues = std::array<std::string, 8>;

inline constexpr std::array<const char*, 8> ssspsx_keys{"BIOS", "GPU",  "SPU",  "CDR",
                                                        "PAD1", "PAD2", "MCD1", "MCD2"};

// The emulator's file, by the name it has on Windows.
inline constexpr const char* ssspsx_ini_name = "SSSPSX.ini";

// The values of the file's text. Line 1 is one comma-separated field (a quoted field runs to its
// closing quote): with a comma in it, the rest of line 1 counts as the next line. Each of the next
// eight lines gives the text between its first and second "="; the reading stops at the end of the
// text or at a line without "=", the values not reached staying empty.
SsspsxValues parse_ssspsx_ini(const std::string& bytes);

// The nine lines, without line ends.
std::vector<std::string> ssspsx_ini_lines(const SsspsxValues& values);

// The emulator's SSSPSX.ini: that name in the emulator's folder, in whatever letter case the file has
// there. Fails (platform::AmbiguousName) when several files have it in other letter cases.
std::filesystem::path ssspsx_ini_in(const std::filesystem::path& emulator_folder);

// Replaces the emulator's SSSPSX.ini with the bytes of a profile file, atomically, wherever the
// emulator's folder really lies: it is the emulator's file, not the program's. Bytes for which
// `holds_nothing` answers true are not copied. Fails (kv::Failure) with one line that names both files
// and why ("cannot copy P over I: ..."); SSSPSX.ini is then as it was.
void copy_over_ssspsx_ini(const std::filesystem::path& profile_file,
                          const std::filesystem::path& emulator_folder,
                          const std::function<bool(const std::string& bytes)>& holds_nothing = {});

// Removes what writes of the emulator's SSSPSX.ini left when they were killed halfway: their
// temporaries in the emulator's folder, for the name in any letter case the file has had there, and
// beside the file that a link named SSSPSX.ini leads to. Nothing else is touched; a write under way
// keeps its temporary, and a folder that is missing or cannot be read is passed over.
void remove_stale_ini_temporaries(const std::filesystem::path& emulator_folder);

}  // namespace kv::model
