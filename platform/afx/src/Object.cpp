#include "afx.h"

#include <string.h>

// The registry of the classes of every loaded module. A plain list head and a
// statically initialized lock: modules register from their static
// constructors, in any order, and unregister from their static destructors,
// so the registry itself must need no construction or destruction.
namespace {
SRWLOCK g_registryLock = SRWLOCK_INIT;
CRuntimeClass* g_pFirstClass = NULL;
}  // namespace

CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), 0xFFFF, NULL, NULL, NULL};
static AFX_CLASSINIT _init_CObject(&CObject::classCObject);

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass) : m_pClass(pNewClass)
{
    AcquireSRWLockExclusive(&g_registryLock);
    pNewClass->m_pNextClass = g_pFirstClass;
    g_pFirstClass = pNewClass;
    ReleaseSRWLockExclusive(&g_registryLock);
}

AFX_CLASSINIT::~AFX_CLASSINIT()
{
    AcquireSRWLockExclusive(&g_registryLock);
    for (CRuntimeClass** ppLink = &g_pFirstClass; *ppLink != NULL; ppLink = &(*ppLink)->m_pNextClass) {
        if (*ppLink == m_pClass) {
            *ppLink = m_pClass->m_pNextClass;
            break;
        }
    }
    m_pClass->m_pNextClass = NULL;
    ReleaseSRWLockExclusive(&g_registryLock);
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == NULL)
        return NULL;
    CRuntimeClass* pFound = NULL;
    AcquireSRWLockShared(&g_registryLock);
    for (CRuntimeClass* pClass = g_pFirstClass; pClass != NULL; pClass = pClass->m_pNextClass) {
        if (strcmp(pClass->m_lpszClassName, lpszClassName) == 0) {
            pFound = pClass;
            break;
        }
    }
    ReleaseSRWLockShared(&g_registryLock);
    return pFound;
}

CObject* CRuntimeClass::CreateObject()
{
    if (m_pfnCreateObject == NULL) {
        TRACE("Cannot create an object of %s: not DECLARE_DYNCREATE or DECLARE_SERIAL\n",
              m_lpszClassName);
        return NULL;
    }
    return (*m_pfnCreateObject)();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* pClass = this; pClass != NULL; pClass = pClass->m_pBaseClass) {
        if (pClass == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

CObject::CObject() {}

CObject::~CObject() {}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return RUNTIME_CLASS(CObject);
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    return pObject != NULL && pObject->IsKindOf(pClass) ? pObject : NULL;
}

void CObject::Serialize(CArchive&) {}

void CObject::AssertValid() const {}
