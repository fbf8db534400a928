#pragma once
// The ePSXe settings editor. Its texts serve all four editors.
#include <array>
#include <string>
#include <vector>

#include "configs/editor_window.h"
#include "configs/plugin_slots.h"

namespace kv {

class ePSXe_config : public configs::EditorWindow, public configs::PluginSlots {
  public:
    ePSXe_config();

    // A picker's caption while nothing is chosen.
    std::string not_selected;
    // The messages after a plug-in's test.
    std::string plugin_working;
    std::string plugin_not_working;

    // Opens the editor on an emulator folder (ending with '/') and a profile: scans the plug-ins and
    // loads the stored settings. The configs window then shows it.
    void get_emulator_path(const std::string& emu_path, const std::string& emu_profile);

    void load_settings();

    // Plug-in state read by the settings and the buttons.
    std::string plugins_path;
    std::vector<std::string> gpu_list, spu_list, cdr_list, net_list;
    std::array<std::string, 5> selected_plugin{"0", "0", "0", "0", "0"};

    const std::vector<std::string>& slot_entries(int slot) override;
    forms::Label& slot_label(int slot) override;
    std::string& slot_choice(int slot) override;

  protected:
    void save_settings() override;
};

}  // namespace kv
