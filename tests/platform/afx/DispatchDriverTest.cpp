// Driving objects through IDispatch with COleDispatchDriver: a dispatch
// map object of our own (arguments, results, properties, failures,
// ownership) and Wine's MSXML XMLHTTP against a loopback server.
#include "afxwin.h"
#include "afxdisp.h"

#include "PythonService.h"
#include "TempDir.h"
#include "WinePath.h"

#include <gtest/gtest.h>

#include <string>

using namespace testsupport;

namespace {

int g_nAccountsAlive = 0;

class CAccount : public CCmdTarget {
public:
    CAccount() : m_nBalance(100)
    {
        EnableAutomation();
        ++g_nAccountsAlive;
    }
    ~CAccount() { --g_nAccountsAlive; }

    CString m_strOwner;
    long m_nBalance;

    BSTR Describe(LPCTSTR lpszPrefix, long nTimes)
    {
        CString s;
        s.Format("%s%s×%ld", lpszPrefix, (LPCTSTR)m_strOwner, nTimes);
        return s.AllocSysString();
    }
    double Rate(short nYears, double dBase) { return dBase * nYears; }
    void Withdraw(long nAmount)
    {
        if (nAmount > m_nBalance)
            AfxThrowOleDispatchException(3, "余额不足");
        m_nBalance -= nAmount;
    }
    void Double(long* pn) { *pn *= 2; }

    DECLARE_DISPATCH_MAP()
};

BEGIN_DISPATCH_MAP(CAccount, CCmdTarget)
    DISP_PROPERTY(CAccount, "Owner", m_strOwner, VT_BSTR)
    DISP_PROPERTY(CAccount, "Balance", m_nBalance, VT_I4)
    DISP_FUNCTION(CAccount, "Describe", Describe, VT_BSTR, VTS_BSTR VTS_I4)
    DISP_FUNCTION(CAccount, "Rate", Rate, VT_R8, VTS_I2 VTS_R8)
    DISP_FUNCTION(CAccount, "Withdraw", Withdraw, VT_EMPTY, VTS_I4)
    DISP_FUNCTION(CAccount, "Double", Double, VT_EMPTY, VTS_PI4)
END_DISPATCH_MAP()

enum { idOwner = 1, idBalance, idDescribe, idRate, idWithdraw, idDouble };

DISPID IdOf(IDispatch* p, const wchar_t* name)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    p->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
    return id;
}

}  // namespace

TEST(DispatchDriver, CallsMembersWithTheCallersTypes)
{
    CAccount* account = new CAccount;
    COleDispatchDriver driver(account->GetIDispatch(FALSE));  // takes construction's reference

    driver.SetProperty(idOwner, VT_BSTR, "张三");
    CString owner;
    driver.GetProperty(idOwner, VT_BSTR, &owner);
    EXPECT_STREQ("张三", owner);

    CString description;
    driver.InvokeHelper(idDescribe, DISPATCH_METHOD, VT_BSTR, &description,
                        (const BYTE*)(VTS_BSTR VTS_I4), "户主：", 3L);
    EXPECT_STREQ("户主：张三×3", description);

    double rate = 0;
    driver.InvokeHelper(idRate, DISPATCH_METHOD, VT_R8, &rate, (const BYTE*)(VTS_I2 VTS_R8), 3, 0.5);
    EXPECT_EQ(1.5, rate);

    // A result converted to the type the caller asks for.
    CString balanceText;
    driver.GetProperty(idBalance, VT_BSTR, &balanceText);
    EXPECT_STREQ("100", balanceText);

    long value = 21;
    driver.InvokeHelper(idDouble, DISPATCH_METHOD, VT_EMPTY, NULL, (const BYTE*)VTS_PI4, &value);
    EXPECT_EQ(42, value);

    driver.ReleaseDispatch();
    EXPECT_EQ(0, g_nAccountsAlive);
}

TEST(DispatchDriver, FailedCallsThrowTheServersExceptionOrTheError)
{
    CAccount* account = new CAccount;
    COleDispatchDriver driver(account->GetIDispatch(FALSE));

    try {
        driver.InvokeHelper(idWithdraw, DISPATCH_METHOD, VT_EMPTY, NULL, (const BYTE*)VTS_I4, 500L);
        ADD_FAILURE() << "no exception";
    } catch (COleDispatchException* e) {
        EXPECT_STREQ("余额不足", e->m_strDescription);
        EXPECT_EQ(3, e->m_wCode);
        e->Delete();
    }
    EXPECT_EQ(100, account->m_nBalance);

    struct {
        const char* what;
        DISPID id;
        SCODE sc;
    } cases[] = {{"no such member", 999, DISP_E_MEMBERNOTFOUND}};
    for (const auto& c : cases) {
        try {
            driver.InvokeHelper(c.id, DISPATCH_METHOD, VT_EMPTY, NULL, (const BYTE*)VTS_NONE);
            ADD_FAILURE() << c.what;
        } catch (COleException* e) {
            EXPECT_EQ(c.sc, e->m_sc) << c.what;
            e->Delete();
        }
    }
    try {
        driver.InvokeHelper(idWithdraw, DISPATCH_METHOD, VT_EMPTY, NULL, (const BYTE*)VTS_BSTR, "many");
        ADD_FAILURE() << "text for a number";
    } catch (COleException* e) {
        EXPECT_EQ(DISP_E_TYPEMISMATCH, e->m_sc);
        e->Delete();
    }
}

TEST(DispatchDriver, AttachedObjectsAreReleasedOnlyWhenTheDriverOwnsThem)
{
    CAccount* account = new CAccount;
    LPDISPATCH p = account->GetIDispatch(FALSE);
    {
        COleDispatchDriver borrowed;
        borrowed.AttachDispatch(p, FALSE);
    }
    EXPECT_EQ(1, g_nAccountsAlive);
    {
        COleDispatchDriver owner;
        owner.AttachDispatch(p);
        EXPECT_EQ(p, owner.DetachDispatch());
    }
    EXPECT_EQ(1, g_nAccountsAlive);
    {
        COleDispatchDriver owner(p);
        COleDispatchDriver copy(owner);  // its own reference
        owner.ReleaseDispatch();
        EXPECT_EQ(1, g_nAccountsAlive);
    }
    EXPECT_EQ(0, g_nAccountsAlive);
}

TEST(DispatchDriver, CreateDispatchReportsAnUnknownProgId)
{
    AfxOleInit();
    COleDispatchDriver driver;
    COleException error;
    EXPECT_FALSE(driver.CreateDispatch("Ombrelle.NoSuchObject", &error));
    EXPECT_TRUE(FAILED(error.m_sc));
    EXPECT_EQ(nullptr, driver.m_lpDispatch);
    AfxOleTerm();
}

TEST(DispatchDriver, DrivesXmlHttpWithEveryMethodWord)
{
    ASSERT_TRUE(AfxOleInit());
    {
        TempDir site;
        ASSERT_TRUE(WriteFileBytes(site.File("page.txt"), "server ready"));
        PythonService server("testsvc/http_server.py", {UnixPath(site.Path())});
        CString url;
        url.Format("http://127.0.0.1:%d/page.txt", server.Port());

        // The loopback server answers a POST it does not serve with 501.
        struct {
            const char* method;
            long status;
            const char* text;
        } cases[] = {{"GET", 200, "server ready"}, {"get", 200, "server ready"}, {"post", 501, nullptr}};
        for (const auto& c : cases) {
            COleDispatchDriver request;
            COleException error;
            ASSERT_TRUE(request.CreateDispatch("Msxml2.XMLHTTP.3.0", &error)) << std::hex << error.m_sc;
            COleVariant synchronous((short)FALSE, VT_BOOL);
            COleVariant missing((long)DISP_E_PARAMNOTFOUND, VT_ERROR);
            request.InvokeHelper(IdOf(request, L"open"), DISPATCH_METHOD, VT_EMPTY, NULL,
                                 (const BYTE*)(VTS_BSTR VTS_BSTR VTS_VARIANT VTS_VARIANT VTS_VARIANT),
                                 c.method, (LPCTSTR)url, static_cast<VARIANT*>(&synchronous),
                                 static_cast<VARIANT*>(&missing), static_cast<VARIANT*>(&missing));
            request.InvokeHelper(IdOf(request, L"send"), DISPATCH_METHOD, VT_EMPTY, NULL,
                                 (const BYTE*)VTS_VARIANT, static_cast<VARIANT*>(&missing));
            long status = 0;
            request.GetProperty(IdOf(request, L"status"), VT_I4, &status);
            EXPECT_EQ(c.status, status) << c.method;
            if (c.text != nullptr) {
                CString text;
                request.GetProperty(IdOf(request, L"responseText"), VT_BSTR, &text);
                EXPECT_STREQ(c.text, text) << c.method;
            }
        }
    }
    AfxOleTerm();
}
