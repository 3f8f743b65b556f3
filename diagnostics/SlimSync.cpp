#include "diagnostics/SlimSync.h"

// The slim lock and condition variable came with Windows Vista, the oldest
// system the programs support; the rest of the tree keeps to the older API.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#include <windows.h>

static_assert(sizeof(SRWLOCK) == sizeof(void*) && sizeof(CONDITION_VARIABLE) == sizeof(void*),
              "the system's lock and condition variable are one pointer each");

namespace {

PSRWLOCK Lock(void*& lock) { return reinterpret_cast<PSRWLOCK>(&lock); }

PCONDITION_VARIABLE Condition(void*& condition) { return reinterpret_cast<PCONDITION_VARIABLE>(&condition); }

}  // namespace

void CSlimMutex::lock() { AcquireSRWLockExclusive(Lock(m_lock)); }

bool CSlimMutex::try_lock() { return TryAcquireSRWLockExclusive(Lock(m_lock)) != 0; }

void CSlimMutex::unlock() { ReleaseSRWLockExclusive(Lock(m_lock)); }

void CSlimCondition::notify_one() { WakeConditionVariable(Condition(m_condition)); }

void CSlimCondition::notify_all() { WakeAllConditionVariable(Condition(m_condition)); }

void CSlimCondition::wait(std::unique_lock<CSlimMutex>& lock) {
    SleepConditionVariableSRW(Condition(m_condition), Lock(lock.mutex()->m_lock), INFINITE, 0);
}
