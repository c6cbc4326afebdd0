#include "model/files/RecoverySlot.h"

#include <QLockFile>

namespace model {

RecoverySlot::RecoverySlot(const QString& path)
    : m_file(path)
    , m_lock(std::make_unique<QLockFile>(path + QStringLiteral(".lock")))
{
    // A lock is stale only when its process is gone, however old it is: a
    // window may run for days.
    m_lock->setStaleLockTime(0);
}

RecoverySlot::RecoverySlot(RecoverySlot&&) noexcept = default;
RecoverySlot& RecoverySlot::operator=(RecoverySlot&&) noexcept = default;
RecoverySlot::~RecoverySlot() = default;

bool RecoverySlot::take()
{
    return m_lock->tryLock(0);
}

} // namespace model
