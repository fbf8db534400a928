#include "configs/ssspsx_config.h"

#include "configs/plugin_slots.h"
#include "configs/ssspsx_design.h"
#include "model/plugin_records.h"
#include "platform/folder.h"
#include "platform/runtime.h"
#include "platform/text_file.h"

namespace kv {

namespace {

// The selection slot of each value of SSSPSX.ini, in the file's order.
constexpr std::array<int, 8> slot_of_value{5, 0, 1, 2, 4, 3, 6, 7};
// The plug-in values as loading handles them: GPU, SPU, CDR, PAD2, PAD1.
constexpr std::array<size_t, 5> plugin_values_in_order{1, 2, 3, 5, 4};

}  // namespace

SSSPSX_config::SSSPSX_config() : configs::EditorWindow(configs::ssspsx_design(), plugins::ssspsx_table()) {
    expose("bios_path", [this] { return bios_path; });
    expose("memcards_path", [this] { return memcards_path; });
    for (size_t k = 0; k < ini_values.size(); ++k)
        expose("ini_values(" + std::to_string(k) + ")", [this, k] { return ini_values[k]; });
}

void SSSPSX_config::get_emulator_path(const std::string& emu_path, const std::string& emu_profile) {
    plugins_path = emu_path;
    emulator_path = emu_path;
    read_ssspsx_ini();
    plugins_path = configs::emulator_own_folder(emu_path, "plugins", opening_problems);
    bios_path = configs::emulator_own_folder(emu_path, "bios", opening_problems);
    memcards_path = configs::emulator_own_folder(emu_path, "memcards", opening_problems);
    profile_name = emu_profile;
    scan_plugins();
    sort_plugins();
    load_settings();
    load_bios_list();
    load_memcard_list();
}

void SSSPSX_config::read_ssspsx_ini() {
    ini_values = {};
    std::string bytes;
    try {
        bytes = platform::read_bytes(model::ssspsx_ini_in(plugins_path));
    } catch (const platform::AmbiguousName& ambiguous) {
        opening_problems.emplace_back(ambiguous.what());
        return;
    } catch (const platform::Failure&) {
        // A missing or unreadable file holds no choice, as the emulator starts without one.
        return;
    }
    ini_values = model::parse_ssspsx_ini(bytes);
}

void SSSPSX_config::load_settings() {
    for (size_t k : plugin_values_in_order)
        platform::skip_failure([&] { configs::show_stored_entry(*this, slot_of_value[k], ini_values[k]); });
}

void SSSPSX_config::load_bios_list() {
    name_label(5).set_caption(not_selected_text());
    bios_list = model::file_records(bios_path, ".bin");
    selected_plugin.at(5) = std::string(1, '0');
    configs::show_stored_entry(*this, 5, ini_values[0]);
}

void SSSPSX_config::load_memcard_list() {
    name_label(6).set_caption(not_selected_text());
    name_label(7).set_caption(not_selected_text());
    memcard_list = model::file_records(memcards_path, ".mcr");
    selected_plugin.at(6) = std::string(1, '0');
    selected_plugin.at(7) = std::string(1, '0');
    configs::show_stored_entry(*this, 6, ini_values[6]);
    configs::show_stored_entry(*this, 7, ini_values[7]);
}

std::vector<std::string> SSSPSX_config::save_settings() {
    save_values = {};
    for (size_t k = 0; k < save_values.size(); ++k)
        platform::skip_failure(
            [&] { save_values[k] = configs::entry_to_store(*this, slot_of_value[k]).value_or(""); });
    // A profile that was not written is not copied: the emulator keeps its file whole.
    try {
        write_ssspsx_ini();
    } catch (const platform::Failure& failure) {
        return {failure.what()};
    }
    try {
        model::copy_over_ssspsx_ini(profile_file("emulator_configuration"), emulator_path);
    } catch (const platform::Failure& failure) {
        return {failure.what()};
    }
    return {};
}

void SSSPSX_config::write_ssspsx_ini() {
    const auto file = profile_file("emulator_configuration");
    if (!configs::safe_profile_name(profile_name))
        throw platform::Failure("cannot write " + file.string() + ": the profile name cannot name a file");
    platform::write_lines_atomically(file, model::ssspsx_ini_lines(save_values));
}

}  // namespace kv
