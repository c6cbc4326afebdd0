#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace model {

// "\r\n" or "\n": the first line end of a file's bytes; "\r\n" when it has
// none, as script files are written.
QByteArray lineEndOf(QByteArrayView bytes);

// File bytes as text in the system's 8-bit encoding, line ends unchanged.
// `lossless` becomes false when the bytes are not valid in that encoding,
// so that writing the text back would change them.
QString textFromFileBytes(QByteArrayView bytes, bool* lossless = nullptr);

// Text with CR LF line ends as file bytes with `lineEnd` line ends.
QByteArray fileBytesFromText(QStringView crLfText, const QByteArray& lineEnd);

} // namespace model
