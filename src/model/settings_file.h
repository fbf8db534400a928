#pragma once
// Config.ini: the program's settings, 23 lines read and written by position. The text in front of
// " = " is for a person reading the file; only the position of a line says what it holds. Plain
// data and the file format only; the main window applies what was read.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kv::model {

inline constexpr std::size_t settings_section_count = 10;

// A window coordinate: a number of twips, or "Center" (only ever written by hand).
struct SettingsPosition {
    bool center = false;
    float twips = 0;
};

struct SettingsFont {
    std::string name;
    std::string size;  // passed on as text; the font applier converts it
    bool bold = false;
    bool italic = false;
};

// What the file held, line by line. Reading stops at the first line that fails: every field after
// it stays empty. Sections and titles may stop part way (fewer than ten entries).
struct SettingsReading {
    std::optional<SettingsPosition> left, top;
    std::optional<std::string> skin;
    std::optional<std::string> language;
    std::optional<SettingsFont> font;
    // The flags read so far; fewer than ten means the line failed after hiding what it could.
    std::vector<std::string> section_flags;
    std::optional<int16_t> launcher_state;
    std::optional<bool> path_override;
    std::optional<int32_t> opacity;
    std::vector<std::string> section_titles;
    std::optional<bool> misc_image;
    std::optional<std::string> misc_image_location;
};

// Reads the lines of the file. A missing or unreadable file reads as nothing.
SettingsReading read_settings_lines(const std::vector<std::string>& lines);

// What save_config writes: the current state.
struct SettingsValues {
    float left = 0, top = 0;
    std::string skin;
    std::string language;
    std::string font_name;
    float font_size = 8.25f;
    bool font_bold = false, font_italic = false;
    std::array<bool, settings_section_count> section_visible{};
    int16_t launcher_state = 0;
    bool path_override = false;
    int16_t opacity = 100;
    std::array<std::string, settings_section_count> section_titles;
    bool misc_image = false;
    std::string misc_image_location;
};

// The 23 lines of the file, without line ends.
std::vector<std::string> settings_lines(const SettingsValues& values);

// Replaces the file atomically; fails (kv::Failure) and leaves the old file whole when it cannot.
void save_settings(const std::filesystem::path& file, const SettingsValues& values);

}  // namespace kv::model
