// Config.ini as a user may have edited it: any bytes are read; what was read is written and read
// back to the same values.
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/settings_file.h"
#include "platform/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const kv::model::SettingsReading r = kv::model::read_settings_lines(kv::platform::split_lines(bytes));
    if (!r.skin || !r.language || !r.misc_image_location) return 0;
    kv::model::SettingsValues v;
    v.skin = *r.skin;
    v.language = *r.language;
    v.misc_image_location = *r.misc_image_location;
    // A value is one line: line ends inside it cannot come from reading lines.
    const kv::model::SettingsReading back = kv::model::read_settings_lines(kv::model::settings_lines(v));
    if (back.skin != r.skin || back.language != r.language) __builtin_trap();
    if (back.misc_image_location != r.misc_image_location) __builtin_trap();
    return 0;
}
