#include "compare/Pairing.h"

namespace {

constexpr uint64_t kFnvOffset = 14695981039346656037ull;
constexpr uint64_t kFnvPrime = 1099511628211ull;

uint64_t Mix(uint64_t hash, std::string_view text) {
    for (char c : text) hash = (hash ^ static_cast<unsigned char>(FoldAsciiCase(c))) * kFnvPrime;
    return (hash ^ text.size()) * kFnvPrime;
}

}  // namespace

uint64_t Hash(const MatchKey& key) {
    uint64_t hash = Mix(Mix(kFnvOffset, key.first), key.second);
    hash = (hash ^ key.number) * kFnvPrime;
    // The table takes the low bits: fold the high ones in.
    return hash ^ (hash >> 29);
}

CPairTable::CPairTable(size_t count) {
    size_t slots = 16;
    while (slots < count * 2) slots *= 2;
    m_nMask = slots - 1;
    m_slotKey.assign(slots, -1);
    m_slotNext.assign(slots, -1);
    m_slotHash.assign(slots, 0);
    m_next.assign(count, -1);
}
