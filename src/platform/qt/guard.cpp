#include "platform/qt/guard.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "platform/runtime.h"

namespace kv::qt {

void end_process() {
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    // No destructors: windows and Qt's own globals would be torn down in no defined order.
    std::_Exit(0);
}

void report_failure(const std::exception& e) {
    if (dynamic_cast<const Failure*>(&e))
        std::cerr << "korvalin: " << e.what() << std::endl;
    else
        std::cerr << "korvalin: internal error: " << e.what() << std::endl;
}

}  // namespace kv::qt
