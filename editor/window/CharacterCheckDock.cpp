#include "editor/window/CharacterCheckDock.h"

#include "editor/images/ImageLoading.h"
#include "editor/window/FrmMain.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPromise>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace animbox {

namespace {

enum Column { AnimationColumn, FrameColumn, LineColumn, TextColumn, ColumnCount };
constexpr int kFrameRole = Qt::UserRole;
// A small character is checked before a progress bar would be worth showing.
constexpr int kProgressDelayMs = 300;

// Runs on a worker thread: everything it uses is its own copy, and `stop`
// only tells it to end. A stopped check still hands over what it found.
void runCheck(QPromise<model::CheckReport>& promise, const QByteArray& bytes, const QString& gameFolder,
              const std::shared_ptr<std::atomic_bool>& stop)
{
    const model::CharacterCheck check(bytes, gameFolder,
                                      [](const QString& path, QString* error) { return loadImage(path, error); });
    int knownTotal = -1;
    model::CheckReport report = check.run([&](int done, int total) {
        if (total != knownTotal) {
            knownTotal = total;
            promise.setProgressRange(0, total);
        }
        promise.setProgressValue(done);
        return !stop->load();
    });
    promise.addResult(std::move(report));
}

} // namespace

CharacterCheckDock::CharacterCheckDock(FrmMain* window)
    : QDockWidget(tr("检查角色"), window)
    , m_window(window)
{
    setObjectName(QStringLiteral("CharacterCheck"));
    auto* body = new QWidget(this);
    m_status = new QLabel(body);
    m_progress = new QProgressBar(body);
    m_cancel = new QPushButton(tr("取消"), body);
    m_copy = new QPushButton(tr("复制"), body);
    m_list = new QTreeWidget(body);
    m_list->setColumnCount(ColumnCount);
    m_list->setHeaderLabels({tr("动画"), tr("帧"), tr("行"), tr("说明")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->header()->setStretchLastSection(true);
    // Room for about ten findings when the dock first opens below the window.
    m_list->setMinimumHeight(m_list->fontMetrics().height() * 12);

    auto* copyAction = new QAction(m_list);
    copyAction->setShortcut(QKeySequence::Copy);
    copyAction->setShortcutContext(Qt::WidgetShortcut);
    m_list->addAction(copyAction);

    auto* row = new QHBoxLayout;
    row->addWidget(m_status, 1);
    row->addWidget(m_progress);
    row->addWidget(m_cancel);
    row->addWidget(m_copy);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(row);
    layout->addWidget(m_list);
    setWidget(body);
    m_progress->hide();
    m_cancel->hide();
    m_copy->setEnabled(false);

    m_progressDelay.setSingleShot(true);
    m_progressDelay.setInterval(kProgressDelayMs);
    connect(&m_progressDelay, &QTimer::timeout, this, &CharacterCheckDock::showProgressRow);
    connect(&m_watcher, &QFutureWatcherBase::progressRangeChanged, m_progress, &QProgressBar::setRange);
    connect(&m_watcher, &QFutureWatcherBase::progressValueChanged, m_progress, &QProgressBar::setValue);
    connect(&m_watcher, &QFutureWatcherBase::finished, this, &CharacterCheckDock::ended);
    connect(m_cancel, &QPushButton::clicked, this, &CharacterCheckDock::cancel);
    connect(m_copy, &QPushButton::clicked, this, &CharacterCheckDock::copyText);
    connect(copyAction, &QAction::triggered, this, &CharacterCheckDock::copyText);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &CharacterCheckDock::openFinding);
}

CharacterCheckDock::~CharacterCheckDock()
{
    // The worker holds nothing of the dock; it only has to notice the stop.
    cancel();
    m_watcher.waitForFinished();
}

void CharacterCheckDock::start(const QString& path, const QByteArray& bytes, const QString& gameFolder)
{
    // A check still running ends on its own once it sees the stop; the
    // watcher no longer reports it.
    cancel();
    m_stop = std::make_shared<std::atomic_bool>(false);
    m_path = path;
    m_bytes = bytes;
    m_running = true;
    m_list->clear();
    m_copy->setEnabled(false);
    m_status->setText(tr("正在检查 %1…").arg(QFileInfo(path).fileName()));
    m_progress->setRange(0, 0);
    m_progressDelay.start();
    m_watcher.setFuture(QtConcurrent::run(runCheck, bytes, gameFolder, m_stop));
}

void CharacterCheckDock::cancel()
{
    if (m_stop)
        m_stop->store(true);
}

void CharacterCheckDock::showProgressRow()
{
    if (!isRunning())
        return;
    m_progress->show();
    m_cancel->show();
}

void CharacterCheckDock::ended()
{
    m_running = false;
    m_progressDelay.stop();
    m_progress->hide();
    m_cancel->hide();
    showReport(m_watcher.result());
    emit checkEnded();
}

void CharacterCheckDock::showReport(const model::CheckReport& report)
{
    int problems = 0;
    QList<QTreeWidgetItem*> items;
    for (const model::CheckFinding& finding : report.findings) {
        auto* item = new QTreeWidgetItem;
        item->setText(AnimationColumn, finding.animation);
        item->setText(FrameColumn, finding.frame >= 0 ? QString::number(finding.frame + 1) : QString());
        item->setText(LineColumn, QString::number(finding.line));
        item->setText(TextColumn, finding.text);
        item->setData(FrameColumn, kFrameRole, finding.frame);
        if (finding.isInformation()) {
            for (int column = 0; column < ColumnCount; ++column)
                item->setForeground(column, palette().brush(QPalette::PlaceholderText));
        } else {
            ++problems;
        }
        items.append(item);
    }
    m_list->addTopLevelItems(items);
    for (int column = AnimationColumn; column < TextColumn; ++column)
        m_list->resizeColumnToContents(column);
    m_copy->setEnabled(!items.isEmpty());
    const QString file = QFileInfo(m_path).fileName();
    const QString count = QString::number(report.animationCount);
    if (!report.isComplete()) {
        m_status->setText(tr("%1: 检查已取消, 已检查 %2 / %3 个动画, %4 个问题")
                              .arg(file, QString::number(report.checked), count, QString::number(problems)));
    } else if (problems == 0) {
        m_status->setText(tr("%1: %2 个动画, 没有发现问题").arg(file, count));
    } else {
        m_status->setText(tr("%1: %2 个动画, %3 个问题").arg(file, count, QString::number(problems)));
    }
}

// Shows the finding's animation at its frame: in the character panel when
// the file checked is open, else by opening it (which asks about unsaved
// changes first).
void CharacterCheckDock::openFinding(QTreeWidgetItem* item)
{
    const int line = item->text(LineColumn).toInt();
    if (!m_window->showFinding(m_path, m_bytes, line, item->text(AnimationColumn)))
        return;
    const int frame = item->data(FrameColumn, kFrameRole).toInt();
    if (frame >= 0 && frame < m_window->List1()->count())
        m_window->List1()->setCurrentRow(frame);
}

QString CharacterCheckDock::text() const
{
    QStringList lines;
    QStringList names;
    for (int column = 0; column < ColumnCount; ++column)
        names.append(m_list->headerItem()->text(column));
    lines.append(names.join(u'\t'));
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_list->topLevelItem(i);
        QStringList cells;
        for (int column = 0; column < ColumnCount; ++column)
            cells.append(item->text(column));
        lines.append(cells.join(u'\t'));
    }
    return lines.join(u'\n') + u'\n';
}

void CharacterCheckDock::copyText()
{
    QApplication::clipboard()->setText(text());
}

} // namespace animbox
