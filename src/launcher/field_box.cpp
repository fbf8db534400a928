#include "launcher/field_box.h"

#include <algorithm>
#include <string>

namespace kv {

void keep_out_field_separator(forms::TextBox& box, std::function<void()> on_text) {
    box.on_key_press = [](int16_t& key_ascii) {
        if (key_ascii == '|') key_ascii = 0;
    };
    box.on_change = [&box, on_text = std::move(on_text)] {
        std::string text = box.text();
        if (text.find('|') != std::string::npos) {
            text.erase(std::remove(text.begin(), text.end(), '|'), text.end());
            // Fires Change again, with the cleaned text, which then reaches on_text.
            box.set_text(text);
            return;
        }
        if (on_text) on_text();
    };
}

}  // namespace kv
