#pragma once
// The options window. Between reading and writing the settings its controls hold three of them:
// the language's name (Label21), the font (Label31: its name, shown in that font) and the custom Misc
// picture's path (Text3). Check and radio marks keep their state in their picture's position alone;
// nothing reaches the main window before OK or Apply.
#include <array>
#include <cstdint>
#include <string>

#include "model/catalogue.h"
#include "toolkit/framed_form.h"
#include "toolkit/window_design.h"

namespace kv {

class options_form : public toolkit::FramedForm {
  public:
    options_form();

  private:
    toolkit::BuiltWindow design_;

  public:
    // Group headings, sized to their captions, and the lines that run from them to the right edge.
    forms::Label& Label1;  // "Launching options:"
    forms::Line& Line2;
    forms::Label& Label2;  // "Language:"
    forms::Line& Line3;
    forms::Label& Label30;  // "System font:"
    forms::Line& Line6;
    forms::Label& Label5;  // "Path override:"
    forms::Line& Line8;
    forms::Label& Label3;  // "Window opacity:"
    forms::Line& Line4;
    forms::Label& Label4;  // "Sections: "
    forms::Line& Line1;
    forms::Label& Label44;  // "Misc section: "
    forms::Line& Line7;

    forms::Label& Label21;  // the language's name
    forms::Label& Label31;  // the font's name, in that font
    forms::TextBox& Text3;  // the custom Misc picture's path

    // After running: 0 shut down, 1 minimise, 2 do nothing.
    std::array<forms::Image*, 3> option_box{};
    // 0 to 9 the sections, 10 the custom picture, 11 path override.
    std::array<forms::Image*, 12> section_checkbox{};
    // The section titles in section order (Label52, Label47 ... Label15).
    std::array<forms::Label*, model::section_count> section_titles{};

    // The rename box over a section title.
    forms::Frame& renamer;
    forms::TextBox& Text1;

    // The opacity slider: its track, the knob and its percentage.
    forms::Line& Line5;
    forms::PictureBox& Picture18;
    forms::Image& slider_button;
    forms::Label& Label26;

    forms::Label& Label50;  // the custom picture's browse button

    // The main window's section when the window opened.
    std::string current_section;
    // Which title the rename box edits, 1 (PSX) to 10 (Misc).
    int16_t renamed_section = 1;

    void get_section(const std::string& in_section);
    // Lays out the heading lines after their captions changed.
    void adjust_frames();
    void read_misc_state(bool m_state);
    void read_launcer_state(int16_t l_state);
    void read_sections();
    void show_hide_sections();

    // Handlers.
    void option_MouseDown(std::size_t i);
    void section_row_MouseDown(std::size_t i, const forms::MouseEvent& e);
    void Text1_MouseDown(const forms::MouseEvent& e);
    void Label6_MouseDown();
    void Label49_MouseDown();
    void Label50_Click();
    // The language "Change" and the font "Change": open their browsers modal over this window, the
    // font browser preset from Label31's font.
    void Label43_Click();
    void Label51_Click();
    void Label27_Click();  // OK
    void Label29_Click();  // Apply
    void Label28_Click();  // Cancel
    void Picture18_MouseDown(const forms::MouseEvent& e);
    void Picture18_MouseMove(const forms::MouseEvent& e);
    void Picture18_MouseUp();

  protected:
    void Form_Load() override;

  private:
    void apply_section_names();
    void select_first_section();
    int16_t count_sections() const;
    void apply_misc_image();
    void apply_launcher_state();
    void arrange_sections();
    void apply_options(bool closing);
    void set_misc_controls_enabled(bool enabled);
};

// Where the opacity slider's knob stands for a percentage, and the percentage it reads there.
float slider_left(int16_t percent);
int32_t slider_percent(float knob_left);

}  // namespace kv
