#pragma once
// Helpers shared by the tests: real temporary folders and small file utilities.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kvtest {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

// Writes bytes exactly as given (creating parent folders).
void write_file(const std::filesystem::path& file, const std::string& bytes);
// Reads a whole file's bytes; empty when it does not exist.
std::string read_file(const std::filesystem::path& file);

// The bytes of a 24-bit BMP; pixels are 0xRRGGBB row by row from the top (none: black). A negative
// height stores the rows from the top.
std::string bmp(int width, int height, const std::vector<uint32_t>& pixels = {});

// An 8 x 8 JPEG, all blue (as close as JPEG gets).
std::string blue_jpeg();

}  // namespace kvtest
