#include "model/Numbers.h"

#include <QLocale>

#include <cfenv>
#include <clocale>
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

// Sign, digits, fraction with `point`, exponent with E or D; length 0 when no digit was read.
Scan scanDecimal(QStringView text, QChar point)
{
    std::string ascii;
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ascii += char(text[i++].unicode());
    bool digits = false;
    for (; i < text.size() && isDigit(text[i]); ++i, digits = true)
        ascii += char(text[i].unicode());
    if (i < text.size() && (text[i] == u'.' || text[i] == point)) {
        // strtod reads the decimal point of the C locale, which a Qt
        // application sets from the environment (a comma in many languages).
        ascii += std::localeconv()->decimal_point;
        ++i;
        for (; i < text.size() && isDigit(text[i]); ++i, digits = true)
            ascii += char(text[i].unicode());
    }
    if (!digits)
        return {};
    const bool exponentFollows = i < text.size() && (text[i].toUpper() == u'E' || text[i].toUpper() == u'D');
    if (!exponentFollows && ascii.size() <= 15 && ascii.find('.') == std::string::npos) {
        // Whole numbers, by far the most common in script text, are exact
        // in a double: no need for the C library's general conversion.
        double value = 0;
        for (const char c : ascii)
            if (c >= '0' && c <= '9')
                value = value * 10 + (c - '0');
        return {ascii.front() == '-' ? -value : value, i};
    }
    if (exponentFollows) {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == u'+' || text[j] == u'-'))
            exponent += char(text[j++].unicode());
        const qsizetype firstDigit = j;
        for (; j < text.size() && isDigit(text[j]); ++j)
            exponent += char(text[j].unicode());
        if (j > firstDigit) {
            ascii += exponent;
            i = j;
        }
    }
    return {std::strtod(ascii.c_str(), nullptr), i};
}

Scan scanNumber(QStringView text, QChar point)
{
    const Scan radix = scanRadix(text);
    return radix.length > 0 ? radix : scanDecimal(text, point);
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
    return scanNumber(skipBlanks(text), u'.').value;
}

std::optional<double> wholeNumber(QStringView text)
{
    QStringView trimmed = skipBlanks(text);
    while (!trimmed.isEmpty() && isBlank(trimmed.back()))
        trimmed.chop(1);
    Scan scan = scanNumber(trimmed, u'.');
    if (scan.length != trimmed.size()) {
        // Only a number that does not read with "." needs the locale's separator.
        const QString localePoint = QLocale::system().decimalPoint();
        if (localePoint.size() == 1 && localePoint[0] != u'.')
            scan = scanNumber(trimmed, localePoint[0]);
    }
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
