// A caption fitted to its label's room and drawn there, in faces whose measures differ from DejaVu's.
#include <QFontDatabase>
#include <QFontMetrics>
#include <filesystem>

#include "app/program.h"
#include "platform/folder.h"
#include "plugins/plugin_editor.h"
#include "qt/caption_ink.h"
#include "qt/painting.h"
#include "qt/qt_fixture.h"
#include "support/test_support.h"
#include "toolkit/windows.h"

namespace {

// Where fonts-urw-base35 puts it, on Debian and on distributions that keep URW's fonts apart.
QString nimbus_sans_file() {
    for (const char* path : {"/usr/share/fonts/opentype/urw-base35/NimbusSans-Regular.otf",
                             "/usr/share/fonts/urw-base35/NimbusSans-Regular.otf"})
        if (std::filesystem::exists(path)) return QString::fromUtf8(path);
    return {};
}

std::string seen(const QRect& r) {
    return std::to_string(r.width()) + "x" + std::to_string(r.height()) + " at " + std::to_string(r.left()) +
           "," + std::to_string(r.top());
}

class CaptionFit : public kvtest::QtFormsTest {
  protected:
    void TearDown() override {
        kv::toolkit::reset_forms();
        if (font_id_ >= 0) QFontDatabase::removeApplicationFont(font_id_);
        QtFormsTest::TearDown();
    }

    // The family of the face in the file, loaded for this test.
    QString load_face(const QString& file) {
        font_id_ = QFontDatabase::addApplicationFont(file);
        return QFontDatabase::applicationFontFamilies(font_id_).value(0);
    }

    // The program started on a copy of the shipped program folder.
    void start_program() {
        kvtest::copy_program_folder(tmp_.path());
        kv::platform::set_program_folder(tmp_.path());
        kv::app::start_program();
    }

  private:
    int font_id_ = -1;
    kvtest::TempFolder tmp_;
};

// Nimbus Sans, which desktops with Ghostscript's fonts put in for the Windows sans faces, sets its
// letters in a line taller than an editor's drop-down box: the box's caption keeps its size where its
// letters fit, descenders too, and they are drawn within the box, not cut off at its foot.
TEST_F(CaptionFit, AOneLineCaptionInATallLinedFaceKeepsItsSizeWhereItsLettersFit) {
    const QString file = nimbus_sans_file();
    if (file.isEmpty()) GTEST_SKIP() << "Nimbus Sans (package fonts-urw-base35) is not installed";
    const QString family = load_face(file);
    ASSERT_FALSE(family.isEmpty()) << file.toStdString() << " did not load";
    start_program();
    auto* editor = dynamic_cast<kv::plugins::PluginEditor*>(kv::toolkit::form_named("ePSXe_config"));
    ASSERT_NE(editor, nullptr);
    kv::forms::Label& box = editor->name_label(0);
    kv::forms::Font font = box.font();
    font.name = family.toStdString();
    box.set_font(font);
    const QString caption = QStringLiteral("Alpha GPU 1.2");
    box.set_caption(caption.toStdString());
    const QFont face = kv::qt::to_qfont(font);
    const QFontMetrics design(face);
    box.set_width(static_cast<float>(kv::qt::drawn_width(design, caption)) * kv::forms::twips_per_pixel);
    ASSERT_GT(design.height(), kv::qt::pixel_rect(box).height()) << "the line fits the box already";

    const kv::qt::DrawnCaption drawn = kv::qt::drawn_caption(box);
    EXPECT_EQ(drawn.fitted.font.pixelSize(), face.pixelSize());
    EXPECT_EQ(drawn.fitted.text, caption);
    const QRect ink = kvtest::caption_ink(drawn);
    EXPECT_FALSE(ink.isEmpty());
    EXPECT_TRUE(drawn.room.contains(ink)) << "letters on " << seen(ink) << ", the room " << seen(drawn.room);
}

}  // namespace
