#include "language/CaptionWidth.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>

namespace language {

namespace {

QString captionOf(const QWidget* control)
{
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    return QString();
}

} // namespace

int captionFrameWidth(const QWidget* control)
{
    const QStyle* style = control->style();
    if (qobject_cast<const QCheckBox*>(control))
        return style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, control)
            + style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, control);
    if (qobject_cast<const QRadioButton*>(control))
        return style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, control)
            + style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, control);
    if (const auto* button = qobject_cast<const QPushButton*>(control))
        return style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, control)
            + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, control)
            + (button->icon().isNull() ? 0 : button->iconSize().width() + 4);
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->width() - label->contentsRect().width() + 2 * label->margin() + qMax(0, label->indent());
    return 0;
}

int captionWidth(const QWidget* control)
{
    static const QRegularExpression shortcutMark(QStringLiteral("&(.)"));
    const QString text = captionOf(control).replace(shortcutMark, QStringLiteral("\\1"));
    return control->fontMetrics().horizontalAdvance(text) + captionFrameWidth(control);
}

void widenToCaption(QWidget* control)
{
    control->resize(qMax(control->width(), captionWidth(control)), control->height());
}

} // namespace language
