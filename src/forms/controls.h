#pragma once
// The control kinds of the window system.
#include <string>
#include <vector>

#include "forms/control.h"
#include "platform/picture.h"

namespace kv::forms {

enum class Alignment { left = 0, right = 1, center = 2 };
// The number the forms runtime gave an alignment, as text.
const char* alignment_text(Alignment a);

class Label : public Control {
  public:
    Label(Form& form, std::string name, int index, Control* container);
    const std::string& caption() const { return caption_; }
    void set_caption(const std::string& c);
    Alignment alignment() const { return alignment_; }
    void set_alignment(Alignment a);
    // Transparent labels (BackStyle 0) draw no background but still take the mouse.
    bool transparent() const { return transparent_; }
    void set_transparent(bool t);
    bool auto_size() const { return auto_size_; }
    void set_auto_size(bool a);
    bool word_wrap() const { return word_wrap_; }
    void set_word_wrap(bool w);
    std::optional<std::string> property(std::string_view p) const override;

  private:
    void font_changed() override;
    void fit_to_caption();
    std::string caption_;
    Alignment alignment_ = Alignment::left;
    bool transparent_ = false;
    bool auto_size_ = false;
    bool word_wrap_ = false;
};

class Image : public Control {
  public:
    Image(Form& form, std::string name, int index, Control* container);
    const platform::Picture& picture() const { return picture_; }
    // Without Stretch the image takes its picture's natural size.
    void set_picture(const platform::Picture& p);
    bool stretch() const { return stretch_; }
    void set_stretch(bool s);
    std::optional<std::string> property(std::string_view p) const override;

  private:
    platform::Picture picture_;
    bool stretch_ = false;
};

// A windowed box that clips what it holds; its own picture is drawn at natural size from its corner.
class PictureBox : public Control {
  public:
    PictureBox(Form& form, std::string name, int index, Control* container);
    const platform::Picture& picture() const { return picture_; }
    void set_picture(const platform::Picture& p);
    bool border() const { return border_; }
    void set_border(bool b);
    std::optional<std::string> property(std::string_view p) const override;

  private:
    platform::Picture picture_;
    bool border_ = false;
};

// A text box edits itself as desktop text boxes do: the caret and the other end of the selection
// move with the arrows, Home and End (Shift selecting), Ctrl+A selects everything, and what is typed
// or pasted replaces the selection. Positions count bytes of the text.
class TextBox : public Control {
  public:
    TextBox(Form& form, std::string name, int index, Control* container);
    const std::string& text() const { return text_; }
    // Setting the text fires Change when it differs, as the forms runtime did; the caret and the
    // selection are kept as far as the new text reaches.
    void set_text(const std::string& t);
    bool locked() const { return locked_; }
    void set_locked(bool l);
    int max_length() const { return max_length_; }
    void set_max_length(int m);
    Alignment alignment() const { return alignment_; }
    void set_alignment(Alignment a);
    bool border() const { return border_; }
    void set_border(bool b);
    // A box of several lines: Enter types a line break (CR LF) and the text starts at the top.
    bool multi_line() const { return multi_line_; }
    void set_multi_line(bool m);

    // The selection as the forms runtime named it: SelStart is where it begins (the caret, when
    // nothing is selected), SelLength how long it is, SelText what it holds.
    int sel_start() const;
    int sel_length() const;
    std::string sel_text() const;
    // Puts the caret there with nothing selected.
    void set_sel_start(int s);
    // Selects that many bytes from SelStart.
    void set_sel_length(int n);
    // Replaces the selection with the text (inserts it at the caret when nothing is selected), with
    // the caret after it, as a paste does; fires Change once. Past MaxLength the text is cut short.
    void set_sel_text(const std::string& t);
    // The end of the selection that moves with the caret, and the end that stays.
    int caret() const { return caret_; }
    int anchor() const { return anchor_; }
    // Selects from anchor to caret, as a drag of the mouse leaves it; positions are kept within the
    // text and on whole characters.
    void select(int anchor, int caret);
    void select_all();

    // What a typed character does: KeyPress may change or cancel it (0), then it replaces the
    // selection or is inserted at the caret (Backspace removes the selection or the character before
    // the caret), firing Change.
    void type_character(int16_t key_ascii);
    // The box's own keys on KeyDown: Left, Right, Home and End move the caret (Ctrl by words, Shift
    // selecting), Ctrl+A selects all, Delete removes, Ctrl+C, Ctrl+X and Ctrl+V (Ctrl+Insert,
    // Shift+Delete, Shift+Insert) copy, cut and paste through the clipboard. True when the key was
    // one of them. In a box of several lines Home, End and the keys that go up and down depend on how
    // the display wraps the lines, and are left to it.
    bool edit_key(int16_t key_code, int16_t shift);

    std::optional<std::string> property(std::string_view p) const override;

  private:
    // Puts the text in place of the selection and the caret after it; fires Change.
    void replace_selection(const std::string& t);
    void move_caret(int to, bool selecting);
    enum class Clipboard { copy, cut, paste };
    void clipboard_key(Clipboard action);
    std::string text_;
    bool locked_ = false;
    int max_length_ = 0;
    Alignment alignment_ = Alignment::left;
    bool border_ = true;
    bool multi_line_ = false;
    int anchor_ = 0;
    int caret_ = 0;
};

class ListBox : public Control {
  public:
    ListBox(Form& form, std::string name, int index, Control* container);
    void add_item(const std::string& item);
    void clear();
    int list_count() const { return static_cast<int>(items_.size()); }
    // Fails for an index the list does not hold.
    const std::string& list(int i) const;
    int list_index() const { return list_index_; }
    // Fails outside -1 .. ListCount-1; fires Click when it changes, as the forms runtime did.
    void set_list_index(int i);
    // The current entry's text; empty when none.
    std::string text() const;
    const std::vector<std::string>& items() const { return items_; }

    // Rows are whole pixels of the list's font high, inside a frame of one pixel; the list scrolls in
    // whole rows. TopIndex is the first row shown; a row made current is scrolled into view.
    static constexpr float frame = twips_per_pixel;
    float row_height() const;
    int visible_rows() const;
    int top_index() const { return top_index_; }
    void set_top_index(int i);
    // The row at a height inside the list (twips from its top), or -1 when no row is there.
    int row_at(float y) const;

    std::optional<std::string> property(std::string_view p) const override;

  private:
    std::vector<std::string> items_;
    int list_index_ = -1;
    int top_index_ = 0;
};

// Every shape the windows use is the runtime's default one: a rectangle outlined in its border colour
// over a transparent back, unfilled. A skin may still set its fill colour, which then does not show.
class Shape : public Control {
  public:
    Shape(Form& form, std::string name, int index, Control* container);
    Color border_color() const { return border_color_; }
    void set_border_color(Color c);
    Color fill_color() const { return fill_color_; }
    void set_fill_color(Color c);
    std::optional<std::string> property(std::string_view p) const override;

  private:
    Color border_color_ = 0;
    Color fill_color_ = 0;
};

class Line : public Control {
  public:
    Line(Form& form, std::string name, int index, Control* container);
    float x1() const { return x1_; }
    float y1() const { return y1_; }
    float x2() const { return x2_; }
    float y2() const { return y2_; }
    void set_points(float x1, float y1, float x2, float y2);
    Color border_color() const { return border_color_; }
    void set_border_color(Color c);
    std::optional<std::string> property(std::string_view p) const override;

  private:
    float x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    Color border_color_ = 0;
};

// A captioned container drawn as a plain panel.
class Frame : public Control {
  public:
    Frame(Form& form, std::string name, int index, Control* container);
    const std::string& caption() const { return caption_; }
    void set_caption(const std::string& c);
    std::optional<std::string> property(std::string_view p) const override;

  private:
    std::string caption_;
};

// Fires on_timer every Interval milliseconds while Enabled and Interval > 0, on the display's clock.
// Changing Interval or Enabled restarts the count, as the forms runtime's timers did. Enabled is the
// control's own Enabled, off when the timer is made.
class Timer : public Control {
  public:
    Timer(Form& form, std::string name, int index, Control* container);
    ~Timer() override;
    int interval() const { return interval_; }
    void set_interval(int ms);
    bool running() const { return enabled() && interval_ > 0; }
    std::function<void()> on_timer;

    // What the timer's work waits for. A display that can tell may let a running timer sleep while
    // there is nothing for it to do, instead of waking the program at every interval; the virtual
    // clock of the headless display fires it at every interval regardless.
    enum class Work {
        every_tick,       // something at every tick
        wheel_turns,      // the window's wheel inbox: nothing to do while it is empty
        window_stacking,  // keeping the window on top: nothing to do until the windows change places
    };
    Work work() const { return work_; }
    void set_work(Work w) { work_ = w; }
    std::optional<std::string> property(std::string_view p) const override;

  private:
    void enabled_changed() override;
    int interval_ = 0;
    Work work_ = Work::every_tick;
};

}  // namespace kv::forms
