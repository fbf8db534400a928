#pragma once
// Reading .reg files: "REGEDIT4" text and "Windows Registry Editor Version 5.00" files (UTF-16LE
// with a byte-order mark, as that editor writes them, or UTF-8). The reader only parses; applying
// the result to a tree is a separate step, so a file is applied whole or not at all.
#include <string>
#include <string_view>
#include <vector>

#include "registry/registry_tree.h"

namespace kv::registry {

struct Change {
    enum class Kind { create_key, delete_key, set_value, delete_value };
    Kind kind = Kind::create_key;
    size_t key = 0;  // index into ParsedRegFile::keys
    Value value;     // set_value: the value; delete_value: its name
};

struct ParsedRegFile {
    std::vector<std::vector<std::string>> keys;  // sub-key names below HKEY_CURRENT_USER
    std::vector<Change> changes;                 // in file order
    std::vector<std::string> notes;              // keys passed over, for the user
};

// Parses the bytes of a .reg file. Fails (kv::Failure) with a message saying why when the bytes are
// not a registry file or a line cannot be read; the message names the line.
ParsedRegFile parse_reg_file(std::string_view bytes);

// Applies parsed changes in order; a result no longer needed gives up its values to the tree.
void apply_changes(const ParsedRegFile& parsed, Key& root);
void apply_changes(ParsedRegFile&& parsed, Key& root);

// The bytes as UTF-8 text: UTF-16LE with its byte-order mark is converted, a UTF-8 byte-order mark is
// dropped, anything else is kept byte for byte. Fails on broken UTF-16.
std::string decode_reg_text(std::string_view bytes);

}  // namespace kv::registry
