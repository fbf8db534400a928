#pragma once
// The configuration profiles of the four PlayStation emulators: plain files under the program
// folder's Configurations tree, one name per profile across three folders:
//   Configurations/<emulator>/emulator_configuration/<name>.reg   the emulator's own settings
//   Configurations/<emulator>/plugin_configuration/<name>.reg     the plug-in settings
//   Configurations/<emulator>/game_codes/<name>.ini               optional, deleted with the profile
// A profile exists exactly when its emulator_configuration entry exists. The installation provides
// the folders; nothing here creates one. Every operation skips a step that fails and goes on.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace kv::model {

// The one emulator whose emulator file is a copy of its SSSPSX.ini rather than a registry export.
inline constexpr const char* ssspsx = "SSSPSX";

// Program folder/Configurations/<emulator>. These paths fail (platform::AmbiguousName) where a folder
// of the way is there in several letter cases and none as named.
std::filesystem::path emulator_tree(const std::string& emulator);
// One of the emulator's three profile folders, e.g. "emulator_configuration".
std::filesystem::path profile_folder(const std::string& emulator, const char* folder);
std::filesystem::path emulator_file(const std::string& emulator, const std::string& profile);
std::filesystem::path plugin_file(const std::string& emulator, const std::string& profile);
std::filesystem::path game_codes_file(const std::string& emulator, const std::string& profile);

// A profile name that stays a file name inside its folder once ".reg" or ".ini" is added: no "/",
// "\" or NUL. Any other name, blanks and dots included ("." is the file "..reg"), is used as typed.
bool is_file_name(const std::string& profile);

// The profile names of the emulator: every entry of its emulator_configuration folder, file or
// folder, whose name ends in ".reg" exactly, without those four characters, sorted ignoring case
// like every listing of ours. A missing folder holds no profile. Fails (platform::AmbiguousName) when
// a folder of the way is there in several letter cases and none as named.
std::vector<std::string> scan_profiles(const std::string& emulator);

// SSSPSX.ini is a handful of short lines; a larger file is not taken into a profile.
inline constexpr std::size_t max_ssspsx_ini_size = 1024 * 1024;

// Creates or overwrites the profile's two files. The plug-in file holds "Blank configuration", and so
// does the emulator file of the registry emulators, whose current values a blank file leaves alone.
// SSSPSX's emulator file starts as a copy of the SSSPSX.ini in `emulator_folder` (the SSSPSX folder
// Configure would use), so that activating the new profile keeps what the user set there; without a
// plain, readable SSSPSX.ini of at most max_ssspsx_ini_size bytes it holds the nine-line [Plugins]
// template. An SSSPSX.ini there only in several other letter cases is not guessed at: the profile is
// not made. A name that is no file name writes nothing anywhere.
// Both files or neither: the plug-in file is written first and the emulator file, which makes the
// profile listed, last, so that no profile is listed half made, not even when the program is killed
// in between. When the plug-in file cannot be written the emulator file is left alone, and when the
// emulator file cannot, the plug-in file gets back what it held (or goes, when it is new). The answer
// has one line for each failure, naming the file and why; none when the profile was made.
std::vector<std::string> create_blank_profile(const std::string& emulator, const std::string& profile,
                                              const std::string& emulator_folder = "");

// Runs the registry editor's silent import of one file and waits for it; fails (kv::Failure) saying
// why the file was not imported.
using RegistryImport = std::function<void(const std::filesystem::path& file)>;

// Makes the profile the emulator's current settings: imports its plug-in file, then its emulator
// file (both waited for by `import`), or for SSSPSX replaces SSSPSX.ini in `emulator_folder` with the
// profile's emulator file byte for byte, atomically. An `emulator_folder` that is no absolute path
// (empty, "Unknown", a Windows path) is never copied into. An SSSPSX emulator file that is still the
// blank template holds no settings and leaves SSSPSX.ini as it is; a registry file that still holds
// "Blank configuration" (a profile no Ok has saved into yet) is not imported either. Every step is
// tried; the answer has one line for each that failed, naming the file and why.
std::vector<std::string> activate_profile(const std::string& emulator, const std::string& profile,
                                          const std::string& emulator_folder, const RegistryImport& import);

// Whether a profile file is still the blank registry file a new profile starts with.
bool holds_blank_text(const std::filesystem::path& file);

// Removes the profile's emulator file, plug-in file and game-codes file, in that order. A folder
// listed as a profile is no file and stays, and a missing file is skipped. The answer has one line for
// each file that is there and stays, naming it and why.
std::vector<std::string> delete_profile(const std::string& emulator, const std::string& profile);

// Removes what writes of the emulator's profile files (new profiles, editors' Ok, exports) left
// behind when they were killed halfway. A write under way keeps its temporary.
void remove_stale_temporaries(const std::string& emulator);

// The blank contents, line by line (written with CR LF).
std::vector<std::string> blank_emulator_lines(const std::string& emulator);
std::vector<std::string> blank_plugin_lines();

}  // namespace kv::model
