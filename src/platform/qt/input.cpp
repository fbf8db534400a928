#include "platform/qt/input.h"

#include <QList>

#include "platform/forms/events.h"

namespace kv::qt {

namespace k = forms::keys;

int16_t button_flag(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return forms::left_button;
        case Qt::RightButton:
            return forms::right_button;
        case Qt::MiddleButton:
            return forms::middle_button;
        default:
            return 0;
    }
}

int16_t button_flags(Qt::MouseButtons buttons) {
    int16_t flags = 0;
    if (buttons & Qt::LeftButton) flags |= forms::left_button;
    if (buttons & Qt::RightButton) flags |= forms::right_button;
    if (buttons & Qt::MiddleButton) flags |= forms::middle_button;
    return flags;
}

int16_t shift_flags(Qt::KeyboardModifiers modifiers) {
    int16_t flags = 0;
    if (modifiers & Qt::ShiftModifier) flags |= forms::shift_mask;
    if (modifiers & Qt::ControlModifier) flags |= forms::ctrl_mask;
    if (modifiers & Qt::AltModifier) flags |= forms::alt_mask;
    return flags;
}

int16_t key_shift_flags(int qt_key, Qt::KeyboardModifiers modifiers, bool pressed) {
    int16_t flags = shift_flags(modifiers);
    int16_t own = qt_key == Qt::Key_Shift     ? forms::shift_mask
                  : qt_key == Qt::Key_Control ? forms::ctrl_mask
                  : qt_key == Qt::Key_Alt     ? forms::alt_mask
                                              : 0;
    return pressed ? static_cast<int16_t>(flags | own) : static_cast<int16_t>(flags & ~own);
}

int16_t key_code(int qt_key, Qt::KeyboardModifiers modifiers) {
    const bool keypad = (modifiers & Qt::KeypadModifier) != 0;
    if (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9)
        return static_cast<int16_t>(keypad ? 96 + (qt_key - Qt::Key_0) : qt_key);
    if (qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z) return static_cast<int16_t>(qt_key);
    if (qt_key >= Qt::Key_F1 && qt_key <= Qt::Key_F24)
        return static_cast<int16_t>(k::f1 + (qt_key - Qt::Key_F1));
    if (keypad) {
        switch (qt_key) {
            case Qt::Key_Asterisk:
                return 106;
            case Qt::Key_Plus:
                return 107;
            case Qt::Key_Minus:
                return 109;
            case Qt::Key_Period:
            case Qt::Key_Comma:
                return 110;
            case Qt::Key_Slash:
                return 111;
            default:
                break;
        }
    }
    switch (qt_key) {
        case Qt::Key_Backspace:
            return k::back;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return k::tab;
        case Qt::Key_Clear:
            return 12;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return k::enter;
        case Qt::Key_Shift:
            return k::shift;
        case Qt::Key_Control:
            return k::control;
        case Qt::Key_Alt:
            return k::menu;
        case Qt::Key_Pause:
            return 19;
        case Qt::Key_CapsLock:
            return 20;
        case Qt::Key_Escape:
            return k::escape;
        case Qt::Key_Space:
            return k::space;
        case Qt::Key_PageUp:
            return k::page_up;
        case Qt::Key_PageDown:
            return k::page_down;
        case Qt::Key_End:
            return k::end;
        case Qt::Key_Home:
            return k::home;
        case Qt::Key_Left:
            return k::left;
        case Qt::Key_Up:
            return k::up;
        case Qt::Key_Right:
            return k::right;
        case Qt::Key_Down:
            return k::down;
        case Qt::Key_Print:
            return 44;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Delete:
            return k::del;
        case Qt::Key_NumLock:
            return 144;
        case Qt::Key_ScrollLock:
            return 145;
        // Shifted digits come with the digit's code, as the key is the same.
        case Qt::Key_ParenRight:
            return '0';
        case Qt::Key_Exclam:
            return '1';
        case Qt::Key_At:
            return '2';
        case Qt::Key_NumberSign:
            return '3';
        case Qt::Key_Dollar:
            return '4';
        case Qt::Key_Percent:
            return '5';
        case Qt::Key_AsciiCircum:
            return '6';
        case Qt::Key_Ampersand:
            return '7';
        case Qt::Key_Asterisk:
            return '8';
        case Qt::Key_ParenLeft:
            return '9';
        case Qt::Key_Semicolon:
        case Qt::Key_Colon:
            return 186;
        case Qt::Key_Equal:
        case Qt::Key_Plus:
            return 187;
        case Qt::Key_Comma:
        case Qt::Key_Less:
            return 188;
        case Qt::Key_Minus:
        case Qt::Key_Underscore:
            return 189;
        case Qt::Key_Period:
        case Qt::Key_Greater:
            return 190;
        case Qt::Key_Slash:
        case Qt::Key_Question:
            return 191;
        case Qt::Key_QuoteLeft:
        case Qt::Key_AsciiTilde:
            return 192;
        case Qt::Key_BracketLeft:
        case Qt::Key_BraceLeft:
            return 219;
        case Qt::Key_Backslash:
        case Qt::Key_Bar:
            return 220;
        case Qt::Key_BracketRight:
        case Qt::Key_BraceRight:
            return 221;
        case Qt::Key_Apostrophe:
        case Qt::Key_QuoteDbl:
            return 222;
        default:
            return 0;
    }
}

std::optional<int16_t> typed_character(const QString& text) {
    if (text.isEmpty()) return std::nullopt;
    char32_t cp = text.toUcs4().value(0);
    // Delete types nothing, although X11 reports it as the character 127.
    if (cp == 127) return std::nullopt;
    if (cp > 0xFFFF) return static_cast<int16_t>('?');
    return static_cast<int16_t>(static_cast<uint16_t>(cp));
}

}  // namespace kv::qt
