#pragma once
// The few looks that the windows give their controls when they build them: stretched frame and
// button pictures, transparent labels that take the mouse, white captions.
#include <string>

#include "forms/controls.h"

namespace kv::toolkit {

inline constexpr forms::Color white = forms::rgb(255, 255, 255);
// The blue of the dialogs' field frames, tab outlines and separator lines until a skin sets its own.
inline constexpr forms::Color frame_blue = 0x00C07A42;

// A picture fitted to the image's own size.
forms::Image& stretched(forms::Image& image);
// A transparent label without caption that takes the mouse for what lies under it.
forms::Label& click_label(forms::Label& label);
// A transparent label with white text.
forms::Label& white_text(forms::Label& label, const std::string& caption);
// The same, centred.
forms::Label& centred_text(forms::Label& label, const std::string& caption);

template <typename C>
C& hidden(C& control) {
    control.set_visible(false);
    return control;
}

}  // namespace kv::toolkit
