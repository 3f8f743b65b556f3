#include "diagnostics/NameForms.h"

namespace {

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

}  // namespace

std::string SystemCodePageText(const wchar_t* text, int length) { return Narrow(CP_ACP, text, length); }

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
