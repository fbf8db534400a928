#pragma once
// Standard input, output and error as each of our programs needs them, whoever started it and however.
// Called first thing in every main, before anything else is opened.
namespace kv::platform {

// Opens /dev/null on each of descriptors 0, 1 and 2 that was closed (a daemon or launcher that starts
// programs with "2>&-"): otherwise the next file opened would take that number, and every message and
// warning written to it would land in the X connection or the lock file.
//
// Then makes a write to a pipe whose reader is gone ("korvalin | head -1", a log service restarted)
// fail with EPIPE instead of ending the process with SIGPIPE: a message nobody can read is dropped, and
// the program goes on and saves. A handler that does nothing rather than an ignored signal, since exec
// resets a handler: every program started from here still gets SIGPIPE at its default.
void prepare_standard_streams();

}  // namespace kv::platform
