#include "plugins/shared_editor_texts.h"

#include "platform/runtime.h"
#include "plugins/plugin_tables.h"
#include "toolkit/windows.h"

namespace kv::plugins {

std::string shared_editor_text(std::string_view variable, bool load) {
    const std::string_view window = epsxe_table().window;
    forms::Form* holder = load ? toolkit::form_named(window) : toolkit::form_named_without_load(window);
    if (!holder) throw platform::Failure("no window " + std::string(window));
    const auto text = holder->variable(variable);
    if (!text) throw platform::Failure("no text " + std::string(variable) + " in " + std::string(window));
    return *text;
}

}  // namespace kv::plugins
