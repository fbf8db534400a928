#include "platform/bmp_decoder.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/runtime.h"

namespace kv::platform {

namespace {

constexpr uint32_t opaque_black = 0xFF000000;

enum Compression : uint32_t { plain = 0, rle8 = 1, rle4 = 2, bit_fields = 3, alpha_bit_fields = 6 };

Failure corrupt(const std::string& why) {
    return Failure("corrupt BMP picture: " + why);
}

uint32_t le16(std::string_view b, size_t at) {
    if (at + 2 > b.size()) throw corrupt("truncated");
    return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8;
}

uint32_t le32(std::string_view b, size_t at) {
    return le16(b, at) | le16(b, at + 2) << 16;
}

struct Header {
    int64_t width = 0;
    int64_t height = 0;
    bool top_down = false;
    uint32_t bits = 0;
    uint32_t compression = plain;
    uint32_t colours_used = 0;
    size_t header_size = 0;
    size_t pixels_offset = 0;
    bool core = false;  // the old 12-byte header: 16-bit sides, 3-byte palette entries
};

Header read_header(std::string_view b) {
    if (b.size() < 18 || b[0] != 'B' || b[1] != 'M') throw corrupt("no BMP header");
    Header h;
    h.pixels_offset = le32(b, 10);
    h.header_size = le32(b, 14);
    if (h.header_size == 12) {
        h.core = true;
        h.width = le16(b, 18);
        h.height = static_cast<int16_t>(le16(b, 20));
        h.bits = le16(b, 24);
    } else if (h.header_size >= 40 && h.header_size <= 124) {
        h.width = static_cast<int32_t>(le32(b, 18));
        h.height = static_cast<int32_t>(le32(b, 22));
        h.bits = le16(b, 28);
        h.compression = le32(b, 30);
        h.colours_used = le32(b, 46);
    } else {
        throw corrupt("unknown header size " + std::to_string(h.header_size));
    }
    h.top_down = h.height < 0;
    if (h.top_down) h.height = -h.height;
    if (h.width <= 0 || h.height <= 0) throw corrupt("no pixels");
    return h;
}

// A colour channel given by a bit mask, scaled to 0..255.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;

    explicit Channel(uint32_t m) : mask(m) {
        if (!mask) return;
        while (!((mask >> shift) & 1)) ++shift;
        max = mask >> shift;
    }
    uint32_t operator()(uint32_t pixel) const {
        if (!max) return 0;
        return static_cast<uint32_t>((static_cast<uint64_t>((pixel & mask) >> shift) * 255 + max / 2) / max);
    }
};

struct Masks {
    uint32_t red, green, blue, alpha;
};

Masks masks_of(std::string_view b, const Header& h) {
    if (h.compression == bit_fields || h.compression == alpha_bit_fields) {
        // In a 40-byte header the masks follow it; later headers hold them themselves.
        const size_t at = 14 + 40;
        const bool with_alpha = h.compression == alpha_bit_fields || h.header_size >= 56;
        return {le32(b, at), le32(b, at + 4), le32(b, at + 8), with_alpha ? le32(b, at + 12) : 0};
    }
    if (h.bits == 16) return {0x7C00, 0x03E0, 0x001F, 0};
    return {0xFF0000, 0x00FF00, 0x0000FF, 0xFF000000};
}

std::vector<uint32_t> palette_of(std::string_view b, const Header& h) {
    size_t at = 14 + h.header_size;
    if (h.header_size == 40 && h.compression == bit_fields) at += 12;
    if (h.header_size == 40 && h.compression == alpha_bit_fields) at += 16;
    const size_t entry = h.core ? 3 : 4;
    size_t count = h.colours_used ? h.colours_used : size_t{1} << h.bits;
    if (count > 256) count = 256;
    std::vector<uint32_t> palette;
    // A palette cut short by the pixel data (or the file end) keeps the entries that are there.
    for (size_t k = 0; k < count && at + 3 <= b.size() && at + 3 <= h.pixels_offset; ++k, at += entry) {
        const auto byte = [&](size_t i) {
            return static_cast<uint32_t>(static_cast<unsigned char>(b[at + i]));
        };
        palette.push_back(opaque_black | byte(2) << 16 | byte(1) << 8 | byte(0));
    }
    return palette;
}

class Canvas {
  public:
    Canvas(const Header& h) : h_(h), pixels_(static_cast<size_t>(h.width * h.height), opaque_black) {}
    // Row y as stored (0 the first row in the file).
    void set(int64_t x, int64_t stored_row, uint32_t argb) {
        if (x < 0 || x >= h_.width || stored_row < 0 || stored_row >= h_.height) return;
        const int64_t y = h_.top_down ? stored_row : h_.height - 1 - stored_row;
        pixels_[static_cast<size_t>(y * h_.width + x)] = argb;
    }
    PictureData take() {
        PictureData data;
        data.width = static_cast<int>(h_.width);
        data.height = static_cast<int>(h_.height);
        data.argb = std::move(pixels_);
        return data;
    }
    std::vector<uint32_t>& pixels() { return pixels_; }
    // The first pixel of row y as stored, in its place in the picture.
    uint32_t* stored_row(int64_t stored_row) {
        const int64_t y = h_.top_down ? stored_row : h_.height - 1 - stored_row;
        return pixels_.data() + y * h_.width;
    }

  private:
    const Header& h_;
    std::vector<uint32_t> pixels_;
};

uint32_t colour(const std::vector<uint32_t>& palette, uint32_t index) {
    return index < palette.size() ? palette[index] : opaque_black;
}

// The pixels of one stored row of a palette picture (1, 4 or 8 bits), through a full table so that
// an index past the palette is black.
void palette_row(const unsigned char* p, uint32_t bits, const std::array<uint32_t, 256>& table, uint32_t* out,
                 int64_t width) {
    if (bits == 8) {
        for (int64_t x = 0; x < width; ++x) out[x] = table[p[x]];
        return;
    }
    const uint32_t mask = (1u << bits) - 1;
    for (int64_t x = 0; x < width; ++x) {
        const int64_t bit = x * bits;
        const uint32_t shift = 8 - bits - static_cast<uint32_t>(bit % 8);
        out[x] = table[(p[bit / 8] >> shift) & mask];
    }
}

int64_t row_bytes_of(const Header& h) {
    return (static_cast<int64_t>(h.bits) * h.width + 31) / 32 * 4;
}

void check_plain(std::string_view b, const Header& h) {
    if (static_cast<int64_t>(b.size()) - static_cast<int64_t>(h.pixels_offset) < row_bytes_of(h) * h.height)
        throw corrupt("truncated pixel data");
    masks_of(b, h);  // bit fields must be there to be read
}

void decode_plain(std::string_view b, const Header& h, Canvas& canvas) {
    check_plain(b, h);
    const int64_t row_bytes = row_bytes_of(h);
    const auto* data = reinterpret_cast<const unsigned char*>(b.data()) + h.pixels_offset;
    std::array<uint32_t, 256> table{};
    if (h.bits <= 8) {
        table.fill(opaque_black);
        const std::vector<uint32_t> palette = palette_of(b, h);
        std::copy(palette.begin(), palette.end(), table.begin());
    }
    const Masks m = masks_of(b, h);
    const Channel red(m.red), green(m.green), blue(m.blue), alpha(m.alpha);
    bool any_alpha = false;
    // Row by row into its place in the picture: every pixel of a plain picture is stored, so none
    // needs the per-pixel checks of the run-length decoder.
    for (int64_t row = 0; row < h.height; ++row) {
        const unsigned char* p = data + row * row_bytes;
        uint32_t* out = canvas.stored_row(row);
        switch (h.bits) {
            case 1:
            case 4:
            case 8:
                palette_row(p, h.bits, table, out, h.width);
                break;
            case 24:
                for (int64_t x = 0; x < h.width; ++x, p += 3)
                    out[x] = opaque_black | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
                break;
            default:  // 16 and 32, through their masks
                for (int64_t x = 0; x < h.width; ++x) {
                    const unsigned char* q = p + x * (h.bits / 8);
                    uint32_t value = q[0] | uint32_t{q[1]} << 8;
                    if (h.bits == 32) value |= uint32_t{q[2]} << 16 | uint32_t{q[3]} << 24;
                    const uint32_t a = m.alpha ? alpha(value) : 255;
                    any_alpha = any_alpha || (m.alpha && a != 0);
                    out[x] = a << 24 | red(value) << 16 | green(value) << 8 | blue(value);
                }
                break;
        }
    }
    // Most programs write the fourth byte as zero and mean no transparency: a picture whose alpha is
    // zero everywhere is opaque.
    if (m.alpha && !any_alpha)
        for (uint32_t& pixel : canvas.pixels()) pixel |= opaque_black;
}

// Runs of RLE8 (one index a pixel) or RLE4 (two indexes a byte, high nibble first). Pixels the
// stream skips stay black; pixels past a row's end or below the last row are dropped.
void decode_run_length(std::string_view b, const Header& h, Canvas& canvas) {
    if (h.top_down) throw corrupt("run-length pictures are stored from the bottom");
    const std::vector<uint32_t> palette = palette_of(b, h);
    const bool four = h.compression == rle4;
    size_t at = h.pixels_offset;
    if (at > b.size()) throw corrupt("pixel data outside the file");
    const auto byte = [&]() -> uint32_t {
        if (at >= b.size()) throw corrupt("truncated run-length data");
        return static_cast<unsigned char>(b[at++]);
    };
    int64_t x = 0;
    int64_t row = 0;
    // The stream may end without its end-of-picture mark: what it drew is kept.
    while (at < b.size() && row < h.height) {
        const uint32_t count = byte();
        const uint32_t value = byte();
        if (count > 0) {
            for (uint32_t k = 0; k < count && x < h.width; ++k, ++x) {
                const uint32_t index = four ? (k % 2 == 0 ? value >> 4 : value & 0x0F) : value;
                canvas.set(x, row, colour(palette, index));
            }
            continue;
        }
        if (value == 0) {  // end of row
            x = 0;
            ++row;
        } else if (value == 1) {  // end of picture
            break;
        } else if (value == 2) {  // move right and up
            x += byte();
            row += byte();
        } else {  // `value` pixels given one by one, padded to an even number of bytes
            const uint32_t bytes = four ? (value + 1) / 2 : value;
            uint32_t current = 0;
            for (uint32_t k = 0; k < value; ++k) {
                uint32_t index = 0;
                if (four) {
                    if (k % 2 == 0) current = byte();
                    index = k % 2 == 0 ? current >> 4 : current & 0x0F;
                } else {
                    index = byte();
                }
                if (x < h.width) canvas.set(x, row, colour(palette, index));
                ++x;
            }
            if (bytes % 2) byte();
        }
    }
}

}  // namespace

BmpSize bmp_size(std::string_view bytes) {
    const Header h = read_header(bytes);
    return {h.width, h.height};
}

namespace {

// The header and the checks every kind of picture gets before its pixels; tells whether it is plain.
bool checked_header(std::string_view bytes, Header& h) {
    h = read_header(bytes);
    if (h.pixels_offset < 14 + h.header_size || h.pixels_offset > bytes.size())
        throw corrupt("pixel data outside the file");
    switch (h.compression) {
        case plain:
        case bit_fields:
        case alpha_bit_fields: {
            const bool masked = h.compression != plain;
            const bool fits = masked ? (h.bits == 16 || h.bits == 32)
                                     : (h.bits == 1 || h.bits == 4 || h.bits == 8 || h.bits == 16 ||
                                        h.bits == 24 || h.bits == 32);
            if (!fits) throw corrupt("unsupported bits per pixel " + std::to_string(h.bits));
            return true;
        }
        case rle8:
        case rle4:
            if (h.bits != (h.compression == rle8 ? 8u : 4u))
                throw corrupt("run-length with wrong bits per pixel");
            return false;
        default:
            throw corrupt("unsupported compression " + std::to_string(h.compression));
    }
}

}  // namespace

PictureData decode_bmp(std::string_view bytes) {
    Header h;
    const bool plain_pixels = checked_header(bytes, h);
    Canvas canvas(h);
    if (plain_pixels)
        decode_plain(bytes, h, canvas);
    else
        decode_run_length(bytes, h, canvas);
    return canvas.take();
}

bool bmp_decodes_whole(std::string_view bytes) {
    Header h;
    if (!checked_header(bytes, h)) return false;
    check_plain(bytes, h);
    return true;
}

}  // namespace kv::platform
