#pragma once
// Writing the REGEDIT4 text format with CR LF line ends: "REGEDIT4", a blank line, then a key and
// each key under it in pre-order, each as its [HKEY_CURRENT_USER\...] line, its value lines and a
// blank line. The store file and exported files share it.
#include <cstdint>
#include <string>
#include <vector>

#include "registry/registry_tree.h"

namespace kv::registry {

// The file text for `key`, found at `path` (sub-key names below HKEY_CURRENT_USER, as stored). Fails
// (kv::Failure) as soon as the text would grow past `max_size` bytes: every key line holds its whole
// path, so a small but deep tree can make gigabytes of text, which is never built.
std::string write_reg_file(const Key& key, const std::vector<std::string>& path, size_t max_size = SIZE_MAX);

// One value line ("name"=...), without its line end; long hexadecimal lists go on over several lines.
std::string value_line(const Value& value);

}  // namespace kv::registry
