// The desktop's input (cursor, foreground window, keyboard focus) is one per
// display, shared by every test program running at the same time under the
// same wineserver. Every case of a Windows test program holds this lock, a
// named mutex, for its whole run (CaseStart.cpp), so that ctest -j does not
// let two of them fight over the foreground, or one put the desktop back in
// order under the other. A holder that dies leaves it abandoned, which the
// next waiter takes over.
#pragma once

#include <windows.h>

namespace scrivlo_test {

class CDesktopInputLock {
public:
    CDesktopInputLock() = default;
    ~CDesktopInputLock() { Release(); }
    CDesktopInputLock(const CDesktopInputLock&) = delete;
    CDesktopInputLock& operator=(const CDesktopInputLock&) = delete;

    // True once held (also when taken over from a holder that died).
    bool Acquire(DWORD timeoutMs);
    void Release();
    bool IsHeld() const { return m_bHeld; }

private:
    HANDLE m_hMutex = nullptr;
    bool m_bHeld = false;
};

}  // namespace scrivlo_test
