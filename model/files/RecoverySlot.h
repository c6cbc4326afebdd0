#pragma once

#include "model/files/RecoveryFile.h"

#include <memory>

class QLockFile;

namespace model {

// One window's recovery file together with the lock that says its window
// is running: the lock file (the recovery file's path + ".lock") is held
// for as long as the slot is taken. A crashed window's lock stays on disk
// but is known as stale, its process being gone; so a recovery file whose
// lock can be taken was left by a window that is no longer running.
class RecoverySlot {
public:
    explicit RecoverySlot(const QString& path);
    RecoverySlot(RecoverySlot&&) noexcept;
    RecoverySlot& operator=(RecoverySlot&&) noexcept;
    ~RecoverySlot(); // gives up the lock and leaves the file

    // Takes the lock; false while a running window holds it.
    bool take();

    const RecoveryFile& file() const { return m_file; }

private:
    RecoveryFile m_file;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace model
