#pragma once
// Path override: an emulator's folder moved onto the volume the launcher runs from, for a launcher
// carried on removable media together with its emulators.
#include <optional>
#include <string>

namespace kv::model {

// The volume root of an absolute path, ending with '/': "/media/USER/LABEL/", "/run/media/USER/LABEL/"
// or "/mnt/LABEL/" for removable media, otherwise "/". Nothing for a path that is not absolute.
std::optional<std::string> volume_root(const std::string& path);

// The folder with its own volume root replaced by the launcher's; nothing when either is not absolute.
std::optional<std::string> overridden_folder(const std::string& launcher_folder, const std::string& folder);

}  // namespace kv::model
