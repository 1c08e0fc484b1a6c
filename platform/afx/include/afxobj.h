// CObject and run-time classes: type identity across modules, creation by
// class record or by name, and the class records that archives store.
#pragma once

#include "afxbase.h"

class CObject;
class CArchive;

// Marks a schema number given to IMPLEMENT_SERIAL as accepting older (or
// newer) stored schemas; the object reads the stored one by GetObjectSchema.
#define VERSIONABLE_SCHEMA (0x80000000)

struct AFX_API CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;  // 0xFFFF: not serializable
    CObject* (PASCAL* m_pfnCreateObject)();
    CRuntimeClass* m_pBaseClass;

    CObject* CreateObject();
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // The archive's class tag: schema, name length and name.
    void Store(CArchive& ar) const;
    // Reads a tag written by Store and finds the class among those of every
    // loaded module; NULL when no loaded module registers that name.
    static CRuntimeClass* PASCAL Load(CArchive& ar, UINT* pwSchemaNum);

    // The registered class of this name, whichever loaded module defines it.
    static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);

    // Link of the registry of loaded classes (owned by the registry).
    CRuntimeClass* m_pNextClass;
};

// A static object of the module defining a class: registers the class while
// the module is loaded.
struct AFX_API AFX_CLASSINIT {
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
    ~AFX_CLASSINIT();
    AFX_CLASSINIT(const AFX_CLASSINIT&) = delete;
    AFX_CLASSINIT& operator=(const AFX_CLASSINIT&) = delete;

    CRuntimeClass* m_pClass;
};

class AFX_API CObject {
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject();

protected:
    CObject();

private:
    CObject(const CObject& objectSrc);
    void operator=(const CObject& objectSrc);

public:
    BOOL IsSerializable() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const;

    static CRuntimeClass classCObject;
};

#define RUNTIME_CLASS(class_name) ((CRuntimeClass*)(&class_name::class##class_name))

// The object as the class when it is one of it (or derived), else NULL; a NULL
// object gives NULL.
AFX_API CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
#define DYNAMIC_DOWNCAST(class_name, object) ((class_name*)AfxDynamicDownCast(RUNTIME_CLASS(class_name), object))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))

#define DECLARE_DYNAMIC(class_name)                 \
public:                                             \
    static CRuntimeClass class##class_name;         \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* PASCAL CreateObject();

// The extraction operator is inline so that a program can read the objects of
// an extension DLL that exports only the class itself.
#define DECLARE_SERIAL(class_name)                                              \
    DECLARE_DYNCREATE(class_name)                                               \
    friend CArchive& AFXAPI operator>>(CArchive& ar, class_name*& pOb)          \
    {                                                                           \
        pOb = (class_name*)AfxReadObjectOfClass(ar, RUNTIME_CLASS(class_name)); \
        return ar;                                                              \
    }

#define _IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew) \
    CRuntimeClass class_name::class##class_name = {                            \
        #class_name, sizeof(class_name), (UINT)(wSchema), pfnNew,              \
        RUNTIME_CLASS(base_class_name), NULL};                                 \
    static AFX_CLASSINIT _init_##class_name(&class_name::class##class_name);   \
    CRuntimeClass* class_name::GetRuntimeClass() const                         \
    {                                                                          \
        return RUNTIME_CLASS(class_name);                                      \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    _IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, NULL)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                          \
    CObject* PASCAL class_name::CreateObject() { return new class_name; }        \
    _IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF,                 \
                            class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                    \
    CObject* PASCAL class_name::CreateObject() { return new class_name; }        \
    _IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema,                \
                            class_name::CreateObject)

// CArchive::ReadObject, callable where CArchive is only declared.
AFX_API CObject* AFXAPI AfxReadObjectOfClass(CArchive& ar, const CRuntimeClass* pClass);
