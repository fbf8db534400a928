// The pure conversions of the Qt display: text, keys, dialog filters and window outlines.
#include <gtest/gtest.h>

#include <QRegularExpression>

#include "forms/events.h"
#include "qt/dialogs.h"
#include "qt/input.h"
#include "qt/painting.h"
#include "qt/text.h"

namespace {

using namespace kv::qt;
namespace keys = kv::forms::keys;

TEST(QtText, DecodesUtf8WhenValidAndWindows1252Otherwise) {
    EXPECT_EQ(decode_text("caf\xC3\xA9"), QString::fromUtf8("café"));
    // A lone 0xE9 is no UTF-8: the whole text is Windows-1252, where 0x80 is the euro sign.
    EXPECT_EQ(decode_text("caf\xE9 \x80"), QString::fromUtf8("café €"));
    // Overlong forms and encoded surrogates are not valid UTF-8.
    EXPECT_FALSE(is_valid_utf8("\xC0\xAF"));
    EXPECT_FALSE(is_valid_utf8("\xED\xA0\x80"));
    EXPECT_FALSE(is_valid_utf8("\xE2\x82"));
    EXPECT_TRUE(is_valid_utf8("\xF0\x9F\x98\x80"));
    EXPECT_EQ(encode_text(QString::fromUtf8("é")), "\xC3\xA9");
}

TEST(QtText, CaretsMapBetweenBytesAndCharacters) {
    const std::string utf8 =
        "a\xC3\xA9"
        "b\xF0\x9F\x98\x80"
        "c";                             // a é b 😀 c
    EXPECT_EQ(caret_to_qt(utf8, 3), 2);  // after é
    EXPECT_EQ(caret_to_qt(utf8, 8), 5);  // after the emoji, two UTF-16 units
    EXPECT_EQ(caret_to_bytes(utf8, 2), 3);
    EXPECT_EQ(caret_to_bytes(utf8, 5), 8);
    EXPECT_EQ(caret_to_bytes(utf8, 99), 9);
    const std::string cp1252 = "a\xE9z";
    EXPECT_EQ(caret_to_qt(cp1252, 2), 2);
    EXPECT_EQ(caret_to_bytes(cp1252, 3), 3);
}

TEST(QtText, TwipsRoundToPixelsAndColoursSwapToRgb) {
    EXPECT_EQ(to_px(8775), 585);
    EXPECT_EQ(to_px(22), 1);
    EXPECT_EQ(to_px(-150), -10);
    EXPECT_EQ(to_qcolor(kv::forms::rgb(1, 2, 3)), QColor(1, 2, 3));
    // 8.25 points are 11 pixels at the 96 pixels per inch that 15 twips per pixel stand for.
    EXPECT_EQ(to_qfont(kv::forms::Font{}).pixelSize(), 11);
    EXPECT_EQ(to_qfont(kv::forms::Font{"Tahoma", 12, true, false}).pixelSize(), 16);
}

TEST(QtInput, KeysButtonsAndModifiersTakeTheWindowsNumbers) {
    EXPECT_EQ(key_code(Qt::Key_A, Qt::ShiftModifier), 'A');
    // A shifted digit is still its key; the keypad's digits and minus have codes of their own.
    EXPECT_EQ(key_code(Qt::Key_Ampersand, Qt::ShiftModifier), '7');
    EXPECT_EQ(key_code(Qt::Key_7, Qt::KeypadModifier), 103);
    EXPECT_EQ(key_code(Qt::Key_Minus, Qt::NoModifier), 189);
    EXPECT_EQ(key_code(Qt::Key_Minus, Qt::KeypadModifier), 109);
    EXPECT_EQ(key_code(Qt::Key_Enter, Qt::KeypadModifier), keys::enter);
    EXPECT_EQ(key_code(Qt::Key_Down, Qt::KeypadModifier), keys::down);
    EXPECT_EQ(key_code(Qt::Key_F12, Qt::NoModifier), 123);
    EXPECT_EQ(key_code(Qt::Key_Eacute, Qt::NoModifier), 0);

    EXPECT_EQ(button_flag(Qt::MiddleButton), 4);
    EXPECT_EQ(button_flag(Qt::BackButton), 0);
    EXPECT_EQ(button_flags(Qt::LeftButton | Qt::RightButton), 3);
    EXPECT_EQ(shift_flags(Qt::ShiftModifier | Qt::AltModifier | Qt::KeypadModifier), 5);
    // Pressing Shift already holds it; releasing Ctrl no longer does.
    EXPECT_EQ(key_shift_flags(Qt::Key_Shift, Qt::NoModifier, true), 1);
    EXPECT_EQ(key_shift_flags(Qt::Key_Control, Qt::ControlModifier, false), 0);
}

TEST(QtInput, TypedCharacters) {
    EXPECT_EQ(typed_character(QStringLiteral("a")), 'a');
    EXPECT_EQ(typed_character(QStringLiteral("\b")), keys::back);
    EXPECT_EQ(typed_character(QStringLiteral("\r")), keys::enter);
    EXPECT_EQ(typed_character(QString::fromUtf8("€")), static_cast<int16_t>(0x20AC));
    EXPECT_EQ(typed_character(QString::fromUtf8("😀")), '?');
    EXPECT_EQ(typed_character(QString()), std::nullopt);
    EXPECT_EQ(typed_character(QStringLiteral("\x7f")), std::nullopt);
}

bool filter_matches(const QString& filter, const QString& name) {
    const QString patterns = filter.section(QLatin1Char('('), 1).chopped(1);
    for (const QString& p : patterns.split(QLatin1Char(' ')))
        if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(p)).match(name).hasMatch())
            return true;
    return false;
}

TEST(QtDialogs, FilterPatternsIgnoreCaseAndProgramsMatchEverything) {
    const QString pictures = file_dialog_filter("Pictures", "*.bmp; *.JPG;");
    EXPECT_TRUE(pictures.startsWith(QStringLiteral("Pictures (")));
    EXPECT_TRUE(filter_matches(pictures, QStringLiteral("a.BMP")));
    EXPECT_TRUE(filter_matches(pictures, QStringLiteral("b.jpg")));
    EXPECT_FALSE(filter_matches(pictures, QStringLiteral("c.png")));
    const QString programs = file_dialog_filter("Executable files", "*.EXE");
    EXPECT_EQ(programs, QStringLiteral("Executable files (*)"));
    EXPECT_TRUE(filter_matches(programs, QStringLiteral("mame")));
    EXPECT_EQ(file_dialog_filter("All", ""), QStringLiteral("All (*)"));
}

TEST(QtRegion, RoundedOutlineLikeTheWindowFunction) {
    const QRegion r = window_region(kv::forms::Region{0, 0, 100, 50, 20, 20});
    // The right-most column and the bottom row of the given rectangle stay out.
    EXPECT_EQ(r.boundingRect(), QRect(0, 0, 99, 49));
    EXPECT_TRUE(r.contains(QPoint(50, 25)));
    EXPECT_TRUE(r.contains(QPoint(50, 0)));
    EXPECT_TRUE(r.contains(QPoint(0, 25)));
    EXPECT_FALSE(r.contains(QPoint(0, 0)));
    EXPECT_FALSE(r.contains(QPoint(98, 48)));
    EXPECT_FALSE(r.contains(QPoint(99, 25)));
    // Corners cut at 45 degrees lie on the ellipse: (10 - 10/sqrt 2) ~ 2.9 pixels in.
    EXPECT_FALSE(r.contains(QPoint(2, 2)));
    EXPECT_TRUE(r.contains(QPoint(4, 4)));
    // Corner ellipses too small to round leave a rectangle; a rectangle without area covers nothing.
    EXPECT_EQ(window_region(kv::forms::Region{10, 10, 20, 20, 1, 1}), QRegion(10, 10, 9, 9));
    EXPECT_TRUE(window_region(kv::forms::Region{5, 5, 6, 30, 4, 4}).isEmpty());
    // Swapped corners make the same outline.
    EXPECT_EQ(window_region(kv::forms::Region{100, 50, 0, 0, 20, 20}), r);
}

}  // namespace
