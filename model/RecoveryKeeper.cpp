#include "model/RecoveryKeeper.h"

namespace model {

RecoveryKeeper::RecoveryKeeper(const QString& path, std::function<RecoveryData()> snapshot, QObject* parent)
    : QObject(parent)
    , m_file(path)
    , m_snapshot(std::move(snapshot))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(kDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryKeeper::writeNow);
}

std::optional<RecoveryData> RecoveryKeeper::leftOver(QString* error) const
{
    if (!m_file.exists())
        return std::nullopt;
    return m_file.readOrSetAside(error);
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
    m_file.remove();
}

void RecoveryKeeper::writeNow()
{
    m_file.write(m_snapshot());
}

} // namespace model
