// Pairs the entries of two lists by equal keys, the first of a key on one
// side with the first of that key on the other, and so on. A key is up to
// two pieces of text compared without regard to ASCII letter case, and a
// number; keys are views made on demand, so pairing lists of hundreds of
// thousands allocates nothing per entry.
#pragma once

#include "compare/TextCase.h"

#include <cstdint>
#include <string_view>
#include <vector>

struct MatchKey {
    std::string_view first;
    std::string_view second;
    uint64_t number = 0;
};

inline bool Equal(const MatchKey& a, const MatchKey& b) {
    return a.number == b.number && EqualIgnoringAsciiCase(a.first, b.first) &&
           EqualIgnoringAsciiCase(a.second, b.second);
}

// FNV-1a over the folded text of both pieces, their lengths and the number.
uint64_t Hash(const MatchKey& key);

// keyA(i) and keyB(j) give the keys of entry i of the first list and entry j
// of the second. aToB[i] is the partner of i, or -1; bToA likewise.
template <typename KeyA, typename KeyB>
void PairByKey(size_t countA, KeyA keyA, size_t countB, KeyB keyB, std::vector<int32_t>& aToB,
               std::vector<int32_t>& bToA);

// --- implementation ---

class CPairTable {
public:
    // Room for count keys.
    explicit CPairTable(size_t count);
    // Adds entry index under its key's hash; same says whether it has the
    // key of another entry already added (then it becomes that key's first
    // entry: add in reverse order to keep the first first).
    template <typename Same>
    void Add(int32_t index, uint64_t hash, Same same);
    // Takes the first entry not yet taken whose key is the same; -1 if none.
    template <typename Same>
    int32_t Take(uint64_t hash, Same same);

private:
    size_t m_nMask;
    std::vector<int32_t> m_slotKey;   // an entry of the slot's key (-1: empty slot)
    std::vector<int32_t> m_slotNext;  // the slot's next entry to take (-1: none left)
    std::vector<uint64_t> m_slotHash;
    std::vector<int32_t> m_next;  // per entry: the next entry of the same key
};

template <typename Same>
void CPairTable::Add(int32_t index, uint64_t hash, Same same) {
    for (size_t slot = hash & m_nMask;; slot = (slot + 1) & m_nMask) {
        if (m_slotKey[slot] < 0) {
            m_slotKey[slot] = index;
            m_slotNext[slot] = index;
            m_slotHash[slot] = hash;
            m_next[index] = -1;
            return;
        }
        if (m_slotHash[slot] == hash && same(m_slotKey[slot])) {
            m_next[index] = m_slotNext[slot];
            m_slotNext[slot] = index;
            m_slotKey[slot] = index;
            return;
        }
    }
}

template <typename Same>
int32_t CPairTable::Take(uint64_t hash, Same same) {
    for (size_t slot = hash & m_nMask; m_slotKey[slot] >= 0; slot = (slot + 1) & m_nMask) {
        if (m_slotHash[slot] != hash || !same(m_slotKey[slot])) continue;
        const int32_t taken = m_slotNext[slot];
        if (taken >= 0) m_slotNext[slot] = m_next[taken];
        return taken;
    }
    return -1;
}

template <typename KeyA, typename KeyB>
void PairByKey(size_t countA, KeyA keyA, size_t countB, KeyB keyB, std::vector<int32_t>& aToB,
               std::vector<int32_t>& bToA) {
    aToB.assign(countA, -1);
    bToA.assign(countB, -1);
    if (countA == 0 || countB == 0) return;
    if (countA <= 8 && countB <= 8) {
        for (size_t i = 0; i < countA; ++i) {
            const MatchKey a = keyA(i);
            for (size_t j = 0; j < countB; ++j) {
                if (bToA[j] < 0 && Equal(a, keyB(j))) {
                    aToB[i] = static_cast<int32_t>(j);
                    bToA[j] = static_cast<int32_t>(i);
                    break;
                }
            }
        }
        return;
    }
    CPairTable table(countB);
    for (size_t j = countB; j-- > 0;) {
        const MatchKey b = keyB(j);
        table.Add(static_cast<int32_t>(j), Hash(b), [&](int32_t other) { return Equal(b, keyB(other)); });
    }
    for (size_t i = 0; i < countA; ++i) {
        const MatchKey a = keyA(i);
        const int32_t j = table.Take(Hash(a), [&](int32_t other) { return Equal(a, keyB(other)); });
        if (j < 0) continue;
        aToB[i] = j;
        bToA[j] = static_cast<int32_t>(i);
    }
}
