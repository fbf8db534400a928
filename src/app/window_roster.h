#pragma once
// Every window of the program in one table: its name, how to reach it, and its place in each of the
// orders in which the skin, the title alignment, the outlines and the opacity walk the windows. The
// form-name registry and those tables all derive from it; a new window is one more row.
#include <span>
#include <string_view>
#include <vector>

#include "platform/forms/form.h"

namespace kv::app {

struct WindowRow {
    std::string_view name;
    forms::Form& (*get)();  // created and loaded on first touch
    // 1-based places in each walk; 0 leaves the window out of it.
    int title_colour;  // skin settings line 6, the title text colour
    int frame;         // the skin's nine frame pictures
    int outline;       // the skin's rounded window outline
    int alignment;     // the skin's title alignment
    int opacity;       // the shared opacity; asking for the windows here also loads them, in this order
};

std::span<const WindowRow> window_roster();

// The names of the windows that take part in one walk, in its order.
std::vector<std::string_view> windows_in_order(int WindowRow::*place);

}  // namespace kv::app
