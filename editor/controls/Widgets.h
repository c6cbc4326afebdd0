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

} // namespace animbox
