#include "platform/picture.h"

#include <climits>
#include <cstdlib>
#include <string_view>

#include "platform/bmp_decoder.h"
#include "platform/runtime.h"
#include "platform/text_file.h"

// Only the formats users' pictures come in are compiled in: every other decoder is code an untrusted
// file could reach. BMP is ours (stb_image cannot read run-length BMP).
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#define STBI_ONLY_GIF
// stb_image checks the sides too, as a second guard behind the checks below.
#define STBI_MAX_DIMENSIONS 16384
#define STBI_NO_STDIO
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

namespace kv::platform {

static_assert(STBI_MAX_DIMENSIONS == max_picture_side);

namespace {

enum class PictureFormat { unknown, bmp, jpeg, png, gif };

// Decided by the first bytes, never by the name: skins hold JPEG and GIF data under ".bmp" names.
PictureFormat format_of(std::string_view b) {
    const auto starts = [&](std::string_view magic) { return b.substr(0, magic.size()) == magic; };
    if (starts("BM")) return PictureFormat::bmp;
    if (starts("\xFF\xD8\xFF")) return PictureFormat::jpeg;
    if (starts(std::string_view("\x89PNG\r\n\x1a\n", 8))) return PictureFormat::png;
    if (starts("GIF87a") || starts("GIF89a")) return PictureFormat::gif;
    return PictureFormat::unknown;
}

// Checked on the header's declared size, before a single pixel is decoded.
void check_size(int64_t width, int64_t height, const std::string& name) {
    if (width <= 0 || height <= 0 || width > max_picture_side || height > max_picture_side ||
        width * height > max_picture_pixels)
        throw Failure("picture size out of range (" + std::to_string(width) + " x " + std::to_string(height) +
                      " pixels): " + name);
}

// Frees the decoded pixels of stb_image.
struct StbiFree {
    void operator()(stbi_uc* p) const { stbi_image_free(p); }
};

PictureData decode_with_stb(const std::string& bytes, const std::string& name) {
    if (bytes.size() > static_cast<size_t>(INT_MAX)) throw Failure("picture file too large: " + name);
    const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
    const int length = static_cast<int>(bytes.size());
    int width = 0;
    int height = 0;
    int channels = 0;
    if (!stbi_info_from_memory(data, length, &width, &height, &channels))
        throw Failure("not a picture or corrupt (" + std::string(stbi_failure_reason()) + "): " + name);
    check_size(width, height, name);

    std::unique_ptr<stbi_uc, StbiFree> rgba(
        stbi_load_from_memory(data, length, &width, &height, &channels, 4));
    if (!rgba) throw Failure("cannot decode picture (" + std::string(stbi_failure_reason()) + "): " + name);
    check_size(width, height, name);

    PictureData decoded;
    decoded.width = width;
    decoded.height = height;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    decoded.argb.resize(count);
    const stbi_uc* p = rgba.get();
    for (size_t i = 0; i < count; ++i, p += 4)
        decoded.argb[i] = uint32_t{p[3]} << 24 | uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
    return decoded;
}

}  // namespace

Picture Picture::decode(const std::string& bytes, const std::string& name) {
    switch (format_of(bytes)) {
        case PictureFormat::bmp: {
            const BmpSize size = bmp_size(bytes);
            check_size(size.width, size.height, name);
            try {
                return from_data(decode_bmp(bytes), name);
            } catch (const Failure& failure) {
                throw Failure(std::string(failure.what()) + ": " + name);
            }
        }
        case PictureFormat::jpeg:
        case PictureFormat::png:
        case PictureFormat::gif:
            return from_data(decode_with_stb(bytes, name), name);
        case PictureFormat::unknown:
            break;
    }
    throw Failure("not a BMP, JPEG, PNG or GIF picture: " + name);
}

Picture Picture::load(const std::filesystem::path& file) {
    std::string name = file.string();
    const auto too_large = [&] {
        return Failure("picture file too large (more than " +
                       std::to_string(max_picture_file_size / (1024 * 1024)) + " MB): " + name);
    };
    std::error_code ec;
    const auto file_size = std::filesystem::file_size(file, ec);
    if (!ec && file_size > static_cast<uintmax_t>(max_picture_file_size)) throw too_large();
    // Limited again while reading, for a file that grows in the meantime.
    std::string bytes = read_bytes(file, static_cast<size_t>(max_picture_file_size) + 1);
    if (bytes.size() > static_cast<size_t>(max_picture_file_size)) throw too_large();
    if (bytes.empty()) throw Failure("empty picture file: " + name);
    if (format_of(bytes) != PictureFormat::bmp) return decode(bytes, name);
    const BmpSize size = bmp_size(bytes);
    check_size(size.width, size.height, name);
    bool whole = false;
    try {
        whole = bmp_decodes_whole(bytes);
    } catch (const Failure& failure) {
        throw Failure(std::string(failure.what()) + ": " + name);
    }
    if (!whole) return decode(bytes, name);
    Picture picture;
    picture.pixels_ = std::make_shared<Pixels>();
    picture.pixels_->width = static_cast<int>(size.width);
    picture.pixels_->height = static_cast<int>(size.height);
    picture.pixels_->waiting_bmp = std::move(bytes);
    picture.file_ = std::move(name);
    return picture;
}

Picture Picture::from_data(PictureData data, std::string name) {
    if (data.width < 0 || data.height < 0 ||
        data.argb.size() != static_cast<size_t>(data.width) * static_cast<size_t>(data.height))
        throw Failure("picture data does not match its size: " + name);
    Picture picture;
    picture.pixels_ = std::make_shared<Pixels>();
    picture.pixels_->width = data.width;
    picture.pixels_->height = data.height;
    picture.pixels_->decoded = std::move(data);
    picture.file_ = std::move(name);
    return picture;
}

const PictureData* Picture::data() const {
    if (!pixels_) return nullptr;
    if (!pixels_->decoded) {
        // Checked when it was loaded: decoding it cannot fail.
        pixels_->decoded = decode_bmp(pixels_->waiting_bmp);
        std::string().swap(pixels_->waiting_bmp);
    }
    return &*pixels_->decoded;
}

}  // namespace kv::platform
