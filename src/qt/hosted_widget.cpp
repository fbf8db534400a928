#include "qt/hosted_widget.h"

#include <QPalette>

#include "qt/list_box_view.h"
#include "qt/painting.h"
#include "qt/text.h"
#include "qt/text_box_widgets.h"

namespace kv::qt {

namespace {

bool effectively_enabled(const forms::Control& c) {
    for (const forms::Control* p = &c; p; p = p->container())
        if (!p->enabled()) return false;
    return true;
}

void set_colors(QWidget& w, forms::Color back, forms::Color fore) {
    QPalette pal = w.palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Base, to_qcolor(back));
        pal.setColor(group, QPalette::Text, to_qcolor(fore));
    }
    // A disabled box keeps the skin's colours, its text greyed half way to the background.
    const QColor b = to_qcolor(back);
    const QColor f = to_qcolor(fore);
    pal.setColor(QPalette::Disabled, QPalette::Base, b);
    pal.setColor(QPalette::Disabled, QPalette::Text,
                 QColor((b.red() + f.red()) / 2, (b.green() + f.green()) / 2, (b.blue() + f.blue()) / 2));
    if (pal != w.palette()) w.setPalette(pal);
}

}  // namespace

HostedWidget* make_hosted_widget(FormWindow& window, forms::Control& control, bool& list_mouse_held) {
    if (auto* box = dynamic_cast<forms::TextBox*>(&control)) {
        if (box->multi_line()) return new TextBoxArea(window, *box);
        return new TextBoxEdit(window, *box);
    }
    if (auto* list = dynamic_cast<forms::ListBox*>(&control))
        return new ListBoxView(window, *list, list_mouse_held);
    return nullptr;
}

void place_hosted_widget(const forms::Control& control, QWidget& widget, const QRect& window_rect) {
    const QRect r = pixel_rect(control);
    const QRect clip = container_clip(control, window_rect);
    if (widget.geometry() != r) widget.setGeometry(r);
    // Containers clip what they hold, native widgets included.
    if (!clip.contains(r)) {
        const QRegion visible = QRegion(clip.translated(-r.topLeft())) & QRegion(0, 0, r.width(), r.height());
        if (widget.mask() != visible) widget.setMask(visible.isEmpty() ? QRegion(-2, -2, 1, 1) : visible);
    } else if (!widget.mask().isEmpty()) {
        widget.clearMask();
    }
    widget.setEnabled(effectively_enabled(control));
    const QFont font = to_qfont(control.font());
    if (widget.font() != font) widget.setFont(font);
    set_colors(widget, control.back_color(), control.fore_color());
    widget.setVisible(control.shown() && !r.isEmpty());
}

}  // namespace kv::qt
