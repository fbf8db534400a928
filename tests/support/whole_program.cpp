// Linked into the tests that run the whole program: its windows are registered as start-up registers
// them, before any test touches one.
#include "app/window_roster.h"

namespace {

const bool windows_registered = [] {
    kv::app::register_windows();
    return true;
}();

}  // namespace
