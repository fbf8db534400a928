#pragma once
// Where a caption's letters land when the Qt display draws it, found in the pixels themselves.
#include <QImage>
#include <QPainter>
#include <QRect>

#include "qt/painting.h"

namespace kvtest {

// The pixels the caption's letters cover on its window, drawn as the painter draws a label's caption
// but without clipping, so that letters outside the room show as such. Empty for a
// caption that draws nothing.
inline QRect caption_ink(const kv::qt::DrawnCaption& drawn) {
    // Room around the label for letters drawn past any of its edges.
    const int margin = 2 * QFontMetrics(drawn.fitted.font).height();
    kv::qt::DrawnCaption moved = drawn;
    moved.room.moveTopLeft(QPoint(margin, margin));
    // A painter clips text drawn in a rectangle to that rectangle as well.
    moved.flags |= Qt::TextDontClip;
    QImage image(drawn.room.width() + 2 * margin, drawn.room.height() + 2 * margin,
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    kv::qt::draw_caption(painter, moved);
    painter.end();
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0) ink |= QRect(x, y, 1, 1);
    return ink.translated(drawn.room.topLeft() - QPoint(margin, margin));
}

}  // namespace kvtest
