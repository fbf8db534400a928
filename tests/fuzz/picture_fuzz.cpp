// Pictures from skins and the Misc tile: any bytes decode to a picture of the size its header gave,
// or fail; never a read out of bounds or an allocation past the limits. A bitmap checked whole
// decodes without failing.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/bmp_decoder.h"
#include "platform/picture.h"
#include "platform/runtime.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    kv::platform::skip_failure([&] {
        const kv::platform::Picture picture = kv::platform::Picture::decode(bytes, "fuzz");
        const int64_t pixels = int64_t{picture.width_px()} * picture.height_px();
        if (pixels <= 0 || pixels > kv::platform::max_picture_pixels) __builtin_trap();
        if (picture.width_px() > kv::platform::max_picture_side ||
            picture.height_px() > kv::platform::max_picture_side)
            __builtin_trap();
    });
    // A bitmap found whole when its file is loaded is decoded only when first drawn, where a failure
    // could no longer be refused: decoding it must then succeed.
    kv::platform::skip_failure([&] {
        const kv::platform::BmpSize size = kv::platform::bmp_size(bytes);
        if (size.width > kv::platform::max_picture_side || size.height > kv::platform::max_picture_side ||
            size.width * size.height > kv::platform::max_picture_pixels ||
            !kv::platform::bmp_decodes_whole(bytes))
            return;
        try {
            kv::platform::decode_bmp(bytes);
        } catch (const kv::platform::Failure&) {
            __builtin_trap();
        }
    });
    return 0;
}
