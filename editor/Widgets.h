#pragma once

#include <QLatin1String>
#include <QRect>
#include <QWidget>

namespace animbox {

// Gives a new control its objectName and its place in its parent, in pixels.
template <typename T>
T* placed(T* widget, const char* name, QRect geometry)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}

// The width a label, push button, check box or radio button needs to show
// its caption whole: the text without its shortcut mark, and the button's
// frame or the indicator before the text.
int captionWidth(const QWidget* control);

// The fixed layouts were made for the Chinese captions; an English one may
// need more room. Widens `control` to its caption when it has too little.
void widenToCaption(QWidget* control);

} // namespace animbox
