#include "model/TextFileEncoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace model {

QByteArray lineEndOf(QByteArrayView bytes)
{
    const qsizetype firstEnd = bytes.indexOf('\n');
    if (firstEnd < 0)
        return "\r\n";
    return firstEnd > 0 && bytes[firstEnd - 1] == '\r' ? "\r\n" : "\n";
}

QString textFromFileBytes(QByteArrayView bytes, bool* lossless)
{
    QStringDecoder decoder(QStringDecoder::System);
    QString text = decoder.decode(bytes);
    if (lossless)
        *lossless = !decoder.hasError();
    return text;
}

QByteArray fileBytesFromText(QStringView crLfText, const QByteArray& lineEnd)
{
    QStringEncoder encoder(QStringEncoder::System);
    QByteArray bytes = encoder.encode(crLfText);
    if (lineEnd != "\r\n")
        bytes.replace("\r\n", lineEnd);
    return bytes;
}

} // namespace model
