#include "editor/character/CharacterPanel.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace animbox {

namespace {

enum Column { NameColumn, FramesColumn, MarkColumn };
constexpr int kIdRole = Qt::UserRole;

} // namespace

CharacterPanel::CharacterPanel(QWidget* parent)
    : QDockWidget(tr("角色动画"), parent)
{
    setObjectName(QStringLiteral("characterPanel"));
    // Neither floated nor closed: it sits right of the editor, and the
    // window's menu item shows and hides it.
    setFeatures(QDockWidget::NoDockWidgetFeatures);
    setAllowedAreas(Qt::RightDockWidgetArea);
    auto* body = new QWidget(this);
    m_filter = new QLineEdit(body);
    m_filter->setObjectName(QStringLiteral("animationFilter"));
    m_filter->setPlaceholderText(tr("筛选动画"));
    m_filter->setClearButtonEnabled(true);
    m_list = new QTreeWidget(body);
    m_list->setObjectName(QStringLiteral("animationList"));
    m_list->setHeaderLabels({tr("动画"), tr("帧"), QString()});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(NameColumn, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(FramesColumn, QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(MarkColumn, QHeaderView::Fixed);
    m_list->header()->resizeSection(MarkColumn, m_list->fontMetrics().horizontalAdvance(QStringLiteral("**")));
    m_list->installEventFilter(this);

    const auto button = [body](const QString& text, const char* name) {
        auto* b = new QPushButton(text, body);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    m_new = button(tr("新建…"), "cmdNewAnimation");
    m_rename = button(tr("重命名…"), "cmdRenameAnimation");
    m_duplicate = button(tr("复制…"), "cmdDuplicateAnimation");
    m_delete = button(tr("删除"), "cmdDeleteAnimation");
    auto* buttons = new QGridLayout;
    buttons->addWidget(m_new, 0, 0);
    buttons->addWidget(m_rename, 0, 1);
    buttons->addWidget(m_duplicate, 1, 0);
    buttons->addWidget(m_delete, 1, 1);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_filter);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    setWidget(body);

    connect(m_filter, &QLineEdit::textChanged, this, &CharacterPanel::applyFilter);
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item)
            emit animationChosen(item->data(NameColumn, kIdRole).toUInt());
    });
    connect(m_new, &QPushButton::clicked, this, &CharacterPanel::newRequested);
    connect(m_rename, &QPushButton::clicked, this, &CharacterPanel::renameRequested);
    connect(m_duplicate, &QPushButton::clicked, this, &CharacterPanel::duplicateRequested);
    connect(m_delete, &QPushButton::clicked, this, &CharacterPanel::deleteRequested);
}

void CharacterPanel::setRows(const QList<Row>& rows, quint32 current)
{
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    m_items.clear();
    QList<QTreeWidgetItem*> items;
    for (const Row& row : rows) {
        auto* item = new QTreeWidgetItem;
        item->setData(NameColumn, kIdRole, row.id);
        item->setTextAlignment(FramesColumn, Qt::AlignRight | Qt::AlignVCenter);
        showRow(item, row);
        m_items.insert(row.id, item);
        items.append(item);
    }
    m_list->addTopLevelItems(items);
    setCurrent(current);
    applyFilter();
}

void CharacterPanel::setCurrent(quint32 id)
{
    QTreeWidgetItem* item = m_items.value(id);
    if (!item || item == m_list->currentItem())
        return;
    const QSignalBlocker blocker(m_list);
    m_list->setCurrentItem(item);
    m_list->scrollToItem(item);
}

void CharacterPanel::updateRows(const QList<Row>& rows)
{
    for (const Row& row : rows) {
        if (QTreeWidgetItem* item = m_items.value(row.id))
            showRow(item, row);
    }
}

void CharacterPanel::showRow(QTreeWidgetItem* item, const Row& row)
{
    const QString frames = QString::number(row.frames);
    const QString mark = row.marked ? QStringLiteral("*") : QString();
    if (item->text(NameColumn) != row.name)
        item->setText(NameColumn, row.name);
    if (item->text(FramesColumn) != frames)
        item->setText(FramesColumn, frames);
    if (item->text(MarkColumn) != mark)
        item->setText(MarkColumn, mark);
}

// Shows the animations whose names hold the filter's text, letter case ignored.
void CharacterPanel::applyFilter()
{
    const QString text = m_filter->text().trimmed();
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_list->topLevelItem(i);
        item->setHidden(!item->text(NameColumn).contains(text, Qt::CaseInsensitive));
    }
}

bool CharacterPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        emit deleteRequested();
        return true;
    }
    return QDockWidget::eventFilter(watched, event);
}

} // namespace animbox
