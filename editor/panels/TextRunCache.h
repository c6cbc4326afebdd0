#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QString>

class QPainter;
class QRect;

namespace animbox {

// Draws short lines of text made of recurring words and numbers, such as the
// pointer read-out, from layouts kept per run of letters or of digits: a new
// read-out lays out only the runs it has not drawn before, where drawing the
// whole text anew would shape it (and look up its Chinese glyphs) each time.
// The runs of a line share one baseline, below the tallest of them, as in a
// layout of the whole line.
class TextRunCache {
public:
    // Draws `text` (lines broken by "\n", a "\r" before it ignored) from the
    // top left of `rect` in the painter's pen, in `font`.
    void draw(QPainter& painter, const QRect& rect, const QString& text, const QFont& font);

private:
    // A run laid out once: its glyphs placed from its top left, and the
    // height above and below its baseline.
    struct Run {
        QList<QGlyphRun> glyphs;
        qreal advance = 0;
        qreal ascent = 0;
        qreal descent = 0;
        qreal leading = 0;
    };
    const Run& run(const QString& piece);

    QFont m_font;
    QHash<QString, Run> m_runs;
};

} // namespace animbox
