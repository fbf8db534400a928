#pragma once
// Where the caret of a text box goes for the editing keys, in bytes of the box's text: by whole
// characters (a UTF-8 sequence, a byte of Windows-1252 text, a CR LF line break) and by words, as
// desktop text boxes move it.
#include <string>

namespace kv::forms {

int previous_character(const std::string& text, int pos);
int next_character(const std::string& text, int pos);
// Ctrl+Left: the start of the word before the caret; Ctrl+Right: the start of the next word.
int previous_word(const std::string& text, int pos);
int next_word(const std::string& text, int pos);
// The position nearest below or at pos that is not inside a character.
int character_boundary(const std::string& text, int pos);

}  // namespace kv::forms
