// Config.ini applied at start-up and written at the end; the ten sections and their buttons.
#include <gtest/gtest.h>

#include "forms/backend.h"
#include "launcher/main_form_fixture.h"
#include "launcher/options_form.h"

namespace kv {
namespace {

using Lines = std::vector<std::string>;

class SectionsTest : public kvtest::MainFormFixture {
  protected:
    Main_form& start_with(std::size_t line, const std::string& text,
                          const std::string& data = kvtest::catalogue_with({})) {
        Lines config = kvtest::default_config_lines();
        config[line] = text;
        return start(config, data);
    }
    std::vector<float> lefts(Main_form& main) {
        std::vector<float> out;
        for (auto* box : main.section_boxes) out.push_back(box->visible() ? box->left() : -1);
        return out;
    }
    Lines saved() { return split(kvtest::read_file(folder / "Config.ini")); }
    static Lines split(const std::string& bytes) {
        Lines out;
        std::size_t start = 0;
        for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
            out.push_back(bytes.substr(start, end - start));
        return out;
    }
};

TEST_F(SectionsTest, AValidFileIsWrittenBackByteForByte) {
    Lines config = kvtest::default_config_lines();
    config[11] = "PSX = Play = Station";
    config[13] = "NDS = ";
    Main_form& main = start(config);
    EXPECT_EQ(main.section_label[0]->caption(), "Play = Station");
    EXPECT_EQ(main.left(), 3000);
    EXPECT_THROW(main.X_image_Click(), forms::ProgramEnded);
    EXPECT_EQ(saved(), config);
}

TEST_F(SectionsTest, ABadLauncherStateKeepsWhatWasReadAndDefaultsTheRest) {
    Lines config = kvtest::default_config_lines();
    config[7] = "Sections = 0|1|1|1|1|1|1|1|1|1";
    config[8] = "Launcher state = often";
    config[9] = "Path override = True";
    config[10] = "Opacity = 50";
    Main_form& main = start(config);
    EXPECT_EQ(main.current_section, "PS2");
    EXPECT_FALSE(main.path_override);
    EXPECT_EQ(main.opacity, 100);
    EXPECT_THROW(main.X_image_Click(), forms::ProgramEnded);
    Lines expected = config;
    expected[8] = "Launcher state = 0";
    expected[9] = "Path override = False";
    expected[10] = "Opacity = 100";
    EXPECT_EQ(saved(), expected);
}

TEST_F(SectionsTest, WithoutAFileTheDefaultsStayAndAreWrittenAtTheEnd) {
    Main_form& main = start();
    EXPECT_EQ(lefts(main), (std::vector<float>{120, 975, 1830, 2685, 3540, 4395, 5245, 6105, 6960, 7815}));
    EXPECT_EQ(main.opacity, 100);
    EXPECT_THROW(main.X_image_Click(), forms::ProgramEnded);
    const Lines lines = saved();
    ASSERT_EQ(lines.size(), 23u);
    EXPECT_EQ(lines[4], "Skin = Midnight");
    EXPECT_EQ(lines[7], "Sections = 1|1|1|1|1|1|1|1|1|1");
}

TEST_F(SectionsTest, ASettingsFileThatCannotBeReadIsNotReplacedAndTheCloseSaysSo) {
    std::filesystem::create_symlink("Config.ini", folder / "Config.ini");
    Main_form& main = start();
    then_read_message();
    main.X_image_Click();
    ASSERT_EQ(read_messages.size(), 1u);
    EXPECT_NE(read_messages[0].find("kept " + (folder / "Config.ini").string() + " unchanged"),
              std::string::npos)
        << read_messages[0];
    EXPECT_EQ(read_messages[0].find("Data.kvl"), std::string::npos);
    EXPECT_THROW(main.X_image_Click(), forms::ProgramEnded);
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "Config.ini"));
}

TEST_F(SectionsTest, CenterPlacesTheWindowInTheMiddleOfTheScreen) {
    Lines config = kvtest::default_config_lines();
    config[2] = "Main Window X (Twips) = Center";
    config[3] = "Main Window Y (Twips) = Center";
    Main_form& main = start(config);
    EXPECT_EQ(main.left(), 1920 * 15 / 2 - 8775 / 2.0f);
    EXPECT_EQ(main.top(), 1080 * 15 / 2 - 3540 / 2.0f);
}

TEST_F(SectionsTest, HiddenSectionsCloseUpAndTheFirstVisibleBecomesCurrent) {
    Main_form& main = start_with(7, "Sections = 0|0|1|1|1|1|1|1|1|1",
                                 kvtest::catalogue_with({{0, "P|/p/|p"}, {2, "D|/d/|d"}}));
    EXPECT_EQ(lefts(main), (std::vector<float>{-1, -1, 120, 975, 1830, 2685, 3540, 4395, 5250, 6105}));
    EXPECT_EQ(main.current_section, "NDS");
    EXPECT_EQ(main.selected_emulator, "D");
    EXPECT_EQ(main.platforms_image.top(), -3330);
}

TEST_F(SectionsTest, FlagsThatAreNeitherZeroNorOneAndShortOrAllHiddenLines) {
    {
        Main_form& main = start_with(7, "Sections = 1|1|x|1|1|1|1|1|1|1");
        EXPECT_EQ(main.section_boxes[2]->left(), 1830);
        EXPECT_EQ(main.section_boxes[3]->left(), 1830);
        EXPECT_EQ(main.current_section, "PSX");
        toolkit::reset_forms();
    }
    {
        Main_form& main = start_with(7, "Sections = 0|0|0|0|0|0|0|0|0|0");
        for (auto* box : main.section_boxes) EXPECT_FALSE(box->visible());
        EXPECT_EQ(main.current_section, "PSX");
        toolkit::reset_forms();
    }
    {
        // Three flags: PSX and NDS hidden, nothing placed or switched, nothing after read.
        Main_form& main = start_with(7, "Sections = 0|1|0");
        EXPECT_EQ(lefts(main)[1], 975);
        EXPECT_FALSE(main.section_boxes[2]->visible());
        EXPECT_EQ(main.current_section, "PSX");
    }
}

TEST_F(SectionsTest, SwitchingShowsTheSectionsTileAndTheMiscPicture) {
    kvtest::write_file(folder / "misc.bmp", "");  // no picture: the panel stays blank
    Main_form& main = start_with(21, "Misc image = True");
    EXPECT_TRUE(main.misc_image_enabled);
    EXPECT_EQ(toolkit::form<options_form>().Text3.text(), "");
    for (std::size_t k = 0; k < 9; ++k) {
        main.section_Click(k);
        EXPECT_EQ(main.platforms_image.top(), -1665.0f * static_cast<float>(k));
        EXPECT_TRUE(main.platforms_image.visible());
        EXPECT_FALSE(main.misc_image.visible());
    }
    main.load_misc_stuff();
    EXPECT_EQ(main.current_section, "Misc");
    EXPECT_FALSE(main.platforms_image.visible());
    EXPECT_TRUE(main.misc_image.visible());
    main.set_hide_misc_image(false);
    main.load_misc_stuff();
    EXPECT_TRUE(main.platforms_image.visible());
    EXPECT_EQ(main.platforms_image.top(), -14985);
}

// A 24-bit BMP of the given size in pixels.
std::string bmp(int w, int h) {
    const int row = (w * 3 + 3) / 4 * 4;
    const int size = 54 + row * h;
    std::string b(static_cast<std::size_t>(size), '\0');
    auto put = [&](int at, int value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b[static_cast<std::size_t>(at + i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    b[0] = 'B';
    b[1] = 'M';
    put(2, size, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, w, 4);
    put(22, h, 4);
    put(26, 1, 2);
    put(28, 24, 2);
    return b;
}

TEST_F(SectionsTest, ACustomPictureIsLoadedAtItsOwnSizeAndItsPathKeptWhenItIsGone) {
    const std::string picture = (folder / "misc.bmp").string();
    kvtest::write_file(picture, bmp(200, 10));
    {
        Main_form& main = start_with(22, "Misc image location = " + picture);
        EXPECT_EQ(main.misc_image.width(), 3000);
        EXPECT_EQ(main.misc_image.height(), 150);
        // The picture only shows in Misc once the custom picture is on.
        EXPECT_FALSE(main.misc_image_enabled);
        toolkit::reset_forms();
    }
    const std::string gone = (folder / "gone.bmp").string();
    Main_form& main = start_with(22, "Misc image location = " + gone);
    EXPECT_TRUE(main.misc_image.picture().empty());
    EXPECT_EQ(toolkit::form<options_form>().Text3.text(), gone);
    EXPECT_THROW(main.X_image_Click(), forms::ProgramEnded);
    EXPECT_EQ(saved()[22], "Misc image location = " + gone);
}

TEST_F(SectionsTest, ClickingTheCurrentSectionReloadsNothing) {
    kvtest::write_file(folder / "Data.kvl", kvtest::catalogue_with({{0, "A|/a/|a"}, {0, "B|/b/|b"}}));
    Main_form& main = start();
    main.emulator_list.row_MouseDown(2, {});
    ASSERT_EQ(main.selected_emulator, "B");
    main.section_click_labels[0]->on_mouse_down(forms::MouseEvent{forms::right_button});
    EXPECT_EQ(main.upper_section[0]->top(), -375);
    main.section_click_labels[0]->on_mouse_up(forms::MouseEvent{forms::right_button});
    EXPECT_EQ(main.upper_section[0]->top(), 0);
    main.section_Click(0);
    EXPECT_EQ(main.selected_emulator, "B");
    // A hidden section can still be made current.
    main.section_boxes[4]->set_visible(false);
    main.load_n64_stuff();
    EXPECT_EQ(main.current_section, "N64");
}

}  // namespace
}  // namespace kv
