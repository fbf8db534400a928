#include "platform/folder.h"

#include <algorithm>
#include <mutex>

namespace kv::platform {

namespace {

std::mutex program_folder_mutex;
std::optional<std::filesystem::path> program_folder_override;

// Folded to upper case, as Windows file systems compared names: "_" sorts after letters.
unsigned char fold(char c) {
    auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') ? static_cast<unsigned char>(u - 'a' + 'A') : u;
}

bool is_folder(const std::filesystem::directory_entry& entry) {
    std::error_code ec;
    return entry.is_directory(ec);
}

bool is_file(const std::filesystem::directory_entry& entry) {
    std::error_code ec;
    return entry.is_regular_file(ec);
}

}  // namespace

std::filesystem::path program_folder() {
    {
        std::lock_guard<std::mutex> lock(program_folder_mutex);
        if (program_folder_override) return *program_folder_override;
    }
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return std::filesystem::current_path();
    return exe.parent_path();
}

void set_program_folder(const std::filesystem::path& folder) {
    std::lock_guard<std::mutex> lock(program_folder_mutex);
    program_folder_override = folder;
}

bool less_ignoring_case(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return fold(x) < fold(y); });
}

bool equal_ignoring_case(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return fold(x) == fold(y); });
}

std::vector<std::string> list_folder(const std::filesystem::path& folder, EntryKind kind) {
    std::vector<std::string> names;
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    if (ec) return names;
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        // Links count as what they point to.
        bool wanted = kind == EntryKind::files_and_folders ? is_file(*it) || is_folder(*it)
                      : kind == EntryKind::folders         ? is_folder(*it)
                                                           : is_file(*it);
        std::string name = it->path().filename().string();
        // Listed names end up in lines of files (SSSPSX.ini, Config.ini): a line break in one would
        // write lines of its own there.
        if (wanted && name.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos)
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        if (less_ignoring_case(a, b)) return true;
        if (less_ignoring_case(b, a)) return false;
        return a < b;
    });
    return names;
}

std::vector<std::string> list_folder_entries(const std::filesystem::path& folder) {
    std::vector<std::string> names = list_folder(folder, EntryKind::files);
    const std::vector<std::string> folders = list_folder(folder, EntryKind::folders);
    names.insert(names.end(), folders.begin(), folders.end());
    std::erase_if(names, [](const std::string& n) { return n.starts_with('.'); });
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        if (less_ignoring_case(a, b)) return true;
        if (less_ignoring_case(b, a)) return false;
        return a < b;
    });
    return names;
}

bool is_plain_entry_name(std::string_view name) {
    return !name.empty() && name.find('/') == std::string_view::npos && name != "." && name != "..";
}

namespace {

// What a folder holds under a name: the entry itself (by its exact name, or the one that matches it
// ignoring case), or, when several match and none exactly, the names of all of them.
struct NameLookup {
    std::optional<std::filesystem::path> found;
    std::vector<std::string> ambiguous;
};

NameLookup look_up(const std::filesystem::path& folder, const std::string& name) {
    if (name.empty()) return {};
    std::error_code ec;
    auto exact = folder / name;
    if (std::filesystem::exists(std::filesystem::symlink_status(exact, ec))) return {exact, {}};
    if (name == "." || name == "..") return {};
    std::vector<std::filesystem::path> matches;
    std::filesystem::directory_iterator it(folder, ec);
    if (ec) return {};
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
        if (ec) return {};
        if (equal_ignoring_case(it->path().filename().string(), name)) matches.push_back(it->path());
    }
    if (matches.size() == 1) return {matches.front(), {}};
    NameLookup several;
    for (const auto& match : matches) several.ambiguous.push_back(match.filename().string());
    std::sort(several.ambiguous.begin(), several.ambiguous.end());
    return several;
}

std::string listed(const std::vector<std::string>& names) {
    std::string text;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += i + 1 == names.size() ? " and " : ", ";
        text += names[i];
    }
    return text;
}

}  // namespace

AmbiguousName::AmbiguousName(const std::filesystem::path& folder, const std::string& name,
                             const std::vector<std::string>& entries)
    : Failure("cannot tell which of " + listed(entries) + " in " + folder.string() + " is " + name +
              ": their names differ only in letter case") {}

std::optional<std::filesystem::path> find_ignoring_case(const std::filesystem::path& folder,
                                                        const std::string& name) {
    if (name.find('/') != std::string::npos) {
        try {
            return resolve_ignoring_case(folder, name);
        } catch (const AmbiguousName&) {
            return std::nullopt;
        }
    }
    return look_up(folder, name).found;
}

std::optional<std::filesystem::path> resolve_ignoring_case(const std::filesystem::path& base,
                                                           const std::filesystem::path& relative) {
    std::filesystem::path current = relative.is_absolute() ? relative.root_path() : base;
    for (const auto& part : relative.relative_path()) {
        std::string name = part.string();
        if (name.empty() || name == ".") continue;
        if (name == "..") {
            current /= "..";
            continue;
        }
        NameLookup next = look_up(current, name);
        if (!next.ambiguous.empty()) throw AmbiguousName(current, name, next.ambiguous);
        if (!next.found) return std::nullopt;
        current = *next.found;
    }
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(current, ec))) return std::nullopt;
    return current;
}

std::filesystem::path find_named_path(const std::filesystem::path& base,
                                      const std::filesystem::path& relative) {
    std::filesystem::path current = base;
    bool found_so_far = true;
    for (const auto& part : relative) {
        const std::string name = part.string();
        if (name.empty()) continue;
        if (found_so_far) {
            NameLookup next = look_up(current, name);
            if (!next.ambiguous.empty()) throw AmbiguousName(current, name, next.ambiguous);
            if (next.found) {
                current = *next.found;
                continue;
            }
            found_so_far = false;
        }
        current /= part;
    }
    return current;
}

}  // namespace kv::platform
