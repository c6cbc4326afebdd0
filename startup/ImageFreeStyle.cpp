#include "startup/ImageFreeStyle.h"

#include <QApplication>
#include <QGroupBox>
#include <QPainter>
#include <QPixmap>
#include <QStyleOption>

namespace tools {

namespace {

// Space between the top of a group box and its title, as the base style has it.
constexpr int kGroupBoxTopMargin = 3;

// `colour` laid over `ground`, as one opaque colour.
QColor over(const QColor& ground, const QColor& colour)
{
    const qreal alpha = colour.alphaF();
    return QColor::fromRgbF(ground.redF() * (1 - alpha) + colour.redF() * alpha,
                            ground.greenF() * (1 - alpha) + colour.greenF() * alpha,
                            ground.blueF() * (1 - alpha) + colour.blueF() * alpha);
}

// A rounded frame one pixel in from the top left, a ring inside it and a
// faint shade over the inside, each laid over `ground` beforehand: the
// raster engine blends a see-through fill of many lines on several threads,
// whose start costs more than the fill.
void drawGroupBoxFrame(QPainter& painter, const QRect& frame, const QColor& ground)
{
    if (frame.width() < 4 || frame.height() < 4)
        return;
    painter.save();
    const QRect outline = frame.adjusted(1, 1, 0, 0);
    const QRect inside = outline.adjusted(1, 1, -1, -1);
    painter.fillRect(inside, over(ground, QColor(0, 0, 0, 3)));
    painter.setPen(over(ground, QColor(0, 0, 0, 7)));
    painter.drawRect(inside.adjusted(0, 0, -1, -1));
    painter.setPen(over(ground, QColor(117, 117, 117, 50)));
    const int left = outline.left();
    const int top = outline.top();
    const int right = outline.right();
    const int bottom = outline.bottom();
    painter.drawLine(left + 1, top, right - 1, top);
    painter.drawLine(left + 1, bottom, right - 1, bottom);
    painter.drawLine(left, top + 1, left, bottom - 1);
    painter.drawLine(right, top + 1, right, bottom - 1);
    painter.setPen(over(ground, QColor(39, 39, 39, 13)));
    painter.drawPoints(QPolygon{outline.topLeft(), outline.topRight(), outline.bottomLeft(), outline.bottomRight()});
    painter.restore();
}

// A double chevron in the text colour, pointing right, or down for a
// vertical bar; sharp on screens of a higher pixel ratio too.
QIcon extensionIcon(const QPalette& palette, bool vertical)
{
    const qreal ratio = qApp->devicePixelRatio();
    QPixmap arrow(QSize(16, 16) * ratio);
    arrow.setDevicePixelRatio(ratio);
    arrow.fill(Qt::transparent);
    QPainter painter(&arrow);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette.color(QPalette::WindowText), 1.5));
    if (vertical) {
        painter.translate(16, 0);
        painter.rotate(90);
    }
    for (const qreal x : {4.5, 8.5})
        painter.drawPolyline(QPolygonF{QPointF(x, 4.5), QPointF(x + 3.5, 8), QPointF(x, 11.5)});
    return QIcon(arrow);
}

} // namespace

ImageFreeStyle::ImageFreeStyle()
    : QProxyStyle(baseName())
{
}

QString ImageFreeStyle::baseName()
{
    return QStringLiteral("fusion");
}

void ImageFreeStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                   const QWidget* widget) const
{
    if (element != PE_FrameGroupBox) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // The frame starts below the title, or just below the top without one.
    const auto* group = qobject_cast<const QGroupBox*>(widget);
    int top = kGroupBoxTopMargin;
    if (!group || group->isCheckable() || !group->title().isEmpty())
        top += qMax(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget), option->fontMetrics.height());
    drawGroupBoxFrame(*painter, option->rect.adjusted(0, top, 0, 0), option->palette.color(QPalette::Window));
}

QIcon ImageFreeStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                   const QWidget* widget) const
{
    if (standardIcon == SP_ToolBarHorizontalExtensionButton || standardIcon == SP_ToolBarVerticalExtensionButton)
        return extensionIcon(widget ? widget->palette() : QApplication::palette(),
                             standardIcon == SP_ToolBarVerticalExtensionButton);
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}

void useImageFreeStyle()
{
    if (QApplication::style()->name().compare(ImageFreeStyle::baseName(), Qt::CaseInsensitive) == 0)
        QApplication::setStyle(new ImageFreeStyle);
}

} // namespace tools
