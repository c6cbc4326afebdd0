#pragma once

#include "model/files/RecoverySlot.h"

#include <QObject>
#include <QTimer>

#include <functional>

namespace model {

// Keeps one window's unsaved work in a recovery file of its own: a change
// schedules a write a short moment later (so a burst of edits is written
// once), and the file is removed as soon as the work is saved or
// discarded. Every window has its own file in <data folder>/recovery,
// locked for as long as the window runs, so windows never see or remove
// each other's work; the files of windows that are no longer running are
// offered at the next start.
class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr int kDelayMs = 1500;

    RecoveryKeeper(const QString& dataFolder, std::function<RecoveryData()> snapshot, QObject* parent = nullptr);

    const RecoveryFile& file() const { return m_slot.file(); }

    // Offers, newest first, the work that windows no longer running left
    // behind, and the one recovery file of earlier versions
    // (<data folder>/recovery.json). `accept` is asked about each: work it
    // declines is removed; the first it accepts is returned, and its file
    // becomes this keeper's own. A damaged file is set aside and `report`ed.
    std::optional<RecoveryData> adoptLeftOver(const std::function<bool(const RecoveryData&)>& accept,
                                              const std::function<void(const QString&)>& report);

    // The work changed: `unsaved` tells whether it now differs from its
    // saved state.
    void workChanged(bool unsaved);
    // The work is saved, discarded or restored from the file it replaces.
    void forget();

private:
    void writeNow();

    QString m_dataFolder;
    RecoverySlot m_slot;
    std::function<RecoveryData()> m_snapshot;
    QTimer m_timer;
};

} // namespace model
