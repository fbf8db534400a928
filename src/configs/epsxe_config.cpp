#include "configs/epsxe_config.h"

#include "configs/epsxe_design.h"
#include "platform/runtime.h"
#include "plugins/plugin_buttons.h"

namespace kv {

namespace {
constexpr std::array<const char*, 4> name_labels{"Label43", "Label6", "Label8", "Label7"};
}

ePSXe_config::ePSXe_config() : configs::EditorWindow(configs::epsxe_design()) {
    plugins::build_plugin_buttons(
        *this, plugins::EditorKind::epsxe,
        {[this](int slot) { return selected_plugin.at(slot); },
         [this](int slot) -> const std::vector<std::string>& { return slot_entries(slot); },
         [this] { return plugins_path; }});
    expose("not_selected", [this] { return not_selected; });
    expose("plugin_working", [this] { return plugin_working; });
    expose("plugin_not_working", [this] { return plugin_not_working; });
    for (int slot = 0; slot < 4; ++slot)
        expose("selected_plugin(" + std::to_string(slot) + ")",
               [this, slot] { return selected_plugin.at(slot); });
    expose("plugins_path", [this] { return plugins_path; });
}

void ePSXe_config::get_emulator_path(const std::string& emu_path, const std::string& emu_profile) {
    plugins_path = emu_path + "plugins/";
    profile_name = emu_profile;
    load_settings();
}

void ePSXe_config::load_settings() {
    configs::load_registry_rows(*this, *this, configs::epsxe_values, configs::epsxe_key, registry);
}

void ePSXe_config::save_settings() {
    configs::save_registry_rows(*this, *this, configs::epsxe_values, configs::epsxe_key, registry);
}

const std::vector<std::string>& ePSXe_config::slot_entries(int slot) {
    switch (slot) {
        case 0:
            return gpu_list;
        case 1:
            return spu_list;
        case 2:
            return cdr_list;
        case 3:
            return net_list;
    }
    throw Failure("no slot " + std::to_string(slot));
}

forms::Label& ePSXe_config::slot_label(int slot) {
    auto* label = dynamic_cast<forms::Label*>(find(name_labels.at(slot)));
    if (!label) throw Failure("no name label");
    return *label;
}

std::string& ePSXe_config::slot_choice(int slot) {
    return selected_plugin.at(slot);
}

}  // namespace kv
