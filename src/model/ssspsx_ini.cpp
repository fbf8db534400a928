#include "model/ssspsx_ini.h"

#include <system_error>

#include "platform/folder.h"
#include "platform/runtime.h"
#include "platform/text_file.h"

namespace kv::model {

namespace {

// What is left of line 1 after its first comma-separated field, if anything.
std::optional<std::string> after_first_field(const std::string& line) {
    size_t from = 0;
    if (!line.empty() && line[0] == '"') {
        const auto closing = line.find('"', 1);
        if (closing == std::string::npos) return std::nullopt;
        from = closing + 1;
    }
    const auto comma = line.find(',', from);
    if (comma == std::string::npos) return std::nullopt;
    return line.substr(comma + 1);
}

}  // namespace

SsspsxValues parse_ssspsx_ini(const std::string& bytes) {
    SsspsxValues values;
    std::vector<std::string> lines = platform::split_lines(bytes);
    if (lines.empty()) return values;
    size_t next = 1;
    if (auto rest = after_first_field(lines[0])) {
        lines[0] = *rest;
        next = 0;
    }
    for (std::string& value : values) {
        if (next >= lines.size()) break;
        const std::string& line = lines[next++];
        const auto first = line.find('=');
        if (first == std::string::npos) break;
        const auto second = line.find('=', first + 1);
        value = line.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1);
    }
    return values;
}

std::vector<std::string> ssspsx_ini_lines(const SsspsxValues& values) {
    std::vector<std::string> lines{"[Plugins]"};
    for (size_t k = 0; k < values.size(); ++k) lines.push_back(std::string(ssspsx_keys[k]) + "=" + values[k]);
    return lines;
}

std::filesystem::path ssspsx_ini_in(const std::filesystem::path& emulator_folder) {
    return platform::find_named_path(emulator_folder, ssspsx_ini_name);
}

void copy_over_ssspsx_ini(const std::filesystem::path& profile_file,
                          const std::filesystem::path& emulator_folder,
                          const std::function<bool(const std::string& bytes)>& holds_nothing) {
    // The name the message gives when the file itself cannot be told.
    std::filesystem::path ini = emulator_folder / ssspsx_ini_name;
    try {
        const std::string bytes = platform::read_bytes(profile_file);
        if (holds_nothing && holds_nothing(bytes)) return;
        ini = ssspsx_ini_in(emulator_folder);
        platform::write_bytes_atomically(ini, bytes, platform::Landing::emulator_file);
    } catch (const platform::Failure& failure) {
        throw platform::Failure("cannot copy " + profile_file.string() + " over " + ini.string() + ": " +
                                failure.what());
    }
}

void remove_stale_ini_temporaries(const std::filesystem::path& emulator_folder) {
    platform::remove_stale_temporaries_ignoring_case(emulator_folder, ssspsx_ini_name);
    // A write through a link makes its temporary beside the file the link leads to, named after it.
    const auto ini = platform::find_ignoring_case(emulator_folder, ssspsx_ini_name);
    std::error_code ec;
    if (!ini || !std::filesystem::is_symlink(std::filesystem::symlink_status(*ini, ec))) return;
    const std::filesystem::path target = std::filesystem::canonical(*ini, ec);
    if (ec || !std::filesystem::is_regular_file(target, ec)) return;
    platform::remove_stale_temporaries(target.parent_path(), target.filename().string());
}

}  // namespace kv::model
