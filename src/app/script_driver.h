#pragma once
// Runs the whole program headless from a line script: events on controls by window and control
// name, typed text, dialog answers, the clock, and checks of properties and public variables.
// The language is described in docs/drive.md.
#include <istream>
#include <ostream>
#include <string>

namespace kv::app {

// Runs the script; returns the process exit code: 0 when every line ran (or the program ended),
// 1 when an expect failed, 2 for a script error.
int run_script(std::istream& script, std::ostream& out, std::ostream& err);

}  // namespace kv::app
