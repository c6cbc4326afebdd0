#pragma once

#include "model/RecoveryFile.h"

#include <QObject>
#include <QTimer>

#include <functional>

namespace model {

// Keeps an editor's unsaved work in its recovery file: a change schedules
// a write a short moment later (so a burst of edits is written once), and
// the file is removed as soon as the work is saved or discarded.
class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr int kDelayMs = 1500;

    RecoveryKeeper(const QString& path, std::function<RecoveryData()> snapshot, QObject* parent = nullptr);

    const RecoveryFile& file() const { return m_file; }

    // The work a crashed run left behind; nullopt when there is none, or,
    // with `error` set, when its file was damaged and has been set aside.
    std::optional<RecoveryData> leftOver(QString* error) const;

    // The work changed: `unsaved` tells whether it now differs from its
    // saved state.
    void workChanged(bool unsaved);
    // The work is saved, discarded or restored from the file it replaces.
    void forget();

private:
    void writeNow();

    RecoveryFile m_file;
    std::function<RecoveryData()> m_snapshot;
    QTimer m_timer;
};

} // namespace model
