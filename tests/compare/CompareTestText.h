// Logs and scripts for the tests, in the layout the program writes them
// (text mode: every line ends in CR LF).
#pragma once

#include <cstdio>
#include <string>

namespace compare_test {

inline std::string Log(const std::string& sections) {
    char header[128];
    std::snprintf(header, sizeof header, "%-39s|%-29s|%-9s\r\n", "MD5", "File Name", "Size");
    return header + std::string(80, '-') + "\r\n" + sections;
}

inline std::string Section(const std::string& folder) {
    return "\r\n\r\n\r\nTarget Directory : " + folder + "\r\n\r\n";
}

// A file line; no digest column at all for an empty digest.
inline std::string Line(const std::string& md5, const std::string& name, int size) {
    char line[512];
    std::snprintf(line, sizeof line, "%s %-30s %-10d\r\n", md5.empty() ? "" : (md5 + "        ").c_str(), name.c_str(),
                  size);
    return line;
}

inline std::string Script(const std::string& records) {
    return "Windows Registry Editor Version 5.00\r\n\r\n" + records;
}

}  // namespace compare_test
