#pragma once

#include "model/files/TextFileEncoding.h"
#include "model/script/ScriptLine.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace model {

// One line of a file as it was read: its bytes, line end included, so that
// writing it back is a copy; its text; and what it is to the reader.
struct SourceLine {
    QByteArray bytes;     // as in the file; a last line may have no line end
    QString text;         // decoded, without the line end
    LineKind kind = LineKind::Other;
    bool lossless = true; // the bytes are valid text, so the text says what they hold
    bool head = false;    // an uninterpreted line before the first frame: the animation's own

    // The line end that closes `bytes`: CR LF, LF or nothing.
    QByteArrayView lineEnd() const;

    // A new line of `text` in `encoding`; nullopt when the encoding cannot write it.
    static std::optional<SourceLine> fromText(const QString& text, TextEncoding encoding, const QByteArray& lineEnd);
};

// Splits bytes into lines at LF (with a CR before it, CR LF); a lone CR or a
// Unicode line separator stays inside its line, so that the tail of a
// comment never becomes a line of its own.
QList<SourceLine> splitSourceLines(QByteArrayView bytes, TextEncoding encoding);

// The lines' texts as the script reader takes them: joined with CR LF.
QString readerText(const QList<SourceLine>& lines);

} // namespace model
