#include "qt/guard.h"

#include <cstdio>
#include <cstdlib>

#include "platform/runtime.h"
#include "platform/standard_error.h"

namespace kv::qt {

void end_process() {
    std::fflush(nullptr);
    // No destructors: windows and Qt's own globals would be torn down in no defined order.
    std::_Exit(0);
}

void report_failure(const std::exception& e) {
    if (dynamic_cast<const platform::Failure*>(&e))
        platform::print_failure(e.what());
    else
        platform::print_failure(std::string("internal error: ") + e.what());
}

}  // namespace kv::qt
