#include "configs/epsxe_config.h"

#include "configs/epsxe_design.h"

namespace kv {

ePSXe_config::ePSXe_config() : configs::EditorWindow(configs::epsxe_design(), plugins::epsxe_table()) {
    expose("not_selected", [this] { return not_selected; });
    expose("plugin_working", [this] { return plugin_working; });
    expose("plugin_not_working", [this] { return plugin_not_working; });
}

void ePSXe_config::get_emulator_path(const std::string& emu_path, const std::string& emu_profile) {
    plugins_path = emu_path + "plugins/";
    profile_name = emu_profile;
    scan_plugins();
    sort_plugins();
    load_settings();
}

void ePSXe_config::load_settings() {
    configs::load_registry_rows(*this, *this, configs::epsxe_values, configs::epsxe_key, registry);
}

void ePSXe_config::save_settings() {
    configs::save_registry_rows(*this, *this, configs::epsxe_values, configs::epsxe_key, registry);
}

}  // namespace kv
