#include "plugins/plugin_editor.h"

#include <algorithm>

#include "model/plugins_module.h"
#include "platform/folder.h"
#include "platform/runtime.h"
#include "plugins/popup_form.h"
#include "plugins/shared_editor_texts.h"
#include "toolkit/control_style.h"
#include "toolkit/windows.h"

namespace kv::plugins {

namespace {

std::string lower_case(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
    return text;
}

constexpr float name_label_inset = 30;
constexpr float name_label_width = 2445;
constexpr float name_label_height = 195;

}  // namespace

PluginEditor::PluginEditor(std::string name, const toolkit::FrameStyle& style, const EditorTable& table)
    : toolkit::FramedForm(std::move(name), style),
      selected_plugin(table.selection_slots.size() + 1, "0"),
      plugin_name(add<forms::TextBox>("plugin_name", 0, 0, 1215, 285)),
      table_(table) {
    plugin_name.set_visible(false);
}

void PluginEditor::add_name_labels() {
    if (!name_labels_.empty()) return;
    for (const SlotDesign& s : table_.selection_slots) {
        forms::Control* box = find(s.box);
        auto& label = add<forms::Label>(std::string(s.name_label), name_label_inset, name_label_inset,
                                        name_label_width, name_label_height, box);
        label.set_caption("Not selected");
        label.set_transparent(true);
        label.set_fore_color(toolkit::white);
        name_labels_.push_back(&label);
    }
}

model::PluginRecords& PluginEditor::list(PluginList which) {
    switch (which) {
        case PluginList::gpu:
            return gpu_list;
        case PluginList::spu:
            return spu_list;
        case PluginList::pad:
            return pad_list;
        case PluginList::cdr:
            return cdr_list;
        case PluginList::net:
            return net_list;
        case PluginList::memcard:
            return memcard_list;
        case PluginList::bios:
            break;
    }
    return bios_list;
}

model::PluginRecords& PluginEditor::slot_list(int slot) {
    if (slot < 0 || slot >= static_cast<int>(table_.selection_slots.size()))
        throw platform::Failure("no such selection slot");
    return list(table_.selection_slots[static_cast<size_t>(slot)].list);
}

forms::Label& PluginEditor::name_label(int slot) {
    if (slot < 0 || slot >= static_cast<int>(name_labels_.size()))
        throw platform::Failure("no such selection slot");
    return *name_labels_[static_cast<size_t>(slot)];
}

std::string PluginEditor::not_selected_text() const {
    return shared_editor_text("not_selected", false);
}

void PluginEditor::clear_plugin_lists() {
    const std::string text = not_selected_text();
    for (std::string_view label_name : table_.cleared_labels) {
        if (auto* label = dynamic_cast<forms::Label*>(find(label_name))) label->set_caption(text);
    }
    plugin_files.clear();
    for (PluginList which : table_.cleared_lists) list(which).clear();
}

void PluginEditor::scan_plugins() {
    clear_plugin_lists();
    for (const BuiltinEntry& entry : table_.builtins) list(entry.list).emplace_back(entry.record);
    // assign, not = "0": GCC 12 reports a false -Wrestrict for a literal assigned here in Release builds.
    for (int slot = 0; slot < table_.plugin_slots; ++slot)
        selected_plugin[static_cast<size_t>(slot)].assign(1, '0');
    // An empty path would name the current folder; it names no plug-in folder at all.
    if (plugins_path.empty()) return;
    for (const std::string& name : platform::list_folder(plugins_path, platform::EntryKind::files)) {
        if (!model::is_plugin_file_name(name)) continue;
        plugin_files.push_back(table_.lower_case_files ? lower_case(name) : name);
    }
}

void PluginEditor::sort_plugins() {
    std::vector<std::string> paths;
    for (const std::string& file : plugin_files) paths.push_back(plugins_path + file);
    const auto facts = model::ask_plugin_libraries(paths);
    for (size_t i = 0; i < plugin_files.size(); ++i) {
        // A plug-in that went down while asked is left out whole.
        if (!facts[i]) continue;
        plugin_name.set_text(model::cut_at_nul(facts[i]->name));
        const std::string record = model::make_record(
            plugin_files[i], plugin_name.text() + " " + model::format_plugin_version(facts[i]->version));
        // Each kind was asked anew and is compared exactly, as a library of two kinds belongs to no list.
        const std::pair<int32_t, PluginList> tests[] = {
            {gpu_kind, PluginList::gpu},
            {spu_kind, PluginList::spu},
            {cdr_kind, PluginList::cdr},
            {table_.fourth_kind, table_.fourth_list},
        };
        for (size_t k = 0; k < std::size(tests); ++k)
            if (facts[i]->kinds[k] == tests[k].first) list(tests[k].second).push_back(record);
    }
}

void PluginEditor::fill_list(int slot) {
    fill_from(slot_list(slot));
}

void PluginEditor::fill_from(const model::PluginRecords& records) {
    forms::ListBox& rows = toolkit::form<popup_form>().List1;
    rows.clear();
    for (const std::string& record : records) rows.add_item(model::display_part(record));
}

void PluginEditor::enter_plugin_index(int16_t pl_number, int16_t pl_index) {
    if (pl_number < 0 || pl_number >= static_cast<int16_t>(selected_plugin.size())) return;
    selected_plugin[static_cast<size_t>(pl_number)] = std::to_string(pl_index);
}

}  // namespace kv::plugins
