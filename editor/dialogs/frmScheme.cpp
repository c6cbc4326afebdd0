#include "editor/dialogs/frmScheme.h"

#include "editor/controls/Widgets.h"
#include "editor/dialogs/PendingText.h"
#include "model/animation/Scheme.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace animbox {

namespace {

// One axis: a titled group with the centred / fixed-edge pair, and inside it
// an untitled group with the side pair and the margin. The fixed-edge choice
// sits on the inner group's upper border.
struct AxisNames {
    const char* outer;
    const char* centred;
    const char* fixed;
    const char* inner;
    const char* nearSide;
    const char* farSide;
    const char* marginLabel;
    const char* margin;
    const char* unitLabel;
};

frmScheme::Axis makeAxis(QWidget* dialog, int top, const QString& title, const AxisNames& n,
                      const QString& nearCaption, const QString& farCaption, const QString& margin)
{
    auto* outer = placed(new QGroupBox(title, dialog), n.outer, {8, top, 273, 145});
    auto* inner = placed(new QGroupBox(outer), n.inner, {16, 40, 241, 89});
    frmScheme::Axis c{};
    c.centred = placed(new QRadioButton(frmScheme::tr("居中"), outer), n.centred, {24, 16, 120, 18});
    c.fixed = placed(new QRadioButton(frmScheme::tr("固定边缘"), outer), n.fixed, {24, 32, 90, 18});
    c.fixed->setAutoFillBackground(true);
    c.fixed->raise();
    c.nearSide = placed(new QRadioButton(nearCaption, inner), n.nearSide, {16, 24, 92, 18});
    c.farSide = placed(new QRadioButton(farCaption, inner), n.farSide, {112, 24, 92, 18});
    placed(new QLabel(frmScheme::tr("边缘"), inner), n.marginLabel, {24, 56, 49, 18});
    c.margin = placed(new QLineEdit(margin, inner), n.margin, {80, 56, 49, 18});
    placed(new QLabel(frmScheme::tr("像素"), inner), n.unitLabel, {136, 56, 49, 18});
    // Explicit groups: radio buttons would otherwise group with those of the
    // nested box as well.
    auto* mode = new QButtonGroup(outer);
    mode->addButton(c.centred);
    mode->addButton(c.fixed);
    auto* side = new QButtonGroup(inner);
    side->addButton(c.nearSide);
    side->addButton(c.farSide);
    return c;
}

} // namespace

frmScheme::frmScheme(PendingText& pending, QWidget* parent)
    : QDialog(parent)
    , m_pending(pending)
    , m_x()
    , m_y()
{
    setObjectName(QStringLiteral("frmScheme"));
    setWindowTitle(tr("初始化帧"));
    setFixedSize(289, 372);
    m_x = makeAxis(this, 8, tr("X 方案"),
                                    {"Frame1", "option1", "Option2", "Frame2", "Option3", "Option4",
                                     "Label1", "Text1", "Label2"},
                                    tr("从左侧固定"), tr("从右侧固定"), QStringLiteral("1"));
    m_y = makeAxis(this, 176, tr("Y 方案"),
                                    {"Frame3", "Option8", "Option6", "Frame4", "Option7", "Option5",
                                     "Label4", "Text2", "Label3"},
                                    tr("从顶部固定"), tr("从底部固定"), QStringLiteral("2"));
    m_x.centred->setChecked(true);
    m_x.nearSide->setChecked(true);
    m_y.fixed->setChecked(true);
    m_y.farSide->setChecked(true);

    auto* ok = placed(new QPushButton(tr("确定"), this), "Command1", {216, 328, 65, 25});
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &frmScheme::Command1_Click);
}

void frmScheme::Command1_Click()
{
    m_pending.setPendingText(model::schemeText(m_x.centred->isChecked(), m_x.nearSide->isChecked(),
                                               m_x.margin->text(), m_y.centred->isChecked(),
                                               m_y.nearSide->isChecked(), m_y.margin->text()));
    accept();
}

} // namespace animbox
