// The hash map core shared by CMapPtrToPtr and CMapWordToPtr.
#include "framework/Collections.h"

#include <cstdlib>
#include <new>

#include "framework/Exceptions.h"

CMapCore::CMapCore(int nBlockSize) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}

CMapCore::~CMapCore() { RemoveAll(); }

void CMapCore::InitHashTable(unsigned int nHashSize) {
    if (m_nCount != 0 || nHashSize == 0) return;  // the entries would lose their buckets
    std::free(m_pHashTable);
    m_pHashTable = nullptr;
    m_nHashTableSize = nHashSize;
}

unsigned int CMapCore::HashKey(Key key) const {
    // Pointers are aligned: drop the low bits that are always zero before
    // spreading the rest over the buckets.
    const unsigned long long k = static_cast<unsigned long long>(key);
    return static_cast<unsigned int>(((k >> 4) ^ k) % m_nHashTableSize);
}

CMapCore::CAssoc* CMapCore::Find(Key key, unsigned int& nHash) const {
    nHash = HashKey(key);
    if (!m_pHashTable) return nullptr;
    for (CAssoc* p = m_pHashTable[nHash]; p; p = p->pNext)
        if (p->key == key) return p;
    return nullptr;
}

bool CMapCore::Lookup(Key key, void*& rValue) const {
    unsigned int nHash;
    CAssoc* p = Find(key, nHash);
    if (!p) return false;
    rValue = p->value;
    return true;
}

CMapCore::CAssoc* CMapCore::NewAssoc() {
    if (!m_pFreeList) {
        const std::size_t bytes = sizeof(CBlock) + sizeof(CAssoc) * static_cast<std::size_t>(m_nBlockSize);
        CBlock* block = static_cast<CBlock*>(std::malloc(bytes));
        if (!block) AfxThrowMemoryException();
        block->pNext = m_pBlocks;
        m_pBlocks = block;
        CAssoc* entries = reinterpret_cast<CAssoc*>(block + 1);
        for (int i = m_nBlockSize - 1; i >= 0; --i) {
            entries[i].pNext = m_pFreeList;
            m_pFreeList = &entries[i];
        }
    }
    CAssoc* p = m_pFreeList;
    m_pFreeList = p->pNext;
    return p;
}

void*& CMapCore::Slot(Key key) {
    unsigned int nHash;
    if (CAssoc* p = Find(key, nHash)) return p->value;
    if (!m_pHashTable) {
        m_pHashTable = static_cast<CAssoc**>(std::calloc(m_nHashTableSize, sizeof(CAssoc*)));
        if (!m_pHashTable) AfxThrowMemoryException();
    }
    CAssoc* p = NewAssoc();
    p->key = key;
    p->value = nullptr;
    p->nHashValue = nHash;
    p->pNext = m_pHashTable[nHash];
    m_pHashTable[nHash] = p;
    ++m_nCount;
    return p->value;
}

bool CMapCore::RemoveKey(Key key) {
    if (!m_pHashTable) return false;
    CAssoc** pp = &m_pHashTable[HashKey(key)];
    for (CAssoc* p = *pp; p; pp = &p->pNext, p = p->pNext) {
        if (p->key == key) {
            *pp = p->pNext;
            p->pNext = m_pFreeList;  // back to the free list; the block stays
            m_pFreeList = p;
            --m_nCount;
            return true;
        }
    }
    return false;
}

void CMapCore::RemoveAll() {
    std::free(m_pHashTable);
    m_pHashTable = nullptr;
    while (m_pBlocks) {
        CBlock* next = m_pBlocks->pNext;
        std::free(m_pBlocks);
        m_pBlocks = next;
    }
    m_pFreeList = nullptr;
    m_nCount = 0;
}

POSITION CMapCore::GetStartPosition() const {
    if (m_nCount == 0 || !m_pHashTable) return nullptr;
    for (unsigned int i = 0; i < m_nHashTableSize; ++i)
        if (m_pHashTable[i]) return reinterpret_cast<POSITION>(m_pHashTable[i]);
    return nullptr;
}

void CMapCore::GetNextAssoc(POSITION& rPos, Key& rKey, void*& rValue) const {
    CAssoc* p = reinterpret_cast<CAssoc*>(rPos);
    if (!p) return;  // past the end: nothing to give
    rKey = p->key;
    rValue = p->value;
    // Find the successor now, so that the caller may remove the entry it got.
    CAssoc* next = p->pNext;
    for (unsigned int i = p->nHashValue + 1; !next && i < m_nHashTableSize; ++i) next = m_pHashTable[i];
    rPos = reinterpret_cast<POSITION>(next);
}
