#include "configs/pcsx_config.h"

#include "configs/pcsx_design.h"
#include "forms/backend.h"
#include "model/plugin_records.h"
#include "platform/folder.h"
#include "platform/runtime.h"

namespace kv {

namespace {

const std::string key = configs::pcsx_key;

// The emulator's own folder marker stands for that folder beside its program, and so does an empty
// value (a set-up that never stored one), so that a new set-up lists what lies beside the emulator;
// any other text is a folder of its own.
std::string expand_folder(const std::string& stored, const char* marker, const std::string& emu_path,
                          const char* own_folder, std::vector<std::string>& problems) {
    if (stored != marker && !stored.empty()) return stored;
    return configs::emulator_own_folder(emu_path, own_folder, problems);
}

// The folder dialog's choice with '/' after it, or nothing when cancelled.
std::optional<std::string> chosen_folder(const forms::Form& owner) {
    std::optional<std::filesystem::path> answer;
    if (platform::skip_failure([&] {
            answer = forms::backend().choose_folder({"Browse", platform::program_folder(), &owner});
        }))
        return std::nullopt;
    if (!answer) return std::nullopt;
    std::string folder = answer->string();
    folder.push_back('/');
    return folder;
}

}  // namespace

PCSX_config::PCSX_config() : configs::EditorWindow(configs::pcsx_design(), plugins::pcsx_table()) {
    toolkit::build_push_button(*this, configs::pcsx_plugins_dir).on_click = [this] { Label36_Click(); };
    toolkit::build_push_button(*this, configs::pcsx_bios_dir).on_click = [this] { Label38_Click(); };
    name_label(5).set_caption("Internal HLE Bios");
    expose("bios_path", [this] { return bios_path; });
}

void PCSX_config::get_emulator_path(const std::string& emu_path, const std::string& emu_profile) {
    plugins_path = expand_folder(registry.read(key + "PluginsDir"), configs::pcsx_own_plugin_folder, emu_path,
                                 "Plugin", opening_problems);
    profile_name = emu_profile;
    scan_plugins();
    sort_plugins();
    load_settings();
    bios_path = expand_folder(registry.read(key + "BiosDir"), configs::pcsx_own_bios_folder, emu_path, "Bios",
                              opening_problems);
    load_bios_list();
    platform::skip_failure(
        [&] { static_cast<forms::TextBox&>(*find("Text1")).set_text(registry.read(key + "Mcd2")); });
    platform::skip_failure(
        [&] { static_cast<forms::TextBox&>(*find("Text3")).set_text(registry.read(key + "Mcd1")); });
}

void PCSX_config::load_settings() {
    configs::load_registry_rows(*this, *this, configs::pcsx_plugin_values, key, registry);
}

void PCSX_config::load_bios_list() {
    name_label(5).set_caption("Internal HLE Bios");
    bios_list.clear();
    bios_list.emplace_back(configs::pcsx_internal_bios);
    selected_plugin.at(5) = std::string(1, '0');
    // An empty folder (none chosen) names no folder, never the program's own; a folder named without
    // its trailing separator names the folder itself, which holds no image.
    if (!bios_path.empty() && bios_path.back() == '/')
        for (std::string& entry : model::file_records(bios_path, ".bin"))
            bios_list.push_back(std::move(entry));
    configs::load_registry_rows(*this, *this, configs::pcsx_bios_value, key, registry);
}

std::vector<std::string> PCSX_config::save_settings() {
    configs::FailedWrites failed;
    for (const auto& [name, folder] :
         {std::pair{"BiosDir", &bios_path}, std::pair{"PluginsDir", &plugins_path}})
        configs::write_registry_row(registry, key + name, *folder, failed);
    configs::save_registry_rows(*this, *this, configs::pcsx_saved_values, key, registry, failed);
    return failed.lines();
}

void PCSX_config::Label36_Click() {
    const auto folder = chosen_folder(*this);
    if (!folder) return;
    plugins_path = *folder;
    scan_plugins();
    sort_plugins();
    load_settings();
}

void PCSX_config::Label38_Click() {
    const auto folder = chosen_folder(*this);
    if (!folder) return;
    bios_path = *folder;
    load_bios_list();
}

}  // namespace kv
