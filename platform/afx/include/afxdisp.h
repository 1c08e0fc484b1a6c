// Automation: OLE start-up and the application's object count, dispatch
// maps (an object's methods and properties for IDispatch callers), the
// driver that calls other objects through IDispatch, VARIANT values, class
// factories with their registration, and the OLE exceptions and dates.
#pragma once

#include "afx.h"
#include "afxoleexcept.h"
#include "afxoledate.h"
#include "afxwin.h"

#include <ole2.h>
#include <oleauto.h>

// ---------------------------------------------------------------------------
// OLE start-up and the application's lifetime

// Initialises OLE for the calling (main) thread and registers the
// application's message filter; AfxOleTerm runs when the program ends.
AFX_API BOOL AFXAPI AfxOleInit();
AFX_API void AFXAPI AfxOleTerm(BOOL bJustRevoke = FALSE);
// Hosting OLE controls: nothing to set up beyond AfxOleInit here.
AFX_API void AFXAPI AfxEnableControlContainer();

// Objects handed out to OLE clients. The last unlock ends a program that
// no user holds (started with /Automation or /Embedding).
AFX_API void AFXAPI AfxOleLockApp();
AFX_API void AFXAPI AfxOleUnlockApp();
AFX_API BOOL AFXAPI AfxOleCanExitApp();
// Called when the count of objects reaches zero: closes the main window,
// or ends the message loop when there is none, unless a user holds the program.
AFX_API void AFXAPI AfxOleOnReleaseAllObjects();
// Whether a user controls the program (TRUE unless it was started by OLE).
AFX_API BOOL AFXAPI AfxOleGetUserCtrl();
AFX_API void AFXAPI AfxOleSetUserCtrl(BOOL bUserCtrl);

// ---------------------------------------------------------------------------
// Parameter and result types of dispatch maps

// Narrow text: a method's VTS_BSTR parameter is an LPCTSTR (GBK), converted
// from and to the caller's BSTR with the ANSI code page.
#define VT_BSTRA 14
#define VT_BSTRT VT_BSTRA

#define VTS_NONE ""
#define VTS_I2 "\x02"
#define VTS_I4 "\x03"
#define VTS_R4 "\x04"
#define VTS_R8 "\x05"
#define VTS_CY "\x06"
#define VTS_DATE "\x07"
#define VTS_WBSTR "\x08"       // LPCOLESTR
#define VTS_BSTR "\x0E"        // LPCTSTR
#define VTS_DISPATCH "\x09"
#define VTS_SCODE "\x0A"
#define VTS_BOOL "\x0B"
#define VTS_VARIANT "\x0C"     // const VARIANT& (a VARIANT* for the driver)
#define VTS_UNKNOWN "\x0D"
#define VTS_UI1 "\x11"

// By-reference parameters: the type with this bit (VT_BYREF does not fit a byte).
#define VT_MFCBYREF 0x40

#define VTS_PI2 "\x42"
#define VTS_PI4 "\x43"
#define VTS_PR4 "\x44"
#define VTS_PR8 "\x45"
#define VTS_PCY "\x46"
#define VTS_PDATE "\x47"
#define VTS_PBSTR "\x48"       // BSTR*: the method may replace the string
#define VTS_PDISPATCH "\x49"
#define VTS_PSCODE "\x4A"
#define VTS_PBOOL "\x4B"
#define VTS_PVARIANT "\x4C"
#define VTS_PUNKNOWN "\x4D"
#define VTS_PUI1 "\x51"

// ---------------------------------------------------------------------------
// Dispatch maps

enum AFX_DISPMAP_FLAGS { afxDispCustom = 0, afxDispStock = 1 };

struct AFX_DISPMAP_ENTRY {
    LPCTSTR lpszName;    // external name, matched without regard to case
    long lDispID;        // DISPID_UNKNOWN: numbered by position in the map
    LPCSTR lpszParams;   // VTS_ string of a method; NULL for a property
    WORD vt;             // result type of a method, type of a property
    AFX_PMSG pfn;        // method, or property getter
    AFX_PMSG pfnSet;     // property setter, or notification of a member property
    size_t nPropOffset;  // member property's offset, (size_t)-1 for none
    AFX_DISPMAP_FLAGS flags;
};

struct AFX_DISPMAP {
    const AFX_DISPMAP* (PASCAL* pfnGetBaseMap)();
    const AFX_DISPMAP_ENTRY* lpEntries;
};

#define DECLARE_DISPATCH_MAP()                                  \
protected:                                                      \
    static const AFX_DISPMAP* PASCAL GetThisDispatchMap();      \
    virtual const AFX_DISPMAP* GetDispatchMap() const;

// Methods are stored under one member pointer type and called back by their
// parameter string; member properties are found by offset (single
// inheritance from CCmdTarget, as for message maps).
#define AFX_DISPMAP_WARNINGS_OFF                                \
    _Pragma("GCC diagnostic push")                              \
    _Pragma("GCC diagnostic ignored \"-Wcast-function-type\"")  \
    _Pragma("GCC diagnostic ignored \"-Winvalid-offsetof\"")

#define BEGIN_DISPATCH_MAP(theClass, baseClass)                 \
    AFX_DISPMAP_WARNINGS_OFF                                    \
    const AFX_DISPMAP* theClass::GetDispatchMap() const         \
    {                                                           \
        return GetThisDispatchMap();                            \
    }                                                           \
    const AFX_DISPMAP* PASCAL theClass::GetThisDispatchMap()    \
    {                                                           \
        typedef theClass ThisClass;                             \
        typedef baseClass TheBaseClass;                         \
        (void)sizeof(ThisClass);                                \
        static const AFX_DISPMAP_ENTRY _dispatchEntries[] = {

#define END_DISPATCH_MAP()                                      \
            {NULL, DISPID_UNKNOWN, NULL, VT_EMPTY, (AFX_PMSG)0, (AFX_PMSG)0, (size_t)-1, afxDispCustom} \
        };                                                      \
        static const AFX_DISPMAP dispatchMap = {                \
            &TheBaseClass::GetThisDispatchMap, &_dispatchEntries[0]}; \
        return &dispatchMap;                                    \
    }                                                           \
    _Pragma("GCC diagnostic pop")

#define AFX_DISP_PMSG(theClass, fn) reinterpret_cast<AFX_PMSG>(&theClass::fn)

#define DISP_FUNCTION(theClass, szExternalName, pfnMember, vtRetVal, vtsParams) \
    {_T(szExternalName), DISPID_UNKNOWN, vtsParams, vtRetVal,   \
     AFX_DISP_PMSG(theClass, pfnMember), (AFX_PMSG)0, (size_t)-1, afxDispCustom},
#define DISP_FUNCTION_ID(theClass, szExternalName, dispid, pfnMember, vtRetVal, vtsParams) \
    {_T(szExternalName), dispid, vtsParams, vtRetVal,           \
     AFX_DISP_PMSG(theClass, pfnMember), (AFX_PMSG)0, (size_t)-1, afxDispCustom},
// A member variable of the property's type (CString for VT_BSTR).
#define DISP_PROPERTY(theClass, szExternalName, memberName, vtPropType) \
    {_T(szExternalName), DISPID_UNKNOWN, NULL, vtPropType, (AFX_PMSG)0, (AFX_PMSG)0, \
     offsetof(theClass, memberName), afxDispCustom},
#define DISP_PROPERTY_ID(theClass, szExternalName, dispid, memberName, vtPropType) \
    {_T(szExternalName), dispid, NULL, vtPropType, (AFX_PMSG)0, (AFX_PMSG)0, \
     offsetof(theClass, memberName), afxDispCustom},
// The member variable, with a handler called after each change.
#define DISP_PROPERTY_NOTIFY(theClass, szExternalName, memberName, pfnAfterSet, vtPropType) \
    {_T(szExternalName), DISPID_UNKNOWN, NULL, vtPropType, (AFX_PMSG)0, \
     AFX_DISP_PMSG(theClass, pfnAfterSet), offsetof(theClass, memberName), afxDispCustom},
// Getter `type Get()` (BSTR for VT_BSTR) and setter `void Set(type)`
// (LPCTSTR for VT_BSTR, const VARIANT& for VT_VARIANT); SetNotSupported
// or GetNotSupported for a one-way property.
#define DISP_PROPERTY_EX(theClass, szExternalName, pfnGet, pfnSet, vtPropType) \
    {_T(szExternalName), DISPID_UNKNOWN, NULL, vtPropType, AFX_DISP_PMSG(theClass, pfnGet), \
     AFX_DISP_PMSG(theClass, pfnSet), (size_t)-1, afxDispCustom},
#define DISP_PROPERTY_EX_ID(theClass, szExternalName, dispid, pfnGet, pfnSet, vtPropType) \
    {_T(szExternalName), dispid, NULL, vtPropType, AFX_DISP_PMSG(theClass, pfnGet), \
     AFX_DISP_PMSG(theClass, pfnSet), (size_t)-1, afxDispCustom},

// ---------------------------------------------------------------------------
// Interface maps: which IIDs an object answers with its IDispatch (the
// dual-less automation interfaces a class declares with INTERFACE_PART).

struct AFX_INTERFACEMAP_ENTRY {
    const IID* piid;
    size_t nOffset;  // of the interface within the object
};

struct AFX_INTERFACEMAP {
    const AFX_INTERFACEMAP* (PASCAL* pfnGetBaseMap)();
    const AFX_INTERFACEMAP_ENTRY* pEntry;
};

#define DECLARE_INTERFACE_MAP()                                 \
protected:                                                      \
    static const AFX_INTERFACEMAP* PASCAL GetThisInterfaceMap(); \
    virtual const AFX_INTERFACEMAP* GetInterfaceMap() const;

#define BEGIN_INTERFACE_MAP(theClass, theBase)                  \
    AFX_DISPMAP_WARNINGS_OFF                                    \
    const AFX_INTERFACEMAP* theClass::GetInterfaceMap() const   \
    {                                                           \
        return GetThisInterfaceMap();                           \
    }                                                           \
    const AFX_INTERFACEMAP* PASCAL theClass::GetThisInterfaceMap() \
    {                                                           \
        typedef theClass ThisClass;                             \
        typedef theBase TheBaseClass;                           \
        (void)sizeof(ThisClass);                                \
        static const AFX_INTERFACEMAP_ENTRY _interfaceEntries[] = {

// Only the embedded dispatch part (localClass Dispatch) exists.
#define INTERFACE_PART(theClass, iid, localClass)               \
    {&iid, offsetof(theClass, m_x##localClass)},

#define END_INTERFACE_MAP()                                     \
            {NULL, (size_t)-1}                                  \
        };                                                      \
        static const AFX_INTERFACEMAP interfaceMap = {          \
            &TheBaseClass::GetThisInterfaceMap, &_interfaceEntries[0]}; \
        return &interfaceMap;                                   \
    }                                                           \
    _Pragma("GCC diagnostic pop")

// ---------------------------------------------------------------------------
// VARIANT values

typedef const VARIANT* LPCVARIANT;

class AFX_API COleVariant : public tagVARIANT {
public:
    COleVariant();
    COleVariant(const VARIANT& varSrc);
    COleVariant(LPCVARIANT pSrc);
    COleVariant(const COleVariant& varSrc);
    // Text: a BSTR (VT_BSTR) made from the GBK text; vtSrc VT_BSTRT also.
    COleVariant(LPCTSTR lpszSrc, VARTYPE vtSrc = VT_BSTR);
    COleVariant(const CString& strSrc);
    COleVariant(BYTE nSrc);
    // vtSrc VT_I2 or VT_BOOL.
    COleVariant(short nSrc, VARTYPE vtSrc = VT_I2);
    // vtSrc VT_I4, VT_ERROR or VT_BOOL.
    COleVariant(long lSrc, VARTYPE vtSrc = VT_I4);
    COleVariant(float fltSrc);
    COleVariant(double dblSrc);
    COleVariant(const COleDateTime& timeSrc);
    COleVariant(const COleCurrency& curSrc);  // VT_CY whatever its status
    ~COleVariant();

    void Clear();
    void ChangeType(VARTYPE vartype, LPVARIANT pSrc = NULL);  // throws COleException
    void Attach(VARIANT& varSrc);
    VARIANT Detach();

    BOOL operator==(const VARIANT& varSrc) const;
    BOOL operator==(LPCVARIANT pSrc) const;
    const COleVariant& operator=(const VARIANT& varSrc);
    const COleVariant& operator=(LPCVARIANT pSrc);
    const COleVariant& operator=(const COleVariant& varSrc);
    const COleVariant& operator=(LPCTSTR lpszSrc);
    const COleVariant& operator=(const CString& strSrc);
    const COleVariant& operator=(BYTE nSrc);
    const COleVariant& operator=(short nSrc);
    const COleVariant& operator=(long lSrc);
    const COleVariant& operator=(float fltSrc);
    const COleVariant& operator=(double dblSrc);
    const COleVariant& operator=(const COleDateTime& dateSrc);
    const COleVariant& operator=(const COleCurrency& curSrc);

    operator LPVARIANT() { return this; }
    operator LPCVARIANT() const { return this; }
};

// ---------------------------------------------------------------------------
// Calling other objects through IDispatch

class AFX_API COleDispatchDriver {
public:
    COleDispatchDriver();
    COleDispatchDriver(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
    COleDispatchDriver(const COleDispatchDriver& dispatchSrc);
    ~COleDispatchDriver();

    // Creates the object (CLSCTX_ALL) and takes its IDispatch; FALSE with
    // the failure in *pError when one is given.
    BOOL CreateDispatch(REFCLSID clsid, COleException* pError = NULL);
    BOOL CreateDispatch(LPCTSTR lpszProgID, COleException* pError = NULL);

    void AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
    LPDISPATCH DetachDispatch();
    void ReleaseDispatch();

    // Calls a member: the arguments follow in the order pbParamInfo (a VTS_
    // string) lists them, as the types a dispatch map method receives
    // (LPCTSTR for VTS_BSTR, VARIANT* for VTS_VARIANT); the result is stored
    // in *pvRet as vtRet's type (CString for VT_BSTR, VARIANT for
    // VT_VARIANT, BOOL for VT_BOOL). A failed call throws
    // COleDispatchException (the server's exception) or COleException.
    void AFX_CDECL InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                const BYTE* pbParamInfo, ...);
    void InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                       const BYTE* pbParamInfo, va_list argList);
    void GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const;
    void AFX_CDECL SetProperty(DISPID dwDispID, VARTYPE vtProp, ...);

    const COleDispatchDriver& operator=(const COleDispatchDriver& dispatchSrc);
    operator LPDISPATCH() { return m_lpDispatch; }

    LPDISPATCH m_lpDispatch;
    BOOL m_bAutoRelease;
};

// ---------------------------------------------------------------------------
// Class factories

class AFX_API COleObjectFactory : public CCmdTarget {
    DECLARE_DYNAMIC(COleObjectFactory)
public:
    // bMultiInstance: each object in a program of its own (the factory is
    // registered for one use); else one program serves every object.
    COleObjectFactory(REFCLSID clsid, CRuntimeClass* pRuntimeClass, BOOL bMultiInstance,
                      LPCTSTR lpszProgID);
    virtual ~COleObjectFactory();

    BOOL IsRegistered() const { return m_dwRegister != 0; }
    REFCLSID GetClassID() const { return m_clsid; }
    LPCTSTR GetProgID() const { return m_lpszProgID; }

    // Makes the class object known to OLE as running (CoRegisterClassObject).
    virtual BOOL Register();
    void Revoke();
    // Writes HKEY_CLASSES_ROOT\<ProgID>\CLSID and HKCR\CLSID\{clsid} with
    // ProgID and LocalServer32 "<program path> /Automation".
    virtual void UpdateRegistry(LPCTSTR lpszProgID = NULL);
    // Removes the keys UpdateRegistry wrote.
    virtual BOOL Unregister();

    // Every factory of the program and its extension libraries.
    static BOOL PASCAL RegisterAll();
    static void PASCAL RevokeAll();
    static BOOL PASCAL UpdateRegistryAll(BOOL bRegister = TRUE);
    static BOOL PASCAL UnregisterAll();

    // The object a client asked for: by default a new object of the run-time
    // class, with one reference that creation hands over.
    virtual CCmdTarget* OnCreateObject();

    COleObjectFactory* m_pNextFactory;
    DWORD m_dwRegister;  // CoRegisterClassObject's cookie, 0 when not registered
    CLSID m_clsid;
    CRuntimeClass* m_pRuntimeClass;
    BOOL m_bMultiInstance;
    LPCTSTR m_lpszProgID;

    // The class factory handed to OLE.
    struct XClassFactory {
        const void* m_vtbl;
        COleObjectFactory* m_pOwner;
    } m_xClassFactory;
};

// The program's registry entries for a class id: ProgID, CLSID,
// LocalServer32 with " /Automation" (the server types of the class library).
enum OLE_APPTYPE { OAT_INPLACE_SERVER = 0, OAT_SERVER = 1, OAT_CONTAINER = 2,
                   OAT_DISPATCH_OBJECT = 3, OAT_DOC_OBJECT_SERVER = 4 };
AFX_API BOOL AFXAPI AfxOleRegisterServerClass(REFCLSID clsid, LPCTSTR lpszClassName,
                                              LPCTSTR lpszShortTypeName, LPCTSTR lpszLongTypeName,
                                              OLE_APPTYPE nAppType = OAT_DISPATCH_OBJECT);
AFX_API BOOL AFXAPI AfxOleUnregisterClass(REFCLSID clsid, LPCTSTR lpszProgID);

#define DECLARE_OLECREATE(class_name)                           \
public:                                                         \
    static AFX_DATA COleObjectFactory factory;                  \
    static AFX_DATA const GUID guid;

#define IMPLEMENT_OLECREATE(class_name, external_name, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8) \
    AFX_DATA COleObjectFactory class_name::factory(class_name::guid,                          \
        RUNTIME_CLASS(class_name), FALSE, _T(external_name));                                 \
    AFX_DATA const GUID class_name::guid = {l, w1, w2, {b1, b2, b3, b4, b5, b6, b7, b8}};
