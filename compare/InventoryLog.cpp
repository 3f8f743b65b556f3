#include "compare/InventoryLog.h"

#include "compare/TextCase.h"

#include <unordered_set>

const char kLogHeaderLine[] = "MD5                                    |File Name                    |Size     ";
const char kLogRuleLine[] = "--------------------------------------------------------------------------------";

namespace {

constexpr std::string_view kTargetPrefix = "Target Directory : ";
constexpr std::string_view kNoFiles = "no files found";
constexpr size_t kDigestLength = 32;
constexpr size_t kDigestColumn = 40;
constexpr size_t kNameColumn = 30;
constexpr size_t kSizeColumn = 10;

bool IsLowerHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

// A size as "%d" writes a signed 32-bit number: no plus sign, no leading
// zero, no "-0".
bool ParseSize(std::string_view token, int32_t& size) {
    const bool negative = !token.empty() && token[0] == '-';
    const std::string_view digits = negative ? token.substr(1) : token;
    if (digits.empty() || digits.size() > 10) return false;
    if (digits[0] == '0' && (digits.size() > 1 || negative)) return false;
    int64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (negative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) return false;
    size = static_cast<int32_t>(value);
    return true;
}

// A file line: the digest column (or nothing), " %-30s " and "%-10d". The
// size is the last word; the name runs from its column to the space before
// the size's column, less the padding up to 30 characters (a name longer
// than its column is written whole, so nothing is taken off it).
bool ParseFileLine(std::string_view line, uint32_t number, LogFile& file, ParseError& error) {
    size_t nameStart = 0;
    if (line.size() > kDigestColumn && IsLowerHexDigit(line[0])) {
        for (size_t i = 0; i < kDigestLength; ++i) {
            if (!IsLowerHexDigit(line[i])) {
                return Fail(error, number, "a digest of 32 lower-case hexadecimal digits at the line's start");
            }
        }
        if (line.find_first_not_of(' ', kDigestLength) != kDigestColumn + 1) {
            return Fail(error, number, "8 spaces after the digest, then a space before the name");
        }
        file.digest = line.substr(0, kDigestLength);
        nameStart = kDigestColumn + 1;
    } else if (!line.empty() && line[0] == ' ') {
        file.digest = std::string_view();
        nameStart = 1;
    } else {
        return Fail(error, number, "a file line (a digest or a space, the name, the size) or \"no files found\"");
    }
    const std::string_view rest = line.substr(nameStart);
    const size_t sizeEnd = rest.find_last_not_of(' ');
    const size_t separator = sizeEnd == std::string_view::npos ? sizeEnd : rest.find_last_of(' ', sizeEnd);
    if (separator == std::string_view::npos) {
        return Fail(error, number, "the name, a space and the size");
    }
    const std::string_view token = rest.substr(separator + 1, sizeEnd - separator);
    if (!ParseSize(token, file.size)) {
        return Fail(error, number, "the size at the line's end: a signed 32-bit decimal number");
    }
    const size_t padding = rest.size() - sizeEnd - 1;
    if (padding != (token.size() < kSizeColumn ? kSizeColumn - token.size() : 0)) {
        return Fail(error, number, "the size padded with spaces to 10 characters");
    }
    std::string_view name = rest.substr(0, separator);
    if (name.size() < kNameColumn) {
        return Fail(error, number, "the name padded with spaces to 30 characters, then a space");
    }
    if (name.size() == kNameColumn) {
        const size_t last = name.find_last_not_of(' ');
        name = last == std::string_view::npos ? std::string_view() : name.substr(0, last + 1);
    }
    if (name.empty()) return Fail(error, number, "a file name before the size");
    file.name = name;
    file.line = number;
    return true;
}

// --- trees ---

struct ComponentFolder {
    std::string_view suffix;
    std::string_view names[2];  // the files that may be listed there, in the order they are looked up
};
const ComponentFolder kComponentFolders[] = {
    {"\\system32\\", {"quend.dll", "pelvarn.dll"}},
    {"\\system32\\drivers\\", {"trunmolk.sys", {}}},
    {"\\system\\", {"halvix.vxd", {}}},
};

// Which component folder a section can be (an index into kComponentFolders,
// with the Windows folder and its backslash in windows), or -1.
int ComponentFolderOf(const InventoryLog& log, const LogSection& section, std::string_view& windows) {
    for (int index = 0; index < 3; ++index) {
        const ComponentFolder& folder = kComponentFolders[index];
        const std::string_view path = section.folder;
        if (path.size() <= folder.suffix.size() || path.substr(path.size() - folder.suffix.size()) != folder.suffix) {
            continue;
        }
        if (section.fileCount == 0) return -1;
        size_t next = 0;  // the first name the next line may have
        for (uint32_t i = 0; i < section.fileCount; ++i) {
            const std::string_view name = log.files[section.firstFile + i].name;
            while (next < 2 && !folder.names[next].empty() && !EqualIgnoringAsciiCase(name, folder.names[next])) {
                ++next;
            }
            if (next >= 2 || folder.names[next].empty()) return -1;
            ++next;
        }
        windows = path.substr(0, path.size() - folder.suffix.size() + 1);
        return index;
    }
    return -1;
}

// Groups sections into folder trees (rule 2 of the header).
class CTreeBuilder {
public:
    explicit CTreeBuilder(InventoryLog& log) : m_log(log) {}

    bool Continues(std::string_view folder) const {
        if (m_log.trees.empty()) return false;
        const std::string_view root = m_log.trees.back().root;
        if (folder.size() <= root.size() || folder.substr(0, root.size()) != root || folder.back() != '\\') {
            return false;
        }
        return folder.find('?') != std::string_view::npos || m_seen.count(folder) == 0;
    }

    void Add(uint32_t index) {
        const LogSection& section = m_log.sections[index];
        if (!Continues(section.folder)) {
            LogTree tree;
            tree.root = section.folder;
            tree.firstSection = index;
            m_log.trees.push_back(tree);
            m_seen.clear();
        }
        m_seen.insert(section.folder);
        ++m_log.trees.back().sectionCount;
        m_log.sectionTree[index] = static_cast<uint32_t>(m_log.trees.size() - 1);
    }

private:
    InventoryLog& m_log;
    std::unordered_set<std::string_view> m_seen;
};

bool FindTrees(InventoryLog& log, ParseError& error) {
    const uint32_t count = static_cast<uint32_t>(log.sections.size());
    log.sectionTree.assign(count, 0);

    // Rule 1: the longest run of component sections at the end.
    uint32_t components = 0;
    std::string_view windows;
    int laterIndex = 3;
    while (components < 3 && components < count) {
        std::string_view thisWindows;
        const int index = ComponentFolderOf(log, log.sections[count - 1 - components], thisWindows);
        if (index < 0 || index >= laterIndex || (components > 0 && thisWindows != windows)) break;
        windows = thisWindows;
        laterIndex = index;
        ++components;
    }
    // ...whose first section does not continue the tree before it.
    for (;; --components) {
        log.trees.clear();
        CTreeBuilder builder(log);
        for (uint32_t i = 0; i + components < count; ++i) builder.Add(i);
        if (components == 0 || !builder.Continues(log.sections[count - components].folder)) break;
    }

    // Rule 3.
    const size_t productTrees = log.trees.size();
    if (productTrees > 2) {
        const LogSection& third = log.sections[log.trees[2].firstSection];
        return Fail(error, third.line,
                    "a folder below the root of the folder tree before it, or a system component folder "
                    "(the log holds two folder trees at most)");
    }
    if (productTrees == 2) {
        log.trees[0].kind = TreeKind::kShared;
        log.trees[1].kind = TreeKind::kInstall;
    } else if (productTrees == 1) {
        constexpr std::string_view kSharedEnding = "\\Corvalin\\";
        const std::string_view root = log.trees[0].root;
        const bool shared =
            root.size() >= kSharedEnding.size() && root.substr(root.size() - kSharedEnding.size()) == kSharedEnding;
        log.trees[0].kind = shared ? TreeKind::kShared : TreeKind::kInstall;
        log.trees[0].guessed = shared;
    }
    if (components > 0) {
        LogTree tree;
        tree.kind = TreeKind::kComponents;
        tree.root = log.sections[count - components].folder.substr(0, windows.size());
        tree.firstSection = count - components;
        tree.sectionCount = components;
        for (uint32_t i = tree.firstSection; i < count; ++i) {
            log.sectionTree[i] = static_cast<uint32_t>(log.trees.size());
        }
        log.trees.push_back(tree);
    }
    return true;
}

}  // namespace

bool ParseInventoryLog(std::string_view text, InventoryLog& log, ParseError& error) {
    log = InventoryLog();
    // Room for the files at 84 characters a line (digest, padded name, size).
    log.files.reserve(text.size() / 84 + 1);
    CLineReader reader(text);
    std::string_view line;
    CLineReader::Result got = reader.Next(line, error);
    if (got == CLineReader::kBadEnd) return false;
    if (got == CLineReader::kEnd || line != kLogHeaderLine) {
        return Fail(error, 1, "the log's header line (MD5, File Name and Size, set apart by bars)");
    }
    got = reader.Next(line, error);
    if (got == CLineReader::kBadEnd) return false;
    if (got == CLineReader::kEnd || line != kLogRuleLine) return Fail(error, 2, "a line of 80 hyphens");

    got = reader.Next(line, error);
    while (got == CLineReader::kLine) {
        // "\n\n\n%s %s\n\n": three empty lines, the folder's line, an empty line.
        for (int i = 0; i < 5; ++i) {
            if (i > 0) {
                got = reader.Next(line, error);
                if (got == CLineReader::kBadEnd) return false;
                if (got == CLineReader::kEnd) return Fail(error, reader.LineNumber() + 1, "the rest of a section");
            }
            if (i == 3) {
                if (line.size() <= kTargetPrefix.size() || line.substr(0, kTargetPrefix.size()) != kTargetPrefix) {
                    return Fail(error, reader.LineNumber(), "\"Target Directory : \" and a folder");
                }
                LogSection section;
                section.folder = line.substr(kTargetPrefix.size());
                section.line = reader.LineNumber();
                section.firstFile = static_cast<uint32_t>(log.files.size());
                log.sections.push_back(section);
            } else if (!line.empty()) {
                return Fail(error, reader.LineNumber(),
                            i < 3 ? "an empty line (a section begins with three)"
                                  : "an empty line after the \"Target Directory\" line");
            }
        }
        got = reader.Next(line, error);
        if (got == CLineReader::kBadEnd) return false;
        if (got == CLineReader::kEnd) {
            return Fail(error, reader.LineNumber() + 1, "a file line or \"no files found\"");
        }
        if (line == kNoFiles) {
            got = reader.Next(line, error);
            continue;
        }
        while (got == CLineReader::kLine && !line.empty()) {
            LogFile file;
            if (!ParseFileLine(line, reader.LineNumber(), file, error)) return false;
            file.section = static_cast<uint32_t>(log.sections.size() - 1);
            log.files.push_back(file);
            ++log.sections.back().fileCount;
            got = reader.Next(line, error);
        }
    }
    if (got == CLineReader::kBadEnd) return false;
    return FindTrees(log, error);
}
