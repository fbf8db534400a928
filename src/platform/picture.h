#pragma once
// Decoded bitmaps and their natural size. Pictures are untrusted input: a missing, truncated or
// impossibly large file is a failure (kv::Failure), never a crash or a read past the end. Only BMP
// (plain and run-length), JPEG, PNG and GIF are read, told apart by their content.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kv::platform {

struct PictureData {
    int width = 0;               // pixels
    int height = 0;              // pixels
    std::vector<uint32_t> argb;  // width*height pixels, 0xAARRGGBB, row by row from the top
};

// A loaded picture; cheap to copy (shares its pixels). An empty Picture has no file and no size.
class Picture {
  public:
    Picture() = default;
    // Loads the file, failing on any problem (on a FIFO, device or folder, and on a file larger than
    // max_picture_file_size) as decoding would. A plain bitmap, which can no longer fail once its
    // header and size are checked, keeps its file's bytes and is decoded when its pixels are first
    // asked for: a skin's pictures for windows that are never shown are never decoded.
    static Picture load(const std::filesystem::path& file);
    // Decodes a picture's bytes; `name` goes into failures and file(). A picture whose header
    // declares too large a size is refused before it is decoded.
    static Picture decode(const std::string& bytes, const std::string& name);
    // A picture made in memory (tests, generated pictures).
    static Picture from_data(PictureData data, std::string name = {});

    bool empty() const { return !pixels_; }
    int width_px() const { return pixels_ ? pixels_->width : 0; }
    int height_px() const { return pixels_ ? pixels_->height : 0; }
    const std::string& file() const { return file_; }
    // The pixels, decoded now if they were waiting; nullptr for an empty picture.
    const PictureData* data() const;

  private:
    // Shared by every copy: the decoded pixels, or the bytes of a checked bitmap until then.
    struct Pixels {
        int width = 0;
        int height = 0;
        std::string waiting_bmp;
        std::optional<PictureData> decoded;
    };
    std::shared_ptr<Pixels> pixels_;
    std::string file_;
};

// Largest picture accepted, in pixels per side and in all, so that a hostile header cannot ask for
// gigabytes: 40 million pixels is far above any screen, and decodes to 160 MB.
inline constexpr int max_picture_side = 16384;
inline constexpr int64_t max_picture_pixels = 40'000'000;

// Largest picture file read: the largest picture accepted, stored plainly at the widest depth any
// accepted format has (PNG with 16-bit red, green, blue and alpha: 8 bytes a pixel), with room for
// headers, palettes and chunks. A larger file (a sparse one costs nothing to make) is refused before
// any of it is read.
inline constexpr int64_t max_picture_file_size = 8 * max_picture_pixels + 16 * 1024 * 1024;

}  // namespace kv::platform
