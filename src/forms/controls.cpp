#include "forms/controls.h"

#include <algorithm>
#include <cmath>

#include "forms/backend.h"
#include "forms/form.h"
#include "platform/runtime.h"

namespace kv::forms {

const char* alignment_text(Alignment a) {
    switch (a) {
        case Alignment::left:
            return "0";
        case Alignment::right:
            return "1";
        case Alignment::center:
            return "2";
    }
    return "0";
}

// ---- Label

Label::Label(Form& form, std::string name, int index, Control* container)
    : Control(form, ControlKind::label, std::move(name), index, container) {
    set_back_color(button_face);
}

void Label::set_caption(const std::string& c) {
    if (caption_ == c) return;
    caption_ = c;
    fit_to_caption();
    changed();
}

void Label::set_alignment(Alignment a) {
    set_drawn(alignment_, a);
}

void Label::set_transparent(bool t) {
    set_drawn(transparent_, t);
}

void Label::set_auto_size(bool a) {
    if (auto_size_ == a) return;
    auto_size_ = a;
    fit_to_caption();
    changed();
}

void Label::set_word_wrap(bool w) {
    if (word_wrap_ == w) return;
    word_wrap_ = w;
    fit_to_caption();
    changed();
}

void Label::font_changed() {
    fit_to_caption();
}

void Label::fit_to_caption() {
    if (!auto_size_) return;
    // A label that wraps its words keeps its width and grows down to its last line.
    if (word_wrap_) return set_height(backend().measure_wrapped_text(font(), caption_, width()).height);
    TextSize size = backend().measure_text(font(), caption_);
    set_width(size.width);
    set_height(size.height);
}

std::optional<std::string> Label::property(std::string_view p) const {
    if (p == "Caption") return caption_;
    if (p == "Alignment") return alignment_text(alignment_);
    if (p == "BackStyle") return transparent_ ? "0" : "1";
    if (p == "AutoSize") return platform::bool_text(auto_size_);
    if (p == "WordWrap") return platform::bool_text(word_wrap_);
    return Control::property(p);
}

// ---- Image

Image::Image(Form& form, std::string name, int index, Control* container)
    : Control(form, ControlKind::image, std::move(name), index, container) {}

void Image::set_picture(const platform::Picture& p) {
    picture_ = p;
    if (!stretch_ && !p.empty()) {
        set_width(static_cast<float>(p.width_px() * twips_per_pixel));
        set_height(static_cast<float>(p.height_px() * twips_per_pixel));
    }
    changed();
}

void Image::set_stretch(bool s) {
    set_drawn(stretch_, s);
}

std::optional<std::string> Image::property(std::string_view p) const {
    if (p == "Picture") return picture_.file();
    if (p == "Stretch") return platform::bool_text(stretch_);
    return Control::property(p);
}

// ---- PictureBox

PictureBox::PictureBox(Form& form, std::string name, int index, Control* container)
    : Control(form, ControlKind::picture_box, std::move(name), index, container) {
    set_back_color(button_face);
}

void PictureBox::set_picture(const platform::Picture& p) {
    picture_ = p;
    changed();
}

void PictureBox::set_border(bool b) {
    set_drawn(border_, b);
}

std::optional<std::string> PictureBox::property(std::string_view p) const {
    if (p == "Picture") return picture_.file();
    if (p == "BorderStyle") return border_ ? "1" : "0";
    return Control::property(p);
}

// ---- ListBox

ListBox::ListBox(Form& form, std::string name, int index, Control* container)
    : Control(form, ControlKind::list_box, std::move(name), index, container) {}

void ListBox::add_item(const std::string& item) {
    items_.push_back(item);
    changed();
}

void ListBox::clear() {
    items_.clear();
    list_index_ = -1;
    top_index_ = 0;
    changed();
}

const std::string& ListBox::list(int i) const {
    if (i < 0 || i >= list_count()) throw platform::Failure("Invalid argument: List of " + full_name());
    return items_[static_cast<size_t>(i)];
}

void ListBox::set_list_index(int i) {
    if (i < -1 || i >= list_count())
        throw platform::Failure("Invalid property value: ListIndex of " + full_name());
    if (list_index_ == i) return;
    list_index_ = i;
    if (i >= 0 && i < top_index_) top_index_ = i;
    if (i >= 0 && i >= top_index_ + visible_rows()) top_index_ = i - visible_rows() + 1;
    changed();
    if (on_click) on_click();
}

float ListBox::row_height() const {
    constexpr auto pixel = static_cast<float>(twips_per_pixel);
    const float text = backend().measure_text(font(), "Xg").height;
    return std::max(1.0f, std::ceil(text / pixel)) * pixel;
}

int ListBox::visible_rows() const {
    return std::max(1, static_cast<int>(std::floor((height() - 2 * frame) / row_height())));
}

void ListBox::set_top_index(int i) {
    const int last_top = std::max(0, list_count() - visible_rows());
    const int top = std::clamp(i, 0, last_top);
    if (top == top_index_) return;
    top_index_ = top;
    changed();
}

int ListBox::row_at(float y) const {
    if (y < frame || y >= height() - frame) return -1;
    const int row = top_index_ + static_cast<int>(std::floor((y - frame) / row_height()));
    return row < list_count() ? row : -1;
}

std::string ListBox::text() const {
    return list_index_ < 0 ? std::string() : items_[static_cast<size_t>(list_index_)];
}

std::optional<std::string> ListBox::property(std::string_view p) const {
    if (p == "ListCount") return std::to_string(list_count());
    if (p == "ListIndex") return std::to_string(list_index_);
    if (p == "TopIndex") return std::to_string(top_index_);
    if (p == "Text") return text();
    return Control::property(p);
}

// ---- Shape

Shape::Shape(Form& form, std::string name, int index, Control* container)
    : Control(form, ControlKind::shape, std::move(name), index, container) {}

void Shape::set_border_color(Color c) {
    border_color_ = c;
    changed();
}
void Shape::set_fill_color(Color c) {
    fill_color_ = c;
    changed();
}

std::optional<std::string> Shape::property(std::string_view p) const {
    // Rectangle, transparent fill and back.
    if (p == "Shape") return "0";
    if (p == "BorderColor") return std::to_string(border_color_);
    if (p == "FillColor") return std::to_string(fill_color_);
    if (p == "FillStyle") return "1";
    if (p == "BackStyle") return "0";
    return Control::property(p);
}

// ---- Line

Line::Line(Form& form, std::string name, int index, Control* container)
    : Control(form, ControlKind::line, std::move(name), index, container) {}

void Line::set_points(float x1, float y1, float x2, float y2) {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    changed();
}

void Line::set_border_color(Color c) {
    border_color_ = c;
    changed();
}

std::optional<std::string> Line::property(std::string_view p) const {
    if (p == "X1") return platform::number_text(x1_);
    if (p == "Y1") return platform::number_text(y1_);
    if (p == "X2") return platform::number_text(x2_);
    if (p == "Y2") return platform::number_text(y2_);
    if (p == "BorderColor") return std::to_string(border_color_);
    return Control::property(p);
}

// ---- Frame

Frame::Frame(Form& form, std::string name, int index, Control* container)
    : Control(form, ControlKind::frame, std::move(name), index, container) {}

void Frame::set_caption(const std::string& c) {
    caption_ = c;
    changed();
}

std::optional<std::string> Frame::property(std::string_view p) const {
    if (p == "Caption") return caption_;
    return Control::property(p);
}

// ---- Timer

Timer::Timer(Form& form, std::string name, int index, Control* container)
    : Control(form, ControlKind::timer, std::move(name), index, container) {
    set_enabled(false);
}

Timer::~Timer() {
    if (Backend* display = backend_if_set()) display->timer_destroyed(*this);
}

void Timer::set_interval(int ms) {
    if (ms < 0 || ms > 65535) throw platform::Failure("Invalid property value: Interval of " + full_name());
    interval_ = ms;
    backend().timer_changed(*this);
}

void Timer::enabled_changed() {
    backend().timer_changed(*this);
}

std::optional<std::string> Timer::property(std::string_view p) const {
    if (p == "Interval") return std::to_string(interval_);
    return Control::property(p);
}

}  // namespace kv::forms
