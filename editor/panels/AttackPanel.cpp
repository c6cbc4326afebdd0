#include "editor/panels/AttackPanel.h"

#include "editor/controls/ChoiceCombo.h"
#include "editor/controls/Widgets.h"
#include "language/CaptionWidth.h"
#include "model/animation/FrameRecord.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace animbox {

namespace {

QWidget* patch(QWidget* parent, const char* name, QRect geometry, QColor color)
{
    auto* widget = placed(new QWidget(parent), name, geometry);
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    return widget;
}

// Shows a 0/1 flag; any other value from script text shows as checked.
void showFlag(QCheckBox* box, qint16 value)
{
    box->setChecked(value != 0);
}

} // namespace

AttackPanel::AttackPanel(QWidget* parent)
    : QGroupBox(parent)
{
    setObjectName(QStringLiteral("FmAbox"));
    m_kind = placed(new ChoiceCombo(this), "txtAtType", {8, 16, 81, 22});
    m_kind->addItems({QStringLiteral("Attack"), QStringLiteral("Blast"), QStringLiteral("Attack2"),
                      QStringLiteral("Attack3"), QStringLiteral("Attack4"), QStringLiteral("Freeze")});
    m_knockdown = placed(new QCheckBox(tr("击倒"), this), "txtDown", {96, 10, 80, 17});
    m_unblockable = placed(new QCheckBox(tr("防御不能"), this), "txtBlock", {96, 27, 80, 17});
    m_noFlash = placed(new QCheckBox(tr("没有火花"), this), "txtFlash", {96, 44, 80, 17});
    placed(new QLabel(tr("攻击力"), this), "lblPow", {8, 44, 49, 17});
    m_damage = placed(new QLineEdit(QStringLiteral("20"), this), "txtPow", {8, 62, 41, 22});
    placed(new QLabel(tr("攻击延迟"), this), "lblPause", {54, 66, 56, 17});
    m_pause = placed(new ChoiceCombo(this), "txtPause", {110, 62, 64, 22});
    for (int value : {0, 15, 20, 30, 40, 50, 60, 70, 80, 90, 100})
        m_pause->addItem(QString::number(value));
    m_pause->setCurrentIndex(1);

    QWidget* attackPatch = patch(this, "AttackPatch", {180, 10, 70, 42}, QColor(255, 192, 128));
    m_emptyAttack = placed(new QPushButton(tr("空攻击框"), attackPatch), "Command1", {4, 2, 62, 18});
    m_clearAttack = placed(new QPushButton(tr("清除攻框"), attackPatch), "CmdClearAt", {4, 22, 62, 18});
    QWidget* bodyPatch = patch(this, "BodyPatch", {180, 54, 70, 42}, QColor(128, 128, 255));
    m_emptyBody = placed(new QPushButton(tr("空受击框"), bodyPatch), "Command8", {4, 2, 62, 18});
    m_clearBody = placed(new QPushButton(tr("清除受框"), bodyPatch), "Command2", {4, 22, 62, 18});
    m_emptyAttack->setToolTip(tr("本帧与其后攻击框相同的帧都明确不带攻击框和扩展攻击框"));
    m_clearAttack->setToolTip(tr("本帧的攻击框和扩展攻击框沿用上一帧，第一帧则不写自己的攻击框"));
    m_emptyBody->setToolTip(tr("本帧与其后受击框相同的帧都明确不带受击框和扩展受击框"));
    m_clearBody->setToolTip(tr("本帧的受击框和扩展受击框沿用上一帧，第一帧则不写自己的受击框"));

    // Check boxes and buttons whose captions need more room widen: the
    // patches stand right of the check boxes and take the widest button, and
    // the panel grows to the right as far as they need.
    int boxWidth = m_knockdown->width();
    for (const QCheckBox* box : {m_knockdown, m_unblockable, m_noFlash})
        boxWidth = qMax(boxWidth, language::captionWidth(box));
    int buttonWidth = m_emptyAttack->width();
    for (const QPushButton* button : {m_emptyAttack, m_clearAttack, m_emptyBody, m_clearBody})
        buttonWidth = qMax(buttonWidth, language::captionWidth(button));
    for (QCheckBox* box : {m_knockdown, m_unblockable, m_noFlash})
        box->resize(boxWidth, box->height());
    for (QPushButton* button : {m_emptyAttack, m_clearAttack, m_emptyBody, m_clearBody})
        button->resize(buttonWidth, button->height());
    for (QWidget* patch : {attackPatch, bodyPatch})
        patch->setGeometry(m_knockdown->geometry().right() + 5, patch->y(), buttonWidth + 8, patch->height());
    m_width = attackPatch->geometry().right() + 8;
}

QSize AttackPanel::sizeHint() const
{
    return {m_width, kHeight};
}

void AttackPanel::load(const model::FrameRecord& record)
{
    const QSignalBlocker kind(m_kind), damage(m_damage), knockdown(m_knockdown),
        unblockable(m_unblockable), noFlash(m_noFlash), pause(m_pause);
    m_kind->showValue(record.attackKind);
    m_damage->setText(QString::number(record.damage));
    showFlag(m_noFlash, record.noFlash);
    showFlag(m_knockdown, record.knockdown);
    showFlag(m_unblockable, record.unblockable);
    m_pause->showValue(QString::number(record.pause));
}

} // namespace animbox
