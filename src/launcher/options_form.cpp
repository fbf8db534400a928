#include "launcher/options_form.h"

#include <algorithm>

#include "launcher/field_box.h"
#include "launcher/main_form.h"
#include "platform/folder.h"
#include "platform/picture.h"
#include "platform/runtime.h"
#include "toolkit/control_style.h"
#include "toolkit/pressed_image.h"
#include "toolkit/show_opn.h"
#include "toolkit/two_state_mark.h"
#include "toolkit/windows.h"

namespace kv {

namespace {

using toolkit::white;
constexpr forms::Color line_colour = toolkit::frame_blue;
constexpr float mark_size = 255;
constexpr float line_end = 5520;
constexpr float button_width = 855;
constexpr float button_height = 375;
// The knob runs from 120 (10 %) to 2385 (100 %), 25.166 twips a percent.
constexpr float knob_first = 120;
constexpr float knob_last = 2385;
constexpr double twips_per_percent = 25.166;

constexpr std::array<float, 5> row_lefts{120, 1200, 2280, 3360, 4440};
constexpr std::array<const char*, section_count> title_names{"Label52", "Label47", "Label45", "Label8",
                                                             "Label9",  "Label11", "Label12", "Label13",
                                                             "Label14", "Label15"};
constexpr std::array<const char*, section_count> design_titles{" PSX", " PS2", " NDS",    " GB/GBA", " N64",
                                                               " DC",  " GC",  " Saturn", " S/NES",  " Misc"};
constexpr std::array<const char*, 3> option_captions{" Shutdown Korvalin after running a selected emulator",
                                                     " Minimize Korvalin after running a selected emulator",
                                                     " Do nothing after running a selected emulator"};
// The section switches of the main window, in section order.
constexpr std::array<void (Main_form::*)(), section_count> section_switches{
    &Main_form::load_psx_stuff, &Main_form::load_ps2_stuff,    &Main_form::load_nds_stuff,
    &Main_form::load_gba_stuff, &Main_form::load_n64_stuff,    &Main_form::load_dc_stuff,
    &Main_form::load_gc_stuff,  &Main_form::load_saturn_stuff, &Main_form::load_snes_stuff,
    &Main_form::load_misc_stuff};

constexpr auto text = &toolkit::white_text;

forms::Label& heading(forms::Label& label, const std::string& caption) {
    label.set_auto_size(true);
    return text(label, caption);
}

constexpr auto centred = &toolkit::centred_text;

using toolkit::click_label;

forms::Line& line(forms::Line& l, float y) {
    l.set_border_color(line_colour);
    l.set_points(0, y, line_end, y);
    return l;
}

// The opacity slider's track, under the middle of the knob from its first to its last place.
forms::Line& track(forms::Line& l) {
    l.set_border_color(line_colour);
    l.set_points(120, 4747, 2520, 4747);
    return l;
}

constexpr auto checked = &toolkit::mark_on;
constexpr auto set_checked = &toolkit::set_mark;
}  // namespace

float slider_left(int16_t percent) {
    return static_cast<float>(percent * twips_per_percent - 131.66);
}

int32_t slider_percent(float knob_left) {
    const double percent = round_half_even((knob_left - knob_first) / twips_per_percent) + 10;
    return static_cast<int32_t>(std::clamp(percent, 10.0, 100.0));
}

options_form::options_form()
    : toolkit::FramedForm("options_form", toolkit::FrameStyle{.design_title = "  Options  ",
                                                              .width = 5655,
                                                              .height = 7575,
                                                              .middle_follows_left = true,
                                                              .left_end_natural_size = true}),
      Label1(heading(add<forms::Label>("Label1", 120, 480, 1500, 255), "Launching options:")),
      Line2(line(add<forms::Line>("Line2", 0, 0, 0, 0), 607)),
      Label2(heading(add<forms::Label>("Label2", 120, 2040, 1500, 255), "Language:")),
      Line3(line(add<forms::Line>("Line3", 0, 0, 0, 0), 2167)),
      Label30(heading(add<forms::Label>("Label30", 120, 2760, 1500, 255), "System font:")),
      Line6(line(add<forms::Line>("Line6", 0, 0, 0, 0), 2887)),
      Label5(heading(add<forms::Label>("Label5", 120, 3480, 1500, 255), "Path override:")),
      Line8(line(add<forms::Line>("Line8", 0, 0, 0, 0), 3607)),
      Label3(heading(add<forms::Label>("Label3", 120, 4200, 1500, 255), "Window opacity:")),
      Line4(line(add<forms::Line>("Line4", 0, 0, 0, 0), 4327)),
      Label4(heading(add<forms::Label>("Label4", 120, 4920, 1500, 255), "Sections: ")),
      Line1(line(add<forms::Line>("Line1", 0, 0, 0, 0), 5047)),
      Label44(heading(add<forms::Label>("Label44", 120, 6000, 1500, 255), "Misc section: ")),
      Line7(line(add<forms::Line>("Line7", 0, 0, 0, 0), 6127)),
      Label21(text(add<forms::Label>("Label21", 120, 2400, 4455, 255), "English")),
      Label31(text(add<forms::Label>("Label31", 120, 3120, 4455, 255), "Microsoft Sans Serif")),
      Text3(add<forms::TextBox>("Text3", 135, 6735, 5055, 225)),
      Label7(text(add<forms::Label>("Label7", 360, 3870, 2175, 255), " Enable path override")),
      Label6(click_label(add<forms::Label>("Label6", 120, 3840, 2415, 255))),
      Label48(text(add<forms::Label>("Label48", 360, 6330, 2175, 255), " Enable custom image")),
      Label49(click_label(add<forms::Label>("Label49", 120, 6300, 2415, 255))),
      renamer(add<forms::Frame>("renamer", 0, 0, 735, 255)),
      Text1(add<forms::TextBox>("Text1", 15, 15, 700, 220, &renamer)),
      Line5(track(add<forms::Line>("Line5", 0, 0, 0, 0))),
      Picture18(add<forms::PictureBox>("Picture18", knob_last, 4560, 135, 375)),
      slider_button(add<forms::Image>("slider_button", 0, 0, 270, 375, &Picture18)),
      Label26(text(add<forms::Label>("Label26", 2640, 4560, 735, 255), "100%")),
      Picture1(add<forms::PictureBox>("Picture1", 4680, 2340, button_width, button_height)),
      Image1(add<forms::Image>("Image1", 0, 0, button_width, 2 * button_height, &Picture1)),
      Label22(centred(add<forms::Label>("Label22", 0, 90, button_width, 255, &Picture1), "Change")),
      Label43(click_label(add<forms::Label>("Label43", 0, 0, button_width, button_height, &Picture1))),
      Picture2(add<forms::PictureBox>("Picture2", 4680, 3060, button_width, button_height)),
      Image2(add<forms::Image>("Image2", 0, 0, button_width, 2 * button_height, &Picture2)),
      Label32(centred(add<forms::Label>("Label32", 0, 90, button_width, 255, &Picture2), "Change")),
      Label51(click_label(add<forms::Label>("Label51", 0, 0, button_width, button_height, &Picture2))),
      Picture3(add<forms::PictureBox>("Picture3", 5160, 6720, 375, 255)),
      Image3(add<forms::Image>("Image3", 0, 0, 375, 510, &Picture3)),
      Label46(centred(add<forms::Label>("Label46", 0, -30, 375, 255, &Picture3), "...")),
      Label50(click_label(add<forms::Label>("Label50", 0, 0, 375, 255, &Picture3))),
      Picture4(button_box("Picture4", 2760, 0)),
      Label20(centred(add<forms::Label>("Label20", 0, 90, button_width, 255, &Picture4), "Apply")),
      Label29(click_label(add<forms::Label>("Label29", 0, 0, button_width, button_height, &Picture4))),
      Picture5(button_box("Picture5", 3720, 1)),
      Label19(centred(add<forms::Label>("Label19", 0, 90, button_width, 255, &Picture5), "Cancel")),
      Label28(click_label(add<forms::Label>("Label28", 0, 0, button_width, button_height, &Picture5))),
      Picture6(button_box("Picture6", 4680, 2)),
      Label10(centred(add<forms::Label>("Label10", 0, 90, button_width, 255, &Picture6), "OK")),
      Label27(click_label(add<forms::Label>("Label27", 0, 0, button_width, button_height, &Picture6))) {
    Text3.set_locked(true);
    Text3.set_border(false);
    Text3.set_back_color(0);
    Text3.set_fore_color(white);
    add<forms::Shape>("Shape1", 120, 6720, 5085, 255).set_border_color(line_colour);
    Text1.set_back_color(0);
    Text1.set_fore_color(white);
    Text1.set_border(false);
    // The rename box's text becomes a section title, one line of Config.ini.
    keep_out_line_breaks(Text1);
    add<forms::Shape>("Shape2", 0, 0, 735, 255, &renamer).set_border_color(line_colour);
    renamer.set_visible(false);
    slider_button.set_enabled(false);  // so that presses reach the knob

    // The radio marks and their rows.
    constexpr std::array<float, 3> option_tops{840, 1200, 1560};
    for (std::size_t i = 0; i < option_box.size(); ++i) {
        const int index = static_cast<int>(i);
        auto& frame =
            add<forms::PictureBox>("option_frame", 120, option_tops[i], mark_size, mark_size, nullptr, index);
        option_box[i] = &add<forms::Image>("option_box", 0, 0, mark_size, 2 * mark_size, &frame, index);
        option_titles[i] =
            &text(add<forms::Label>("Label" + std::to_string(16 + i), 360, option_tops[i] + 30, 5055, 255),
                  option_captions[i]);
        option_click[i] =
            &click_label(add<forms::Label>("Label" + std::to_string(23 + i), 120, option_tops[i], 5415, 255));
        option_click[i]->on_mouse_down = [this, i](const forms::MouseEvent&) { option_MouseDown(i); };
    }
    set_checked(*option_box[2], true);

    // The check marks: the ten section rows, then the custom picture and path override.
    for (std::size_t i = 0; i < section_checkbox.size(); ++i) {
        const int index = static_cast<int>(i);
        float left = 120;
        float top = i == 10 ? 6300 : 3840;
        if (i < section_count) {
            left = row_lefts[i % 5];
            top = i < 5 ? 5280 : 5640;
        }
        auto& frame = add<forms::PictureBox>("check_frame", left, top, mark_size, mark_size, nullptr, index);
        section_checkbox[i] =
            &add<forms::Image>("section_checkbox", 0, 0, mark_size, 2 * mark_size, &frame, index);
        set_checked(*section_checkbox[i], i < section_count);
        if (i >= section_count) continue;
        section_titles[i] =
            &text(add<forms::Label>(title_names[i], left + 240, top + 30, 735, 255), design_titles[i]);
        section_click[i] =
            &click_label(add<forms::Label>("Label" + std::to_string(33 + i), left, top, 975, 255));
        section_click[i]->on_mouse_down = [this, i](const forms::MouseEvent& e) {
            section_row_MouseDown(i, e);
        };
    }

    Text1.on_mouse_down = [this](const forms::MouseEvent& e) { Text1_MouseDown(e); };
    Label6.on_mouse_down = [this](const forms::MouseEvent&) { Label6_MouseDown(); };
    Label49.on_mouse_down = [this](const forms::MouseEvent&) { Label49_MouseDown(); };
    Label50.on_click = [this] { Label50_Click(); };
    Label27.on_click = [this] { Label27_Click(); };
    Label29.on_click = [this] { Label29_Click(); };
    Label28.on_click = [this] { Label28_Click(); };
    toolkit::attach_pressed_image(Label29, *buttons_image[0]);
    toolkit::attach_pressed_image(Label28, *buttons_image[1]);
    toolkit::attach_pressed_image(Label27, *buttons_image[2]);
    toolkit::attach_pressed_image(Label43, Image1);
    toolkit::attach_pressed_image(Label51, Image2);
    Label43.on_click = [this] { Label43_Click(); };
    Label51.on_click = [this] { Label51_Click(); };
    toolkit::attach_pressed_image(Label50, Image3);
    Picture18.on_mouse_down = [this](const forms::MouseEvent& e) { Picture18_MouseDown(e); };
    Picture18.on_mouse_move = [this](const forms::MouseEvent& e) { Picture18_MouseMove(e); };
    Picture18.on_mouse_up = [this](const forms::MouseEvent&) { Picture18_MouseUp(); };
    expose("current_section", [this] { return current_section; });
    expose("renamed_section", [this] { return std::to_string(renamed_section); });
    expose("drag_x", [this] { return std::to_string(drag_x); });
}

forms::PictureBox& options_form::button_box(const std::string& box_name, float left, std::size_t i) {
    auto& box = add<forms::PictureBox>(box_name, left, 7080, button_width, button_height);
    buttons_image.at(i) =
        &add<forms::Image>("buttons_image", 0, 0, button_width, 2 * button_height, &box, static_cast<int>(i));
    return box;
}

void options_form::Form_Load() {
    adjust_frames();
    arrange_frame();
}

// ---- What the opener and the font and language functions call

void options_form::get_section(const std::string& in_section) {
    current_section = in_section;
}

void options_form::adjust_frames() {
    const std::array<std::pair<forms::Label*, forms::Line*>, 7> groups{{{&Label1, &Line2},
                                                                        {&Label2, &Line3},
                                                                        {&Label30, &Line6},
                                                                        {&Label3, &Line4},
                                                                        {&Label4, &Line1},
                                                                        {&Label44, &Line7},
                                                                        {&Label5, &Line8}}};
    for (auto [label, rule] : groups)
        rule->set_points(label->left() + label->width() + 90, rule->y1(), rule->x2(), rule->y2());
}

void options_form::read_misc_state(bool m_state) {
    set_checked(*section_checkbox[10], false);
    set_misc_controls_enabled(true);
    if (m_state) {
        set_checked(*section_checkbox[10], true);
    } else {
        Text3.set_text("");
        set_misc_controls_enabled(false);
    }
}

void options_form::read_launcer_state(int16_t l_state) {
    for (forms::Image* mark : option_box) set_checked(*mark, false);
    if (l_state == 0) set_checked(*option_box[2], true);
    if (l_state == 1) set_checked(*option_box[0], true);
    if (l_state == 2) set_checked(*option_box[1], true);
}

void options_form::read_sections() {
    auto& main = toolkit::form<Main_form>();
    for (std::size_t k = 0; k < section_count; ++k)
        set_checked(*section_checkbox[k], main.section_boxes[k]->visible());
}

void options_form::show_hide_sections() {
    auto& main = toolkit::form<Main_form>();
    for (std::size_t k = 0; k < section_count; ++k) main.section_boxes[k]->set_visible(true);
    for (std::size_t k = 0; k < section_count; ++k)
        if (!checked(*section_checkbox[k])) main.section_boxes[k]->set_visible(false);
    arrange_sections();
}

void options_form::arrange_sections() {
    float x = 120;
    for (forms::PictureBox* box : toolkit::form<Main_form>().section_boxes) {
        if (!box->visible()) continue;
        box->set_left(x);
        x += button_width;
    }
}

// ---- Rows

void options_form::option_MouseDown(std::size_t i) {
    for (std::size_t k = 0; k < option_box.size(); ++k) set_checked(*option_box[k], k == i);
}

int16_t options_form::count_sections() const {
    return static_cast<int16_t>(std::count_if(section_checkbox.begin(),
                                              section_checkbox.begin() + section_count,
                                              [](const forms::Image* mark) { return checked(*mark); }));
}

void options_form::section_row_MouseDown(std::size_t i, const forms::MouseEvent& e) {
    if (e.button != forms::middle_button) {
        forms::Image& mark = *section_checkbox[i];
        // The last shown section stays: the main window always shows one.
        if (checked(mark)) {
            if (count_sections() != 1) set_checked(mark, false);
        } else {
            set_checked(mark, true);
        }
        return;
    }
    if (renamer.visible()) return;
    const forms::Label& title = *section_titles[i];
    renamer.set_left(title.left() + 30);
    renamer.set_top(title.top() - 15);
    Text1.set_text(title.caption().empty() ? "" : title.caption().substr(1));
    renamed_section = static_cast<int16_t>(i + 1);
    renamer.set_visible(true);
}

void options_form::Text1_MouseDown(const forms::MouseEvent& e) {
    if (e.button != forms::middle_button) return;
    section_titles.at(static_cast<std::size_t>(renamed_section - 1))->set_caption(" " + Text1.text());
    Text1.set_text("");
    renamer.set_visible(false);
}

void options_form::Label6_MouseDown() {
    set_checked(*section_checkbox[11], !checked(*section_checkbox[11]));
}

void options_form::Label49_MouseDown() {
    const bool on = !checked(*section_checkbox[10]);
    set_checked(*section_checkbox[10], on);
    set_misc_controls_enabled(on);
}

void options_form::set_misc_controls_enabled(bool enabled) {
    Text3.set_enabled(enabled);
    Label50.set_enabled(enabled);
}

void options_form::Label50_Click() {
    const std::string result =
        toolkit::browse_for_file(*this, "Bitmap (*.bmp)", "*.bmp", "Browse", program_folder().string());
    if (result == "cancel") return;
    const auto bar = result.find('|');
    Text3.set_text(result.substr(0, bar) + result.substr(bar + 1));
}

// ---- OK, Apply, Cancel

void options_form::Label27_Click() {
    renamer.set_visible(false);
    apply_options(true);
}

void options_form::Label29_Click() {
    apply_options(false);
}

void options_form::Label28_Click() {
    renamer.set_visible(false);
    toolkit::form<Main_form>().emulator_list.scroll_event.set_enabled(true);
    hide();
}

void options_form::apply_options(bool closing) {
    auto& main = toolkit::form<Main_form>();
    show_hide_sections();
    apply_launcher_state();
    apply_misc_image();
    select_first_section();
    main.path_override = checked(*section_checkbox[11]);
    if (current_section == "Misc") main.load_misc_stuff();
    if (closing) {
        main.emulator_list.scroll_event.set_enabled(true);
        hide();
    }
    int32_t percent = slider_percent(Picture18.left());
    skip_failure([&] {
        const std::string& caption = Label26.caption();
        percent = text_to_int32(caption.substr(0, caption.find('%')));
    });
    main.make_forms_transparent(percent);
    apply_section_names();
}

void options_form::apply_launcher_state() {
    auto& main = toolkit::form<Main_form>();
    if (checked(*option_box[0])) main.set_launcher_state(1);
    if (checked(*option_box[1])) main.set_launcher_state(2);
    if (checked(*option_box[2])) main.set_launcher_state(0);
}

void options_form::apply_misc_image() {
    auto& main = toolkit::form<Main_form>();
    const bool on = checked(*section_checkbox[10]);
    main.set_hide_misc_image(on);
    if (!on) return;
    // A path that names no readable picture leaves the panel without one, as an empty path does.
    Picture picture;
    if (!Text3.text().empty()) skip_failure([&] { picture = Picture::load(Text3.text()); });
    main.misc_image.set_picture(picture);
}

void options_form::select_first_section() {
    auto& main = toolkit::form<Main_form>();
    const auto current = section_index(current_section);
    if (current && main.section_boxes[*current]->visible()) return;
    for (std::size_t k = 0; k < section_count; ++k) {
        if (!main.section_boxes[k]->visible()) continue;
        (main.*section_switches[k])();
        return;
    }
}

void options_form::apply_section_names() {
    auto& main = toolkit::form<Main_form>();
    for (std::size_t k = 0; k < section_count; ++k) {
        const std::string& title = section_titles[k]->caption();
        main.section_label[k]->set_caption(title.empty() ? "" : title.substr(1));
    }
}

// ---- The opacity slider

void options_form::Picture18_MouseDown(const forms::MouseEvent& e) {
    slider_button.set_left(-135);
    drag_x = to_int16(e.x);
}

void options_form::Picture18_MouseUp() {
    slider_button.set_left(0);
}

void options_form::Picture18_MouseMove(const forms::MouseEvent& e) {
    const float knob = Picture18.left();
    // The caption reads where the knob stood before this move; the next move catches it up.
    Label26.set_caption(std::to_string(slider_percent(knob)) + "%");
    const bool dragging = e.button == forms::left_button;
    const float moved = e.x - drag_x;
    float left = knob;
    if (knob < 121) {
        left = knob_first;
        if (dragging && e.x > drag_x) left = knob_first + moved;
    } else if (knob <= 2384) {
        if (dragging) left = knob + moved;
    } else {
        left = knob_last;
        if (dragging && e.x < drag_x) left = knob_last + moved;
    }
    // The knob stays on its track, so the caption and the opacity it applies stay within 10 to 100.
    left = std::clamp(left, knob_first, knob_last);
    Picture18.set_left(left);
}

}  // namespace kv
