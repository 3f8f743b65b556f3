#include "tests/support/DesktopInputLock.h"

namespace scrivlo_test {

bool CDesktopInputLock::Acquire(DWORD timeoutMs) {
    if (m_bHeld) return true;
    if (!m_hMutex) m_hMutex = CreateMutexA(nullptr, FALSE, "ScrivloTestDesktopInput");
    if (!m_hMutex) return false;
    const DWORD rc = WaitForSingleObject(m_hMutex, timeoutMs);
    m_bHeld = rc == WAIT_OBJECT_0 || rc == WAIT_ABANDONED;
    return m_bHeld;
}

void CDesktopInputLock::Release() {
    if (m_bHeld) ReleaseMutex(m_hMutex);
    m_bHeld = false;
    if (m_hMutex) CloseHandle(m_hMutex);
    m_hMutex = nullptr;
}

}  // namespace scrivlo_test
