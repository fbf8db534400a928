#pragma once
// A skin's settings file ("Config.ini" in its folder), read by line position: the key before " = "
// is never looked at. Line 1 is one comma-delimited field, so a comma in it makes the rest of that
// line line 2 and every later line comes one early. Forty lines are read at most.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kv::model {

inline constexpr int skin_settings_lines = 40;

// The skin's settings file, found ignoring letter case; fails (kv::Failure) when it is not there.
std::filesystem::path skin_settings_file(const std::string& skin_name);

class SkinSettingsReader {
  public:
    // Fails when the file cannot be opened (or is a FIFO, a device, a folder). A language file is
    // read by the same rules, to its 112th line.
    explicit SkinSettingsReader(const std::filesystem::path& file, int line_limit = skin_settings_lines);
    // Reads the lines of a file already in memory.
    static SkinSettingsReader from_bytes(std::string bytes, int line_limit = skin_settings_lines);

    // The next line, numbered from 1. Fails when the file ends or the line limit has been read.
    std::string next_line();
    int lines_read() const { return lines_read_; }

  private:
    SkinSettingsReader() = default;
    std::string physical_line();
    std::string bytes_;
    std::size_t position_ = 0;
    int line_limit_ = skin_settings_lines;
    int lines_read_ = 0;
    std::optional<std::string> carried_;  // what followed the comma of line 1
};

// The text between a line's first " = " and the next one (or the line's end); fails without " = ".
std::string line_value(std::string_view line);

}  // namespace kv::model
