#pragma once

#include <QStringView>
#include <QtGlobal>

#include <optional>

namespace model {

// Why a text did not give a 16-bit number.
enum class NumberError {
    None,
    NotANumber, // strict reading only: empty or not wholly numeric
    Overflow,   // outside -32768 .. 32767 after rounding
};

struct Int16Result {
    qint16 value = 0;
    NumberError error = NumberError::None;
    bool ok() const { return error == NumberError::None; }
};

// The value of the longest leading part of `text` that reads as a number:
// blanks and TABs are skipped first; then an optional sign, digits, an
// optional fraction, an optional exponent with E or D; or &H / &O followed by
// hexadecimal or octal digits. 0 when no such part exists.
double leadingNumber(QStringView text);

// Whether the whole of `text` (surrounding blanks allowed) reads as a number;
// the value when it does. Script text reads the same on every machine, so
// the decimal point is "." in every locale.
std::optional<double> wholeNumber(QStringView text);

// Rounds to the nearest integer, halves to even.
double roundHalfEven(double value);

// roundHalfEven into 16 or 32 bits; nullopt when outside the range.
std::optional<qint16> toInt16(double value);
std::optional<qint32> toInt32(double value);

// Lenient reading: leadingNumber, rounded; only overflow is an error.
Int16Result lenientInt16(QStringView text);
// Strict reading: wholeNumber, rounded; empty, non-numeric and overflow are errors.
Int16Result strictInt16(QStringView text);

// Sum of two 16-bit values, nullopt when it leaves the range.
std::optional<qint16> addInt16(qint32 a, qint32 b);

} // namespace model
