#include "language/CaptionWidth.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
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

// The caption as shown: "&x" shows as "x" and "&&" as "&". A loop, not a
// regular expression, whose compilation would come before the first frame.
QString withoutShortcutMarks(const QString& caption)
{
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
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
    return control->fontMetrics().horizontalAdvance(withoutShortcutMarks(captionOf(control)))
        + captionFrameWidth(control);
}

void widenToCaption(QWidget* control)
{
    control->resize(qMax(control->width(), captionWidth(control)), control->height());
}

} // namespace language
