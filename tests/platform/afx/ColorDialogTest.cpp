#include "afxdlgs.h"

#include "GuiDriver.h"

#include <gtest/gtest.h>

namespace {

TEST(ColorDialog, KeepsTheInitialColourOnOK)
{
    CColorDialog dlg(RGB(200, 30, 60), CC_FULLOPEN);
    auto& window = testsupport::Gui().Expect("").Press(IDOK);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(window.Seen());
    EXPECT_EQ(dlg.GetColor(), RGB(200, 30, 60));
    EXPECT_EQ(dlg.m_cc.lpCustColors, CColorDialog::clrSavedCustom);
    EXPECT_EQ(dlg.m_hWnd, (HWND)NULL);
}

// The object is attached to the open dialog: its OnInitDialog runs on the
// dialog's window and OK goes through its message map.
class WatchedColorDialog : public CColorDialog {
public:
    WatchedColorDialog() : CColorDialog(RGB(0, 128, 255)) {}
    BOOL m_bAttachedAtInit = FALSE;
    int m_nOK = 0;

protected:
    BOOL OnInitDialog() override
    {
        m_bAttachedAtInit = m_hWnd != NULL && CWnd::FromHandlePermanent(m_hWnd) == this &&
                            ::GetDlgItem(m_hWnd, IDOK) != NULL;
        return CColorDialog::OnInitDialog();
    }
    void OnOK() override
    {
        ++m_nOK;
        CColorDialog::OnOK();
    }
};

TEST(ColorDialog, ObjectIsTheOpenDialog)
{
    WatchedColorDialog dlg;
    testsupport::Gui().Expect("").Press(IDOK);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(dlg.m_bAttachedAtInit);
    EXPECT_EQ(dlg.m_nOK, 1);
    EXPECT_EQ(dlg.GetColor(), RGB(0, 128, 255));
}

TEST(ColorDialog, CancelLeavesTheResult)
{
    CColorDialog dlg(RGB(1, 2, 3));
    testsupport::Gui().Expect("").Press(IDCANCEL);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.GetColor(), RGB(1, 2, 3));
}

}  // namespace
