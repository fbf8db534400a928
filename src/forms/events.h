#pragma once
// What mouse and keyboard handlers receive, with the Windows forms runtime's conventions.
#include <cstdint>

namespace kv::forms {

// Mouse button flags: on Down/Up the button that changed, on Move the buttons held.
inline constexpr int16_t left_button = 1;
inline constexpr int16_t right_button = 2;
inline constexpr int16_t middle_button = 4;

// Shift flags.
inline constexpr int16_t shift_mask = 1;
inline constexpr int16_t ctrl_mask = 2;
inline constexpr int16_t alt_mask = 4;

// A point on the desktop, in twips.
struct ScreenPoint {
    float x = 0;
    float y = 0;
};

struct MouseEvent {
    MouseEvent() = default;
    // The pointer's place on the desktop is given by whoever delivers the event.
    MouseEvent(int16_t button_flags, int16_t shift_flags = 0, float x_twips = 0, float y_twips = 0,
               ScreenPoint at = {})
        : button(button_flags), shift(shift_flags), x(x_twips), y(y_twips), pointer(at) {}

    int16_t button = 0;
    int16_t shift = 0;
    float x = 0;  // twips, relative to the control
    float y = 0;
    // Where the pointer is on the desktop. A window dragged by the pointer follows this: while the
    // window system is still moving the window, the place relative to the window is out of date.
    ScreenPoint pointer;
};

// Key codes as Windows key events numbered them.
namespace keys {
inline constexpr int16_t back = 8;
inline constexpr int16_t tab = 9;
inline constexpr int16_t enter = 13;
inline constexpr int16_t shift = 16;
inline constexpr int16_t control = 17;
inline constexpr int16_t menu = 18;
inline constexpr int16_t escape = 27;
inline constexpr int16_t space = 32;
inline constexpr int16_t page_up = 33;
inline constexpr int16_t page_down = 34;
inline constexpr int16_t end = 35;
inline constexpr int16_t home = 36;
inline constexpr int16_t left = 37;
inline constexpr int16_t up = 38;
inline constexpr int16_t right = 39;
inline constexpr int16_t down = 40;
inline constexpr int16_t insert = 45;
inline constexpr int16_t del = 46;
inline constexpr int16_t f1 = 112;
// Letters are their capital's code ('A' = 65), digits their character's code ('0' = 48).
}  // namespace keys

}  // namespace kv::forms
