#pragma once
// A quick upper bound of a line's width, for fits that are seldom close.
#include <QFontMetricsF>
#include <QString>

namespace tylog::vb {

// More than the width a line of Latin-1 text takes in fm: its characters' own advances, with a tenth
// and a pixel more for what shaping may add between them. Measuring the line itself shapes it, the
// most of what a fit costs; text this bound already fits (nearly all of it) need not be measured.
// Below 0 for other text, whose characters need not be one glyph each.
inline qreal WidthBound(const QFontMetricsF& fm, const QString& text) {
    qreal width = 0;
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0xFF) return -1;
        width += fm.horizontalAdvance(c);
    }
    return width * 1.1 + 1;
}

// Whether the line fits `width` by the bound alone.
inline bool FitsByBound(const QFontMetricsF& fm, const QString& text, qreal width) {
    const qreal bound = WidthBound(fm, text);
    return bound >= 0 && bound <= width;
}

} // namespace tylog::vb
