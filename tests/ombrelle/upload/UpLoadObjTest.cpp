// The upload automation object "Ombrelle.UpLoadObj" in-process, made by its
// class factory and called by dispatch id as a script client calls it: the
// texts its methods set, the field-definition file, and the hidden client
// that Initialize shows.
#include "BackendFixture.h"
#include "FieldDefinitionFixture.h"

#include "General.h"
#include "GuiDriver.h"
#include "MainFrame.h"
#include "OmbrelleDoc.h"
#include "TempDir.h"
#include "UpLoadObj.h"
#include "WindowText.h"
#include "resource.h"

#include "../shell/MenuTexts.h"

#include <gtest/gtest.h>

#include <oleauto.h>

#include <string>
#include <vector>

namespace uploadtest {
namespace {

using testsupport::Gui;

// Arguments of one call, in the order the method lists them.
class Arguments {
public:
    Arguments& Text(const wchar_t* text)
    {
        VARIANT v;
        ::VariantInit(&v);
        v.vt = VT_BSTR;
        v.bstrVal = ::SysAllocString(text);
        m_values.push_back(v);
        return *this;
    }
    Arguments& Bool(bool value)
    {
        VARIANT v;
        ::VariantInit(&v);
        v.vt = VT_BOOL;
        v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
        m_values.push_back(v);
        return *this;
    }
    ~Arguments()
    {
        for (VARIANT& v : m_values)
            ::VariantClear(&v);
    }
    // IDispatch takes them last first.
    std::vector<VARIANT> Reversed() const { return std::vector<VARIANT>(m_values.rbegin(), m_values.rend()); }

private:
    std::vector<VARIANT> m_values;
};

struct Result {
    HRESULT hr = E_FAIL;
    VARIANT value;
    Result() { ::VariantInit(&value); }
    ~Result() { ::VariantClear(&value); }
    Result(const Result&) = delete;
    Result& operator=(const Result&) = delete;
};

void Call(IDispatch* pObject, DISPID dispid, const Arguments& arguments, Result& result)
{
    std::vector<VARIANT> reversed = arguments.Reversed();
    DISPPARAMS params = {reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    UINT argError = 0;
    result.hr = pObject->Invoke(dispid, IID_NULL, 0, DISPATCH_METHOD, &params, &result.value, nullptr, &argError);
}

void Call(IDispatch* pObject, DISPID dispid, const Arguments& arguments)
{
    Result result;
    Call(pObject, dispid, arguments, result);
    EXPECT_EQ(S_OK, result.hr) << "dispatch id " << dispid;
}

// A new object, as COM's activation makes it through the client's factory.
IDispatch* CreateObject()
{
    IClassFactory* pFactory = nullptr;
    LPUNKNOWN pUnknown = reinterpret_cast<LPUNKNOWN>(&CUpLoadObj::factory.m_xClassFactory);
    if (FAILED(pUnknown->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&pFactory))))
        return nullptr;
    IDispatch* pObject = nullptr;
    HRESULT hr = pFactory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&pObject));
    pFactory->Release();
    EXPECT_EQ(S_OK, hr);
    return SUCCEEDED(hr) ? pObject : nullptr;
}

std::string Narrow(BSTR bstr)
{
    return LPCTSTR(CString(bstr));
}

// The texts need no start-up: the object writes them in the application
// object. Its files go to a program folder of the test's own.
class UpLoadObjTest : public doctest::ClientFixture {
protected:
    void SetUp() override
    {
        ClientFixture::SetUp();
        m_savedProgramFolder = GenGetProgramFolder();
        GenSetProgramFolder(m_programFolder.Path().c_str());
    }
    void TearDown() override
    {
        GenSetProgramFolder(m_savedProgramFolder.c_str());
        ClientFixture::TearDown();
    }

    std::string FieldDefinitionPath() const { return m_programFolder.File("ImageInfoStruct.xml"); }

    testsupport::TempDir m_programFolder;
    std::string m_savedProgramFolder;
};

TEST_F(UpLoadObjTest, UserInfoJoinsUserAndPasswordAndAnEmptyUserIsAnonymous)
{
    struct Case {
        const wchar_t* user;
        const wchar_t* password;
        const char* account;
    } cases[] = {
        {L"", L"", "anonymous#z@z.z"},
        {L"", L"p", "anonymous#p"},
        {L"u", L"", "u#"},
        {L"采集员", L"口令", "采集员#口令"},
    };
    IDispatch* pObject = CreateObject();
    ASSERT_NE(nullptr, pObject);
    for (const Case& c : cases) {
        Call(pObject, 4, Arguments().Text(c.user).Text(c.password));
        EXPECT_EQ(std::string(c.account), LPCTSTR(m_app.UploadAccountText)) << testsupport::ToUtf8(c.account);
    }
    pObject->Release();
}

TEST_F(UpLoadObjTest, UploadUrlIsCutAtTheFirstSlashIntoHostWithAPortAndPath)
{
    struct Case {
        const wchar_t* url;
        const char* host;
        const char* path;
    } cases[] = {
        {L"h:2121/dir", "h:2121", "/dir/"},
        {L"h/dir", "h:21", "/dir/"},
        {L"h/a/b", "h:21", "/a/b/"},
        // No slash: all of it is the path, and the host only the port.
        {L"h", ":21", "h/"},
        {L"", ":21", ""},
    };
    IDispatch* pObject = CreateObject();
    ASSERT_NE(nullptr, pObject);
    for (const Case& c : cases) {
        Call(pObject, 5, Arguments().Text(c.url));
        EXPECT_EQ(std::string(c.host), LPCTSTR(m_app.UploadHostText)) << c.path;
        EXPECT_EQ(std::string(c.path), LPCTSTR(m_app.UploadPathText)) << c.host;
    }
    pObject->Release();
}

TEST_F(UpLoadObjTest, CallBackPageAndMetadataStructureGoToTheProgramWideTexts)
{
    EXPECT_STREQ("d:\\test.htm", m_app.CallBackFileName);
    IDispatch* pObject = CreateObject();
    ASSERT_NE(nullptr, pObject);
    Call(pObject, 3, Arguments().Text(L"c:\\页面\\回调.htm"));
    EXPECT_STREQ("c:\\页面\\回调.htm", m_app.CallBackFileName);
    Call(pObject, 6, Arguments().Text(L"<Category Name='图片'/>"));
    EXPECT_STREQ("<Category Name='图片'/>", m_app.m_strAssetMetaDataStruct);
    pObject->Release();
}

TEST_F(UpLoadObjTest, EachObjectWritesTheFieldDefinitionFileAndAnswersItsPath)
{
    IDispatch* pObject = CreateObject();
    ASSERT_NE(nullptr, pObject);
    EXPECT_EQ(std::string(kFieldDefinitionFile, sizeof(kFieldDefinitionFile) - 1),
              testsupport::ReadFileBytes(FieldDefinitionPath()));
    EXPECT_EQ(m_programFolder.Path(), LPCTSTR(m_app.m_strDataFolder));

    Result first, second;
    Call(pObject, 2, Arguments(), first);
    Call(pObject, 2, Arguments(), second);
    ASSERT_EQ(S_OK, first.hr);
    ASSERT_EQ(VT_BSTR, first.value.vt);
    ASSERT_EQ(VT_BSTR, second.value.vt);
    EXPECT_EQ(FieldDefinitionPath(), Narrow(first.value.bstrVal));
    EXPECT_EQ(FieldDefinitionPath(), Narrow(second.value.bstrVal));
    EXPECT_NE(first.value.bstrVal, second.value.bstrVal) << "each call hands out a string of its own";

    // The next object writes the file anew.
    ASSERT_TRUE(testsupport::WriteFileBytes(FieldDefinitionPath(), "changed"));
    IDispatch* pSecond = CreateObject();
    ASSERT_NE(nullptr, pSecond);
    EXPECT_EQ(std::string(kFieldDefinitionFile, sizeof(kFieldDefinitionFile) - 1),
              testsupport::ReadFileBytes(FieldDefinitionPath()));
    pSecond->Release();
    pObject->Release();
}

TEST_F(UpLoadObjTest, AFileThatCannotBeMadeIsSkippedAndItsPathStillAnswered)
{
    const std::string missing = m_programFolder.File("missing");
    GenSetProgramFolder(missing.c_str());
    IDispatch* pObject = CreateObject();
    ASSERT_NE(nullptr, pObject);
    Result path;
    Call(pObject, 2, Arguments(), path);
    ASSERT_EQ(VT_BSTR, path.value.vt);
    EXPECT_EQ(missing + "\\ImageInfoStruct.xml", Narrow(path.value.bstrVal));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(missing.c_str()));
    pObject->Release();
}

TEST_F(UpLoadObjTest, AnObjectHoldsTheApplicationWhileItLives)
{
    ASSERT_TRUE(AfxOleCanExitApp());
    IDispatch* pObject = CreateObject();
    ASSERT_NE(nullptr, pObject);
    EXPECT_FALSE(AfxOleCanExitApp());
    pObject->Release();
    EXPECT_TRUE(AfxOleCanExitApp());
}

// The id of the first item with this text in the menu or its submenus, or 0.
UINT FindCommand(HMENU hMenu, const std::string& text)
{
    for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
        if (HMENU hSub = ::GetSubMenu(hMenu, i)) {
            if (UINT nID = FindCommand(hSub, text))
                return nID;
        } else if (MenuTexts(hMenu)[i] == text) {
            return ::GetMenuItemID(hMenu, i);
        }
    }
    return 0;
}

class UpLoadObjInitializeTest : public BackendFixture {};

TEST_F(UpLoadObjInitializeTest, ShowsTheHiddenClientWithEveryMenuAndItsSubmitCommandReachesTheUploadLogIn)
{
    StartForAutomation();
    CMainFrame* pFrame = Frame();
    ASSERT_NE(nullptr, pFrame);
    EXPECT_FALSE(pFrame->IsWindowVisible());

    IDispatch* pObject = CreateObject();
    ASSERT_NE(nullptr, pObject);
    Result shown;
    Call(pObject, 1, Arguments().Bool(true).Text(L"a").Text(L"b").Text(L"c"), shown);
    // Its temp folder went beside the program, which other test programs share.
    GenSetTempFolder(m_temp.Path().c_str());
    ASSERT_EQ(S_OK, shown.hr);
    ASSERT_EQ(VT_BOOL, shown.value.vt);
    EXPECT_EQ(VARIANT_TRUE, shown.value.boolVal);
    Pump();

    EXPECT_TRUE(pFrame->IsWindowVisible());
    EXPECT_TRUE(pFrame->IsZoomed());
    EXPECT_EQ("衡远澄明－图像采集系统", testsupport::WindowText(pFrame->GetSafeHwnd()));
    const std::vector<std::string> allMenus = {"文件(&F)", "查看(&V)", "系统设置(&C)", "采集管理(&M)", "权限管理(&R)", "帮助(&H)"};
    EXPECT_EQ(allMenus, MenuTexts(::GetMenu(pFrame->GetSafeHwnd())));
    ASSERT_NE(nullptr, Doc());
    // The image library's template, then the client's: the second run of the
    // image library's set-up added none.
    std::vector<CDocTemplate*> templates;
    for (POSITION pos = m_app.GetFirstDocTemplatePosition(); pos != NULL;)
        templates.push_back(m_app.GetNextDocTemplate(pos));
    ASSERT_EQ(2u, templates.size());
    EXPECT_NE(static_cast<CDocTemplate*>(m_app.m_pDocTemplate), templates[0]);
    EXPECT_EQ(static_cast<CDocTemplate*>(m_app.m_pDocTemplate), templates[1]);

    const UINT nSubmit = FindCommand(::GetMenu(pFrame->GetSafeHwnd()), "提交入库");
    ASSERT_EQ(static_cast<UINT>(ID_SUBMIT_TO_STORE), nSubmit);
    Doc()->m_strBaseServerUrl = ServerAddress().c_str();
    Doc()->m_strServletUrl = Servlet().c_str();
    Doc()->m_strServerUrl = Servlet().c_str();
    auto& login = Gui()
                      .Expect("身份信息提取")
                      .SetText(IDC_UPLOAD_USER, kUser)
                      .SetText(IDC_UPLOAD_PASSWORD, kPassword)
                      .Press(IDOK);
    auto& message = Gui().Expect("").Press(IDOK);
    pFrame->SendMessage(WM_COMMAND, nSubmit);
    EXPECT_TRUE(login.Seen());
    EXPECT_TRUE(message.HasText("请先选择要进行编目的图片文件"));
    EXPECT_EQ((std::vector<std::string>{"CheckLogin"}), VerbsSince(0));

    pObject->Release();
}

}  // namespace
}  // namespace uploadtest
