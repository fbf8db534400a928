#pragma once
// The registry as the settings editors and the profiles use it: one value at a time, and whole .reg
// files through korvalin-regedit, which is waited for so that what follows sees its work.
#include <chrono>
#include <string>
#include <vector>

namespace kv::plugins_module {

// Mode 1 reads (the value's text; "" when missing, unreadable or not text/dword), mode 2 writes a REG_SZ
// (creating missing keys). Key is the value's full path, root included, value name after the last backslash.
std::string registry_value(const std::string& key, const std::string& value, int mode);

// Runs korvalin-regedit /S FILE from the program folder and waits for it (30 s at most, then kills it).
// False on any failure, which it also reports on standard error.
bool import_registry_file(const std::string& file);

// Runs korvalin-regedit /E /A FILE KEY and waits likewise.
bool export_registry_key(const std::string& file, const std::string& key);

// Runs korvalin-regedit from the program folder with the arguments, each passed whole, and waits at
// most `timeout`; the two calls above use 30 s.
bool run_registry_editor(const std::vector<std::string>& arguments, std::chrono::milliseconds timeout);

}  // namespace kv::plugins_module
