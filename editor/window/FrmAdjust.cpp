#include "editor/window/FrmAdjust.h"

#include "editor/controls/FocusSelector.h"
#include "editor/controls/Widgets.h"
#include "editor/window/FrmMain.h"
#include "model/text/Numbers.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>

namespace animbox {

namespace {

// A signed amount as ordinary decimal text: 2, -1, -1.5. An amount too large
// for a double stays too large, so the main window refuses it.
QString decimal(double value)
{
    if (value == 0)
        return QStringLiteral("0");
    if (!std::isfinite(value))
        return value > 0 ? QStringLiteral("1e999") : QStringLiteral("-1e999");
    return QString::number(value, 'g', 15);
}

} // namespace

FrmAdjust::FrmAdjust(FrmMain& window)
    : QDialog(&window)
    , m_window(window)
    , m_amount(placed(new QLineEdit(QStringLiteral("1"), this), "Text1", {120, 16, 73, 25}))
{
    setObjectName(QStringLiteral("FrmAdjust"));
    setWindowTitle(tr("全局调整"));
    setFixedSize(255, 171);
    placed(new QLabel(tr("单位(像素)"), this), "Label1", {24, 16, 89, 25});
    const auto button = [this](const char* name, const QString& caption, QRect geometry, void (FrmAdjust::*slot)()) {
        auto* b = placed(new QPushButton(caption, this), name, geometry);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
    };
    button("Command1", tr("上移"), {80, 56, 73, 25}, &FrmAdjust::Command1_Click);
    button("Command3", tr("左移"), {8, 80, 73, 25}, &FrmAdjust::Command3_Click);
    button("Command5", tr("右移"), {152, 80, 73, 25}, &FrmAdjust::Command5_Click);
    button("Command4", tr("下移"), {80, 104, 73, 25}, &FrmAdjust::Command4_Click);
    button("Command2", tr("关闭"), {176, 128, 65, 25}, &FrmAdjust::reject);
    new FocusSelector(m_amount, 0, 4);
    m_amount->setFocus();
}

QString FrmAdjust::moveCommand(const QString& amount, int xSign, int ySign)
{
    const double v = model::leadingNumber(amount);
    return QStringLiteral("x=") + decimal(xSign * v) + QStringLiteral(",y=") + decimal(ySign * v);
}

void FrmAdjust::Command1_Click()
{
    move(0, -1);
}

void FrmAdjust::Command3_Click()
{
    move(-1, 0);
}

void FrmAdjust::Command4_Click()
{
    move(0, 1);
}

void FrmAdjust::Command5_Click()
{
    move(1, 0);
}

void FrmAdjust::move(int xSign, int ySign)
{
    m_window.pending().setPendingText(moveCommand(m_amount->text(), xSign, ySign));
    m_window.offsetadjust();
}

} // namespace animbox
