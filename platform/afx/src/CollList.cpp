// CObList, CPtrList and CStringList: one body, stamped out for each element
// type by COLL_IMPLEMENT_LIST.
#include "afxcoll.h"

#include <new>

namespace {

template<class TYPE>
void ConstructNodeData(TYPE* p)
{
    ::new (static_cast<void*>(p)) TYPE();
}

template<class TYPE>
void DestructNodeData(TYPE* p)
{
    p->~TYPE();
}

}  // namespace

// Nodes come from blocks of m_nBlockSize; a freed node goes onto the free
// list, and the blocks are released when the list becomes empty. GetNext and
// GetPrev move the position before returning the element, so the element at
// a saved position can be removed while walking.
#define COLL_IMPLEMENT_LIST(CLASS, TYPE, ARG_TYPE)                                  \
    CLASS::CLASS(int nBlockSize)                                                    \
        : m_pNodeHead(NULL), m_pNodeTail(NULL), m_nCount(0), m_pNodeFree(NULL),     \
          m_pBlocks(NULL), m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10)           \
    {                                                                               \
    }                                                                               \
                                                                                    \
    CLASS::~CLASS() { RemoveAll(); }                                                \
                                                                                    \
    int CLASS::GetCount() const { return m_nCount; }                                \
    BOOL CLASS::IsEmpty() const { return m_nCount == 0; }                           \
                                                                                    \
    TYPE& CLASS::GetHead() { ASSERT(m_pNodeHead != NULL); return m_pNodeHead->data; } \
    TYPE CLASS::GetHead() const { ASSERT(m_pNodeHead != NULL); return m_pNodeHead->data; } \
    TYPE& CLASS::GetTail() { ASSERT(m_pNodeTail != NULL); return m_pNodeTail->data; } \
    TYPE CLASS::GetTail() const { ASSERT(m_pNodeTail != NULL); return m_pNodeTail->data; } \
                                                                                    \
    POSITION CLASS::GetHeadPosition() const { return reinterpret_cast<POSITION>(m_pNodeHead); } \
    POSITION CLASS::GetTailPosition() const { return reinterpret_cast<POSITION>(m_pNodeTail); } \
                                                                                    \
    TYPE& CLASS::GetNext(POSITION& rPosition)                                       \
    {                                                                               \
        CNode* pNode = reinterpret_cast<CNode*>(rPosition);                         \
        rPosition = reinterpret_cast<POSITION>(pNode->pNext);                       \
        return pNode->data;                                                         \
    }                                                                               \
    TYPE CLASS::GetNext(POSITION& rPosition) const                                  \
    {                                                                               \
        CNode* pNode = reinterpret_cast<CNode*>(rPosition);                         \
        rPosition = reinterpret_cast<POSITION>(pNode->pNext);                       \
        return pNode->data;                                                         \
    }                                                                               \
    TYPE& CLASS::GetPrev(POSITION& rPosition)                                       \
    {                                                                               \
        CNode* pNode = reinterpret_cast<CNode*>(rPosition);                         \
        rPosition = reinterpret_cast<POSITION>(pNode->pPrev);                       \
        return pNode->data;                                                         \
    }                                                                               \
    TYPE CLASS::GetPrev(POSITION& rPosition) const                                  \
    {                                                                               \
        CNode* pNode = reinterpret_cast<CNode*>(rPosition);                         \
        rPosition = reinterpret_cast<POSITION>(pNode->pPrev);                       \
        return pNode->data;                                                         \
    }                                                                               \
                                                                                    \
    TYPE& CLASS::GetAt(POSITION position) { return reinterpret_cast<CNode*>(position)->data; } \
    TYPE CLASS::GetAt(POSITION position) const { return reinterpret_cast<CNode*>(position)->data; } \
    void CLASS::SetAt(POSITION pos, ARG_TYPE newElement) { reinterpret_cast<CNode*>(pos)->data = newElement; } \
                                                                                    \
    CLASS::CNode* CLASS::NewNode(CNode* pPrev, CNode* pNext)                        \
    {                                                                               \
        if (m_pNodeFree == NULL)                                                    \
        {                                                                           \
            CPlex* pNewBlock = CPlex::Create(m_pBlocks, static_cast<UINT_PTR>(m_nBlockSize), sizeof(CNode)); \
            CNode* pNode = static_cast<CNode*>(pNewBlock->data()) + (m_nBlockSize - 1); \
            for (int i = m_nBlockSize - 1; i >= 0; i--, pNode--)                    \
            {                                                                       \
                pNode->pNext = m_pNodeFree;                                         \
                m_pNodeFree = pNode;                                                \
            }                                                                       \
        }                                                                           \
        CNode* pNode = m_pNodeFree;                                                 \
        m_pNodeFree = m_pNodeFree->pNext;                                           \
        pNode->pPrev = pPrev;                                                       \
        pNode->pNext = pNext;                                                       \
        m_nCount++;                                                                 \
        ConstructNodeData(&pNode->data);                                            \
        return pNode;                                                               \
    }                                                                               \
                                                                                    \
    void CLASS::FreeNode(CNode* pNode)                                              \
    {                                                                               \
        DestructNodeData(&pNode->data);                                             \
        pNode->pNext = m_pNodeFree;                                                 \
        m_pNodeFree = pNode;                                                        \
        m_nCount--;                                                                 \
        if (m_nCount == 0)                                                          \
            RemoveAll();                                                            \
    }                                                                               \
                                                                                    \
    void CLASS::RemoveAll()                                                         \
    {                                                                               \
        for (CNode* pNode = m_pNodeHead; pNode != NULL; pNode = pNode->pNext)       \
            DestructNodeData(&pNode->data);                                         \
        m_nCount = 0;                                                               \
        m_pNodeHead = m_pNodeTail = m_pNodeFree = NULL;                             \
        if (m_pBlocks != NULL)                                                      \
            m_pBlocks->FreeDataChain();                                             \
        m_pBlocks = NULL;                                                           \
    }                                                                               \
                                                                                    \
    POSITION CLASS::AddHead(ARG_TYPE newElement)                                    \
    {                                                                               \
        CNode* pNewNode = NewNode(NULL, m_pNodeHead);                               \
        pNewNode->data = newElement;                                                \
        if (m_pNodeHead != NULL)                                                    \
            m_pNodeHead->pPrev = pNewNode;                                          \
        else                                                                        \
            m_pNodeTail = pNewNode;                                                 \
        m_pNodeHead = pNewNode;                                                     \
        return reinterpret_cast<POSITION>(pNewNode);                                \
    }                                                                               \
                                                                                    \
    POSITION CLASS::AddTail(ARG_TYPE newElement)                                    \
    {                                                                               \
        CNode* pNewNode = NewNode(m_pNodeTail, NULL);                               \
        pNewNode->data = newElement;                                                \
        if (m_pNodeTail != NULL)                                                    \
            m_pNodeTail->pNext = pNewNode;                                          \
        else                                                                        \
            m_pNodeHead = pNewNode;                                                 \
        m_pNodeTail = pNewNode;                                                     \
        return reinterpret_cast<POSITION>(pNewNode);                                \
    }                                                                               \
                                                                                    \
    /* The count is taken first, so that a list can be added to itself. */         \
    void CLASS::AddHead(CLASS* pNewList)                                            \
    {                                                                               \
        ASSERT(pNewList != NULL);                                                   \
        if (pNewList == NULL)                                                       \
            return;                                                                 \
        int nCount = pNewList->m_nCount;                                            \
        CNode* pNode = pNewList->m_pNodeTail;                                       \
        for (; nCount > 0; nCount--, pNode = pNode->pPrev)                          \
            AddHead(pNode->data);                                                   \
    }                                                                               \
                                                                                    \
    void CLASS::AddTail(CLASS* pNewList)                                            \
    {                                                                               \
        ASSERT(pNewList != NULL);                                                   \
        if (pNewList == NULL)                                                       \
            return;                                                                 \
        int nCount = pNewList->m_nCount;                                            \
        CNode* pNode = pNewList->m_pNodeHead;                                       \
        for (; nCount > 0; nCount--, pNode = pNode->pNext)                          \
            AddTail(pNode->data);                                                   \
    }                                                                               \
                                                                                    \
    TYPE CLASS::RemoveHead()                                                        \
    {                                                                               \
        ASSERT(m_pNodeHead != NULL);                                                \
        CNode* pOldNode = m_pNodeHead;                                              \
        TYPE returnValue = pOldNode->data;                                          \
        m_pNodeHead = pOldNode->pNext;                                              \
        if (m_pNodeHead != NULL)                                                    \
            m_pNodeHead->pPrev = NULL;                                              \
        else                                                                        \
            m_pNodeTail = NULL;                                                     \
        FreeNode(pOldNode);                                                         \
        return returnValue;                                                         \
    }                                                                               \
                                                                                    \
    TYPE CLASS::RemoveTail()                                                        \
    {                                                                               \
        ASSERT(m_pNodeTail != NULL);                                                \
        CNode* pOldNode = m_pNodeTail;                                              \
        TYPE returnValue = pOldNode->data;                                          \
        m_pNodeTail = pOldNode->pPrev;                                              \
        if (m_pNodeTail != NULL)                                                    \
            m_pNodeTail->pNext = NULL;                                              \
        else                                                                        \
            m_pNodeHead = NULL;                                                     \
        FreeNode(pOldNode);                                                         \
        return returnValue;                                                         \
    }                                                                               \
                                                                                    \
    POSITION CLASS::InsertBefore(POSITION position, ARG_TYPE newElement)            \
    {                                                                               \
        if (position == NULL)                                                       \
            return AddHead(newElement);                                             \
        CNode* pOldNode = reinterpret_cast<CNode*>(position);                       \
        CNode* pNewNode = NewNode(pOldNode->pPrev, pOldNode);                       \
        pNewNode->data = newElement;                                                \
        if (pOldNode->pPrev != NULL)                                                \
            pOldNode->pPrev->pNext = pNewNode;                                      \
        else                                                                        \
            m_pNodeHead = pNewNode;                                                 \
        pOldNode->pPrev = pNewNode;                                                 \
        return reinterpret_cast<POSITION>(pNewNode);                                \
    }                                                                               \
                                                                                    \
    POSITION CLASS::InsertAfter(POSITION position, ARG_TYPE newElement)             \
    {                                                                               \
        if (position == NULL)                                                       \
            return AddTail(newElement);                                             \
        CNode* pOldNode = reinterpret_cast<CNode*>(position);                       \
        CNode* pNewNode = NewNode(pOldNode, pOldNode->pNext);                       \
        pNewNode->data = newElement;                                                \
        if (pOldNode->pNext != NULL)                                                \
            pOldNode->pNext->pPrev = pNewNode;                                      \
        else                                                                        \
            m_pNodeTail = pNewNode;                                                 \
        pOldNode->pNext = pNewNode;                                                 \
        return reinterpret_cast<POSITION>(pNewNode);                                \
    }                                                                               \
                                                                                    \
    void CLASS::RemoveAt(POSITION position)                                         \
    {                                                                               \
        CNode* pOldNode = reinterpret_cast<CNode*>(position);                       \
        ASSERT(pOldNode != NULL);                                                   \
        if (pOldNode == m_pNodeHead)                                                \
            m_pNodeHead = pOldNode->pNext;                                          \
        else                                                                        \
            pOldNode->pPrev->pNext = pOldNode->pNext;                               \
        if (pOldNode == m_pNodeTail)                                                \
            m_pNodeTail = pOldNode->pPrev;                                          \
        else                                                                        \
            pOldNode->pNext->pPrev = pOldNode->pPrev;                               \
        FreeNode(pOldNode);                                                         \
    }                                                                               \
                                                                                    \
    POSITION CLASS::Find(ARG_TYPE searchValue, POSITION startAfter) const           \
    {                                                                               \
        CNode* pNode = reinterpret_cast<CNode*>(startAfter);                        \
        pNode = (pNode == NULL) ? m_pNodeHead : pNode->pNext;                       \
        for (; pNode != NULL; pNode = pNode->pNext)                                 \
        {                                                                           \
            if (pNode->data == searchValue)                                         \
                return reinterpret_cast<POSITION>(pNode);                           \
        }                                                                           \
        return NULL;                                                                \
    }                                                                               \
                                                                                    \
    POSITION CLASS::FindIndex(int nIndex) const                                     \
    {                                                                               \
        if (nIndex < 0 || nIndex >= m_nCount)                                       \
            return NULL;                                                            \
        CNode* pNode = m_pNodeHead;                                                 \
        while (nIndex-- > 0)                                                        \
            pNode = pNode->pNext;                                                   \
        return reinterpret_cast<POSITION>(pNode);                                   \
    }

// Storing writes the count, then each element; loading appends what it reads.
#define COLL_IMPLEMENT_LIST_SERIALIZE(CLASS, TYPE)                                  \
    void CLASS::Serialize(CArchive& ar)                                             \
    {                                                                               \
        CObject::Serialize(ar);                                                     \
        if (ar.IsStoring())                                                         \
        {                                                                           \
            ar.WriteCount(static_cast<DWORD>(m_nCount));                            \
            for (CNode* pNode = m_pNodeHead; pNode != NULL; pNode = pNode->pNext)   \
                ar << pNode->data;                                                  \
        }                                                                           \
        else                                                                        \
        {                                                                           \
            DWORD nNewCount = ar.ReadCount();                                       \
            while (nNewCount-- > 0)                                                 \
            {                                                                       \
                TYPE newData{};                                                    \
                ar >> newData;                                                      \
                AddTail(newData);                                                   \
            }                                                                       \
        }                                                                           \
    }

IMPLEMENT_SERIAL(CObList, CObject, 0)
COLL_IMPLEMENT_LIST(CObList, CObject*, CObject*)
COLL_IMPLEMENT_LIST_SERIALIZE(CObList, CObject*)

IMPLEMENT_DYNAMIC(CPtrList, CObject)
COLL_IMPLEMENT_LIST(CPtrList, void*, void*)

IMPLEMENT_SERIAL(CStringList, CObject, 0)
COLL_IMPLEMENT_LIST(CStringList, CString, LPCTSTR)
COLL_IMPLEMENT_LIST_SERIALIZE(CStringList, CString)
