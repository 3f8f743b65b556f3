#include "diagnostics/InventoryLogWriter.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <system_error>
#include <utility>

#include "diagnostics/InventoryFormat.h"
#include "diagnostics/RunState.h"

CInventoryLogWriter::CInventoryLogWriter(DigestFunction digest, unsigned readers, std::size_t queueLimit)
    : m_digest(std::move(digest)), m_queueLimit(std::max<std::size_t>(queueLimit, 1)) {
    for (unsigned i = 0; i < readers; ++i) {
        try {
            m_readers.emplace_back(&CInventoryLogWriter::ReaderLoop, this);
        } catch (const std::system_error&) {
            break;  // fewer readers; with none the walk's thread digests
        }
    }
}

CInventoryLogWriter::~CInventoryLogWriter() {
    {
        std::unique_lock<CSlimMutex> lock(m_mutex);
        WriteReady(lock, 0);
        m_stop = true;
    }
    m_workReady.notify_all();
    for (std::thread& reader : m_readers) reader.join();
}

unsigned CInventoryLogWriter::DefaultReaders() {
    const unsigned processors = std::thread::hardware_concurrency();
    return std::min(std::max(processors, 2u), 8u);
}

void CInventoryLogWriter::Section(const char* title, const char* folder) {
    Push(Item{Kind::kSection, title, folder, {}, 0, true, true, false, {}});
}

void CInventoryLogWriter::Line(const char* text) { Push(Item{Kind::kLine, text, {}, {}, 0, true, true, false, {}}); }

void CInventoryLogWriter::File(std::u16string path, const char* name, uint32_t sizeLow) {
    Item item{Kind::kFile, name, {}, std::move(path), sizeLow, true, true, false, {}};
    if (!item.path.empty()) {
        if (m_readers.empty()) {
            item.digestOk = m_digest(item.path, item.digestText);
        } else {
            item.claimed = false;
            item.done = false;
        }
    }
    Push(std::move(item));
}

void CInventoryLogWriter::Flush() {
    std::unique_lock<CSlimMutex> lock(m_mutex);
    WriteReady(lock, 0);
}

void CInventoryLogWriter::Push(Item item) {
    std::unique_lock<CSlimMutex> lock(m_mutex);
    const bool work = !item.claimed;
    if (item.kind == Kind::kFile) ++m_files;
    m_items.push_back(std::move(item));
    if (work) m_workReady.notify_one();
    WriteReady(lock, m_queueLimit);
}

void CInventoryLogWriter::WriteReady(std::unique_lock<CSlimMutex>& lock, std::size_t limit) {
    for (;;) {
        while (!m_items.empty() && m_items.front().done) {
            const Item item = std::move(m_items.front());
            m_items.pop_front();
            if (item.kind == Kind::kFile) --m_files;
            if (m_nextClaim > 0) --m_nextClaim;
            // The log is the walk's own: written without the lock, so that
            // the readers go on meanwhile.
            lock.unlock();
            WriteItem(item);
            lock.lock();
        }
        if (m_items.empty() || m_files < limit) return;
        m_itemDone.wait(lock, [this] { return m_items.front().done; });
    }
}

void CInventoryLogWriter::WriteItem(const Item& item) {
    switch (item.kind) {
    case Kind::kSection: WriteSectionHeader(g_logFile, item.first.c_str(), item.second.c_str()); break;
    case Kind::kLine: WriteLogLine(g_logFile, item.first.c_str()); break;
    case Kind::kFile:
        if (item.digestOk) WriteDigestColumn(g_logFile, item.digestText);
        WriteNameAndSize(g_logFile, item.first.c_str(), item.sizeLow);
        break;
    }
}

void CInventoryLogWriter::ReaderLoop() {
    std::unique_lock<CSlimMutex> lock(m_mutex);
    for (;;) {
        m_workReady.wait(lock, [this] {
            while (m_nextClaim < m_items.size() && m_items[m_nextClaim].claimed) ++m_nextClaim;
            return m_stop || m_nextClaim < m_items.size();
        });
        if (m_nextClaim >= m_items.size()) return;  // stopped with nothing left to read
        // Elements of a deque stay where they are while others are added at
        // its end, and the writer removes none that is not done.
        Item& item = m_items[m_nextClaim++];
        item.claimed = true;
        const std::u16string path = std::move(item.path);
        lock.unlock();
        char digestText[kMd5TextCapacity] = {};
        bool ok = false;
        try {
            ok = m_digest(path, digestText);
        } catch (const std::bad_alloc&) {
            ok = false;  // reported like a file that cannot be read
        }
        lock.lock();
        item.digestOk = ok;
        if (ok) std::memcpy(item.digestText, digestText, sizeof digestText);
        item.done = true;
        m_itemDone.notify_all();
    }
}
