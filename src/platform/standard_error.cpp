#include "platform/standard_error.h"

#include <iostream>
#include <string>

namespace kv {

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
    std::cerr << lines << std::flush;
}

}  // namespace kv
