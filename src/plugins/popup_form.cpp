#include "plugins/popup_form.h"

#include <algorithm>

#include "plugins/plugin_editor.h"

namespace kv {

namespace {

constexpr int most_rows = 5;
// The list's outline: four pictures one pixel thick.
constexpr float pixel = forms::twips_per_pixel;

}  // namespace

popup_form::popup_form()
    : forms::Form("popup_form"),
      List1(add<forms::ListBox>("List1", 0, 0, 2775, 225)),
      Picture1(add<forms::PictureBox>("Picture1", 0, 0, pixel, 1215)),
      Picture2(add<forms::PictureBox>("Picture2", 0, 0, 2775, pixel)),
      Picture3(add<forms::PictureBox>("Picture3", 2775 - pixel, 0, pixel, 1215)),
      Picture4(add<forms::PictureBox>("Picture4", 0, 995, 2775, pixel)) {
    set_width(2775);
    set_height(1215);
    // A drop-down that only a pick could close left the person stuck in it: Escape and a press
    // anywhere outside the list (the box's arrow included) close it and change nothing.
    set_drop_down(true);
    on_dismiss = [this] { hide(); };
    on_key_down = [this](int16_t& key_code, int16_t) {
        if (key_code != forms::keys::escape) return;
        key_code = 0;
        hide();
    };
    List1.on_mouse_down = [this](const forms::MouseEvent& e) { List1_MouseDown(e); };
    expose("input_combo_locator", [this] { return std::to_string(input_combo_locator); });
}

void popup_form::serve(plugins::PluginEditor& editor, int slot) {
    editor_ = &editor;
    slot_ = slot;
}

void popup_form::resize_list(int16_t code) {
    input_combo_locator = code;
    const int n = std::clamp(List1.list_count(), 1, most_rows);
    // Whole rows inside the list's frame: n times a row with its frame would leave a part of a row
    // showing under the last one, which took presses as a pick of no row.
    List1.set_height(static_cast<float>(n) * List1.row_height() + 2 * forms::ListBox::frame);
    set_height(List1.height());
    Picture4.set_top(height() - pixel);
    Picture1.set_height(height() + 2 * pixel);
    Picture3.set_height(height() + 2 * pixel);
}

void popup_form::search_for_name(const std::string& input_name) {
    for (int row = 0; row < List1.list_count(); ++row) {
        List1.set_list_index(row);
        if (List1.list(row) == input_name) return;
    }
    // Row 0 current scrolls the list to its top; then no row is current.
    if (List1.list_count() > 0) List1.set_list_index(0);
    List1.set_list_index(-1);
}

void popup_form::List1_MouseDown(const forms::MouseEvent& e) {
    // A left press makes the row under the pointer current first; other buttons take the current row.
    if (e.button == forms::left_button) {
        const int row = List1.row_at(e.y);
        if (row >= 0) List1.set_list_index(row);
    }
    // A slot the editor does not have (its spare text past the last included) takes no pick.
    if (List1.list_count() > 0 && editor_ && slot_ >= 0 &&
        static_cast<size_t>(slot_) < editor_->plugin_table().selection_slots.size()) {
        editor_->name_label(slot_).set_caption(List1.text());
        editor_->enter_plugin_index(static_cast<int16_t>(slot_),
                                    static_cast<int16_t>(List1.list_index() + 1));
    }
    hide();
}

}  // namespace kv
