// Collections of pointers, objects, strings and integers: doubly linked
// lists walked by POSITION, growable arrays and hash maps. Each is a CObject
// with its own run-time class; those of objects, strings and integers are
// serializable.
#pragma once

#include "afx.h"

// Elements of lists and maps are carved from blocks chained here, so that a
// collection frees all its memory at once and reuses freed nodes without
// going back to the heap for each element.
struct alignas(16) CPlex
{
    CPlex* pNext;

    void* data() { return this + 1; }

    // Allocates a block of nMax elements of cbElement bytes and puts it at
    // the front of the chain.
    static CPlex* PASCAL Create(CPlex*& pHead, UINT_PTR nMax, UINT_PTR cbElement)
    {
        CPlex* p = reinterpret_cast<CPlex*>(new BYTE[sizeof(CPlex) + nMax * cbElement]);
        p->pNext = pHead;
        pHead = p;
        return p;
    }

    // Frees this block and every block after it.
    void FreeDataChain()
    {
        CPlex* p = this;
        while (p != NULL)
        {
            CPlex* pNextBlock = p->pNext;
            delete[] reinterpret_cast<BYTE*>(p);
            p = pNextBlock;
        }
    }
};

/////////////////////////////////////////////////////////////////////////////
// Lists

class AFX_API CObList : public CObject
{
    DECLARE_SERIAL(CObList)

protected:
    struct CNode
    {
        CNode* pNext;
        CNode* pPrev;
        CObject* data;
    };

public:
    CObList(int nBlockSize = 10);
    virtual ~CObList();

    int GetCount() const;
    BOOL IsEmpty() const;

    CObject*& GetHead();
    CObject* GetHead() const;
    CObject*& GetTail();
    CObject* GetTail() const;

    CObject* RemoveHead();
    CObject* RemoveTail();

    POSITION AddHead(CObject* newElement);
    POSITION AddTail(CObject* newElement);
    void AddHead(CObList* pNewList);
    void AddTail(CObList* pNewList);
    void RemoveAll();

    POSITION GetHeadPosition() const;
    POSITION GetTailPosition() const;
    CObject*& GetNext(POSITION& rPosition);
    CObject* GetNext(POSITION& rPosition) const;
    CObject*& GetPrev(POSITION& rPosition);
    CObject* GetPrev(POSITION& rPosition) const;

    CObject*& GetAt(POSITION position);
    CObject* GetAt(POSITION position) const;
    void SetAt(POSITION pos, CObject* newElement);
    void RemoveAt(POSITION position);

    POSITION InsertBefore(POSITION position, CObject* newElement);
    POSITION InsertAfter(POSITION position, CObject* newElement);

    POSITION Find(CObject* searchValue, POSITION startAfter = NULL) const;
    POSITION FindIndex(int nIndex) const;

    virtual void Serialize(CArchive& ar);

protected:
    CNode* m_pNodeHead;
    CNode* m_pNodeTail;
    int m_nCount;
    CNode* m_pNodeFree;
    CPlex* m_pBlocks;
    int m_nBlockSize;

    CNode* NewNode(CNode* pPrev, CNode* pNext);
    void FreeNode(CNode* pNode);
};

class AFX_API CPtrList : public CObject
{
    DECLARE_DYNAMIC(CPtrList)

protected:
    struct CNode
    {
        CNode* pNext;
        CNode* pPrev;
        void* data;
    };

public:
    CPtrList(int nBlockSize = 10);
    virtual ~CPtrList();

    int GetCount() const;
    BOOL IsEmpty() const;

    void*& GetHead();
    void* GetHead() const;
    void*& GetTail();
    void* GetTail() const;

    void* RemoveHead();
    void* RemoveTail();

    POSITION AddHead(void* newElement);
    POSITION AddTail(void* newElement);
    void AddHead(CPtrList* pNewList);
    void AddTail(CPtrList* pNewList);
    void RemoveAll();

    POSITION GetHeadPosition() const;
    POSITION GetTailPosition() const;
    void*& GetNext(POSITION& rPosition);
    void* GetNext(POSITION& rPosition) const;
    void*& GetPrev(POSITION& rPosition);
    void* GetPrev(POSITION& rPosition) const;

    void*& GetAt(POSITION position);
    void* GetAt(POSITION position) const;
    void SetAt(POSITION pos, void* newElement);
    void RemoveAt(POSITION position);

    POSITION InsertBefore(POSITION position, void* newElement);
    POSITION InsertAfter(POSITION position, void* newElement);

    POSITION Find(void* searchValue, POSITION startAfter = NULL) const;
    POSITION FindIndex(int nIndex) const;

protected:
    CNode* m_pNodeHead;
    CNode* m_pNodeTail;
    int m_nCount;
    CNode* m_pNodeFree;
    CPlex* m_pBlocks;
    int m_nBlockSize;

    CNode* NewNode(CNode* pPrev, CNode* pNext);
    void FreeNode(CNode* pNode);
};

class AFX_API CStringList : public CObject
{
    DECLARE_SERIAL(CStringList)

protected:
    struct CNode
    {
        CNode* pNext;
        CNode* pPrev;
        CString data;
    };

public:
    CStringList(int nBlockSize = 10);
    virtual ~CStringList();

    int GetCount() const;
    BOOL IsEmpty() const;

    CString& GetHead();
    CString GetHead() const;
    CString& GetTail();
    CString GetTail() const;

    CString RemoveHead();
    CString RemoveTail();

    POSITION AddHead(LPCTSTR newElement);
    POSITION AddTail(LPCTSTR newElement);
    void AddHead(CStringList* pNewList);
    void AddTail(CStringList* pNewList);
    void RemoveAll();

    POSITION GetHeadPosition() const;
    POSITION GetTailPosition() const;
    CString& GetNext(POSITION& rPosition);
    CString GetNext(POSITION& rPosition) const;
    CString& GetPrev(POSITION& rPosition);
    CString GetPrev(POSITION& rPosition) const;

    CString& GetAt(POSITION position);
    CString GetAt(POSITION position) const;
    void SetAt(POSITION pos, LPCTSTR newElement);
    void RemoveAt(POSITION position);

    POSITION InsertBefore(POSITION position, LPCTSTR newElement);
    POSITION InsertAfter(POSITION position, LPCTSTR newElement);

    POSITION Find(LPCTSTR searchValue, POSITION startAfter = NULL) const;
    POSITION FindIndex(int nIndex) const;

    virtual void Serialize(CArchive& ar);

protected:
    CNode* m_pNodeHead;
    CNode* m_pNodeTail;
    int m_nCount;
    CNode* m_pNodeFree;
    CPlex* m_pBlocks;
    int m_nBlockSize;

    CNode* NewNode(CNode* pPrev, CNode* pNext);
    void FreeNode(CNode* pNode);
};

/////////////////////////////////////////////////////////////////////////////
// Arrays
//
// SetSize(n, nGrowBy): nGrowBy is how many elements to add to the allocation
// when the array outgrows it; -1 keeps the current setting, 0 (the default)
// grows by an eighth of the size (at least 4), so that appending is cheap.

class AFX_API CObArray : public CObject
{
    DECLARE_SERIAL(CObArray)

public:
    CObArray();
    virtual ~CObArray();

    int GetSize() const;
    int GetUpperBound() const;
    void SetSize(int nNewSize, int nGrowBy = -1);
    void FreeExtra();
    void RemoveAll();

    CObject* GetAt(int nIndex) const;
    void SetAt(int nIndex, CObject* newElement);
    CObject*& ElementAt(int nIndex);
    const CObject** GetData() const;
    CObject** GetData();

    void SetAtGrow(int nIndex, CObject* newElement);
    int Add(CObject* newElement);
    int Append(const CObArray& src);
    void Copy(const CObArray& src);

    CObject* operator[](int nIndex) const;
    CObject*& operator[](int nIndex);

    void InsertAt(int nIndex, CObject* newElement, int nCount = 1);
    void RemoveAt(int nIndex, int nCount = 1);
    void InsertAt(int nStartIndex, CObArray* pNewArray);

    virtual void Serialize(CArchive& ar);

protected:
    CObject** m_pData;
    int m_nSize;
    int m_nMaxSize;
    int m_nGrowBy;
};

class AFX_API CPtrArray : public CObject
{
    DECLARE_DYNAMIC(CPtrArray)

public:
    CPtrArray();
    virtual ~CPtrArray();

    int GetSize() const;
    int GetUpperBound() const;
    void SetSize(int nNewSize, int nGrowBy = -1);
    void FreeExtra();
    void RemoveAll();

    void* GetAt(int nIndex) const;
    void SetAt(int nIndex, void* newElement);
    void*& ElementAt(int nIndex);
    const void** GetData() const;
    void** GetData();

    void SetAtGrow(int nIndex, void* newElement);
    int Add(void* newElement);
    int Append(const CPtrArray& src);
    void Copy(const CPtrArray& src);

    void* operator[](int nIndex) const;
    void*& operator[](int nIndex);

    void InsertAt(int nIndex, void* newElement, int nCount = 1);
    void RemoveAt(int nIndex, int nCount = 1);
    void InsertAt(int nStartIndex, CPtrArray* pNewArray);

protected:
    void** m_pData;
    int m_nSize;
    int m_nMaxSize;
    int m_nGrowBy;
};

class AFX_API CDWordArray : public CObject
{
    DECLARE_SERIAL(CDWordArray)

public:
    CDWordArray();
    virtual ~CDWordArray();

    int GetSize() const;
    int GetUpperBound() const;
    void SetSize(int nNewSize, int nGrowBy = -1);
    void FreeExtra();
    void RemoveAll();

    DWORD GetAt(int nIndex) const;
    void SetAt(int nIndex, DWORD newElement);
    DWORD& ElementAt(int nIndex);
    const DWORD* GetData() const;
    DWORD* GetData();

    void SetAtGrow(int nIndex, DWORD newElement);
    int Add(DWORD newElement);
    int Append(const CDWordArray& src);
    void Copy(const CDWordArray& src);

    DWORD operator[](int nIndex) const;
    DWORD& operator[](int nIndex);

    void InsertAt(int nIndex, DWORD newElement, int nCount = 1);
    void RemoveAt(int nIndex, int nCount = 1);
    void InsertAt(int nStartIndex, CDWordArray* pNewArray);

    virtual void Serialize(CArchive& ar);

protected:
    DWORD* m_pData;
    int m_nSize;
    int m_nMaxSize;
    int m_nGrowBy;
};

class AFX_API CWordArray : public CObject
{
    DECLARE_SERIAL(CWordArray)

public:
    CWordArray();
    virtual ~CWordArray();

    int GetSize() const;
    int GetUpperBound() const;
    void SetSize(int nNewSize, int nGrowBy = -1);
    void FreeExtra();
    void RemoveAll();

    WORD GetAt(int nIndex) const;
    void SetAt(int nIndex, WORD newElement);
    WORD& ElementAt(int nIndex);
    const WORD* GetData() const;
    WORD* GetData();

    void SetAtGrow(int nIndex, WORD newElement);
    int Add(WORD newElement);
    int Append(const CWordArray& src);
    void Copy(const CWordArray& src);

    WORD operator[](int nIndex) const;
    WORD& operator[](int nIndex);

    void InsertAt(int nIndex, WORD newElement, int nCount = 1);
    void RemoveAt(int nIndex, int nCount = 1);
    void InsertAt(int nStartIndex, CWordArray* pNewArray);

    virtual void Serialize(CArchive& ar);

protected:
    WORD* m_pData;
    int m_nSize;
    int m_nMaxSize;
    int m_nGrowBy;
};

class AFX_API CByteArray : public CObject
{
    DECLARE_SERIAL(CByteArray)

public:
    CByteArray();
    virtual ~CByteArray();

    int GetSize() const;
    int GetUpperBound() const;
    void SetSize(int nNewSize, int nGrowBy = -1);
    void FreeExtra();
    void RemoveAll();

    BYTE GetAt(int nIndex) const;
    void SetAt(int nIndex, BYTE newElement);
    BYTE& ElementAt(int nIndex);
    const BYTE* GetData() const;
    BYTE* GetData();

    void SetAtGrow(int nIndex, BYTE newElement);
    int Add(BYTE newElement);
    int Append(const CByteArray& src);
    void Copy(const CByteArray& src);

    BYTE operator[](int nIndex) const;
    BYTE& operator[](int nIndex);

    void InsertAt(int nIndex, BYTE newElement, int nCount = 1);
    void RemoveAt(int nIndex, int nCount = 1);
    void InsertAt(int nStartIndex, CByteArray* pNewArray);

    virtual void Serialize(CArchive& ar);

protected:
    BYTE* m_pData;
    int m_nSize;
    int m_nMaxSize;
    int m_nGrowBy;
};

// Not serializable: UINT has no fixed size across the platforms.
class AFX_API CUIntArray : public CObject
{
    DECLARE_DYNAMIC(CUIntArray)

public:
    CUIntArray();
    virtual ~CUIntArray();

    int GetSize() const;
    int GetUpperBound() const;
    void SetSize(int nNewSize, int nGrowBy = -1);
    void FreeExtra();
    void RemoveAll();

    UINT GetAt(int nIndex) const;
    void SetAt(int nIndex, UINT newElement);
    UINT& ElementAt(int nIndex);
    const UINT* GetData() const;
    UINT* GetData();

    void SetAtGrow(int nIndex, UINT newElement);
    int Add(UINT newElement);
    int Append(const CUIntArray& src);
    void Copy(const CUIntArray& src);

    UINT operator[](int nIndex) const;
    UINT& operator[](int nIndex);

    void InsertAt(int nIndex, UINT newElement, int nCount = 1);
    void RemoveAt(int nIndex, int nCount = 1);
    void InsertAt(int nStartIndex, CUIntArray* pNewArray);

protected:
    UINT* m_pData;
    int m_nSize;
    int m_nMaxSize;
    int m_nGrowBy;
};

class AFX_API CStringArray : public CObject
{
    DECLARE_SERIAL(CStringArray)

public:
    CStringArray();
    virtual ~CStringArray();

    int GetSize() const;
    int GetUpperBound() const;
    void SetSize(int nNewSize, int nGrowBy = -1);
    void FreeExtra();
    void RemoveAll();

    CString GetAt(int nIndex) const;
    void SetAt(int nIndex, LPCTSTR newElement);
    CString& ElementAt(int nIndex);
    const CString* GetData() const;
    CString* GetData();

    void SetAtGrow(int nIndex, LPCTSTR newElement);
    int Add(LPCTSTR newElement);
    int Append(const CStringArray& src);
    void Copy(const CStringArray& src);

    CString operator[](int nIndex) const;
    CString& operator[](int nIndex);

    void InsertAt(int nIndex, LPCTSTR newElement, int nCount = 1);
    void RemoveAt(int nIndex, int nCount = 1);
    void InsertAt(int nStartIndex, CStringArray* pNewArray);

    virtual void Serialize(CArchive& ar);

protected:
    CString* m_pData;
    int m_nSize;
    int m_nMaxSize;
    int m_nGrowBy;
};

/////////////////////////////////////////////////////////////////////////////
// Maps
//
// Keys are hashed into a table of GetHashTableSize() buckets (17 unless
// InitHashTable says otherwise; a prime about 20% above the expected count
// is best). GetStartPosition and GetNextAssoc visit every pair once, in no
// particular order; removing the pair just returned does not disturb the walk.

class AFX_API CMapStringToPtr : public CObject
{
    DECLARE_DYNAMIC(CMapStringToPtr)

protected:
    struct CAssoc
    {
        CAssoc* pNext;
        UINT nHashValue;
        CString key;
        void* value;
    };

public:
    CMapStringToPtr(int nBlockSize = 10);
    virtual ~CMapStringToPtr();

    int GetCount() const;
    BOOL IsEmpty() const;

    BOOL Lookup(LPCTSTR key, void*& rValue) const;
    void*& operator[](LPCTSTR key);
    void SetAt(LPCTSTR key, void* newValue);
    BOOL RemoveKey(LPCTSTR key);
    void RemoveAll();

    POSITION GetStartPosition() const;
    void GetNextAssoc(POSITION& rNextPosition, CString& rKey, void*& rValue) const;

    UINT GetHashTableSize() const;
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);
    UINT HashKey(LPCTSTR key) const;

protected:
    CAssoc** m_pHashTable;
    UINT m_nHashTableSize;
    int m_nCount;
    CAssoc* m_pFreeList;
    CPlex* m_pBlocks;
    int m_nBlockSize;

    CAssoc* NewAssoc();
    void FreeAssoc(CAssoc* pAssoc);
    CAssoc* GetAssocAt(LPCTSTR key, UINT& nHash) const;
};

class AFX_API CMapStringToString : public CObject
{
    DECLARE_SERIAL(CMapStringToString)

protected:
    struct CAssoc
    {
        CAssoc* pNext;
        UINT nHashValue;
        CString key;
        CString value;
    };

public:
    CMapStringToString(int nBlockSize = 10);
    virtual ~CMapStringToString();

    int GetCount() const;
    BOOL IsEmpty() const;

    BOOL Lookup(LPCTSTR key, CString& rValue) const;
    CString& operator[](LPCTSTR key);
    void SetAt(LPCTSTR key, LPCTSTR newValue);
    BOOL RemoveKey(LPCTSTR key);
    void RemoveAll();

    POSITION GetStartPosition() const;
    void GetNextAssoc(POSITION& rNextPosition, CString& rKey, CString& rValue) const;

    UINT GetHashTableSize() const;
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);
    UINT HashKey(LPCTSTR key) const;

    virtual void Serialize(CArchive& ar);

protected:
    CAssoc** m_pHashTable;
    UINT m_nHashTableSize;
    int m_nCount;
    CAssoc* m_pFreeList;
    CPlex* m_pBlocks;
    int m_nBlockSize;

    CAssoc* NewAssoc();
    void FreeAssoc(CAssoc* pAssoc);
    CAssoc* GetAssocAt(LPCTSTR key, UINT& nHash) const;
};

class AFX_API CMapStringToOb : public CObject
{
    DECLARE_SERIAL(CMapStringToOb)

protected:
    struct CAssoc
    {
        CAssoc* pNext;
        UINT nHashValue;
        CString key;
        CObject* value;
    };

public:
    CMapStringToOb(int nBlockSize = 10);
    virtual ~CMapStringToOb();

    int GetCount() const;
    BOOL IsEmpty() const;

    BOOL Lookup(LPCTSTR key, CObject*& rValue) const;
    CObject*& operator[](LPCTSTR key);
    void SetAt(LPCTSTR key, CObject* newValue);
    BOOL RemoveKey(LPCTSTR key);
    void RemoveAll();

    POSITION GetStartPosition() const;
    void GetNextAssoc(POSITION& rNextPosition, CString& rKey, CObject*& rValue) const;

    UINT GetHashTableSize() const;
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);
    UINT HashKey(LPCTSTR key) const;

    virtual void Serialize(CArchive& ar);

protected:
    CAssoc** m_pHashTable;
    UINT m_nHashTableSize;
    int m_nCount;
    CAssoc* m_pFreeList;
    CPlex* m_pBlocks;
    int m_nBlockSize;

    CAssoc* NewAssoc();
    void FreeAssoc(CAssoc* pAssoc);
    CAssoc* GetAssocAt(LPCTSTR key, UINT& nHash) const;
};

class AFX_API CMapPtrToPtr : public CObject
{
    DECLARE_DYNAMIC(CMapPtrToPtr)

protected:
    struct CAssoc
    {
        CAssoc* pNext;
        UINT nHashValue;
        void* key;
        void* value;
    };

public:
    CMapPtrToPtr(int nBlockSize = 10);
    virtual ~CMapPtrToPtr();

    int GetCount() const;
    BOOL IsEmpty() const;

    BOOL Lookup(void* key, void*& rValue) const;
    void*& operator[](void* key);
    void SetAt(void* key, void* newValue);
    BOOL RemoveKey(void* key);
    void RemoveAll();

    POSITION GetStartPosition() const;
    void GetNextAssoc(POSITION& rNextPosition, void*& rKey, void*& rValue) const;

    UINT GetHashTableSize() const;
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);
    UINT HashKey(void* key) const;

protected:
    CAssoc** m_pHashTable;
    UINT m_nHashTableSize;
    int m_nCount;
    CAssoc* m_pFreeList;
    CPlex* m_pBlocks;
    int m_nBlockSize;

    CAssoc* NewAssoc();
    void FreeAssoc(CAssoc* pAssoc);
    CAssoc* GetAssocAt(void* key, UINT& nHash) const;
};

class AFX_API CMapWordToPtr : public CObject
{
    DECLARE_DYNAMIC(CMapWordToPtr)

protected:
    struct CAssoc
    {
        CAssoc* pNext;
        UINT nHashValue;
        WORD key;
        void* value;
    };

public:
    CMapWordToPtr(int nBlockSize = 10);
    virtual ~CMapWordToPtr();

    int GetCount() const;
    BOOL IsEmpty() const;

    BOOL Lookup(WORD key, void*& rValue) const;
    void*& operator[](WORD key);
    void SetAt(WORD key, void* newValue);
    BOOL RemoveKey(WORD key);
    void RemoveAll();

    POSITION GetStartPosition() const;
    void GetNextAssoc(POSITION& rNextPosition, WORD& rKey, void*& rValue) const;

    UINT GetHashTableSize() const;
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);
    UINT HashKey(WORD key) const;

protected:
    CAssoc** m_pHashTable;
    UINT m_nHashTableSize;
    int m_nCount;
    CAssoc* m_pFreeList;
    CPlex* m_pBlocks;
    int m_nBlockSize;

    CAssoc* NewAssoc();
    void FreeAssoc(CAssoc* pAssoc);
    CAssoc* GetAssocAt(WORD key, UINT& nHash) const;
};

class AFX_API CMapWordToOb : public CObject
{
    DECLARE_SERIAL(CMapWordToOb)

protected:
    struct CAssoc
    {
        CAssoc* pNext;
        UINT nHashValue;
        WORD key;
        CObject* value;
    };

public:
    CMapWordToOb(int nBlockSize = 10);
    virtual ~CMapWordToOb();

    int GetCount() const;
    BOOL IsEmpty() const;

    BOOL Lookup(WORD key, CObject*& rValue) const;
    CObject*& operator[](WORD key);
    void SetAt(WORD key, CObject* newValue);
    BOOL RemoveKey(WORD key);
    void RemoveAll();

    POSITION GetStartPosition() const;
    void GetNextAssoc(POSITION& rNextPosition, WORD& rKey, CObject*& rValue) const;

    UINT GetHashTableSize() const;
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);
    UINT HashKey(WORD key) const;

    virtual void Serialize(CArchive& ar);

protected:
    CAssoc** m_pHashTable;
    UINT m_nHashTableSize;
    int m_nCount;
    CAssoc* m_pFreeList;
    CPlex* m_pBlocks;
    int m_nBlockSize;

    CAssoc* NewAssoc();
    void FreeAssoc(CAssoc* pAssoc);
    CAssoc* GetAssocAt(WORD key, UINT& nHash) const;
};
