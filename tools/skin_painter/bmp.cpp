#include "bmp.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace kv::painter {

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kPixelOffset = kFileHeaderSize + kInfoHeaderSize;
// 72 dots per inch: the resolution the window system assumes for skin pictures anyway.
constexpr int32_t kPixelsPerMetre = 2835;

// Rows are padded to a multiple of four bytes.
uint32_t row_bytes(int width) {
    return (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
}

void put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

uint32_t get32(const std::vector<uint8_t>& in, size_t at) {
    return static_cast<uint32_t>(in[at]) | static_cast<uint32_t>(in[at + 1]) << 8 |
           static_cast<uint32_t>(in[at + 2]) << 16 | static_cast<uint32_t>(in[at + 3]) << 24;
}

uint16_t get16(const std::vector<uint8_t>& in, size_t at) {
    return static_cast<uint16_t>(in[at] | in[at + 1] << 8);
}

}  // namespace

void write_bmp(const std::filesystem::path& path, const Canvas& canvas) {
    const uint32_t stride = row_bytes(canvas.width());
    const uint32_t image_size = stride * static_cast<uint32_t>(canvas.height());

    std::vector<uint8_t> out;
    out.reserve(kPixelOffset + image_size);
    out.push_back('B');
    out.push_back('M');
    put32(out, kPixelOffset + image_size);
    put32(out, 0);  // two reserved words
    put32(out, kPixelOffset);
    put32(out, kInfoHeaderSize);
    put32(out, static_cast<uint32_t>(canvas.width()));
    put32(out, static_cast<uint32_t>(canvas.height()));  // positive: rows stored bottom-up
    put16(out, 1);                                       // planes
    put16(out, 24);                                      // bits per pixel
    put32(out, 0);                                       // no compression
    put32(out, image_size);
    put32(out, static_cast<uint32_t>(kPixelsPerMetre));
    put32(out, static_cast<uint32_t>(kPixelsPerMetre));
    put32(out, 0);  // no palette
    put32(out, 0);

    for (int y = canvas.height() - 1; y >= 0; --y) {
        const size_t row_start = out.size();
        for (int x = 0; x < canvas.width(); ++x) {
            Rgb c = canvas.pixel(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        while (out.size() - row_start < stride) out.push_back(0);
    }

    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    if (!file) throw std::runtime_error("cannot write " + path.string());
}

std::optional<BmpSize> read_bmp_size(const std::filesystem::path& path, std::string& problem) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        problem = "missing or unreadable";
        return std::nullopt;
    }
    std::vector<uint8_t> in{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (in.size() < kPixelOffset || in[0] != 'B' || in[1] != 'M') {
        problem = "not a bitmap";
        return std::nullopt;
    }
    if (get32(in, 2) != in.size()) {
        problem = "file size does not match its header";
        return std::nullopt;
    }
    const uint32_t offset = get32(in, 10);
    const uint32_t header = get32(in, 14);
    const auto width = static_cast<int32_t>(get32(in, 18));
    const auto height = static_cast<int32_t>(get32(in, 22));
    if (header != kInfoHeaderSize || get16(in, 26) != 1 || get16(in, 28) != 24 || get32(in, 30) != 0) {
        problem = "not an uncompressed 24-bit bitmap";
        return std::nullopt;
    }
    if (width <= 0 || height <= 0) {
        problem = "empty or top-down picture";
        return std::nullopt;
    }
    if (static_cast<uint64_t>(offset) +
            static_cast<uint64_t>(row_bytes(width)) * static_cast<uint64_t>(height) >
        in.size()) {
        problem = "pixel data cut short";
        return std::nullopt;
    }
    return BmpSize{width, height};
}

}  // namespace kv::painter
