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

// The fixed layouts were made for the Chinese captions; an English one may
// need more room. Widens `control` to its caption when it has too little.
void widenToCaption(QWidget* control);

} // namespace animbox
