// CFile on a Win32 file handle.
#include "framework/File.h"

#include <cstring>

namespace {

[[noreturn]] void ThrowLastFileError() {
    const DWORD dw = ::GetLastError();
    AfxThrowFileException(FileCauseFromSystemError(dw), dw);
}

}  // namespace

CFile::CFile() : m_hFile(INVALID_HANDLE_VALUE) { m_szFileName[0] = '\0'; }

CFile::CFile(HANDLE hFile) : m_hFile(hFile ? hFile : INVALID_HANDLE_VALUE) { m_szFileName[0] = '\0'; }

// A derived file is already gone here: what is left to close is our handle.
CFile::~CFile() { CFile::Abort(); }

BOOL CFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
    Abort();  // an object that is still open lets its old file go first
    if (pError) *pError = CFileException();
    if (!lpszFileName) {
        if (pError) *pError = CFileException(CFileException::fileNotFound, ERROR_INVALID_NAME);
        return FALSE;
    }

    DWORD dwAccess;
    switch (nOpenFlags & 3) {
    case modeRead: dwAccess = GENERIC_READ; break;
    case modeWrite: dwAccess = GENERIC_WRITE; break;
    case modeReadWrite: dwAccess = GENERIC_READ | GENERIC_WRITE; break;
    default:
        if (pError) *pError = CFileException(CFileException::genericException, ERROR_INVALID_PARAMETER);
        return FALSE;
    }

    DWORD dwShare;
    switch (nOpenFlags & 0x70) {
    case shareExclusive: dwShare = 0; break;
    case shareDenyWrite: dwShare = FILE_SHARE_READ; break;
    case shareDenyRead: dwShare = FILE_SHARE_WRITE; break;
    case shareDenyNone: dwShare = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: dwShare = FILE_SHARE_READ; break;
    }

    DWORD dwCreate;
    if (nOpenFlags & modeCreate)
        dwCreate = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    else
        dwCreate = OPEN_EXISTING;

    HANDLE h = ::CreateFileA(lpszFileName, dwAccess, dwShare, nullptr, dwCreate, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD dw = ::GetLastError();
        if (pError) *pError = CFileException(FileCauseFromSystemError(dw), dw);
        return FALSE;
    }
    m_hFile = h;
    std::strncpy(m_szFileName, lpszFileName, sizeof m_szFileName - 1);
    m_szFileName[sizeof m_szFileName - 1] = '\0';
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
    if (nCount == 0) return 0;
    if (!IsOpen() || !lpBuf) AfxThrowFileException(CFileException::genericException, ERROR_INVALID_HANDLE);
    DWORD dwRead = 0;
    if (!::ReadFile(m_hFile, lpBuf, nCount, &dwRead, nullptr)) ThrowLastFileError();
    return dwRead;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
    if (nCount == 0) return;
    if (!IsOpen() || !lpBuf) AfxThrowFileException(CFileException::genericException, ERROR_INVALID_HANDLE);
    DWORD dwWritten = 0;
    if (!::WriteFile(m_hFile, lpBuf, nCount, &dwWritten, nullptr)) ThrowLastFileError();
    // A short write means the disk is full: never report it as done.
    if (dwWritten != nCount) AfxThrowFileException(CFileException::diskFull, ERROR_DISK_FULL);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom) {
    if (!IsOpen()) AfxThrowFileException(CFileException::genericException, ERROR_INVALID_HANDLE);
    DWORD dwMethod;
    switch (nFrom) {
    case begin: dwMethod = FILE_BEGIN; break;
    case current: dwMethod = FILE_CURRENT; break;
    case end: dwMethod = FILE_END; break;
    default: AfxThrowFileException(CFileException::badSeek, ERROR_INVALID_PARAMETER);
    }
    LARGE_INTEGER dist, pos;
    dist.QuadPart = lOff;
    if (!::SetFilePointerEx(m_hFile, dist, &pos, dwMethod)) {
        const DWORD dw = ::GetLastError();
        AfxThrowFileException(CFileException::badSeek, dw);
    }
    return static_cast<ULONGLONG>(pos.QuadPart);
}

ULONGLONG CFile::GetPosition() const {
    if (!IsOpen()) AfxThrowFileException(CFileException::genericException, ERROR_INVALID_HANDLE);
    LARGE_INTEGER zero, pos;
    zero.QuadPart = 0;
    if (!::SetFilePointerEx(m_hFile, zero, &pos, FILE_CURRENT)) ThrowLastFileError();
    return static_cast<ULONGLONG>(pos.QuadPart);
}

ULONGLONG CFile::GetLength() const {
    if (!IsOpen()) AfxThrowFileException(CFileException::genericException, ERROR_INVALID_HANDLE);
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(m_hFile, &size)) ThrowLastFileError();
    return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::Flush() {
    if (IsOpen() && !::FlushFileBuffers(m_hFile)) ThrowLastFileError();
}

void CFile::Close() {
    if (!IsOpen()) return;
    HANDLE h = m_hFile;
    m_hFile = INVALID_HANDLE_VALUE;
    m_szFileName[0] = '\0';
    if (!::CloseHandle(h)) ThrowLastFileError();
}

void CFile::Abort() {
    if (!IsOpen()) return;
    ::CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    m_szFileName[0] = '\0';
}
