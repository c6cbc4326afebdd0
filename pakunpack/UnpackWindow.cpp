#include "pakunpack/UnpackWindow.h"

#include "pakunpack/ShownText.h"
#include "pakunpack/UnpackRun.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace pakunpack {

namespace {

// The bar counts in KiB, so that archives up to 4 GiB stay within its int range.
int kib(qint64 bytes)
{
    return int((bytes + 1023) / 1024);
}

} // namespace

UnpackWindow::UnpackWindow(UnpackRun* run, const QString& archive, QWidget* parent)
    : QDialog(parent)
    , m_run(run)
    , m_dataFolder(QFileInfo(archive).absoluteDir().filePath(QStringLiteral("data")))
    , m_status(new QLabel(this))
    , m_progress(new QProgressBar(this))
    , m_details(new QPlainTextEdit(this))
    , m_openData(new QPushButton(tr("打开data文件夹"), this))
    , m_openFailure(new QLabel(this))
{
    m_run->setParent(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("pakunpack - ") + shownText(QFileInfo(archive).fileName()));
    m_status->setObjectName(QStringLiteral("status"));
    for (QLabel* label : {m_status, m_openFailure}) {
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    m_openFailure->setObjectName(QStringLiteral("openFailure"));
    m_openFailure->hide();
    m_progress->setObjectName(QStringLiteral("progress"));
    m_details->setObjectName(QStringLiteral("details"));
    m_details->setReadOnly(true);
    m_details->hide();
    m_openData->setObjectName(QStringLiteral("openData"));
    m_openData->setEnabled(false);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(tr("关闭"));
    buttons->addButton(m_openData, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    connect(m_openData, &QPushButton::clicked, this, &UnpackWindow::openDataFolder);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_progress);
    layout->addWidget(m_details, 1);
    layout->addWidget(m_openFailure);
    layout->addWidget(buttons);
    resize(480, 160);

    connect(m_run, &UnpackRun::progressed, this, &UnpackWindow::showProgress);
    connect(m_run, &UnpackRun::finished, this, &UnpackWindow::showOutcome);
    showProgress();
}

void UnpackWindow::showProgress()
{
    m_progress->setRange(0, qMax(1, kib(m_run->totalBytes())));
    m_progress->setValue(kib(m_run->doneBytes()));
    if (!m_run->currentEntry().isEmpty())
        m_status->setText(tr("正在解压: ") + shownText(m_run->currentEntry()));
    else if (!m_run->isFinished())
        m_status->setText(tr("正在解压..."));
}

void UnpackWindow::showOutcome()
{
    showProgress();
    m_status->setText(outcomeText());
    QStringList details;
    for (const UnpackRun::Refusal& refusal : m_run->refused())
        details << shownText(refusal.name + QStringLiteral(": ") + refusal.reason);
    if (!m_run->errorText().isEmpty()) {
        for (const QString& line : m_run->errorText().split(QLatin1Char('\n')))
            details << shownText(line);
    }
    m_details->setPlainText(details.join(QLatin1Char('\n')));
    m_details->setVisible(!details.isEmpty());
    if (!details.isEmpty())
        resize(width(), qMax(height(), 320));
    m_openData->setEnabled(m_run->written() > 0 && QFileInfo(m_dataFolder).isDir());
    // A bar that never moved says nothing when nothing was written.
    m_progress->setVisible(m_run->written() > 0);
}

QString UnpackWindow::outcomeText() const
{
    if (!m_run->exitedNormally())
        return tr("解包工具异常结束, 解压没有完成.");
    // kespak's exit codes: 0 done, 3 some entries refused, anything else failed.
    if (m_run->exitCode() != 0 && m_run->exitCode() != 3)
        return tr("解压失败 (退出码 %1), 没有写入文件:").arg(m_run->exitCode());
    QString text = m_run->written() > 0 ? tr("解压完成: 写入了%n个文件.", nullptr, m_run->written())
                                        : tr("解压失败: 没有解压出任何文件.");
    if (!m_run->refused().isEmpty())
        text += tr(" 有%n个条目被拒绝, 原因如下:", nullptr, int(m_run->refused().size()));
    return text;
}

// Opens the data folder with the desktop's file manager; where none is
// installed, the window says so and where the folder is.
void UnpackWindow::openDataFolder()
{
    const bool opened = QDesktopServices::openUrl(QUrl::fromLocalFile(m_dataFolder));
    m_openFailure->setText(tr("无法打开data文件夹 (没有找到可以打开文件夹的程序). 它在:\n%1")
                               .arg(shownText(QDir::toNativeSeparators(m_dataFolder))));
    m_openFailure->setVisible(!opened);
}

} // namespace pakunpack
