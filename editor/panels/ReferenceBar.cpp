#include "editor/panels/ReferenceBar.h"

#include "editor/controls/Widgets.h"
#include "language/CaptionWidth.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace animbox {

namespace {

// Window x positions made relative to the bar.
QRect at(int windowX, int width, int height)
{
    return {windowX - ReferenceBar::kLeft, 0, width, height};
}

} // namespace

ReferenceBar::ReferenceBar(QWidget* parent)
    : QWidget(parent)
    , m_base(placed(new QLineEdit(QStringLiteral("idle00"), this), "txtBase", at(264, 89, 18)))
    , m_x(placed(new QLineEdit(QStringLiteral("0"), this), "txtX", at(408, 33, 18)))
    , m_y(placed(new QLineEdit(QStringLiteral("0"), this), "txtY", at(440, 33, 18)))
    , m_toggle(placed(new QPushButton(this), "Command3", at(480, 97, 17)))
    , m_extended(placed(new QCheckBox(tr("绘制扩展框&x"), this), "Check1", at(592, 110, 18)))
{
    setObjectName(QStringLiteral("ReferenceBar"));
    placed(new QLabel(tr("参考帧"), this), "lblBase", at(192, 65, 18));
    placed(new QLabel(tr("坐标"), this), "lblXY", at(360, 41, 18));
    resize(at(702, 0, 0).x(), 22);
    // The toggle is wide enough for the captions of both its states.
    for (Toggle state : {Toggle::OffersReference, Toggle::OffersListFrame}) {
        setToggle(state);
        language::widenToCaption(m_toggle);
    }
    m_state = Toggle::AtStart;
    //: The first press shows the list's frame, as "DrawListFrame" does.
    m_toggle->setText(tr("绘制参考帧"));
}

void ReferenceBar::setToggle(Toggle state)
{
    m_state = state;
    //: The caption says what the next press does: draw the reference frame.
    if (state == Toggle::OffersReference)
        m_toggle->setText(tr("DrawBaseFrame"));
    //: The caption says what the next press does: show the list's frame again.
    else if (state == Toggle::OffersListFrame)
        m_toggle->setText(tr("DrawListFrame"));
}

} // namespace animbox
