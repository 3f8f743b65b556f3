// CString and CStringW: buffer handling, comparison and formatting. No window
// system here; LoadString and the code-page conversion are in StringsWin32.cpp.
#include "framework/Strings.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "framework/Exceptions.h"

namespace {

int LengthOf(const char* psz) {
    if (!psz) return 0;
    const std::size_t n = std::strlen(psz);
    if (n > static_cast<std::size_t>(INT_MAX - 1)) AfxThrowMemoryException();
    return static_cast<int>(n);
}

int LengthOf(const wchar_t* psz) {
    if (!psz) return 0;
    const std::size_t n = std::wcslen(psz);
    if (n > static_cast<std::size_t>(INT_MAX / 4)) AfxThrowMemoryException();
    return static_cast<int>(n);
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
bool IsSpaceAscii(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

// ---- CString ----

CString::CString() = default;

CString::CString(const char* psz) { Append(psz, LengthOf(psz)); }

CString::CString(const char* pch, int nLength) {
    if (pch && nLength > 0) Append(pch, nLength);
}

CString::CString(char ch, int nRepeat) {
    if (nRepeat <= 0) return;
    Reserve(nRepeat);
    std::memset(m_pchData, static_cast<unsigned char>(ch), static_cast<std::size_t>(nRepeat));
    SetLength(nRepeat);
}

CString::CString(const CString& other) { Append(other.GetString(), other.m_nLength); }

CString::CString(CString&& other) noexcept
    : m_pchData(other.m_pchData), m_nLength(other.m_nLength), m_nCapacity(other.m_nCapacity) {
    other.m_pchData = nullptr;
    other.m_nLength = 0;
    other.m_nCapacity = 0;
    other.m_nBufferOut = -1;
}

CString::~CString() { std::free(m_pchData); }

CString& CString::operator=(const CString& other) {
    if (this != &other) {
        Empty();
        Append(other.GetString(), other.m_nLength);
    }
    return *this;
}

CString& CString::operator=(CString&& other) noexcept {
    if (this != &other) {
        std::free(m_pchData);
        m_pchData = other.m_pchData;
        m_nLength = other.m_nLength;
        m_nCapacity = other.m_nCapacity;
        m_nBufferOut = -1;
        other.m_pchData = nullptr;
        other.m_nLength = 0;
        other.m_nCapacity = 0;
        other.m_nBufferOut = -1;
    }
    return *this;
}

CString& CString::operator=(const char* psz) {
    // psz may point into this string's own buffer.
    CString copy(psz);
    return *this = static_cast<CString&&>(copy);
}

CString& CString::operator=(char ch) {
    Empty();
    Append(&ch, 1);
    return *this;
}

void CString::Empty() {
    if (m_pchData) m_pchData[0] = '\0';
    m_nLength = 0;
    m_nBufferOut = -1;
}

char CString::GetAt(int nIndex) const {
    if (nIndex < 0 || nIndex > m_nLength) return '\0';
    return GetString()[nIndex];
}

void CString::SetAt(int nIndex, char ch) {
    if (nIndex >= 0 && nIndex < m_nLength) m_pchData[nIndex] = ch;
}

void CString::Reserve(int nCapacity) {
    if (nCapacity <= m_nCapacity && m_pchData) return;
    if (nCapacity < 0 || nCapacity > INT_MAX - 1) AfxThrowMemoryException();
    // Grow geometrically so that repeated appends stay linear.
    long long grown = static_cast<long long>(m_nCapacity) + m_nCapacity / 2;
    long long want = nCapacity > grown ? nCapacity : grown;
    if (want > INT_MAX - 1) want = INT_MAX - 1;
    char* p = static_cast<char*>(std::realloc(m_pchData, static_cast<std::size_t>(want) + 1));
    if (!p) AfxThrowMemoryException();
    if (!m_pchData) p[0] = '\0';
    m_pchData = p;
    m_nCapacity = static_cast<int>(want);
}

void CString::SetLength(int nLength) {
    m_nLength = nLength;
    if (m_pchData) m_pchData[nLength] = '\0';
}

void CString::Append(const char* pch, int nLength) {
    if (!pch || nLength <= 0) {
        if (!m_pchData) Reserve(0);
        return;
    }
    if (nLength > INT_MAX - 1 - m_nLength) AfxThrowMemoryException();
    // pch may point into this string's buffer, which Reserve can move.
    const bool bInside = m_pchData && pch >= m_pchData && pch <= m_pchData + m_nLength;
    const std::ptrdiff_t offset = bInside ? pch - m_pchData : 0;
    Reserve(m_nLength + nLength);
    if (bInside) pch = m_pchData + offset;
    std::memmove(m_pchData + m_nLength, pch, static_cast<std::size_t>(nLength));
    SetLength(m_nLength + nLength);
}

CString& CString::operator+=(const char* psz) {
    Append(psz, LengthOf(psz));
    return *this;
}

int CString::Compare(const char* psz) const { return std::strcmp(GetString(), psz ? psz : ""); }

int CString::CompareNoCase(const char* psz) const {
    const unsigned char* a = reinterpret_cast<const unsigned char*>(GetString());
    const unsigned char* b = reinterpret_cast<const unsigned char*>(psz ? psz : "");
    for (;; ++a, ++b) {
        const unsigned char ca = static_cast<unsigned char>(LowerAscii(static_cast<char>(*a)));
        const unsigned char cb = static_cast<unsigned char>(LowerAscii(static_cast<char>(*b)));
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
}

void CString::FormatV(const char* pszFormat, va_list args) {
    CString result;
    result.Reserve(0);
    if (pszFormat) {
        va_list probe;
        va_copy(probe, args);
        char small[256];
        const int n = std::vsnprintf(small, sizeof small, pszFormat, probe);
        va_end(probe);
        if (n < 0) {
            // An encoding error: the result stays empty, as a failed format
            // gives no text.
        } else if (n < static_cast<int>(sizeof small)) {
            result.Append(small, n);
        } else {
            result.Reserve(n);
            va_list again;
            va_copy(again, args);
            std::vsnprintf(result.m_pchData, static_cast<std::size_t>(n) + 1, pszFormat, again);
            va_end(again);
            result.SetLength(n);
        }
    }
    *this = static_cast<CString&&>(result);
}

void CString::Format(const char* pszFormat, ...) {
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::AppendFormat(const char* pszFormat, ...) {
    CString tail;
    va_list args;
    va_start(args, pszFormat);
    tail.FormatV(pszFormat, args);
    va_end(args);
    *this += tail;
}

CString CString::Left(int nCount) const {
    if (nCount < 0) nCount = 0;
    if (nCount > m_nLength) nCount = m_nLength;
    return CString(GetString(), nCount);
}

CString CString::Mid(int nFirst) const { return Mid(nFirst, m_nLength); }

CString CString::Mid(int nFirst, int nCount) const {
    if (nFirst < 0) nFirst = 0;
    if (nFirst > m_nLength) nFirst = m_nLength;
    if (nCount < 0) nCount = 0;
    if (nCount > m_nLength - nFirst) nCount = m_nLength - nFirst;
    return CString(GetString() + nFirst, nCount);
}

CString CString::Right(int nCount) const {
    if (nCount < 0) nCount = 0;
    if (nCount > m_nLength) nCount = m_nLength;
    return CString(GetString() + m_nLength - nCount, nCount);
}

int CString::Find(char ch, int nStart) const {
    if (nStart < 0) nStart = 0;
    for (int i = nStart; i < m_nLength; ++i)
        if (m_pchData[i] == ch) return i;
    return -1;
}

int CString::Find(const char* pszSub, int nStart) const {
    if (!pszSub || nStart < 0 || nStart > m_nLength) return -1;
    const char* p = std::strstr(GetString() + nStart, pszSub);
    return p ? static_cast<int>(p - GetString()) : -1;
}

int CString::ReverseFind(char ch) const {
    for (int i = m_nLength - 1; i >= 0; --i)
        if (m_pchData[i] == ch) return i;
    return -1;
}

CString& CString::MakeUpper() {
    for (int i = 0; i < m_nLength; ++i) m_pchData[i] = UpperAscii(m_pchData[i]);
    return *this;
}

CString& CString::MakeLower() {
    for (int i = 0; i < m_nLength; ++i) m_pchData[i] = LowerAscii(m_pchData[i]);
    return *this;
}

CString& CString::TrimRight() {
    int n = m_nLength;
    while (n > 0 && IsSpaceAscii(m_pchData[n - 1])) --n;
    if (n != m_nLength) SetLength(n);
    return *this;
}

CString& CString::TrimLeft() {
    int n = 0;
    while (n < m_nLength && IsSpaceAscii(m_pchData[n])) ++n;
    if (n > 0) {
        std::memmove(m_pchData, m_pchData + n, static_cast<std::size_t>(m_nLength - n));
        SetLength(m_nLength - n);
    }
    return *this;
}

char* CString::GetBuffer(int nMinBufLength) {
    if (nMinBufLength < m_nLength) nMinBufLength = m_nLength;
    Reserve(nMinBufLength);
    m_nBufferOut = nMinBufLength;
    return m_pchData;
}

char* CString::GetBufferSetLength(int nNewLength) {
    if (nNewLength < 0) nNewLength = 0;
    char* p = GetBuffer(nNewLength);
    SetLength(nNewLength);
    m_nBufferOut = nNewLength;
    return p;
}

void CString::ReleaseBuffer(int nNewLength) {
    // The caller may only have written inside what GetBuffer gave out.
    const int nLimit = m_nBufferOut >= 0 ? m_nBufferOut : m_nLength;
    if (!m_pchData) Reserve(0);
    if (nNewLength < 0) {
        int n = 0;
        while (n < nLimit && m_pchData[n] != '\0') ++n;
        nNewLength = n;
    } else if (nNewLength > nLimit) {
        nNewLength = nLimit;
    }
    SetLength(nNewLength);
    m_nBufferOut = -1;
}

CString operator+(const CString& a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, const char* b) {
    CString r(a);
    r += b;
    return r;
}

CString operator+(const char* a, const CString& b) {
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, char b) {
    CString r(a);
    r += b;
    return r;
}

// ---- CStringW ----

CStringW::CStringW() = default;

CStringW::CStringW(const wchar_t* psz) { Append(psz, LengthOf(psz)); }

CStringW::CStringW(const wchar_t* pch, int nLength) {
    if (pch && nLength > 0) Append(pch, nLength);
}

CStringW::CStringW(const CStringW& other) { Append(other.GetString(), other.m_nLength); }

CStringW::CStringW(CStringW&& other) noexcept
    : m_pchData(other.m_pchData), m_nLength(other.m_nLength), m_nCapacity(other.m_nCapacity) {
    other.m_pchData = nullptr;
    other.m_nLength = 0;
    other.m_nCapacity = 0;
}

CStringW::~CStringW() { std::free(m_pchData); }

CStringW& CStringW::operator=(const CStringW& other) {
    if (this != &other) {
        Empty();
        Append(other.GetString(), other.m_nLength);
    }
    return *this;
}

CStringW& CStringW::operator=(CStringW&& other) noexcept {
    if (this != &other) {
        std::free(m_pchData);
        m_pchData = other.m_pchData;
        m_nLength = other.m_nLength;
        m_nCapacity = other.m_nCapacity;
        other.m_pchData = nullptr;
        other.m_nLength = 0;
        other.m_nCapacity = 0;
    }
    return *this;
}

void CStringW::Empty() {
    if (m_pchData) m_pchData[0] = L'\0';
    m_nLength = 0;
}

wchar_t CStringW::GetAt(int nIndex) const {
    if (nIndex < 0 || nIndex > m_nLength) return L'\0';
    return GetString()[nIndex];
}

void CStringW::Reserve(int nCapacity) {
    if (nCapacity <= m_nCapacity && m_pchData) return;
    if (nCapacity < 0 || nCapacity > INT_MAX / 4 - 1) AfxThrowMemoryException();
    wchar_t* p =
        static_cast<wchar_t*>(std::realloc(m_pchData, (static_cast<std::size_t>(nCapacity) + 1) * sizeof(wchar_t)));
    if (!p) AfxThrowMemoryException();
    if (!m_pchData) p[0] = L'\0';
    m_pchData = p;
    m_nCapacity = nCapacity;
}

void CStringW::Append(const wchar_t* pch, int nLength) {
    if (!pch || nLength <= 0) return;
    if (nLength > INT_MAX / 4 - 1 - m_nLength) AfxThrowMemoryException();
    const bool bInside = m_pchData && pch >= m_pchData && pch <= m_pchData + m_nLength;
    const std::ptrdiff_t offset = bInside ? pch - m_pchData : 0;
    int want = m_nLength + nLength;
    if (want < m_nCapacity + m_nCapacity / 2) want = m_nCapacity + m_nCapacity / 2;
    Reserve(want);
    if (bInside) pch = m_pchData + offset;
    std::memmove(m_pchData + m_nLength, pch, static_cast<std::size_t>(nLength) * sizeof(wchar_t));
    m_nLength += nLength;
    m_pchData[m_nLength] = L'\0';
}

bool CStringW::operator==(const CStringW& other) const {
    return m_nLength == other.m_nLength &&
           std::memcmp(GetString(), other.GetString(), static_cast<std::size_t>(m_nLength) * sizeof(wchar_t)) == 0;
}
