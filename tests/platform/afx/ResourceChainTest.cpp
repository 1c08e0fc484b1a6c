// The resource chain: an extension library's resources are found by the
// program once the library has loaded, the program's own win over a
// library's of the same number unless the library's are made current, and
// the library leaves the chain when it unloads.
#include "afxwin.h"

#include <gtest/gtest.h>

#include "GuiDriver.h"
#include "extdll/ExtDllRes.h"

namespace {

class ResourceChainTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_hExt = ::LoadLibraryA("afx_test_ext.dll");
        ASSERT_NE(m_hExt, nullptr);
    }
    void TearDown() override
    {
        AfxSetResourceHandle(nullptr);
        if (m_hExt != nullptr)
            ::FreeLibrary(m_hExt);
    }
    HMODULE m_hExt = nullptr;
};

TEST_F(ResourceChainTest, FindsEachResourceInTheModuleThatHoldsIt)
{
    HINSTANCE hProgram = AfxGetInstanceHandle();
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(IDD_EXT_ONLY), RT_DIALOG), m_hExt);
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(IDD_BOTH), RT_DIALOG), hProgram);

    AfxSetResourceHandle(m_hExt);
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(IDD_BOTH), RT_DIALOG), m_hExt);
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(IDD_EXT_ONLY), RT_DIALOG), m_hExt);
}

TEST_F(ResourceChainTest, StringsAreFoundPerStringNotPerTableBlock)
{
    // Both modules have the string block of these ids, each with one string.
    CString ext;
    CString program;
    EXPECT_TRUE(ext.LoadString(IDS_EXT_ONLY));
    EXPECT_TRUE(program.LoadString(IDS_PROGRAM_ONLY));
    EXPECT_STREQ(ext, "扩展库字符串");
    EXPECT_STREQ(program, "程序字符串");
}

TEST_F(ResourceChainTest, ModalDialogFromTheLibrarysTemplate)
{
    auto& ext = testsupport::Gui().Expect("扩展库对话框").Press(IDOK);
    CDialog dlgExt(IDD_EXT_ONLY);
    EXPECT_EQ(dlgExt.DoModal(), IDOK);
    EXPECT_TRUE(ext.Seen());

    auto& program = testsupport::Gui().Expect("程序模板").Close();
    CDialog dlgProgram(IDD_BOTH);
    EXPECT_EQ(dlgProgram.DoModal(), IDCANCEL);
    EXPECT_TRUE(program.Seen());

    // A caller that makes the library's resources current gets its template.
    HINSTANCE hOld = AfxGetResourceHandle();
    AfxSetResourceHandle(m_hExt);
    auto& swapped = testsupport::Gui().Expect("扩展库模板").Press(IDOK);
    CDialog dlgSwapped(IDD_BOTH);
    EXPECT_EQ(dlgSwapped.DoModal(), IDOK);
    AfxSetResourceHandle(hOld);
    EXPECT_TRUE(swapped.Seen());
}

TEST_F(ResourceChainTest, UnloadedLibraryLeavesTheChain)
{
    ASSERT_TRUE(::FreeLibrary(m_hExt));
    HMODULE hGone = m_hExt;
    m_hExt = nullptr;
    EXPECT_NE(AfxFindResourceHandle(MAKEINTRESOURCE(IDD_EXT_ONLY), RT_DIALOG), hGone);
    CString ext;
    EXPECT_FALSE(ext.LoadString(IDS_EXT_ONLY));
}

}  // namespace
