#pragma once
// The seven-row scrolling list shared by the main window and four dialogs: seven text rows with a
// selector bar, a scroll column (arrows with auto-repeat, a draggable thumb) and wheel polling.
// It is built from plain labels, images, picture boxes and timers so that skins, fonts and languages
// can address every control by name. Each window owns one instance, configured by a ListLayout (where
// its controls sit and what the window-specific ones are called) and a ListVariant (the small
// behavioural differences between the windows). The items and the selection stay with the window,
// which lends them through a ListSource.
//
// Item numbers are 1-based, or 0-based when the variant's base is 0 (the font browser).
// Positions are twips; rows are numbered 1..7 (row 1 is `list_item`, row k is `list_itemk`).
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "forms/controls.h"
#include "toolkit/framed_form.h"

namespace kv::toolkit {

// Where the list's controls sit and the names that differ between windows. The defaults are the main
// window's; the presets below give each window's own.
struct ListLayout {
    // The panel (a picture box in the window) that holds everything, and its place in the window.
    std::string panel_name = "Picture22";
    float panel_left = 2055;
    float panel_top = 1185;
    float panel_width = 1935;
    float panel_height = 1750;
    // Row labels: Left of rows 1..6, of row 7 (the main window's is 5 twips further right), width.
    float row_left = 80;
    float row7_left = 85;
    float row_width = 1695;
    // Click labels are called click_label_prefix + (click_label_first + k - 1): Label29..Label35.
    std::string click_label_prefix = "Label";
    int click_label_first = 29;
    float click_label_width = 1935;
    float click_label7_height = 255;
    float selector_width = 1665;
    // The scroll column (a picture box in the panel, 255 wide, 1755 high) and the boxes it holds.
    std::string scroll_column_name = "Picture33";
    float scroll_column_left = 1680;
    std::string up_box_name = "Picture34";
    std::string down_box_name = "Picture35";
    std::string thumb_name = "Picture36";

    static ListLayout main_form();
    static ListLayout skin_browser();
    static ListLayout font_browser();
    static ListLayout language_browser();
    static ListLayout configs_form();
};

// When show_list copies row 1 into the selection, or runs the window's follow-up.
enum class ShowListStep {
    never,
    with_row1,   // right after row 1 is filled (an empty list skips it)
    after_rows,  // at the end, also when filling stopped at a missing item
};

struct ListVariant {
    // Number of the first item: 1, or 0 for the font browser.
    int16_t base = 1;
    // hide_list_rows also empties the selection (main window, font browser).
    bool hide_empties_selection = true;
    // show_list: when the selection takes row 1's caption, and when the follow-up runs.
    ShowListStep selection_from_row1 = ShowListStep::with_row1;
    ShowListStep follow_up_in_show_list = ShowListStep::after_rows;
    // show_list sets scroll_top and drawn_top after row 1 instead of before it (font browser), so an
    // empty list leaves them as they were.
    bool tops_after_row1 = false;
    // A thumb move redraws the rows with any buttons held (or none); otherwise only with the left
    // button alone, and other moves only re-derive scroll_top.
    bool thumb_move_redraws_any_button = true;
    // scroll_event runs from the start (the main window); dialogs have it switched on by their opener.
    bool wheel_on_at_start = true;
    // A double click on a row runs ListSource::double_click (the main window).
    bool row_double_click = true;
    // Scrolling carries the selection along rather than hide it, so that buttons acting on the selected
    // name (the configs window's Delete, Activate, Configure) never act on a row the user cannot see.
    bool selection_stays_in_view = false;

    static ListVariant main_form();
    static ListVariant skin_browser();
    static ListVariant font_browser();
    static ListVariant language_browser();
    static ListVariant configs_form();
};

// What the window lends the list. Only count, item, selection and set_selection are required.
struct ListSource {
    // Number of items N.
    std::function<int()> count;
    // Item number t (1-based, or 0-based with base 0). Throws kv::Failure for a number the list does
    // not hold; the list stops filling rows there, as its rules say.
    std::function<std::string(int t)> item;
    // The selected name, and setting it.
    std::function<std::string()> selection;
    std::function<void(const std::string&)> set_selection;
    // Whether a name is selected at all; without it the window always has a selection. Where nothing
    // is selected no row shows the selector, even one whose caption equals the selection's text.
    std::function<bool()> has_selection;
    // What the window does after the selection changed (a row press, and show_list as configured).
    std::function<void()> follow_up;
    // Removes the list's last item (clear_list); none where the window has no clear_list.
    std::function<void()> remove_last;
    // A double click on a row (the main window runs the selected emulator).
    std::function<void()> double_click;
};

// Item t of a 1-based list held in a vector; fails like a missing item.
std::string item_at(const std::vector<std::string>& list, int t);

// The count, items, selection and remove_last of a window that keeps its names in a vector and the
// selected name in a string; the window adds follow_up and double_click where it has them. Both are
// kept by reference and must outlive the list.
ListSource vector_list_source(std::vector<std::string>& items, std::string& selection);

// The list keeps 16-bit item numbers, so it shows at most this many items; the rest are out of reach.
inline constexpr int max_list_items = 32767;

class SevenRowList {
  public:
    // Adds the list's controls to the window at the layout's places and wires their events.
    SevenRowList(FramedForm& form, const ListLayout& layout, const ListVariant& variant, ListSource source);
    SevenRowList(const SevenRowList&) = delete;
    SevenRowList& operator=(const SevenRowList&) = delete;

    // Item shown in row 1, and the top for which the rows were last drawn.
    int16_t scroll_top = 0;
    int16_t drawn_top = 0;

    // The controls, by the names skins, fonts and languages use.
    forms::PictureBox& panel;           // Picture22 (skin browser: Picture1)
    forms::Image& list_image;           // background of the rows, fills the panel
    forms::Image& list_selector_image;  // the selector bar behind the selected row
    forms::PictureBox& scroll_column;   // Picture33 (skin browser: Picture6)
    forms::Image& shaft_image;
    forms::PictureBox& up_box;    // Picture34 (skin browser: Picture2)
    forms::Image& up_arrow;       // released at Left 0, pressed at Left -255
    forms::PictureBox& down_box;  // Picture35 (skin browser: Picture7)
    forms::Image& down_arrow;
    forms::PictureBox& thumb;    // Picture36 (skin browser: Picture5), Top 255..760
    forms::Image& scroll_image;  // the thumb's sprite: released at Left 0, pressed at Left -255
    forms::Timer& timer_up;
    forms::Timer& timer_down;
    forms::Timer& scroll_event;  // wheel polling, 10 ms

    // Row k (1..7): `list_item`, `list_item2`..`list_item7`, and its click label.
    forms::Label& row(int k) const { return *rows_.at(static_cast<size_t>(k - 1)); }
    forms::Label& click_label(int k) const { return *click_labels_.at(static_cast<size_t>(k - 1)); }

    // Items the list can reach: the source's count, at most max_list_items.
    int item_count() const;

    // Shows the list from its first item with row 1 selected (after the window refilled it).
    void show_list();
    // Hides rows, selector and thumb and disables the click labels; the rows keep their captions.
    void hide_list_rows();
    // Removes every item through ListSource::remove_last.
    void clear_list();
    // Shows the items from `top` on; nothing at all when `top` is already drawn.
    void draw_list_rows(int16_t top);
    // Puts the selector on the lowest row showing the selection, or hides it.
    void update_list_selector();
    // One row up or down (the wheel); the selection changes only where the variant keeps it in view.
    void scroll_list_up();
    void scroll_list_down();
    // Selects the item of that name (the exact name, else the one item matching it ignoring case, in
    // the list's own spelling), scrolls as little as needed to show its row, and runs the follow-up.
    // A name the list does not hold is selected all the same, with no row showing the selector, so
    // that a window opened on what is in use keeps it when nothing is picked. Answers whether the
    // list holds it.
    bool select_named(const std::string& name);

    // Event handlers, wired to the controls by the constructor.
    void row_MouseDown(int k, const forms::MouseEvent& e);
    void row_DblClick(int k);
    void up_arrow_MouseDown(const forms::MouseEvent& e);
    void up_arrow_MouseUp(const forms::MouseEvent& e);
    void down_arrow_MouseDown(const forms::MouseEvent& e);
    void down_arrow_MouseUp(const forms::MouseEvent& e);
    void timer_up_Timer();
    void timer_down_Timer();
    void thumb_MouseDown(const forms::MouseEvent& e);
    void thumb_MouseMove(const forms::MouseEvent& e);
    void thumb_MouseUp(const forms::MouseEvent& e);
    void scroll_event_Timer();

  private:
    // Item t, or nothing when the list does not hold it (or it lies beyond max_list_items).
    std::optional<std::string> fetch(int t) const;
    // Number of the item shown in row 1 on the last page.
    int last_top() const;
    // Stores a computed top, kept within the first and last page (see the .cpp for why).
    void set_step_top(int top);
    void place_thumb();
    void redraw_after_step();
    void run_follow_up();
    bool has_selection() const;
    // The row (1..7) showing the selection, or 0.
    int selected_row() const;
    // The item named `name` (exactly, else the one match ignoring case), if the list holds it.
    std::optional<int> find_item(const std::string& name) const;
    // After a draw that scrolled the selected row away: the selection moves to the row nearest to
    // where it was (row 1 after scrolling down, the last row shown after scrolling up).
    void keep_selection_in_view(bool scrolled_down);

    FramedForm& form_;
    ListVariant variant_;
    ListSource source_;
    std::array<forms::Label*, 7> rows_{};
    std::array<forms::Label*, 7> click_labels_{};
};

}  // namespace kv::toolkit
