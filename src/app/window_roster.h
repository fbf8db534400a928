#pragma once
// Every window of the program in one table: its name, how to reach it, and its place in each of the
// orders in which the skin, the title alignment, the outlines and the opacity walk the windows. The
// form-name lookup and those walks all derive from it; a new window is one more row.

namespace kv::app {

// Gives the window directory the roster, the message box its window and the program's title (the
// main window's caption), and the windows below the launcher where their answers go. Called once by
// whoever starts the program, before any window.
void register_windows();

}  // namespace kv::app
