#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "forms/backend.h"
#include "headless/headless_backend.h"
#include "platform/runtime.h"
#include "toolkit/seven_row_list.h"

namespace {

using kv::forms::Control;
using kv::forms::left_button;
using kv::forms::right_button;
using kv::toolkit::ListLayout;
using kv::toolkit::ListSource;
using kv::toolkit::ListVariant;
using kv::toolkit::SevenRowList;

std::vector<std::string> numbered(int n, int first = 1) {
    std::vector<std::string> v;
    for (int i = 0; i < n; ++i) v.push_back("item " + std::to_string(first + i));
    return v;
}

// A framed window hosting one list over a vector of names, recording what the list asks of it.
class ListWindow : public kv::toolkit::FramedForm {
  public:
    ListWindow(const ListLayout& layout, const ListVariant& variant)
        : FramedForm("list_window", kv::toolkit::FrameStyle{"  List  ", 8775, 3540}),
          list(*this, layout, variant, source()) {}

    std::vector<std::string> items;
    std::string selected = "before";
    bool picked = true;                   // false: nothing selected, as after a delete
    std::vector<std::string> follow_ups;  // the selection each follow-up saw
    int double_clicks = 0;
    SevenRowList list;

  private:
    ListSource source() {
        // The windows that keep their names in a vector lend them the same way.
        ListSource s = kv::toolkit::vector_list_source(items, selected);
        s.set_selection = [this](const std::string& name) {
            selected = name;
            picked = true;
        };
        s.has_selection = [this] { return picked; };
        s.follow_up = [this] { follow_ups.push_back(selected); };
        s.double_click = [this] { ++double_clicks; };
        return s;
    }
};

// The font browser's arrangement: entries of a hidden list box, selection in a label's caption.
class FontWindow : public kv::toolkit::FramedForm {
  public:
    FontWindow()
        : FramedForm("font_window", kv::toolkit::FrameStyle{"  Font browser", 4335, 2700}),
          List1(add<kv::forms::ListBox>("List1", 120, 4800, 3855, 2595)),
          Label2(add<kv::forms::Label>("Label2", 2160, 680, 1815, 495)),
          list(*this, ListLayout::font_browser(), ListVariant::font_browser(), source()) {}

    kv::forms::ListBox& List1;
    kv::forms::Label& Label2;
    SevenRowList list;

  private:
    ListSource source() {
        ListSource s;
        s.count = [this] { return List1.list_count(); };
        s.item = [this](int t) {
            List1.set_list_index(t);
            return List1.text();
        };
        s.selection = [this] { return Label2.caption(); };
        s.set_selection = [this](const std::string& name) { Label2.set_caption(name); };
        return s;
    }
};

// A pointer resting on the thumb with no button held; handlers are called directly for thumb
// positions the pointer could not reach inside the window.
const kv::forms::MouseEvent hover{0, 0, 10, 10};

class SevenRowListTest : public ::testing::Test {
  protected:
    void SetUp() override { kv::forms::set_backend(&backend); }
    void TearDown() override {
        windows.clear();
        kv::forms::set_backend(nullptr);
    }

    ListWindow& window(int n, const ListVariant& variant = ListVariant::main_form(),
                       const ListLayout& layout = ListLayout::main_form()) {
        auto w = std::make_unique<ListWindow>(layout, variant);
        w->items = numbered(n);
        w->list.show_list();
        windows.push_back(std::move(w));
        return static_cast<ListWindow&>(*windows.back());
    }

    // Mouse actions at a point of a control, in its own twips.
    static void press(Control& c, int16_t button = left_button, float x = 10, float y = 10) {
        c.form().deliver_mouse_down(c.form_x() + x, c.form_y() + y, button, 0);
    }
    static void release(Control& c, int16_t button = left_button, float x = 10, float y = 10) {
        c.form().deliver_mouse_up(c.form_x() + x, c.form_y() + y, button, 0);
    }
    static void wheel(ListWindow& w, int delta) { w.deliver_wheel(delta); }

    static std::vector<std::string> captions(const SevenRowList& l) {
        std::vector<std::string> v;
        for (int k = 1; k <= 7; ++k) v.push_back(l.row(k).caption());
        return v;
    }
    static float track(int n, int top) { return static_cast<float>(505.0 / (n - 7) * (top - 1) + 255.0); }

    kv::headless::HeadlessBackend backend;
    std::vector<std::unique_ptr<kv::forms::Form>> windows;
};

TEST_F(SevenRowListTest, ControlsAreNamedAndPlacedForTheMainWindow) {
    ListWindow& w = window(0);
    auto* panel = w.find("Picture22");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->left(), 2055);
    EXPECT_EQ(panel->top(), 1185);
    EXPECT_EQ(w.find("list_item7")->left(), 85);
    EXPECT_EQ(w.find("list_item7")->top(), 1500);
    EXPECT_EQ(w.find("Label35")->top(), 1470);
    EXPECT_EQ(w.find("Label35")->width(), 1935);
    EXPECT_EQ(w.find("Picture33")->left(), 1680);
    EXPECT_EQ(w.find("Picture35")->top(), 1495);
    EXPECT_EQ(w.find("Picture36")->height(), 735);
    for (auto name : {"list_image", "list_selector_image", "shaft_image", "up_arrow", "down_arrow",
                      "scroll_image", "timer_up", "timer_down", "scroll_event", "Picture34"})
        EXPECT_NE(w.find(name), nullptr) << name;
    EXPECT_TRUE(w.list.scroll_event.running());
    EXPECT_FALSE(w.list.timer_up.running());

    ListWindow& skin = window(0, ListVariant::skin_browser(), ListLayout::skin_browser());
    for (auto name : {"Picture1", "Picture2", "Picture5", "Picture6", "Picture7", "Label3", "Label9"})
        EXPECT_NE(skin.find(name), nullptr) << name;
    EXPECT_EQ(skin.find("Label9")->height(), 375);
    EXPECT_EQ(skin.find("Label29"), nullptr);
    EXPECT_FALSE(skin.list.scroll_event.running());
}

TEST_F(SevenRowListTest, EmptyListHidesEverythingAndEachWindowTreatsTheSelectionItsWay) {
    ListWindow& main = window(0);
    for (int k = 1; k <= 7; ++k) {
        EXPECT_FALSE(main.list.row(k).visible());
        EXPECT_FALSE(main.list.click_label(k).enabled());
    }
    EXPECT_FALSE(main.list.list_selector_image.visible());
    EXPECT_FALSE(main.list.thumb.visible());
    EXPECT_EQ(main.selected, "");
    EXPECT_EQ(main.follow_ups, std::vector<std::string>{""});

    // The skin browser takes row 1's caption as it stands, the design caption on a never-filled list.
    ListWindow& skin = window(0, ListVariant::skin_browser(), ListLayout::skin_browser());
    EXPECT_EQ(skin.selected, "List item #1");
    EXPECT_EQ(skin.follow_ups, std::vector<std::string>{"List item #1"});

    ListWindow& language = window(0, ListVariant::language_browser(), ListLayout::language_browser());
    EXPECT_EQ(language.selected, "before");
    EXPECT_TRUE(language.follow_ups.empty());
}

TEST_F(SevenRowListTest, UpToSevenItemsFillTheirRowsAndNeitherArrowsNorWheelScroll) {
    for (int n = 1; n <= 7; ++n) {
        SCOPED_TRACE(n);
        ListWindow& w = window(n);
        for (int k = 1; k <= 7; ++k) {
            EXPECT_EQ(w.list.row(k).visible(), k <= n);
            EXPECT_EQ(w.list.click_label(k).enabled(), k <= n);
        }
        EXPECT_EQ(w.list.row(n).caption(), "item " + std::to_string(n));
        EXPECT_EQ(w.selected, "item 1");
        EXPECT_TRUE(w.list.list_selector_image.visible());
        EXPECT_EQ(w.list.list_selector_image.top(), 30);
        EXPECT_FALSE(w.list.thumb.visible());

        press(w.list.down_arrow);
        EXPECT_EQ(w.list.down_arrow.left(), 0);
        EXPECT_FALSE(w.list.timer_down.running());
        release(w.list.down_arrow);
        wheel(w, -120);
        backend.advance(10);
        EXPECT_EQ(w.list.scroll_top, 1);
        EXPECT_EQ(w.list.row(1).caption(), "item 1");
    }
}

TEST_F(SevenRowListTest, RowsKeepTheirCaptionsWhenTheListIsShownShorter) {
    ListWindow& w = window(9);
    w.items = numbered(2, 50);
    w.list.show_list();
    EXPECT_EQ(captions(w.list), (std::vector<std::string>{"item 50", "item 51", "item 3", "item 4", "item 5",
                                                          "item 6", "item 7"}));
    EXPECT_FALSE(w.list.row(3).visible());
    EXPECT_FALSE(w.list.thumb.visible());
}

TEST_F(SevenRowListTest, EightItemsGiveTheThumbTwoPlacesOnly) {
    ListWindow& w = window(8);
    EXPECT_TRUE(w.list.thumb.visible());
    EXPECT_EQ(w.list.thumb.top(), 255);

    std::vector<float> seen;
    auto step = [&](auto action) {
        action();
        seen.push_back(w.list.thumb.top());
    };
    step([&] { press(w.list.down_arrow); });
    EXPECT_EQ(w.list.scroll_top, 2);
    EXPECT_EQ(w.list.row(7).caption(), "item 8");
    step([&] { backend.advance(700); });  // repeats until it finds the end
    step([&] { release(w.list.down_arrow); });
    for (int i = 0; i < 3; ++i)
        step([&] {
            wheel(w, -120);
            backend.advance(10);
        });
    EXPECT_EQ(w.list.scroll_top, 2);
    step([&] {
        wheel(w, 120);
        backend.advance(10);
    });
    EXPECT_EQ(w.list.scroll_top, 1);
    step([&] { press(w.list.up_arrow); });
    for (float top : seen) EXPECT_TRUE(top == 255 || top == 760) << top;
}

TEST_F(SevenRowListTest, ThirtyEightItemsMoveTheThumbOneThirtyFirstOfTheTrackPerRow) {
    ListWindow& w = window(38);
    for (int top = 2; top <= 32; ++top) {
        w.list.scroll_list_down();
        ASSERT_EQ(w.list.scroll_top, top);
        EXPECT_FLOAT_EQ(w.list.thumb.top(), track(38, top));
    }
    EXPECT_EQ(w.list.thumb.top(), 760);
    EXPECT_EQ(w.list.row(7).caption(), "item 38");
    w.list.scroll_list_down();
    EXPECT_EQ(w.list.scroll_top, 32);
    for (int i = 0; i < 40; ++i) w.list.scroll_list_up();
    EXPECT_EQ(w.list.scroll_top, 1);
    EXPECT_EQ(w.list.thumb.top(), 255);
}

TEST_F(SevenRowListTest, HeldArrowStepsAtOnceThenAfterHalfASecondThenEverySixtyMilliseconds) {
    ListWindow& w = window(38);
    press(w.list.down_arrow);
    EXPECT_EQ(w.list.down_arrow.left(), -255);
    EXPECT_EQ(w.list.scroll_top, 2);
    backend.advance(499);
    EXPECT_EQ(w.list.scroll_top, 2);
    backend.advance(1);
    EXPECT_EQ(w.list.scroll_top, 3);
    backend.advance(59);
    EXPECT_EQ(w.list.scroll_top, 3);
    backend.advance(1);
    EXPECT_EQ(w.list.scroll_top, 4);
    backend.advance(600);
    EXPECT_EQ(w.list.scroll_top, 14);
    EXPECT_EQ(w.list.row(1).caption(), "item 14");
    release(w.list.down_arrow);
    EXPECT_EQ(w.list.down_arrow.left(), 0);
    backend.advance(1000);
    EXPECT_EQ(w.list.scroll_top, 14);

    // Held to the end: the tick after the last page turns the repeat off.
    press(w.list.down_arrow);
    backend.advance(500 + 60 * 16);
    EXPECT_EQ(w.list.scroll_top, 32);
    EXPECT_TRUE(w.list.timer_down.running());
    backend.advance(60);
    EXPECT_FALSE(w.list.timer_down.running());
    EXPECT_EQ(w.list.down_arrow.left(), -255);
    release(w.list.down_arrow);

    press(w.list.up_arrow, right_button);  // any button
    EXPECT_EQ(w.list.scroll_top, 31);
    backend.advance(500 + 60 * 29);
    EXPECT_EQ(w.list.scroll_top, 1);
    release(w.list.up_arrow, right_button);
}

TEST_F(SevenRowListTest, ArrowOnTheFirstPageShowsPressedReplacesTheThumbAndStopsAtTheFirstTick) {
    ListWindow& w = window(20);
    w.list.thumb.set_top(300);
    press(w.list.up_arrow);
    EXPECT_EQ(w.list.up_arrow.left(), -255);
    EXPECT_EQ(w.list.scroll_top, 1);
    EXPECT_EQ(w.list.thumb.top(), 255);
    EXPECT_TRUE(w.list.timer_up.running());
    backend.advance(500);
    EXPECT_FALSE(w.list.timer_up.running());
    EXPECT_EQ(w.list.timer_up.interval(), 60);
    release(w.list.up_arrow);
    EXPECT_EQ(w.list.up_arrow.left(), 0);
}

TEST_F(SevenRowListTest, WheelTakesOneTurnPerTickAndScrollingNeverChangesTheSelection) {
    ListWindow& w = window(20);
    press(w.list.click_label(3));
    ASSERT_EQ(w.selected, "item 3");
    EXPECT_EQ(w.list.list_selector_image.top(), 510);

    wheel(w, -120);
    wheel(w, -360);  // one row per turn, whatever its distance
    backend.advance(10);
    EXPECT_EQ(w.list.scroll_top, 2);
    EXPECT_EQ(w.list.list_selector_image.top(), 270);
    backend.advance(10);
    EXPECT_EQ(w.list.scroll_top, 3);
    EXPECT_EQ(w.list.list_selector_image.top(), 30);
    EXPECT_TRUE(w.list.list_selector_image.visible());
    backend.advance(50);
    EXPECT_EQ(w.list.scroll_top, 3);

    wheel(w, -1);
    backend.advance(10);
    EXPECT_FALSE(w.list.list_selector_image.visible());  // item 3 scrolled out
    wheel(w, 0);                                         // a zero distance counts as away from the user
    backend.advance(10);
    EXPECT_EQ(w.list.scroll_top, 3);
    EXPECT_TRUE(w.list.list_selector_image.visible());
    EXPECT_EQ(w.list.list_selector_image.top(), 30);
    EXPECT_EQ(w.selected, "item 3");
    EXPECT_EQ(w.follow_ups.size(), 2u);  // show_list and the press, none from scrolling
}

// In the configs window buttons act on the selected name, so scrolling carries the selection along
// to the nearest row shown rather than hide it.
TEST_F(SevenRowListTest, TheConfigsListKeepsItsSelectionInView) {
    ListWindow& w = window(20, ListVariant::configs_form(), ListLayout::configs_form());
    SevenRowList& l = w.list;
    l.scroll_event.set_enabled(true);
    press(l.click_label(2));
    release(l.click_label(2));
    for (int turn = 0; turn < 3; ++turn) {
        wheel(w, -120);
        backend.advance(10);
    }
    EXPECT_EQ(l.scroll_top, 4);
    EXPECT_EQ(w.selected, "item 4");  // item 2, then item 3 went off the top
    EXPECT_EQ(l.list_selector_image.top(), 30);
    EXPECT_TRUE(l.list_selector_image.visible());
    wheel(w, 120);  // still shown on row 2: it stays
    backend.advance(10);
    EXPECT_EQ(w.selected, "item 4");
    EXPECT_EQ(l.list_selector_image.top(), 270);

    // Off the bottom: the last row. The arrows and the thumb carry it along too.
    press(l.click_label(7));
    release(l.click_label(7));
    ASSERT_EQ(w.selected, "item 9");
    press(l.up_arrow);
    release(l.up_arrow);
    EXPECT_EQ(w.selected, "item 8");
    EXPECT_EQ(l.list_selector_image.top(), 1470);
    press(l.down_arrow);
    release(l.down_arrow);
    EXPECT_EQ(w.selected, "item 8");

    // A thumb dragged past its track draws from beyond the last page: the selector still stands on
    // the row that shows the selected name.
    const float x = l.thumb.form_x() + 10;
    const float grab_y = l.thumb.form_y() + 100;
    press(l.thumb, left_button, 10, 100);
    w.deliver_mouse_move(x, grab_y + 476, left_button, 0);
    w.deliver_mouse_move(x, grab_y + 476, left_button, 0);
    release(l.thumb, left_button, 10, 100);
    ASSERT_EQ(l.drawn_top, 15);
    EXPECT_EQ(w.selected, l.row(1).caption());
    EXPECT_EQ(l.list_selector_image.top(), 30);
    EXPECT_TRUE(l.list_selector_image.visible());

    // With nothing selected there is nothing to carry, and no row shows the selector.
    w.picked = false;
    w.selected = l.row(3).caption();
    l.update_list_selector();
    EXPECT_FALSE(l.list_selector_image.visible());
    l.scroll_list_up();
    l.scroll_list_up();
    EXPECT_FALSE(w.picked);
    EXPECT_FALSE(l.list_selector_image.visible());
}

TEST_F(SevenRowListTest, SelectNamedShowsTheItemScrollingAsLittleAsNeeded) {
    ListWindow& w = window(20);
    SevenRowList& l = w.list;
    EXPECT_TRUE(l.select_named("item 12"));
    EXPECT_EQ(l.scroll_top, 6);
    EXPECT_EQ(l.row(7).caption(), "item 12");
    EXPECT_EQ(l.list_selector_image.top(), 1470);
    EXPECT_EQ(l.thumb.top(), track(20, 6));
    EXPECT_EQ(w.follow_ups.back(), "item 12");
    // Already shown: no scrolling.
    EXPECT_TRUE(l.select_named("item 8"));
    EXPECT_EQ(l.scroll_top, 6);
    EXPECT_EQ(l.list_selector_image.top(), 510);
    // Above: it comes to row 1, in the list's own spelling.
    EXPECT_TRUE(l.select_named("ITEM 2"));
    EXPECT_EQ(w.selected, "item 2");
    EXPECT_EQ(l.scroll_top, 2);
    EXPECT_EQ(l.list_selector_image.top(), 30);

    // A name the list lacks is selected all the same, on no row, without scrolling.
    EXPECT_FALSE(l.select_named("item 99"));
    EXPECT_EQ(w.selected, "item 99");
    EXPECT_EQ(w.follow_ups.back(), "item 99");
    EXPECT_FALSE(l.list_selector_image.visible());
    EXPECT_EQ(l.scroll_top, 2);

    // The exact name first; two matching only ignoring case name neither.
    w.items = {"Dup", "dup", "Two", "TWO"};
    l.show_list();
    EXPECT_TRUE(l.select_named("dup"));
    EXPECT_EQ(l.list_selector_image.top(), 270);
    EXPECT_FALSE(l.select_named("two"));
    EXPECT_EQ(w.selected, "two");
    EXPECT_FALSE(l.list_selector_image.visible());
}

TEST_F(SevenRowListTest, WheelWaitsWhileTheWindowsPollingIsOff) {
    ListWindow& w = window(20, ListVariant::configs_form(), ListLayout::configs_form());
    wheel(w, -120);
    backend.advance(100);
    EXPECT_EQ(w.list.scroll_top, 1);
    w.list.scroll_event.set_enabled(true);
    backend.advance(10);
    EXPECT_EQ(w.list.scroll_top, 2);
}

TEST_F(SevenRowListTest, ARowPressWithAnyButtonSelectsAndNeverScrolls) {
    ListWindow& w = window(20);
    w.list.scroll_list_down();
    press(w.list.click_label(5), right_button);
    EXPECT_EQ(w.selected, "item 6");
    EXPECT_EQ(w.list.list_selector_image.top(), 990);
    EXPECT_EQ(w.follow_ups.back(), "item 6");
    EXPECT_EQ(w.list.scroll_top, 2);
    release(w.list.click_label(5), right_button);

    // The press of a double click selects; the double click itself runs the window's action.
    w.deliver_mouse_down(w.list.click_label(2).form_x() + 5, w.list.click_label(2).form_y() + 5, left_button,
                         0);
    w.deliver_mouse_up(w.list.click_label(2).form_x() + 5, w.list.click_label(2).form_y() + 5, left_button,
                       0);
    w.deliver_double_click(w.list.click_label(2).form_x() + 5, w.list.click_label(2).form_y() + 5,
                           left_button);
    EXPECT_EQ(w.selected, "item 3");
    EXPECT_EQ(w.double_clicks, 1);

    ListWindow& configs = window(20, ListVariant::configs_form(), ListLayout::configs_form());
    configs.deliver_double_click(configs.list.click_label(2).form_x() + 5,
                                 configs.list.click_label(2).form_y() + 5, left_button);
    EXPECT_EQ(configs.double_clicks, 0);
}

TEST_F(SevenRowListTest, SelectorStandsOnTheLowestOfTwoEqualRowsAfterARedraw) {
    ListWindow& w = window(0);
    w.items = {"a", "b", "dup", "c", "dup", "d", "e", "f", "g"};
    w.list.show_list();
    press(w.list.click_label(3));
    EXPECT_EQ(w.list.list_selector_image.top(), 510);
    w.list.scroll_list_up();  // already at the top: nothing is drawn, the selector stays
    EXPECT_EQ(w.list.list_selector_image.top(), 510);
    w.list.scroll_list_down();
    w.list.scroll_list_up();
    EXPECT_EQ(w.list.list_selector_image.top(), 990);
}

TEST_F(SevenRowListTest, DragFollowsThePointerAndTheRowsFollowOneEventBehind) {
    ListWindow& w = window(20);
    SevenRowList& l = w.list;
    const float column_y = l.scroll_column.form_y();
    const float x = l.thumb.form_x() + 10;
    press(l.thumb, left_button, 10, 100);
    EXPECT_EQ(l.scroll_image.left(), -255);
    EXPECT_EQ(w.drag_y, 100);

    w.deliver_mouse_move(x, column_y + 255 + 100 + 200, left_button, 0);
    EXPECT_EQ(l.thumb.top(), 455);
    EXPECT_EQ(l.scroll_top, 1);  // derived from where the thumb stood before this move
    w.deliver_mouse_move(x, column_y + 255 + 100 + 200, left_button, 0);
    EXPECT_EQ(l.scroll_top, 6);  // 200 * 13 / 505 = 5.15
    EXPECT_EQ(l.row(1).caption(), "item 6");
    release(l.thumb, left_button, 10, 100);
    EXPECT_EQ(l.scroll_image.left(), 0);

    // Only the left button alone drags.
    press(l.thumb, right_button, 10, 100);
    w.deliver_mouse_move(x, column_y + 455 + 100 + 150, right_button, 0);
    EXPECT_EQ(l.thumb.top(), 455);
    w.deliver_mouse_move(x, column_y + 455 + 100 + 150, left_button | right_button, 0);
    EXPECT_EQ(l.thumb.top(), 455);
    release(l.thumb, right_button, 10, 100);

    // Past 759 the thumb is pinned to the end, and leaves it only towards the grabbed point.
    press(l.thumb, left_button, 10, 100);
    l.thumb.set_top(759.5f);
    w.deliver_mouse_move(x, l.thumb.form_y() + 130, left_button, 0);
    EXPECT_EQ(l.thumb.top(), 760);
    w.deliver_mouse_move(x, l.thumb.form_y() + 70, left_button, 0);
    EXPECT_EQ(l.thumb.top(), 730);
    release(l.thumb);
}

TEST_F(SevenRowListTest, HoveringRederivesTheTopAndRedrawsOnlyWhereTheWindowSaysSo) {
    for (bool any_button : {true, false}) {
        ListWindow& w = any_button ? window(20) : window(20, ListVariant::language_browser());
        w.list.thumb.set_top(455);
        w.deliver_mouse_move(w.list.thumb.form_x() + 10, w.list.thumb.form_y() + 10, 0, 0);
        EXPECT_EQ(w.list.scroll_top, 6);
        EXPECT_EQ(w.list.thumb.top(), 455);
        EXPECT_EQ(w.list.row(1).caption(), any_button ? "item 6" : "item 1");
    }
}

TEST_F(SevenRowListTest, ThumbOvershootIsDrawnFromAndPutBack) {
    ListWindow& w = window(20);
    SevenRowList& l = w.list;
    const float x = l.thumb.form_x() + 10;
    const float grab_y = l.thumb.form_y() + 100;
    press(l.thumb, left_button, 10, 100);
    w.deliver_mouse_move(x, grab_y + 504, left_button, 0);
    ASSERT_EQ(l.thumb.top(), 759);
    w.selected = "item 15";
    w.deliver_mouse_move(x, grab_y + 554, left_button, 0);
    EXPECT_EQ(l.thumb.top(), 809);
    EXPECT_EQ(l.scroll_top, 14);
    EXPECT_EQ(l.list_selector_image.top(), 270);

    // 554 / 5.05 / (100 / 13) = 14.26: one row past the last page.
    w.deliver_mouse_move(x, grab_y + 554, left_button, 0);
    EXPECT_EQ(l.scroll_top, 15);
    EXPECT_EQ(l.drawn_top, 15);
    EXPECT_EQ(captions(l), (std::vector<std::string>{"item 15", "item 16", "item 17", "item 18", "item 19",
                                                     "item 20", "item 20"}));
    EXPECT_EQ(l.list_selector_image.top(), 270);  // not updated
    EXPECT_EQ(l.thumb.top(), 760);
    release(l.thumb, left_button, 10, 100);

    wheel(w, 120);
    backend.advance(10);
    EXPECT_EQ(l.scroll_top, 14);
    EXPECT_EQ(l.row(7).caption(), "item 20");
    EXPECT_EQ(l.list_selector_image.top(), 270);

    // Above the track: 206 derives 0, which draws nothing, then the thumb goes back to 255.
    l.thumb.set_top(206);
    const auto before = captions(l);
    w.deliver_mouse_move(x, l.thumb.form_y() + 10, 0, 0);
    EXPECT_EQ(l.scroll_top, 0);
    EXPECT_EQ(l.drawn_top, 0);
    EXPECT_EQ(captions(l), before);
    EXPECT_EQ(l.thumb.top(), 255);
    l.scroll_list_down();
    EXPECT_EQ(l.scroll_top, 1);
    EXPECT_EQ(l.row(1).caption(), "item 1");
}

TEST_F(SevenRowListTest, AStepAfterAFarOvershootLandsOnTheNearestPage) {
    ListWindow& w = window(1000);
    SevenRowList& l = w.list;
    l.thumb.set_top(1500);
    w.deliver_mouse_move(l.thumb.form_x() + 10, l.thumb.form_y() + 10, 0, 0);
    ASSERT_GT(l.scroll_top, 994);
    l.scroll_list_up();
    EXPECT_EQ(l.scroll_top, 994);
    EXPECT_EQ(l.row(7).caption(), "item 1000");
    EXPECT_EQ(l.thumb.top(), 760);

    l.thumb.set_top(-900);
    l.thumb_MouseMove(hover);
    ASSERT_LT(l.scroll_top, 0);
    press(l.down_arrow);
    EXPECT_EQ(l.scroll_top, 1);
    EXPECT_EQ(l.row(1).caption(), "item 1");
    EXPECT_EQ(l.thumb.top(), 255);
    release(l.down_arrow);
}

TEST_F(SevenRowListTest, ListsBeyondSixteenBitsShowTheirFirst32767Items) {
    ListWindow& w = window(40000);
    SevenRowList& l = w.list;
    EXPECT_EQ(l.item_count(), 32767);
    l.scroll_top = 32760;
    l.scroll_list_down();
    l.scroll_list_down();
    EXPECT_EQ(l.scroll_top, 32761);
    EXPECT_EQ(l.row(7).caption(), "item 32767");
    EXPECT_FLOAT_EQ(l.thumb.top(), 760);

    // A far drag past either end stays within 16 bits and draws nothing beyond the reachable items.
    l.thumb.set_top(5000);
    l.thumb_MouseMove(hover);
    EXPECT_EQ(l.scroll_top, 32767);
    EXPECT_EQ(l.row(1).caption(), "item 32767");
    EXPECT_EQ(l.row(2).caption(), "item 32762");
    l.thumb.set_top(-5000);
    l.thumb_MouseMove(hover);
    EXPECT_EQ(l.scroll_top, -32768);
    l.scroll_list_up();
    EXPECT_EQ(l.scroll_top, 1);
}

TEST_F(SevenRowListTest, ClearListEmptiesThroughTheWindowAndHideKeepsCaptions) {
    ListWindow& w = window(9);
    w.list.clear_list();
    EXPECT_TRUE(w.items.empty());
    EXPECT_EQ(w.list.row(1).caption(), "item 1");

    ListWindow& language = window(9, ListVariant::language_browser(), ListLayout::language_browser());
    language.list.hide_list_rows();
    EXPECT_EQ(language.selected, "item 1");  // only the main window and the font browser empty it
    EXPECT_FALSE(language.list.click_label(1).enabled());
    EXPECT_EQ(language.list.row(1).caption(), "item 1");
}

TEST_F(SevenRowListTest, FontBrowserCountsFromZeroAndSelectsIntoItsLabel) {
    auto owned = std::make_unique<FontWindow>();
    FontWindow& w = *owned;
    windows.push_back(std::move(owned));
    SevenRowList& l = w.list;

    // Empty: the label empties, the tops stay where they were.
    l.scroll_top = 5;
    l.drawn_top = 5;
    l.show_list();
    EXPECT_EQ(w.Label2.caption(), "");
    EXPECT_EQ(l.scroll_top, 5);

    for (const auto& name : numbered(10, 0)) w.List1.add_item(name);
    l.show_list();
    EXPECT_EQ(w.Label2.caption(), "item 0");
    EXPECT_EQ(l.scroll_top, 0);
    EXPECT_EQ(l.row(7).caption(), "item 6");
    EXPECT_TRUE(l.thumb.visible());

    for (int i = 0; i < 5; ++i) l.scroll_list_down();
    EXPECT_EQ(l.scroll_top, 3);
    EXPECT_EQ(l.row(7).caption(), "item 9");
    EXPECT_EQ(l.thumb.top(), 760);
    EXPECT_FALSE(l.list_selector_image.visible());

    // The thumb's derivation has no + 1 here.
    l.thumb.set_top(423);  // 505 / 3 * 1 + 255, rounded down
    w.deliver_mouse_move(l.thumb.form_x() + 10, l.thumb.form_y() + 10, 0, 0);
    EXPECT_EQ(l.scroll_top, 1);
    EXPECT_EQ(l.row(1).caption(), "item 1");

    press(l.click_label(2));
    EXPECT_EQ(w.Label2.caption(), "item 2");
    l.hide_list_rows();
    EXPECT_EQ(w.Label2.caption(), "");
}

// The vector-backed source reads and changes the window's own vector and selection, so later
// changes show through it, and it fails past either end like a missing item.
TEST(VectorListSource, LendsTheWindowsVectorAndSelection) {
    std::vector<std::string> names{"alpha", "beta"};
    std::string selection = "none";
    const ListSource s = kv::toolkit::vector_list_source(names, selection);
    names.push_back("gamma");
    EXPECT_EQ(s.count(), 3);
    EXPECT_EQ(s.item(1), "alpha");
    EXPECT_EQ(s.item(3), "gamma");
    EXPECT_THROW(s.item(0), kv::platform::Failure);
    EXPECT_THROW(s.item(4), kv::platform::Failure);
    s.set_selection("beta");
    EXPECT_EQ(selection, "beta");
    selection = "alpha";
    EXPECT_EQ(s.selection(), "alpha");
    s.remove_last();
    EXPECT_EQ(names, (std::vector<std::string>{"alpha", "beta"}));
    EXPECT_FALSE(s.follow_up);
    EXPECT_FALSE(s.double_click);
}

}  // namespace
