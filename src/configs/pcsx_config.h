#pragma once
// The PCSX settings editor, which comes with the emulator settings.
#include "plugins/plugin_editor.h"

namespace kv {

class PCSX_config : public plugins::PluginEditor {
public:
    PCSX_config();

    // The picker's hand-back into selected_plugin.
    void enter_pcsx_plugin_index(int16_t pl_number, int16_t pl_index) {
        enter_plugin_index(pl_number, pl_index);
    }

protected:
    void Form_Load() override;
};

}  // namespace kv
