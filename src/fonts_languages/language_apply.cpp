#include "fonts_languages/language_apply.h"

#include <map>
#include <vector>

#include "fonts_languages/language_targets.h"
#include "forms/controls.h"
#include "model/skin_settings.h"
#include "platform/runtime.h"
#include "skins/control_targets.h"
#include "toolkit/windows.h"

namespace kv::fonts_languages {

namespace {

// The rows of each line, in table order, built once.
const std::map<int, std::vector<const LanguageRow*>>& rows_by_line() {
    static const auto by_line = [] {
        std::map<int, std::vector<const LanguageRow*>> out;
        for (const LanguageRow& row : language_rows_launcher_and_browsers()) out[row.line].push_back(&row);
        for (const LanguageRow& row : language_rows_profiles_and_editors()) out[row.line].push_back(&row);
        return out;
    }();
    return by_line;
}

void set_target(const LanguageRow& row, const std::string& text) {
    if (row.message) {
        if (std::string* message = language_message_text(row.window, row.target)) *message = text;
        return;
    }
    for (const skins::ControlTarget& target : skins::parse_targets(row.window, row.target))
        skins::for_each_control(target, [&](forms::Control& c) {
            if (auto* label = dynamic_cast<forms::Label*>(&c)) label->set_caption(text);
        });
}

}  // namespace

std::string* language_message_text(std::string_view window, std::string_view name) {
    forms::Form* form = toolkit::form_named(window);
    return form ? form->writable_variable(name) : nullptr;
}

void apply_language_lines(model::SkinSettingsReader& reader) {
    while (reader.lines_read() < 5) reader.next_line();
    for (int line = 6; line <= language_file_lines; ++line) {
        const std::string text = reader.next_line();
        if (ignored_language_line(line)) continue;
        const std::string value = model::line_value(text);
        const auto it = rows_by_line().find(line);
        if (it == rows_by_line().end()) continue;
        for (const LanguageRow* row : it->second)
            set_target(*row, std::string(row->before) + value + std::string(row->after));
    }
}

}  // namespace kv::fonts_languages
