#include "forms/control.h"

#include <cmath>

#include "forms/form.h"
#include "platform/runtime.h"

namespace kv::forms {

Control::Control(Form& form, ControlKind kind, std::string name, int index, Control* container)
    : Geometry(0, 0),
      form_(form),
      kind_(kind),
      name_(std::move(name)),
      index_(index),
      container_(container) {}

Control::~Control() = default;

std::string Control::full_name() const {
    return index_ < 0 ? name_ : name_ + "(" + std::to_string(index_) + ")";
}

bool Control::windowed() const {
    return kind_ == ControlKind::picture_box || kind_ == ControlKind::text_box ||
           kind_ == ControlKind::list_box || kind_ == ControlKind::frame;
}

bool Control::is_container() const {
    return kind_ == ControlKind::picture_box || kind_ == ControlKind::frame;
}

bool Control::takes_mouse() const {
    return kind_ != ControlKind::shape && kind_ != ControlKind::line && kind_ != ControlKind::timer;
}

void Control::move(float l, float t, float w, float h) {
    set_left(l);
    set_top(t);
    set_width(w);
    set_height(h);
}

void Control::set_visible(bool v) {
    if (visible_ == v) return;
    visible_ = v;
    // A hidden control hears no release: it must not keep the mouse from the rest of the window.
    if (!v) form_.release_capture_within(*this);
    changed();
}

void Control::set_enabled(bool v) {
    if (enabled_ == v) {
        enabled_changed();
        return;
    }
    enabled_ = v;
    if (!v) form_.release_capture_within(*this);
    enabled_changed();
    changed();
}

void Control::set_font(const Font& f) {
    if (font_ == f) return;
    font_ = f;
    font_changed();
    changed();
}

void Control::set_font_name(const std::string& n) {
    Font f = font_;
    f.name = n;
    set_font(f);
}

void Control::set_font_size(float s) {
    if (!(s > 0) || s > 2048) throw platform::Failure("Invalid property value: FontSize of " + full_name());
    Font f = font_;
    f.size = s;
    set_font(f);
}

void Control::set_font_bold(bool b) {
    Font f = font_;
    f.bold = b;
    set_font(f);
}

void Control::set_font_italic(bool i) {
    Font f = font_;
    f.italic = i;
    set_font(f);
}

void Control::set_fore_color(Color c) {
    set_drawn(fore_color_, c);
}

void Control::set_back_color(Color c) {
    set_drawn(back_color_, c);
}

int to_pixels(float twips) {
    return static_cast<int>(std::lround(twips / static_cast<float>(twips_per_pixel)));
}

float Control::form_x() const {
    return left() + (container_ ? container_->form_x() : 0.0f);
}
float Control::form_y() const {
    return top() + (container_ ? container_->form_y() : 0.0f);
}

bool Control::shown() const {
    return visible_ && (!container_ || container_->shown());
}

std::optional<std::string> Control::property(std::string_view p) const {
    if (p == "Left") return platform::number_text(left());
    if (p == "Top") return platform::number_text(top());
    if (p == "Width") return platform::number_text(width());
    if (p == "Height") return platform::number_text(height());
    if (p == "Visible") return platform::bool_text(visible_);
    if (p == "Enabled") return platform::bool_text(enabled_);
    if (p == "Name") return name_;
    if (p == "Index") return std::to_string(index_);
    if (p == "ForeColor") return std::to_string(fore_color_);
    if (p == "BackColor") return std::to_string(back_color_);
    if (p == "FontName") return font_.name;
    if (p == "FontSize") return platform::number_text(font_.size);
    if (p == "FontBold") return platform::bool_text(font_.bold);
    if (p == "FontItalic") return platform::bool_text(font_.italic);
    return std::nullopt;
}

void Control::changed() {
    form_.changed();
}

}  // namespace kv::forms
