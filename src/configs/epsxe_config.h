#pragma once
// The ePSXe settings editor. Its texts serve all four editors.
#include <cstdint>
#include <string>

#include "configs/editor_window.h"

namespace kv {

class ePSXe_config : public configs::EditorWindow {
  public:
    ePSXe_config();

    // A picker's caption while nothing is chosen.
    std::string not_selected;
    // The messages after a plug-in's test.
    std::string plugin_working;
    std::string plugin_not_working;

    // The picker's hand-back into selected_plugin.
    void enter_epsxe_plugin_index(int16_t pl_number, int16_t pl_index) {
        enter_plugin_index(pl_number, pl_index);
    }
};

}  // namespace kv
