// The window directory on a roster of its own: one instance per window, loaded on first touch unless
// asked not to, reached by type or by name, walked in each order the roster gives.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/headless_test.h"
#include "toolkit/windows.h"

namespace kv::toolkit {
namespace {

std::vector<std::string> loads;

class first_window : public forms::Form {
  public:
    first_window() : forms::Form("first_window") {}
    void Form_Load() override { loads.push_back(name()); }
};

class second_window : public forms::Form {
  public:
    second_window() : forms::Form("second_window") {}
    void Form_Load() override {
        loads.push_back(name());
        // Touched again while it loads: the same instance, not loaded twice.
        form<second_window>();
    }
};

template <typename T>
constexpr RosterRow row(std::string_view name, int frame, int opacity) {
    return {name,
            []() -> forms::Form& { return form<T>(); },
            []() -> forms::Form& { return form_without_load<T>(); },
            0,
            frame,
            0,
            0,
            opacity};
}

const RosterRow test_rows[] = {
    row<first_window>("first_window", 2, 0),
    row<second_window>("second_window", 1, 1),
};

class WindowDirectoryTest : public kvtest::HeadlessTest {
  protected:
    WindowDirectoryTest() {
        loads.clear();
        set_window_roster(test_rows);
    }
    ~WindowDirectoryTest() override {
        reset_forms();
        set_window_roster({});
    }
};

TEST_F(WindowDirectoryTest, AWindowIsMadeOnceAndLoadedOnceWhetherReachedByTypeOrByName) {
    second_window& by_type = form<second_window>();
    EXPECT_EQ(form_named("second_window"), &by_type);
    EXPECT_EQ(&form<second_window>(), &by_type);
    EXPECT_EQ(loads, std::vector<std::string>{"second_window"});
    EXPECT_EQ(form_named("no_such_window"), nullptr);
    EXPECT_EQ(form_named_without_load("no_such_window"), nullptr);
}

TEST_F(WindowDirectoryTest, WithoutLoadMakesTheWindowAndLeavesItsLoadToTheFirstFullTouch) {
    forms::Form* unloaded = form_named_without_load("first_window");
    ASSERT_NE(unloaded, nullptr);
    EXPECT_FALSE(unloaded->loaded());
    EXPECT_EQ(&form_without_load<first_window>(), unloaded);
    EXPECT_TRUE(loads.empty());
    EXPECT_EQ(form_named("first_window"), unloaded);
    EXPECT_TRUE(unloaded->loaded());
    EXPECT_EQ(loads, std::vector<std::string>{"first_window"});
}

TEST_F(WindowDirectoryTest, WindowsAreListedInCreationOrderAndAResetStartsAfresh) {
    form<second_window>();
    form_without_load<first_window>();
    const auto created = created_forms();
    ASSERT_EQ(created.size(), 2u);
    EXPECT_EQ(created[0]->name(), "second_window");
    EXPECT_EQ(created[1]->name(), "first_window");
    reset_forms();
    EXPECT_TRUE(created_forms().empty());
    form<first_window>();
    EXPECT_EQ(loads, (std::vector<std::string>{"second_window", "first_window"}));
}

TEST_F(WindowDirectoryTest, EachWalkTakesTheWindowsOfItsOrderOnly) {
    EXPECT_EQ(windows_in_order(&RosterRow::frame),
              (std::vector<std::string_view>{"second_window", "first_window"}));
    EXPECT_EQ(windows_in_order(&RosterRow::opacity), std::vector<std::string_view>{"second_window"});
    EXPECT_TRUE(windows_in_order(&RosterRow::title_colour).empty());
    set_window_roster({});
    EXPECT_EQ(form_named("first_window"), nullptr);
    EXPECT_TRUE(windows_in_order(&RosterRow::frame).empty());
}

}  // namespace
}  // namespace kv::toolkit
