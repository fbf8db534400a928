// Data.kvl as a user's folder may hold it: any bytes are read, written back, and read again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/catalogue.h"
#include "platform/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    kv::model::Catalogue first;
    kv::model::read_catalogue(kv::platform::split_lines(bytes), first);
    const std::string written = kv::model::catalogue_bytes(first);
    // What the program writes, it reads back as the same catalogue.
    kv::model::Catalogue second;
    kv::model::read_catalogue(kv::platform::split_lines(written), second);
    if (kv::model::catalogue_bytes(second) != written) __builtin_trap();
    return 0;
}
