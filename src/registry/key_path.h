#pragma once
// Registry key paths as users write them: a root ("HKEY_CURRENT_USER" or "HKCU") and sub-key names
// separated by backslashes.
#include <string>
#include <vector>

namespace kv::registry {

// The one root this store keeps, as it is written out.
inline constexpr const char* current_user_root = "HKEY_CURRENT_USER";

// Deeper paths are refused, as Windows refused them, so no tree can exhaust the stack.
inline constexpr size_t max_key_depth = 512;

struct KeyPath {
    std::string root;                // as written
    bool current_user = false;       // the root is HKEY_CURRENT_USER or HKCU, in any letter case
    std::vector<std::string> names;  // sub-key names below the root
};

// Splits a key path. Fails (kv::Failure) on an empty path, an empty name between backslashes, a name
// holding a line break or a zero byte, or a path deeper than max_key_depth. One trailing backslash
// is allowed.
KeyPath parse_key_path(const std::string& text);

// "HKEY_CURRENT_USER\A\B" for the names.
std::string key_path_text(const std::vector<std::string>& names);

}  // namespace kv::registry
