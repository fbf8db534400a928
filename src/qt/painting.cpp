#include "qt/painting.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "qt/text.h"

namespace kv::qt {

using forms::Control;
using forms::ControlKind;

QRect pixel_rect(const Control& c) {
    // Edges are rounded, not sizes, so that controls that meet in twips meet in pixels.
    const int left = to_px(c.form_x()), top = to_px(c.form_y());
    const int right = to_px(c.form_x() + c.width()), bottom = to_px(c.form_y() + c.height());
    return QRect(left, top, right - left, bottom - top);
}

QRect container_clip(const Control& c, const QRect& window_rect) {
    QRect clip = window_rect;
    for (const Control* box = c.container(); box; box = box->container()) clip &= pixel_rect(*box);
    return clip;
}

QRegion window_region(const forms::Region& r) {
    const int left = std::min(r.left, r.right), top = std::min(r.top, r.bottom);
    // The right-most column and the bottom row stay outside, as they did there.
    const int width = std::max(r.left, r.right) - left - 1;
    const int height = std::max(r.top, r.bottom) - top - 1;
    if (width <= 0 || height <= 0) return QRegion();
    const int ew = std::min(width, std::abs(r.corner_width));
    const int eh = std::min(height, std::abs(r.corner_height));
    if (ew < 2 || eh < 2) return QRegion(left, top, width, height);
    // Row by row: a pixel belongs to the region when its centre lies inside the corner ellipse.
    const double a = ew / 2.0, b = eh / 2.0;
    std::vector<QRect> rows;
    rows.reserve(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        const double yc = y + 0.5;
        double dy = 0;
        if (yc < b)
            dy = b - yc;
        else if (yc > height - b)
            dy = yc - (height - b);
        int inset = 0;
        if (dy > 0) {
            const double reach = a * std::sqrt(std::max(0.0, 1.0 - (dy / b) * (dy / b)));
            inset = static_cast<int>(std::ceil(a - reach - 0.5));
        }
        if (width - 2 * inset > 0) rows.emplace_back(left + inset, top + y, width - 2 * inset, 1);
    }
    QRegion region;
    region.setRects(rows.data(), static_cast<int>(rows.size()));
    return region;
}

DrawnCaption drawn_caption(const forms::Label& label) {
    const forms::Form& form = label.form();
    const QRect rect = pixel_rect(label);
    const QRect visible =
        rect & container_clip(label, QRect(0, 0, to_px(form.width()), to_px(form.height())));
    // Laid out from the label's own top across what shows of it, so that a caption its box cuts off is
    // fitted to what shows instead of losing its ends.
    DrawnCaption drawn;
    drawn.room = visible.isEmpty() ? QRect(rect.topLeft(), QSize(0, 0))
                                   : QRect(QPoint(visible.left(), rect.top()), visible.bottomRight());
    const QString caption = decode_lines(label.caption());
    if (label.auto_size())
        drawn.fitted = {to_qfont(label.font()), caption,
                        caption.contains(QLatin1Char('\n')) ||
                            drawn.room.height() >= 2 * QFontMetrics(to_qfont(label.font())).height()};
    else
        drawn.fitted = fit_caption(label.font(), caption, drawn.room.width(), drawn.room.height());
    // Labels break their lines at words within their width, as Windows labels did; a label with room
    // for one line only keeps its caption on that line, where a break would hide the rest.
    drawn.flags = static_cast<int>(horizontal(label.alignment()) | Qt::AlignTop);
    if (drawn.fitted.wraps) drawn.flags |= Qt::TextWordWrap;
    return drawn;
}

void draw_caption(QPainter& p, const DrawnCaption& drawn) {
    p.setFont(drawn.fitted.font);
    p.drawText(drawn.room.adjusted(0, -drawn.fitted.raised, 0, 0), drawn.flags, drawn.fitted.text);
}

namespace {

void paint_label(QPainter& p, const forms::Label& label, const QRect& rect) {
    if (!label.transparent()) p.fillRect(rect, to_qcolor(label.back_color()));
    if (label.caption().empty()) return;
    p.setPen(to_qcolor(label.fore_color()));
    draw_caption(p, drawn_caption(label));
}

// A shape is an unfilled rectangle over a transparent back: only its outline is drawn.
void paint_shape(QPainter& p, const forms::Shape& shape, const QRect& rect) {
    QRectF r = rect;
    // The outline runs through the pixels on the inner edge of the shape.
    r.adjust(0.5, 0.5, -0.5, -0.5);
    if (r.width() < 0 || r.height() < 0) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(to_qcolor(shape.border_color()), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
    p.restore();
}

void paint_line(QPainter& p, const forms::Line& line) {
    const float ox = line.container() ? line.container()->form_x() : 0.0f;
    const float oy = line.container() ? line.container()->form_y() : 0.0f;
    p.setPen(QPen(to_qcolor(line.border_color()), 1));
    p.drawLine(QPoint(to_px(ox + line.x1()), to_px(oy + line.y1())),
               QPoint(to_px(ox + line.x2()), to_px(oy + line.y2())));
}

}  // namespace

const QImage& FormPainter::image_of(const platform::Picture& picture) {
    const platform::PictureData* data = picture.data();
    auto it = images_.find(data);
    if (it == images_.end()) {
        const auto* pixels = reinterpret_cast<const uchar*>(data->argb.data());
        const auto stride = static_cast<qsizetype>(data->width) * 4;
        // Skins are opaque: such a picture is drawn from the model's own pixels, which the cache entry
        // keeps alive. Only one with transparency needs a premultiplied copy.
        const bool opaque =
            std::all_of(data->argb.begin(), data->argb.end(), [](uint32_t p) { return (p >> 24) == 0xFF; });
        QImage image = opaque ? QImage(pixels, data->width, data->height, stride, QImage::Format_RGB32)
                              : QImage(pixels, data->width, data->height, stride, QImage::Format_ARGB32)
                                    .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        it = images_.emplace(data, Cached{picture, std::move(image), false}).first;
    }
    it->second.used = true;
    return it->second.image;
}

void FormPainter::paint(QPainter& painter, const forms::Form& form) {
    for (auto& [key, cached] : images_) cached.used = false;
    // The whole surface, which may for a moment differ from the model's size.
    painter.fillRect(painter.viewport(), QColor::fromRgb(form_background));
    paint_children(painter, form, nullptr);
    std::erase_if(images_, [](const auto& entry) { return !entry.second.used; });
}

void FormPainter::paint_children(QPainter& painter, const forms::Form& form, const Control* container) {
    for (const Control* c : form.children_of(container)) {
        if (!c->visible()) continue;
        paint_control(painter, form, *c);
    }
}

void FormPainter::paint_control(QPainter& p, const forms::Form& form, const Control& c) {
    const QRect rect = pixel_rect(c);
    switch (c.kind()) {
        case ControlKind::label: {
            p.save();
            p.setClipRect(rect, Qt::IntersectClip);
            paint_label(p, static_cast<const forms::Label&>(c), rect);
            p.restore();
            break;
        }
        case ControlKind::image: {
            const auto& image = static_cast<const forms::Image&>(c);
            if (image.picture().empty() || rect.isEmpty()) break;
            const QImage& pixels = image_of(image.picture());
            p.save();
            p.setClipRect(rect, Qt::IntersectClip);
            if (image.stretch())
                p.drawImage(rect, pixels);
            else
                p.drawImage(rect.topLeft(), pixels);
            p.restore();
            break;
        }
        case ControlKind::picture_box:
        case ControlKind::frame: {
            p.save();
            p.setClipRect(rect, Qt::IntersectClip);
            p.fillRect(rect, to_qcolor(c.back_color()));
            if (c.kind() == ControlKind::picture_box) {
                const auto& box = static_cast<const forms::PictureBox&>(c);
                if (!box.picture().empty()) p.drawImage(rect.topLeft(), image_of(box.picture()));
            }
            paint_children(p, form, &c);
            if (c.kind() == ControlKind::picture_box && static_cast<const forms::PictureBox&>(c).border()) {
                p.setPen(QColor(0x80, 0x80, 0x80));
                p.setBrush(Qt::NoBrush);
                p.drawRect(rect.adjusted(0, 0, -1, -1));
            }
            // A button that Tab brought the focus to shows it, dotted and inverting what lies below as
            // Windows drew its focus rectangles, so that it shows on any skin.
            if (form.focused() == &c && c.tab_index() >= 0) {
                p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
                p.setPen(QPen(Qt::white, 1, Qt::DotLine));
                p.setBrush(Qt::NoBrush);
                p.drawRect(rect.adjusted(2, 2, -3, -3));
            }
            p.restore();
            break;
        }
        case ControlKind::shape: {
            p.save();
            p.setClipRect(rect, Qt::IntersectClip);
            paint_shape(p, static_cast<const forms::Shape&>(c), rect);
            p.restore();
            break;
        }
        case ControlKind::line:
            paint_line(p, static_cast<const forms::Line&>(c));
            break;
        // Text and list boxes are native widgets; timers draw nothing.
        case ControlKind::text_box:
        case ControlKind::list_box:
        case ControlKind::timer:
            break;
    }
}

}  // namespace kv::qt
