#pragma once

#include "model/character/SourceLine.h"

#include <QHash>
#include <QList>

namespace model {

// How new lines are spelt in a block: after the lines it already has.
struct LineStyle {
    QString indent = QStringLiteral("\t");
    QString gap = QStringLiteral("\t"); // between the keyword and its values
    bool lowerCase = false;             // keywords in lower case, else as the writer spells them
    QChar pathSeparator = u'\\';
    QByteArray lineEnd = "\r\n";
};

// An animation block of a character file as lines, grouped as the script
// reader reads them: the lines of each frame, and the lines after the last
// frame line (the tail). The uninterpreted lines before the first frame line
// belong to the animation, not to its first frame: they are marked `head`.
// A block without a frame line is all head.
class BlockLayout {
public:
    BlockLayout(QByteArrayView bytes, TextEncoding encoding, const QByteArray& fileLineEnd);

    // The lines of each frame, up to and including its frame line.
    const QList<QList<SourceLine>>& frames() const { return m_frames; }
    // The head lines: the marked lines of the first frame, or a frameless block's lines.
    QList<SourceLine> headLines() const;
    const QList<SourceLine>& tail() const { return m_tail; }
    const LineStyle& style() const { return m_style; }
    TextEncoding encoding() const { return m_encoding; }
    // The block's text as the script reader takes it.
    QString readerText() const;

private:
    QList<QList<SourceLine>> m_frames;
    QList<SourceLine> m_lead; // a frameless block's lines
    QList<SourceLine> m_tail;
    LineStyle m_style;
    TextEncoding m_encoding = TextEncoding::Utf8;
};

} // namespace model
