#include "forms/backend.h"
#include "plugins/plugin_buttons.h"
#include "plugins/shared_editor_texts.h"
#include "toolkit/message_box.h"
#include "toolkit/messages_form.h"
#include "toolkit/windows.h"

namespace kv::plugins {

void press_plugin_button(forms::Form& editor, EditorKind kind, int slot, PluginAction action,
                         const SlotView& view) {
    const auto library =
        library_for_click(kind, slot, action, view.selection(slot), view.list(slot), view.plugins_path());
    if (!library) return;
    const std::string export_name = plugin_export(kind, slot, action);
    // The plug-in may show a window of its own for as long as its user wants; the program is given
    // back whenever the user asks for it.
    const auto ask_to_stop = [&editor] {
        return forms::backend().system_question(&editor, toolkit::program_title(), plugin_still_running);
    };
    if (action != PluginAction::test) {
        plugin_calls().call(*library, export_name, ask_to_stop);
        return;
    }
    const TestVerdict verdict = classify_test_result(plugin_calls().test(*library, export_name, ask_to_stop));
    if (verdict == TestVerdict::silent) return;
    const bool working = verdict == TestVerdict::working;
    const std::string text = shared_editor_text(working ? "plugin_working" : "plugin_not_working", true);
    auto& box = toolkit::form<messages_form>();
    box.show_exclamation(text, toolkit::program_title(), working ? 0 : 1);
    box.show_modal(editor);
}

void build_plugin_buttons(forms::Form& editor, EditorKind kind, SlotView view) {
    auto shared = std::make_shared<SlotView>(std::move(view));
    for (const PluginButton& b : plugin_buttons(kind)) {
        auto& click = toolkit::build_push_button(editor, b.button);
        click.on_click = [&editor, kind, b, shared] {
            press_plugin_button(editor, kind, b.slot, b.action, *shared);
        };
    }
}

}  // namespace kv::plugins
