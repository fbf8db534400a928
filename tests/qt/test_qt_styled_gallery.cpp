// Every window drawn by the Qt display after a skin, a language and a font are applied, each through
// its browser's Ok: the windows stay skinned and the texts fit. With KORVALIN_SHOTS set to a folder,
// each window is saved there after each change (skin/, language/, font/) as a picture to look at.
#include <QImage>
#include <QSet>
#include <cstdlib>
#include <filesystem>

#include "app/program.h"
#include "fonts_languages/font_browser.h"
#include "fonts_languages/language_browser.h"
#include "platform/folder.h"
#include "qt/qt_fixture.h"
#include "skins/skin_browser.h"
#include "support/test_support.h"
#include "toolkit/windows.h"

namespace {

using kvtest::QtFormsTest;

void look_at_every_window(kv::qt::QtBackend& backend, const std::string& stage) {
    const char* shots = std::getenv("KORVALIN_SHOTS");
    if (shots) std::filesystem::create_directories(std::filesystem::path(shots) / stage);
    for (kv::forms::Form* f : kv::toolkit::created_forms()) {
        if (f->name() == "popup_form" || f->name() == "hide_form") continue;
        const bool was_visible = f->visible();
        f->show();
        QImage image = backend.grab_form(*f);
        ASSERT_FALSE(image.isNull()) << stage << " " << f->name();
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 3)
            for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
        EXPECT_GT(colours.size(), 20) << stage << " " << f->name() << " looks unskinned";
        if (shots)
            image.save(QString::fromStdString(
                (std::filesystem::path(shots) / stage / (f->name() + ".png")).string()));
        if (!was_visible) f->hide();
    }
}

TEST_F(QtFormsTest, EveryWindowAfterASkinALanguageAndAFont) {
    kvtest::TempFolder tmp;
    kvtest::copy_program_folder(tmp.path());
    // A second skin: the Midnight pictures with red titles and yellow field texts.
    std::filesystem::create_directories(tmp / "Skins" / "Red");
    for (const auto& entry : std::filesystem::directory_iterator(tmp / "Skins" / "Midnight"))
        if (entry.path().extension() == ".bmp")
            std::filesystem::copy(entry.path(), tmp / "Skins" / "Red" / entry.path().filename());
    std::string settings = kvtest::read_file(tmp / "Skins" / "Midnight" / "Config.ini");
    settings.replace(settings.find("Window titles = &H00FCF0E8"), 26, "Window titles = 255");
    settings.replace(settings.find("Field text = &H00FCF0E8"), 23, "Field text = 65535");
    kvtest::write_file(tmp / "Skins" / "Red" / "Config.ini", settings);
    std::string language = kvtest::read_file(tmp / "Languages" / "English.ini");
    for (auto [from, to] : {std::pair{"Title = Options", "Title = Einstellungen"},
                            std::pair{"Change = Change", "Change = Wechseln"},
                            std::pair{"Cancel = Cancel", "Cancel = Abbrechen"},
                            std::pair{"Add_new = Add new\r", "Add_new = Neu\r"}})
        language.replace(language.find(from), std::string(from).size(), to);
    kvtest::write_file(tmp / "Languages" / "Deutsch.ini", language);
    kv::platform::set_program_folder(tmp.path());
    kv::app::start_program();

    auto& skins = kv::toolkit::form<kv::skin_browser>();
    skins.selected_skin = "Red";
    skins.Label14_Click();
    EXPECT_EQ(skins.Framebar_title.fore_color(), 255u);
    look_at_every_window(*backend_, "skin");

    auto& languages = kv::toolkit::form<kv::language_browser>();
    languages.selected_language = "Deutsch";
    languages.Label5_Click();
    EXPECT_EQ(languages.Label22.caption(), "Abbrechen");
    look_at_every_window(*backend_, "language");

    auto& fonts = kv::toolkit::form<kv::font_browser>();
    ASSERT_GT(fonts.List1.list_count(), 0);
    fonts.Label2.set_caption(fonts.List1.list(0));
    fonts.Text1.set_text("10");
    fonts.font_bold2 = true;
    fonts.Label5_Click();
    EXPECT_TRUE(fonts.Label22.font().bold);
    look_at_every_window(*backend_, "font");
    kv::toolkit::reset_forms();
}

}  // namespace
