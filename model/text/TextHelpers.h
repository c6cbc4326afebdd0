#pragma once

#include <QString>
#include <QStringView>

namespace model {

// Takes the part of `text` before the first `separator` and moves `text` past
// it; without a separator the piece is the whole text and `text` becomes
// empty. Works on a view, so walking a long text piece by piece stays linear.
QStringView NextPiece(QStringView& text, QStringView separator);

// Convenience form for short texts that are kept as strings.
QString NextPiece(QString& text, const QString& separator);

// Returns the next blank- or TAB-separated token of `line` in lower case.
// `position` is 1-based; 0 means the start, -1 means the line is exhausted.
QString NextToken(QStringView line, qint32& position);

// NextToken without the lower-casing and without a copy, for numbers.
QStringView NextTokenView(QStringView line, qint32& position);

// The value of `key` in a "key=value,key=value" text (key found without
// regard to case); empty when the key does not occur.
QString KeyValue(QStringView text, QStringView key);

// Script text uses CR LF; a text box may hand over LF or CR alone.
QString toCrLf(QStringView text);

} // namespace model
