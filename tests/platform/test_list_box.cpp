#include <gtest/gtest.h>

#include <string>

#include "platform/forms/form.h"
#include "platform/headless/headless_backend.h"

using namespace kv::forms;

namespace {

// Five rows of 195 twips show in a list 1005 high (the frame is 15 above and below).
class ListBoxRows : public ::testing::Test {
  protected:
    ListBoxRows() : list((set_backend(&display), form.add<ListBox>("List1", 0, 300, 2000, 1005))) {
        for (int i = 0; i < 8; ++i) list.add_item("row " + std::to_string(i));
    }
    ~ListBoxRows() override { set_backend(nullptr); }

    kv::headless::HeadlessBackend display;
    Form form{"f"};
    ListBox& list;
};

}  // namespace

TEST_F(ListBoxRows, ScrollsInWholeRowsAndKeepsTheCurrentRowInView) {
    EXPECT_EQ(list.visible_rows(), 5);
    list.set_top_index(99);
    EXPECT_EQ(list.top_index(), 3);
    list.set_list_index(1);
    EXPECT_EQ(list.top_index(), 1);
    list.set_list_index(7);
    EXPECT_EQ(list.top_index(), 3);
    list.clear();
    EXPECT_EQ(list.top_index(), 0);
}

TEST_F(ListBoxRows, ALeftPressMakesTheRowUnderThePointerCurrentFirst) {
    int seen = -2;
    list.on_mouse_down = [&](const MouseEvent&) { seen = list.list_index(); };
    list.set_top_index(2);
    form.deliver_mouse_down(100, 300 + 15 + 195 * 3 + 5, left_button, 0);
    EXPECT_EQ(seen, 5);
    form.deliver_mouse_up(100, 300 + 15 + 195 * 3 + 5, left_button, 0);
    // Another button leaves the current row; so does a press below the last row or on the frame.
    form.deliver_mouse_down(100, 300 + 20, right_button, 0);
    EXPECT_EQ(seen, 5);
    form.deliver_mouse_up(100, 300 + 20, right_button, 0);
    EXPECT_EQ(list.row_at(5), -1);
    list.clear();
    list.add_item("only");
    EXPECT_EQ(list.row_at(15 + 195 + 10), -1);
    EXPECT_EQ(list.row_at(15 + 10), 0);
}
