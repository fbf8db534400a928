#include "toolkit/message_box.h"

#include "platform/standard_error.h"
#include "toolkit/messages_form.h"

namespace kv::toolkit {

namespace {

MessageBoxSource& source() {
    static MessageBoxSource s;
    return s;
}

}  // namespace

void set_message_box_source(MessageBoxSource s) {
    source() = std::move(s);
}

std::string program_title() {
    return source().title ? source().title() : std::string();
}

namespace {

void show_in_box(forms::Form& owner, const std::string& text, int16_t icon) {
    messages_form& box = source().box();
    box.show_exclamation(text, program_title(), icon);
    box.show_modal(owner);
}

}  // namespace

void show_message(forms::Form& owner, const std::string& text, int16_t icon) {
    if (source().box)
        show_in_box(owner, text, icon);
    else
        platform::print_failure(text);
}

void report_failure(forms::Form& owner, const std::string& text) {
    platform::print_failure(text);
    if (source().box) show_in_box(owner, text, warning_icon);
}

std::string naming_file(const std::string& file, const std::string& what_failed, const std::string& why) {
    if (why.find(file) != std::string::npos) return why;
    return what_failed + file + ": " + why;
}

void report_failures(forms::Form& owner, const std::string& heading,
                     const std::vector<std::string>& failures) {
    if (failures.empty()) return;
    std::string text = heading;
    for (const std::string& failure : failures) text += "\n" + failure;
    report_failure(owner, text);
}

}  // namespace kv::toolkit
