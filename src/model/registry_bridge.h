#pragma once
// The registry as the settings editors and the profiles use it: one value at a time, and whole .reg
// files through korvalin-regedit, which is waited for so that what follows sees its work.
#include <chrono>
#include <string>
#include <vector>

namespace kv::model {

// Mode 1 reads (the value's text; "" when missing, unreadable or not text/dword), mode 2 writes a REG_SZ
// (creating missing keys; a write that fails is written on standard error). Key is the value's full
// path, root included, value name after the last backslash.
std::string registry_value(const std::string& key, const std::string& value, int mode);

// Mode 2 for callers that tell the user: fails (kv::Failure) saying why the value was not written.
void write_registry_value(const std::string& key, const std::string& text);

// What a run of the registry editor came to: done, or why not, in the editor's own words when it
// gave any. True when done.
struct RegistryEditorRun {
    std::string failure;
    bool no_such_key = false;  // an export's key does not exist; nothing was written
    explicit operator bool() const { return failure.empty(); }
};

// Runs korvalin-regedit /S FILE from the program folder and waits for it (30 s at most, then kills it).
RegistryEditorRun import_registry_file(const std::string& file);

// Runs korvalin-regedit /E /A FILE KEY and waits likewise. A key that does not exist is no failure:
// there is nothing to export, and the file keeps what it held.
RegistryEditorRun export_registry_key(const std::string& file, const std::string& key);

// Runs korvalin-regedit from the program folder with the arguments, each passed whole, and waits at
// most `timeout`; the two calls above use 30 s. What the editor writes on standard error still
// reaches ours, unless it only says that a key to export does not exist.
RegistryEditorRun run_registry_editor(const std::vector<std::string>& arguments,
                                      std::chrono::milliseconds timeout);

}  // namespace kv::model
