#pragma once
// The boundary between Qt's event loop and the model's handlers: nothing may unwind through Qt.
#include <exception>

#include "forms/backend.h"

namespace kv::qt {

// Ends the process at once, as the forms runtime's End statement did. Files are written atomically, so there
// is nothing to finish but the standard output.
[[noreturn]] void end_process();

// Tells of a failure that reached the event loop on the standard error. No message box: the failure
// may come from painting or from the message box itself, and every step the user must hear of
// reports its own failures before they get here.
void report_failure(const std::exception& e);

// Runs one event's work: the end of the program ends the process, a failure is reported and the
// program goes on. Returns false when the work failed.
template <typename Work>
bool guarded(Work&& work) {
    try {
        work();
        return true;
    } catch (const forms::ProgramEnded&) {
        end_process();
    } catch (const std::exception& e) {
        report_failure(e);
    }
    return false;
}

}  // namespace kv::qt
