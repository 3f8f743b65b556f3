// Opens a stand-in box in one of the three places a driver must reach: the
// test's own thread (modeless), another thread of the test process (modal),
// or the fake product process (modal).
#pragma once

#include <windows.h>

#include <memory>
#include <ostream>
#include <string>

#include "tests/support/ChildProcess.h"

namespace scrivlo_test {

enum class Place { kSameThread, kOtherThread, kOtherProcess };
const char* PlaceName(Place place);
void PrintTo(Place place, std::ostream* out);

// The fake product beside the test program.
std::string FakeProductPath();

class CBoxHost {
public:
    CBoxHost();
    ~CBoxHost();
    CBoxHost(const CBoxHost&) = delete;
    CBoxHost& operator=(const CBoxHost&) = delete;

    // Opens the box of this kind (StandInOfKind) and waits until it is shown.
    bool Open(Place place, const std::string& kind, DWORD timeoutMs = 10000);
    HWND Box() const { return m_hBox; }
    DWORD ProcessId() const;

    // Waits until the box has ended; its result.
    bool WaitResult(DWORD timeoutMs, int* result);

private:
    struct CThreadBox;
    Place m_place = Place::kSameThread;
    HWND m_hBox = nullptr;
    int m_nResult = -100;  // same thread: set by the box
    std::unique_ptr<CThreadBox> m_thread;
    CChildProcess m_process;
};

}  // namespace scrivlo_test
