#include "configs/psxeven_config.h"

#include "configs/psxeven_design.h"

namespace kv {

PSXeven_config::PSXeven_config()
    : configs::EditorWindow(configs::psxeven_design(), plugins::psxeven_table()) {}

}  // namespace kv
