#include "model/files/TextFileEncoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace model {

namespace {

const char* codecName(TextEncoding encoding)
{
    return encoding == TextEncoding::Utf8 ? "UTF-8" : "GB18030";
}

// GB18030 spells a character outside GBK with four bytes, whose second
// byte is a digit; a two-byte character's second byte never is.
bool hasFourByteSequence(QByteArrayView bytes)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto lead = quint8(bytes[i]);
        if (lead < 0x81 || lead == 0xFF)
            continue;
        if (i + 1 < bytes.size() && quint8(bytes[i + 1]) >= 0x30 && quint8(bytes[i + 1]) <= 0x39)
            return true;
        ++i;
    }
    return false;
}

// Stateless: a sequence cut off at the end is an error, not a wait for
// more bytes that never come.
bool isValidUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(bytes); // decoding happens on conversion
    return !decoder.hasError();
}

} // namespace

QString encodingName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        return QStringLiteral("UTF-8");
    case TextEncoding::Gbk:
        return QStringLiteral("GBK");
    case TextEncoding::Gb18030:
        return QStringLiteral("GB18030");
    }
    return QString();
}

TextEncoding detectEncoding(QByteArrayView bytes)
{
    if (isValidUtf8(bytes))
        return TextEncoding::Utf8;
    return hasFourByteSequence(bytes) ? TextEncoding::Gb18030 : TextEncoding::Gbk;
}

qsizetype byteOrderMarkLength(QByteArrayView bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
}

QByteArray lineEndOf(QByteArrayView bytes)
{
    const qsizetype firstEnd = bytes.indexOf('\n');
    if (firstEnd < 0)
        return "\r\n";
    return firstEnd > 0 && bytes[firstEnd - 1] == '\r' ? "\r\n" : "\n";
}

std::optional<TextEncoding> encodingNamed(QStringView name)
{
    for (const TextEncoding encoding : {TextEncoding::Utf8, TextEncoding::Gbk, TextEncoding::Gb18030}) {
        if (name == encodingName(encoding))
            return encoding;
    }
    return std::nullopt;
}

QString decodeText(QByteArrayView bytes, TextEncoding encoding, bool* lossless)
{
    // The mark is dropped here, once; any other U+FEFF is a character.
    return decodeLine(bytes.sliced(byteOrderMarkLength(bytes)), encoding, lossless);
}

QString decodeLine(QByteArrayView bytes, TextEncoding encoding, bool* lossless)
{
    // Stateless: a character cut off at the end is an error, where a decoder
    // waiting for more bytes would drop it without a word.
    QStringDecoder decoder(codecName(encoding),
                           QStringConverter::Flag::ConvertInitialBom | QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    // The GB18030 decoder reports such a character but leaves no U+FFFD for
    // it; every error shows as at least one.
    if (decoder.hasError() && !text.contains(QChar::ReplacementCharacter))
        text += QChar::ReplacementCharacter;
    if (lossless)
        *lossless = !decoder.hasError();
    return text;
}

std::optional<QByteArray> encodeText(QStringView text, TextEncoding encoding)
{
    QStringEncoder encoder(codecName(encoding));
    QByteArray bytes = encoder.encode(text);
    // The encoder drops a lone surrogate without reporting it: only a
    // round trip tells that every character was written.
    if (encoder.hasError() || decodeLine(bytes, encoding) != text)
        return std::nullopt;
    if (encoding == TextEncoding::Gbk && hasFourByteSequence(bytes))
        return std::nullopt;
    return bytes;
}

int firstUnencodableLine(QStringView crLfText, TextEncoding encoding)
{
    int number = 0;
    for (QStringView line : crLfText.tokenize(u"\r\n")) {
        ++number;
        if (!encodeText(line, encoding))
            return number;
    }
    return 0;
}

std::optional<QByteArray> fileBytesFromText(QStringView crLfText, const QByteArray& lineEnd, TextEncoding encoding)
{
    std::optional<QByteArray> bytes = encodeText(crLfText, encoding);
    if (bytes && lineEnd != "\r\n")
        bytes->replace("\r\n", lineEnd);
    return bytes;
}

} // namespace model
