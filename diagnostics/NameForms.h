// The two forms of a file or key name the diagnostics deal in: the exact
// UTF-16 name the system stores, which opens the file or key again, and its
// rendering in the system code page, which the log and the script show (a
// character the code page cannot hold becomes '?', as the 8-bit calls give
// it). Paths handed between the window-free walk and the system travel as
// UTF-8, which holds any UTF-16 name whole.
#pragma once

#include <windows.h>

#include <string>

// text (UTF-16, length characters) in the system code page.
std::string SystemCodePageText(const wchar_t* text, int length);
// text (system code page) as UTF-16.
std::wstring WideFromSystemCodePage(const char* text);

std::string Utf8FromWide(const wchar_t* text, int length);
std::wstring WideFromUtf8(const std::string& text);

// path in the form the system opens however long it is: a full path of
// MAX_PATH characters or more ("C:\..." or "\\server\share\...") gets the
// "\\?\" prefix, which lifts the MAX_PATH limit of the UTF-16 calls. Any
// other path is returned as it is: the prefix also turns off the system's
// reading of "." and ".." and of forward slashes, so a path that relies on
// them keeps the limit.
std::wstring LongPathForm(const std::wstring& path);
