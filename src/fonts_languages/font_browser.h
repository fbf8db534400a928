#pragma once
// The font browser: the installed screen fonts in a seven-row list, a size box, bold and italic boxes,
// and Ok to apply the font to every window. Also the font applier (change_font), which the start-up
// calls as well.
#include <functional>
#include <string>

#include "toolkit/framed_form.h"
#include "toolkit/seven_row_list.h"
#include "toolkit/window_design.h"

namespace kv {

class font_browser : public toolkit::FramedForm {
  public:
    font_browser();

    // Bold and italic as chosen in the browser.
    bool font_itallic2 = false;
    bool font_bold2 = false;

    // Hands the name to font_named (the options window keeps it for the settings), then puts the font
    // onto every text control of every window, then tells font_applied (the options window moves its
    // frame lines). Each step that fails is skipped.
    void change_font(const std::string& font_name, const std::string& font_size, bool font_bold,
                     bool font_itallic);

    // Where the answer goes, set once by the program.
    static inline std::function<void(const std::string&)> font_named;
    static inline std::function<void()> font_applied;

    toolkit::SevenRowList list;

  private:
    toolkit::BuiltWindow design_;

  public:
    forms::Label& Label2;   // the picked font's name
    forms::TextBox& Text1;  // the size
    forms::ListBox& List1;  // every screen font, out of sight
    // The Bold and Italic boxes: their pictures (off, off pressed, on, on pressed) and click labels.
    forms::Image& Image3;
    forms::Label& Label10;
    forms::Image& Image4;
    forms::Label& Label9;
    forms::Label& Label5;   // Ok
    forms::Label& Label22;  // "Cancel"
    forms::Label& Label4;   // Cancel

    void Text1_Change();
    void Label5_Click();  // Ok
    void Label4_Click();  // Cancel

    // Shows the rest cell of a check box's state.
    static void show_check_state(forms::Image& image, bool on);

  protected:
    void Form_Load() override;

  private:
    toolkit::ListSource list_source();
    void load_font_list();
    void attach_check_box(forms::Label& mouse, forms::Image& image, bool& flag);
    // Set while the size box corrects its own text, so the correction does not check itself again.
    bool correcting_size_ = false;
};

}  // namespace kv
