#include "classic/ScriptFile.h"

#include "classic/ScriptBox.h"
#include "browser/MenuAction.h"
#include "browser/SaveQuestion.h"
#include "model/FileReplacement.h"
#include "model/TextFileEncoding.h"
#include "model/TextHelpers.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
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
    m_window->setWindowTitle(m_path.isEmpty() ? m_baseTitle
                                              : QFileInfo(m_path).fileName() + QStringLiteral("[*] - ") + m_baseTitle);
    m_window->setWindowModified(m_box->document()->isModified());
}

bool ScriptFile::open(const QString& path)
{
    if (!askToKeepChanges())
        return false;
    QString error;
    const QByteArray bytes = model::readWholeFile(path, &error);
    if (!error.isEmpty()) {
        QMessageBox::warning(m_window, m_baseTitle, error);
        return false;
    }
    m_path = QFileInfo(path).absoluteFilePath();
    m_bytes = bytes;
    m_lineEnd = model::lineEndOf(bytes);
    m_encoding = model::detectEncoding(bytes);
    // A new file starts a new undo history.
    m_box->setPlainText(model::toCrLf(model::decodeText(bytes, m_encoding, &m_lossless)));
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
    const bool sameFile = path == m_path;
    if (sameFile && !m_lossless) {
        QMessageBox::warning(m_window, m_baseTitle,
                             tr("文件中有无法识别的字符, 保存会改变它们, 未保存."));
        return false;
    }
    QByteArray disk;
    if (QFileInfo::exists(path)) {
        QString error;
        disk = model::readWholeFile(path, &error);
        if (!error.isEmpty()) {
            QMessageBox::warning(m_window, m_baseTitle, error);
            return false;
        }
    }
    if (sameFile && disk != m_bytes
        && QMessageBox::question(m_window, m_baseTitle,
                                 tr("文件在打开后被其他程序修改过: %1\n是否覆盖?")
                                     .arg(QDir::toNativeSeparators(path)))
               != QMessageBox::Yes) {
        return false;
    }
    const QByteArray lineEnd = sameFile ? m_lineEnd : (disk.isEmpty() ? m_lineEnd : model::lineEndOf(disk));
    const model::TextEncoding encoding = sameFile ? m_encoding : model::detectEncoding(disk);
    const std::optional<QByteArray> encoded = model::fileBytesFromText(m_box->scriptText(), lineEnd, encoding);
    if (!encoded) {
        QMessageBox::warning(m_window, m_baseTitle,
                             tr("文本中有 %1 编码无法写出的字符, 未保存.").arg(model::encodingName(encoding)));
        return false;
    }
    const QByteArray& contents = *encoded;
    const QString error = model::replaceFile(path, contents, disk);
    if (!error.isEmpty()) {
        QMessageBox::warning(m_window, m_baseTitle, error + tr("\n文件未作修改."));
        return false;
    }
    m_path = path;
    m_bytes = contents;
    m_lineEnd = lineEnd;
    m_encoding = encoding;
    m_lossless = true;
    m_box->document()->setModified(false);
    addRecent(path);
    updateTitle();
    return true;
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

void ScriptFile::keepRecovery(const QString& path)
{
    m_recovery = std::make_unique<model::RecoveryKeeper>(path, [this] {
        model::RecoveryData data;
        data.text = m_box->scriptText();
        data.file = m_path;
        return data;
    });
}

void ScriptFile::offerRecovery()
{
    QString error;
    const std::optional<model::RecoveryData> data = m_recovery ? m_recovery->leftOver(&error) : std::nullopt;
    if (!error.isEmpty())
        QMessageBox::warning(m_window, m_baseTitle, error);
    if (!data)
        return;
    const QString question = tr("上次退出时有未保存的文本%1. 是否恢复?")
                                 .arg(data->file.isEmpty() ? QString() : QStringLiteral(" (") + data->file + u')');
    if (QMessageBox::question(m_window, m_baseTitle, question) != QMessageBox::Yes) {
        m_recovery->forget();
        return;
    }
    if (!data->file.isEmpty() && QFileInfo::exists(data->file))
        open(data->file);
    // The restored text differs from the file, so it stays unsaved and kept.
    m_box->writeBack(data->text);
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
