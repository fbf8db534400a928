#include "launcher/field_box.h"

#include <string>

namespace kv {

void keep_out_characters(forms::TextBox& box, std::string_view refused, std::function<void()> on_text) {
    box.on_key_press = [refused](int16_t& key_ascii) {
        if (key_ascii > 0 && key_ascii < 256 &&
            refused.find(static_cast<char>(key_ascii)) != std::string_view::npos)
            key_ascii = 0;
    };
    box.on_change = [&box, refused, on_text = std::move(on_text)] {
        std::string text = box.text();
        if (text.find_first_of(refused) != std::string::npos) {
            std::erase_if(text, [refused](char c) { return refused.find(c) != std::string_view::npos; });
            // Fires Change again, with the cleaned text, which then reaches on_text.
            box.set_text(text);
            return;
        }
        if (on_text) on_text();
    };
}

void keep_out_field_separator(forms::TextBox& box, std::function<void()> on_text) {
    keep_out_characters(box, "|", std::move(on_text));
}

}  // namespace kv
