// CFile: a binary file on a Win32 file handle. The operations are virtual so
// that a class can stand in for a file (a memory file, a test double).
// Open reports failure as FALSE; once a file is open, a failing read, write
// or seek throws CFileException, and a write that cannot write every byte
// (a full disk) throws too. A file still open is closed by the destructor.
#pragma once

#include <windows.h>

#include "framework/Exceptions.h"

class CFile {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoTruncate = 0x2000,  // with modeCreate: keep an existing file's contents
        modeCreate = 0x1000,      // create, or empty an existing file
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

    CFile();
    CFile(HANDLE hFile);  // takes ownership of an open handle
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // modeRead (0) opens an existing file for reading; modeCreate|modeWrite
    // (0x1001) creates the file or empties it. Without a share flag, others
    // may read the file while it is open. On failure: FALSE, the object stays
    // closed, and pError (when given) receives the cause and system error.
    virtual BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    // Reads up to nCount bytes; fewer (0 at the end) when the file ends first.
    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);
    // Moves the position; returns the new position from the start. Throws
    // (badSeek) for a position before the start.
    virtual ULONGLONG Seek(LONGLONG lOff, UINT nFrom);
    ULONGLONG SeekToBegin() { return Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void Flush();
    // Closes the file; throws when the system cannot close it.
    virtual void Close();
    // Closes without throwing.
    virtual void Abort();

    BOOL IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }
    const char* GetFilePath() const { return m_szFileName; }

    HANDLE m_hFile;

protected:
    char m_szFileName[MAX_PATH];
};
