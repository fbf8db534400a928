#pragma once
// What the helper was started with that must not reach what its plug-ins start: a setup program a
// configure or about starts gets what a program started from a desktop gets, every signal at its
// default and no controlling terminal. (The signal mask the launcher gives the helper is empty.)
namespace kv::plugin_host {

// Sets every signal this process was started ignoring back to its default. An ignored signal stays
// ignored through exec, and no shell can take it back: a pipeline's writer would see EPIPE where it
// should end. The C library's posix_spawn may leave its own two signals (32 and 33) ignored in the
// program it starts, and its sigaction refuses them, so each signal's action is read and set here by
// the system call itself, which needs no /proc.
void default_ignored_signals();

// The helper's process group stands in the background of the terminal the launcher may run in, where
// reading it, or writing it with tostop set, would stop the helper. A process with no controlling
// terminal is never stopped so. Given up for this process alone (and what it starts), not by a new
// session: the helper stays in its process group, which the launcher kills as a last resort, and in
// the launcher's session, whose share of the processors (the kernel's autogroup) it takes.
void give_up_terminal();

}  // namespace kv::plugin_host
