#pragma once
// The plug-in side every emulator editor window derives from: the editor's plug-in folder, the
// libraries found there, one list per kind (built-in entries first, then the libraries by kind in
// listing order), the chosen position of each selection slot, and each slot's name label.
//
// For a deriving editor window:
// - pass the editor's table (plugin_tables.h) to the constructor;
// - create the picker boxes ("Picture33"...) and their background images, then call
//   add_name_labels(): each slot's name label goes into its box, 30 twips from its corner (into the
//   window itself when the box is not there), above what the box holds so far;
// - on opening: set plugins_path (ending with "/"), scan_plugins(), sort_plugins(), then the settings;
// - a picker: popup_form's serve(editor, slot), fill_list(slot) (fill_gpu_list() and fill_pad_list()
//   name two kinds directly), then popup_form's resize_list and search_for_name;
// - the picker hands a choice back through enter_plugin_index (enter_epsxe_plugin_index and
//   enter_psxeven_plugin_index forward to it).
// Positions in the lists and in selected_plugin are 1-based as the callers count; element 0 of a vector
// is position 1.
#include <cstdint>
#include <string>
#include <vector>

#include "model/plugin_records.h"
#include "plugins/plugin_tables.h"
#include "toolkit/framed_form.h"

namespace kv::plugins {

class PluginEditor : public toolkit::FramedForm {
  public:
    PluginEditor(std::string name, const toolkit::FrameStyle& style, const EditorTable& table);

    const EditorTable& plugin_table() const { return table_; }

    std::string plugins_path;
    std::vector<std::string> plugin_files;
    model::PluginRecords gpu_list, spu_list, pad_list, cdr_list, net_list, memcard_list, bios_list;
    // One text per slot, one more than the slots (never used): the chosen position, "0" for none.
    std::vector<std::string> selected_plugin;
    // Never shown: each library's name passes through it and is kept only up to its first NUL.
    forms::TextBox& plugin_name;

    model::PluginRecords& list(PluginList which);
    model::PluginRecords& slot_list(int slot);
    // The slot's name label; fails for a slot the editor does not have or before add_name_labels.
    forms::Label& name_label(int slot);

    // Name labels to not_selected, plug-in files and lists emptied (not the BIOS list).
    void clear_plugin_lists();
    // Clears, appends the built-in entries, resets the plug-in slots and lists the plug-in folder.
    void scan_plugins();
    // Asks every listed library its name, version and kind (several at once, each library within a
    // time budget) and appends it to the list of its kind in listing order. A library that crashes or
    // hangs is left out, and so is one that did so earlier in the run.
    void sort_plugins();

    // Copies a list's display parts into popup_form's List1, in list order.
    void fill_list(int slot);
    void fill_gpu_list() { fill_from(gpu_list); }
    void fill_pad_list() { fill_from(pad_list); }

    // The picker's hand-back: slot pl_number takes pl_index as decimal text; nothing else changes.
    // A slot the editor does not have is left alone.
    void enter_plugin_index(int16_t pl_number, int16_t pl_index);

    // The caption of a slot with nothing chosen: ePSXe_config's not_selected, which all four show.
    std::string not_selected_text() const;

  protected:
    void add_name_labels();

  private:
    void fill_from(const model::PluginRecords& records);

    const EditorTable& table_;
    std::vector<forms::Label*> name_labels_;
};

}  // namespace kv::plugins
