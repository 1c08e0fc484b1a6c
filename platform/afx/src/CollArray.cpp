// The arrays of pointers, objects, integers and strings: one body, stamped
// out for each element type by COLL_IMPLEMENT_ARRAY.
#include "afxcoll.h"

#include <new>
#include <type_traits>
#include <utility>

namespace {

// New elements are zero for the integer and pointer arrays, empty strings
// for CStringArray.
template<class TYPE>
void ConstructElems(TYPE* p, int nCount)
{
    for (; nCount > 0; --nCount, ++p)
        ::new (static_cast<void*>(p)) TYPE();
}

template<class TYPE>
void DestructElems(TYPE* p, int nCount)
{
    for (; nCount > 0; --nCount, ++p)
        p->~TYPE();
}

// Moves nCount elements between possibly overlapping ranges, leaving the
// source slots raw.
template<class TYPE>
void RelocateElems(TYPE* pDest, TYPE* pSrc, int nCount)
{
    if (nCount <= 0 || pDest == pSrc)
        return;
    if constexpr (std::is_trivially_copyable<TYPE>::value)
    {
        memmove(static_cast<void*>(pDest), static_cast<const void*>(pSrc), static_cast<size_t>(nCount) * sizeof(TYPE));
    }
    else if (pDest < pSrc)
    {
        for (int i = 0; i < nCount; ++i)
        {
            ::new (static_cast<void*>(pDest + i)) TYPE(std::move(pSrc[i]));
            pSrc[i].~TYPE();
        }
    }
    else
    {
        for (int i = nCount - 1; i >= 0; --i)
        {
            ::new (static_cast<void*>(pDest + i)) TYPE(std::move(pSrc[i]));
            pSrc[i].~TYPE();
        }
    }
}

template<class TYPE>
TYPE* AllocElems(int nCount)
{
    return reinterpret_cast<TYPE*>(new BYTE[static_cast<size_t>(nCount) * sizeof(TYPE)]);
}

template<class TYPE>
void FreeElems(TYPE* p)
{
    delete[] reinterpret_cast<BYTE*>(p);
}

}  // namespace

// The first allocation is exact (many arrays never grow again); after that
// the array grows by m_nGrowBy elements, or by an eighth of its size (at
// least 4) when m_nGrowBy is 0, so that appending stays cheap.
#define COLL_IMPLEMENT_ARRAY(CLASS, TYPE, ARG_TYPE, CONST_DATA)                     \
    CLASS::CLASS() : m_pData(NULL), m_nSize(0), m_nMaxSize(0), m_nGrowBy(0) {}      \
                                                                                    \
    CLASS::~CLASS()                                                                 \
    {                                                                               \
        DestructElems(m_pData, m_nSize);                                            \
        FreeElems(m_pData);                                                         \
    }                                                                               \
                                                                                    \
    int CLASS::GetSize() const { return m_nSize; }                                  \
    int CLASS::GetUpperBound() const { return m_nSize - 1; }                        \
                                                                                    \
    void CLASS::SetSize(int nNewSize, int nGrowBy)                                  \
    {                                                                               \
        ASSERT(nNewSize >= 0);                                                      \
        if (nNewSize < 0)                                                           \
            return;                                                                 \
        if (nGrowBy != -1)                                                          \
            m_nGrowBy = nGrowBy;                                                    \
        if (nNewSize == 0)                                                          \
        {                                                                           \
            DestructElems(m_pData, m_nSize);                                        \
            FreeElems(m_pData);                                                     \
            m_pData = NULL;                                                         \
            m_nSize = m_nMaxSize = 0;                                               \
        }                                                                           \
        else if (m_pData == NULL)                                                   \
        {                                                                           \
            m_pData = AllocElems<TYPE>(nNewSize);                                   \
            ConstructElems(m_pData, nNewSize);                                      \
            m_nSize = m_nMaxSize = nNewSize;                                        \
        }                                                                           \
        else if (nNewSize <= m_nMaxSize)                                            \
        {                                                                           \
            if (nNewSize > m_nSize)                                                 \
                ConstructElems(&m_pData[m_nSize], nNewSize - m_nSize);              \
            else                                                                    \
                DestructElems(&m_pData[nNewSize], m_nSize - nNewSize);              \
            m_nSize = nNewSize;                                                     \
        }                                                                           \
        else                                                                        \
        {                                                                           \
            int nGrow = m_nGrowBy;                                                  \
            if (nGrow <= 0)                                                         \
                nGrow = (m_nSize / 8 < 4) ? 4 : m_nSize / 8;                        \
            int nNewMax = (nNewSize < m_nMaxSize + nGrow) ? m_nMaxSize + nGrow : nNewSize; \
            TYPE* pNewData = AllocElems<TYPE>(nNewMax);                             \
            RelocateElems(pNewData, m_pData, m_nSize);                              \
            FreeElems(m_pData);                                                     \
            m_pData = pNewData;                                                     \
            ConstructElems(&m_pData[m_nSize], nNewSize - m_nSize);                  \
            m_nSize = nNewSize;                                                     \
            m_nMaxSize = nNewMax;                                                   \
        }                                                                           \
    }                                                                               \
                                                                                    \
    void CLASS::FreeExtra()                                                         \
    {                                                                               \
        if (m_nSize == m_nMaxSize)                                                  \
            return;                                                                 \
        TYPE* pNewData = (m_nSize > 0) ? AllocElems<TYPE>(m_nSize) : NULL;          \
        RelocateElems(pNewData, m_pData, m_nSize);                                  \
        FreeElems(m_pData);                                                         \
        m_pData = pNewData;                                                         \
        m_nMaxSize = m_nSize;                                                       \
    }                                                                               \
                                                                                    \
    void CLASS::RemoveAll() { SetSize(0); }                                         \
                                                                                    \
    TYPE CLASS::GetAt(int nIndex) const                                             \
    {                                                                               \
        ASSERT(nIndex >= 0 && nIndex < m_nSize);                                    \
        return m_pData[nIndex];                                                     \
    }                                                                               \
    void CLASS::SetAt(int nIndex, ARG_TYPE newElement)                              \
    {                                                                               \
        ASSERT(nIndex >= 0 && nIndex < m_nSize);                                    \
        m_pData[nIndex] = newElement;                                               \
    }                                                                               \
    TYPE& CLASS::ElementAt(int nIndex)                                              \
    {                                                                               \
        ASSERT(nIndex >= 0 && nIndex < m_nSize);                                    \
        return m_pData[nIndex];                                                     \
    }                                                                               \
    CONST_DATA CLASS::GetData() const { return (CONST_DATA)m_pData; }               \
    TYPE* CLASS::GetData() { return m_pData; }                                      \
    TYPE CLASS::operator[](int nIndex) const { return GetAt(nIndex); }              \
    TYPE& CLASS::operator[](int nIndex) { return ElementAt(nIndex); }               \
                                                                                    \
    void CLASS::SetAtGrow(int nIndex, ARG_TYPE newElement)                          \
    {                                                                               \
        ASSERT(nIndex >= 0);                                                        \
        if (nIndex < 0)                                                             \
            return;                                                                 \
        if (nIndex >= m_nSize)                                                      \
        {                                                                           \
            /* newElement may point into this array, whose buffer may move */      \
            TYPE temp(newElement);                                                  \
            SetSize(nIndex + 1);                                                    \
            m_pData[nIndex] = temp;                                                 \
        }                                                                           \
        else                                                                        \
        {                                                                           \
            m_pData[nIndex] = newElement;                                           \
        }                                                                           \
    }                                                                               \
                                                                                    \
    int CLASS::Add(ARG_TYPE newElement)                                             \
    {                                                                               \
        int nIndex = m_nSize;                                                       \
        SetAtGrow(nIndex, newElement);                                              \
        return nIndex;                                                              \
    }                                                                               \
                                                                                    \
    int CLASS::Append(const CLASS& src)                                             \
    {                                                                               \
        ASSERT(this != &src);                                                       \
        int nOldSize = m_nSize;                                                     \
        if (this == &src)                                                           \
            return nOldSize;                                                        \
        SetSize(m_nSize + src.m_nSize);                                             \
        for (int i = 0; i < src.m_nSize; i++)                                       \
            m_pData[nOldSize + i] = src.m_pData[i];                                 \
        return nOldSize;                                                            \
    }                                                                               \
                                                                                    \
    void CLASS::Copy(const CLASS& src)                                              \
    {                                                                               \
        if (this == &src)                                                           \
            return;                                                                 \
        SetSize(src.m_nSize);                                                       \
        for (int i = 0; i < src.m_nSize; i++)                                       \
            m_pData[i] = src.m_pData[i];                                            \
    }                                                                               \
                                                                                    \
    /* Past the end, the array grows to hold the new elements. */                  \
    void CLASS::InsertAt(int nIndex, ARG_TYPE newElement, int nCount)               \
    {                                                                               \
        ASSERT(nIndex >= 0 && nCount > 0);                                          \
        if (nIndex < 0 || nCount <= 0)                                              \
            return;                                                                 \
        TYPE temp(newElement);                                                      \
        if (nIndex >= m_nSize)                                                      \
        {                                                                           \
            SetSize(nIndex + nCount);                                               \
        }                                                                           \
        else                                                                        \
        {                                                                           \
            int nOldSize = m_nSize;                                                 \
            SetSize(m_nSize + nCount);                                              \
            DestructElems(&m_pData[nOldSize], nCount);                              \
            RelocateElems(&m_pData[nIndex + nCount], &m_pData[nIndex], nOldSize - nIndex); \
            ConstructElems(&m_pData[nIndex], nCount);                               \
        }                                                                           \
        while (nCount-- > 0)                                                        \
            m_pData[nIndex++] = temp;                                               \
    }                                                                               \
                                                                                    \
    void CLASS::RemoveAt(int nIndex, int nCount)                                    \
    {                                                                               \
        ASSERT(nIndex >= 0 && nCount >= 0 && nIndex + nCount <= m_nSize);           \
        if (nIndex < 0 || nCount <= 0 || nIndex >= m_nSize)                         \
            return;                                                                 \
        if (nCount > m_nSize - nIndex)                                              \
            nCount = m_nSize - nIndex;                                              \
        DestructElems(&m_pData[nIndex], nCount);                                    \
        RelocateElems(&m_pData[nIndex], &m_pData[nIndex + nCount], m_nSize - (nIndex + nCount)); \
        m_nSize -= nCount;                                                          \
    }                                                                               \
                                                                                    \
    void CLASS::InsertAt(int nStartIndex, CLASS* pNewArray)                         \
    {                                                                               \
        ASSERT(pNewArray != NULL && nStartIndex >= 0);                              \
        if (pNewArray == NULL || pNewArray->m_nSize <= 0)                           \
            return;                                                                 \
        int nCount = pNewArray->m_nSize;                                            \
        InsertAt(nStartIndex, pNewArray->m_pData[0], nCount);                       \
        for (int i = 0; i < nCount; i++)                                            \
        {                                                                           \
            /* inserting an array into itself: its tail has moved up */             \
            int nSource = (pNewArray == this && i >= nStartIndex) ? i + nCount : i; \
            m_pData[nStartIndex + i] = pNewArray->m_pData[nSource];                 \
        }                                                                           \
    }

// Objects and strings: the count, then each element through the archive.
#define COLL_IMPLEMENT_ARRAY_SERIALIZE_EACH(CLASS)                                  \
    void CLASS::Serialize(CArchive& ar)                                             \
    {                                                                               \
        CObject::Serialize(ar);                                                     \
        if (ar.IsStoring())                                                         \
        {                                                                           \
            ar.WriteCount(static_cast<DWORD>(m_nSize));                             \
            for (int i = 0; i < m_nSize; i++)                                       \
                ar << m_pData[i];                                                   \
        }                                                                           \
        else                                                                        \
        {                                                                           \
            SetSize(static_cast<int>(ar.ReadCount()));                              \
            for (int i = 0; i < m_nSize; i++)                                       \
                ar >> m_pData[i];                                                   \
        }                                                                           \
    }

// Integers: the count, then the elements as raw little-endian bytes.
#define COLL_IMPLEMENT_ARRAY_SERIALIZE_RAW(CLASS, TYPE)                             \
    void CLASS::Serialize(CArchive& ar)                                             \
    {                                                                               \
        CObject::Serialize(ar);                                                     \
        if (ar.IsStoring())                                                         \
        {                                                                           \
            ar.WriteCount(static_cast<DWORD>(m_nSize));                             \
            if (m_nSize > 0)                                                        \
                ar.Write(m_pData, static_cast<UINT>(m_nSize * sizeof(TYPE)));       \
        }                                                                           \
        else                                                                        \
        {                                                                           \
            SetSize(static_cast<int>(ar.ReadCount()));                              \
            if (m_nSize > 0)                                                        \
                ar.Read(m_pData, static_cast<UINT>(m_nSize * sizeof(TYPE)));        \
        }                                                                           \
    }

IMPLEMENT_SERIAL(CObArray, CObject, 0)
COLL_IMPLEMENT_ARRAY(CObArray, CObject*, CObject*, const CObject**)
COLL_IMPLEMENT_ARRAY_SERIALIZE_EACH(CObArray)

IMPLEMENT_DYNAMIC(CPtrArray, CObject)
COLL_IMPLEMENT_ARRAY(CPtrArray, void*, void*, const void**)

IMPLEMENT_SERIAL(CDWordArray, CObject, 0)
COLL_IMPLEMENT_ARRAY(CDWordArray, DWORD, DWORD, const DWORD*)
COLL_IMPLEMENT_ARRAY_SERIALIZE_RAW(CDWordArray, DWORD)

IMPLEMENT_SERIAL(CWordArray, CObject, 0)
COLL_IMPLEMENT_ARRAY(CWordArray, WORD, WORD, const WORD*)
COLL_IMPLEMENT_ARRAY_SERIALIZE_RAW(CWordArray, WORD)

IMPLEMENT_SERIAL(CByteArray, CObject, 0)
COLL_IMPLEMENT_ARRAY(CByteArray, BYTE, BYTE, const BYTE*)
COLL_IMPLEMENT_ARRAY_SERIALIZE_RAW(CByteArray, BYTE)

IMPLEMENT_DYNAMIC(CUIntArray, CObject)
COLL_IMPLEMENT_ARRAY(CUIntArray, UINT, UINT, const UINT*)

IMPLEMENT_SERIAL(CStringArray, CObject, 0)
COLL_IMPLEMENT_ARRAY(CStringArray, CString, LPCTSTR, const CString*)
COLL_IMPLEMENT_ARRAY_SERIALIZE_EACH(CStringArray)
