#pragma once
// The registry editor's commands, behind the korvalin-regedit program:
//   /S FILE            imports FILE into the store, whole or not at all
//   /E FILE KEY        exports KEY with all its sub-keys into FILE (REGEDIT4 text)
//   /E /A FILE KEY     the same; /A asks for the single-byte text format, which is the only one written
// Switches are taken in any letter case.
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "platform/registry/store.h"

namespace kv::registry {

// Imports a .reg file into the store. Notes on keys passed over go to `notes`. Fails (kv::Failure)
// when the file is not a registry file or cannot be read, or the store cannot be updated; the store
// is then unchanged.
void import_reg_file(const Store& store, const std::filesystem::path& file, std::ostream& notes);

// Exports a key with all its sub-keys, replacing the file atomically. Fails (kv::Failure) when the key
// does not exist or the file cannot be written; the file is then as it was.
void export_reg_key(const Store& store, const std::filesystem::path& file, const std::string& key);

// Runs the command line (arguments without the program name). Returns the exit status: 0 on success,
// 1 on failure with the reason on `errors`. Success prints nothing.
int run_regedit(const std::vector<std::string>& arguments, const Store& store, std::ostream& errors);

}  // namespace kv::registry
