// Running the selected emulator, the command bar and its keyboard shortcuts.
#include <algorithm>

#include "forms/backend.h"
#include "launcher/main_form.h"
#include "model/path_override.h"
#include "platform/folder.h"
#include "platform/runtime.h"
#include "toolkit/shel_ex.h"

namespace kv {

namespace {

// A normal-size window that is not activated.
constexpr int32_t show_no_activate = 4;

enum Command : std::size_t {
    add_command,
    delete_command,
    edit_command,
    browse_command,
    run_command,
    switches_command,
    skins_command,
    options_command,
    configs_command,
    help_command
};

// The commands that open a dialog over the main window.
constexpr bool opens_dialog(std::size_t command) {
    switch (command) {
        case add_command:
        case edit_command:
        case switches_command:
        case skins_command:
        case options_command:
        case configs_command:
        case help_command:
            return true;
        default:
            return false;
    }
}

// Ctrl with a letter, as its character code, and the command it runs.
struct Shortcut {
    int16_t key_ascii;
    Command command;
};
constexpr Shortcut shortcuts[] = {
    {14, add_command},       // Ctrl+N
    {4, delete_command},     // Ctrl+D
    {5, edit_command},       // Ctrl+E
    {18, run_command},       // Ctrl+R
    {2, browse_command},     // Ctrl+B
    {23, switches_command},  // Ctrl+W
    {15, options_command},   // Ctrl+O
    {3, configs_command},    // Ctrl+C
    {19, skins_command},     // Ctrl+S
};

}  // namespace

void Main_form::run_emulator(std::string param) {
    bool started = false;
    // Any failure ends the request silently: nothing started, no after-run behaviour.
    platform::stop_at_failure([&] {
        const auto found = std::find(display_list.begin(), display_list.end(), selected_emulator);
        if (found == display_list.end()) return;
        const auto position = static_cast<std::size_t>(found - display_list.begin());
        const auto* list = catalogue.section_list(current_section);
        if (!list || position >= list->size()) return;
        const std::string& record = (*list)[position];
        const auto stored = model::record_field(record, 1);
        const auto executable = model::record_field(record, 2);
        if (!stored || !executable) return;
        const std::string folder(*stored);
        const auto overridden =
            model::overridden_folder(std::filesystem::absolute(platform::program_folder()).string(), folder);
        if (!overridden) return;
        const std::string dir = path_override ? *overridden : folder;

        if (param == "_disabled_") param.clear();
        if (param == "_browse_") {
            if (folder == "Unknown") return;
            // One argument, so that a folder with blanks or double quotes reaches the file manager whole.
            toolkit::open_folder(dir);
            return;
        }
        // The program is the emulator's file whatever its folder holds; only a switch is split.
        toolkit::shell_execute_file(dir + std::string(*executable), param, show_no_activate, dir);
        started = true;
    });
    if (!started) return;

    switch (launcher_state) {
        case 1:
            // A run reaches the window only while it slides either way, never while it is hidden:
            // the slide ends at once, so that the close saves the place the window comes back to
            // and a message it has to tell stands over the window.
            if (at_screen_edge()) stop_sliding_at_place();
            close_program();
            break;
        case 2:
            set_window_state(forms::WindowState::minimized);
            break;
        default:
            break;
    }
}

void Main_form::command_Click(std::size_t i) {
    // Buttons and shortcuts alike: no dialog while the window is away at the screen edge.
    if (opens_dialog(i) && at_screen_edge()) return;
    switch (i) {
        case add_command:
            open_add_new();
            break;
        case delete_command:
            delete_emu();
            break;
        case edit_command:
            open_edit_form();
            break;
        case browse_command:
            run_emulator("_browse_");
            break;
        case run_command:
            run_emulator("_disabled_");
            break;
        case switches_command:
            open_switches_form();
            break;
        case skins_command:
            open_skin_browser();
            break;
        case options_command:
            open_options_form();
            break;
        case configs_command:
            open_configs_form();
            break;
        case help_command:
            open_help();
            break;
        default:
            break;
    }
}

void Main_form::Picture16_KeyPress(int16_t& key_ascii) {
    for (const Shortcut& shortcut : shortcuts)
        if (key_ascii == shortcut.key_ascii) return command_Click(shortcut.command);
}

}  // namespace kv
