#include "toolkit/window_design.h"

namespace kv::toolkit {

namespace {

constexpr float pixel = forms::twips_per_pixel;

forms::Control* container_of(const forms::Form& form, ControlRef ref) {
    if (!ref.name) return nullptr;
    return &control<forms::Control>(form, ref.name, ref.index);
}

forms::TextBox& dark_box(forms::TextBox& box) {
    box.set_border(false);
    box.set_back_color(0);
    box.set_fore_color(white);
    return box;
}

template <typename T>
T& add(forms::Form& form, const ControlDesign& row) {
    return form.add<T>(row.name.name, row.left, row.top, row.width, row.height,
                       container_of(form, row.container), row.name.index);
}

forms::Control& add_bare(forms::Form& form, const ControlDesign& row) {
    switch (row.type) {
        case ControlType::label:
            return add<forms::Label>(form, row);
        case ControlType::image:
            return add<forms::Image>(form, row);
        case ControlType::picture_box:
            return add<forms::PictureBox>(form, row);
        case ControlType::frame:
            return add<forms::Frame>(form, row);
        case ControlType::shape:
            return add<forms::Shape>(form, row);
        case ControlType::text_box:
            return add<forms::TextBox>(form, row);
        case ControlType::list_box:
            return add<forms::ListBox>(form, row);
        case ControlType::line: {
            auto& line = form.add<forms::Line>(row.name.name, 0, 0, 0, 0, container_of(form, row.container),
                                               row.name.index);
            line.set_points(row.left, row.top, row.width, row.height);
            return line;
        }
    }
    throw platform::Failure("a window row of no known control type");
}

}  // namespace

forms::Label& build_caption(forms::Form& form, const CaptionDesign& row) {
    auto& label = form.add<forms::Label>(row.name, row.left, row.top, row.width, row.height,
                                         container_of(form, row.container));
    if (has(row.look, TextLook::auto_sized)) label.set_auto_size(true);
    if (has(row.look, TextLook::wrapped)) label.set_word_wrap(true);
    if (has(row.look, TextLook::centred)) label.set_alignment(forms::Alignment::center);
    return white_text(label, row.text);
}

forms::TextBox& build_field(forms::Form& form, const FieldDesign& row) {
    form.add<forms::Shape>(row.shape, row.left, row.top, row.width, row.height).set_border_color(row.border);
    auto& box = dark_box(form.add<forms::TextBox>(row.text_box, row.left + pixel, row.top + pixel,
                                                  row.width - 2 * pixel, row.height - 2 * pixel));
    box.set_locked(row.locked);
    box.set_multi_line(row.multi_line);
    return box;
}

forms::Image& build_option(forms::Form& form, const OptionDesign& row) {
    auto& holder = form.add<forms::PictureBox>(row.holder.name, row.left, row.top, mark_size, mark_size,
                                               nullptr, row.holder.index);
    auto& mark =
        form.add<forms::Image>(row.mark.name, 0, 0, mark_size, 2 * mark_size, &holder, row.mark.index);
    mark.set_stretch(row.stretched);
    if (!row.caption_label) return mark;
    white_text(form.add<forms::Label>(row.caption_label, row.left + row.caption_left,
                                      row.top + row.caption_top, row.caption_width, row.caption_height),
               row.caption);
    auto& click = click_label(
        form.add<forms::Label>(row.click_label, row.left, row.top, row.click_width, row.caption_height));
    // The mark's holder stands above the click label: a press on the mark does what a press on its
    // caption does, whatever the window gives the caption to do.
    mark.on_mouse_down = [&click](const forms::MouseEvent& e) {
        if (click.on_mouse_down) click.on_mouse_down(e);
    };
    return mark;
}

forms::Control& build_control(forms::Form& form, const ControlDesign& row) {
    forms::Control& c = add_bare(form, row);
    switch (row.look) {
        case ControlLook::plain:
            break;
        case ControlLook::stretched:
            stretched(dynamic_cast<forms::Image&>(c));
            break;
        case ControlLook::click_area:
            click_label(dynamic_cast<forms::Label&>(c));
            break;
        case ControlLook::blue_border:
            if (auto* shape = dynamic_cast<forms::Shape*>(&c)) shape->set_border_color(frame_blue);
            if (auto* line = dynamic_cast<forms::Line*>(&c)) line->set_border_color(frame_blue);
            break;
        case ControlLook::dark_box:
            dark_box(dynamic_cast<forms::TextBox&>(c));
            break;
        case ControlLook::hidden:
            c.set_visible(false);
            break;
        case ControlLook::disabled:
            c.set_enabled(false);
            break;
    }
    return c;
}

forms::Timer& build_timer(forms::Form& form, const TimerDesign& row) {
    auto& timer = form.add<forms::Timer>(row.name, 0, 0, 0, 0);
    timer.set_interval(row.interval);
    return timer;
}

void build_window(forms::Form& form, std::span<const WindowRow> rows) {
    for (const WindowRow& row : rows) {
        std::visit(
            [&form](const auto& r) {
                using Row = std::decay_t<decltype(r)>;
                if constexpr (std::is_same_v<Row, ControlDesign>) build_control(form, r);
                if constexpr (std::is_same_v<Row, CaptionDesign>) build_caption(form, r);
                if constexpr (std::is_same_v<Row, FieldDesign>) build_field(form, r);
                if constexpr (std::is_same_v<Row, OptionDesign>) build_option(form, r);
                if constexpr (std::is_same_v<Row, PushButton>) build_push_button(form, r);
                if constexpr (std::is_same_v<Row, TimerDesign>) build_timer(form, r);
            },
            row);
    }
}

}  // namespace kv::toolkit
