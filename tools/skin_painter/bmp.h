#pragma once
// Uncompressed 24-bit Windows bitmaps: the one picture format every skin loader reads.
#include <filesystem>
#include <optional>
#include <string>

#include "canvas.h"

namespace kv::painter {

// Writes the picture; throws std::runtime_error when the file cannot be written.
void write_bmp(const std::filesystem::path& path, const Canvas& canvas);

struct BmpSize {
    int width = 0;
    int height = 0;
};

// Reads back the header of a file this program wrote and checks that it is a whole, uncompressed
// 24-bit bitmap. Returns its size, or nothing with the reason in `problem`.
std::optional<BmpSize> read_bmp_size(const std::filesystem::path& path, std::string& problem);

}  // namespace kv::painter
