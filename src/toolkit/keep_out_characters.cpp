#include "toolkit/keep_out_characters.h"

#include <string>
#include <utility>

namespace kv::toolkit {

void keep_out_characters(forms::TextBox& box, std::string_view refused, std::function<void()> on_text) {
    box.on_key_press = [refused](int16_t& key_ascii) {
        if (key_ascii > 0 && key_ascii < 256 &&
            refused.find(static_cast<char>(key_ascii)) != std::string_view::npos)
            key_ascii = 0;
    };
    box.on_change = [&box, refused, on_text = std::move(on_text)] {
        const std::string& text = box.text();
        if (text.find_first_of(refused) == std::string::npos) {
            if (on_text) on_text();
            return;
        }
        // The caret stays after what was pasted, less what is taken out before it.
        std::string cleaned;
        int caret = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (static_cast<int>(i) == box.caret()) caret = static_cast<int>(cleaned.size());
            if (refused.find(text[i]) == std::string_view::npos) cleaned += text[i];
        }
        if (box.caret() >= static_cast<int>(text.size())) caret = static_cast<int>(cleaned.size());
        // Fires Change again, with the cleaned text, which then reaches on_text.
        box.set_text(cleaned);
        box.set_sel_start(caret);
    };
}

}  // namespace kv::toolkit
