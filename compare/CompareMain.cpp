// ScrivloCompare REFERENCE CUSTOMER: what differs between a known-good
// installation and a customer's, from the files Scrivlo wrote on each. The
// only part of the program that touches the system: the arguments, the
// files and the output.
#include "compare/Comparison.h"
#include "compare/Report.h"
#include "compare/TextCase.h"

#include <dirent.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <sys/mman.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

enum ExitStatus { kNothingDiffers = 0, kDifferencesFound = 1, kTrouble = 2 };

const char kLogName[] = "QZScrivlo.log";
const char kScriptName[] = "QZRegNode.reg";

const char kUsage[] =
    "usage: ScrivloCompare [--format=text|csv] REFERENCE CUSTOMER\n"
    "  REFERENCE, CUSTOMER: a folder holding QZScrivlo.log and QZRegNode.reg, or one of these files\n"
    "  (both sides of the same kind); the report goes to the standard output.\n"
    "  Exit status: 0 nothing differs, 1 differences found, 2 trouble.\n";

int Trouble(const std::string& message) {
    std::fprintf(stderr, "ScrivloCompare: %s\n", message.c_str());
    return kTrouble;
}

// A file's bytes, whole: mapped where the system can map it (the files run
// to tens of megabytes, and a mapping costs neither a copy nor a fault per
// page of a buffer), read into a buffer otherwise.
class CContents {
public:
    CContents() = default;
    ~CContents() {
#ifndef _WIN32
        if (m_pMapped != nullptr) munmap(m_pMapped, m_nSize);
#endif
    }
    CContents(const CContents&) = delete;
    CContents& operator=(const CContents&) = delete;

    std::string_view View() const {
        return std::string_view(m_pMapped != nullptr ? static_cast<const char*>(m_pMapped) : m_bytes.get(), m_nSize);
    }

    bool Read(const std::string& path, std::string& why) {
        FILE* file = std::fopen(path.c_str(), "rb");
        if (file == nullptr) {
            why = std::strerror(errno);
            return false;
        }
        const bool read = Map(file) || ReadAll(file);
        if (!read) why = "read error";
        std::fclose(file);
        return read;
    }

private:
    bool Map(FILE* file) {
#ifndef _WIN32
        struct stat status;
        if (fstat(fileno(file), &status) != 0 || (status.st_mode & S_IFMT) != S_IFREG || status.st_size <= 0) {
            return false;
        }
        void* mapped =
            mmap(nullptr, static_cast<size_t>(status.st_size), PROT_READ, MAP_PRIVATE | MAP_POPULATE, fileno(file), 0);
        if (mapped == MAP_FAILED) return false;
        m_pMapped = mapped;
        m_nSize = static_cast<size_t>(status.st_size);
        return true;
#else
        (void)file;
        return false;
#endif
    }

    // Room for the file's size and one byte more, which tells a file that
    // grew meanwhile: that one is still read to its end.
    bool ReadAll(FILE* file) {
        size_t capacity = 1 << 16;
        if (std::fseek(file, 0, SEEK_END) == 0) {
            const long size = std::ftell(file);
            if (size > 0) capacity = static_cast<size_t>(size) + 1;
        }
        std::rewind(file);
        m_bytes.reset(new char[capacity]);
        m_nSize = 0;
        for (;;) {
            if (m_nSize == capacity) {
                std::unique_ptr<char[]> larger(new char[capacity * 2]);
                std::memcpy(larger.get(), m_bytes.get(), m_nSize);
                m_bytes = std::move(larger);
                capacity *= 2;
            }
            const size_t got = std::fread(m_bytes.get() + m_nSize, 1, capacity - m_nSize, file);
            if (got == 0) break;
            m_nSize += got;
        }
        return std::ferror(file) == 0;
    }

    std::unique_ptr<char[]> m_bytes;
    void* m_pMapped = nullptr;
    size_t m_nSize = 0;
};

bool IsFolder(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 && (status.st_mode & S_IFMT) == S_IFDIR;
}

bool IsFile(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 && (status.st_mode & S_IFMT) != S_IFDIR;
}

// The file of that name in the folder, in any letter case (a file copied
// through other systems may have lost its capitals); empty when none.
std::string FindInFolder(const std::string& folder, const char* name) {
#ifdef _WIN32
    const char separator = '\\';
#else
    const char separator = '/';
#endif
    std::string prefix = folder;
    if (prefix.back() != '/' && prefix.back() != separator) prefix += separator;
    if (IsFile(prefix + name)) return prefix + name;
    std::string found;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            if (EqualIgnoringAsciiCase(entry->d_name, name) && IsFile(prefix + entry->d_name)) {
                found = prefix + entry->d_name;
                break;
            }
        }
        closedir(dir);
    }
    return found;
}

struct Input {
    std::string path;
    std::unique_ptr<CContents> text;
};

// One side: its log and its script, each read whole where the side has it.
struct Side {
    std::string name;
    Input log, script;
};

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

int ReadSide(const std::string& argument, Side& side) {
    side.name = argument;
    std::string why;
    if (IsFolder(argument)) {
        side.log.path = FindInFolder(argument, kLogName);
        side.script.path = FindInFolder(argument, kScriptName);
        if (side.log.path.empty()) return Trouble(argument + ": no " + kLogName + " in this folder");
        if (side.script.path.empty()) return Trouble(argument + ": no " + kScriptName + " in this folder");
        for (Input* input : {&side.log, &side.script}) {
            input->text = std::make_unique<CContents>();
            if (!input->text->Read(input->path, why)) return Trouble(input->path + ": " + why);
        }
        return kNothingDiffers;
    }
    auto text = std::make_unique<CContents>();
    if (!text->Read(argument, why)) return Trouble(argument + ": " + why);
    // A single file is told by its first line, whatever its name.
    Input* input = nullptr;
    if (StartsWith(text->View(), "MD5 ")) {
        input = &side.log;
    } else if (StartsWith(text->View(), kRegScriptTitle)) {
        input = &side.script;
    } else {
        return Trouble(argument +
                       ": line 1: expected the header line of a QZScrivlo.log or the title line of a QZRegNode.reg");
    }
    input->path = argument;
    input->text = std::move(text);
    return kNothingDiffers;
}

int ParseFailure(const std::string& path, const ParseError& error) {
    return Trouble(path + ": line " + std::to_string(error.line) + ": expected " + error.expected);
}

}  // namespace

int main(int argc, char** argv) {
    bool csv = false;
    std::vector<std::string> operands;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (options && argument == "--") {
            options = false;
        } else if (options && argument == "--format=csv") {
            csv = true;
        } else if (options && argument == "--format=text") {
            csv = false;
        } else if (options && (argument == "--help" || argument == "-h")) {
            std::fputs(kUsage, stdout);
            return kNothingDiffers;
        } else if (options && argument.size() > 1 && argument[0] == '-') {
            std::fputs(kUsage, stderr);
            return Trouble("unknown option " + argument);
        } else {
            operands.push_back(argument);
        }
    }
    if (operands.size() != 2) {
        std::fputs(kUsage, stderr);
        return kTrouble;
    }

    Side sides[2];
    for (int s = 0; s < 2; ++s) {
        const int status = ReadSide(operands[s], sides[s]);
        if (status != kNothingDiffers) return status;
    }
    const bool logs = !sides[0].log.path.empty() && !sides[1].log.path.empty();
    const bool scripts = !sides[0].script.path.empty() && !sides[1].script.path.empty();
    if (!logs && !scripts) {
        return Trouble("the two sides hold no file of the same kind: give two folders, two logs or two scripts");
    }

    InventoryLog inventories[2];
    RegScript registries[2];
    ParseError error;
    for (int s = 0; s < 2; ++s) {
        if (logs && !ParseInventoryLog(sides[s].log.text->View(), inventories[s], error)) {
            return ParseFailure(sides[s].log.path, error);
        }
        if (scripts && !ParseRegScript(sides[s].script.text->View(), registries[s], error)) {
            return ParseFailure(sides[s].script.path, error);
        }
    }

    ReportInput input;
    input.referenceName = sides[0].name;
    input.customerName = sides[1].name;
    InventoryComparison files;
    RegistryComparison registry;
    if (logs) {
        files = CompareInventories(inventories[0], inventories[1]);
        input.referenceLog = &inventories[0];
        input.customerLog = &inventories[1];
        input.files = &files;
    }
    if (scripts) {
        registry = CompareScripts(registries[0], registries[1]);
        input.referenceScript = &registries[0];
        input.customerScript = &registries[1];
        input.registry = &registry;
    }
    std::string report;
    if (csv) {
        WriteCsvReport(input, report);
    } else {
        WriteTextReport(input, report);
    }
    if (std::fwrite(report.data(), 1, report.size(), stdout) != report.size() || std::fflush(stdout) != 0) {
        return Trouble("the report could not be written");
    }
    return DifferenceCount(input) == 0 ? kNothingDiffers : kDifferencesFound;
}
