#pragma once
// The skin browser: the entries of the Skins folder in a seven-row list, the selected skin's author,
// description and preview, and Ok to apply it to every window. Also the reader of a skin's settings
// file (load_colors), which the start-up calls as well.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/framed_form.h"
#include "toolkit/seven_row_list.h"
#include "toolkit/window_design.h"

namespace kv {

class skin_browser : public toolkit::FramedForm {
  public:
    skin_browser();

    // The number of the skin settings' line 13, kept for the skin's own use.
    int32_t list_selected = 0;

    // Applies the colours, outlines and title alignment of the skin's settings file.
    void load_colors(const std::string& skins_name);

    // Where the answer goes, set once by the program: Ok hands the chosen skin to load_chosen_skin,
    // which fails, changing nothing, for a skin that cannot be loaded whole; closing hands the mouse
    // wheel back through closed.
    static inline std::function<void(const std::string&)> load_chosen_skin;
    static inline std::function<void()> closed;

    // The skin names, in listing order, and the one the list selects.
    std::vector<std::string> skin_list;
    std::string selected_skin;

    toolkit::SevenRowList list;

  private:
    toolkit::BuiltWindow design_;

  public:
    forms::Image& Image1;         // the preview
    forms::Label& Label10;        // the description
    forms::Label& Label11;        // the author
    forms::Image& button_image1;  // Ok
    forms::Label& Label14;        // Ok
    forms::Label& Label15;        // Cancel

    void load_skin_list();
    // Shows the author, description and preview of the skin, or hides what its folder lacks.
    void show_skin_info(const std::string& skin_name);

    void Label14_Click();  // Ok
    void Label15_Click();  // Cancel

  protected:
    void Form_Load() override;

  private:
    toolkit::ListSource list_source();
    void close_browser();
};

}  // namespace kv
