#include "diagnostics/InventoryFormat.h"

#include <climits>
#include <cstring>

bool JoinPath(char* out, std::size_t capacity, const char* first, const char* second, const char* third) {
    if (capacity == 0) {
        return false;
    }
    const std::size_t lengths[3] = {std::strlen(first), std::strlen(second), std::strlen(third)};
    const char* parts[3] = {first, second, third};
    std::size_t total = 0;
    for (std::size_t length : lengths) {
        if (length >= capacity - total) {
            out[0] = '\0';
            return false;
        }
        total += length;
    }
    // out may be passed as first as well (appending to a buffer in place).
    std::size_t at = 0;
    for (int i = 0; i < 3; ++i) {
        std::memmove(out + at, parts[i], lengths[i]);
        at += lengths[i];
    }
    out[at] = '\0';
    return true;
}

int32_t LoggedFileSize(uint32_t sizeLow) {
    if (sizeLow <= static_cast<uint32_t>(INT32_MAX)) {
        return static_cast<int32_t>(sizeLow);
    }
    return static_cast<int32_t>(sizeLow - 0x80000000u) + INT32_MIN;
}

void WriteLogHeader(std::FILE* log) {
    if (!log) {
        return;
    }
    std::fprintf(log, "%-39s|%-29s|%-9s\n", "MD5", "File Name", "Size");
    for (int i = 0; i < 80; ++i) {
        std::fprintf(log, "-");
    }
    std::fprintf(log, "\n");
}

void WriteSectionHeader(std::FILE* log, const char* title, const char* folder) {
    if (log) {
        std::fprintf(log, "\n\n\n%s %s\n\n", title, folder);
    }
}

void WriteDigestColumn(std::FILE* log, const char* digestText) {
    if (log) {
        std::fprintf(log, "%-40s", digestText);
    }
}

void WriteNameAndSize(std::FILE* log, const char* name, uint32_t sizeLow) {
    if (log) {
        std::fprintf(log, " %-30s ", name);
        std::fprintf(log, "%-10d\n", static_cast<int>(LoggedFileSize(sizeLow)));
    }
}

void WriteLogLine(std::FILE* log, const char* text) {
    if (log) {
        std::fprintf(log, "%s\n", text);
    }
}
