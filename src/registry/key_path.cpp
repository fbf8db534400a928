#include "registry/key_path.h"

#include "platform/folder.h"
#include "platform/runtime.h"

namespace kv::registry {

namespace {

bool has_unwritable_byte(const std::string& name) {
    return name.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

}  // namespace

KeyPath parse_key_path(const std::string& text) {
    if (text.empty()) throw platform::Failure("empty registry key");
    std::string path = text;
    if (path.size() > 1 && path.back() == '\\') path.pop_back();

    KeyPath result;
    size_t start = 0;
    bool first = true;
    for (;;) {
        size_t end = path.find('\\', start);
        std::string name = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (name.empty()) throw platform::Failure("bad registry key \"" + text + "\": empty key name");
        if (has_unwritable_byte(name))
            throw platform::Failure("bad registry key \"" + text + "\": a key name holds a line break");
        if (first) {
            result.root = name;
            result.current_user = platform::equal_ignoring_case(name, current_user_root) ||
                                  platform::equal_ignoring_case(name, "HKCU");
            first = false;
        } else {
            result.names.push_back(std::move(name));
            if (result.names.size() > max_key_depth)
                throw platform::Failure("bad registry key: deeper than " + std::to_string(max_key_depth) +
                                        " keys");
        }
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return result;
}

std::string key_path_text(const std::vector<std::string>& names) {
    std::string text = current_user_root;
    for (const auto& name : names) {
        text += '\\';
        text += name;
    }
    return text;
}

}  // namespace kv::registry
