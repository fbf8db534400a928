// The roster every window table derives from: a row that reaches the wrong window, a walk with a gap
// or a repeated place, or a window the program makes without a row would each misdress a window.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "headless/headless_backend.h"
#include "platform/folder.h"
#include "support/test_support.h"
#include "toolkit/windows.h"

namespace kv {
namespace {

class WindowRosterTest : public ::testing::Test {
  protected:
    WindowRosterTest() {
        forms::set_backend(&display);
        kv::platform::set_program_folder(folder.path());
    }
    ~WindowRosterTest() override {
        toolkit::reset_forms();
        forms::set_backend(nullptr);
    }
    kvtest::TempFolder folder;
    headless::HeadlessBackend display;
};

TEST_F(WindowRosterTest, EveryRowReachesTheWindowOfItsNameAndNoWindowIsLeftOut) {
    std::set<std::string_view> names;
    for (const toolkit::RosterRow& row : toolkit::window_roster()) {
        EXPECT_TRUE(names.insert(row.name).second) << row.name << " twice";
        forms::Form* form = toolkit::form_named(row.name);
        ASSERT_NE(form, nullptr) << row.name;
        EXPECT_EQ(form->name(), row.name);
    }
    EXPECT_EQ(toolkit::form_named("no_such_form"), nullptr);
    // Loading every window makes no window the roster does not name.
    for (forms::Form* f : toolkit::created_forms()) EXPECT_TRUE(names.contains(f->name())) << f->name();
    EXPECT_EQ(toolkit::created_forms().size(), names.size());
}

TEST_F(WindowRosterTest, EachWalkTakesItsWindowsOnceInPlacesWithoutGaps) {
    for (auto place :
         {&toolkit::RosterRow::title_colour, &toolkit::RosterRow::frame, &toolkit::RosterRow::outline,
          &toolkit::RosterRow::alignment, &toolkit::RosterRow::opacity}) {
        std::vector<int> places;
        for (const toolkit::RosterRow& row : toolkit::window_roster())
            if (row.*place > 0) places.push_back(row.*place);
        std::sort(places.begin(), places.end());
        for (size_t i = 0; i < places.size(); ++i) EXPECT_EQ(places[i], static_cast<int>(i) + 1);
        EXPECT_EQ(toolkit::windows_in_order(place).size(), places.size());
    }
}

TEST_F(WindowRosterTest, TheSkinnedWalksShareTheFramedWindowsLessTheGamePrompt) {
    auto framed = toolkit::windows_in_order(&toolkit::RosterRow::frame);
    ASSERT_EQ(std::erase(framed, "game_prompt"), 1u);
    std::sort(framed.begin(), framed.end());
    for (auto place : {&toolkit::RosterRow::title_colour, &toolkit::RosterRow::outline,
                       &toolkit::RosterRow::alignment, &toolkit::RosterRow::opacity}) {
        auto walk = toolkit::windows_in_order(place);
        std::sort(walk.begin(), walk.end());
        EXPECT_EQ(walk, framed);
    }
    // The orders themselves differ: the outlines start Main_form, add_new; the titles align Main_form,
    // about_form.
    EXPECT_EQ(toolkit::windows_in_order(&toolkit::RosterRow::outline)[1], "add_new");
    EXPECT_EQ(toolkit::windows_in_order(&toolkit::RosterRow::alignment)[1], "about_form");
    EXPECT_EQ(toolkit::windows_in_order(&toolkit::RosterRow::opacity)[1], "options_form");
}

}  // namespace
}  // namespace kv
