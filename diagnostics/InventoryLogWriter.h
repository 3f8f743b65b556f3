// The inventory log's writer: lines are written into g_logFile strictly in
// the order the walk hands them over, while a small pool of reader threads
// computes the digests of the files ahead of it. Under the platform every
// open and close of a file waits on a round trip to the system; reading
// several files at once overlaps those waits, and the log still comes out
// byte for byte as a walk that read one file at a time would write it.
//
// Threads: the walk's thread alone calls the writer's members and alone
// writes the log. A reader touches only the queue (under the writer's lock)
// and the one file it digests; the digest function it calls must be safe to
// run on several threads at once. Bounded: at most a fixed number of files
// wait in the queue, whatever the size of the tree.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "diagnostics/Md5.h"
#include "diagnostics/SlimSync.h"

class CInventoryLogWriter {
public:
    // Computes the digest text of the file at path into digestText
    // (kMd5TextCapacity bytes); false when the file cannot be read.
    using DigestFunction = std::function<bool(const std::u16string& path, char* digestText)>;

    // readers: the number of reader threads (0 digests on the walk's own
    // thread, as each file line is written). queueLimit: the most files
    // handed over and not yet written.
    CInventoryLogWriter(DigestFunction digest, unsigned readers, std::size_t queueLimit);
    // Writes what is still queued, then ends the readers.
    ~CInventoryLogWriter();

    CInventoryLogWriter(const CInventoryLogWriter&) = delete;
    CInventoryLogWriter& operator=(const CInventoryLogWriter&) = delete;

    // The number of readers for this machine: one a processor, at least 2,
    // at most 8.
    static unsigned DefaultReaders();

    // A section header: three empty lines, "<title> <folder>", an empty line.
    void Section(const char* title, const char* folder);
    // A line of its own ("no files found").
    void Line(const char* text);
    // A file's line: the digest column of the file at path (none when path
    // is empty or the file cannot be read), then name and size.
    void File(std::u16string path, const char* name, uint32_t sizeLow);
    // Writes everything handed over so far, waiting for its digests.
    void Flush();

private:
    enum class Kind { kSection, kLine, kFile };
    struct Item {
        Kind kind;
        std::string first;   // title, line text or file name
        std::string second;  // folder of a section
        std::u16string path;
        uint32_t sizeLow;
        bool claimed;  // a reader has taken it (or it needs none)
        bool done;     // ready to be written
        bool digestOk;
        char digestText[kMd5TextCapacity];
    };

    void Push(Item item);
    // Writes the items at the head that are ready; with wait, waits for the
    // head until the queue is below limit items long.
    void WriteReady(std::unique_lock<CSlimMutex>& lock, std::size_t limit);
    void WriteItem(const Item& item);
    void ReaderLoop();

    DigestFunction m_digest;
    std::size_t m_queueLimit;
    CSlimMutex m_mutex;
    CSlimCondition m_workReady;   // a file to digest, or the end
    CSlimCondition m_itemDone;    // a digest is done
    std::deque<Item> m_items;     // in log order
    std::size_t m_files = 0;      // file items in m_items
    std::size_t m_nextClaim = 0;  // index in m_items from which readers look
    bool m_stop = false;
    std::vector<std::thread> m_readers;
};
