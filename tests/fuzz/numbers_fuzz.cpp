// The number and truth-value conversions every stored file's values go through.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/runtime.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    kv::skip_failure([&] { kv::text_to_int16(text); });
    kv::skip_failure([&] { kv::text_to_int32(text); });
    kv::skip_failure([&] { kv::text_to_single(text); });
    kv::skip_failure([&] { kv::text_to_bool(text); });
    kv::skip_failure([&] {
        const double value = kv::text_to_double(text);
        kv::number_text(value);
        kv::round_half_even(value);
        kv::skip_failure([&] { kv::to_int16(value); });
        kv::skip_failure([&] { kv::to_int32(value); });
    });
    return 0;
}
