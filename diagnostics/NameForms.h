// The two forms of a file or key name the diagnostics deal in: the exact
// UTF-16 name the system stores, which alone opens the file or key again, and
// its rendering in the system code page, which the log and the script show.
// Exact names are never passed through a rendering on their way to an open.
#pragma once

#include <windows.h>

#include <string>

// text (UTF-16, length characters) rendered in the system code page. A
// character the code page cannot hold becomes the code page's default
// character: never a look-alike, which could invent a dot or a separator.
// whole, when given, tells whether every character was held. Returns false
// (out empty) when the text cannot be rendered at all.
bool RenderInSystemCodePage(const wchar_t* text, size_t length, std::string* out, bool* whole = nullptr);

// The same for a whole string.
std::string SystemCodePageText(const std::wstring& text);

// text in the system code page as UTF-16; false when it is not valid text of
// the code page (out empty).
bool WidenSystemCodePage(const char* text, std::wstring* out);

// root made absolute and normalised once, in the form that the system opens
// exactly as written, whatever the length: "\\?\C:\..." or
// "\\?\UNC\server\share\...". Everything up to root's last backslash is
// normalised (as the system would read it: "." and ".." resolved, a trailing
// '.' or ' ' of a folder name dropped); what follows that backslash (a
// partial name a search pattern goes on with) is kept as it is. Returns false
// when the root cannot be normalised.
bool ExactRootForm(const std::wstring& root, std::wstring* out);
