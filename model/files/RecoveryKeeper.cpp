#include "model/files/RecoveryKeeper.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QUuid>

#include <algorithm>

namespace model {

namespace {

QString windowsFolder(const QString& dataFolder)
{
    return dataFolder + QStringLiteral("/recovery");
}

// The recovery files in `dataFolder`, newest first: those of the windows,
// the names of locks whose window never wrote one (taking such a lock
// clears it away), and the single file of earlier versions.
QStringList recoveryFiles(const QString& dataFolder)
{
    QStringList paths;
    const QFileInfoList entries = QDir(windowsFolder(dataFolder))
                                      .entryInfoList({QStringLiteral("*.json"), QStringLiteral("*.json.lock")}, QDir::Files);
    for (const QFileInfo& entry : entries) {
        QString path = entry.absoluteFilePath();
        if (path.endsWith(QStringLiteral(".lock")))
            path.chop(5);
        if (!paths.contains(path))
            paths.append(path);
    }
    const QString single = QDir(dataFolder).absoluteFilePath(QStringLiteral("recovery.json"));
    if (QFileInfo(single).isFile())
        paths.append(single);
    std::sort(paths.begin(), paths.end(), [](const QString& a, const QString& b) {
        return QFileInfo(a).lastModified() > QFileInfo(b).lastModified();
    });
    return paths;
}

} // namespace

RecoveryKeeper::RecoveryKeeper(const QString& dataFolder, std::function<RecoveryData()> snapshot, QObject* parent)
    : QObject(parent)
    , m_dataFolder(dataFolder)
    , m_slot(windowsFolder(dataFolder) + u'/' + QUuid::createUuid().toString(QUuid::WithoutBraces)
             + QStringLiteral(".json"))
    , m_snapshot(std::move(snapshot))
{
    QDir().mkpath(windowsFolder(dataFolder));
    m_slot.take();
    m_timer.setSingleShot(true);
    m_timer.setInterval(kDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryKeeper::writeNow);
}

std::optional<RecoveryData> RecoveryKeeper::adoptLeftOver(const std::function<bool(const RecoveryData&)>& accept,
                                                          const std::function<void(const QString&)>& report)
{
    for (const QString& path : recoveryFiles(m_dataFolder)) {
        RecoverySlot slot(path);
        // A running window holds its lock; a file removed since the folder
        // was listed was saved or discarded by its window.
        if (path == file().path() || !slot.take() || !slot.file().exists())
            continue;
        QString error;
        const std::optional<RecoveryData> data = slot.file().readOrSetAside(&error);
        if (!error.isEmpty())
            report(error);
        if (!data)
            continue;
        if (!accept(*data)) {
            slot.file().remove();
            continue;
        }
        // Offered at start, before this window has work of its own; a
        // write already due goes to the adopted file.
        m_slot.file().remove();
        m_slot = std::move(slot);
        return data;
    }
    return std::nullopt;
}

void RecoveryKeeper::workChanged(bool unsaved)
{
    if (!unsaved) {
        forget();
        return;
    }
    // A running timer is not restarted, so steady editing is still written
    // at most kDelayMs after the first change.
    if (!m_timer.isActive())
        m_timer.start();
}

void RecoveryKeeper::forget()
{
    m_timer.stop();
    m_slot.file().remove();
}

void RecoveryKeeper::writeNow()
{
    m_slot.file().write(m_snapshot());
}

} // namespace model
