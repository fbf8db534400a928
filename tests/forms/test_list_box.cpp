#include <gtest/gtest.h>

#include <string>

#include "forms/form.h"
#include "headless/headless_backend.h"

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

TEST_F(ListBoxRows, FindsTheRowAtAHeightOfWhatShows) {
    list.set_top_index(2);
    EXPECT_EQ(list.row_at(15 + 195 * 3 + 5), 5);
    EXPECT_EQ(list.row_at(15 + 194), 2);
    EXPECT_EQ(list.row_at(5), -1);     // the frame
    EXPECT_EQ(list.row_at(1000), -1);  // the frame below
    list.clear();
    list.add_item("only");
    EXPECT_EQ(list.row_at(15 + 195 + 10), -1);  // below the last row
    EXPECT_EQ(list.row_at(15 + 10), 0);
}
