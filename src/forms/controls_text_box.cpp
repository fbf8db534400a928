// The text box of controls.h: its text, its caret and selection, and the editing keys.
#include <algorithm>

#include "forms/backend.h"
#include "forms/controls.h"
#include "forms/text_editing.h"
#include "platform/runtime.h"

namespace kv::forms {

namespace {

// A typed character as stored: beyond ASCII it arrives as its code point and is kept as UTF-8.
std::string utf8_of(int16_t key_ascii) {
    std::string ch;
    const auto cp = static_cast<uint32_t>(static_cast<uint16_t>(key_ascii));
    if (cp < 0x80) {
        ch += static_cast<char>(cp);
    } else if (cp < 0x800) {
        ch += static_cast<char>(0xC0 | (cp >> 6));
        ch += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        ch += static_cast<char>(0xE0 | (cp >> 12));
        ch += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        ch += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return ch;
}

}  // namespace

TextBox::TextBox(Form& form, std::string name, int index, Control* container)
    : Control(form, ControlKind::text_box, std::move(name), index, container) {}

void TextBox::set_text(const std::string& t) {
    if (text_ == t) return;
    text_ = t;
    anchor_ = character_boundary(text_, anchor_);
    caret_ = character_boundary(text_, caret_);
    changed();
    if (on_change) on_change();
}

void TextBox::set_locked(bool l) {
    set_drawn(locked_, l);
}

void TextBox::set_max_length(int m) {
    if (m < 0) throw platform::Failure("Invalid property value: MaxLength of " + full_name());
    max_length_ = m;
}

void TextBox::set_alignment(Alignment a) {
    set_drawn(alignment_, a);
}

void TextBox::set_multi_line(bool m) {
    set_drawn(multi_line_, m);
}

void TextBox::set_border(bool b) {
    set_drawn(border_, b);
}

int TextBox::sel_start() const {
    return std::min(anchor_, caret_);
}

int TextBox::sel_length() const {
    return std::abs(caret_ - anchor_);
}

std::string TextBox::sel_text() const {
    return text_.substr(static_cast<size_t>(sel_start()), static_cast<size_t>(sel_length()));
}

void TextBox::set_sel_start(int s) {
    if (s < 0) throw platform::Failure("Invalid property value: SelStart of " + full_name());
    const int at = character_boundary(text_, s);
    anchor_ = at;
    caret_ = at;
    changed();
}

void TextBox::set_sel_length(int n) {
    if (n < 0) throw platform::Failure("Invalid property value: SelLength of " + full_name());
    const int start = sel_start();
    select(start, start + std::min(n, static_cast<int>(text_.size()) - start));
}

void TextBox::select(int anchor, int caret) {
    anchor = character_boundary(text_, anchor);
    caret = character_boundary(text_, caret);
    if (anchor == anchor_ && caret == caret_) return;
    anchor_ = anchor;
    caret_ = caret;
    changed();
}

void TextBox::select_all() {
    select(0, static_cast<int>(text_.size()));
}

void TextBox::set_sel_text(const std::string& t) {
    std::string kept = t;
    if (max_length_ > 0) {
        // What does not fit is cut off at a whole character, as a paste into a full box is.
        const int room = std::max(0, max_length_ - (static_cast<int>(text_.size()) - sel_length()));
        if (static_cast<int>(kept.size()) > room)
            kept.resize(static_cast<size_t>(character_boundary(kept, room)));
    }
    replace_selection(kept);
}

void TextBox::replace_selection(const std::string& t) {
    if (t.empty() && sel_length() == 0) return;
    const auto start = static_cast<size_t>(sel_start());
    text_.replace(start, static_cast<size_t>(sel_length()), t);
    anchor_ = caret_ = static_cast<int>(start + t.size());
    changed();
    if (on_change) on_change();
}

void TextBox::clipboard_key(Clipboard action) {
    if (action == Clipboard::paste) {
        if (!locked_) set_sel_text(backend().clipboard_text());
        return;
    }
    if (sel_length() == 0) return;
    backend().set_clipboard_text(sel_text());
    if (action == Clipboard::cut && !locked_) replace_selection("");
}

void TextBox::move_caret(int to, bool selecting) {
    select(selecting ? anchor_ : to, to);
}

void TextBox::type_character(int16_t key_ascii) {
    if (on_key_press) on_key_press(key_ascii);
    if (key_ascii == 0 || locked_) return;
    std::string typed;
    if (key_ascii == keys::back) {
        if (sel_length() == 0) {
            if (caret_ == 0) return;
            select(caret_, previous_character(text_, caret_));
        }
    } else if (key_ascii == keys::enter && multi_line_) {
        // Enter starts a new line, stored as Windows ends its lines.
        typed = "\r\n";
    } else if (key_ascii < 32 && key_ascii >= 0) {
        return;
    } else {
        typed = utf8_of(key_ascii);
    }
    const int after = static_cast<int>(text_.size()) - sel_length() + static_cast<int>(typed.size());
    if (!typed.empty() && max_length_ > 0 && after > max_length_) return;
    replace_selection(typed);
}

bool TextBox::edit_key(int16_t key_code, int16_t shift) {
    if (shift & alt_mask) return false;
    const bool ctrl = (shift & ctrl_mask) != 0;
    const bool shifted = (shift & shift_mask) != 0;
    const int end = static_cast<int>(text_.size());
    switch (key_code) {
        case keys::left:
            if (ctrl)
                move_caret(previous_word(text_, caret_), shifted);
            else if (!shifted && sel_length() > 0)
                move_caret(sel_start(), false);
            else
                move_caret(previous_character(text_, caret_), shifted);
            return true;
        case keys::right:
            if (ctrl)
                move_caret(next_word(text_, caret_), shifted);
            else if (!shifted && sel_length() > 0)
                move_caret(sel_start() + sel_length(), false);
            else
                move_caret(next_character(text_, caret_), shifted);
            return true;
        case keys::home:
        case keys::end:
            if (multi_line_) return false;
            move_caret(key_code == keys::home ? 0 : end, shifted);
            return true;
        case 'A':
            if (!ctrl || shifted) return false;
            select_all();
            return true;
        case 'C':
        case 'X':
        case 'V':
            if (!ctrl || shifted) return false;
            clipboard_key(key_code == 'C'   ? Clipboard::copy
                          : key_code == 'X' ? Clipboard::cut
                                            : Clipboard::paste);
            return true;
        case keys::insert:
            if (ctrl == shifted) return false;
            clipboard_key(ctrl ? Clipboard::copy : Clipboard::paste);
            return true;
        case keys::del:
            if (shifted && !ctrl) {
                clipboard_key(Clipboard::cut);
                return true;
            }
            if (locked_) return true;
            if (sel_length() == 0)
                select(caret_, ctrl ? next_word(text_, caret_) : next_character(text_, caret_));
            replace_selection("");
            return true;
        default:
            return false;
    }
}

std::optional<std::string> TextBox::property(std::string_view p) const {
    if (p == "Text") return text_;
    if (p == "Locked") return platform::bool_text(locked_);
    if (p == "SelStart") return std::to_string(sel_start());
    if (p == "SelLength") return std::to_string(sel_length());
    if (p == "SelText") return sel_text();
    if (p == "MaxLength") return std::to_string(max_length_);
    if (p == "Alignment") return alignment_text(alignment_);
    return Control::property(p);
}

}  // namespace kv::forms
