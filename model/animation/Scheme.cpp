#include "model/animation/Scheme.h"

#include "model/text/Numbers.h"
#include "model/text/TextHelpers.h"

#include <QCoreApplication>

namespace model {

namespace {

std::optional<qint16> numberOf(QStringView text, QStringView key, QString* error)
{
    const Int16Result result = lenientInt16(KeyValue(text, key));
    if (result.ok())
        return result.value;
    if (error)
        *error = QCoreApplication::translate("model::Scheme", "方案的数值超出范围: %1").arg(key);
    return std::nullopt;
}

// One axis: centred, or the margin from the near edge, or size minus margin.
std::optional<qint16> axisAnchor(qint16 mode, bool fromNearEdge, qint16 margin, int size)
{
    if (mode == 1)
        return qint16(size / 2);
    if (fromNearEdge)
        return margin;
    return addInt16(size, -qint32(margin));
}

} // namespace

std::optional<Scheme> parseScheme(QStringView text, QString* error)
{
    Scheme scheme;
    const auto xMode = numberOf(text, u"x", error);
    const auto yMode = numberOf(text, u"y", error);
    const auto xMargin = numberOf(text, u"xspace", error);
    const auto yMargin = numberOf(text, u"yspace", error);
    if (!xMode || !yMode || !xMargin || !yMargin)
        return std::nullopt;
    scheme.xMode = *xMode;
    scheme.yMode = *yMode;
    scheme.xMargin = *xMargin;
    scheme.yMargin = *yMargin;
    scheme.xSide = KeyValue(text, u"xt");
    scheme.ySide = KeyValue(text, u"yt");
    scheme.animName = KeyValue(text, u"anim");
    return scheme;
}

std::optional<Anchor> schemeAnchor(const Scheme& scheme, int width, int height)
{
    if (width < 0 || height < 0 || width > 32767 || height > 32767)
        return std::nullopt;
    const auto x = axisAnchor(scheme.xMode, scheme.xSide == u"left", scheme.xMargin, width);
    const auto y = axisAnchor(scheme.yMode, scheme.ySide == u"top", scheme.yMargin, height);
    if (!x || !y)
        return std::nullopt;
    return Anchor{*x, *y};
}

QString schemeText(bool xCentred, bool fromLeft, const QString& xMargin, bool yCentred, bool fromTop,
                   const QString& yMargin)
{
    return QStringLiteral("X=%1,XT=%2,XSpace=%3,Y=%4,YT=%5,YSpace=%6")
        .arg(xCentred ? u"1" : u"0", fromLeft ? u"left" : u"right", xMargin, yCentred ? u"1" : u"0",
             fromTop ? u"top" : u"bottom", yMargin);
}

} // namespace model
