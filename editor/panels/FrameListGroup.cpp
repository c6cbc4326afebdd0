#include "editor/panels/FrameListGroup.h"

#include "editor/controls/Widgets.h"
#include "language/CaptionWidth.h"

#include <QListWidget>
#include <QPushButton>

namespace animbox {

FrameListGroup::FrameListGroup(QWidget* parent)
    : QGroupBox(tr("帧列表"), parent)
    , m_delete(placed(new QPushButton(tr("删除帧"), this), "Command4", {8, 16, 57, 17}))
    , m_up(placed(new QPushButton(tr("上移"), this), "Command7", {64, 16, 49, 17}))
    , m_down(placed(new QPushButton(tr("下移"), this), "Command10", {112, 16, 57, 17}))
    , m_clear(placed(new QPushButton(tr("清空"), this), "Command6", {168, 16, 49, 17}))
    , m_list(placed(new QListWidget(this), "List1", {16, 40, 225, 244}))
{
    setObjectName(QStringLiteral("FrameListGroup"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    for (QPushButton* button : {m_delete, m_up, m_down, m_clear})
        button->setFocusPolicy(Qt::TabFocus);
    m_clear->setToolTip(tr("删除列表中的全部帧"));
    language::widenToCaption(m_clear);
}

void FrameListGroup::resizeEvent(QResizeEvent* event)
{
    QGroupBox::resizeEvent(event);
    m_list->resize(width() - 2 * m_list->x(), m_list->height());
}

} // namespace animbox
