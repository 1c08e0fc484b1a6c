// The thumbnail list's three dialogs: file types, icon spacing and file
// properties, with what their callers read after them.
#include "FilePropertiesDlg.h"
#include "FileTypeDlg.h"
#include "IconSpacingDlg.h"

#include <commctrl.h>

#include "GuiDriver.h"
#include "ScanTestApp.h"
#include "WhenShown.h"

#include <ostream>
#include <string>
#include <vector>

namespace scantest {

using testsupport::Click;
using testsupport::ItemText;
using testsupport::WhenShown;
namespace {

using testsupport::Gui;

const char* const kNineTypes[] = {"BMP", "JPG", "JPEG", "TIF", "TIFF", "GIF", "PIC", "GRH", "EPS"};

class FileTypeTest : public ScanTest {
protected:
    void SetUp() override
    {
        ScanTest::SetUp();
        OpenDocument();
    }

    void AddType(const char* pszExtension, int bSelected)
    {
        auto* pType = new PicTypeEntry;
        pType->strName = pType->strExtension = pType->strDescription = pszExtension;
        pType->bSelected = pType->bSelectedBefore = bSelected;
        m_pDoc->m_picTypes.Add(pType);
    }

    // The nine types, with the stored choice: every one but those given.
    void RegisterNine(const std::vector<std::string>& unselected)
    {
        for (const char* pszType : kNineTypes) {
            bool bOff = false;
            for (const std::string& off : unselected)
                bOff = bOff || off == pszType;
            AddType(pszType, bOff ? 0 : 1);
            m_app.WriteProfileInt("PicType", pszType, bOff ? 0 : 1);
        }
    }

    std::string Selected(int bBefore = 0) const
    {
        std::string text;
        for (INT_PTR i = 0; i < m_pDoc->m_picTypes.GetSize(); ++i) {
            const PicTypeEntry* pType = m_pDoc->m_picTypes[i];
            text += std::string(pType->strExtension) + "=" +
                    std::to_string(bBefore ? pType->bSelectedBefore : pType->bSelected) + " ";
        }
        return text;
    }

    std::string Stored(const std::vector<std::string>& types)
    {
        std::string text;
        for (const std::string& type : types)
            text += type + "=" + std::to_string(m_app.GetProfileInt("PicType", type.c_str(), -1)) + " ";
        return text;
    }

    static std::vector<std::string> Nine() { return std::vector<std::string>(std::begin(kNineTypes), std::end(kNineTypes)); }

    // The rows as the list shows them: "<extension>:<description>:<checked>".
    static std::vector<std::string> Rows(HWND dialog)
    {
        HWND list = ::GetDlgItem(dialog, IDC_FILE_TYPE_LIST);
        std::vector<std::string> rows;
        int nCount = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < nCount; ++i) {
            char szExt[64] = "", szDesc[64] = "";
            ListView_GetItemText(list, i, 0, szExt, sizeof(szExt));
            ListView_GetItemText(list, i, 1, szDesc, sizeof(szDesc));
            rows.push_back(std::string(szExt) + ":" + szDesc + ":" + (ListView_GetCheckState(list, i) ? "1" : "0"));
        }
        return rows;
    }

    // Checks or unchecks a row as a click on its box does.
    static void SetCheck(HWND dialog, int nRow, bool bCheck)
    {
        ListView_SetCheckState(::GetDlgItem(dialog, IDC_FILE_TYPE_LIST), nRow, bCheck);
    }

    int Run(std::function<void(HWND)> action)
    {
        WhenShown shown("文件类型", std::move(action));
        CFileTypeDlg dlg(m_pDoc);
        int nResult = static_cast<int>(dlg.DoModal());
        EXPECT_TRUE(shown.Done());
        return nResult;
    }
};

TEST_F(FileTypeTest, RowsFollowTheStoredChoiceAndUncheckingJpgStoresIt)
{
    RegisterNine({"GIF"});
    std::vector<std::string> rows;
    EXPECT_EQ(Run([&](HWND dialog) {
                  rows = Rows(dialog);
                  SetCheck(dialog, 1, false);
                  Click(dialog, IDOK);
              }),
              IDOK);

    const std::vector<std::string> shown = {"BMP:BMP:1", "JPG:JPG:1", "JPEG:JPEG:1", "TIF:TIF:1", "TIFF:TIFF:1",
                                            "GIF:GIF:0", "PIC:PIC:1", "GRH:GRH:1", "EPS:EPS:1"};
    EXPECT_EQ(rows, shown);
    EXPECT_EQ(Selected(), "BMP=1 JPG=0 JPEG=1 TIF=1 TIFF=1 GIF=0 PIC=1 GRH=1 EPS=1 ");
    // The thumbnail list removes the files of a type selected before and not now.
    EXPECT_EQ(Selected(1), "BMP=1 JPG=1 JPEG=1 TIF=1 TIFF=1 GIF=0 PIC=1 GRH=1 EPS=1 ");
    EXPECT_EQ(Stored(Nine()), "BMP=1 JPG=0 JPEG=1 TIF=1 TIFF=1 GIF=0 PIC=1 GRH=1 EPS=1 ");
}

TEST_F(FileTypeTest, CancelAfterTogglingChangesNothing)
{
    RegisterNine({"TIFF"});
    EXPECT_EQ(Run([&](HWND dialog) {
                  SetCheck(dialog, 0, false);
                  SetCheck(dialog, 4, true);
                  Click(dialog, IDC_FILE_TYPE_NONE);
                  Click(dialog, IDCANCEL);
              }),
              IDCANCEL);

    EXPECT_EQ(Selected(), "BMP=1 JPG=1 JPEG=1 TIF=1 TIFF=0 GIF=1 PIC=1 GRH=1 EPS=1 ");
    EXPECT_EQ(Stored(Nine()), "BMP=1 JPG=1 JPEG=1 TIF=1 TIFF=0 GIF=1 PIC=1 GRH=1 EPS=1 ");
}

struct AllCase {
    const char* name;
    int nTypes;  // the first n of the nine, none of them selected
    int button;
    const char* selected;
};

void PrintTo(const AllCase& c, std::ostream* os) { *os << c.name; }

const AllCase kAllCases[] = {
    {"AllChecksEveryRow", 3, IDC_FILE_TYPE_ALL, "BMP=1 JPG=1 JPEG=1 "},
    {"NoneUnchecksEveryRow", 3, IDC_FILE_TYPE_NONE, "BMP=0 JPG=0 JPEG=0 "},
    {"AllWithOneTypeDoesNothing", 1, IDC_FILE_TYPE_ALL, "BMP=0 "},
    {"NoneWithOneTypeDoesNothing", 1, IDC_FILE_TYPE_NONE, "BMP=1 "},
};

class FileTypeAllTest : public FileTypeTest, public ::testing::WithParamInterface<AllCase> {};

TEST_P(FileTypeAllTest, ButtonThenOk)
{
    const AllCase& c = GetParam();
    // Each stored the other way round from what the button makes.
    const int bStored = c.button == IDC_FILE_TYPE_ALL ? 0 : 1;
    for (int i = 0; i < c.nTypes; ++i) {
        AddType(kNineTypes[i], bStored);
        m_app.WriteProfileInt("PicType", kNineTypes[i], bStored);
    }
    EXPECT_EQ(Run([&](HWND dialog) {
                  Click(dialog, c.button);
                  Click(dialog, IDOK);
              }),
              IDOK);
    EXPECT_EQ(Selected(), c.selected);
}

INSTANTIATE_TEST_SUITE_P(Table, FileTypeAllTest, ::testing::ValuesIn(kAllCases),
                         [](const ::testing::TestParamInfo<AllCase>& info) { return info.param.name; });

// "刷新" stores the rows' checks, puts the nine types back into the
// document, each selected, and shows them checked as stored.
TEST_F(FileTypeTest, RefreshStoresTheChecksAndRegistersTheNineTypesAgain)
{
    AddType("BMP", 1);
    AddType("PNG", 1);
    m_app.WriteProfileInt("PicType", "BMP", 1);
    m_app.WriteProfileInt("PicType", "PNG", 1);
    m_app.WriteProfileInt("PicType", "GIF", 1);
    m_app.WriteProfileInt("PicType", "EPS", 0);
    std::vector<std::string> rows;
    EXPECT_EQ(Run([&](HWND dialog) {
                  SetCheck(dialog, 0, false);
                  Click(dialog, IDC_FILE_TYPE_REFRESH);
                  rows = Rows(dialog);
                  Click(dialog, IDCANCEL);
              }),
              IDCANCEL);

    EXPECT_EQ(Stored({"BMP", "PNG"}), "BMP=0 PNG=1 ");
    const std::vector<std::string> shown = {"BMP:BMP:0", "JPG:JPG:0", "JPEG:JPEG:0", "TIF:TIF:0", "TIFF:TIFF:0",
                                            "GIF:GIF:1", "PIC:PIC:0", "GRH:GRH:0", "EPS:EPS:0"};
    EXPECT_EQ(rows, shown);
    EXPECT_EQ(Selected(), "BMP=1 JPG=1 JPEG=1 TIF=1 TIFF=1 GIF=1 PIC=1 GRH=1 EPS=1 ");
}

TEST_F(FileTypeTest, NoTypesGiveAnEmptyListWithItsColumns)
{
    std::vector<std::string> rows = {"unread"};
    std::string columns;
    EXPECT_EQ(Run([&](HWND dialog) {
                  rows = Rows(dialog);
                  HWND list = ::GetDlgItem(dialog, IDC_FILE_TYPE_LIST);
                  for (int i = 0; i < 2; ++i) {
                      char szText[32] = "";
                      LVCOLUMNA column = {};
                      column.mask = LVCF_TEXT | LVCF_WIDTH;
                      column.pszText = szText;
                      column.cchTextMax = sizeof(szText);
                      ListView_GetColumn(list, i, &column);
                      columns += std::string(szText) + "/" + std::to_string(column.cx) + " ";
                  }
                  Click(dialog, IDC_FILE_TYPE_ALL);
                  Click(dialog, IDOK);
              }),
              IDOK);
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(columns, "后缀名/100 说明/260 ");
}

struct SpacingCase {
    const char* name;
    const char* typed;  // null: left as shown
    int expected;
};

void PrintTo(const SpacingCase& c, std::ostream* os) { *os << c.name; }

const SpacingCase kSpacingCases[] = {
    {"Unchanged", nullptr, 7},
    {"Whole", "40", 40},
    {"HalfRoundsUp", "12.5", 13},
    {"BelowHalfRoundsDown", "12.49", 12},
    {"SmallHalf", "0.5", 1},
    {"Maximum", "100", 100},
    {"EmptyKeepsTheValue", "", 7},
    {"AbovePutBack", "150", 7},
    {"ThreeDecimalsPutBack", "1.125", 7},
    {"LetterPutBack", "1a", 7},
    {"NegativePutBack", "-4", 7},
};

class IconSpacingTest : public ScanTest, public ::testing::WithParamInterface<SpacingCase> {};

TEST_P(IconSpacingTest, OkTakesTheTypedValueRoundedHalfUp)
{
    const SpacingCase& c = GetParam();
    auto& window = Gui().Expect("图标间距");
    if (c.typed != nullptr)
        window.SetText(IDC_SPACING_HORZ, c.typed);
    window.Press(IDOK);
    CIconSpacingDlg dlg;
    dlg.m_nHorzSpacing = 7;
    dlg.m_nVertSpacing = 9;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nHorzSpacing, c.expected);
    EXPECT_EQ(dlg.m_nVertSpacing, 9);
}

INSTANTIATE_TEST_SUITE_P(Table, IconSpacingTest, ::testing::ValuesIn(kSpacingCases),
                         [](const ::testing::TestParamInfo<SpacingCase>& info) { return info.param.name; });

TEST_F(ScanTest, IconSpacingShowsTheCallersValuesAndCancelKeepsThem)
{
    std::string strHorz, strVert;
    WhenShown shown("图标间距", [&](HWND dialog) {
        strHorz = ItemText(dialog, IDC_SPACING_HORZ);
        strVert = ItemText(dialog, IDC_SPACING_VERT);
        ::SetDlgItemTextA(dialog, IDC_SPACING_VERT, "30");
        Click(dialog, IDCANCEL);
    });
    CIconSpacingDlg dlg;
    dlg.m_nHorzSpacing = 16;
    dlg.m_nVertSpacing = 0;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(strHorz, "16");
    EXPECT_EQ(strVert, "0");
    EXPECT_EQ(dlg.m_nVertSpacing, 0);
}

TEST_F(ScanTest, FilePropertiesShowsTheCallersTexts)
{
    std::vector<std::string> texts;
    WhenShown shown("属性", [&](HWND dialog) {
        ::UpdateWindow(dialog);
        for (int id : {IDC_PROP_LOCATION, IDC_PROP_SIZE, IDC_PROP_CREATED, IDC_PROP_MODIFIED, IDC_PROP_PICTURE_SIZE,
                       IDC_PROP_PICTURE_TYPE})
            texts.push_back(ItemText(dialog, id));
        Click(dialog, IDOK);
    });
    CFilePropertiesDlg dlg;
    dlg.m_strLocation = "D:\\扫描";
    dlg.m_strSize = "2.0 KB (2048 Bytes)";
    dlg.m_strCreated = "2024-3-5  9:7:2";
    dlg.m_strModified = "2024-3-6  10:0:0";
    dlg.m_strPictureSize = "640(H) * 480(V) Pixels";
    dlg.m_strPictureType = "RGB,72.00Dpi(H),72.00Dpi(V)";
    dlg.m_strFileName = "a.jpg";
    EXPECT_EQ(dlg.DoModal(), IDOK);

    const std::vector<std::string> expected = {"D:\\扫描",         "2.0 KB (2048 Bytes)",    "2024-3-5  9:7:2",
                                               "2024-3-6  10:0:0", "640(H) * 480(V) Pixels", "RGB,72.00Dpi(H),72.00Dpi(V)"};
    EXPECT_EQ(texts, expected);
}

}  // namespace
}  // namespace scantest
