// The separation dialog as the user drives it: start-up on the default
// files, the edits, UCR and GCR, and the ink list.
#include "InkfoldDialogFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "GuiDriver.h"
#include "InkList.h"
#include "SeparationFixtures.h"
#include "resource.h"

namespace inktest {
namespace {


// The model as the dialog has it after opening on these default files.
CSeparationModel OpenedModel(const std::string& defaultPar)
{
    CSeparationModel model;
    EXPECT_EQ(model.LoadParFile(defaultPar.c_str()), 1);
    model.BuildTables();
    return model;
}

TEST_F(InkfoldDialogTest, OpensOnTheDefaultFiles)
{
    Run([](CInkfoldDlg& dlg) {
        EXPECT_EQ(ItemText(dlg, IDC_INKFOLD_TOTALINK), "320");
        EXPECT_EQ(ItemText(dlg, IDC_INKFOLD_UCA), "0");
        ASSERT_EQ(dlg.m_cmbSelectInk.GetCount(), 12);
        CString first, last;
        dlg.m_cmbSelectInk.GetLBText(0, first);
        dlg.m_cmbSelectInk.GetLBText(11, last);
        EXPECT_STREQ(first, "国产天津油墨");
        EXPECT_STREQ(last, "Tektronix Phaser III PXi");
        EXPECT_EQ(dlg.m_cmbSelectInk.GetCurSel(), 0);
        // Switches 5, 7, 8, 9, 10 on and UCR.
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_INKFOLD_TYPE_UCR), BST_CHECKED);
        EXPECT_TRUE(dlg.GetDlgItem(IDC_INKFOLD_UCR)->IsWindowEnabled());
        EXPECT_FALSE(dlg.GetDlgItem(IDC_INKFOLD_UCA)->IsWindowEnabled());
        EXPECT_TRUE(dlg.GetDlgItem(IDC_INKFOLD_TOTALINK)->IsWindowEnabled());
        EXPECT_FALSE(dlg.GetDlgItem(IDC_INKFOLD_INGRAY)->IsWindowEnabled());
        EXPECT_TRUE(dlg.GetDlgItem(IDC_INKFOLD_OUTGRAY)->IsWindowEnabled());
        EXPECT_TRUE(dlg.GetDlgItem(IDC_INKFOLD_COLOR)->IsWindowEnabled());
        EXPECT_TRUE(dlg.GetDlgItem(IDC_INKFOLD_BLACK)->IsWindowEnabled());
    });
    // The curves are the grey ramp's inks through the opened model.
    CSeparationModel model = OpenedModel(ColorFile("default.par"));
    for (int v = 0; v < 256; v += 15) {
        int c, m, y, k;
        model.ConvertColor(v, v, v, c, m, y, k);
        EXPECT_EQ(m_dlg->m_nDisCurve[0][255 - v], 255 - c) << v;
        EXPECT_EQ(m_dlg->m_nDisCurve[3][255 - v], 255 - k) << v;
    }
    EXPECT_EQ(m_dlg->m_nGrid[1], static_cast<int>(m_dlg->m_nInnerWidth * 0.5));
    EXPECT_EQ(m_dlg->m_rcInner.Width(), m_dlg->m_rcCurve.Width() - 2);
}

// The grid in grey and the curves over it, each curve point where its ink
// puts it.
TEST_F(InkfoldDialogTest, PaintsTheGridAndTheCurves)
{
    Run([](CInkfoldDlg& dlg) {
        dlg.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        HDC dc = ::GetDC(dlg.GetSafeHwnd());
        const CRect& inner = dlg.m_rcInner;
        const COLORREF face = ::GetPixel(dc, inner.left + 3, inner.top + 3);
        EXPECT_EQ(::GetPixel(dc, inner.left + dlg.m_nGrid[1], inner.top + 3), RGB(128, 128, 128));
        EXPECT_EQ(::GetPixel(dc, inner.left, inner.top + 3), RGB(128, 128, 128));
        // On a point of the black curve away from the grid and the other
        // curves the face is inverted (R2_NOTXORPEN with a black pen).
        const int width = inner.Width() - 1;
        const int height = inner.Height() - 1;
        auto yOf = [&](int curve, int i) { return inner.bottom - 1 - dlg.m_nDisCurve[curve][i] * height / 255; };
        bool checked = false;
        for (int i = 200; i > 100 && !checked; --i) {
            const int x = inner.left + i * width / 255;
            const int y = yOf(3, i);
            bool clear = y > inner.top + 1 && y < inner.bottom - 2;
            for (int g = 0; g < 3; ++g)
                clear = clear && x != inner.left + dlg.m_nGrid[g] && y != inner.top + static_cast<int>(height * 0.25 * (g + 1)) &&
                        y != inner.top + static_cast<int>((height + 1) * 0.25 * (g + 1));
            for (int curve = 0; curve < 3; ++curve)
                clear = clear && std::abs(yOf(curve, i) - y) > 2;
            if (clear) {
                EXPECT_EQ(::GetPixel(dc, x, y), ~face & 0xFFFFFF) << i;
                checked = true;
            }
        }
        EXPECT_TRUE(checked);
        ::ReleaseDC(dlg.GetSafeHwnd(), dc);
    });
}

// A missing "default.par" has said so; the dialog opens on the defaults.
TEST_F(InkfoldDialogTest, MissingDefaultsFileIsReportedAndTheDefaultsStay)
{
    ::DeleteFileA(ColorFile("default.par").c_str());
    auto& box = ExpectWindow().Press(IDOK);
    Run([](CInkfoldDlg& dlg) { EXPECT_EQ(ItemText(dlg, IDC_INKFOLD_TOTALINK), "320"); });
    EXPECT_TRUE(box.HasText("打开文件错 - " + ProgramFolder() + "\\..\\color\\default.par"));
}

// The UCA a default file holds is what the edit shows.
TEST_F(InkfoldDialogTest, OpensOnSavedGcrSettings)
{
    ASSERT_EQ(GcrParameters(35, 280).SaveParFile(ColorFile("default.par").c_str()), 1);
    Run([](CInkfoldDlg& dlg) {
        ExpectGcrControls(dlg, "35", "280");
        EXPECT_EQ(dlg.m_model.m_nUca, 35);
    });
}

TEST_F(InkfoldDialogTest, SwitchOffUnderColourDisablesItsControls)
{
    CSeparationCore saved;
    saved.m_nSwitch[9] = 0;
    saved.m_nSwitch[10] = 0;
    ASSERT_EQ(saved.SaveParFile(ColorFile("default.par").c_str()), 1);
    Run([](CInkfoldDlg& dlg) {
        for (int id : {IDC_INKFOLD_TYPE_UCR, IDC_INKFOLD_TYPE_GCR, IDC_INKFOLD_UCR, IDC_INKFOLD_UCA,
                       IDC_INKFOLD_TOTALINK})
            EXPECT_FALSE(dlg.GetDlgItem(id)->IsWindowEnabled()) << id;
    });
}

TEST_F(InkfoldDialogTest, UcrAndGcrRadiosSwitchTheModelAndTheirControls)
{
    Run([](CInkfoldDlg& dlg) {
        dlg.m_model.m_nUca = 40;
        Click(dlg, IDC_INKFOLD_TYPE_GCR);
        EXPECT_EQ(dlg.m_model.m_nUcrControl, 0);
        EXPECT_FALSE(dlg.GetDlgItem(IDC_INKFOLD_UCR)->IsWindowEnabled());
        EXPECT_TRUE(dlg.GetDlgItem(IDC_INKFOLD_UCA)->IsWindowEnabled());
        // The GCR table was rebuilt with the UCA the model holds.
        CSeparationCore expected(dlg.m_model);
        expected.BuildGcrTable();
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(dlg.m_model.m_nGcrTable[i], expected.m_nGcrTable[i]) << i;
        int c, m, y, k;
        dlg.m_model.ConvertColor(90, 90, 90, c, m, y, k);
        EXPECT_EQ(dlg.m_nDisCurve[0][255 - 90], 255 - c);

        Click(dlg, IDC_INKFOLD_TYPE_UCR);
        EXPECT_EQ(dlg.m_model.m_nUcrControl, 1);
        EXPECT_TRUE(dlg.GetDlgItem(IDC_INKFOLD_UCR)->IsWindowEnabled());
        EXPECT_FALSE(dlg.GetDlgItem(IDC_INKFOLD_UCA)->IsWindowEnabled());
    });
}

// ---------------------------------------------------------------------------
// The two edits

struct EditCase {
    const char* name;
    int control;
    const char* text;
    const char* message;   // null: taken
    int total;             // the held total ink expected afterwards, percent
    int uca;
};

void PrintTo(const EditCase& c, std::ostream* os)
{
    *os << c.name;
}

class InkfoldEditTest : public InkfoldDialogTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(InkfoldEditTest, TakesAValueInRangeAndRefusesOthers)
{
    const EditCase& c = GetParam();
    testsupport::WindowExpectation* pBox = nullptr;
    if (c.message != nullptr)
        pBox = &ExpectWindow().Press(IDOK);
    Run([&c](CInkfoldDlg& dlg) {
        Click(dlg, IDC_INKFOLD_TYPE_GCR);
        SetItemText(dlg, c.control, c.text);
    });
    if (pBox != nullptr) {
        EXPECT_TRUE(pBox->Seen());
        EXPECT_TRUE(pBox->HasText(c.message));
    }
    EXPECT_EQ(m_dlg->m_model.m_nTotalInk, CSeparationCore::TotalInkToHeld(c.total));
    EXPECT_EQ(m_dlg->m_model.m_nUca, c.uca);
}

const EditCase kEditCases[] = {
    {"TotalInk400", IDC_INKFOLD_TOTALINK, "400", nullptr, 400, 0},
    {"TotalInk0", IDC_INKFOLD_TOTALINK, "0", nullptr, 0, 0},
    {"TotalInkEmptyReadsAsZero", IDC_INKFOLD_TOTALINK, "", nullptr, 0, 0},
    {"TotalInk401", IDC_INKFOLD_TOTALINK, "401", "请输入0 - 400之间的整数。", 320, 0},
    {"TotalInkNegative", IDC_INKFOLD_TOTALINK, "-1", "请输入0 - 400之间的整数。", 320, 0},
    {"Uca100", IDC_INKFOLD_UCA, "100", nullptr, 320, 100},
    {"UcaEmptyReadsAsZero", IDC_INKFOLD_UCA, "", nullptr, 320, 0},
    {"Uca101", IDC_INKFOLD_UCA, "101", "请输入0 - 100 之间的整数。", 320, 0},
};

INSTANTIATE_TEST_SUITE_P(Edits, InkfoldEditTest, ::testing::ValuesIn(kEditCases),
                         [](const ::testing::TestParamInfo<EditCase>& info) { return info.param.name; });

TEST_F(InkfoldDialogTest, UcaRebuildsTheGcrTable)
{
    Run([](CInkfoldDlg& dlg) {
        Click(dlg, IDC_INKFOLD_TYPE_GCR);
        SetItemText(dlg, IDC_INKFOLD_UCA, "60");
        CSeparationCore expected(dlg.m_model);
        expected.m_nUca = 60;
        expected.BuildGcrTable();
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(dlg.m_model.m_nGcrTable[i], expected.m_nGcrTable[i]) << i;
    });
}

// ---------------------------------------------------------------------------
// The ink list

TEST_F(InkfoldDialogTest, AnotherInkSetBecomesTheOutputBalance)
{
    const std::string inkList = testsupport::ReadFileBytes(ColorFile("ink.dat"));
    int rows[3][kInkSteps];
    ASSERT_TRUE(ReadInkRecord(inkList.data(), inkList.size(), 4, rows));
    Run([&rows, this](CInkfoldDlg& dlg) {
        dlg.m_model.m_nOutBalSource[1] = 0;
        SelectInk(dlg, 4);
        CSeparationModel& model = dlg.m_model;
        EXPECT_EQ(model.m_nInk, 4);
        EXPECT_EQ(model.m_nBalanceCount, 21);
        for (int ch = 0; ch < 3; ++ch) {
            EXPECT_EQ(model.m_nOutBalSource[ch], 1);
            EXPECT_EQ(model.m_nBalance[ch][20], CSeparationCore::PercentToLevel(rows[ch][0]));
            EXPECT_EQ(model.m_nBalance[ch][0], CSeparationCore::PercentToLevel(rows[ch][20]));
            int table[256];
            CSeparationCore::BalanceToTable(model.m_nBalance[ch], table, 21, 255);
            for (int i = 0; i < 256; ++i)
                ASSERT_EQ(model.m_nOutBalTable[ch][i], table[i]) << ch << "," << i;
        }
        int c, m, y, k;
        model.ConvertColor(128, 128, 128, c, m, y, k);
        EXPECT_EQ(dlg.m_nDisCurve[1][127], 255 - m);

        // The same set again reads nothing: with the list gone no message.
        ::DeleteFileA(ColorFile("ink.dat").c_str());
        const CSeparationCore before(model);
        SelectInk(dlg, 4);
        ExpectSameParameters(model, before);
    });
}

TEST_F(InkfoldDialogTest, MissingInkListNamesItsPathAndChangesNothing)
{
    ::DeleteFileA(ColorFile("ink.dat").c_str());
    auto& box = ExpectWindow().Press(IDOK);
    Run([](CInkfoldDlg& dlg) {
        const CSeparationCore before(dlg.m_model);
        SelectInk(dlg, 2);
        ExpectSameParameters(dlg.m_model, before);
        EXPECT_EQ(dlg.m_cmbSelectInk.GetCurSel(), 0);
    });
    EXPECT_TRUE(box.HasText("打开文件错 - " + ProgramFolder() + "\\..\\color\\ink.dat"));
}

TEST_F(InkfoldDialogTest, HostileInkListIsAFileTypeErrorAndChangesNothing)
{
    // Record 1 has a row with a word among its numbers.
    std::string list = testsupport::ReadFileBytes(ColorFile("ink.dat"));
    const size_t second = list.find("M%", list.find("Toyo"));
    ASSERT_NE(second, std::string::npos);
    list.replace(second + 8, 2, "xx");
    ASSERT_TRUE(testsupport::WriteFileBytes(ColorFile("ink.dat"), list));
    auto& box = ExpectWindow().Press(IDOK);
    Run([](CInkfoldDlg& dlg) {
        const CSeparationCore before(dlg.m_model);
        SelectInk(dlg, 1);
        ExpectSameParameters(dlg.m_model, before);
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(dlg.m_model.m_nOutBalTable[1][i], before.m_nOutBalTable[1][i]);
        EXPECT_EQ(dlg.m_cmbSelectInk.GetCurSel(), 0);
    });
    EXPECT_TRUE(box.HasText("文件类型错误"));
}

}  // namespace
}  // namespace inktest
