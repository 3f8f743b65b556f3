// The framework's exceptions. They are thrown by value and caught by
// reference (catch (const CException&)); the system throws none of its own,
// so a window or dialog procedure stops exactly these at the Win32 boundary.
//   CMemoryException  an allocation of the framework failed
//   CResultException  a system call failed; carries a 32-bit result code
//   CFileException    a file operation failed (CFile)
// This header needs no window system.
#pragma once

class CException {
public:
    virtual ~CException() = default;
    // A short fixed description of the failure, for diagnostics.
    virtual const char* What() const = 0;
};

class CMemoryException : public CException {
public:
    const char* What() const override { return "out of memory"; }
};

class CResultException : public CException {
public:
    explicit CResultException(long sc) : m_sc(sc) {}
    const char* What() const override { return "system call failed"; }
    long m_sc;  // the result code, e.g. 0x80070057 for ERROR_INVALID_PARAMETER
};

class CFileException : public CException {
public:
    enum Cause { none = 0, genericException, fileNotFound, accessDenied, badSeek, diskFull, endOfFile };
    CFileException() = default;
    CFileException(int cause, unsigned long lOsError) : m_cause(cause), m_lOsError(lOsError) {}
    const char* What() const override { return "file operation failed"; }
    int m_cause = none;
    unsigned long m_lOsError = 0;  // the system error code (GetLastError)
};

// A system error code as a result code: a positive code becomes its low 16
// bits combined with 0x80070000; a value that already is a failure result
// (bit 31 set) is kept. Error 0 (no error recorded) becomes E_FAIL
// (0x80004005), so a failure is never reported as the success code 0.
long ResultFromSystemError(unsigned long dwError);
// The system error code for a CFileException cause (GetLastError values).
int FileCauseFromSystemError(unsigned long dwError);

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowResultException(long sc);
// Throws CResultException with ResultFromSystemError(dwError).
[[noreturn]] void AfxThrowLastError(unsigned long dwError);
[[noreturn]] void AfxThrowFileException(int cause, unsigned long lOsError = 0);
