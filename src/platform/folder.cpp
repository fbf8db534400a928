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

std::optional<std::filesystem::path> find_ignoring_case(const std::filesystem::path& folder,
                                                        const std::string& name) {
    if (name.empty()) return std::nullopt;
    if (name.find('/') != std::string::npos) return resolve_ignoring_case(folder, name);
    std::error_code ec;
    auto exact = folder / name;
    if (std::filesystem::exists(std::filesystem::symlink_status(exact, ec))) return exact;
    if (name == "." || name == "..") return std::nullopt;

    std::optional<std::filesystem::path> found;
    std::filesystem::directory_iterator it(folder, ec);
    if (ec) return std::nullopt;
    for (; it != std::filesystem::directory_iterator(); it.increment(ec)) {
        if (ec) return std::nullopt;
        if (!equal_ignoring_case(it->path().filename().string(), name)) continue;
        // Two names that differ only in case: the name does not say which one is meant.
        if (found) return std::nullopt;
        found = it->path();
    }
    return found;
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
        auto next = find_ignoring_case(current, name);
        if (!next) return std::nullopt;
        current = *next;
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
            if (auto next = find_ignoring_case(current, name)) {
                current = *next;
                continue;
            }
            found_so_far = false;
        }
        current /= part;
    }
    return current;
}

}  // namespace kv::platform
