#pragma once
// Text boxes whose text becomes a field of a catalogue record or a line of a stored file, and the
// about text's lines the catalogue would misread.
#include <functional>
#include <string>
#include <string_view>

#include "forms/controls.h"

namespace kv::launcher {

// The box takes no "|", CR or LF: its text is a field of a one-line record.
void keep_out_field_separator(forms::TextBox& box, std::function<void()> on_text = {});

// The same for CR and LF alone, for a one-line box whose text becomes a line of a file.
void keep_out_line_breaks(forms::TextBox& box, std::function<void()> on_text = {});

// A line of an about text, after its first, that the catalogue would read as the end of the text
// ("end") or of the about section ("[Switches]"); empty when there is none.
std::string line_the_catalogue_would_misread(std::string_view text);

// The text with every line break (CR LF, LF or CR alone) written as CR LF, as the catalogue reads
// lines back.
std::string with_crlf_line_breaks(std::string_view text);

}  // namespace kv::launcher
