#include <gtest/gtest.h>

#include "plugins/popup_form.h"
#include "skins/skin_browser.h"
#include "skins/skin_fixture.h"
#include "toolkit/windows.h"

namespace kv {
namespace {

using PickerColours = kvtest::SkinTest;

TEST_F(PickerColours, TheSkinColoursThePickersListAndItsFourBorderLines) {
    write_settings("S", kvtest::settings_lines({{15, "255"}, {16, "65280"}, {17, "16711680"}}));
    toolkit::form<skin_browser>().load_colors("S");
    auto& picker = toolkit::form<popup_form>();
    EXPECT_EQ(picker.List1.back_color(), 255u);
    EXPECT_EQ(picker.List1.fore_color(), 65280u);
    for (forms::PictureBox* line : {&picker.Picture1, &picker.Picture2, &picker.Picture3, &picker.Picture4})
        EXPECT_EQ(line->back_color(), 16711680u) << line->name();
}

}  // namespace
}  // namespace kv
