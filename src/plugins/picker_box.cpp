#include "plugins/picker_box.h"

#include "forms/screen_place.h"
#include "plugins/popup_form.h"
#include "toolkit/control_style.h"
#include "toolkit/pressed_image.h"
#include "toolkit/windows.h"

namespace kv::plugins {

namespace {

constexpr float arrow_left = 2520;
constexpr float click_width = 2775;
constexpr float background_width = 2515;
// The caption's top above the box's.
constexpr float heading_above = 240;
// The picker window's top edge overlaps the box's bottom edge by one pixel.
constexpr float overlap = forms::twips_per_pixel;

const SlotDesign& slot_design(const PluginEditor& editor, int slot) {
    return editor.plugin_table().selection_slots[static_cast<size_t>(slot)];
}

}  // namespace

void build_picker_frame(PluginEditor& editor, const PickerBox& p) {
    const SlotDesign& s = slot_design(editor, p.slot);
    toolkit::white_text(editor.add<forms::Label>(std::string(s.heading_label), p.left, p.top - heading_above,
                                                 picker_width, picker_height),
                        std::string(s.heading_caption));
    auto& box = editor.add<forms::PictureBox>(std::string(s.box), p.left, p.top, picker_width, picker_height);
    toolkit::stretched(editor.add<forms::Image>(p.background, 0, 0, background_width, picker_height, &box));
}

void build_picker_controls(PluginEditor& editor, const PickerBox& p) {
    auto* box = editor.find(slot_design(editor, p.slot).box);
    auto& click =
        toolkit::click_label(editor.add<forms::Label>(p.click, 0, 0, click_width, picker_height, box));
    auto& holder = editor.add<forms::PictureBox>(p.holder, arrow_left, 0, picker_height, picker_height, box);
    auto& arrow = toolkit::stretched(
        editor.add<forms::Image>(p.arrow, 0, 0, picker_height, 2 * picker_height, &holder));
    toolkit::attach_pressed_image(arrow, arrow);
    arrow.on_click = [&editor, p] { open_picker(editor, p); };
    if (p.opens_on_click)
        click.on_click = [&editor, p] { open_picker(editor, p); };
    else
        click.on_mouse_down = [&editor, p](const forms::MouseEvent&) { open_picker(editor, p); };
}

void open_picker(PluginEditor& editor, const PickerBox& p) {
    const SlotDesign& s = slot_design(editor, p.slot);
    auto* box = editor.find(s.box);
    auto* arrow = dynamic_cast<forms::Image*>(editor.find(p.arrow));
    if (!box || !arrow) return;
    toolkit::show_released(*arrow);
    auto& popup = toolkit::form<popup_form>();
    const float box_left = box->left() + editor.left();
    const float box_top = box->top() + editor.top();
    popup.set_left(box_left);
    popup.set_top(box_top + box->height() - overlap);
    popup.serve(editor, p.slot);
    editor.fill_list(p.slot);
    popup.resize_list(s.locator_code);
    // A list that would run past the bottom of the box's screen opens above the box instead, its
    // bottom edge on the box's top edge; opening keeps it on the screen either way.
    const forms::ScreenArea screen = forms::screen_showing(box_left, box_top, box->width(), box->height());
    const float above = box_top + overlap - popup.height();
    if (popup.top() + popup.height() > screen.top + screen.height && above >= screen.top)
        popup.set_top(above);
    popup.search_for_name(editor.name_label(p.slot).caption());
    popup.show_modal(editor);
}

}  // namespace kv::plugins
