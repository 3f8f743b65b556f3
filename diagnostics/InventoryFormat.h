// Layout of the inventory log: the header line and its rule, the section
// headers, the three columns of a file line, and the joining of paths into
// fixed-capacity buffers. Every writer takes the stream it writes to; the log
// is opened in text mode, so each "\n" reaches the file as CR LF on Windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Writes first, second and third one after the other into out, a buffer of
// capacity bytes including the terminating zero. Returns true when the whole
// text fits. When it does not, out holds the empty text and false is returned:
// a path is never cut short into a different one.
bool JoinPath(char* out, std::size_t capacity, const char* first, const char* second, const char* third = "");

// The size column shows the low 32 bits of a file's size as a signed 32-bit
// number: 3,000,000,000 bytes show as -1294967296, 4 GiB as 0.
int32_t LoggedFileSize(uint32_t sizeLow);

// "MD5" / "File Name" / "Size" in columns of 39, 29 and 9 with bars between
// them, then a rule of 80 hyphens on its own line.
void WriteLogHeader(std::FILE* log);

// Three empty lines, "<title> <folder>", one empty line.
void WriteSectionHeader(std::FILE* log, const char* title, const char* folder);

// Columns 1 to 40 of a file line: the digest text padded to 40.
void WriteDigestColumn(std::FILE* log, const char* digestText);

// The rest of a file line: a space, the name padded to 30, a space, and the
// size padded to 10, then the line end. A longer name is written whole.
void WriteNameAndSize(std::FILE* log, const char* name, uint32_t sizeLow);

// A line of its own ("no files found").
void WriteLogLine(std::FILE* log, const char* text);
