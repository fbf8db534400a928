#include "configs/editor_window.h"

#include "configs/configs_form.h"
#include "configs/registry_settings.h"
#include "model/profile_store.h"
#include "platform/folder.h"
#include "platform/runtime.h"
#include "toolkit/control_style.h"
#include "toolkit/message_box.h"
#include "toolkit/show_opn.h"
#include "toolkit/two_state_mark.h"
#include "toolkit/windows.h"

namespace kv::configs {

namespace {

// "folder/|name": the name holds no '/', so the last "/|" separates them.
std::string chosen_path(const std::string& browse_result) {
    const auto at = browse_result.rfind("/|");
    if (at == std::string::npos) return browse_result;
    return browse_result.substr(0, at + 1) + browse_result.substr(at + 2);
}

}  // namespace

// Profile names come from the configs window, which refuses these; a name that slipped through must
// not write outside the profile folders. Every name the configs window lists is one: "" is ".reg".
bool safe_profile_name(const std::string& name) {
    return model::is_file_name(name);
}

std::string emulator_own_folder(const std::string& emu_path, const char* name,
                                std::vector<std::string>& problems) {
    if (!emu_path.empty() && emu_path.back() != '/') return emu_path + name + "/";
    try {
        return platform::find_named_path(emu_path, name).string() + "/";
    } catch (const platform::AmbiguousName& ambiguous) {
        problems.emplace_back(ambiguous.what());
        return emu_path + name + "/";
    }
}

EditorWindow::EditorWindow(const EditorDesign& design, const plugins::EditorTable& table)
    : plugins::PluginEditor(design.window, design.frame, table),
      registry(program_registry()),
      design_(design) {
    for (const CaptionDesign& c : design.captions) toolkit::build_caption(*this, c);
    for (const FieldDesign& f : design.path_fields) toolkit::build_field(*this, f);
    for (const BrowseDesign& b : design.browses)
        toolkit::build_push_button(*this, b.button).on_click = [this, &b] { browse_click(b); };
    for (const OptionDesign& o : design.options) {
        auto& box = toolkit::build_option(*this, o);
        auto& click = toolkit::control<forms::Label>(*this, o.click_label);
        click.on_mouse_down = [&box](const forms::MouseEvent&) {
            toolkit::set_mark(box, !toolkit::mark_on(box));
        };
    }
    // The name labels lie between each picker's background and its click label and arrow.
    for (const plugins::PickerBox& p : design.pickers) plugins::build_picker_frame(*this, p);
    add_name_labels();
    for (const plugins::PickerBox& p : design.pickers) plugins::build_picker_controls(*this, p);
    plugins::build_plugin_buttons(
        *this, design.kind,
        {[this](int slot) { return selected_plugin.at(static_cast<size_t>(slot)); },
         [this](int slot) -> const std::vector<std::string>& { return slot_list(slot); },
         [this] { return plugins_path; }});
    toolkit::build_push_button(*this, design.ok).on_click = [this] { ok_click(); };
    expose("profile_name", [this] { return profile_name; });
    expose("plugins_path", [this] { return plugins_path; });
    for (size_t slot = 0; slot < selected_plugin.size(); ++slot)
        expose("selected_plugin(" + std::to_string(slot) + ")",
               [this, slot] { return selected_plugin[slot]; });
}

void EditorWindow::get_emulator_path(const std::string& emu_path, const std::string& emu_profile) {
    plugins_path = emulator_own_folder(emu_path, "plugins", opening_problems);
    profile_name = emu_profile;
    scan_plugins();
    sort_plugins();
    load_settings();
}

void EditorWindow::load_settings() {
    if (design_.registry_key)
        load_registry_rows(*this, *this, design_.values, design_.registry_key, registry);
}

std::vector<std::string> EditorWindow::save_settings() {
    FailedWrites failed;
    if (design_.registry_key)
        save_registry_rows(*this, *this, design_.values, design_.registry_key, registry, failed);
    return failed.lines();
}

void EditorWindow::Form_Load() {
    arrange_frame();
}

std::filesystem::path EditorWindow::profile_file(const char* folder) const {
    return model::profile_folder(design_.emulator, folder) / (profile_name + ".reg");
}

void EditorWindow::ok_click() {
    std::vector<std::string> failures = save_settings();
    for (const ExportDesign& e : design_.exports) {
        if (!safe_profile_name(profile_name)) {
            failures.push_back("the profile name cannot name a file, so " + std::string(e.key) +
                               " was not exported");
            continue;
        }
        std::string file;
        try {
            file = profile_file(e.folder).string();
            registry.export_key(file, e.key);
        } catch (const platform::Failure& failure) {
            // A profile folder that cannot be told names its folder itself.
            failures.push_back(file.empty() ? failure.what()
                                            : toolkit::naming_file(file, "cannot write ", failure.what()));
        }
    }
    toolkit::report_failures(
        *this, "Some settings of the profile \"" + profile_name + "\" were not saved:", failures);
    toolkit::form<configs_form>().scroll_event.set_enabled(true);
    hide();
}

void EditorWindow::browse_click(const BrowseDesign& b) {
    const std::string result = toolkit::browse_for_file(*this, b.filter_description, b.filter_pattern,
                                                        "Browse", platform::program_folder().string());
    if (result == "cancel") return;
    if (auto* box = dynamic_cast<forms::TextBox*>(find(b.text_box))) box->set_text(chosen_path(result));
}

}  // namespace kv::configs
