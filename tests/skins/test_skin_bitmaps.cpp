#include <gtest/gtest.h>

#include <iostream>
#include <set>
#include <string>

#include "launcher/main_form.h"
#include "platform/runtime.h"
#include "skins/skin_bitmaps.h"
#include "skins/skin_colors.h"
#include "skins/skin_fixture.h"
#include "toolkit/windows.h"

namespace kv {
namespace {

using skins::all_elements;
using skins::single_control;

forms::Control* find(forms::Form& form, std::string_view control, int index) {
    return index == single_control ? form.find(control) : form.find(control, index < 0 ? 0 : index);
}

class SkinBitmaps : public kvtest::SkinTest {
  protected:
    // The file each target shows now, by its path's last part; "" when it has no picture.
    std::vector<std::string> shown_files() {
        std::vector<std::string> out;
        for (const auto& t : skins::skin_bitmap_targets()) {
            forms::Form& form = *toolkit::form_named(t.window);
            const int last = t.index == all_elements ? 0 : t.index;
            auto* image = dynamic_cast<forms::Image*>(find(form, t.control, last));
            out.push_back(image->picture().file());
        }
        return out;
    }
};

TEST_F(SkinBitmaps, EveryWindowAndControlTheTablesNameExists) {
    std::set<std::string_view> files(skins::skin_bitmap_files().begin(), skins::skin_bitmap_files().end());
    EXPECT_EQ(files.size(), 43u);
    std::set<std::string_view> framed;
    for (const auto& t : skins::skin_bitmap_targets()) {
        EXPECT_TRUE(files.count(t.file)) << t.file;
        forms::Form* form = toolkit::form_named(t.window);
        ASSERT_NE(form, nullptr) << t.window;
        EXPECT_NE(dynamic_cast<forms::Image*>(find(*form, t.control, t.index)), nullptr)
            << t.window << "." << t.control;
        if (t.control == "framebar_left") framed.insert(t.window);
    }
    // Every window the frame walk dresses has its frame pictures.
    const auto frame_walk = toolkit::windows_in_order(&toolkit::RosterRow::frame);
    EXPECT_EQ(framed, std::set<std::string_view>(frame_walk.begin(), frame_walk.end()));
    // The colours go by kind: text boxes, shapes, lines and picture boxes by their names, labels else.
    for (const auto& t : skins::skin_color_targets()) {
        forms::Form* form = toolkit::form_named(t.window);
        ASSERT_NE(form, nullptr) << t.window;
        forms::Control* c = find(*form, t.control, t.index);
        ASSERT_NE(c, nullptr) << t.window << "." << t.control;
        const std::string_view name = t.control;
        bool right_kind = dynamic_cast<forms::Label*>(c) != nullptr;
        if (name.starts_with("Text")) right_kind = dynamic_cast<forms::TextBox*>(c) != nullptr;
        if (name.starts_with("Shape")) right_kind = dynamic_cast<forms::Shape*>(c) != nullptr;
        if (name.starts_with("Line")) right_kind = dynamic_cast<forms::Line*>(c) != nullptr;
        if (name.starts_with("Picture")) right_kind = dynamic_cast<forms::PictureBox*>(c) != nullptr;
        if (name == "List1") right_kind = dynamic_cast<forms::ListBox*>(c) != nullptr;
        EXPECT_TRUE(right_kind) << t.window << "." << t.control;
    }
}

TEST_F(SkinBitmaps, AWholeSkinDressesEveryTargetWithItsOwnFile) {
    write_skin("Plain");
    Main_form& main = toolkit::form<Main_form>();
    main.load_skin("Plain");
    EXPECT_EQ(main.current_skin, "Plain");
    const auto shown = shown_files();
    const auto targets = skins::skin_bitmap_targets();
    for (std::size_t i = 0; i < targets.size(); ++i)
        EXPECT_EQ(shown[i], (skin_path("Plain") / std::string(targets[i].file)).string())
            << targets[i].window << "." << targets[i].control;
    // Every element of an array, not only the last.
    for (forms::Image* image : main.down_section)
        EXPECT_EQ(image->picture().file(), (skin_path("Plain") / "down_buttons.bmp").string());
    // A picture not stretched gives the image its size: X.bmp is the tenth file, 10 pixels wide.
    EXPECT_EQ(main.X_image.width(), 150);
    EXPECT_EQ(toolkit::form_named("hide_form")->loaded(), true);
}

TEST_F(SkinBitmaps, FileNamesInASkinFolderIgnoreLetterCase) {
    write_skin("Plain");
    std::filesystem::rename(skin_path("Plain") / "X.bmp", skin_path("Plain") / "x.BMP");
    EXPECT_TRUE(skins::skin_loads_whole("Plain"));
    EXPECT_TRUE(skins::skin_loads_whole("PLAIN"));
}

TEST_F(SkinBitmaps, ASkinThatDoesNotLoadWholeChangesNothing) {
    write_skin("Good");
    Main_form& main = toolkit::form<Main_form>();
    main.load_skin("Good");
    const auto before = shown_files();
    const auto bad = skin_path("Bad");

    struct Fault {
        const char* what;
        std::string bytes;  // empty: the file is missing
    };
    const std::string whole = kvtest::bmp(4, 4);
    const Fault faults[] = {
        {"missing", ""},
        {"truncated", whole.substr(0, whole.size() - 5)},
        {"header only", whole.substr(0, 54)},
        {"impossible size", kvtest::bmp(4, 4).replace(18, 4, std::string("\xff\xff\xff\x7f", 4))},
        {"not a picture", "just some words\r\n"},
    };
    for (const Fault& f : faults) {
        write_skin("Bad");
        std::filesystem::remove(bad / "down_buttons.bmp");
        if (!f.bytes.empty()) kvtest::write_file(bad / "down_buttons.bmp", f.bytes);
        EXPECT_FALSE(skins::skin_loads_whole("Bad")) << f.what;
        EXPECT_THROW(main.load_skin("Bad"), kv::platform::Failure) << f.what;
        EXPECT_EQ(shown_files(), before) << f.what;
        EXPECT_EQ(main.current_skin, "Good") << f.what;
    }
    // A name that names no folder at all.
    EXPECT_THROW(main.load_skin("Nowhere"), kv::platform::Failure);
    EXPECT_EQ(shown_files(), before);
}

TEST_F(SkinBitmaps, AFailedLoadNamesTheFileOrTheNameItRefused) {
    write_skin("Gap");
    std::filesystem::remove(skin_path("Gap") / "combo.bmp");
    Main_form& main = toolkit::form<Main_form>();
    const auto failure_of = [&](const std::string& skin) -> std::string {
        try {
            main.load_skin(skin);
        } catch (const kv::platform::Failure& failure) {
            return failure.what();
        }
        return "loaded";
    };
    EXPECT_EQ(failure_of("Gap"), "skin file not found: Skins/Gap/combo.bmp");
    // Without the folder the first file is the one missing.
    EXPECT_EQ(failure_of("Nowhere"), "skin file not found: Skins/Nowhere/Framebar_left.bmp");
    // Names that would lead out of the Skins folder are no skins, whatever lies there.
    for (const std::string name : {"..", ".", "Gap/..", ""})
        EXPECT_EQ(failure_of(name), "not a skin name: " + name) << name;
}

TEST_F(SkinBitmaps, LoadingAgainReadsTheFilesAnew) {
    write_skin("Plain");
    Main_form& main = toolkit::form<Main_form>();
    main.load_skin("Plain");
    kvtest::write_file(skin_path("Plain") / "X.bmp", kvtest::bmp(20, 40));
    main.load_skin("Plain");
    EXPECT_EQ(main.X_image.width(), 300);
    EXPECT_EQ(main.X_image.height(), 600);
}

}  // namespace
}  // namespace kv
