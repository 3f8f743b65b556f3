// The snapshot of one registry key, a link of the chain that the registry
// export builds in depth-first pre-order and writes as a registry script.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RegNode {
    // "[root\path]", or empty when opening or querying the key failed.
    std::string keyLine;
    // The values read, in enumeration order and without gaps; the three
    // arrays run in step. An empty name is the key's default value. Names are
    // as the system code page renders them, not yet quoted.
    std::vector<std::string> valueNames;
    // The data part of each value's line: a quoted text, dword:..., hex:...
    // or hex(N):...
    std::vector<std::string> valueTexts;
    std::vector<uint32_t> valueTypes;
    uint32_t valueCount = 0;
    // Values and subkeys of this key whose reading failed.
    uint32_t skippedCount = 0;
    // What the script says of each of them: a comment line's text, without
    // its leading ';'.
    std::vector<std::string> skippedNotes;
    RegNode* next = nullptr;
};
