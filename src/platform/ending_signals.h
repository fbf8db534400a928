#pragma once
// SIGTERM, SIGINT and SIGHUP (logout, shutdown, the terminal closing) turned into something an event
// loop can wait for. Nothing is saved inside a signal handler: the handler only writes the signal's
// number into a pipe, and the loop, seeing the pipe readable, ends the session in its own time.
namespace kv::platform {

// Installs the handlers (once per process) and answers the pipe's reading end, which never blocks.
// Fails (kv::Failure) when the pipe or a handler cannot be set up.
int watch_ending_signals();

// The number of a signal that arrived and was not yet taken, or 0 when none did.
int take_ending_signal();

}  // namespace kv::platform
