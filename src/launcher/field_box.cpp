#include "launcher/field_box.h"

#include <string>
#include <vector>

#include "model/catalogue.h"
#include "toolkit/keep_out_characters.h"

namespace kv::launcher {

namespace {

std::vector<std::string_view> lines_of(std::string_view text) {
    std::vector<std::string_view> lines;
    for (;;) {
        const auto end = text.find_first_of("\r\n");
        lines.push_back(text.substr(0, end));
        if (end == std::string_view::npos) return lines;
        const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (crlf ? 2 : 1));
    }
}

}  // namespace

void keep_out_field_separator(forms::TextBox& box, std::function<void()> on_text) {
    toolkit::keep_out_characters(box, "|\r\n", std::move(on_text));
}

void keep_out_line_breaks(forms::TextBox& box, std::function<void()> on_text) {
    toolkit::keep_out_characters(box, "\r\n", std::move(on_text));
}

std::string line_the_catalogue_would_misread(std::string_view text) {
    // The first line follows the emulator's name in its record: never alone on a line.
    const auto lines = lines_of(text);
    for (std::size_t i = 1; i < lines.size(); ++i)
        if (lines[i] == model::about_end || lines[i] == model::switches_header) return std::string(lines[i]);
    return {};
}

std::string with_crlf_line_breaks(std::string_view text) {
    std::string out;
    const auto lines = lines_of(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) out += "\r\n";
        out += lines[i];
    }
    return out;
}

}  // namespace kv::launcher
