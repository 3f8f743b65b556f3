// The Win32 side of the strings: the string table and code-page conversion.
#include <windows.h>

#include "framework/Exceptions.h"
#include "framework/ModuleState.h"
#include "framework/Strings.h"

int CString::LoadStringA(unsigned int nID) {
    HINSTANCE hInst = AfxGetResourceHandle();
    // LoadStringA truncates silently to the buffer; a result that fills the
    // buffer may have been cut, so retry with a larger one. A string table
    // entry holds at most 65535 characters.
    int nSize = 256;
    for (;;) {
        CString text;
        char* p = text.GetBuffer(nSize - 1);
        const int n = ::LoadStringA(hInst, nID, p, nSize);
        if (n <= 0) return FALSE;
        if (n < nSize - 1 || nSize > 65536) {
            text.ReleaseBuffer(n);
            *this = static_cast<CString&&>(text);
            return TRUE;
        }
        nSize *= 4;
    }
}

CStringW CStringW::FromMultiByte(const char* psz, unsigned int nCodePage) {
    CStringW result;
    if (!psz || !*psz) return result;
    const int n = ::MultiByteToWideChar(nCodePage, 0, psz, -1, nullptr, 0);
    if (n <= 0) AfxThrowLastError(::GetLastError());
    result.Reserve(n);
    const int m = ::MultiByteToWideChar(nCodePage, 0, psz, -1, result.m_pchData, n);
    if (m <= 0) AfxThrowLastError(::GetLastError());
    result.m_nLength = m - 1;  // without the terminating zero
    result.m_pchData[result.m_nLength] = L'\0';
    return result;
}
