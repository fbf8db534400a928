#include "app/forms.h"
#include "configs/epsxe_config.h"
#include "launcher/main_form.h"
#include "plugins/plugin_buttons.h"
#include "toolkit/messages_form.h"

namespace kv::plugins {

void press_plugin_button(forms::Form& editor, EditorKind kind, int slot, PluginAction action,
                         const SlotView& view) {
    const auto library =
        library_for_click(kind, slot, action, view.selection(slot), view.list(slot), view.plugins_path());
    if (!library) return;
    const std::string export_name = plugin_export(kind, slot, action);
    if (action != PluginAction::test) {
        plugin_calls().call(*library, export_name);
        return;
    }
    const TestVerdict verdict = classify_test_result(plugin_calls().test(*library, export_name));
    if (verdict == TestVerdict::silent) return;
    const auto& texts = app::form<ePSXe_config>();
    const bool working = verdict == TestVerdict::working;
    auto& box = app::form<toolkit::messages_form>();
    box.show_exclamation(working ? texts.plugin_working : texts.plugin_not_working,
                         app::form<Main_form>().caption(), working ? 0 : 1);
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
