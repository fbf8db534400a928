#pragma once
// Draws a form's model onto its window: the background and every control that is not a native
// widget, bottom to top, containers clipping what they hold.
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QRegion>
#include <unordered_map>

#include "forms/form.h"
#include "platform/picture.h"
#include "qt/caption_fit.h"

namespace kv::qt {

// What an unskinned window shows, so that it is not a white sheet.
inline constexpr QRgb form_background = 0xFF101826;

// A control's place on its window in pixels.
QRect pixel_rect(const forms::Control& c);
// The part of the window a control may draw on: its containers' places, intersected.
QRect container_clip(const forms::Control& c, const QRect& window_rect);

// A label's caption as it is drawn on its window: the room it has (its place, less what its containers
// cut off), the font and text fitted to that room, and the layout flags. A label that sizes itself to
// its caption is drawn as it is.
struct DrawnCaption {
    QRect room;
    FittedCaption fitted;
    int flags = 0;
};
DrawnCaption drawn_caption(const forms::Label& label);
// Draws a caption so laid out in its fitted font and the painter's pen: from its room's top, or raised
// above it as fitted; the label's clipping is the caller's.
void draw_caption(QPainter& p, const DrawnCaption& drawn);

// A rounded outline as a window region covers it: corners cut by an ellipse of the given size, and,
// as the platform's rounded regions do, neither the right-most column nor the bottom row of the
// given rectangle. A rectangle with no area covers nothing.
QRegion window_region(const forms::Region& r);

class FormPainter {
  public:
    void paint(QPainter& painter, const forms::Form& form);

  private:
    void paint_children(QPainter& painter, const forms::Form& form, const forms::Control* container);
    void paint_control(QPainter& painter, const forms::Form& form, const forms::Control& c);
    const QImage& image_of(const platform::Picture& picture);

    // Pictures converted for drawing, kept while a paint still uses them.
    struct Cached {
        platform::Picture picture;  // keeps the pixels, and so the key, alive
        QImage image;
        bool used = false;
    };
    std::unordered_map<const platform::PictureData*, Cached> images_;
};

}  // namespace kv::qt
