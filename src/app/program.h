#pragma once
// The program's start and end, above every window.

namespace kv::app {

// Starts the program: loads the main window (its start-up) and shows it.
void start_program();

// The session ends from outside the program (a signal, the display lost): the main window saves
// what the user would keep, and the program ends (forms::ProgramEnded). Before start-up it just ends.
[[noreturn]] void end_session();

}  // namespace kv::app
