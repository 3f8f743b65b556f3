#include "tests/support/tests/BoxHost.h"

#include "tests/support/ProcessWindows.h"
#include "tests/support/WinePump.h"
#include "tests/support/tests/StandInBox.h"

namespace scrivlo_test {

const char* PlaceName(Place place) {
    switch (place) {
    case Place::kSameThread: return "same thread";
    case Place::kOtherThread: return "other thread";
    case Place::kOtherProcess: return "other process";
    }
    return "?";
}

void PrintTo(Place place, std::ostream* out) { *out << PlaceName(place); }

std::string FakeProductPath() { return ModuleFolder() + "support_fake_product.exe"; }

struct CBoxHost::CThreadBox {
    CStandInShape m_shape;
    INT_PTR m_result = -100;
    HANDLE m_hThread = nullptr;

    static DWORD WINAPI Main(void* param) {
        auto* self = static_cast<CThreadBox*>(param);
        self->m_result = RunStandInBox(nullptr, self->m_shape);
        return 0;
    }
};

CBoxHost::CBoxHost() = default;

CBoxHost::~CBoxHost() {
    if (m_place == Place::kSameThread && IsWindow(m_hBox)) DestroyWindow(m_hBox);
    if (m_thread && m_thread->m_hThread) {
        // A box left open is ended the way its Ok button would end it.
        if (IsWindow(m_hBox)) PostMessageW(m_hBox, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        if (WaitForObjectPumping(m_thread->m_hThread, 5000)) {
            CloseHandle(m_thread->m_hThread);
        } else {
            // Still inside the box: the thread keeps the state it uses.
            m_thread.release();
        }
    }
}

DWORD CBoxHost::ProcessId() const {
    return m_place == Place::kOtherProcess ? m_process.ProcessId() : GetCurrentProcessId();
}

bool CBoxHost::Open(Place place, const std::string& kind, DWORD timeoutMs) {
    m_place = place;
    switch (place) {
    case Place::kSameThread:
        m_hBox = CreateStandInBox(nullptr, StandInOfKind(kind), &m_nResult);
        // Shown, and its first messages handled.
        return m_hBox && WaitUntil([&] { return IsWindowVisible(m_hBox) != FALSE; }, timeoutMs);
    case Place::kOtherThread:
        m_thread.reset(new CThreadBox);
        m_thread->m_shape = StandInOfKind(kind);
        m_thread->m_hThread = CreateThread(nullptr, 0, CThreadBox::Main, m_thread.get(), 0, nullptr);
        if (!m_thread->m_hThread) return false;
        break;
    case Place::kOtherProcess:
        if (!m_process.Start(FakeProductPath(), "box " + kind, std::string())) return false;
        break;
    }
    m_hBox = WaitForBox(ProcessId(), timeoutMs);
    return m_hBox != nullptr;
}

bool CBoxHost::WaitResult(DWORD timeoutMs, int* result) {
    switch (m_place) {
    case Place::kSameThread:
        if (!WaitUntil([&] { return m_nResult != -100; }, timeoutMs)) return false;
        *result = m_nResult;
        return true;
    case Place::kOtherThread:
        if (!m_thread || !WaitForObjectPumping(m_thread->m_hThread, timeoutMs)) return false;
        *result = static_cast<int>(m_thread->m_result);
        return true;
    case Place::kOtherProcess: {
        DWORD code = 0;
        if (!m_process.WaitForExit(timeoutMs, &code)) return false;
        *result = static_cast<int>(code);
        return true;
    }
    }
    return false;
}

}  // namespace scrivlo_test
