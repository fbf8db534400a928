#pragma once
// The line every failure of ours leaves on standard error, where scripts and logs read it. A failure
// the user must know of is also shown (toolkit/message_box.h); only what happens with no one to read a
// message (no window yet, the display gone, the session ended from outside) is written here alone.
#include <string_view>

namespace kv::platform {

// Writes "korvalin: TEXT" and a line end on standard error, as one write; each further line of the
// text gets the same start, so that every line can be found by it.
void print_failure(std::string_view text);

// The same for another program of ours: "PROGRAM: TEXT".
void print_failure(std::string_view program, std::string_view text);

// Writes bytes on standard error as they are, after whatever standard output still holds, as one
// write where the system takes it whole. Through the file itself rather than the C++ streams, which
// the program need not set up at start.
void write_standard_error(std::string_view bytes);

}  // namespace kv::platform
