// The framework's exceptions and the conversion of system error codes.
#include "framework/Exceptions.h"

long ResultFromSystemError(unsigned long dwError) {
    if (dwError == 0) return static_cast<long>(0x80004005UL);  // E_FAIL: the call failed without saying why
    if (dwError & 0x80000000UL) return static_cast<long>(dwError);
    return static_cast<long>((dwError & 0xFFFFUL) | 0x80070000UL);
}

int FileCauseFromSystemError(unsigned long dwError) {
    switch (dwError) {
    case 0: return CFileException::none;
    case 2:    // ERROR_FILE_NOT_FOUND
    case 3:    // ERROR_PATH_NOT_FOUND
    case 123:  // ERROR_INVALID_NAME
        return CFileException::fileNotFound;
    case 5:   // ERROR_ACCESS_DENIED
    case 32:  // ERROR_SHARING_VIOLATION
    case 33:  // ERROR_LOCK_VIOLATION
        return CFileException::accessDenied;
    case 25:   // ERROR_SEEK
    case 131:  // ERROR_NEGATIVE_SEEK
        return CFileException::badSeek;
    case 39:   // ERROR_HANDLE_DISK_FULL
    case 112:  // ERROR_DISK_FULL
        return CFileException::diskFull;
    case 38:  // ERROR_HANDLE_EOF
        return CFileException::endOfFile;
    default: return CFileException::genericException;
    }
}

void AfxThrowMemoryException() { throw CMemoryException(); }
void AfxThrowResultException(long sc) { throw CResultException(sc); }
void AfxThrowLastError(unsigned long dwError) { throw CResultException(ResultFromSystemError(dwError)); }
void AfxThrowFileException(int cause, unsigned long lOsError) { throw CFileException(cause, lOsError); }
