#include "afxdlgs.h"

#include "GuiDriver.h"

#include <gtest/gtest.h>

#include <string>

namespace {

LOGFONT InitialFont()
{
    LOGFONT lf = {};
    HDC hDC = ::GetDC(NULL);
    lf.lfHeight = -MulDiv(12, ::GetDeviceCaps(hDC, LOGPIXELSY), 72);
    ::ReleaseDC(NULL, hDC);
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = TRUE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpyA(lf.lfFaceName, "宋体");
    return lf;
}

TEST(FontDialog, GivesBackTheChosenFont)
{
    LOGFONT lf = InitialFont();
    CFontDialog dlg(&lf);
    dlg.m_cf.rgbColors = RGB(0, 0, 128);
    auto& window = testsupport::Gui().Expect("").Press(IDOK);

    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(window.Seen());
    EXPECT_FALSE(dlg.GetFaceName().IsEmpty());
    EXPECT_EQ(dlg.GetSize(), 120);
    EXPECT_TRUE(dlg.IsBold());
    EXPECT_GE(dlg.GetWeight(), FW_SEMIBOLD);
    EXPECT_TRUE(dlg.IsItalic());
    EXPECT_EQ(dlg.GetColor(), RGB(0, 0, 128));

    LOGFONT chosen = {};
    dlg.GetCurrentFont(&chosen);
    EXPECT_STREQ(chosen.lfFaceName, dlg.GetFaceName());
    EXPECT_EQ(chosen.lfHeight, lf.lfHeight);
}

// While the dialog is open, GetCurrentFont asks it.
class PeekingFontDialog : public CFontDialog {
public:
    explicit PeekingFontDialog(LOGFONT* plf) : CFontDialog(plf) {}
    LOGFONT m_atInit = {};

protected:
    BOOL OnInitDialog() override
    {
        BOOL bResult = CFontDialog::OnInitDialog();
        GetCurrentFont(&m_atInit);
        return bResult;
    }
};

TEST(FontDialog, CurrentFontComesFromTheOpenDialog)
{
    LOGFONT lf = InitialFont();
    PeekingFontDialog dlg(&lf);
    testsupport::Gui().Expect("").Press(IDCANCEL);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_NE(dlg.m_atInit.lfFaceName[0], '\0');
    EXPECT_EQ(dlg.m_atInit.lfWeight, FW_BOLD);
}

}  // namespace
