#include "editor/panels/DisplayGroup.h"

#include "editor/controls/Widgets.h"
#include "editor/panels/BackdropLabel.h"
#include "language/CaptionWidth.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace animbox {

DisplayGroup::DisplayGroup(QWidget* parent)
    : QGroupBox(parent)
    , m_delay(placed(new QLineEdit(this), "txtDelay", {44, 16, 41, 20}))
    , m_showBoxes(placed(new QCheckBox(tr("显示攻/受框"), this), "cbBox", {8, 38, 88, 18}))
    , m_drawLast(placed(new QCheckBox(tr("绘制上一帧"), this), "cDrawLast", {96, 38, 86, 18}))
    , m_swatch(placed(new QLabel(this), "lbTransparent", {140, 18, 33, 17}))
    , m_readOut(placed(new BackdropLabel(this), "Label1", {8, 56, 170, 38}))
    , m_preview(placed(new QLabel(this), "Image1", {184, 16, 57, 49}))
{
    setObjectName(QStringLiteral("Frame3"));
    language::widenToCaption(placed(new QLabel(tr("延迟"), this), "lblDelay", {8, 18, 33, 17}));
    placed(new QLabel(tr("透明色"), this), "Label4", {96, 18, 41, 17});
    m_showBoxes->setChecked(true);
    m_swatch->setAutoFillBackground(true);
    m_swatch->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_readOut->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_preview->setScaledContents(true);
    m_preview->setFrameStyle(QFrame::Box | QFrame::Plain);
}

void DisplayGroup::setSwatchColor(QColor color)
{
    QPalette palette = m_swatch->palette();
    palette.setColor(QPalette::Window, color);
    m_swatch->setPalette(palette);
}

} // namespace animbox
