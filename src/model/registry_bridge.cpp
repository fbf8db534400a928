#include "model/registry_bridge.h"

#include <cstdlib>
#include <mutex>
#include <string_view>

#include "platform/folder.h"
#include "platform/process.h"
#include "platform/runtime.h"
#include "platform/standard_error.h"
#include "registry/key_path.h"
#include "registry/regedit_command.h"
#include "registry/store.h"

namespace kv::model {

namespace {

constexpr std::chrono::milliseconds editor_timeout{30000};
constexpr const char* editor_name = "korvalin-regedit";

struct ValuePath {
    registry::KeyPath key;
    std::string value_name;
};

// "ROOT\Key\Sub\Name": the value's name follows the last backslash ("" names the key's default).
ValuePath split_value_path(const std::string& full) {
    size_t last = full.rfind('\\');
    if (last == std::string::npos) throw platform::Failure("bad registry value \"" + full + "\": no key");
    ValuePath path;
    path.key = registry::parse_key_path(full.substr(0, last));
    path.value_name = full.substr(last + 1);
    if (!path.key.current_user)
        throw platform::Failure("bad registry value \"" + full + "\": only HKEY_CURRENT_USER is kept");
    return path;
}

// Text values up to their first zero byte, as programs reading them see them.
std::string text_of(const registry::Value& value) {
    switch (value.type) {
        case registry::reg_sz:
        case registry::reg_expand_sz:
            return value.data.substr(0, value.data.find('\0'));
        case registry::reg_dword: {
            if (value.data.size() != 4) return "";
            uint32_t number = 0;
            for (size_t i = 0; i < 4; ++i)
                number |= static_cast<uint32_t>(static_cast<unsigned char>(value.data[i])) << (8 * i);
            return std::to_string(static_cast<int32_t>(number));
        }
        default:
            return "";
    }
}

std::string read_value(const std::string& full) {
    ValuePath path = split_value_path(full);
    auto root = registry::Store::for_user().snapshot();
    const registry::Key* key = root->find(path.key.names);
    if (!key) return "";
    const registry::Value* value = key->value(path.value_name);
    return value ? text_of(*value) : "";
}

void write_value(const std::string& full, const std::string& text) {
    ValuePath path = split_value_path(full);
    if (path.value_name.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
        throw platform::Failure("bad registry value name in \"" + full + "\": it holds a line break");
    registry::Store::for_user().update([&](registry::Key& root) {
        root.find_or_create(path.key.names).set_value(registry::text_value(path.value_name, text));
    });
}

}  // namespace

void write_registry_value(const std::string& key, const std::string& text) {
    try {
        write_value(key, text);
    } catch (const std::exception& failure) {
        throw platform::Failure(failure.what());
    }
}

std::string registry_value(const std::string& key, const std::string& value, int mode) {
    try {
        if (mode == 1) return read_value(key);
        if (mode == 2) write_registry_value(key, value);
    } catch (const std::exception& failure) {
        // A read that fails gives "" quietly, as a missing value does; a lost write goes to the log.
        if (mode == 2)
            platform::print_failure("cannot write the registry value " + key + ": " + failure.what());
    }
    return "";
}

namespace {

// The editor runs in the program folder: a store named relative to our own folder is handed to it
// whole, or its imports would land in another store than the one this program reads.
void pass_store_path_whole() {
    static std::mutex mutex;
    std::lock_guard<std::mutex> lock(mutex);
    const char* chosen = std::getenv("KORVALIN_REGISTRY");
    if (chosen && *chosen && std::filesystem::path(chosen).is_relative())
        ::setenv("KORVALIN_REGISTRY", registry::user_store_path().c_str(), 1);
}

}  // namespace

namespace {

// The editor's last line, without the name it starts with: the reason it gives for failing.
std::string editor_reason(const std::string& errors) {
    std::string_view text = errors;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
    const size_t line_start = text.find_last_of("\r\n");
    if (line_start != std::string_view::npos) text.remove_prefix(line_start + 1);
    const std::string name = std::string(editor_name) + ": ";
    if (text.starts_with(name)) text.remove_prefix(name.size());
    return std::string(text);
}

}  // namespace

RegistryEditorRun run_registry_editor(const std::vector<std::string>& arguments,
                                      std::chrono::milliseconds timeout) {
    pass_store_path_whole();
    const std::filesystem::path folder = platform::program_folder();
    const std::filesystem::path editor = folder / editor_name;
    try {
        std::string errors;
        auto status =
            platform::run_process(platform::CommandLine{editor, arguments}, folder, timeout, errors);
        const bool no_such_key = status == registry::regedit_no_such_key;
        if (!no_such_key) platform::write_standard_error(errors);
        if (!status)
            return {std::string(editor_name) + " did not finish within " + std::to_string(timeout.count()) +
                    " ms and was stopped"};
        if (*status == 0) return {};
        std::string reason = editor_reason(errors);
        if (reason.empty())
            reason = std::string(editor_name) + " failed (exit status " + std::to_string(*status) + ")";
        return {reason, no_such_key};
    } catch (const std::exception& failure) {
        return {failure.what()};
    }
}

RegistryEditorRun import_registry_file(const std::string& file) {
    return run_registry_editor({"/S", file}, editor_timeout);
}

RegistryEditorRun export_registry_key(const std::string& file, const std::string& key) {
    RegistryEditorRun run = run_registry_editor({"/E", "/A", file, key}, editor_timeout);
    // Plug-ins that keep their settings elsewhere never create their key.
    if (run.no_such_key) return {};
    return run;
}

}  // namespace kv::model
