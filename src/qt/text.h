#pragma once
// What the model holds as bytes and numbers, turned into what Qt draws with, and back.
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <string>

#include "forms/controls.h"

namespace kv::qt {

using forms::twips_per_pixel;

// Twips to whole pixels, as the window model counts them.
inline int to_px(float twips) {
    return forms::to_pixels(twips);
}

// Text is drawn as UTF-8 when it is valid UTF-8, otherwise as Windows-1252.
bool is_valid_utf8(const std::string& bytes);
QString decode_text(const std::string& bytes);
// Decoded as above, with each CR LF, CR or LF as one "\n": the lines a caption is drawn and measured in.
QString decode_lines(const std::string& bytes);
// Typed text is stored as UTF-8.
std::string encode_text(const QString& text);

// Caret positions: bytes of the model's text against characters (UTF-16 units) of its decoded form.
int caret_to_qt(const std::string& bytes, int byte_pos);
int caret_to_bytes(const std::string& bytes, int qt_pos);

QColor to_qcolor(forms::Color c);

// A label's or text box's alignment as Qt's horizontal alignment flag.
Qt::Alignment horizontal(forms::Alignment a);

// The model keeps a font's name as written; Qt substitutes a missing family (see install_font_substitutes).
// The size is in points at 96 pixels per inch, the resolution 15 twips per pixel stands for, so text
// keeps its size against the pixel-sized windows whatever the screen reports.
QFont to_qfont(const forms::Font& f);
// How wide one line of text draws: its advance, or more where a glyph's overhang passes it by a pixel,
// so that a box of this width shows the whole line.
int drawn_width(const QFontMetrics& metrics, const QString& line);

// Windows font names that are rarely installed here, mapped to families that usually are.
void install_font_substitutes();

}  // namespace kv::qt
