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
    // arrays run in step. An empty name is the key's default value.
    std::vector<std::string> valueNames;
    std::vector<std::string> valueTexts;  // rendered data, before the writer's wrapping
    std::vector<uint32_t> valueTypes;
    uint32_t valueCount = 0;
    // Values and subkeys of this key whose reading failed; not written out.
    uint32_t skippedCount = 0;
    RegNode* next = nullptr;
};
