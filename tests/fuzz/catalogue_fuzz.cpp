// Data.kvl as a user's folder may hold it: any bytes are read, written back, and read again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/catalogue.h"
#include "platform/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    kv::Catalogue first;
    kv::read_catalogue(kv::split_lines(bytes), first);
    const std::string written = kv::catalogue_bytes(first);
    // What the program writes, it reads back as the same catalogue.
    kv::Catalogue second;
    kv::read_catalogue(kv::split_lines(written), second);
    if (kv::catalogue_bytes(second) != written) __builtin_trap();
    return 0;
}
