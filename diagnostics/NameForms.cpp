#include "diagnostics/NameForms.h"

#include <vector>

// Defined only for newer systems; the system code page is UTF-8 only there.
#ifndef WC_ERR_INVALID_CHARS
#define WC_ERR_INVALID_CHARS 0x80
#endif

namespace {

bool StartsWith(const std::wstring& text, const wchar_t* prefix) {
    return text.compare(0, std::char_traits<wchar_t>::length(prefix), prefix) == 0;
}

}  // namespace

bool RenderInSystemCodePage(const wchar_t* text, size_t length, std::string* out, bool* whole) {
    out->clear();
    if (whole) *whole = true;
    if (length == 0) return true;
    if (length > 0x7FFFFFFF / 4) return false;
    const UINT codePage = GetACP();
    // UTF-8 takes neither flag nor default character: it holds every
    // character, and only an unpaired surrogate cannot be written whole.
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    const int units = static_cast<int>(length);
    BOOL usedDefault = FALSE;
    int size = WideCharToMultiByte(codePage, flags, text, units, nullptr, 0, nullptr, utf8 ? nullptr : &usedDefault);
    if (size <= 0 && utf8) {
        // An unpaired surrogate: rendered with the replacement character.
        size = WideCharToMultiByte(codePage, 0, text, units, nullptr, 0, nullptr, nullptr);
        usedDefault = TRUE;
    }
    if (size <= 0) return false;
    out->resize(static_cast<size_t>(size));
    const DWORD writeFlags = utf8 && usedDefault ? 0 : flags;
    BOOL usedDefaultNow = FALSE;
    if (WideCharToMultiByte(codePage, writeFlags, text, units, &(*out)[0], size, nullptr,
                            utf8 ? nullptr : &usedDefaultNow) != size) {
        out->clear();
        return false;
    }
    if (whole) *whole = !usedDefault && !usedDefaultNow;
    return true;
}

std::string SystemCodePageText(const std::wstring& text) {
    std::string rendered;
    RenderInSystemCodePage(text.data(), text.size(), &rendered);
    return rendered;
}

bool WidenSystemCodePage(const char* text, std::wstring* out) {
    out->clear();
    const size_t length = std::char_traits<char>::length(text);
    if (length == 0) return true;
    if (length > 0x7FFFFFFF) return false;
    const int bytes = static_cast<int>(length);
    const int size = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text, bytes, nullptr, 0);
    if (size <= 0) return false;
    out->resize(static_cast<size_t>(size));
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text, bytes, &(*out)[0], size) != size) {
        out->clear();
        return false;
    }
    return true;
}

bool ExactRootForm(const std::wstring& root, std::wstring* out) {
    out->clear();
    const size_t lastSeparator = root.find_last_of(L"\\/");
    // A root that is already in the exact form is taken as it is.
    if (StartsWith(root, L"\\\\?\\")) {
        *out = root;
        return true;
    }
    // A root without a folder part is read, as the system reads it, in the
    // current folder.
    const std::wstring folder = lastSeparator == std::wstring::npos ? L".\\" : root.substr(0, lastSeparator + 1);
    const std::wstring rest = lastSeparator == std::wstring::npos ? root : root.substr(lastSeparator + 1);
    if (root.find(L'\0') != std::wstring::npos) return false;

    std::vector<wchar_t> full(MAX_PATH);
    DWORD length = GetFullPathNameW(folder.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length + 1);
        length = GetFullPathNameW(folder.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    if (length == 0 || length >= full.size()) return false;
    std::wstring normal(full.data(), length);
    if (normal.back() != L'\\') normal += L'\\';

    if (StartsWith(normal, L"\\\\?\\") || StartsWith(normal, L"\\\\.\\")) {
        *out = normal + rest;
    } else if (StartsWith(normal, L"\\\\")) {
        *out = L"\\\\?\\UNC\\" + normal.substr(2) + rest;
    } else if (normal.size() >= 3 && normal[1] == L':' && normal[2] == L'\\') {
        *out = L"\\\\?\\" + normal + rest;
    } else {
        return false;
    }
    return true;
}

// Transitional forms still used by the inventory.
std::string SystemCodePageText(const wchar_t* text, int length) {
    std::string r;
    RenderInSystemCodePage(text, static_cast<size_t>(length), &r);
    return r;
}
namespace legacy_forms {

std::string Narrow(UINT codePage, const wchar_t* text, int length) {
    if (length <= 0) return std::string();
    const int size = WideCharToMultiByte(codePage, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string();
    std::string result(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, text, length, &result[0], size, nullptr, nullptr);
    return result;
}

std::wstring Widen(UINT codePage, const char* text, int length) {
    if (length <= 0) return std::wstring();
    const int size = MultiByteToWideChar(codePage, 0, text, length, nullptr, 0);
    if (size <= 0) return std::wstring();
    std::wstring result(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(codePage, 0, text, length, &result[0], size);
    return result;
}

}  // namespace legacy_forms
using legacy_forms::Narrow;
using legacy_forms::Widen;


std::wstring WideFromSystemCodePage(const char* text) {
    return Widen(CP_ACP, text, static_cast<int>(std::char_traits<char>::length(text)));
}

std::string Utf8FromWide(const wchar_t* text, int length) { return Narrow(CP_UTF8, text, length); }

std::wstring WideFromUtf8(const std::string& text) {
    return Widen(CP_UTF8, text.data(), static_cast<int>(text.size()));
}

std::wstring LongPathForm(const std::wstring& path) {
    if (path.size() < MAX_PATH || path.find(L'/') != std::wstring::npos) return path;
    const bool drive = path[1] == L':' && path[2] == L'\\' &&
                       ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
    const bool unc = path[0] == L'\\' && path[1] == L'\\' && path[2] != L'?' && path[2] != L'.';
    if (!drive && !unc) return path;
    // Every component a plain name: no ".", "..", or empty one (a doubled
    // backslash) before the end, which only the system's reading removes.
    for (size_t begin = drive ? 3 : 2; begin < path.size();) {
        size_t end = path.find(L'\\', begin);
        if (end == std::wstring::npos) end = path.size();
        const std::wstring part = path.substr(begin, end - begin);
        if (part.empty() || part == L"." || part == L"..") return path;
        begin = end + 1;
    }
    return drive ? L"\\\\?\\" + path : L"\\\\?\\UNC\\" + path.substr(2);
}
