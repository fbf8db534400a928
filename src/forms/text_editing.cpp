#include "forms/text_editing.h"

#include <algorithm>

#include "platform/utf8.h"

namespace kv::forms {

namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

int clamp_to(const std::string& text, int pos) {
    return std::clamp(pos, 0, static_cast<int>(text.size()));
}

bool line_break_ends_at(const std::string& text, int pos) {
    return pos >= 2 && text[static_cast<size_t>(pos - 2)] == '\r' &&
           text[static_cast<size_t>(pos - 1)] == '\n';
}

}  // namespace

int character_boundary(const std::string& text, int pos) {
    pos = clamp_to(text, pos);
    if (!platform::is_valid_utf8(text)) return pos;
    while (pos > 0 && pos < static_cast<int>(text.size()) &&
           (static_cast<unsigned char>(text[static_cast<size_t>(pos)]) & 0xC0) == 0x80)
        --pos;
    // Between the CR and the LF of a line break is no place for the caret either.
    if (line_break_ends_at(text, pos + 1)) --pos;
    return pos;
}

int previous_character(const std::string& text, int pos) {
    pos = character_boundary(text, pos);
    if (pos == 0) return 0;
    if (line_break_ends_at(text, pos)) return pos - 2;
    return character_boundary(text, pos - 1);
}

int next_character(const std::string& text, int pos) {
    pos = character_boundary(text, pos);
    const int size = static_cast<int>(text.size());
    if (pos >= size) return size;
    if (line_break_ends_at(text, pos + 2)) return pos + 2;
    if (!platform::is_valid_utf8(text)) return pos + 1;
    return pos + static_cast<int>(platform::utf8_sequence(text, static_cast<size_t>(pos)));
}

// Words are runs of characters that are not blanks; the bytes of a character beyond ASCII are never
// blanks, so these walks always stop on a character's first byte.
int previous_word(const std::string& text, int pos) {
    pos = character_boundary(text, pos);
    while (pos > 0 && is_blank(text[static_cast<size_t>(pos - 1)])) --pos;
    while (pos > 0 && !is_blank(text[static_cast<size_t>(pos - 1)])) --pos;
    return pos;
}

int next_word(const std::string& text, int pos) {
    pos = character_boundary(text, pos);
    const int size = static_cast<int>(text.size());
    while (pos < size && !is_blank(text[static_cast<size_t>(pos)])) ++pos;
    while (pos < size && is_blank(text[static_cast<size_t>(pos)])) ++pos;
    return pos;
}

}  // namespace kv::forms
