// The framework's per-thread data: one heap block per thread behind a Win32
// TLS slot, freed by the executable's TLS callback when the thread ends.
#include <windows.h>

#include <atomic>
#include <new>

#include "framework/DeviceContext.h"
#include "framework/Exceptions.h"
#include "framework/GdiObjects.h"
#include "framework/Wnd.h"
#include "framework/WndThreadState.h"

namespace {

std::atomic<DWORD> g_dwIndex(TLS_OUT_OF_INDEXES);
std::atomic<long> g_nThreadData(0);

DWORD ThreadDataIndex() {
    DWORD dwIndex = g_dwIndex.load();
    if (dwIndex != TLS_OUT_OF_INDEXES) return dwIndex;
    DWORD dwNew = ::TlsAlloc();
    if (dwNew == TLS_OUT_OF_INDEXES) AfxThrowMemoryException();
    if (!g_dwIndex.compare_exchange_strong(dwIndex, dwNew)) {
        ::TlsFree(dwNew);  // another thread was first; dwIndex holds its slot
        return dwIndex;
    }
    return dwNew;
}

void NTAPI ThreadDataTlsCallback(PVOID, DWORD dwReason, PVOID) {
    if (dwReason == DLL_THREAD_DETACH) AfxTermThreadData();
}

}  // namespace

// Registered in the executable's TLS callback table; the loader calls it for
// every thread that starts or ends.
extern "C" {
__attribute__((section(".CRT$XLS"), used)) PIMAGE_TLS_CALLBACK scrivlo_framework_thread_callback =
    ThreadDataTlsCallback;
}

AfxThreadData& AfxGetThreadData() {
    // The lookup must not disturb the caller's last error (it runs between a
    // failed call and the caller's GetLastError, e.g. in CreateEx).
    const DWORD dwLastError = ::GetLastError();
    const DWORD dwIndex = ThreadDataIndex();
    AfxThreadData* pData = static_cast<AfxThreadData*>(::TlsGetValue(dwIndex));
    if (pData == nullptr) {
        pData = new (std::nothrow) AfxThreadData;
        if (pData == nullptr) AfxThrowMemoryException();
        ::TlsSetValue(dwIndex, pData);
        ++g_nThreadData;
    }
    ::SetLastError(dwLastError);
    return *pData;
}

WndThreadState& AfxGetWndThreadState() { return AfxGetThreadData().wnd; }

void AfxTermThreadData() {
    const DWORD dwIndex = g_dwIndex.load();
    if (dwIndex == TLS_OUT_OF_INDEXES) return;
    AfxThreadData* pData = static_cast<AfxThreadData*>(::TlsGetValue(dwIndex));
    if (pData == nullptr) return;
    // The temporaries go first, while their destructors can still find the
    // data; what is left (empty maps, the creation hook) goes with it.
    AfxDeleteTempMaps();
    ::TlsSetValue(dwIndex, nullptr);
    delete pData;
    --g_nThreadData;
}

long AfxGetThreadDataCount() { return g_nThreadData.load(); }

int AfxGetTempWrapperCount() {
    const AfxThreadData& data = AfxGetThreadData();
    return static_cast<int>(data.wnd.temporary.size() + data.tempDCs.size() + data.tempGdi.size());
}
