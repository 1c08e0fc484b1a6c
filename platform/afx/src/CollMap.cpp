// The hash maps keyed by strings, pointers and words: one body, stamped out
// for each key and value type by COLL_IMPLEMENT_MAP.
#include "afxcoll.h"

#include <new>

namespace {

template<class TYPE>
void ConstructAssocMember(TYPE* p)
{
    ::new (static_cast<void*>(p)) TYPE();
}

template<class TYPE>
void DestructAssocMember(TYPE* p)
{
    p->~TYPE();
}

const UINT kDefaultHashTableSize = 17;

}  // namespace

// Each bucket is a chain with the newest pair first; pairs come from blocks
// of m_nBlockSize and are recycled through the free list. The table itself
// is made on the first insertion, and everything is released when the map
// becomes empty. A position is the pair GetNextAssoc returns next, so the
// pair it just returned can be removed during a walk.
#define COLL_IMPLEMENT_MAP(CLASS, KEY, ARG_KEY, VALUE, ARG_VALUE)                   \
    CLASS::CLASS(int nBlockSize)                                                    \
        : m_pHashTable(NULL), m_nHashTableSize(kDefaultHashTableSize), m_nCount(0), \
          m_pFreeList(NULL), m_pBlocks(NULL),                                       \
          m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10)                            \
    {                                                                               \
    }                                                                               \
                                                                                    \
    CLASS::~CLASS() { RemoveAll(); }                                                \
                                                                                    \
    int CLASS::GetCount() const { return m_nCount; }                                \
    BOOL CLASS::IsEmpty() const { return m_nCount == 0; }                           \
    UINT CLASS::GetHashTableSize() const { return m_nHashTableSize; }               \
                                                                                    \
    /* Only while the map is empty: the pairs are not rehashed. */                 \
    void CLASS::InitHashTable(UINT nHashSize, BOOL bAllocNow)                       \
    {                                                                               \
        ASSERT(m_nCount == 0 && nHashSize > 0);                                     \
        if (m_nCount != 0 || nHashSize == 0)                                        \
            return;                                                                 \
        delete[] m_pHashTable;                                                      \
        m_pHashTable = NULL;                                                        \
        if (bAllocNow)                                                              \
        {                                                                           \
            m_pHashTable = new CAssoc*[nHashSize];                                  \
            memset(m_pHashTable, 0, sizeof(CAssoc*) * nHashSize);                   \
        }                                                                           \
        m_nHashTableSize = nHashSize;                                               \
    }                                                                               \
                                                                                    \
    void CLASS::RemoveAll()                                                         \
    {                                                                               \
        if (m_pHashTable != NULL)                                                   \
        {                                                                           \
            for (UINT nHash = 0; nHash < m_nHashTableSize; nHash++)                 \
            {                                                                       \
                for (CAssoc* pAssoc = m_pHashTable[nHash]; pAssoc != NULL; pAssoc = pAssoc->pNext) \
                {                                                                   \
                    DestructAssocMember(&pAssoc->value);                              \
                    DestructAssocMember(&pAssoc->key);                                \
                }                                                                   \
            }                                                                       \
            delete[] m_pHashTable;                                                  \
            m_pHashTable = NULL;                                                    \
        }                                                                           \
        m_nCount = 0;                                                               \
        m_pFreeList = NULL;                                                         \
        if (m_pBlocks != NULL)                                                      \
            m_pBlocks->FreeDataChain();                                             \
        m_pBlocks = NULL;                                                           \
    }                                                                               \
                                                                                    \
    CLASS::CAssoc* CLASS::NewAssoc()                                                \
    {                                                                               \
        if (m_pFreeList == NULL)                                                    \
        {                                                                           \
            CPlex* pNewBlock = CPlex::Create(m_pBlocks, static_cast<UINT_PTR>(m_nBlockSize), sizeof(CAssoc)); \
            CAssoc* pAssoc = static_cast<CAssoc*>(pNewBlock->data()) + (m_nBlockSize - 1); \
            for (int i = m_nBlockSize - 1; i >= 0; i--, pAssoc--)                   \
            {                                                                       \
                pAssoc->pNext = m_pFreeList;                                        \
                m_pFreeList = pAssoc;                                               \
            }                                                                       \
        }                                                                           \
        CAssoc* pAssoc = m_pFreeList;                                               \
        m_pFreeList = m_pFreeList->pNext;                                           \
        m_nCount++;                                                                 \
        ConstructAssocMember(&pAssoc->key);                                           \
        ConstructAssocMember(&pAssoc->value);                                         \
        return pAssoc;                                                              \
    }                                                                               \
                                                                                    \
    void CLASS::FreeAssoc(CAssoc* pAssoc)                                           \
    {                                                                               \
        DestructAssocMember(&pAssoc->value);                                          \
        DestructAssocMember(&pAssoc->key);                                            \
        pAssoc->pNext = m_pFreeList;                                                \
        m_pFreeList = pAssoc;                                                       \
        m_nCount--;                                                                 \
        if (m_nCount == 0)                                                          \
            RemoveAll();                                                            \
    }                                                                               \
                                                                                    \
    CLASS::CAssoc* CLASS::GetAssocAt(ARG_KEY key, UINT& nHash) const                \
    {                                                                               \
        nHash = HashKey(key) % m_nHashTableSize;                                    \
        if (m_pHashTable == NULL)                                                   \
            return NULL;                                                            \
        for (CAssoc* pAssoc = m_pHashTable[nHash]; pAssoc != NULL; pAssoc = pAssoc->pNext) \
        {                                                                           \
            if (pAssoc->key == key)                                                 \
                return pAssoc;                                                      \
        }                                                                           \
        return NULL;                                                                \
    }                                                                               \
                                                                                    \
    BOOL CLASS::Lookup(ARG_KEY key, VALUE& rValue) const                            \
    {                                                                               \
        UINT nHash;                                                                 \
        CAssoc* pAssoc = GetAssocAt(key, nHash);                                    \
        if (pAssoc == NULL)                                                         \
            return FALSE;                                                           \
        rValue = pAssoc->value;                                                     \
        return TRUE;                                                                \
    }                                                                               \
                                                                                    \
    VALUE& CLASS::operator[](ARG_KEY key)                                           \
    {                                                                               \
        UINT nHash;                                                                 \
        CAssoc* pAssoc = GetAssocAt(key, nHash);                                    \
        if (pAssoc == NULL)                                                         \
        {                                                                           \
            if (m_pHashTable == NULL)                                               \
                InitHashTable(m_nHashTableSize);                                    \
            pAssoc = NewAssoc();                                                    \
            pAssoc->nHashValue = nHash;                                             \
            pAssoc->key = key;                                                      \
            pAssoc->pNext = m_pHashTable[nHash];                                    \
            m_pHashTable[nHash] = pAssoc;                                           \
        }                                                                           \
        return pAssoc->value;                                                       \
    }                                                                               \
                                                                                    \
    void CLASS::SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; } \
                                                                                    \
    BOOL CLASS::RemoveKey(ARG_KEY key)                                              \
    {                                                                               \
        if (m_pHashTable == NULL)                                                   \
            return FALSE;                                                           \
        CAssoc** ppAssocPrev = &m_pHashTable[HashKey(key) % m_nHashTableSize];      \
        for (CAssoc* pAssoc = *ppAssocPrev; pAssoc != NULL; pAssoc = pAssoc->pNext) \
        {                                                                           \
            if (pAssoc->key == key)                                                 \
            {                                                                       \
                *ppAssocPrev = pAssoc->pNext;                                       \
                FreeAssoc(pAssoc);                                                  \
                return TRUE;                                                        \
            }                                                                       \
            ppAssocPrev = &pAssoc->pNext;                                           \
        }                                                                           \
        return FALSE;                                                               \
    }                                                                               \
                                                                                    \
    POSITION CLASS::GetStartPosition() const                                        \
    {                                                                               \
        return (m_nCount == 0) ? NULL : BEFORE_START_POSITION;                      \
    }                                                                               \
                                                                                    \
    void CLASS::GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const \
    {                                                                               \
        ASSERT(m_pHashTable != NULL && rNextPosition != NULL);                      \
        CAssoc* pAssocRet = reinterpret_cast<CAssoc*>(rNextPosition);               \
        if (rNextPosition == BEFORE_START_POSITION)                                 \
        {                                                                           \
            pAssocRet = NULL;                                                       \
            for (UINT nBucket = 0; nBucket < m_nHashTableSize && pAssocRet == NULL; nBucket++) \
                pAssocRet = m_pHashTable[nBucket];                                  \
        }                                                                           \
        CAssoc* pAssocNext = pAssocRet->pNext;                                      \
        for (UINT nBucket = pAssocRet->nHashValue + 1; pAssocNext == NULL && nBucket < m_nHashTableSize; nBucket++) \
            pAssocNext = m_pHashTable[nBucket];                                     \
        rNextPosition = reinterpret_cast<POSITION>(pAssocNext);                     \
        rKey = pAssocRet->key;                                                      \
        rValue = pAssocRet->value;                                                  \
    }

// The count, then key and value of each pair, bucket by bucket.
#define COLL_IMPLEMENT_MAP_SERIALIZE(CLASS, KEY, VALUE)                             \
    void CLASS::Serialize(CArchive& ar)                                             \
    {                                                                               \
        CObject::Serialize(ar);                                                     \
        if (ar.IsStoring())                                                         \
        {                                                                           \
            ar.WriteCount(static_cast<DWORD>(m_nCount));                            \
            if (m_nCount == 0)                                                      \
                return;                                                             \
            for (UINT nHash = 0; nHash < m_nHashTableSize; nHash++)                 \
            {                                                                       \
                for (CAssoc* pAssoc = m_pHashTable[nHash]; pAssoc != NULL; pAssoc = pAssoc->pNext) \
                {                                                                   \
                    ar << pAssoc->key;                                              \
                    ar << pAssoc->value;                                            \
                }                                                                   \
            }                                                                       \
        }                                                                           \
        else                                                                        \
        {                                                                           \
            DWORD nNewCount = ar.ReadCount();                                       \
            while (nNewCount-- > 0)                                                 \
            {                                                                       \
                KEY newKey{};                                                       \
                VALUE newValue{};                                                   \
                ar >> newKey;                                                       \
                ar >> newValue;                                                     \
                SetAt(newKey, newValue);                                            \
            }                                                                       \
        }                                                                           \
    }

namespace {

// hash * 33 + char, chars taken as signed (the compiler's char). Maps store
// their pairs bucket by bucket, so this hash fixes the order of the pairs in
// archives: it must not change (afxtempl.h's HashKey is the same).
UINT HashString(LPCTSTR key)
{
    UINT nHash = 0;
    if (key != NULL)
    {
        while (*key != '\0')
            nHash = (nHash << 5) + nHash + static_cast<UINT>(static_cast<int>(static_cast<signed char>(*key++)));
    }
    return nHash;
}

}  // namespace

IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
COLL_IMPLEMENT_MAP(CMapStringToPtr, CString, LPCTSTR, void*, void*)
UINT CMapStringToPtr::HashKey(LPCTSTR key) const { return HashString(key); }

IMPLEMENT_SERIAL(CMapStringToString, CObject, 0)
COLL_IMPLEMENT_MAP(CMapStringToString, CString, LPCTSTR, CString, LPCTSTR)
COLL_IMPLEMENT_MAP_SERIALIZE(CMapStringToString, CString, CString)
UINT CMapStringToString::HashKey(LPCTSTR key) const { return HashString(key); }

IMPLEMENT_SERIAL(CMapStringToOb, CObject, 0)
COLL_IMPLEMENT_MAP(CMapStringToOb, CString, LPCTSTR, CObject*, CObject*)
COLL_IMPLEMENT_MAP_SERIALIZE(CMapStringToOb, CString, CObject*)
UINT CMapStringToOb::HashKey(LPCTSTR key) const { return HashString(key); }

// Pointers and words: the low bits are alike (alignment), so they are dropped.
IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
COLL_IMPLEMENT_MAP(CMapPtrToPtr, void*, void*, void*, void*)
UINT CMapPtrToPtr::HashKey(void* key) const { return static_cast<UINT>(reinterpret_cast<DWORD_PTR>(key) >> 4); }

IMPLEMENT_DYNAMIC(CMapWordToPtr, CObject)
COLL_IMPLEMENT_MAP(CMapWordToPtr, WORD, WORD, void*, void*)
UINT CMapWordToPtr::HashKey(WORD key) const { return static_cast<UINT>(key) >> 4; }

IMPLEMENT_SERIAL(CMapWordToOb, CObject, 0)
COLL_IMPLEMENT_MAP(CMapWordToOb, WORD, WORD, CObject*, CObject*)
COLL_IMPLEMENT_MAP_SERIALIZE(CMapWordToOb, WORD, CObject*)
UINT CMapWordToOb::HashKey(WORD key) const { return static_cast<UINT>(key) >> 4; }
