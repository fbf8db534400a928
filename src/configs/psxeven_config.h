#pragma once
// The PSXeven settings editor.
#include <cstdint>

#include "configs/editor_window.h"

namespace kv {

class PSXeven_config : public configs::EditorWindow {
  public:
    PSXeven_config();

    // The picker's hand-back into selected_plugin.
    void enter_psxeven_plugin_index(int16_t pl_number, int16_t pl_index) {
        enter_plugin_index(pl_number, pl_index);
    }
};

}  // namespace kv
