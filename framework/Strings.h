// CString: a growable 8-bit string in the system code page (the program is
// an ANSI build), always zero-terminated; CStringW: a UTF-16 string for the
// wide-character calls of the message box. Both own their buffer; copies are
// deep. Allocation failures throw CMemoryException.
//
// The header needs no window system: formatting, comparison and buffer
// handling are plain code. LoadString (the module's string table) and the
// code-page conversion of CStringW are defined on the Win32 side only.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdio>  // declares the printf format kind of this C library

#if defined(__MINGW32__)
#define SCRIVLO_PRINTF_FORMAT(fmt, args) __attribute__((format(__MINGW_PRINTF_FORMAT, fmt, args)))
#elif defined(__GNUC__)
#define SCRIVLO_PRINTF_FORMAT(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define SCRIVLO_PRINTF_FORMAT(fmt, args)
#endif

class CString {
public:
    CString();
    CString(const char* psz);  // null gives the empty string
    CString(const char* pch, int nLength);
    CString(char ch, int nRepeat = 1);
    CString(const CString& other);
    CString(CString&& other) noexcept;
    ~CString();

    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept;
    CString& operator=(const char* psz);
    CString& operator=(char ch);

    int GetLength() const { return m_nLength; }
    bool IsEmpty() const { return m_nLength == 0; }
    void Empty();
    const char* GetString() const { return m_pchData ? m_pchData : ""; }
    operator const char*() const { return GetString(); }
    // Index 0 .. GetLength(); GetLength() gives the terminating zero.
    char GetAt(int nIndex) const;
    void SetAt(int nIndex, char ch);
    char operator[](int nIndex) const { return GetAt(nIndex); }

    CString& operator+=(const CString& s) {
        Append(s.GetString(), s.m_nLength);
        return *this;
    }
    CString& operator+=(const char* psz);
    CString& operator+=(char ch) {
        Append(&ch, 1);
        return *this;
    }
    void Append(const char* pch, int nLength);

    // Byte-wise comparison: < 0, 0 or > 0 like strcmp.
    int Compare(const char* psz) const;
    // Comparison with ASCII letters folded to lower case.
    int CompareNoCase(const char* psz) const;

    // printf-style formatting into this string; the result may have any length.
    void Format(const char* pszFormat, ...) SCRIVLO_PRINTF_FORMAT(2, 3);
    void FormatV(const char* pszFormat, va_list args);
    void AppendFormat(const char* pszFormat, ...) SCRIVLO_PRINTF_FORMAT(2, 3);

    CString Left(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Right(int nCount) const;
    // Index of the first occurrence at or after nStart, or -1.
    int Find(char ch, int nStart = 0) const;
    int Find(const char* pszSub, int nStart = 0) const;
    int ReverseFind(char ch) const;
    CString& MakeUpper();  // ASCII letters only
    CString& MakeLower();
    CString& TrimRight();
    CString& TrimLeft();

    // A writable buffer of at least nMinBufLength characters plus the zero;
    // the current text is kept. After writing, ReleaseBuffer sets the length:
    // nNewLength, or with -1 the position of the first zero (never past the
    // buffer given out).
    char* GetBuffer(int nMinBufLength);
    char* GetBuffer() { return GetBuffer(m_nLength); }
    char* GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);

    // Loads string nID from the string table of the program's resource module
    // (AfxGetResourceHandle). FALSE, and the string unchanged, when there is no
    // such string; an empty entry counts as missing. Any length is loaded.
    int LoadStringA(unsigned int nID);
#ifndef LoadString
    int LoadString(unsigned int nID) { return LoadStringA(nID); }
#endif

private:
    void Reserve(int nCapacity);  // room for nCapacity characters plus the zero
    void SetLength(int nLength);

    char* m_pchData = nullptr;
    int m_nLength = 0;
    int m_nCapacity = 0;    // characters, without the zero
    int m_nBufferOut = -1;  // size given out by GetBuffer, -1 while none
};

CString operator+(const CString& a, const CString& b);
CString operator+(const CString& a, const char* b);
CString operator+(const char* a, const CString& b);
CString operator+(const CString& a, char b);
inline bool operator==(const CString& a, const CString& b) { return a.Compare(b) == 0; }
inline bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
inline bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return a.Compare(b) != 0; }
inline bool operator!=(const CString& a, const char* b) { return a.Compare(b) != 0; }
inline bool operator!=(const char* a, const CString& b) { return b.Compare(a) != 0; }
inline bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
inline bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
inline bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
inline bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }

// UTF-16 text (wchar_t is 16 bits on Windows), zero-terminated.
class CStringW {
public:
    CStringW();
    CStringW(const wchar_t* psz);  // null gives the empty string
    CStringW(const wchar_t* pch, int nLength);
    CStringW(const CStringW& other);
    CStringW(CStringW&& other) noexcept;
    ~CStringW();
    CStringW& operator=(const CStringW& other);
    CStringW& operator=(CStringW&& other) noexcept;

    int GetLength() const { return m_nLength; }
    bool IsEmpty() const { return m_nLength == 0; }
    void Empty();
    const wchar_t* GetString() const { return m_pchData ? m_pchData : L""; }
    operator const wchar_t*() const { return GetString(); }
    wchar_t GetAt(int nIndex) const;
    void Append(const wchar_t* pch, int nLength);
    bool operator==(const CStringW& other) const;
    bool operator!=(const CStringW& other) const { return !(*this == other); }

    // Converts 8-bit text in code page nCodePage (CP_ACP 0, CP_THREAD_ACP 3,
    // ...) with MultiByteToWideChar. Null text gives the empty string. A
    // failed conversion throws CResultException with the system error as a
    // result code; a failed allocation throws CMemoryException.
    static CStringW FromMultiByte(const char* psz, unsigned int nCodePage);

private:
    void Reserve(int nCapacity);

    wchar_t* m_pchData = nullptr;
    int m_nLength = 0;
    int m_nCapacity = 0;
};
