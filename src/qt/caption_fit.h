#pragma once
// How a caption is fitted to the room its label gives it, the same way for every label and button
// caption and for any language or font: in the control's font where it fits; otherwise drawn smaller,
// down to three quarters of the size; and what still does not fit is cut at its end with "…", never at
// its start.
#include <QFont>
#include <QString>

#include "forms/control.h"

namespace kv::qt {

struct FittedCaption {
    QFont font;
    // What is drawn: the caption, or the part of it that fits, ending in "…", on explicit lines.
    QString text;
    // Broken at words within the room's width as it is drawn, as Windows labels wrapped.
    bool wraps = false;
    // How many pixels above the room's top the line is laid out: a line taller than its room (as faces
    // with a tall line, such as Nimbus Sans, have) gives up the empty top of its ascent, so that its
    // letters lie within the room.
    int raised = 0;
};

// A room less than two lines high holds the caption on its one line, which fits when it is as narrow
// as the room and its letters, from the top of the capitals and ascenders to the foot of the
// descenders, fit the room's height; a taller room, or a caption of several lines, wraps at words
// and fits whole lines into the room's height as well as its width.
FittedCaption fit_caption(const forms::Font& f, const QString& caption, int width_px, int height_px);

}  // namespace kv::qt
