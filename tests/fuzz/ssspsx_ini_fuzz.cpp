// Reading SSSPSX.ini: whatever the file holds, eight values come back, none holding a line end or an
// "=", and writing them and reading them again gives the same values.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/ssspsx_ini.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto values = kv::model::parse_ssspsx_ini(bytes);
    std::string written;
    for (const auto& value : values) {
        if (value.find_first_of("\r\n=") != std::string::npos) std::abort();
    }
    for (const auto& line : kv::model::ssspsx_ini_lines(values)) written += line + "\r\n";
    if (kv::model::parse_ssspsx_ini(written) != values) std::abort();
    return 0;
}
