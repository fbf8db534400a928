#pragma once
// The Test, Configure and About buttons under each plug-in slot of the four editors: which library a
// click reaches, which export it calls, and what a test's answer shows.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "toolkit/push_button.h"

namespace kv::plugins {

enum class PluginAction { test, configure, about };

enum class EditorKind { epsxe, psxeven, pcsx, ssspsx };

struct PluginButton {
    toolkit::PushButton button;
    int slot;
    PluginAction action;
};

// The editor's buttons: twelve in the ePSXe editor (GPU, SPU, CD-ROM, netplay), fifteen in the others
// (GPU, SPU, CD-ROM, gamepad 2, gamepad 1).
std::vector<PluginButton> plugin_buttons(EditorKind editor);

// "GPUtest", "SPUconfigure", "NETabout", "PADtest"...
std::string plugin_export(EditorKind editor, int slot, PluginAction action);

// The library a click acts on: the plug-in folder followed by the file part of the entry at the slot's
// position. Nothing when the position is no number, is 0, lies outside the list, or names an entry
// built into the emulator that a test never runs on.
std::optional<std::string> library_for_click(EditorKind editor, int slot, PluginAction action,
                                             const std::string& selection,
                                             const std::vector<std::string>& list,
                                             const std::string& plugins_path);

// A test's answer by the sign of its 32-bit value: 0 works, below 0 does not, above 0 shows nothing.
enum class TestVerdict { working, not_working, silent };
TestVerdict classify_test_result(int32_t result);

// The calls into a library, through the plug-in bridge; tests may replace them. ask_to_stop is asked
// when the user tries to use the program while the plug-in runs; true stops it.
struct PluginCalls {
    std::function<int32_t(const std::string& library, const std::string& export_name,
                          const std::function<bool()>& ask_to_stop)>
        test;
    std::function<void(const std::string& library, const std::string& export_name,
                       const std::function<bool()>& ask_to_stop)>
        call;
};

// What the user is asked when they try to use the program while a plug-in's test, configure or
// about has not returned.
inline constexpr const char* plugin_still_running =
    "The plug-in has not finished yet.\nStop it? What was not saved in its window is lost.";

PluginCalls& plugin_calls();

}  // namespace kv::plugins

namespace kv::forms {
class Form;
}

namespace kv::plugins {

// What a button reads of its editor at the moment of the click.
struct SlotView {
    std::function<std::string(int slot)> selection;
    std::function<const std::vector<std::string>&(int slot)> list;
    std::function<std::string()> plugins_path;
};

// Builds the editor's buttons and gives each its click. A test's answer shows in the message box over
// the editor, with the main window's caption and the texts of the ePSXe editor.
void build_plugin_buttons(forms::Form& editor, EditorKind kind, SlotView view);

// One click, as the button's handler runs it.
void press_plugin_button(forms::Form& editor, EditorKind kind, int slot, PluginAction action,
                         const SlotView& view);

}  // namespace kv::plugins
