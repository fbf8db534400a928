// Feeds arbitrary bytes to the .reg file reader: it must refuse or accept them, never crash or hang,
// and whatever it accepts must write out and read back the same.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/runtime.h"
#include "registry/reg_file_reader.h"
#include "registry/reg_file_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    kv::registry::Key root;
    try {
        kv::registry::apply_changes(kv::registry::parse_reg_file(bytes), root);
    } catch (const kv::platform::Failure&) {
        return 0;
    }
    const std::string written = kv::registry::write_reg_file(root, {});
    kv::registry::Key again;
    kv::registry::apply_changes(kv::registry::parse_reg_file(written), again);
    if (kv::registry::write_reg_file(again, {}) != written) __builtin_trap();
    return 0;
}
