#include "model/text/Numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace model {

namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

int digitValue(QChar c)
{
    if (isDigit(c))
        return c.unicode() - u'0';
    const char16_t lower = c.toLower().unicode();
    if (lower >= u'a' && lower <= u'f')
        return lower - u'a' + 10;
    return 99;
}

// A number read from the front of a text: its value and how many characters it used.
struct Scan {
    double value = 0;
    qsizetype length = 0;
};

// &H / &O followed by digits of that base; length 0 when there are none.
Scan scanRadix(QStringView text)
{
    if (text.size() < 3 || text[0] != u'&')
        return {};
    const QChar marker = text[1].toUpper();
    const int base = marker == u'H' ? 16 : marker == u'O' ? 8 : 0;
    if (base == 0)
        return {};
    double value = 0;
    qsizetype i = 2;
    for (; i < text.size() && digitValue(text[i]) < base; ++i)
        value = value * base + digitValue(text[i]);
    return i == 2 ? Scan{} : Scan{value, i};
}

// Sign, digits, fraction after ".", exponent with E or D; length 0 when no
// digit was read. The decimal point is "." whatever the user's locale, so the
// digits are converted without strtod, which follows the C library's locale.
Scan scanDecimal(QStringView text)
{
    qsizetype i = 0;
    const bool negative = i < text.size() && text[i] == u'-';
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    std::string ascii; // digits and "." without the sign
    bool digits = false;
    bool nonZero = false;
    qsizetype integerDigits = 0; // from the first non-zero digit on
    qsizetype fractionZeros = 0; // zeros after "." before the first non-zero digit
    for (; i < text.size() && isDigit(text[i]); ++i, digits = true) {
        nonZero = nonZero || text[i] != u'0';
        integerDigits += nonZero ? 1 : 0;
        ascii += char(text[i].unicode());
    }
    if (i < text.size() && text[i] == u'.') {
        ascii += '.';
        for (++i; i < text.size() && isDigit(text[i]); ++i, digits = true) {
            fractionZeros += !nonZero && text[i] == u'0' ? 1 : 0;
            nonZero = nonZero || text[i] != u'0';
            ascii += char(text[i].unicode());
        }
    }
    if (!digits)
        return {};
    qint64 exponent = 0;
    if (i < text.size() && (text[i].toUpper() == u'E' || text[i].toUpper() == u'D')) {
        qsizetype j = i + 1;
        const bool negativeExponent = j < text.size() && text[j] == u'-';
        if (j < text.size() && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        const qsizetype firstDigit = j;
        qint64 value = 0;
        for (; j < text.size() && isDigit(text[j]); ++j)
            value = qMin<qint64>(value * 10 + (text[j].unicode() - u'0'), 1000000);
        if (j > firstDigit) {
            exponent = negativeExponent ? -value : value;
            i = j;
        }
    }
    const double sign = negative ? -1.0 : 1.0;
    if (!nonZero)
        return {sign * 0.0, i};
    // The power of ten of the first significant digit decides a value far
    // outside any 16-bit number before it is converted.
    const qint64 power = (integerDigits > 0 ? integerDigits - 1 : -(fractionZeros + 1)) + exponent;
    if (power > 300)
        return {sign * std::numeric_limits<double>::infinity(), i};
    if (power < -300)
        return {sign * 0.0, i};
    double value = 0;
    if (exponent == 0 && ascii.size() <= 15 && ascii.find('.') == std::string::npos) {
        // Whole numbers, by far the most common in script text, are exact
        // in a double: no need for the general conversion.
        for (const char c : ascii)
            value = value * 10 + (c - '0');
        return {sign * value, i};
    }
    if (exponent != 0)
        ascii += 'e' + std::to_string(exponent);
    std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    return {sign * value, i};
}

Scan scanNumber(QStringView text)
{
    const Scan radix = scanRadix(text);
    return radix.length > 0 ? radix : scanDecimal(text);
}

QStringView skipBlanks(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return text.mid(i);
}

} // namespace

double leadingNumber(QStringView text)
{
    return scanNumber(skipBlanks(text)).value;
}

std::optional<double> wholeNumber(QStringView text)
{
    QStringView trimmed = skipBlanks(text);
    while (!trimmed.isEmpty() && isBlank(trimmed.back()))
        trimmed.chop(1);
    const Scan scan = scanNumber(trimmed);
    if (scan.length == 0 || scan.length != trimmed.size())
        return std::nullopt;
    return scan.value;
}

double roundHalfEven(double value)
{
    // The default floating-point rounding mode rounds halves to even.
    return std::nearbyint(value);
}

std::optional<qint16> toInt16(double value)
{
    const double rounded = roundHalfEven(value);
    if (!std::isfinite(rounded) || rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return qint16(rounded);
}

std::optional<qint32> toInt32(double value)
{
    const double rounded = roundHalfEven(value);
    if (!std::isfinite(rounded) || rounded < double(std::numeric_limits<qint32>::min())
        || rounded > double(std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return qint32(rounded);
}

Int16Result lenientInt16(QStringView text)
{
    const auto value = toInt16(leadingNumber(text));
    return value ? Int16Result{*value, NumberError::None} : Int16Result{0, NumberError::Overflow};
}

Int16Result strictInt16(QStringView text)
{
    const auto number = wholeNumber(text);
    if (!number)
        return {0, NumberError::NotANumber};
    const auto value = toInt16(*number);
    return value ? Int16Result{*value, NumberError::None} : Int16Result{0, NumberError::Overflow};
}

std::optional<qint16> addInt16(qint32 a, qint32 b)
{
    return toInt16(double(a) + double(b));
}

} // namespace model
