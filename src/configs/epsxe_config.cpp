#include "configs/epsxe_config.h"

#include "configs/epsxe_design.h"

namespace kv {

ePSXe_config::ePSXe_config() : configs::EditorWindow(configs::epsxe_design(), plugins::epsxe_table()) {
    expose("not_selected", not_selected);
    expose("plugin_working", plugin_working);
    expose("plugin_not_working", plugin_not_working);
}

}  // namespace kv
