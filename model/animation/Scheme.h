#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <optional>

namespace model {

// A frame-initialisation scheme: per axis either centred or a fixed margin
// from one edge, and an optional animation name.
struct Scheme {
    qint16 xMode = 1;       // 1: centred; any other value: fixed edge
    QString xSide;          // exactly "left": measured from the left edge
    qint16 xMargin = 0;
    qint16 yMode = 0;       // 1: centred; any other value: fixed edge
    QString ySide;          // exactly "top": measured from the top edge
    qint16 yMargin = 0;
    QString animName;
};

// An anchor point in sprite pixels.
struct Anchor {
    qint16 x = 0;
    qint16 y = 0;
    friend bool operator==(const Anchor&, const Anchor&) = default;
};

// Reads "X=..,XT=..,XSpace=..,Y=..,YT=..,YSpace=..[,anim=..]" with KeyValue;
// numbers are lenient and rounded half to even. A number outside the 16-bit
// range gives nothing and a message naming the key.
std::optional<Scheme> parseScheme(QStringView text, QString* error = nullptr);

// The anchor of an image of `width` x `height` under `scheme`; nothing when
// the size or the result leaves the 16-bit range.
std::optional<Anchor> schemeAnchor(const Scheme& scheme, int width, int height);

// The text the scheme dialog hands over for its choices.
QString schemeText(bool xCentred, bool fromLeft, const QString& xMargin, bool yCentred, bool fromTop,
                   const QString& yMargin);

} // namespace model
