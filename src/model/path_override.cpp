#include "model/path_override.h"

#include <array>
#include <string_view>

namespace kv::model {

namespace {

// `base` followed by `components` folder names; each name ends at a '/' or at the end of the path.
std::optional<std::string> mount_prefix(const std::string& path, std::string_view base, int components) {
    if (path.compare(0, base.size(), base) != 0) return std::nullopt;
    std::size_t end = base.size();
    for (int i = 0; i < components; ++i) {
        if (end >= path.size() || path[end] == '/') return std::nullopt;
        const std::size_t slash = path.find('/', end);
        end = slash == std::string::npos ? path.size() : slash + 1;
    }
    std::string prefix = path.substr(0, end);
    if (prefix.back() != '/') prefix += '/';
    return prefix;
}

}  // namespace

std::optional<std::string> volume_root(const std::string& path) {
    if (path.empty() || path.front() != '/') return std::nullopt;
    struct Mount {
        std::string_view base;
        int components;
    };
    constexpr std::array<Mount, 3> mounts{{{"/media/", 2}, {"/run/media/", 2}, {"/mnt/", 1}}};
    for (const Mount& m : mounts)
        if (auto prefix = mount_prefix(path, m.base, m.components)) return prefix;
    return std::string("/");
}

std::optional<std::string> overridden_folder(const std::string& launcher_folder, const std::string& folder) {
    const auto launcher_root = volume_root(launcher_folder);
    const auto folder_root = volume_root(folder);
    if (!launcher_root || !folder_root) return std::nullopt;
    // A folder that is its volume's root without the final '/' ("/mnt/usb") has nothing after the root.
    const std::string rest = folder.size() > folder_root->size() ? folder.substr(folder_root->size()) : "";
    return *launcher_root + rest;
}

}  // namespace kv::model
