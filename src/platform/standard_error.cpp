#include "platform/standard_error.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

namespace kv::platform {

void print_failure(std::string_view text) {
    print_failure("korvalin", text);
}

void print_failure(std::string_view program, std::string_view text) {
    // Built whole first, so that lines of two threads never interleave.
    std::string lines;
    for (;;) {
        const size_t end = text.find('\n');
        lines.append(program).append(": ").append(text.substr(0, end)).push_back('\n');
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    write_standard_error(lines);
}

void write_standard_error(std::string_view bytes) {
    // Standard output first, as the C++ error stream flushed it before writing.
    std::fflush(stdout);
    while (!bytes.empty()) {
        const ssize_t n = ::write(STDERR_FILENO, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;  // nowhere to report that reporting failed
        bytes.remove_prefix(static_cast<size_t>(n));
    }
}

}  // namespace kv::platform
