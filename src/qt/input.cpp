#include "qt/input.h"

#include <QList>

#include "forms/events.h"

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

namespace {

struct KeyRow {
    int qt_key;
    int16_t code;
};

// Keys of the numeric keypad that share a Qt key with the main keyboard.
constexpr KeyRow keypad_keys[] = {
    {Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107},  {Qt::Key_Minus, 109},
    {Qt::Key_Period, 110},   {Qt::Key_Comma, 110}, {Qt::Key_Slash, 111},
};

// clang-format off
constexpr KeyRow other_keys[] = {
    {Qt::Key_Backspace, k::back},      {Qt::Key_Tab, k::tab},           {Qt::Key_Backtab, k::tab},
    {Qt::Key_Clear, 12},               {Qt::Key_Return, k::enter},      {Qt::Key_Enter, k::enter},
    {Qt::Key_Shift, k::shift},         {Qt::Key_Control, k::control},   {Qt::Key_Alt, k::menu},
    {Qt::Key_Pause, 19},               {Qt::Key_CapsLock, 20},          {Qt::Key_Escape, k::escape},
    {Qt::Key_Space, k::space},         {Qt::Key_PageUp, k::page_up},    {Qt::Key_PageDown, k::page_down},
    {Qt::Key_End, k::end},             {Qt::Key_Home, k::home},         {Qt::Key_Left, k::left},
    {Qt::Key_Up, k::up},               {Qt::Key_Right, k::right},       {Qt::Key_Down, k::down},
    {Qt::Key_Print, 44},               {Qt::Key_Insert, 45},            {Qt::Key_Delete, k::del},
    {Qt::Key_NumLock, 144},            {Qt::Key_ScrollLock, 145},
    // Shifted digits come with the digit's code, as the key is the same.
    {Qt::Key_ParenRight, '0'},         {Qt::Key_Exclam, '1'},           {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'},         {Qt::Key_Dollar, '4'},           {Qt::Key_Percent, '5'},
    {Qt::Key_AsciiCircum, '6'},        {Qt::Key_Ampersand, '7'},        {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'},
    // Punctuation keys of a US keyboard, plain and shifted.
    {Qt::Key_Semicolon, 186},          {Qt::Key_Colon, 186},            {Qt::Key_Equal, 187},
    {Qt::Key_Plus, 187},               {Qt::Key_Comma, 188},            {Qt::Key_Less, 188},
    {Qt::Key_Minus, 189},              {Qt::Key_Underscore, 189},       {Qt::Key_Period, 190},
    {Qt::Key_Greater, 190},            {Qt::Key_Slash, 191},            {Qt::Key_Question, 191},
    {Qt::Key_QuoteLeft, 192},          {Qt::Key_AsciiTilde, 192},       {Qt::Key_BracketLeft, 219},
    {Qt::Key_BraceLeft, 219},          {Qt::Key_Backslash, 220},        {Qt::Key_Bar, 220},
    {Qt::Key_BracketRight, 221},       {Qt::Key_BraceRight, 221},       {Qt::Key_Apostrophe, 222},
    {Qt::Key_QuoteDbl, 222},
};
// clang-format on

template <std::size_t N>
int16_t look_up(const KeyRow (&rows)[N], int qt_key) {
    for (const KeyRow& row : rows)
        if (row.qt_key == qt_key) return row.code;
    return 0;
}

}  // namespace

int16_t key_code(int qt_key, Qt::KeyboardModifiers modifiers) {
    const bool keypad = (modifiers & Qt::KeypadModifier) != 0;
    if (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9)
        return static_cast<int16_t>(keypad ? 96 + (qt_key - Qt::Key_0) : qt_key);
    if (qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z) return static_cast<int16_t>(qt_key);
    if (qt_key >= Qt::Key_F1 && qt_key <= Qt::Key_F24)
        return static_cast<int16_t>(k::f1 + (qt_key - Qt::Key_F1));
    if (keypad)
        if (const int16_t code = look_up(keypad_keys, qt_key)) return code;
    return look_up(other_keys, qt_key);
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
