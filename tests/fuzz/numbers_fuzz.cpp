// The number and truth-value conversions every stored file's values go through.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/runtime.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    kv::platform::skip_failure([&] { kv::platform::text_to_int16(text); });
    kv::platform::skip_failure([&] { kv::platform::text_to_int32(text); });
    kv::platform::skip_failure([&] { kv::platform::text_to_single(text); });
    kv::platform::skip_failure([&] { kv::platform::text_to_bool(text); });
    kv::platform::skip_failure([&] {
        const double value = kv::platform::text_to_double(text);
        kv::platform::number_text(value);
        kv::platform::round_half_even(value);
        kv::platform::skip_failure([&] { kv::platform::to_int16(value); });
        kv::platform::skip_failure([&] { kv::platform::to_int32(value); });
    });
    return 0;
}
