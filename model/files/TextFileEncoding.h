#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace model {

// The encoding a script file's bytes are text in. Files that are valid
// UTF-8 are UTF-8; anything else is read as GB18030, a superset of the GBK
// code page most authors' files are in, and called GBK while the file holds
// none of GB18030's four-byte sequences (so that a save keeps it GBK).
enum class TextEncoding { Utf8, Gbk, Gb18030 };

// "UTF-8", "GBK" or "GB18030", for titles and messages.
QString encodingName(TextEncoding encoding);

// The encoding called `name` by encodingName(), or nullopt.
std::optional<TextEncoding> encodingNamed(QStringView name);

// The encoding of a whole file's bytes.
TextEncoding detectEncoding(QByteArrayView bytes);

// 3 when the bytes start with a UTF-8 byte-order mark, else 0.
qsizetype byteOrderMarkLength(QByteArrayView bytes);

// "\r\n" or "\n": the first line end of a file's bytes; "\r\n" when it has
// none, as script files are written.
QByteArray lineEndOf(QByteArrayView bytes);

// Bytes as text in `encoding`, line ends unchanged; a leading UTF-8
// byte-order mark is dropped. `lossless` becomes false when the bytes are
// not valid in that encoding, so that writing the text back would change them.
QString decodeText(QByteArrayView bytes, TextEncoding encoding, bool* lossless = nullptr);

// Like decodeText, for bytes from inside a file: a U+FEFF at their start is
// a character, kept.
QString decodeLine(QByteArrayView bytes, TextEncoding encoding, bool* lossless = nullptr);

// Text as bytes in `encoding`; nullopt when a character cannot be written in
// it (a lone surrogate, or a character outside GBK for a GBK file).
std::optional<QByteArray> encodeText(QStringView text, TextEncoding encoding);

// The first line of `crLfText` (1-based) holding a character that
// `encoding` cannot write, or 0 when every line can be written.
int firstUnencodableLine(QStringView crLfText, TextEncoding encoding);

// Text with CR LF line ends as file bytes in `encoding` with `lineEnd`
// line ends; nullopt when a character cannot be written in `encoding`.
std::optional<QByteArray> fileBytesFromText(QStringView crLfText, const QByteArray& lineEnd, TextEncoding encoding);

} // namespace model
