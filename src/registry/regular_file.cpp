#include "registry/regular_file.h"

#include <system_error>

#include "platform/runtime.h"
#include "platform/text_file.h"

namespace kv::registry {

std::optional<std::string> read_regular_file(const std::filesystem::path& file) {
    std::error_code ec;
    if (std::filesystem::status(file, ec).type() == std::filesystem::file_type::not_found)
        return std::nullopt;
    // The one reader of the program's files: a FIFO, a device or a folder is refused, never waited on.
    std::string bytes = platform::read_bytes(file, max_reg_file_size + 1);
    if (bytes.size() > max_reg_file_size)
        throw platform::Failure("cannot read " + file.string() + ": larger than " +
                                std::to_string(max_reg_file_size / (1024 * 1024)) + " MB");
    return bytes;
}

}  // namespace kv::registry
