#pragma once
// The configs window: the configuration profiles of the four PlayStation emulators under four tabs,
// with Add new, Configure, Activate, Delete and Ok.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/framed_form.h"
#include "toolkit/seven_row_list.h"
#include "toolkit/window_design.h"

namespace kv {

class configs_form : public toolkit::FramedForm {
  public:
    configs_form();

    // ---- State

    // The emulator whose profiles are listed: "ePSXe", "PSXeven", "PCSX" or "SSSPSX".
    std::string current_config;
    // Shown after the emulator's name when it is not in the PSX list, or its folder is unknown.
    std::string no_emulator_message;
    std::string no_path_message;
    // The profile names the list shows, and the selected one.
    std::vector<std::string> profile_list;
    std::string selected_profile;
    // The folder of the emulator last looked for in the PSX list; "Unknown" when none was usable.
    std::string emulator_folder;

    // Where the window reaches the launcher, set once by the program: the PSX records of the catalogue
    // (name|folder|...), in which Configure and Activate find the emulator, and Ok handing the mouse
    // wheel back.
    static inline std::function<const std::vector<std::string>&()> psx_records;
    static inline std::function<void()> closed;

    // ---- Controls

  private:
    // The tab page, built before the profile list.
    toolkit::BuiltWindow design_;

  public:
    forms::Image& tab_back;  // the tab page
    forms::Shape& Shape2;
    // Tabs in emulator order: box, picture (selected look above the unselected one), caption, click label.
    std::array<forms::PictureBox*, 4> tab_boxes{};
    std::array<forms::Image*, 4> tab_images{};        // tab_image1 .. tab_image4
    std::array<forms::Label*, 4> tab_captions{};      // Label10, Label2, Label3, Label4
    std::array<forms::Label*, 4> tab_click_labels{};  // Label5 .. Label8
    // Buttons by down_section_label index: 0 Ok, 1 Add new, 2 Delete, 3 Configure, 4 Activate.
    std::array<forms::Image*, 5>
        button_images{};  // Image1, button_image1, button_image3, button_image2, button_image4
    std::array<forms::Label*, 5> down_section_label{};
    std::array<forms::Label*, 5> button_click_labels{};  // Label1, Label9, Label11, Label12, Label13

    // The seven-row list of profile names; its wheel polling is `scroll_event`.
    toolkit::SevenRowList config_list;
    forms::Timer& scroll_event;

  private:
    // The tabs and the buttons, built after the profile list.
    toolkit::BuiltWindow tab_design_;

  public:
    // ---- Public operations

    // Back to the ePSXe tab with its profiles listed, before the window is shown.
    void load_defaut();
    // Lists the current emulator's profiles again (after a new one was made).
    void load_configs();
    // The folder of the first PSX emulator whose name begins with `emulator`, as Configure finds it:
    // nothing when there is none, "Unknown" when its folder is not one the program can use.
    std::optional<std::string> psx_emulator_folder(const std::string& emulator) const;

    // Handlers.
    void tab_MouseDown(std::size_t tab);
    void Label9_Click();   // Add new
    void Label12_Click();  // Configure
    void Label13_Click();  // Activate
    void Label11_Click();  // Delete
    void Label1_Click();   // Ok

  protected:
    void Form_Load() override;

  private:
    void reset_config_tabs();
    void scan_profiles();
    // Looks the emulator up in the main window's PSX list and sets emulator_folder.
    bool find_psx_emulator(const std::string& emulator);
    // Steps 1 to 4 of Configure and Activate: true when the profile may be activated.
    bool emulator_ready();
    void activate_profile();
    void show_message(const std::string& text);
    // No profile selected until the user picks one (after a delete).
    void clear_selection();
    toolkit::ListSource list_source();

    // False while no profile is selected: Delete, Configure and Activate then do nothing.
    bool profile_selected_ = false;
};

// The emulators of the four tabs, in tab order.
inline constexpr std::array<const char*, 4> psx_emulators = {"ePSXe", "PSXeven", "PCSX", "SSSPSX"};

}  // namespace kv
