// Midnight's pictures are built into the program: with no loadable skin at all the windows still look
// like Midnight, and what is built in is what the build ships as the Midnight skin.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "app/program.h"
#include "launcher/main_form.h"
#include "platform/picture.h"
#include "skin_fixture.h"
#include "skins/design_pictures.h"
#include "skins/skin_bitmaps.h"
#include "toolkit/windows.h"

namespace kv {
namespace {

TEST(DesignPictures, AreTheShippedMidnightBitmapsPixelForPixel) {
    ASSERT_EQ(skins::design_pictures().size(), skins::skin_bitmap_files().size());
    for (std::string_view file : skins::skin_bitmap_files()) {
        const kv::platform::Picture built_in = skins::design_picture(file);
        const kv::platform::Picture shipped = kv::platform::Picture::load(
            std::filesystem::path(KORVALIN_PROGRAM_DIR) / "Skins" / "Midnight" / std::string(file));
        ASSERT_FALSE(built_in.empty()) << file;
        ASSERT_EQ(built_in.width_px(), shipped.width_px()) << file;
        ASSERT_EQ(built_in.height_px(), shipped.height_px()) << file;
        EXPECT_EQ(built_in.data()->argb, shipped.data()->argb) << file;
    }
    EXPECT_TRUE(skins::design_picture("no_such.bmp").empty());
}

class DesignPictureStart : public kvtest::SkinTest {
  protected:
    // Starts the program and checks the picture file every target wears, by the file it stands for.
    void start_and_expect(const std::function<std::string(std::string_view file)>& expected) {
        app::start_program();
        for (const skins::BitmapTarget& t : skins::skin_bitmap_targets()) {
            forms::Form* form = toolkit::form_named(t.window);
            ASSERT_NE(form, nullptr) << t.window;
            auto* image = dynamic_cast<forms::Image*>(
                t.index == skins::all_elements ? form->find(t.control, 0) : form->find(t.control));
            if (!image) continue;  // a control that window does not have yet
            EXPECT_EQ(image->picture().file(), expected(t.file)) << t.window << "." << t.control;
            EXPECT_FALSE(image->picture().empty()) << t.window << "." << t.control;
        }
    }
    // A skin folder that does not load whole: one bitmap is missing.
    void write_broken_skin(const std::string& name) {
        write_skin(name);
        std::filesystem::remove(skin_path(name) / "down_buttons.bmp");
    }
    // Config.ini up to its skin line.
    void choose_skin(const std::string& name) {
        kvtest::write_file(folder / "Config.ini",
                           "// config\r\n\r\nX = 3000\r\nY = 2000\r\nSkin = " + name + "\r\n");
    }
};

TEST_F(DesignPictureStart, WithoutAnyLoadableSkinEveryWindowWearsTheBuiltInPictures) {
    // The program folder holds no Skins folder at all.
    start_and_expect([](std::string_view file) { return std::string(file); });
}

TEST_F(DesignPictureStart, BrokenSkinsLeaveTheBuiltInPicturesOnEveryWindow) {
    write_broken_skin("Midnight");
    write_broken_skin("Chosen");
    choose_skin("Chosen");
    start_and_expect([](std::string_view file) { return std::string(file); });
    EXPECT_EQ(toolkit::form<Main_form>().current_skin, "Chosen");
}

TEST_F(DesignPictureStart, ASkinThatLoadsIsNotCoveredByTheBuiltInPictures) {
    // The chosen skin fails, so Midnight's folder stands in for it, everywhere.
    write_skin("Midnight");
    write_broken_skin("Chosen");
    choose_skin("Chosen");
    start_and_expect(
        [&](std::string_view file) { return (skin_path("Midnight") / std::string(file)).string(); });
    EXPECT_EQ(toolkit::form<Main_form>().current_skin, "Midnight");
}

}  // namespace
}  // namespace kv
