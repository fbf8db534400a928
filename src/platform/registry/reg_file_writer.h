#pragma once
// Writing the REGEDIT4 text format with CR LF line ends: "REGEDIT4", a blank line, then a key and
// each key under it in pre-order, each as its [HKEY_CURRENT_USER\...] line, its value lines and a
// blank line. The store file and exported files share it.
#include <string>
#include <vector>

#include "platform/registry/registry_tree.h"

namespace kv::registry {

// The file text for `key`, found at `path` (sub-key names below HKEY_CURRENT_USER, as stored).
std::string write_reg_file(const Key& key, const std::vector<std::string>& path);

// One value line ("name"=...), without its line end; long hexadecimal lists go on over several lines.
std::string value_line(const Value& value);

}  // namespace kv::registry
