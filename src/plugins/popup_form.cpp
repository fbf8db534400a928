#include "plugins/popup_form.h"

#include <algorithm>
#include <cmath>

#include "app/forms.h"
#include "platform/forms/backend.h"
#include "plugins/plugin_editor.h"

namespace kv {

namespace {

constexpr float twips_per_pixel = 15;
constexpr float list_frame = 2 * twips_per_pixel;  // one pixel above and one below the rows
constexpr int most_rows = 5;

}  // namespace

popup_form::popup_form()
    : forms::Form("popup_form"),
      List1(add<forms::ListBox>("List1", 0, 0, 2775, 225)),
      Picture1(add<forms::PictureBox>("Picture1", 0, 0, 15, 1215)),
      Picture2(add<forms::PictureBox>("Picture2", 0, 0, 2775, 15)),
      Picture3(add<forms::PictureBox>("Picture3", 2760, 0, 15, 1215)),
      Picture4(add<forms::PictureBox>("Picture4", 0, 995, 2775, 15)) {
    set_width(2775);
    set_height(1215);
    List1.on_mouse_down = [this](const forms::MouseEvent& e) { List1_MouseDown(e); };
    expose("input_combo_locator", [this] { return std::to_string(input_combo_locator); });
}

float popup_form::row_height_with_frame() const {
    const float text = forms::backend().measure_text(List1.font(), "Xg").height;
    // Rows are whole pixels high.
    const float row = std::max(1.0f, std::ceil(text / twips_per_pixel)) * twips_per_pixel;
    return row + list_frame;
}

void popup_form::set_top_row(int row) {
    const int last_top = std::max(0, List1.list_count() - most_rows);
    top_row_ = std::clamp(row, 0, last_top);
    changed();
}

void popup_form::resize_list(int16_t code) {
    const float h = row_height_with_frame();
    input_combo_locator = code;
    const int n = std::clamp(List1.list_count(), 1, most_rows);
    List1.set_height(static_cast<float>(n) * h);
    set_height(List1.height());
    Picture4.set_top(height() - 15);
    Picture1.set_height(height() + 30);
    Picture3.set_height(height() + 30);
}

void popup_form::search_for_name(const std::string& input_name) {
    for (int row = 0; row < List1.list_count(); ++row) {
        List1.set_list_index(row);
        if (List1.list(row) == input_name) return;
    }
    if (List1.list_count() > 0) List1.set_list_index(0);
    set_top_row(0);
    List1.set_list_index(-1);
}

void popup_form::List1_MouseDown(const forms::MouseEvent& e) {
    // A left press makes the row under the pointer current first; other buttons take the current row.
    if (e.button == forms::left_button && List1.list_count() > 0) {
        const float row_height = row_height_with_frame() - list_frame;
        const int row = top_row_ + static_cast<int>(std::floor((e.y - list_frame / 2) / row_height));
        if (row >= 0 && row < List1.list_count() && e.y >= 0) List1.set_list_index(row);
    }
    // A code no picker gives (0 before the first resize_list) names no slot: nothing to hand back.
    const plugins::EditorTable* table = plugins::table_for_code(input_combo_locator);
    if (List1.list_count() > 0 && table) {
        auto* editor = dynamic_cast<plugins::PluginEditor*>(app::form_named(table->window));
        const auto slot = static_cast<int16_t>(input_combo_locator - table->locator_base);
        if (editor) {
            const auto& spec = table->slots[static_cast<size_t>(slot)];
            if (auto* label = dynamic_cast<forms::Label*>(editor->find(spec.name_label)))
                label->set_caption(List1.text());
            editor->enter_plugin_index(slot, static_cast<int16_t>(List1.list_index() + 1));
        }
    }
    hide();
}

}  // namespace kv
