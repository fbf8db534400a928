#pragma once
// The headless display a benchmark's windows go to, with the program's windows registered as start-up
// registers them. The windows go before the display is unset.
#include "app/window_roster.h"
#include "forms/backend.h"
#include "headless/headless_backend.h"
#include "toolkit/windows.h"

namespace kvbench {

struct BenchDisplay {
    BenchDisplay() {
        kv::forms::set_backend(&display);
        kv::app::register_windows();
    }
    ~BenchDisplay() {
        kv::toolkit::reset_forms();
        kv::forms::set_backend(nullptr);
    }
    BenchDisplay(const BenchDisplay&) = delete;
    BenchDisplay& operator=(const BenchDisplay&) = delete;

    kv::headless::HeadlessBackend display;
};

}  // namespace kvbench
