#include "classic/script/ScriptFile.h"

#include "classic/script/ScriptBox.h"
#include "browser/MenuAction.h"
#include "browser/PlainMessage.h"
#include "browser/SaveQuestion.h"
#include "model/files/FileReplacement.h"
#include "model/files/TextFileEncoding.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>

namespace classic {

namespace {

QString fileFilter()
{
    return ScriptFile::tr("脚本文件 (*.txt);;所有文件 (*)");
}

// The one local .txt file of a drag, or empty.
QString droppedTextFile(const QMimeData* data)
{
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls[0].isLocalFile() || !urls[0].toLocalFile().endsWith(u".txt", Qt::CaseInsensitive))
        return QString();
    return urls[0].toLocalFile();
}

} // namespace

ScriptFile::ScriptFile(QMainWindow* window, ScriptBox* box, QSettings* settings)
    : QObject(window)
    , m_window(window)
    , m_box(box)
    , m_settings(settings)
    , m_baseTitle(window->windowTitle())
{
    createMenu();
    window->setAcceptDrops(true);
    window->installEventFilter(this);
    box->viewport()->installEventFilter(this);
    connect(box->document(), &QTextDocument::modificationChanged, this, [this](bool modified) {
        m_window->setWindowModified(modified);
        if (m_recovery)
            m_recovery->workChanged(modified);
    });
    connect(box->document(), &QTextDocument::contentsChanged, this, [this] {
        if (m_recovery)
            m_recovery->workChanged(m_box->document()->isModified());
    });
    updateTitle();
}

ScriptFile::~ScriptFile() = default;

void ScriptFile::createMenu()
{
    QMenuBar* bar = m_window->menuBar();
    auto* menu = new QMenu(tr("文件"), bar);
    menu->setObjectName(QStringLiteral("mFile"));
    bar->insertMenu(bar->actions().value(0), menu);
    const auto add = [this, menu](const char* name, const QString& caption, QKeySequence key, auto slot) {
        browser::addMenuAction(menu, this, name, caption, key, slot);
    };
    add("mOpen", tr("打开…"), QKeySequence(Qt::CTRL | Qt::Key_O), [this] {
        const QString path = QFileDialog::getOpenFileName(m_window, tr("打开"),
                                                          QFileInfo(m_path).absolutePath(), fileFilter());
        if (!path.isEmpty())
            open(path);
    });
    add("mSave", tr("保存"), QKeySequence(Qt::CTRL | Qt::Key_S), &ScriptFile::save);
    add("mSaveAs", tr("另存为…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &ScriptFile::saveAs);
    menu->addSeparator();
    for (int i = 0; i < kMaxRecent; ++i) {
        QAction* action = menu->addAction(QString());
        action->setObjectName(QStringLiteral("mRecent%1").arg(i));
        connect(action, &QAction::triggered, this, [this, action] { open(action->data().toString()); });
        m_recentActions.append(action);
    }
    menu->addSeparator();
    add("mExit", tr("退出"), QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { m_window->close(); });
    updateRecentMenu();
}

QStringList ScriptFile::recentFiles() const
{
    return m_settings->value(QStringLiteral("recent/files")).toStringList();
}

void ScriptFile::addRecent(const QString& path)
{
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    m_settings->setValue(QStringLiteral("recent/files"), files.mid(0, kMaxRecent));
    updateRecentMenu();
}

void ScriptFile::updateRecentMenu()
{
    const QStringList files = recentFiles();
    for (int i = 0; i < m_recentActions.size(); ++i) {
        m_recentActions[i]->setVisible(i < files.size());
        m_recentActions[i]->setData(files.value(i));
        m_recentActions[i]->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(files.value(i))));
    }
}

void ScriptFile::updateTitle()
{
    // The placeholder carries the unsaved mark, of an untitled text too.
    m_window->setWindowTitle(m_path.isEmpty() ? m_baseTitle + QStringLiteral("[*]")
                                              : QStringLiteral("%1[*] (%2) - %3")
                                                    .arg(QFileInfo(m_path).fileName(),
                                                         model::encodingName(m_file.encoding()), m_baseTitle));
    m_window->setWindowModified(m_box->document()->isModified());
}

bool ScriptFile::open(const QString& path)
{
    if (!askToKeepChanges())
        return false;
    QString error;
    const QByteArray bytes = model::readWholeFile(path, &error);
    if (!error.isEmpty()) {
        warn(error);
        return false;
    }
    m_path = QFileInfo(path).absoluteFilePath();
    m_file = LinePreservingFile(bytes);
    // A new file starts a new undo history.
    m_box->setPlainText(m_file.text());
    m_box->document()->setModified(false);
    addRecent(m_path);
    updateTitle();
    return true;
}

bool ScriptFile::save()
{
    if (m_path.isEmpty())
        return saveAs();
    if (!m_box->document()->isModified())
        return true;
    return write(m_path);
}

bool ScriptFile::saveAs()
{
    const QString path = QFileDialog::getSaveFileName(m_window, tr("另存为"),
                                                      QFileInfo(m_path).absolutePath(), fileFilter());
    return !path.isEmpty() && write(QFileInfo(path).absoluteFilePath());
}

bool ScriptFile::write(const QString& path)
{
    const bool exists = QFileInfo::exists(path);
    QByteArray disk;
    if (exists) {
        QString error;
        disk = model::readWholeFile(path, &error);
        if (!error.isEmpty()) {
            warn(error);
            return false;
        }
    }
    // An untitled text saved over a file takes that file's encoding and
    // keeps the lines it shares with it.
    const LinePreservingFile base = m_path.isEmpty() && exists ? LinePreservingFile(disk) : m_file;
    const LinePreservingFile::Encoded encoded = base.encode(m_box->scriptText());
    if (encoded.refusal == LinePreservingFile::Encoded::Refusal::Unencodable) {
        warn(tr("第 %1 行有 %2 编码无法写出的字符, 未保存:\n%3")
                 .arg(encoded.line)
                 .arg(model::encodingName(base.encoding()), encoded.lineText));
        return false;
    }
    if (encoded.refusal == LinePreservingFile::Encoded::Refusal::Undecodable) {
        warn(tr("第 %1 行有文件中无法识别的字节 (显示为 �), 写出会改变它们, 未保存:\n%2")
                 .arg(encoded.line)
                 .arg(encoded.lineText));
        return false;
    }
    if (path == m_path && !mayReplace(path, exists, disk))
        return false;
    const QString error = model::replaceFile(path, encoded.bytes, disk);
    if (!error.isEmpty()) {
        warn(error);
        return false;
    }
    m_path = path;
    // Written in the file's own encoding, even when the bytes now read as another.
    m_file = LinePreservingFile(encoded.bytes, base.encoding());
    m_box->document()->setModified(false);
    addRecent(path);
    updateTitle();
    return true;
}

bool ScriptFile::mayReplace(const QString& path, bool exists, const QByteArray& disk)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (!exists)
        return ask(tr("文件在打开后被删除或移走了: %1\n是否写出全部文本?").arg(shown));
    return disk == m_file.bytes() || ask(tr("文件在打开后被其他程序修改过: %1\n是否覆盖?").arg(shown));
}

void ScriptFile::warn(const QString& text)
{
    browser::showPlainMessage(m_window, QMessageBox::Warning, m_baseTitle, text);
}

bool ScriptFile::ask(const QString& question)
{
    return browser::showPlainMessage(m_window, QMessageBox::Question, m_baseTitle, question,
                                     QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes;
}

bool ScriptFile::askToKeepChanges()
{
    return !m_box->document()->isModified()
        || browser::askToSave(m_window, m_baseTitle, tr("文本已修改, 是否保存?"),
                              [this] { return save(); });
}

void ScriptFile::closed()
{
    if (m_recovery)
        m_recovery->forget();
}

void ScriptFile::keepRecovery(const QString& dataFolder)
{
    m_recovery = std::make_unique<model::RecoveryKeeper>(dataFolder, [this] {
        model::RecoveryData data;
        data.text = m_box->scriptText();
        data.file = m_path;
        // What the next save compares the disk with and keeps the bytes of.
        if (!m_path.isEmpty()) {
            data.fileBytes = m_file.bytes();
            data.fileEncoding = model::encodingName(m_file.encoding());
        }
        return data;
    });
}

void ScriptFile::offerRecovery()
{
    if (!m_recovery)
        return;
    const auto accept = [this](const model::RecoveryData& data) {
        return ask(tr("上次退出时有未保存的文本%1. 是否恢复?")
                       .arg(data.file.isEmpty() ? QString() : QStringLiteral(" (") + data.file + u')'));
    };
    const std::optional<model::RecoveryData> data
        = m_recovery->adoptLeftOver(accept, [this](const QString& error) { warn(error); });
    if (data)
        restore(*data);
}

void ScriptFile::restore(const model::RecoveryData& data)
{
    const QString file = QFileInfo(data.file).isAbsolute() ? QDir::cleanPath(data.file) : QString();
    if (!file.isEmpty() && data.fileBytes) {
        // The file as the crashed run last read or wrote it, whatever the
        // disk holds now: saving asks when another program changed it since.
        m_path = file;
        m_file = LinePreservingFile(*data.fileBytes, model::encodingNamed(data.fileEncoding));
        m_box->setPlainText(m_file.text());
        m_box->document()->setModified(false);
    } else if (!file.isEmpty() && QFileInfo::exists(file)) {
        // A recovery file of an earlier version keeps no state of the file.
        open(file);
    }
    // The restored text differs from the file, so it stays unsaved and kept.
    m_box->writeBack(data.text);
    updateTitle();
}

bool ScriptFile::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::DragEnter) {
        auto* drag = static_cast<QDragEnterEvent*>(event);
        if (!droppedTextFile(drag->mimeData()).isEmpty()) {
            drag->acceptProposedAction();
            return true;
        }
    } else if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = droppedTextFile(drop->mimeData());
        if (!path.isEmpty()) {
            drop->acceptProposedAction();
            open(path);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace classic
