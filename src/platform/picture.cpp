#include "platform/picture.h"

#include <climits>
#include <cstdlib>

#include "platform/runtime.h"
#include "platform/text_file.h"

// stb_image checks the sides too, as a second guard behind the checks below.
#define STBI_MAX_DIMENSIONS 16384
#define STBI_NO_STDIO
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

namespace kv {

static_assert(STBI_MAX_DIMENSIONS == max_picture_side);

namespace {

uint32_t le16(const std::string& b, size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8;
}

uint32_t le32(const std::string& b, size_t at) {
    return le16(b, at) | le16(b, at + 2) << 16;
}

void check_side(int64_t side, const std::string& name) {
    if (side <= 0 || side > max_picture_side)
        throw Failure("picture size out of range (" + std::to_string(side) + " pixels): " + name);
}

// stb_image reads zeros past the end of a BMP instead of failing, so its pixel data must be all there.
void check_bmp(const std::string& bytes, const std::string& name) {
    const auto truncated = [&] { return Failure("truncated BMP picture: " + name); };
    if (bytes.size() < 18) throw truncated();
    const int64_t pixels_offset = le32(bytes, 10);
    const uint32_t header_size = le32(bytes, 14);
    int64_t width = 0;
    int64_t height = 0;
    int64_t bits_per_pixel = 0;
    uint32_t compression = 0;
    if (header_size == 12) {
        if (bytes.size() < 26) throw truncated();
        width = le16(bytes, 18);
        height = le16(bytes, 20);
        bits_per_pixel = le16(bytes, 24);
    } else {
        if (bytes.size() < 34) throw truncated();
        width = static_cast<int32_t>(le32(bytes, 18));
        height = static_cast<int32_t>(le32(bytes, 22));  // negative: rows stored from the top
        bits_per_pixel = le16(bytes, 28);
        compression = le32(bytes, 30);
    }
    height = std::llabs(height);
    check_side(width, name);
    check_side(height, name);
    // Uncompressed rows (plain or bit fields) are padded to 4 bytes; stb_image refuses the others.
    const bool uncompressed = compression == 0 || compression == 3 || compression == 6;
    if (uncompressed) {
        const int64_t row_bytes = (bits_per_pixel * width + 31) / 32 * 4;
        if (static_cast<int64_t>(bytes.size()) < pixels_offset + row_bytes * height) throw truncated();
    }
}

// Frees the decoded pixels of stb_image.
struct StbiFree {
    void operator()(stbi_uc* p) const { stbi_image_free(p); }
};

}  // namespace

Picture Picture::load(const std::filesystem::path& file) {
    const std::string name = file.string();
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    if (ec) throw Failure("cannot open picture " + name + ": " + ec.message());
    if (size == 0) throw Failure("empty picture file: " + name);
    if (size > static_cast<uintmax_t>(INT_MAX)) throw Failure("picture file too large: " + name);

    const std::string bytes = read_bytes(file);
    if (bytes.empty() || bytes.size() > static_cast<size_t>(INT_MAX))
        throw Failure("picture file changed while read: " + name);
    const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
    const int length = static_cast<int>(bytes.size());

    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
        check_bmp(bytes, name);
    } else {
        int width = 0;
        int height = 0;
        int channels = 0;
        if (!stbi_info_from_memory(data, length, &width, &height, &channels))
            throw Failure("not a picture or corrupt (" + std::string(stbi_failure_reason()) + "): " + name);
        check_side(width, name);
        check_side(height, name);
    }

    int width = 0;
    int height = 0;
    int channels = 0;
    std::unique_ptr<stbi_uc, StbiFree> rgba(
        stbi_load_from_memory(data, length, &width, &height, &channels, 4));
    if (!rgba) throw Failure("cannot decode picture (" + std::string(stbi_failure_reason()) + "): " + name);
    check_side(width, name);
    check_side(height, name);

    PictureData decoded;
    decoded.width = width;
    decoded.height = height;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    decoded.argb.resize(count);
    const stbi_uc* p = rgba.get();
    for (size_t i = 0; i < count; ++i, p += 4)
        decoded.argb[i] = uint32_t{p[3]} << 24 | uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
    return from_data(std::move(decoded), name);
}

Picture Picture::from_data(PictureData data, std::string name) {
    if (data.width < 0 || data.height < 0 ||
        data.argb.size() != static_cast<size_t>(data.width) * static_cast<size_t>(data.height))
        throw Failure("picture data does not match its size: " + name);
    Picture picture;
    picture.data_ = std::make_shared<const PictureData>(std::move(data));
    picture.file_ = std::move(name);
    return picture;
}

}  // namespace kv
