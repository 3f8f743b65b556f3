// Pointer and word maps: insert-or-replace, lookup, removal, and iteration
// that removes the entry it has just been given. Window-free.
#include "framework/Collections.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <vector>

namespace {

void* P(std::uintptr_t v) { return reinterpret_cast<void*>(v); }

// Layouts that stress the buckets: one bucket for everything, the default
// table, many buckets; entries spanning several allocation blocks.
struct Layout {
    const char* label;
    int nBlockSize;
    unsigned nHashSize;  // 0: leave the default
    int nEntries;
};
const Layout kLayouts[] = {
    {"default table, block 10", 10, 0, 25},
    {"single bucket chain", 10, 1, 12},
    {"block of one entry", 1, 0, 40},
    {"wide table", 3, 97, 200},
    {"one entry", 10, 0, 1},
};

TEST(CMapPtrToPtrTest, SubscriptInsertsAndReplaces) {
    CMapPtrToPtr map(10);
    EXPECT_EQ(0, map.GetCount());
    map[P(0x1000)] = P(1);
    map[P(0x2000)] = P(2);
    EXPECT_EQ(2, map.GetCount());
    map[P(0x1000)] = P(3);  // replace keeps one entry per key
    EXPECT_EQ(2, map.GetCount());
    void* v = nullptr;
    ASSERT_TRUE(map.Lookup(P(0x1000), v));
    EXPECT_EQ(P(3), v);
    // Subscript of a missing key inserts it with a null value.
    EXPECT_EQ(nullptr, map[P(0x3000)]);
    EXPECT_EQ(3, map.GetCount());
}

TEST(CMapPtrToPtrTest, LookupOfMissingKeyLeavesValue) {
    CMapPtrToPtr map;
    map[P(8)] = P(80);
    void* v = P(0xABCD);
    EXPECT_FALSE(map.Lookup(P(16), v));
    EXPECT_EQ(P(0xABCD), v);
    EXPECT_FALSE(map.Lookup(nullptr, v));
    map[nullptr] = P(5);  // the null pointer is an ordinary key
    EXPECT_TRUE(map.Lookup(nullptr, v));
    EXPECT_EQ(P(5), v);
}

TEST(CMapPtrToPtrTest, RemoveKeyAndReuse) {
    for (const Layout& L : kLayouts) {
        SCOPED_TRACE(L.label);
        CMapPtrToPtr map(L.nBlockSize);
        if (L.nHashSize) map.InitHashTable(L.nHashSize);
        for (int i = 0; i < L.nEntries; ++i) map[P(0x10 * (i + 1))] = P(i);
        EXPECT_EQ(L.nEntries, map.GetCount());
        EXPECT_FALSE(map.RemoveKey(P(0x7)));
        for (int i = 0; i < L.nEntries; i += 2) EXPECT_TRUE(map.RemoveKey(P(0x10 * (i + 1)))) << i;
        EXPECT_FALSE(map.RemoveKey(P(0x10)));  // already gone
        EXPECT_EQ(L.nEntries / 2, map.GetCount());
        for (int i = 0; i < L.nEntries; ++i) {
            void* v = nullptr;
            EXPECT_EQ(i % 2 == 1, map.Lookup(P(0x10 * (i + 1)), v) != 0) << i;
            if (i % 2 == 1) {
                EXPECT_EQ(P(i), v);
            }
        }
        // Freed entries are reused for new keys.
        for (int i = 0; i < L.nEntries; i += 2) map[P(0x10 * (i + 1))] = P(1000 + i);
        EXPECT_EQ(L.nEntries, map.GetCount());
        map.RemoveAll();
        EXPECT_EQ(0, map.GetCount());
        EXPECT_EQ(nullptr, map.GetStartPosition());
    }
}

TEST(CMapPtrToPtrTest, IterationVisitsEveryEntryOnce) {
    for (const Layout& L : kLayouts) {
        SCOPED_TRACE(L.label);
        CMapPtrToPtr map(L.nBlockSize);
        if (L.nHashSize) map.InitHashTable(L.nHashSize);
        for (int i = 0; i < L.nEntries; ++i) map[P(0x40 * (i + 1))] = P(i + 1);
        std::map<void*, int> seen;
        for (POSITION pos = map.GetStartPosition(); pos;) {
            void* k = nullptr;
            void* v = nullptr;
            map.GetNextAssoc(pos, k, v);
            ++seen[k];
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(k) / 0x40, reinterpret_cast<std::uintptr_t>(v));
        }
        EXPECT_EQ(static_cast<size_t>(L.nEntries), seen.size());
        for (auto& e : seen) EXPECT_EQ(1, e.second) << e.first;
    }
}

TEST(CMapPtrToPtrTest, IterationRemovingTheCurrentEntry) {
    // Remove all, or every other entry, while walking: each entry is still
    // visited exactly once and the kept ones stay reachable.
    for (int keepOdd = 0; keepOdd < 2; ++keepOdd) {
        for (const Layout& L : kLayouts) {
            SCOPED_TRACE(L.label);
            SCOPED_TRACE(keepOdd ? "remove even values" : "remove all");
            CMapPtrToPtr map(L.nBlockSize);
            if (L.nHashSize) map.InitHashTable(L.nHashSize);
            for (int i = 0; i < L.nEntries; ++i) map[P(0x40 * (i + 1))] = P(i);
            std::map<void*, int> seen;
            int removed = 0;
            for (POSITION pos = map.GetStartPosition(); pos;) {
                void* k = nullptr;
                void* v = nullptr;
                map.GetNextAssoc(pos, k, v);
                ++seen[k];
                const bool bRemove = !keepOdd || reinterpret_cast<std::uintptr_t>(v) % 2 == 0;
                if (bRemove) {
                    EXPECT_TRUE(map.RemoveKey(k));
                    ++removed;
                }
            }
            EXPECT_EQ(static_cast<size_t>(L.nEntries), seen.size());
            for (auto& e : seen) EXPECT_EQ(1, e.second) << e.first;
            EXPECT_EQ(L.nEntries - removed, map.GetCount());
            int left = 0;
            for (POSITION pos = map.GetStartPosition(); pos; ++left) {
                void* k;
                void* v;
                map.GetNextAssoc(pos, k, v);
                EXPECT_EQ(1u, reinterpret_cast<std::uintptr_t>(v) % 2);
            }
            EXPECT_EQ(map.GetCount(), left);
        }
    }
}

TEST(CMapWordToPtrTest, KeysAreWordsAndCollisionsStayApart) {
    CMapWordToPtr map(10);
    // 0, 17, 34 ... share a bucket of the default 17-bucket table.
    const unsigned short keys[] = {0, 17, 34, 51, 0xFFFF, 1, 0x8000};
    for (unsigned short k : keys) map[k] = P(k + 1u);
    EXPECT_EQ(7, map.GetCount());
    map[17] = P(99);
    EXPECT_EQ(7, map.GetCount());
    void* v = nullptr;
    ASSERT_TRUE(map.Lookup(17, v));
    EXPECT_EQ(P(99), v);
    ASSERT_TRUE(map.Lookup(34, v));
    EXPECT_EQ(P(35), v);
    EXPECT_TRUE(map.RemoveKey(0));
    EXPECT_FALSE(map.Lookup(0, v));
    ASSERT_TRUE(map.Lookup(51, v));
    EXPECT_EQ(P(52), v);

    std::vector<unsigned short> seen;
    for (POSITION pos = map.GetStartPosition(); pos;) {
        unsigned short k = 0;
        map.GetNextAssoc(pos, k, v);
        seen.push_back(k);
        map.RemoveKey(k);
    }
    EXPECT_EQ(6u, seen.size());
    EXPECT_EQ(0, map.GetCount());
}

}  // namespace
