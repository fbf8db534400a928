#include "configs/open_editor.h"

#include <array>

#include "configs/epsxe_design.h"
#include "configs/pcsx_design.h"
#include "configs/psxeven_design.h"
#include "configs/ssspsx_design.h"
#include "toolkit/message_box.h"
#include "toolkit/windows.h"

namespace kv::configs {

namespace {

// The editor whose design names the emulator; none for an emulator without one.
configs::EditorWindow* editor_for(const std::string& emulator) {
    const std::array<const configs::EditorDesign*, 4> designs{
        &configs::epsxe_design(), &configs::psxeven_design(), &configs::pcsx_design(),
        &configs::ssspsx_design()};
    for (const configs::EditorDesign* design : designs)
        if (emulator == design->emulator)
            return dynamic_cast<configs::EditorWindow*>(toolkit::form_named(design->window));
    return nullptr;
}

}  // namespace

bool open_editor(const std::string& emulator, const std::string& emulator_folder, const std::string& profile,
                 forms::Form& owner) {
    configs::EditorWindow* editor = editor_for(emulator);
    if (!editor) return false;
    editor->opening_problems.clear();
    editor->get_emulator_path(emulator_folder, profile);
    toolkit::report_failures(owner, "Some of the emulator's files were not read:", editor->opening_problems);
    editor->show_modal(owner);
    return true;
}

}  // namespace kv::configs
