#pragma once

#include "model/files/TextFileEncoding.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>
#include <utility>

namespace classic {

// A script file as the classic editor read it: its byte-order mark, its
// encoding and each line's own bytes and line end, beside the text the box
// shows for the line. Writing a text back copies the bytes of every line the
// text still holds unchanged (found by a diff of the two sequences of lines,
// whatever route the text took: typing, commands, undo, a restore) and
// encodes only the lines that are new or changed, so that a save changes
// only what the author changed.
class LinePreservingFile {
public:
    // A text box line cannot hold a CR: a CR inside a file's line (one that
    // ends no line) shows as this character, the sign of the Return key that
    // common fonts have, and is written back as a CR (as is one typed into a
    // changed line).
    static constexpr QChar kCarriageReturnSign = QChar(0x21B5);

    // The bytes of a text, or the line that cannot be written.
    struct Encoded {
        enum class Refusal { None, Unencodable, Undecodable };
        QByteArray bytes;
        Refusal refusal = Refusal::None;
        int line = 0;     // the refused line, counted from 1
        QString lineText; // and its text
    };

    // An untitled text: UTF-8 with CR LF line ends.
    LinePreservingFile() : LinePreservingFile(QByteArray()) {}
    // The bytes of a file, in `encoding`, or in the encoding detectEncoding()
    // finds when none is given.
    explicit LinePreservingFile(QByteArray bytes, std::optional<model::TextEncoding> encoding = std::nullopt);

    const QByteArray& bytes() const { return m_bytes; }
    model::TextEncoding encoding() const { return m_encoding; }

    // The text for the box: the lines joined by CR LF.
    QString text() const;
    // The file's bytes for `crLfText`: the byte-order mark, then each line
    // found unchanged with its own bytes and line end; a new or changed line
    // encoded in the file's encoding, ending as the line it replaces or as
    // the line before it. A changed line is refused when the encoding cannot
    // write it, or when it holds U+FFFD while the file held bytes that could
    // not be read (the U+FFFD would replace them).
    Encoded encode(QStringView crLfText) const;

private:
    // A line: where its bytes lie in the file, and its text.
    struct Line {
        qsizetype start = 0;
        qsizetype length = 0;
        QByteArrayView end; // "\r\n", "\n", or empty for the last line
        QString text;
    };

    QList<std::pair<qsizetype, qsizetype>> keptLines(const QList<QStringView>& lines) const;
    // Appends the bytes of a new or changed line; false when it is refused.
    bool encodeLine(QStringView text, int number, Encoded& result) const;

    QByteArray m_bytes;
    model::TextEncoding m_encoding;
    bool m_lossless = true; // every byte was text in the encoding
    QByteArrayView m_lineEnd; // the line end most lines have
    QList<Line> m_lines;
};

} // namespace classic
