#include <gtest/gtest.h>

#include "launcher/game_prompt.h"
#include "launcher/hide_form.h"
#include "launcher/main_form_fixture.h"
#include "launcher/options_form.h"
#include "platform/text_file.h"
#include "plugins/popup_form.h"
#include "toolkit/windows.h"

namespace kv {
namespace {

class OpacityTest : public kvtest::MainFormFixture {
  protected:
    // The sixteen windows that share the opacity: the main window and every framed dialog.
    std::vector<forms::Form*> shared() {
        std::vector<forms::Form*> out;
        for (std::string_view name : toolkit::windows_in_order(&toolkit::RosterRow::opacity))
            out.push_back(toolkit::form_named(name));
        return out;
    }
};

TEST_F(OpacityTest, AlphaIsThePercentageTimesTwoAndAHalfRoundedHalfToEven) {
    Main_form& main = start();
    ASSERT_EQ(shared().size(), 16u);
    for (auto [percent, alpha] : {std::pair{11, 28}, {13, 32}, {99, 248}, {50, 125}, {10, 25}, {51, 128}}) {
        int32_t value = percent;
        main.make_forms_transparent(value);
        EXPECT_EQ(main.opacity, percent);
        for (forms::Form* f : shared()) {
            EXPECT_TRUE(f->layered()) << f->name();
            EXPECT_EQ(f->alpha(), alpha) << percent << " " << f->name();
        }
    }
    int32_t full = 100;
    main.make_forms_transparent(full);
    for (forms::Form* f : shared()) EXPECT_FALSE(f->layered()) << f->name();

    // The picker keeps its own alpha; the strip and the prompt are never layered.
    EXPECT_TRUE(toolkit::form<popup_form>().layered());
    EXPECT_EQ(toolkit::form<popup_form>().alpha(), 220);
    EXPECT_FALSE(toolkit::form<hide_form>().layered());
    EXPECT_FALSE(toolkit::form<game_prompt>().layered());
}

TEST_F(OpacityTest, ValuesOutsideTheRangeAreBoundedAndWrittenBack) {
    Main_form& main = start();
    int32_t value = 5;
    main.make_forms_transparent(value);
    EXPECT_EQ(value, 10);
    EXPECT_EQ(main.alpha(), 25);
    value = 150;
    main.make_forms_transparent(value);
    EXPECT_EQ(value, 100);
    EXPECT_FALSE(main.layered());
    EXPECT_EQ(toolkit::form<popup_form>().alpha(), 220);
}

TEST_F(OpacityTest, TheSettingsOpacityIsAppliedAndSavedBounded) {
    auto config = kvtest::default_config_lines();
    config[10] = "Opacity = 5";
    Main_form& main = start(config);
    EXPECT_EQ(main.opacity, 10);
    EXPECT_EQ(toolkit::form<options_form>().alpha(), 25);
    EXPECT_THROW(main.X_image_Click(), forms::ProgramEnded);
    EXPECT_EQ(kv::platform::read_lines(folder / "Config.ini").at(10), "Opacity = 10");
}

}  // namespace
}  // namespace kv
