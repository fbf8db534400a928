// No caption of any window is cut: every label and button caption of the program, drawn by the Qt
// display with the default font and the Midnight skin, fits the room its control gives it.
#include <QFontMetrics>
#include <filesystem>

#include "app/forms.h"
#include "app/window_roster.h"
#include "platform/folder.h"
#include "platform/qt/painting.h"
#include "qt/qt_fixture.h"
#include "support/test_support.h"

namespace {

using kvtest::QtFormsTest;

TEST_F(QtFormsTest, EveryCaptionOfEveryWindowFitsItsRoom) {
    kvtest::TempFolder tmp;
    std::filesystem::copy(KORVALIN_PROGRAM_DIR, tmp.path(), std::filesystem::copy_options::recursive);
    std::filesystem::remove(tmp / "korvalin");
    kv::set_program_folder(tmp.path());
    kv::app::start_program();
    kv::qt::install_font_substitutes();

    int walked = 0;
    for (const kv::app::WindowRow& row : kv::app::window_roster()) {
        kv::forms::Form& form = row.get();
        const QRect window(0, 0, kv::qt::to_px(form.width()), kv::qt::to_px(form.height()));
        for (const auto& owned : form.controls()) {
            const auto* label = dynamic_cast<const kv::forms::Label*>(owned.get());
            if (!label || label->caption().empty() || !label->shown()) continue;
            const QString caption = kv::qt::decode_text(label->caption()).trimmed();
            if (caption.isEmpty() || caption.contains(QLatin1Char('\n'))) continue;
            const QRect room = kv::qt::pixel_rect(*label) & kv::qt::container_clip(*label, window);
            const QFont font = kv::qt::caption_font(label->font(), caption, room.width(), room.height());
            const QFontMetrics metrics(font);
            // Boxes of several lines wrap their text; the others must hold it on their one line.
            if (room.height() >= 2 * metrics.height()) continue;
            ++walked;
            // Laid out as the painter lays it out, the caption stays within its width, on one line.
            const QRect drawn = metrics.boundingRect(QRect(0, 0, room.width(), 10 * room.height()),
                                                     kv::qt::label_text_flags(*label, font, room), caption);
            EXPECT_TRUE(drawn.width() <= room.width() && drawn.height() <= metrics.height())
                << row.name << "." << label->full_name() << " \"" << caption.toStdString() << "\" needs "
                << drawn.width() << "x" << drawn.height() << ", has " << room.width() << "x" << room.height();
        }
    }
    EXPECT_GT(walked, 100);
    kv::app::reset_forms();
}

}  // namespace
