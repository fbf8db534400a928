#include "qt/caption_fit.h"

#include <QFontMetrics>
#include <QStringList>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

#include "qt/text.h"

namespace kv::qt {

namespace {

// The caption cut at its end with "…" so that it draws within the width. Qt cuts by advance; a glyph's
// overhang may still pass the edge, so the width is narrowed until the cut caption draws within it.
QString cut_to(const QFontMetrics& metrics, const QString& caption, int width) {
    for (int room = width; room > 0; --room) {
        QString cut = metrics.elidedText(caption, Qt::ElideRight, room);
        if (drawn_width(metrics, cut) <= width) return cut;
    }
    return {};
}

// The caption's lines as the painter breaks them at words within the width; explicit line breaks are
// kept. Each line comes with where it starts in the caption.
struct Line {
    int start;
    QString text;
};
std::vector<Line> wrapped_lines(const QFont& font, const QString& caption, int width) {
    QString text = caption;
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    std::vector<Line> lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        QString part = caption.mid(line.textStart(), line.textLength());
        while (!part.isEmpty() && part.back().isSpace()) part.chop(1);
        lines.push_back({line.textStart(), part});
    }
    layout.endLayout();
    return lines;
}

// How many lines of the font a room of this height shows whole.
int lines_in(const QFontMetrics& metrics, int height) {
    if (height < metrics.height()) return 0;
    return 1 + (height - metrics.height()) / std::max(1, metrics.lineSpacing());
}

// Where a line is laid out against a room of this height: a line the room holds stays at its top; a
// taller one is raised by what it is taller, or further where a letter reaches below its descent,
// as far as the empty rows above its letters allow.
struct LinePlace {
    int raised = 0;
    bool letters_fit = true;
};
LinePlace place_line(const QFontMetrics& metrics, const QString& line, int height) {
    if (metrics.height() <= height) return {};
    // The face's capitals, ascenders and descenders as well as the line's own letters, so that every
    // caption in one face and room is laid out alike, whichever letters it has.
    const QRect ink =
        metrics.tightBoundingRect(line).united(metrics.tightBoundingRect(QStringLiteral("Hdgjpqy")));
    const int above = std::max(0, metrics.ascent() + ink.top());
    const int lowest = metrics.ascent() + ink.bottom();
    const int needed = std::max(metrics.height() - height, lowest - (height - 1));
    return {std::min(needed, above), needed <= above};
}

bool fits_wrapped(const QFont& font, const QString& caption, int width, int height) {
    const QFontMetrics metrics(font);
    const auto lines = wrapped_lines(font, caption, width);
    if (static_cast<int>(lines.size()) > lines_in(metrics, height)) return false;
    return std::all_of(lines.begin(), lines.end(),
                       [&](const Line& line) { return drawn_width(metrics, line.text) <= width; });
}

// The lines that show, each cut where it is too wide, the last cut short when more would follow.
QString cut_wrapped(const QFont& font, const QString& caption, int width, int height) {
    const QFontMetrics metrics(font);
    const auto lines = wrapped_lines(font, caption, width);
    const auto shown = static_cast<std::size_t>(std::max(1, lines_in(metrics, height)));
    QStringList out;
    for (std::size_t i = 0; i < lines.size() && i < shown; ++i) {
        QString line = lines[i].text;
        if (i + 1 == shown && i + 1 < lines.size()) {
            // The rest of the caption from this line on, on one line, so that its end shows as cut.
            line = caption.mid(lines[i].start);
            line.replace(QLatin1Char('\n'), QLatin1Char(' '));
        }
        out << (drawn_width(metrics, line) <= width ? line : cut_to(metrics, line, width));
    }
    return out.join(QLatin1Char('\n'));
}

}  // namespace

FittedCaption fit_caption(const forms::Font& f, const QString& caption, int width_px, int height_px) {
    FittedCaption fitted{to_qfont(f), caption, false};
    QFont& font = fitted.font;
    fitted.wraps = caption.contains(QLatin1Char('\n')) || height_px >= 2 * QFontMetrics(font).height();
    if (caption.isEmpty() || width_px <= 0) return fitted;
    auto fits = [&](const QFont& face) {
        if (fitted.wraps) return fits_wrapped(face, caption, width_px, height_px);
        const QFontMetrics metrics(face);
        return drawn_width(metrics, caption) <= width_px &&
               place_line(metrics, caption, height_px).letters_fit;
    };
    bool whole = fits(font);
    // No smaller than three quarters of the size, to the nearest pixel: below that, cutting reads
    // better than shrinking.
    const int smallest = std::max(1, static_cast<int>(std::lround(font.pixelSize() * 0.75)));
    for (int size = font.pixelSize() - 1; !whole && size >= smallest; --size) {
        font.setPixelSize(size);
        whole = fits(font);
    }
    if (fitted.wraps) {
        if (whole) return fitted;
        // Cut on the lines as they break; they are drawn as given.
        fitted.text = cut_wrapped(font, caption, width_px, height_px);
        fitted.wraps = false;
        return fitted;
    }
    if (!whole) fitted.text = cut_to(QFontMetrics(font), caption, width_px);
    // Letters too tall for the room even at the smallest size show from their top.
    fitted.raised = place_line(QFontMetrics(font), fitted.text, height_px).raised;
    return fitted;
}

}  // namespace kv::qt
