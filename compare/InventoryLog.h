// The inventory log read back: its sections and file lines, and which
// folder tree each section belongs to.
//
// How sections are told apart into trees (the log names no tree):
//  1. The system components come last: the longest run of at most three
//     sections at the end whose folders are, in this order, W\system32\,
//     W\system32\drivers\ and W\system\ for one Windows folder W (each at
//     most once), each listing only the component files that belong in that
//     folder (quend.dll then pelvarn.dll; trunmolk.sys; halvix.vxd, any
//     letter case), none of them "no files found", and whose first section
//     does not continue the tree before it (rule 2).
//  2. The other sections form folder trees in order. A section continues
//     the current tree when its folder is longer than the tree's root folder,
//     begins with it, ends with a backslash and, unless it holds a '?' (two
//     names the code page could not hold may look alike), has not appeared
//     in the tree before; otherwise it starts a new tree. A folder walk lists
//     each folder once, below its root, so the install tree starts a tree of
//     its own even when it lies inside the shared-files folder.
//  3. Two trees: the shared-files tree, then the install tree. One tree: the
//     shared-files tree when its root ends in "\Corvalin\" (the product's
//     folder among the shared files always does), the install tree
//     otherwise; as an install folder may end in "\Corvalin\" too, such a
//     lone tree is marked, and the comparison may take it for the install
//     tree (see Comparison.h). More than two trees: not a log of ours.
#pragma once

#include "compare/LineReader.h"

#include <cstdint>
#include <string_view>
#include <vector>

// One file line.
struct LogFile {
    std::string_view name;    // as the log holds it ('?' for what the code page could not hold)
    std::string_view digest;  // 32 lower-case hexadecimal digits; empty when the file could not be read
    int32_t size = 0;         // the low 32 bits of the size, signed, as written
    uint32_t line = 0;
    uint32_t section = 0;  // into InventoryLog::sections
};

struct LogSection {
    std::string_view folder;  // after "Target Directory : "
    uint32_t line = 0;        // of the "Target Directory" line
    uint32_t firstFile = 0;   // into InventoryLog::files
    uint32_t fileCount = 0;   // 0: "no files found"
};

enum class TreeKind { kShared, kInstall, kComponents };
constexpr int kTreeKindCount = 3;

struct LogTree {
    TreeKind kind = TreeKind::kShared;
    // The folder that paths in the tree are relative to: the first section's
    // folder; for the components the Windows folder with its backslash.
    std::string_view root;
    uint32_t firstSection = 0;
    uint32_t sectionCount = 0;
    // A lone tree taken for the shared-files tree by its root's ending alone.
    bool guessed = false;
};

struct InventoryLog {
    std::vector<LogSection> sections;
    std::vector<LogFile> files;
    std::vector<LogTree> trees;  // in log order; at most one of each kind
    // The tree of each section, an index into trees.
    std::vector<uint32_t> sectionTree;
};

// The header line and its rule, as the log begins.
extern const char kLogHeaderLine[];
extern const char kLogRuleLine[];

// Reads the whole log; views point into text. False, and the line and what
// was expected there in error, when the text is not a log as the program
// writes it.
bool ParseInventoryLog(std::string_view text, InventoryLog& log, ParseError& error);
