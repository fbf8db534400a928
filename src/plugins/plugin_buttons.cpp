#include "plugins/plugin_buttons.h"

#include <array>

#include "model/plugin_records.h"
#include "model/plugins_module.h"
#include "platform/runtime.h"

namespace kv::plugins {

namespace {

struct ButtonRow {
    const char* click;
    const char* box;
    float left;
    float top;
    float epsxe_top;
    int caption_element;
    int image_element;
    int slot;
    PluginAction action;
};

constexpr std::array<const char*, 3> captions{"Test", "Configure", "About"};

// In the CD-ROM and slot-3 rows the images run opposite to the labels.
constexpr ButtonRow rows[] = {
    {"Label22", "Picture7", 120, 1080, 1080, 0, 0, 0, PluginAction::test},
    {"Label23", "Picture6", 1080, 1080, 1080, 4, 1, 0, PluginAction::configure},
    {"Label24", "Picture5", 2040, 1080, 1080, 8, 2, 0, PluginAction::about},
    {"Label25", "Picture8", 3000, 1080, 1080, 3, 3, 1, PluginAction::test},
    {"Label26", "Picture9", 3960, 1080, 1080, 6, 4, 1, PluginAction::configure},
    {"Label27", "Picture10", 4920, 1080, 1080, 11, 5, 1, PluginAction::about},
    {"Label28", "Picture17", 120, 3480, 2280, 1, 8, 2, PluginAction::test},
    {"Label29", "Picture16", 1080, 3480, 2280, 5, 7, 2, PluginAction::configure},
    {"Label30", "Picture15", 2040, 3480, 2280, 9, 6, 2, PluginAction::about},
    {"Label31", "Picture20", 3000, 2280, 2280, 2, 11, 3, PluginAction::test},
    {"Label32", "Picture19", 3960, 2280, 2280, 7, 10, 3, PluginAction::configure},
    {"Label33", "Picture18", 4920, 2280, 2280, 10, 9, 3, PluginAction::about},
    {"Label17", "Picture26", 120, 2280, 2280, 13, 12, 4, PluginAction::test},
    {"Label18", "Picture27", 1080, 2280, 2280, 14, 13, 4, PluginAction::configure},
    {"Label19", "Picture28", 2040, 2280, 2280, 15, 14, 4, PluginAction::about},
};
constexpr size_t epsxe_rows = 12;

// The first position a Test runs on, per slot: the entries before it are built into the emulator.
int first_testable(EditorKind editor, int slot) {
    if (editor == EditorKind::epsxe) {
        if (slot == 1 || slot == 3) return 2;
        if (slot == 2) return 3;
    }
    if (editor == EditorKind::ssspsx && slot == 2) return 2;
    return 1;
}

constexpr std::array<const char*, 3> action_names{"test", "configure", "about"};

}  // namespace

std::vector<PluginButton> plugin_buttons(EditorKind editor) {
    const bool epsxe = editor == EditorKind::epsxe;
    const size_t count = epsxe ? epsxe_rows : std::size(rows);
    std::vector<PluginButton> out;
    for (size_t i = 0; i < count; ++i) {
        const ButtonRow& r = rows[i];
        const auto action = static_cast<size_t>(r.action);
        toolkit::PushButton b{r.box,
                              r.left,
                              epsxe ? r.epsxe_top : r.top,
                              {"buttons", r.image_element},
                              {"down_section_label", r.caption_element},
                              captions[action],
                              r.click};
        if (r.slot == 4) b.caption_top = 80;
        out.push_back({b, r.slot, r.action});
    }
    return out;
}

std::string plugin_export(EditorKind editor, int slot, PluginAction action) {
    static constexpr std::array<const char*, 5> kinds{"GPU", "SPU", "CDR", "PAD", "PAD"};
    const std::string kind = slot == 3 && editor == EditorKind::epsxe ? "NET" : kinds.at(slot);
    return kind + action_names[static_cast<size_t>(action)];
}

std::optional<std::string> library_for_click(EditorKind editor, int slot, PluginAction action,
                                             const std::string& selection,
                                             const std::vector<std::string>& list,
                                             const std::string& plugins_path) {
    int16_t position = 0;
    if (platform::skip_failure([&] { position = platform::text_to_int16(selection); })) return std::nullopt;
    const int first = action == PluginAction::test ? first_testable(editor, slot) : 1;
    if (position < first || static_cast<size_t>(position) > list.size()) return std::nullopt;
    return plugins_path + model::file_part(list[position - 1]);
}

TestVerdict classify_test_result(int32_t result) {
    if (result == 0) return TestVerdict::working;
    return result < 0 ? TestVerdict::not_working : TestVerdict::silent;
}

PluginCalls& plugin_calls() {
    static PluginCalls calls{[](const std::string& library, const std::string& export_name,
                                const std::function<bool()>& ask_to_stop) {
                                 return model::call_plugin_test(library, export_name, ask_to_stop);
                             },
                             [](const std::string& library, const std::string& export_name,
                                const std::function<bool()>& ask_to_stop) {
                                 model::call_plugin_function(library, export_name, ask_to_stop);
                             }};
    return calls;
}

}  // namespace kv::plugins
