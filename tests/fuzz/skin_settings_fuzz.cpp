// A skin's Config.ini from a downloaded skin: every line read and every value taken, as the skin's
// colours and window outlines take them.
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/skin_settings.h"
#include "platform/runtime.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto reader =
        kv::model::SkinSettingsReader::from_bytes(std::string(reinterpret_cast<const char*>(data), size));
    for (int i = 0; i < kv::model::skin_settings_lines; ++i) {
        std::string line;
        if (!kv::platform::skip_failure([&] { line = reader.next_line(); })) break;
        kv::platform::skip_failure([&] {
            const std::string value = kv::model::line_value(line);
            kv::platform::text_to_int32(value);
            kv::platform::text_to_double(value);
        });
    }
    return 0;
}
