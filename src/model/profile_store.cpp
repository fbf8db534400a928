#include "model/profile_store.h"

#include <algorithm>
#include <optional>
#include <system_error>

#include "model/ssspsx_ini.h"
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

// A missing file is nothing to remove; one that is there and stays is told.
void remove_file(const fs::path& p) {
    if (is_folder_itself(p)) return;
    std::error_code ec;
    if (!fs::remove(p, ec) && ec && ec != std::errc::no_such_file_or_directory)
        throw platform::Failure("cannot remove " + p.string() + ": " + ec.message());
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
// limit. Fails (platform::AmbiguousName) when the name is there only in several other letter cases:
// the template would then stand in for settings the user has.
std::optional<std::string> current_ini(const std::string& emulator_folder) {
    if (!usable_folder(emulator_folder)) return std::nullopt;
    const fs::path ini = ssspsx_ini_in(emulator_folder);
    std::string bytes;
    if (platform::skip_failure([&] { bytes = platform::read_bytes(ini, max_ssspsx_ini_size + 1); }))
        return std::nullopt;
    if (bytes.size() > max_ssspsx_ini_size) return std::nullopt;
    return bytes;
}

// Runs one step of an operation that tells each failure and goes on: a path that cannot be told
// (platform::AmbiguousName) fails its step alone.
void step(std::vector<std::string>& failures, const std::function<void()>& body) {
    try {
        body();
    } catch (const platform::Failure& failure) {
        failures.emplace_back(failure.what());
    }
}

// Fails (platform::Failure) with the line copy_over_ssspsx_ini gives.
void copy_over_ini(const fs::path& profile_file, const std::string& emulator_folder) {
    if (!usable_folder(emulator_folder)) return;
    std::error_code ec;
    // Only a plain file is copied: a folder listed as a profile, or a device, is not read.
    if (!fs::is_regular_file(profile_file, ec)) return;
    const std::string blank_template = lines_text(blank_emulator_lines(ssspsx));
    copy_over_ssspsx_ini(profile_file, emulator_folder,
                         [&](const std::string& bytes) { return bytes == blank_template; });
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
    fs::path first;
    fs::path last;
    try {
        first = plugin_file(emulator, profile);
        last = emulator_file(emulator, profile);
    } catch (const platform::Failure& failure) {
        return {failure.what()};
    }
    // Known before anything is written: an SSSPSX.ini that cannot be told makes no profile.
    std::optional<std::string> ini;
    if (emulator == ssspsx) {
        try {
            ini = current_ini(emulator_folder);
        } catch (const platform::Failure& failure) {
            return {"cannot copy " + (fs::path(emulator_folder) / ssspsx_ini_name).string() + " into " +
                    last.string() + ": " + failure.what()};
        }
    }
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
        platform::write_bytes_atomically(last, ini ? *ini : lines_text(blank_emulator_lines(emulator)));
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
    step(failures, [&] { import_file(import, plugin_file(emulator, profile), failures); });
    step(failures, [&] {
        if (emulator != ssspsx)
            import_file(import, emulator_file(emulator, profile), failures);
        else
            copy_over_ini(emulator_file(emulator, profile), emulator_folder);
    });
    return failures;
}

void remove_stale_temporaries(const std::string& emulator) {
    if (!safe(emulator, "")) return;
    // A folder that cannot be told is told where a profile of it is used.
    for (const char* folder : {"emulator_configuration", "plugin_configuration"})
        platform::skip_failure([&] {
            platform::remove_stale_temporaries_of_kind(profile_folder(emulator, folder), profile_extension);
        });
}

std::vector<std::string> delete_profile(const std::string& emulator, const std::string& profile) {
    std::vector<std::string> failures;
    if (!safe(emulator, profile)) return failures;
    // All three found before any goes: a profile is not taken apart halfway by a folder that cannot
    // be told.
    std::vector<fs::path> files;
    try {
        for (auto file : {&emulator_file, &plugin_file, &game_codes_file})
            files.push_back(file(emulator, profile));
    } catch (const platform::Failure& failure) {
        return {failure.what()};
    }
    for (const fs::path& file : files) step(failures, [&] { remove_file(file); });
    return failures;
}

}  // namespace kv::model
