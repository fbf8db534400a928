#pragma once
// Windows bitmaps (.bmp) as skins and users' pictures hold them: 1, 4, 8, 16, 24 and 32 bits per
// pixel, uncompressed, with bit fields, or run-length encoded (RLE8, RLE4). Untrusted input: every
// read is bounds-checked and a malformed file is a failure (kv::Failure).
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/picture.h"

namespace kv::platform {

struct BmpSize {
    int64_t width = 0;
    int64_t height = 0;  // always positive; the header's sign only says which way the rows run
};

// The size the header declares, read before any pixel is decoded. Fails on a header too short or
// inconsistent to say.
BmpSize bmp_size(std::string_view bytes);

// Decodes the whole picture. The caller has checked bmp_size against its limits.
PictureData decode_bmp(std::string_view bytes);

// Checks everything decode_bmp would check before its first pixel, failing as it would. True when
// nothing is left that can fail, so the pixels may be decoded later: an uncompressed or bit-field
// picture. A run-length picture answers false, since only decoding its stream can tell.
bool bmp_decodes_whole(std::string_view bytes);

}  // namespace kv::platform
