// A skin's Config.ini from a downloaded skin: every line read and every value taken, as the skin's
// colours and window outlines take them.
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/skin_settings.h"
#include "platform/runtime.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto reader =
        kv::skins::SkinSettingsReader::from_bytes(std::string(reinterpret_cast<const char*>(data), size));
    for (int i = 0; i < kv::skins::skin_settings_lines; ++i) {
        std::string line;
        if (!kv::skip_failure([&] { line = reader.next_line(); })) break;
        kv::skip_failure([&] {
            const std::string value = kv::skins::line_value(line);
            kv::text_to_int32(value);
            kv::text_to_double(value);
        });
    }
    return 0;
}
