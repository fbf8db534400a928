#include "registry/regedit_command.h"

#include "platform/folder.h"
#include "platform/runtime.h"
#include "platform/text_file.h"
#include "registry/key_path.h"
#include "registry/reg_file_reader.h"
#include "registry/reg_file_writer.h"
#include "registry/regular_file.h"

namespace kv::registry {

namespace {

constexpr const char* usage = "usage: korvalin-regedit /S FILE | korvalin-regedit /E [/A] FILE KEY";

struct Command {
    bool import = false;
    bool do_export = false;
    bool ascii = false;
    std::vector<std::string> operands;
};

// Switches come first; the first word that is not one starts the operands, so a file path that
// begins with a slash is never taken for a switch.
Command parse_command(const std::vector<std::string>& arguments) {
    Command command;
    size_t i = 0;
    for (; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (platform::equal_ignoring_case(word, "/S")) {
            command.import = true;
        } else if (platform::equal_ignoring_case(word, "/E")) {
            command.do_export = true;
        } else if (platform::equal_ignoring_case(word, "/A")) {
            command.ascii = true;
        } else {
            break;
        }
    }
    command.operands.assign(arguments.begin() + static_cast<std::ptrdiff_t>(i), arguments.end());
    if (command.import == command.do_export) throw platform::Failure(usage);
    if (command.import && (command.ascii || command.operands.size() != 1)) throw platform::Failure(usage);
    if (command.do_export && command.operands.size() != 2) throw platform::Failure(usage);
    if (command.operands[0].empty()) throw platform::Failure(usage);
    return command;
}

}  // namespace

void import_reg_file(const Store& store, const std::filesystem::path& file, std::ostream& notes) {
    auto bytes = read_regular_file(file);
    if (!bytes) throw platform::Failure("cannot import " + file.string() + ": no such file");
    ParsedRegFile parsed;
    try {
        parsed = parse_reg_file(*bytes);
    } catch (const platform::Failure& failure) {
        throw platform::Failure("cannot import " + file.string() + ": " + failure.what());
    }
    for (const auto& note : parsed.notes)
        notes << "korvalin-regedit: " << file.string() << ": " << note << '\n';
    try {
        store.update([&](Key& root) { apply_changes(std::move(parsed), root); });
    } catch (const platform::Failure& failure) {
        throw platform::Failure("cannot import " + file.string() + ": " + failure.what());
    }
}

void export_reg_key(const Store& store, const std::filesystem::path& file, const std::string& key) {
    KeyPath path = parse_key_path(key);
    if (!path.current_user)
        throw platform::Failure("cannot export " + key + ": only keys under HKEY_CURRENT_USER are kept");
    auto root = store.snapshot();
    // The key's names as stored, for the file's key lines.
    std::vector<std::string> stored_names;
    const Key* found = root.get();
    for (const auto& name : path.names) {
        found = found->child(name);
        if (!found) break;
        stored_names.push_back(found->name());
    }
    if (!found) throw NoSuchKey("cannot export " + key + ": the key does not exist");
    // Over the store it would keep only that key; over the lock file it would break the locking
    // between programs; over a temporary, a writer would rename it over the store or sweep it away.
    switch (store.own_file(file)) {
        case StoreFile::store:
            throw platform::Failure("cannot export into " + file.string() +
                                    ": it is the registry store itself");
        case StoreFile::lock:
            throw platform::Failure("cannot export into " + file.string() +
                                    ": it is the registry store's lock file");
        case StoreFile::temporary:
            throw platform::Failure("cannot export into " + file.string() +
                                    ": it is a temporary file of the registry store");
        case StoreFile::none:
            break;
    }
    platform::write_bytes_atomically(file, write_reg_file(*found, stored_names));
}

int run_regedit(const std::vector<std::string>& arguments, const Store& store, std::ostream& errors) {
    try {
        Command command = parse_command(arguments);
        if (command.import)
            import_reg_file(store, command.operands[0], errors);
        else
            export_reg_key(store, command.operands[0], command.operands[1]);
        return 0;
    } catch (const NoSuchKey& failure) {
        errors << "korvalin-regedit: " << failure.what() << '\n';
        return regedit_no_such_key;
    } catch (const platform::Failure& failure) {
        errors << "korvalin-regedit: " << failure.what() << '\n';
        return 1;
    } catch (const std::exception& failure) {
        errors << "korvalin-regedit: " << failure.what() << '\n';
        return 1;
    }
}

}  // namespace kv::registry
