#include <ole2.h>

#include "../wine/ComInit.h"

#include <comdef.h>
#include <gtest/gtest.h>

// The compiler's comdef.h declares no standard smart pointers.
_COM_SMARTPTR_TYPEDEF(IDispatch, __uuidof(IDispatch));

TEST(ComSupport, BstrConvertsBetweenGbkAndUtf16)
{
    struct Case {
        const char* narrow;
        const wchar_t* wide;
    };
    for (const Case& c : {Case{"", L""}, Case{"abc", L"abc"}, Case{"颜色转换表", L"颜色转换表"},
                          Case{"路径\\文件.jpg", L"路径\\文件.jpg"}}) {
        _bstr_t fromNarrow(c.narrow);
        EXPECT_STREQ(c.wide, static_cast<const wchar_t*>(fromNarrow)) << c.narrow;
        _bstr_t fromWide(c.wide);
        EXPECT_STREQ(c.narrow, static_cast<const char*>(fromWide)) << c.narrow;
        EXPECT_EQ(wcslen(c.wide), fromWide.length());
    }
}

TEST(ComSupport, VariantCarriesTextAndMissingArguments)
{
    _variant_t text("上传");
    EXPECT_EQ(VT_BSTR, V_VT(&text));
    EXPECT_STREQ("上传", static_cast<const char*>(_bstr_t(text)));
    EXPECT_EQ(VT_ERROR, V_VT(&vtMissing));
    EXPECT_EQ(DISP_E_PARAMNOTFOUND, V_ERROR(&vtMissing));
}

TEST(ComSupport, IssueErrorRaisesComError)
{
    try {
        _com_issue_error(E_INVALIDARG);
        FAIL() << "no exception";
    } catch (const _com_error& error) {
        EXPECT_EQ(E_INVALIDARG, error.Error());
        EXPECT_NE(nullptr, error.ErrorMessage());
        EXPECT_EQ(0u, _bstr_t(error.Description()).length());
    }
}

TEST(ComSupport, SmartPointerCreatesByProgIdAndReportsFailure)
{
    ComInit com;
    IDispatchPtr document;
    EXPECT_EQ(S_OK, document.CreateInstance(L"Msxml2.DOMDocument.3.0"));
    EXPECT_TRUE(document != nullptr);
    IDispatchPtr copy = document;
    document.Release();
    EXPECT_TRUE(copy != nullptr);
    copy = nullptr;

    IDispatchPtr missing;
    EXPECT_TRUE(FAILED(missing.CreateInstance(L"Nobody.Registered.This")));
    EXPECT_TRUE(missing == nullptr);
}
