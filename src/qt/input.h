#pragma once
// Qt's mouse buttons, modifiers and keys in the numbering the model's handlers expect.
#include <QString>
#include <Qt>
#include <cstdint>
#include <optional>

namespace kv::qt {

int16_t button_flag(Qt::MouseButton button);
int16_t button_flags(Qt::MouseButtons buttons);
int16_t shift_flags(Qt::KeyboardModifiers modifiers);

// The key code of a Qt key, 0 for a key the forms runtime had no code for. Keys of the numeric keypad
// have their own codes, as they had there; punctuation follows the US layout.
int16_t key_code(int qt_key, Qt::KeyboardModifiers modifiers);

// The shift flags of a key event: pressing Shift, Ctrl or Alt already counts that key as held,
// releasing it no longer does.
int16_t key_shift_flags(int qt_key, Qt::KeyboardModifiers modifiers, bool pressed);

// The character a key press types, as KeyPress receives it; nothing for keys that type none.
// Characters outside the 16-bit range arrive as '?'.
std::optional<int16_t> typed_character(const QString& text);

}  // namespace kv::qt
