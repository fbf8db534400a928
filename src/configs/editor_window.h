#pragma once
// What the four emulator editors share, built from one design table per editor: the skinned window,
// its captions, the locked path boxes in their frames with browse buttons, the option boxes, the
// pickers, the plug-in buttons, and the Ok button that saves, exports the profile's files, gives the
// configs window back its mouse wheel and hides the editor.
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "configs/plugin_slots.h"
#include "configs/registry_settings.h"
#include "plugins/picker_box.h"
#include "plugins/plugin_buttons.h"
#include "plugins/plugin_editor.h"
#include "toolkit/push_button.h"
#include "toolkit/window_design.h"

namespace kv::configs {

using toolkit::CaptionDesign;
using toolkit::FieldDesign;
using toolkit::OptionDesign;

// A locked box only a browse button fills, in a white frame.
constexpr FieldDesign path_field(const char* text_box, const char* shape, float left, float top,
                                 float width) {
    return {text_box, shape, left, top, width, 255, toolkit::white, true};
}

struct BrowseDesign {
    toolkit::PushButton button;
    const char* text_box;
    const char* filter_description;
    const char* filter_pattern;
};

// One element of the image array `checkboxes` in a holder of its own, its caption at its right and a
// click label over both; a long caption breaks into two lines of caption_height.
constexpr OptionDesign editor_option(int element, const char* holder, float left, float top,
                                     const char* caption_label, const char* caption, const char* click_label,
                                     float caption_width = 1440, float caption_height = 255) {
    return {{holder},
            {"checkboxes", element},
            left,
            top,
            caption_label,
            caption,
            click_label,
            caption_width,
            toolkit::mark_size + caption_width,
            caption_height,
            toolkit::mark_size,
            15,
            true};
}

// A profile file Ok writes: Configurations/<emulator>/<folder>/<profile>.reg holds the key.
struct ExportDesign {
    const char* folder;
    const char* key;
};

struct EditorDesign {
    const char* window;
    const char* emulator;
    toolkit::FrameStyle frame;
    std::span<const CaptionDesign> captions;
    std::span<const FieldDesign> path_fields;
    std::span<const BrowseDesign> browses;
    std::span<const OptionDesign> options;
    std::span<const plugins::PickerBox> pickers;
    plugins::EditorKind kind;
    toolkit::PushButton ok;
    std::span<const ExportDesign> exports;
    // The emulator's settings as registry values (ending with a backslash); none for SSSPSX.
    const char* registry_key = nullptr;
    std::span<const RegistryRow> values;
};

// Whether a profile name can name a file in the profile folders: not empty, no folder separator or
// NUL, not "." or "..".
bool safe_profile_name(const std::string& name);

// A folder of the emulator's own under its folder `emu_path` (ending with '/'), found as the program
// finds every name it gives, and ending with '/'. Another `emu_path` is joined to the name as it is.
// A name there in several letter cases and none as written is not guessed: the folder as written,
// which is not there and lists nothing, and why into `problems`.
std::string emulator_own_folder(const std::string& emu_path, const char* name,
                                std::vector<std::string>& problems);

class EditorWindow : public plugins::PluginEditor, public PluginSlots {
  public:
    EditorWindow(const EditorDesign& design, const plugins::EditorTable& table);

    // The profile being edited; it names the files Ok writes.
    std::string profile_name;
    // Where settings are read, written and exported; tests put a store of their own here.
    RegistryAccess registry;
    // What opening could not read because one of the emulator's names is there in several letter
    // cases; the configs window tells it before the editor shows, and empties it for each opening.
    std::vector<std::string> opening_problems;

    // Opens the editor on an emulator folder (ending with '/') and a profile: lists the plug-ins of
    // its plugins folder and loads the stored settings. The configs window then shows it.
    virtual void get_emulator_path(const std::string& emu_path, const std::string& emu_profile);
    // The registry values of the design, into the controls and back. Saving answers one line for each
    // thing it could not write, naming it and why.
    virtual void load_settings();
    virtual std::vector<std::string> save_settings();

    // Ok: save, export, the configs window's wheel on, hide. Nothing is checked first; what could not
    // be saved or exported is told in one message before the editor closes.
    void ok_click();
    // A browse button: the chosen file's full path into its box; a cancelled dialog changes nothing.
    void browse_click(const BrowseDesign& browse);

    // The path of one profile file of this editor's emulator.
    std::filesystem::path profile_file(const char* folder) const;

    const std::vector<std::string>& slot_entries(int slot) override { return slot_list(slot); }
    forms::Label& slot_label(int slot) override { return name_label(slot); }
    std::string& slot_choice(int slot) override { return selected_plugin.at(static_cast<size_t>(slot)); }

  protected:
    void Form_Load() override;

  private:
    const EditorDesign& design_;
};

}  // namespace kv::configs
