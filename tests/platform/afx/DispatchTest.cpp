// Dispatch maps as an IDispatch caller sees them: ids, names, argument
// coercion into the members' C++ types, results, errors and exceptions,
// by-reference arguments, properties, and the object's lifetime.
#include "afxwin.h"
#include "afxdisp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const IID IID_IProbe = {0x8a1f6c20, 0x51d7, 0x4b0e, {0x8f, 0x3a, 0x6e, 0x11, 0x90, 0x2c, 0x7b, 0x01}};

int g_nProbesAlive = 0;

class CProbe : public CCmdTarget {
public:
    CProbe() : m_nCount(0), m_nNotified(0), m_nLevel(1)
    {
        EnableAutomation();
        ++g_nProbesAlive;
    }
    ~CProbe() { --g_nProbesAlive; }

    CString m_strName;
    long m_nCount;
    int m_nNotified;
    long m_nLevel;

    // Every kind of parameter, the float and double ones in register and
    // stack positions between the integers.
    BSTR Mix(short i2, double r8, long i4, float r4, BOOL b, LPCTSTR lpsz, double date)
    {
        CString s;
        s.Format("%d|%g|%ld|%g|%d|%s|%g", i2, r8, i4, (double)r4, b, lpsz, date);
        return s.AllocSysString();
    }
    double Half(long n) { return n / 2.0; }
    float Third(double d) { return (float)(d / 3); }
    short Negate(short n) { return (short)-n; }
    BOOL IsEmptyText(LPCTSTR lpsz) { return *lpsz == '\0'; }
    VARIANT Echo(const VARIANT& v)
    {
        VARIANT result;
        VariantInit(&result);
        VariantCopy(&result, const_cast<VARIANT*>(&v));
        return result;
    }
    void Append(BSTR* pbstr)
    {
        CString s(*pbstr);
        s += "尾";
        s.SetSysString(pbstr);
    }
    void Twice(long* pn) { *pn *= 2; }
    void Refuse(LPCTSTR lpszWhy) { AfxThrowOleDispatchException(77, lpszWhy); }
    void RunOut() { AfxThrowMemoryException(); }
    long GetLevel() { return m_nLevel; }
    void SetLevel(long n) { m_nLevel = n * 10; }
    void OnCountChanged() { ++m_nNotified; }
    long GetConstant() { return 7; }

    DECLARE_DISPATCH_MAP()
    DECLARE_INTERFACE_MAP()
};

BEGIN_DISPATCH_MAP(CProbe, CCmdTarget)
    DISP_PROPERTY(CProbe, "Name", m_strName, VT_BSTR)
    DISP_PROPERTY_NOTIFY(CProbe, "Count", m_nCount, OnCountChanged, VT_I4)
    DISP_PROPERTY_EX(CProbe, "Level", GetLevel, SetLevel, VT_I4)
    DISP_PROPERTY_EX(CProbe, "Constant", GetConstant, SetNotSupported, VT_I4)
    DISP_FUNCTION(CProbe, "Mix", Mix, VT_BSTR, VTS_I2 VTS_R8 VTS_I4 VTS_R4 VTS_BOOL VTS_BSTR VTS_DATE)
    DISP_FUNCTION(CProbe, "Half", Half, VT_R8, VTS_I4)
    DISP_FUNCTION(CProbe, "Third", Third, VT_R4, VTS_R8)
    DISP_FUNCTION(CProbe, "Negate", Negate, VT_I2, VTS_I2)
    DISP_FUNCTION(CProbe, "IsEmptyText", IsEmptyText, VT_BOOL, VTS_BSTR)
    DISP_FUNCTION(CProbe, "Echo", Echo, VT_VARIANT, VTS_VARIANT)
    DISP_FUNCTION(CProbe, "Append", Append, VT_EMPTY, VTS_PBSTR)
    DISP_FUNCTION(CProbe, "Twice", Twice, VT_EMPTY, VTS_PI4)
    DISP_FUNCTION(CProbe, "Refuse", Refuse, VT_EMPTY, VTS_BSTR)
    DISP_FUNCTION(CProbe, "RunOut", RunOut, VT_EMPTY, VTS_NONE)
    DISP_FUNCTION_ID(CProbe, "Fixed", 500, GetConstant, VT_I4, VTS_NONE)
END_DISPATCH_MAP()

BEGIN_INTERFACE_MAP(CProbe, CCmdTarget)
    INTERFACE_PART(CProbe, IID_IProbe, Dispatch)
END_INTERFACE_MAP()

// A derived class numbers its own members from 1; its base's members keep
// their places one level up.
class CDerivedProbe : public CProbe {
public:
    long Extra() { return 99; }
    DECLARE_DISPATCH_MAP()
};

BEGIN_DISPATCH_MAP(CDerivedProbe, CProbe)
    DISP_FUNCTION(CDerivedProbe, "Extra", Extra, VT_I4, VTS_NONE)
END_DISPATCH_MAP()

struct Var : VARIANT {
    Var() { VariantInit(this); }
    Var(const wchar_t* text)
    {
        VariantInit(this);
        vt = VT_BSTR;
        bstrVal = SysAllocString(text);
    }
    Var(long n)
    {
        VariantInit(this);
        vt = VT_I4;
        lVal = n;
    }
    Var(double d)
    {
        VariantInit(this);
        vt = VT_R8;
        dblVal = d;
    }
    Var(const Var& other) : VARIANT()
    {
        VariantInit(this);
        VariantCopy(this, const_cast<Var*>(&other));
    }
    Var& operator=(const Var&) = delete;
    ~Var() { VariantClear(this); }
};

struct Outcome {
    HRESULT hr = E_FAIL;
    Var result;
    EXCEPINFO error = {};
    UINT argErr = (UINT)-1;
    Outcome() = default;
    Outcome(const Outcome&) = delete;
    ~Outcome()
    {
        SysFreeString(error.bstrDescription);
        SysFreeString(error.bstrSource);
        SysFreeString(error.bstrHelpFile);
    }
};

DISPID IdOf(IDispatch* p, const wchar_t* name)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    p->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
    return id;
}

// args in the member's order.
void Call(IDispatch* p, DISPID id, WORD flags, std::vector<Var> args, Outcome& out)
{
    std::vector<VARIANT> reversed;
    for (auto it = args.rbegin(); it != args.rend(); ++it)
        reversed.push_back(*it);
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params = {reversed.empty() ? nullptr : &reversed[0], nullptr, (UINT)reversed.size(), 0};
    if (flags & DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &put;
        params.cNamedArgs = 1;
    }
    out.hr = p->Invoke(id, IID_NULL, 0, flags, &params, &out.result, &out.error, &out.argErr);
}

void Call(IDispatch* p, const wchar_t* name, WORD flags, std::vector<Var> args, Outcome& out)
{
    Call(p, IdOf(p, name), flags, std::move(args), out);
}

std::wstring Text(const VARIANT& v)
{
    return v.vt == VT_BSTR && v.bstrVal != nullptr ? std::wstring(v.bstrVal) : L"<not text>";
}

class DispatchTest : public ::testing::Test {
protected:
    void SetUp() override { m_dispatch = m_probe->GetIDispatch(FALSE); }
    void TearDown() override { m_probe->ExternalRelease(); }

    CProbe* m_probe = new CProbe;
    IDispatch* m_dispatch = nullptr;
};

}  // namespace

TEST_F(DispatchTest, IdsFollowTheMapOrderAndNamesMatchWithoutCase)
{
    struct {
        const wchar_t* name;
        DISPID id;
    } cases[] = {{L"Name", 1}, {L"count", 2}, {L"LEVEL", 3}, {L"Mix", 5}, {L"refuse", 13},
                 {L"Fixed", 500}};
    for (const auto& c : cases)
        EXPECT_EQ(c.id, IdOf(m_dispatch, c.name)) << c.name;

    DISPID id = 0;
    LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"Missing")};
    EXPECT_EQ(DISP_E_UNKNOWNNAME, m_dispatch->GetIDsOfNames(IID_NULL, unknown, 1, 0, &id));
    EXPECT_EQ(DISPID_UNKNOWN, id);

    CDerivedProbe* derived = new CDerivedProbe;
    IDispatch* p = derived->GetIDispatch(FALSE);
    EXPECT_EQ(1, IdOf(p, L"Extra"));
    EXPECT_EQ(MAKELONG(5, 1), IdOf(p, L"Mix"));
    Outcome extra, mix;
    Call(p, L"Extra", DISPATCH_METHOD, {}, extra);
    EXPECT_EQ(99, extra.result.lVal);
    Call(p, L"Negate", DISPATCH_METHOD, {Var(L"12")}, mix);
    EXPECT_EQ(-12, mix.result.iVal);
    p->Release();
}

TEST_F(DispatchTest, ArgumentsAreCoercedToEachParameterType)
{
    Outcome mix;
    Call(m_dispatch, L"Mix", DISPATCH_METHOD,
        {Var(L"3"), Var(L"2.5"), Var(70000L), Var(0.25), Var(L"-1"), Var(L"文本"), Var(2L)}, mix);
    ASSERT_EQ(S_OK, mix.hr);
    EXPECT_EQ(L"3|2.5|70000|0.25|1|文本|2", Text(mix.result));

    Outcome half, third, negate, empty, echo;
    Call(m_dispatch, L"Half", DISPATCH_METHOD | DISPATCH_PROPERTYGET, {Var(L"5")}, half);
    Call(m_dispatch, L"Third", DISPATCH_METHOD, {Var(1.5)}, third);
    Call(m_dispatch, L"Negate", DISPATCH_METHOD, {Var(4L)}, negate);
    Call(m_dispatch, L"IsEmptyText", DISPATCH_METHOD, {Var(L"")}, empty);
    Call(m_dispatch, L"Echo", DISPATCH_METHOD, {Var(L"回声")}, echo);
    ASSERT_EQ(VT_R8, half.result.vt);
    EXPECT_EQ(2.5, half.result.dblVal);
    ASSERT_EQ(VT_R4, third.result.vt);
    EXPECT_EQ(0.5f, third.result.fltVal);
    ASSERT_EQ(VT_I2, negate.result.vt);
    EXPECT_EQ(-4, negate.result.iVal);
    ASSERT_EQ(VT_BOOL, empty.result.vt);
    EXPECT_EQ(VARIANT_TRUE, empty.result.boolVal);
    EXPECT_EQ(L"回声", Text(echo.result));
}

TEST_F(DispatchTest, CallsThatCannotBeMadeFailWithTheDispatchErrors)
{
    const DISPID half = IdOf(m_dispatch, L"Half");
    const DISPID mix = IdOf(m_dispatch, L"Mix");
    struct {
        const char* what;
        DISPID id;
        WORD flags;
        std::vector<Var> args;
        HRESULT hr;
    } cases[] = {
        {"too few arguments", half, DISPATCH_METHOD, {}, DISP_E_BADPARAMCOUNT},
        {"too many arguments", half, DISPATCH_METHOD, {Var(1L), Var(2L)}, DISP_E_BADPARAMCOUNT},
        {"no such member", 12345, DISPATCH_METHOD, {}, DISP_E_MEMBERNOTFOUND},
        {"assigning a method", half, DISPATCH_PROPERTYPUT, {Var(1L)}, DISP_E_MEMBERNOTFOUND},
        {"assigning a read-only property", IdOf(m_dispatch, L"Constant"), DISPATCH_PROPERTYPUT, {Var(1L)},
         DISP_E_MEMBERNOTFOUND},
        {"text that is no number", half, DISPATCH_METHOD, {Var(L"many")}, DISP_E_TYPEMISMATCH},
    };
    for (auto& c : cases) {
        Outcome out;
        Call(m_dispatch, c.id, c.flags, c.args, out);
        EXPECT_EQ(c.hr, out.hr) << c.what;
    }

    // The argument at fault, counted as the caller's array counts (last first).
    Outcome wrong;
    Call(m_dispatch, mix, DISPATCH_METHOD,
        {Var(1L), Var(L"x"), Var(3L), Var(4L), Var(5L), Var(L"t"), Var(7L)}, wrong);
    EXPECT_EQ(DISP_E_TYPEMISMATCH, wrong.hr);
    EXPECT_EQ(5u, wrong.argErr);
}

TEST_F(DispatchTest, ExceptionsOfAMemberReachTheCallerWithTheirDescription)
{
    Outcome refused;
    Call(m_dispatch, L"Refuse", DISPATCH_METHOD, {Var(L"不许访问")}, refused);
    EXPECT_EQ(DISP_E_EXCEPTION, refused.hr);
    EXPECT_EQ(77, refused.error.wCode);
    ASSERT_NE(nullptr, refused.error.bstrDescription);
    EXPECT_STREQ(L"不许访问", refused.error.bstrDescription);

    Outcome outOfMemory;
    Call(m_dispatch, L"RunOut", DISPATCH_METHOD, {}, outOfMemory);
    EXPECT_EQ(DISP_E_EXCEPTION, outOfMemory.hr);
    EXPECT_EQ(0, outOfMemory.error.wCode);
    EXPECT_EQ(E_OUTOFMEMORY, outOfMemory.error.scode);
    EXPECT_EQ(1, g_nProbesAlive);  // the object survives its member's failure
}

TEST_F(DispatchTest, ByReferenceArgumentsAreChangedInThePlaceOfTheCaller)
{
    // A BSTR the caller owns.
    BSTR text = SysAllocString(L"头");
    VARIANT byRef;
    VariantInit(&byRef);
    byRef.vt = VT_BYREF | VT_BSTR;
    byRef.pbstrVal = &text;
    DISPPARAMS params = {&byRef, nullptr, 1, 0};
    EXPECT_EQ(S_OK, m_dispatch->Invoke(IdOf(m_dispatch, L"Append"), IID_NULL, 0, DISPATCH_METHOD, &params,
                                       nullptr, nullptr, nullptr));
    EXPECT_STREQ(L"头尾", text);
    SysFreeString(text);

    // A script's variable (a variant by reference) of another type.
    Var variable(L"21");
    VARIANT script;
    VariantInit(&script);
    script.vt = VT_BYREF | VT_VARIANT;
    script.pvarVal = &variable;
    params.rgvarg = &script;
    EXPECT_EQ(S_OK, m_dispatch->Invoke(IdOf(m_dispatch, L"Twice"), IID_NULL, 0, DISPATCH_METHOD, &params,
                                       nullptr, nullptr, nullptr));
    ASSERT_EQ(VT_I4, variable.vt);
    EXPECT_EQ(42, variable.lVal);
}

TEST_F(DispatchTest, PropertiesReadAndWriteMembersAndAccessors)
{
    Outcome putName, putCount, putLevel, getName, getCount, getLevel;
    Call(m_dispatch, L"Name", DISPATCH_PROPERTYPUT, {Var(L"名字")}, putName);
    Call(m_dispatch, L"Count", DISPATCH_PROPERTYPUT, {Var(L"9")}, putCount);
    Call(m_dispatch, L"Level", DISPATCH_PROPERTYPUT, {Var(4L)}, putLevel);
    EXPECT_EQ(S_OK, putName.hr);
    EXPECT_EQ(S_OK, putCount.hr);
    EXPECT_EQ(S_OK, putLevel.hr);
    EXPECT_STREQ("名字", m_probe->m_strName);
    EXPECT_EQ(9, m_probe->m_nCount);
    EXPECT_EQ(1, m_probe->m_nNotified);
    EXPECT_EQ(40, m_probe->m_nLevel);

    Call(m_dispatch, L"Name", DISPATCH_PROPERTYGET, {}, getName);
    Call(m_dispatch, L"Count", DISPATCH_PROPERTYGET | DISPATCH_METHOD, {}, getCount);
    Call(m_dispatch, L"Level", DISPATCH_PROPERTYGET, {}, getLevel);
    EXPECT_EQ(L"名字", Text(getName.result));
    EXPECT_EQ(9, getCount.result.lVal);
    EXPECT_EQ(40, getLevel.result.lVal);
}

TEST_F(DispatchTest, TheObjectLivesUntilItsLastReferenceGoes)
{
    CProbe* probe = new CProbe;
    IDispatch* p = probe->GetIDispatch(TRUE);  // construction's reference and ours
    EXPECT_EQ(probe, CCmdTarget::FromIDispatch(p));

    IUnknown* unknown = nullptr;
    IUnknown* mapped = nullptr;
    IUnknown* other = reinterpret_cast<IUnknown*>(1);
    ASSERT_EQ(S_OK, p->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)));
    ASSERT_EQ(S_OK, p->QueryInterface(IID_IProbe, reinterpret_cast<void**>(&mapped)));
    EXPECT_EQ(E_NOINTERFACE, p->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&other)));
    EXPECT_EQ(nullptr, other);
    EXPECT_EQ(static_cast<IUnknown*>(p), mapped);

    const int alive = g_nProbesAlive;
    unknown->Release();
    mapped->Release();
    probe->ExternalRelease();
    EXPECT_EQ(alive, g_nProbesAlive);
    EXPECT_EQ(0u, p->Release());
    EXPECT_EQ(alive - 1, g_nProbesAlive);
}

namespace {

// An IDispatch that is not the library's.
class ForeignDispatch : public IDispatch {
public:
    STDMETHOD(QueryInterface)(REFIID, void** ppv) override
    {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHOD_(ULONG, AddRef)() override { return 1; }
    STDMETHOD_(ULONG, Release)() override { return 1; }
    STDMETHOD(GetTypeInfoCount)(UINT*) override { return E_NOTIMPL; }
    STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHOD(Invoke)(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }
    void* m_pOwnerLookalike = this;  // laid out like the library's dispatch part
};

}  // namespace

TEST(DispatchOther, FromIDispatchKnowsOnlyTheLibrarysObjects)
{
    CCmdTarget plain;
    EXPECT_EQ(nullptr, plain.GetIDispatch(FALSE));  // automation never enabled
    EXPECT_EQ(nullptr, CCmdTarget::FromIDispatch(nullptr));
    ForeignDispatch foreign;
    EXPECT_EQ(nullptr, CCmdTarget::FromIDispatch(&foreign));
}

TEST(OleLifetime, TheLastObjectEndsAProgramNoUserHolds)
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    struct {
        BOOL bUserCtrl;
        bool quits;
    } cases[] = {{TRUE, false}, {FALSE, true}};
    for (const auto& c : cases) {
        AfxOleSetUserCtrl(c.bUserCtrl);
        AfxOleLockApp();
        AfxOleLockApp();
        EXPECT_FALSE(AfxOleCanExitApp());
        AfxOleUnlockApp();
        EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
        AfxOleUnlockApp();
        EXPECT_TRUE(AfxOleCanExitApp());
        EXPECT_EQ(c.quits, PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE)
            << "user control " << c.bUserCtrl;
        // Ending once hands the program back to the user.
        EXPECT_TRUE(AfxOleGetUserCtrl());
    }
}
