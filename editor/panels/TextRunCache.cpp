#include "editor/panels/TextRunCache.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRect>
#include <QTextLayout>

namespace animbox {

namespace {

// Enough for every number a read-out shows in a session; past it the kept
// layouts start again.
constexpr qsizetype kMostRuns = 4096;

bool isNumberPart(QChar c)
{
    return c.isDigit() || c == u'-' || c == u'+' || c == u'.';
}

} // namespace

const TextRunCache::Run& TextRunCache::run(const QString& piece)
{
    if (const auto found = m_runs.constFind(piece); found != m_runs.cend())
        return *found;
    if (m_runs.size() >= kMostRuns)
        m_runs.clear();
    QTextLayout layout(piece, m_font);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    Run made;
    made.glyphs = layout.glyphRuns();
    made.advance = line.horizontalAdvance();
    made.ascent = line.ascent();
    made.descent = line.descent();
    made.leading = line.leading();
    return *m_runs.insert(piece, made);
}

void TextRunCache::draw(QPainter& painter, const QRect& rect, const QString& text, const QFont& font)
{
    if (font != m_font) {
        m_font = font;
        m_runs.clear();
    }
    qreal top = rect.top();
    QList<const Run*> runs;
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        runs.clear();
        qsizetype start = 0;
        for (qsizetype i = 1; i <= line.size(); ++i) {
            if (i < line.size() && isNumberPart(line[i]) == isNumberPart(line[start]))
                continue;
            runs.append(&run(line.mid(start, i - start).toString()));
            start = i;
        }
        qreal ascent = 0;
        qreal descent = 0;
        qreal leading = 0;
        if (runs.isEmpty()) {
            // An empty line is as high as the font.
            const QFontMetricsF metrics(m_font);
            ascent = metrics.ascent();
            descent = metrics.descent();
            leading = metrics.leading();
        }
        for (const Run* piece : std::as_const(runs)) {
            ascent = qMax(ascent, piece->ascent);
            descent = qMax(descent, piece->descent);
            leading = qMax(leading, piece->leading);
        }
        qreal x = rect.left();
        for (const Run* piece : std::as_const(runs)) {
            for (const QGlyphRun& glyphs : piece->glyphs)
                painter.drawGlyphRun(QPointF(x, top + ascent - piece->ascent), glyphs);
            x += piece->advance;
        }
        top += ascent + descent + leading;
    }
}
} // namespace animbox
