// Every caption of every window, labels and button captions alike, as the Qt display draws it with the
// Midnight skin: under the shipped English file each shows whole within its room, on its one line;
// under a language of long captions the ones that do not fit are drawn smaller, down to three quarters
// of their size, and then cut at their end with "…", never at their start.
#include <QFontMetrics>
#include <QRegularExpression>
#include <cmath>
#include <filesystem>
#include <functional>

#include "app/program.h"
#include "fonts_languages/language_browser.h"
#include "platform/folder.h"
#include "qt/caption_ink.h"
#include "qt/painting.h"
#include "qt/qt_fixture.h"
#include "support/test_support.h"
#include "toolkit/windows.h"

namespace {

using kvtest::QtFormsTest;

struct Walked {
    std::string where;
    QString caption;
    kv::qt::DrawnCaption drawn;
    int design_pixel_size;

    std::string seen() const {
        return where + " \"" + caption.toStdString() + "\" is drawn \"" + drawn.fitted.text.toStdString() +
               "\" at " + std::to_string(drawn.fitted.font.pixelSize()) + " px in a room of " +
               std::to_string(drawn.room.width()) + "x" + std::to_string(drawn.room.height());
    }
};

class CaptionWalk : public QtFormsTest {
  protected:
    // Starts the program on a copy of the program folder and applies the language.
    void start_in(const std::string& language) {
        kvtest::copy_program_folder(tmp.path());
        std::filesystem::copy_file(
            std::filesystem::path(KORVALIN_TEST_SOURCE_DIR) / "qt/languages/Verbose.ini",
            tmp / "Languages" / "Verbose.ini");
        kv::platform::set_program_folder(tmp.path());
        kv::app::start_program();
        kv::qt::install_font_substitutes();
        kv::toolkit::form<kv::language_browser>().change_language(language);
    }
    void TearDown() override {
        kv::toolkit::reset_forms();
        QtFormsTest::TearDown();
    }

    // Every caption that shows, as it is drawn.
    std::vector<Walked> captions() {
        std::vector<Walked> walked;
        for (const kv::toolkit::RosterRow& row : kv::toolkit::window_roster()) {
            for (const auto& owned : row.get().controls()) {
                const auto* label = dynamic_cast<const kv::forms::Label*>(owned.get());
                if (!label || !label->shown()) continue;
                QString caption = kv::qt::decode_text(label->caption());
                caption.replace(QLatin1String("\r\n"), QLatin1String("\n"));
                if (caption.trimmed().isEmpty()) continue;
                walked.push_back({std::string(row.name) + "." + label->full_name(), caption,
                                  kv::qt::drawn_caption(*label),
                                  kv::qt::to_qfont(label->font()).pixelSize()});
            }
        }
        return walked;
    }

    kvtest::TempFolder tmp;
};

// Whether the drawn text shows whole within its room, laid out as the painter lays it out: no line
// wider than the room, every line within its height, and a room less than two lines high holding one.
// A line taller than its room is within it once raised, and then its letters as drawn lie between the
// room's top and bottom.
bool shows_within_its_room(const kv::qt::DrawnCaption& d) {
    const QFontMetrics metrics(d.fitted.font);
    const QRect laid =
        metrics.boundingRect(QRect(0, 0, d.room.width(), 100 * metrics.height()), d.flags, d.fitted.text);
    int widest = laid.width();
    for (const QString& line : d.fitted.text.split(QLatin1Char('\n')))
        if (!d.fitted.wraps) widest = std::max(widest, kv::qt::drawn_width(metrics, line));
    const int lines =
        std::max(1, static_cast<int>(std::lround(double(laid.height()) / metrics.lineSpacing())));
    const int tall = (lines - 1) * metrics.lineSpacing() + metrics.height();
    const bool one_line_room = d.room.height() < 2 * metrics.height();
    if (d.fitted.raised > 0) {
        const QRect ink = kvtest::caption_ink(d);
        if (lines > 1 || ink.top() < d.room.top() || ink.bottom() > d.room.bottom()) return false;
    }
    return widest <= d.room.width() && tall - d.fitted.raised <= d.room.height() &&
           (!one_line_room || lines == 1);
}

// The text without its blanks and line breaks, to compare where lines break differently.
QString words_of(QString text) {
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    return text;
}

TEST_F(CaptionWalk, EveryEnglishCaptionShowsWholeWithinItsRoom) {
    start_in("English");
    const std::vector<Walked> walked = captions();
    EXPECT_GT(walked.size(), 150u);
    for (const Walked& c : walked)
        EXPECT_TRUE(c.drawn.fitted.text == c.caption && shows_within_its_room(c.drawn)) << c.seen();
}

TEST_F(CaptionWalk, LongCaptionsAreShrunkToThreeQuartersAtMostThenCutAtTheirEnd) {
    start_in("Verbose");
    const QString ellipsis(QChar(0x2026));
    int shrunk = 0;
    int cut = 0;
    QString configure;
    for (const Walked& c : captions()) {
        const kv::qt::FittedCaption& fitted = c.drawn.fitted;
        EXPECT_TRUE(shows_within_its_room(c.drawn)) << c.seen();
        const long three_quarters = std::lround(c.design_pixel_size * 0.75);
        EXPECT_GE(fitted.font.pixelSize(), three_quarters) << c.seen();
        if (fitted.font.pixelSize() < c.design_pixel_size) ++shrunk;
        if (c.where == "configs_form.down_section_label(3)") configure = fitted.text;
        if (fitted.text == c.caption) continue;
        ++cut;
        // Cut at its end only, and only once it is as small as it may be drawn.
        EXPECT_TRUE(fitted.text.endsWith(ellipsis) &&
                    words_of(c.caption).startsWith(words_of(fitted.text.chopped(1))))
            << c.seen();
        EXPECT_EQ(fitted.font.pixelSize(), three_quarters) << c.seen();
    }
    EXPECT_GT(cut, 10);
    EXPECT_GT(shrunk, cut);
    // The editors' and the configs window's button shows the start of its caption.
    EXPECT_TRUE(configure.startsWith(QLatin1String("Konf"))) << configure.toStdString();
}

}  // namespace
