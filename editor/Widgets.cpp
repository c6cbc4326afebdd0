#include "editor/Widgets.h"

#include "language/CaptionWidth.h"

#include <QWidget>

namespace animbox {

void widenToCaption(QWidget* control)
{
    control->resize(qMax(control->width(), language::captionWidth(control)), control->height());
}

} // namespace animbox
