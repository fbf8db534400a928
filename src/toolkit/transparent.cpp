#include "toolkit/transparent.h"

#include "platform/runtime.h"

namespace kv::toolkit {

int32_t set_transparency(forms::Form& window, int16_t alpha) {
    if (alpha < 0 || alpha > 255) return transparency_out_of_range;
    bool failed = false;
    int32_t style = 0;
    failed |= platform::skip_failure([&] { style = window.ex_style(); });
    style |= forms::ws_ex_layered;
    failed |= platform::skip_failure([&] { window.set_ex_style(style); });
    failed |= platform::skip_failure([&] { window.set_layered_alpha(static_cast<uint8_t>(alpha)); });
    return failed ? transparency_step_failed : transparency_done;
}

int32_t remove_transparency(forms::Form& window) {
    bool failed = false;
    int32_t style = 0;
    failed |= platform::skip_failure([&] { style = window.ex_style(); });
    style &= ~forms::ws_ex_layered;
    failed |= platform::skip_failure([&] { window.set_ex_style(style); });
    // Alpha only counts while layered, so this leaves the window fully opaque.
    failed |= platform::skip_failure([&] { window.set_layered_alpha(0); });
    return failed ? transparency_step_failed : transparency_done;
}

}  // namespace kv::toolkit
