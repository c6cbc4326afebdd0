#include "editor/AnimationChooser.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace animbox {

AnimationChooser::AnimationChooser(const QString& fileName, const QList<model::AnimBlock>& blocks, QWidget* parent)
    : QDialog(parent)
    , m_list(new QTreeWidget(this))
{
    setWindowTitle(tr("选择动画 - ") + fileName);
    m_list->setObjectName(QStringLiteral("animList"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({tr("动画"), tr("帧数")});
    for (const model::AnimBlock& block : blocks)
        new QTreeWidgetItem(m_list, {block.name, QString::number(block.frameCount)});
    m_list->setCurrentItem(m_list->topLevelItem(0));
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(360, 420);
}

int AnimationChooser::chosenIndex() const
{
    return m_list->indexOfTopLevelItem(m_list->currentItem());
}

} // namespace animbox
