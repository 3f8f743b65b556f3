// Hash maps from a pointer or a 16-bit word to a pointer: CMapPtrToPtr and
// CMapWordToPtr. The maps store the values only; they never free what the
// values point to.
//
// Entries are allocated in blocks of nBlockSize entries (constructor
// argument), chained per hash bucket; the bucket table (17 buckets unless
// InitHashTable says otherwise) is made on the first insertion. Removing an
// entry never moves another, so an iteration with GetStartPosition and
// GetNextAssoc may remove the entry it has just been given (and only that
// one) and still visits every other entry exactly once. Allocation failures
// throw CMemoryException. This header needs no window system.
#pragma once

#include <cstddef>

struct CPositionTag;
typedef CPositionTag* POSITION;  // iteration state; null at the end

// The shared core: keys are stored as pointer-sized unsigned integers.
class CMapCore {
public:
    typedef std::size_t Key;

    explicit CMapCore(int nBlockSize);
    ~CMapCore();
    CMapCore(const CMapCore&) = delete;
    CMapCore& operator=(const CMapCore&) = delete;

    int GetCount() const { return m_nCount; }
    bool IsEmpty() const { return m_nCount == 0; }
    unsigned int GetHashTableSize() const { return m_nHashTableSize; }
    void InitHashTable(unsigned int nHashSize);  // only while the map is empty

    bool Lookup(Key key, void*& rValue) const;
    void*& Slot(Key key);  // finds or inserts (value null) the entry of key
    bool RemoveKey(Key key);
    void RemoveAll();

    POSITION GetStartPosition() const;
    void GetNextAssoc(POSITION& rPos, Key& rKey, void*& rValue) const;

private:
    struct CAssoc {
        CAssoc* pNext;
        unsigned int nHashValue;  // key's bucket, for the walk to the next one
        Key key;
        void* value;
    };
    struct CBlock {
        CBlock* pNext;
        // followed by nBlockSize CAssoc entries
    };

    unsigned int HashKey(Key key) const;
    CAssoc* Find(Key key, unsigned int& nHash) const;
    CAssoc* NewAssoc();

    CAssoc** m_pHashTable = nullptr;
    unsigned int m_nHashTableSize = 17;
    int m_nCount = 0;
    CAssoc* m_pFreeList = nullptr;
    CBlock* m_pBlocks = nullptr;
    int m_nBlockSize;
};

class CMapPtrToPtr {
public:
    explicit CMapPtrToPtr(int nBlockSize = 10) : m_core(nBlockSize) {}

    int GetCount() const { return m_core.GetCount(); }
    int GetSize() const { return m_core.GetCount(); }
    bool IsEmpty() const { return m_core.IsEmpty(); }
    void InitHashTable(unsigned int nHashSize) { m_core.InitHashTable(nHashSize); }
    unsigned int GetHashTableSize() const { return m_core.GetHashTableSize(); }

    // TRUE with the value in rValue when key is present; rValue is untouched otherwise.
    int Lookup(void* key, void*& rValue) const { return m_core.Lookup(ToKey(key), rValue); }
    // Inserts key (with a null value) when missing; assigning replaces the value.
    void*& operator[](void* key) { return m_core.Slot(ToKey(key)); }
    void SetAt(void* key, void* newValue) { m_core.Slot(ToKey(key)) = newValue; }
    int RemoveKey(void* key) { return m_core.RemoveKey(ToKey(key)); }
    void RemoveAll() { m_core.RemoveAll(); }

    POSITION GetStartPosition() const { return m_core.GetStartPosition(); }
    void GetNextAssoc(POSITION& rPos, void*& rKey, void*& rValue) const {
        CMapCore::Key k = 0;
        m_core.GetNextAssoc(rPos, k, rValue);
        rKey = reinterpret_cast<void*>(k);
    }

private:
    static CMapCore::Key ToKey(void* p) { return reinterpret_cast<CMapCore::Key>(p); }
    CMapCore m_core;
};

class CMapWordToPtr {
public:
    typedef unsigned short WordKey;  // the Win32 WORD

    explicit CMapWordToPtr(int nBlockSize = 10) : m_core(nBlockSize) {}

    int GetCount() const { return m_core.GetCount(); }
    int GetSize() const { return m_core.GetCount(); }
    bool IsEmpty() const { return m_core.IsEmpty(); }
    void InitHashTable(unsigned int nHashSize) { m_core.InitHashTable(nHashSize); }
    unsigned int GetHashTableSize() const { return m_core.GetHashTableSize(); }

    int Lookup(WordKey key, void*& rValue) const { return m_core.Lookup(key, rValue); }
    void*& operator[](WordKey key) { return m_core.Slot(key); }
    void SetAt(WordKey key, void* newValue) { m_core.Slot(key) = newValue; }
    int RemoveKey(WordKey key) { return m_core.RemoveKey(key); }
    void RemoveAll() { m_core.RemoveAll(); }

    POSITION GetStartPosition() const { return m_core.GetStartPosition(); }
    void GetNextAssoc(POSITION& rPos, WordKey& rKey, void*& rValue) const {
        CMapCore::Key k = 0;
        m_core.GetNextAssoc(rPos, k, rValue);
        rKey = static_cast<WordKey>(k);
    }

private:
    CMapCore m_core;
};
