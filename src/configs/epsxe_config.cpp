#include "configs/epsxe_config.h"

#include "configs/epsxe_design.h"

namespace kv {

ePSXe_config::ePSXe_config() : configs::EditorWindow(configs::epsxe_design(), plugins::epsxe_table()) {
    expose("not_selected", [this] { return not_selected; });
    expose("plugin_working", [this] { return plugin_working; });
    expose("plugin_not_working", [this] { return plugin_not_working; });
}

}  // namespace kv
