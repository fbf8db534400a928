#pragma once
// The SSSPSX editor's window, as a table the shared editor pieces are built from.
#include "configs/editor_window.h"

namespace kv::configs {

const EditorDesign& ssspsx_design();

}  // namespace kv::configs
