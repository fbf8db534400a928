#pragma once
// The ePSXe settings editor. Its texts serve all four editors; its content comes with the editors.
#include <string>

#include "plugins/plugin_editor.h"

namespace kv {

class ePSXe_config : public plugins::PluginEditor {
public:
    ePSXe_config();

    // The picker's hand-back into selected_plugin.
    void enter_epsxe_plugin_index(int16_t pl_number, int16_t pl_index) {
        enter_plugin_index(pl_number, pl_index);
    }

    // A picker's caption while nothing is chosen.
    std::string not_selected;
    // The messages after a plug-in's test.
    std::string plugin_working;
    std::string plugin_not_working;

protected:
    void Form_Load() override;
};

}  // namespace kv
