#pragma once
// An editor's emulator settings kept as single registry values, one table row per value: loaded into
// the editor's text boxes, option boxes and plug-in slots when it opens, written back on Ok.
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "configs/plugin_slots.h"
#include "forms/form.h"

namespace kv::configs {

enum class ValueKind {
    text,    // a locked path box: its text
    option,  // an element of the option boxes `checkboxes`: "1" on, "0" off
    plugin,  // a selection slot: the file part of the entry its name label shows
};

struct RegistryRow {
    const char* value_name;
    ValueKind kind;
    const char* control = nullptr;  // text rows: the text box
    int element = 0;                // option rows: the box; plug-in rows: the slot
    bool write_only = false;        // a second value written with the same text, never read
    const char* prefix = "";        // plug-in rows: stored before the library's file name
};

// One value read or written by its full path, root key included. A write answers whether the value
// now holds the text, or fails (kv::Failure) saying why it could not write it.
struct RegistryAccess {
    std::function<std::string(const std::string& value_path)> read;
    std::function<bool(const std::string& value_path, const std::string& text)> write;
    // Writes the whole key into a registry file that importing restores it from; fails (kv::Failure)
    // saying why it could not.
    std::function<void(const std::string& file, const std::string& key)> export_key;
};

// The values an Ok could not write, told one line for each reason: a store that cannot be written
// fails every value for the same reason, and one line says so.
class FailedWrites {
  public:
    void add(const std::string& value_path, const std::string& why);
    std::vector<std::string> lines() const;

  private:
    struct Reason {
        std::string why;
        std::vector<std::string> value_paths;
    };
    std::vector<Reason> reasons_;
};

// Writes one value; a write that fails or does not hold is added to `failed`.
void write_registry_row(const RegistryAccess& registry, const std::string& value_path,
                        const std::string& text, FailedWrites& failed);

// The registry through the program's registry bridge.
RegistryAccess program_registry();

// Any value but a whole number equal to 1 is off: missing, "0", "2", and texts that are no number.
bool stored_option_on(const std::string& value);

// key ends with a backslash; each row's value path is key followed by the value name. Every row is
// handled; one that fails does not stop the others.
void load_registry_rows(forms::Form& editor, PluginSlots& slots, std::span<const RegistryRow> rows,
                        const std::string& key, const RegistryAccess& registry);
// A plug-in row whose label shows no listed entry writes nothing. A write that fails is added to
// `failed` and the next rows are still written.
void save_registry_rows(forms::Form& editor, PluginSlots& slots, std::span<const RegistryRow> rows,
                        const std::string& key, const RegistryAccess& registry, FailedWrites& failed);

}  // namespace kv::configs
