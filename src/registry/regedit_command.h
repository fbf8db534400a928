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

#include "platform/runtime.h"
#include "registry/store.h"

namespace kv::registry {

// Imports a .reg file into the store. Notes on keys passed over go to `notes`. Fails (kv::Failure)
// when the file is not a registry file or cannot be read, or the store cannot be updated; the store
// is then unchanged.
void import_reg_file(const Store& store, const std::filesystem::path& file, std::ostream& notes);

// An export of a key that does not exist: nothing is written. Callers that take a missing key for an
// empty one tell it from other failures by this type (and korvalin-regedit by its exit status).
class NoSuchKey : public platform::Failure {
  public:
    using platform::Failure::Failure;
};

// Exports a key with all its sub-keys, replacing the file atomically. Fails (NoSuchKey) when the key
// does not exist, or (platform::Failure) when the file cannot be written; the file is then as it was.
void export_reg_key(const Store& store, const std::filesystem::path& file, const std::string& key);

// The exit status of an export whose key does not exist.
inline constexpr int regedit_no_such_key = 2;

// Runs the command line (arguments without the program name). Returns the exit status: 0 on success,
// regedit_no_such_key for an export of a key that does not exist, 1 on any other failure; the reason
// of a failure goes to `errors`. Success prints nothing.
int run_regedit(const std::vector<std::string>& arguments, const Store& store, std::ostream& errors);

}  // namespace kv::registry
