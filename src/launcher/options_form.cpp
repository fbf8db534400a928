#include "launcher/options_form.h"

#include <algorithm>
#include <span>
#include <variant>

#include "launcher/field_box.h"
#include "launcher/main_form.h"
#include "platform/folder.h"
#include "platform/picture.h"
#include "platform/runtime.h"
#include "toolkit/control_style.h"
#include "toolkit/show_opn.h"
#include "toolkit/two_state_mark.h"
#include "toolkit/windows.h"

namespace kv {

namespace {

using toolkit::CaptionDesign;
using toolkit::ControlDesign;
using toolkit::ControlLook;
using toolkit::ControlType;
using toolkit::OptionDesign;
using toolkit::PushButton;
using toolkit::WindowRow;

constexpr float pixel = forms::twips_per_pixel;
constexpr float line_end = 5520;
// A heading's line runs level with the middle of its caption.
constexpr float heading_to_line = 127;
// The knob runs from 120 (10 %) to 2385 (100 %), 25.166 twips a percent.
constexpr float knob_first = 120;
constexpr float knob_last = 2385;
constexpr double twips_per_percent = 25.166;

// A group heading sized to its caption, and its line level with the caption's middle, which
// adjust_frames starts after the caption.
constexpr CaptionDesign heading(const char* label, float top, const char* caption) {
    return {label, 120, top, 1500, caption, 255, toolkit::TextLook::auto_sized};
}
constexpr ControlDesign heading_line(const char* line, float heading_top) {
    const float y = heading_top + heading_to_line;
    return {ControlType::line, {line}, 0, y, line_end, y, ControlLook::blue_border};
}

constexpr WindowRow heading_rows[] = {
    heading("Label1", 480, "Launching options:"), heading_line("Line2", 480),
    heading("Label2", 2040, "Language:"),         heading_line("Line3", 2040),
    heading("Label30", 2760, "System font:"),     heading_line("Line6", 2760),
    heading("Label5", 3480, "Path override:"),    heading_line("Line8", 3480),
    heading("Label3", 4200, "Window opacity:"),   heading_line("Line4", 4200),
    heading("Label4", 4920, "Sections: "),        heading_line("Line1", 4920),
    heading("Label44", 6000, "Misc section: "),   heading_line("Line7", 6000),
};

// The "Change" buttons, the picture's browse button and the bottom row keep their pictures at the
// size a skin gives them.
constexpr PushButton button(const char* box, float left, float top, toolkit::ControlRef image,
                            const char* caption_label, const char* caption, const char* click) {
    return {box,
            left,
            top,
            image,
            {caption_label},
            caption,
            click,
            toolkit::button_width,
            toolkit::button_height,
            90,
            255,
            false};
}

// The two-state marks and their rows: the mark's holder, the mark, its caption and click label.
constexpr OptionDesign option_row(int i, float top, const char* caption_label, const char* caption,
                                  const char* click) {
    return {{"option_frame", i}, {"option_box", i}, 120, top, caption_label, caption, click, 5055, 5415};
}
constexpr OptionDesign check_row(int i, float left, float top, const char* caption_label, const char* caption,
                                 const char* click, float caption_width) {
    return {{"check_frame", i}, {"section_checkbox", i}, left, top, caption_label, caption, click,
            caption_width,      caption_width + 240};
}

// The ten section rows, five a line, in section order.
constexpr float section_title_width = 735;
constexpr WindowRow section_rows[] = {
    check_row(0, 120, 5280, "Label52", " PSX", "Label33", section_title_width),
    check_row(1, 1200, 5280, "Label47", " PS2", "Label34", section_title_width),
    check_row(2, 2280, 5280, "Label45", " NDS", "Label35", section_title_width),
    check_row(3, 3360, 5280, "Label8", " GB/GBA", "Label36", section_title_width),
    check_row(4, 4440, 5280, "Label9", " N64", "Label37", section_title_width),
    check_row(5, 120, 5640, "Label11", " DC", "Label38", section_title_width),
    check_row(6, 1200, 5640, "Label12", " GC", "Label39", section_title_width),
    check_row(7, 2280, 5640, "Label13", " Saturn", "Label40", section_title_width),
    check_row(8, 3360, 5640, "Label14", " S/NES", "Label41", section_title_width),
    check_row(9, 4440, 5640, "Label15", " Misc", "Label42", section_title_width),
};

constexpr WindowRow launching_rows[] = {
    option_row(0, 840, "Label16", " Shutdown Korvalin after running a selected emulator", "Label23"),
    option_row(1, 1200, "Label17", " Minimize Korvalin after running a selected emulator", "Label24"),
    option_row(2, 1560, "Label18", " Do nothing after running a selected emulator", "Label25"),
};

constexpr WindowRow language_and_font_rows[] = {
    CaptionDesign{"Label21", 120, 2400, 4455, "English"},
    button("Picture1", 4680, 2340, {"Image1"}, "Label22", "Change", "Label43"),
    CaptionDesign{"Label31", 120, 3120, 4455, "Microsoft Sans Serif"},
    button("Picture2", 4680, 3060, {"Image2"}, "Label32", "Change", "Label51"),
    check_row(11, 120, 3840, "Label7", " Enable path override", "Label6", 2175),
};

constexpr WindowRow opacity_rows[] = {
    // The slider's track, under the middle of the knob from its first to its last place.
    ControlDesign{ControlType::line, {"Line5"}, 120, 4747, 2520, 4747, ControlLook::blue_border},
    ControlDesign{ControlType::picture_box, {"Picture18"}, knob_last, 4560, 135, 375},
    // Disabled, so that presses reach the knob.
    ControlDesign{
        ControlType::image, {"slider_button"}, 0, 0, 270, 375, ControlLook::disabled, {"Picture18"}},
    CaptionDesign{"Label26", 2640, 4560, 735, "100%"},
};

constexpr WindowRow misc_rows[] = {
    check_row(10, 120, 6300, "Label48", " Enable custom image", "Label49", 2175),
    toolkit::FieldDesign{"Text3", "Shape1", 120, 6720, 5085, 255, toolkit::frame_blue, true},
    PushButton{"Picture3", 5160, 6720, {"Image3"}, {"Label46"}, "...", "Label50", 375, 255, -30, 255, false},
};

// The rename box, hidden until a middle click on a section title.
constexpr WindowRow renamer_rows[] = {
    ControlDesign{ControlType::frame, {"renamer"}, 0, 0, 735, 255, ControlLook::hidden},
    ControlDesign{
        ControlType::text_box, {"Text1"}, pixel, pixel, 700, 220, ControlLook::dark_box, {"renamer"}},
    ControlDesign{ControlType::shape, {"Shape2"}, 0, 0, 735, 255, ControlLook::blue_border, {"renamer"}},
};

constexpr WindowRow bottom_rows[] = {
    button("Picture4", 2760, 7080, {"buttons_image", 0}, "Label20", "Apply", "Label29"),
    button("Picture5", 3720, 7080, {"buttons_image", 1}, "Label19", "Cancel", "Label28"),
    button("Picture6", 4680, 7080, {"buttons_image", 2}, "Label10", "OK", "Label27"),
};

// The section switches of the main window, in section order.
constexpr std::array<void (Main_form::*)(), model::section_count> section_switches{
    &Main_form::load_psx_stuff, &Main_form::load_ps2_stuff,    &Main_form::load_nds_stuff,
    &Main_form::load_gba_stuff, &Main_form::load_n64_stuff,    &Main_form::load_dc_stuff,
    &Main_form::load_gc_stuff,  &Main_form::load_saturn_stuff, &Main_form::load_snes_stuff,
    &Main_form::load_misc_stuff};

constexpr auto checked = &toolkit::mark_on;
constexpr auto set_checked = &toolkit::set_mark;
}  // namespace

float slider_left(int16_t percent) {
    return static_cast<float>(percent * twips_per_percent - 131.66);
}

int32_t slider_percent(float knob_left) {
    const double percent = platform::round_half_even((knob_left - knob_first) / twips_per_percent) + 10;
    return static_cast<int32_t>(std::clamp(percent, 10.0, 100.0));
}

options_form::options_form()
    : toolkit::FramedForm("options_form", toolkit::FrameStyle{.design_title = "  Options  ",
                                                              .width = 5655,
                                                              .height = 7575,
                                                              .middle_follows_left = true,
                                                              .left_end_natural_size = true}),
      design_(*this, {heading_rows, launching_rows, language_and_font_rows, opacity_rows, section_rows,
                      misc_rows, renamer_rows, bottom_rows}),
      Label1(design_.get<forms::Label>("Label1")),
      Line2(design_.get<forms::Line>("Line2")),
      Label2(design_.get<forms::Label>("Label2")),
      Line3(design_.get<forms::Line>("Line3")),
      Label30(design_.get<forms::Label>("Label30")),
      Line6(design_.get<forms::Line>("Line6")),
      Label5(design_.get<forms::Label>("Label5")),
      Line8(design_.get<forms::Line>("Line8")),
      Label3(design_.get<forms::Label>("Label3")),
      Line4(design_.get<forms::Line>("Line4")),
      Label4(design_.get<forms::Label>("Label4")),
      Line1(design_.get<forms::Line>("Line1")),
      Label44(design_.get<forms::Label>("Label44")),
      Line7(design_.get<forms::Line>("Line7")),
      Label21(design_.get<forms::Label>("Label21")),
      Label31(design_.get<forms::Label>("Label31")),
      Text3(design_.get<forms::TextBox>("Text3")),
      renamer(design_.get<forms::Frame>("renamer")),
      Text1(design_.get<forms::TextBox>("Text1")),
      Line5(design_.get<forms::Line>("Line5")),
      Picture18(design_.get<forms::PictureBox>("Picture18")),
      slider_button(design_.get<forms::Image>("slider_button")),
      Label26(design_.get<forms::Label>("Label26")),
      Label50(design_.get<forms::Label>("Label50")) {
    // The rename box's text becomes a section title, one line of Config.ini.
    launcher::keep_out_line_breaks(Text1);

    for (std::size_t i = 0; i < option_box.size(); ++i) {
        option_box[i] = &design_.get<forms::Image>("option_box", static_cast<int>(i));
        design_.get<forms::Label>(std::get<OptionDesign>(launching_rows[i]).click_label).on_mouse_down =
            [this, i](const forms::MouseEvent&) { option_MouseDown(i); };
    }
    set_checked(*option_box[2], true);

    // Every section shows until the settings say otherwise; the custom picture and path override are off.
    for (std::size_t i = 0; i < section_checkbox.size(); ++i) {
        section_checkbox[i] = &design_.get<forms::Image>("section_checkbox", static_cast<int>(i));
        set_checked(*section_checkbox[i], i < model::section_count);
    }
    for (std::size_t i = 0; i < model::section_count; ++i) {
        const auto& row = std::get<OptionDesign>(section_rows[i]);
        section_titles[i] = &design_.get<forms::Label>(row.caption_label);
        design_.get<forms::Label>(row.click_label).on_mouse_down = [this, i](const forms::MouseEvent& e) {
            section_row_MouseDown(i, e);
        };
    }

    Text1.on_mouse_down = [this](const forms::MouseEvent& e) { Text1_MouseDown(e); };
    design_.get<forms::Label>("Label6").on_mouse_down = [this](const forms::MouseEvent&) {
        Label6_MouseDown();
    };
    design_.get<forms::Label>("Label49").on_mouse_down = [this](const forms::MouseEvent&) {
        Label49_MouseDown();
    };
    Label50.on_click = [this] { Label50_Click(); };
    design_.get<forms::Label>("Label27").on_click = [this] { Label27_Click(); };
    design_.get<forms::Label>("Label29").on_click = [this] { Label29_Click(); };
    design_.get<forms::Label>("Label28").on_click = [this] { Label28_Click(); };
    design_.get<forms::Label>("Label43").on_click = [this] { Label43_Click(); };
    design_.get<forms::Label>("Label51").on_click = [this] { Label51_Click(); };
    Picture18.on_mouse_down = [this](const forms::MouseEvent& e) { Picture18_MouseDown(e); };
    Picture18.on_mouse_move = [this](const forms::MouseEvent& e) { Picture18_MouseMove(e); };
    Picture18.on_mouse_up = [this](const forms::MouseEvent&) { Picture18_MouseUp(); };
    expose("current_section", [this] { return current_section; });
    expose("renamed_section", [this] { return std::to_string(renamed_section); });
    expose("drag_x", [this] { return std::to_string(drag_x); });
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
    for (std::size_t k = 0; k < model::section_count; ++k)
        set_checked(*section_checkbox[k], main.section_boxes[k]->visible());
}

void options_form::show_hide_sections() {
    auto& main = toolkit::form<Main_form>();
    for (std::size_t k = 0; k < model::section_count; ++k) main.section_boxes[k]->set_visible(true);
    for (std::size_t k = 0; k < model::section_count; ++k)
        if (!checked(*section_checkbox[k])) main.section_boxes[k]->set_visible(false);
    arrange_sections();
}

void options_form::arrange_sections() {
    float x = 120;
    for (forms::PictureBox* box : toolkit::form<Main_form>().section_boxes) {
        if (!box->visible()) continue;
        box->set_left(x);
        x += toolkit::button_width;
    }
}

// ---- Rows

void options_form::option_MouseDown(std::size_t i) {
    for (std::size_t k = 0; k < option_box.size(); ++k) set_checked(*option_box[k], k == i);
}

int16_t options_form::count_sections() const {
    return static_cast<int16_t>(std::count_if(section_checkbox.begin(),
                                              section_checkbox.begin() + model::section_count,
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
    const std::string result = toolkit::browse_for_file(*this, "Bitmap (*.bmp)", "*.bmp", "Browse",
                                                        platform::program_folder().string());
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
    platform::skip_failure([&] {
        const std::string& caption = Label26.caption();
        percent = platform::text_to_int32(caption.substr(0, caption.find('%')));
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
    platform::Picture picture;
    if (!Text3.text().empty())
        platform::skip_failure([&] { picture = platform::Picture::load(Text3.text()); });
    main.misc_image.set_picture(picture);
}

void options_form::select_first_section() {
    auto& main = toolkit::form<Main_form>();
    const auto current = model::section_index(current_section);
    if (current && main.section_boxes[*current]->visible()) return;
    for (std::size_t k = 0; k < model::section_count; ++k) {
        if (!main.section_boxes[k]->visible()) continue;
        (main.*section_switches[k])();
        return;
    }
}

void options_form::apply_section_names() {
    auto& main = toolkit::form<Main_form>();
    for (std::size_t k = 0; k < model::section_count; ++k) {
        const std::string& title = section_titles[k]->caption();
        main.section_label[k]->set_caption(title.empty() ? "" : title.substr(1));
    }
}

// ---- The opacity slider

void options_form::Picture18_MouseDown(const forms::MouseEvent& e) {
    slider_button.set_left(-135);
    drag_x = platform::to_int16(e.x);
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
