// The canvas zoom of the classic main window: its keys, its level in the
// status bar and in the settings.

#include "classic/window/Form1.h"

#include "zoom/ZoomControl.h"

#include <QLabel>
#include <QSettings>
#include <QStatusBar>

namespace classic {

namespace {

const QString ZoomKey = QStringLiteral("set/zoom");

} // namespace

void Form1::setUpZoom()
{
    zoom::ZoomControl* control = m_ui.PicEdit->zoom();
    control->addShortcuts(this);
    control->setLevel(m_settings->value(ZoomKey, 1).toInt());
    QLabel* label = control->createLabel(m_ui.stbar);
    label->setObjectName(QStringLiteral("panelZoom"));
    m_ui.stbar->addPermanentWidget(label);
    connect(control, &zoom::ZoomControl::levelChanged, this, [this](int level) {
        m_settings->setValue(ZoomKey, level);
        m_settings->sync();
    });
}

} // namespace classic
