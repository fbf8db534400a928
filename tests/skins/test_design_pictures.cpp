// Midnight's pictures are built into the program: with no loadable skin at all the windows still look
// like Midnight, and what is built in is what the build ships as the Midnight skin.
#include <gtest/gtest.h>

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
        const Picture built_in = skins::design_picture(file);
        const Picture shipped = Picture::load(std::filesystem::path(KORVALIN_PROGRAM_DIR) / "Skins" /
                                              "Midnight" / std::string(file));
        ASSERT_FALSE(built_in.empty()) << file;
        ASSERT_EQ(built_in.width_px(), shipped.width_px()) << file;
        ASSERT_EQ(built_in.height_px(), shipped.height_px()) << file;
        EXPECT_EQ(built_in.data()->argb, shipped.data()->argb) << file;
    }
    EXPECT_TRUE(skins::design_picture("no_such.bmp").empty());
}

using DesignPictureStart = kvtest::SkinTest;

TEST_F(DesignPictureStart, WithoutAnyLoadableSkinEveryWindowWearsTheBuiltInPictures) {
    // The program folder holds no Skins folder at all.
    app::start_program();
    for (const skins::BitmapTarget& t : skins::skin_bitmap_targets()) {
        forms::Form* form = toolkit::form_named(t.window);
        ASSERT_NE(form, nullptr) << t.window;
        auto* image = dynamic_cast<forms::Image*>(t.index == skins::all_elements ? form->find(t.control, 0)
                                                                                 : form->find(t.control));
        if (!image) continue;  // a control that window does not have yet
        EXPECT_EQ(image->picture().file(), t.file) << t.window << "." << t.control;
        EXPECT_FALSE(image->picture().empty()) << t.window << "." << t.control;
    }
}

}  // namespace
}  // namespace kv
