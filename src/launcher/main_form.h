#pragma once
// The main window: the launcher itself. Its load handler is the program's start-up; its close image
// saves and ends the program.
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/catalogue.h"
#include "model/settings_file.h"
#include "platform/instance.h"
#include "toolkit/framed_form.h"
#include "toolkit/seven_row_list.h"
#include "toolkit/window_design.h"

namespace kv {

// Where the catalogue and the settings are: in the program folder, their names found ignoring case.
// Fail (platform::AmbiguousName) when several files have the name in other letter cases.
std::filesystem::path database_path();
std::filesystem::path settings_path();

class Main_form : public toolkit::FramedForm {
  public:
    Main_form();

    // ---- State

    // The ten section lists, the about and switch records: the catalogue of Data.kvl.
    model::Catalogue catalogue;
    // Read by the configs window to find the folders of the PlayStation emulators.
    std::vector<std::string>& PSX_emu = catalogue.PSX_emu;
    // The names of the current section's emulators, position for position as its list.
    std::vector<std::string> display_list;
    // Where an edit rebuilds the current section's list.
    std::vector<std::string> edit_list;
    std::string selected_emulator;
    std::string current_section = "PSX";
    std::string current_skin = "Midnight";
    bool path_override = false;
    // After a run: 0 stay, 1 save and end, 2 minimise.
    int16_t launcher_state = 0;
    bool misc_image_enabled = false;
    // Window opacity in per cent, 10 to 100.
    int16_t opacity = 100;

    // ---- Controls (the emulator list's own controls belong to `emulator_list`)

  private:
    // The window buttons and panels, built before the emulator list.
    toolkit::BuiltWindow design_;

  public:
    forms::PictureBox& Picture11;  // close
    forms::Image& X_image;
    forms::PictureBox& Picture12;  // minimise
    forms::Image& Min_image;
    forms::PictureBox& Picture13;  // hide to the screen edge
    forms::Image& hide_image;

    forms::Image& section_background;
    // Section buttons in section order: box, sprite, title, click label.
    std::array<forms::PictureBox*, model::section_count> section_boxes{};
    std::array<forms::Image*, model::section_count> upper_section{};
    std::array<forms::Label*, model::section_count> section_label{};
    std::array<forms::Label*, model::section_count> section_click_labels{};

    forms::PictureBox& Picture14;  // "Platform" header
    forms::Image& platform_preview;
    forms::Label& platform_preview_label;
    forms::PictureBox& Picture17;  // platform panel
    forms::Image& platform_image;
    forms::PictureBox& Picture32;
    forms::Image& platforms_image;
    forms::Image& misc_image;

    forms::PictureBox& Picture21;  // "Emulators" header
    forms::Image& emu_list_image;
    forms::Label& emulators_label;

    forms::PictureBox& Picture15;  // "About emulator" header
    forms::Image& about_emu;
    forms::Label& Label2;
    forms::PictureBox& Picture18;  // about text
    forms::Image& about_image;
    forms::Label& about_txt;

    forms::PictureBox& Picture19;  // "Switches" header
    forms::Image& about_emu2;
    forms::Label& Label1;
    forms::Label& switches_number;
    forms::PictureBox& Picture20;  // switch buttons
    forms::Image& about2_image;
    std::array<forms::Label*, 5> switch_buttons{};  // Label13 .. Label17

    // Command bar, index 0 to 9: box, sprite, caption, click label (Label19 .. Label28).
    std::array<forms::PictureBox*, 10> command_boxes{};
    std::array<forms::Image*, 10> down_section{};
    std::array<forms::Label*, 10> down_section_label{};
    std::array<forms::Label*, 10> command_click_labels{};

    forms::Timer& Timer1;  // slide out when hiding

    // The seven-row list of the current section's emulator names.
    toolkit::SevenRowList emulator_list;

  private:
    // The section buttons, the switch buttons and the command bar, built after the emulator list.
    toolkit::BuiltWindow bar_design_;

  public:
    // ---- Public operations

    void make_forms_transparent(int32_t& opacity_percantage);
    // Tells what start-up left unread because its name was there in several letter cases; the
    // program calls it once the window shows.
    void tell_start_up_problems();
    void set_launcher_state(int16_t l_state);
    void set_hide_misc_image(bool m_state);
    void load_skin(const std::string& skin_name);

    // Catalogue.
    void add_new_emulator(const std::string& emulator_name, const std::string& about_em);
    void delete_emu();
    void edit_collection(const std::string& emulator_name, const std::string& about_em);
    void load_section_list(const std::string& section);
    void show_emulator_about();
    void load_database();
    // Writes Data.kvl; fails (kv::Failure, naming the file and why) when it cannot. A file that was
    // there but could not be read at start is kept as it is, unwritten, and that fails too: the
    // changes of the session are not in it.
    void save_database();

    // Sections.
    void load_psx_stuff();
    void load_ps2_stuff();
    void load_nds_stuff();
    void load_gba_stuff();
    void load_n64_stuff();
    void load_dc_stuff();
    void load_gc_stuff();
    void load_saturn_stuff();
    void load_snes_stuff();
    void load_misc_stuff();

    // Running the selected emulator: "_disabled_" plainly, "_browse_" its folder in the file manager,
    // or a blank and a switch appended to its command line. After a start, `launcher_state` 1 closes
    // the program (a slide to or from the screen edge ends first at the window's place), 2 minimises.
    void run_emulator(std::string param);

    // Switches (main_form_switches.cpp): the editor's and the edit dialog's ways back into the list.
    void Create_switch(const std::string& New_Switch);
    void add_edited_switch(const std::string& in_switch);

    // The command bar's dialogs (main_form_switches.cpp, main_form_dialogs.cpp). Each switches the
    // wheel polling off and shows its dialog modal over this window.
    void open_add_new();
    void open_edit_form();
    void open_switches_form();
    void open_options_form();
    // Shows the skin browser modal, with the wheel handed over to its list.
    void open_skin_browser();
    void open_help();
    // The configs window on its ePSXe tab, with its own wheel polling on.
    void open_configs_form();
    void copy_section_names();

    // Closing (the close button, the end after a run): saves Data.kvl and Config.ini and ends. When a
    // file cannot be written a message names it and why, and the window stays open; closing again
    // tries the save once more and then ends, saved or not. Ignored at the screen edge, since its
    // message could not be shown there.
    void close_program();
    // The session ends from outside (a signal, the display lost): first what Cancel would put back in
    // an open edit dialog or switches editor is put back, and a window hidden at the screen edge takes
    // the place it would slide back to; then both files are saved as the close saves them and the
    // program ends. Nobody is there to read a message, so none is shown.
    void end_session();

    // Whether the window slides out to the screen edge, stands hidden there or slides back. Then
    // nothing on it opens a dialog or a message box: one would stand alone, over no window, and keep
    // the strip from bringing the window back.
    bool at_screen_edge() const;

    // Window buttons.
    void X_image_Click();
    void Min_image_Click();
    void hide_image_Click();
    void Timer1_Timer();

    // Section buttons (k in section order) and command bar (index 0 to 9). The keyboard shortcuts
    // are the command bar's commands: Picture16_KeyPress runs them through command_Click.
    void section_Click(std::size_t k);
    void command_Click(std::size_t i);
    void Picture16_KeyPress(int16_t& key_ascii);

  protected:
    void Form_Load() override;

  private:
    void check_already_running();
    // The window takes the place it had before it was hidden, which the hide strip keeps.
    void take_place_before_hiding();
    // A slide out to the screen edge or back from it ends at once at that place.
    void stop_sliding_at_place();
    void read_config();
    // Moves the window the least so that its title bar shows whole on a screen; one that no screen
    // shows is centred on the primary screen.
    void keep_on_a_screen();
    // Writes Config.ini; fails (kv::Failure) as save_database does.
    void save_config();
    // Saves both files; answers one line for each that could not be written.
    std::vector<std::string> save_session();
    // Why a file that could not be read at start is not written: it keeps what the user had in it.
    static std::string kept_unread_text(const std::filesystem::path& file, const std::string& why);
    // Removes what writes killed halfway left: beside its own files, in the profile tree and beside the
    // SSSPSX.ini of each SSSPSX entry. A write under way keeps its temporary.
    void remove_stale_temporaries();
    void show_switches();
    void count_switches();
    std::optional<std::size_t> find_switch_record() const;
    void fill_switches_editor();
    void edit_emulator_switches();
    void edit_emulator_path();
    void wire_switch_buttons();
    void switch_button_Click(forms::Label& button);
    void remove_emulator_about();
    void remove_emulator_switches();
    void commit_edited_list();
    void switch_section(std::size_t k);
    void apply_section_flags(const std::vector<std::string>& flags);
    void load_misc_picture(const std::string& path);
    model::SettingsValues current_settings();
    void attach_buttons();
    toolkit::ListSource list_source();
    void expose_state();

    std::unique_ptr<platform::InstanceLock> instance_lock_;
    // Where the catalogue was read from and whether it may be written back.
    std::filesystem::path database_file_;
    model::CatalogueFile database_state_ = model::CatalogueFile::missing;
    std::string database_unreadable_why_;
    // The catalogue as start-up read it, to tell whether this run changed it.
    std::string database_as_read_;
    // Where the settings were read from; a file that is there but could not be read is not replaced.
    std::filesystem::path config_file_;
    std::optional<std::string> config_unreadable_why_;
    // The close has told the user that saving failed: the next close ends whatever happens.
    bool save_failure_told_ = false;
    // Files start-up did not read because their names were ambiguous, one line each.
    std::vector<std::string> start_up_problems_;
    // Runs a start-up step that fails quietly, as a skin that is not there does; one that fails on a
    // name in several letter cases is noted as a start-up problem, told as `what` and why. Answers
    // whether the step failed.
    bool start_up_step(const std::string& what, const std::function<void()>& step);
    // Looks up a file of the program's own by its name; one whose name is ambiguous is noted as a start-up
    // problem (saying what that means for `role`), its why kept in `why`, and answered as written.
    std::filesystem::path start_up_file(std::filesystem::path (*look_up)(), const char* name,
                                        const char* role, std::optional<std::string>& why);
};

}  // namespace kv
