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
