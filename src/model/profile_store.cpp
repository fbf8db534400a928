#include "model/profile_store.h"

#include <algorithm>
#include <optional>
#include <system_error>

#include "platform/folder.h"
#include "platform/runtime.h"
#include "platform/text_file.h"

namespace kv::model {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view profile_extension = ".reg";
constexpr const char* blank_text = "Blank configuration";

fs::path in_tree(const std::string& emulator, const char* folder, const std::string& file_name) {
    return profile_folder(emulator, folder) / file_name;
}

// Both names end up as one component of a path: neither may reach another folder. The emulator
// names a folder by itself; a profile always has ".reg" or ".ini" added, so "." is the file "..reg".
bool safe(const std::string& emulator, const std::string& profile) {
    return is_file_name(emulator) && !emulator.empty() && emulator != "." && emulator != ".." &&
           is_file_name(profile);
}

bool is_folder_itself(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(fs::symlink_status(p, ec));
}

void remove_file(const fs::path& p) {
    if (is_folder_itself(p)) return;
    std::error_code ec;
    fs::remove(p, ec);
}

// SSSPSX.ini in the emulator's folder, found ignoring case as the emulator's own system would.
fs::path ini_in(const fs::path& folder) {
    return platform::find_named_path(folder, "SSSPSX.ini");
}

// Only an absolute folder is one of this system: an empty one, "Unknown" or a Windows path would put
// SSSPSX.ini at the root or beside the program.
bool usable_folder(const std::string& emulator_folder) {
    return !emulator_folder.empty() && fs::path(emulator_folder).is_absolute();
}

std::string lines_text(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// The bytes of the emulator's SSSPSX.ini, when it is a plain file that can be read whole within the
// limit.
std::optional<std::string> current_ini(const std::string& emulator_folder) {
    if (!usable_folder(emulator_folder)) return std::nullopt;
    std::string bytes;
    if (platform::skip_failure(
            [&] { bytes = platform::read_bytes(ini_in(emulator_folder), max_ssspsx_ini_size + 1); }))
        return std::nullopt;
    if (bytes.size() > max_ssspsx_ini_size) return std::nullopt;
    return bytes;
}

void copy_over_ini(const fs::path& profile_file, const std::string& emulator_folder,
                   std::vector<std::string>& failures) {
    if (!usable_folder(emulator_folder)) return;
    std::error_code ec;
    // Only a plain file is copied: a folder listed as a profile, or a device, is not read.
    if (!fs::is_regular_file(profile_file, ec)) return;
    const fs::path ini = ini_in(emulator_folder);
    try {
        const std::string bytes = platform::read_bytes(profile_file);
        if (bytes == lines_text(blank_emulator_lines(ssspsx))) return;
        platform::write_bytes_atomically(ini, bytes);
    } catch (const platform::Failure& failure) {
        failures.push_back("cannot copy " + profile_file.string() + " over " + ini.string() + ": " +
                           failure.what());
    }
}

void import_file(const RegistryImport& import, const fs::path& file, std::vector<std::string>& failures) {
    if (!import || holds_blank_text(file)) return;
    try {
        import(file);
    } catch (const platform::Failure& failure) {
        const std::string why = failure.what();
        failures.push_back(why.find(file.string()) != std::string::npos
                               ? why
                               : "cannot import " + file.string() + ": " + why);
    }
}

// Gives a profile's plug-in file back what it held before a new profile was written into it, or
// removes it when there was none.
void take_back(const fs::path& file, bool existed, const std::optional<std::string>& earlier) {
    if (!existed) {
        std::error_code ec;
        if (!fs::remove(file, ec) && ec)
            throw platform::Failure("cannot remove " + file.string() + ": " + ec.message());
    } else if (earlier) {
        platform::write_bytes_atomically(file, *earlier);
    } else {
        throw platform::Failure("cannot put back what " + file.string() + " held: it could not be read");
    }
}

}  // namespace

fs::path emulator_tree(const std::string& emulator) {
    return platform::find_named_path(platform::program_folder(), fs::path("Configurations") / emulator);
}

fs::path profile_folder(const std::string& emulator, const char* folder) {
    return platform::find_named_path(emulator_tree(emulator), folder);
}

fs::path emulator_file(const std::string& emulator, const std::string& profile) {
    return in_tree(emulator, "emulator_configuration", profile + ".reg");
}

fs::path plugin_file(const std::string& emulator, const std::string& profile) {
    return in_tree(emulator, "plugin_configuration", profile + ".reg");
}

fs::path game_codes_file(const std::string& emulator, const std::string& profile) {
    return in_tree(emulator, "game_codes", profile + ".ini");
}

bool is_file_name(const std::string& profile) {
    return profile.find_first_of(std::string_view("/\\\0", 3)) == std::string::npos;
}

std::vector<std::string> scan_profiles(const std::string& emulator) {
    std::vector<std::string> names;
    if (!safe(emulator, "")) return names;
    const fs::path folder = profile_folder(emulator, "emulator_configuration");
    for (const std::string& entry : platform::list_folder(folder, platform::EntryKind::files_and_folders)) {
        if (!entry.ends_with(profile_extension)) continue;
        names.push_back(entry.substr(0, entry.size() - profile_extension.size()));
    }
    return names;
}

std::vector<std::string> blank_emulator_lines(const std::string& emulator) {
    if (emulator == ssspsx)
        return {"[Plugins]", "BIOS=", "GPU=", "SPU=", "CDR=", "PAD1=", "PAD2=", "MCD1=", "MCD2="};
    return {blank_text};
}

std::vector<std::string> blank_plugin_lines() {
    return {blank_text};
}

std::vector<std::string> create_blank_profile(const std::string& emulator, const std::string& profile,
                                              const std::string& emulator_folder) {
    if (!safe(emulator, profile)) return {"\"" + profile + "\" cannot name a file"};
    // The emulator file makes the profile listed, so it lands last: a write killed in between leaves
    // an unlisted plug-in file, which making the name again replaces.
    const fs::path first = plugin_file(emulator, profile);
    std::error_code ec;
    const bool existed = fs::exists(fs::symlink_status(first, ec));
    // What the plug-in file held, to give back when the emulator file cannot follow it.
    std::optional<std::string> earlier;
    if (existed) platform::skip_failure([&] { earlier = platform::read_bytes(first); });
    try {
        platform::write_lines_atomically(first, blank_plugin_lines());
    } catch (const platform::Failure& failure) {
        return {failure.what()};
    }
    try {
        const auto ini = emulator == ssspsx ? current_ini(emulator_folder) : std::nullopt;
        platform::write_bytes_atomically(emulator_file(emulator, profile),
                                         ini ? *ini : lines_text(blank_emulator_lines(emulator)));
        return {};
    } catch (const platform::Failure& failure) {
        std::vector<std::string> failures{failure.what()};
        try {
            take_back(first, existed, earlier);
        } catch (const platform::Failure& undo) {
            failures.emplace_back(undo.what());
        }
        return failures;
    }
}

bool holds_blank_text(const fs::path& file) {
    const std::string blank = lines_text(blank_plugin_lines());
    std::string bytes;
    if (platform::skip_failure([&] { bytes = platform::read_bytes(file, blank.size() + 1); })) return false;
    return bytes == blank;
}

std::vector<std::string> activate_profile(const std::string& emulator, const std::string& profile,
                                          const std::string& emulator_folder, const RegistryImport& import) {
    std::vector<std::string> failures;
    if (!safe(emulator, profile)) return failures;
    import_file(import, plugin_file(emulator, profile), failures);
    if (emulator != ssspsx)
        import_file(import, emulator_file(emulator, profile), failures);
    else
        copy_over_ini(emulator_file(emulator, profile), emulator_folder, failures);
    return failures;
}

void remove_stale_temporaries(const std::string& emulator) {
    if (!safe(emulator, "")) return;
    for (const char* folder : {"emulator_configuration", "plugin_configuration"})
        platform::remove_stale_temporaries_of_kind(profile_folder(emulator, folder), profile_extension);
}

void delete_profile(const std::string& emulator, const std::string& profile) {
    if (!safe(emulator, profile)) return;
    remove_file(emulator_file(emulator, profile));
    remove_file(plugin_file(emulator, profile));
    remove_file(game_codes_file(emulator, profile));
}

}  // namespace kv::model
