#include "afxdlgs.h"

#include "CurrentFolder.h"
#include "FileDialogTestRes.h"
#include "GuiDriver.h"
#include "TempDir.h"

#include <dlgs.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

const char kExplorerTitle[] = "选择图像";
// The file name box of explorer-style dialogs is a combo box (edt1 belongs
// to the old style).
const int kExplorerFileName = cmb13;

// A literal's bytes, embedded NULs included.
template <size_t N>
std::string Bytes(const char (&text)[N])
{
    return std::string(text, N - 1);
}

std::string MakeFile(const testsupport::TempDir& dir, const std::string& name)
{
    std::string path = dir.File(name);
    EXPECT_TRUE(testsupport::WriteFileBytes(path, "x"));
    return path;
}

// Some file dialogs change the current folder: tests leave it as found.
using testsupport::KeepCurrentFolder;

// ---------------------------------------------------------------------------
// The multiple-selection result formats

struct MultiSelectCase {
    const char* name;
    DWORD flags;
    std::string buffer;  // as the dialog leaves it, NULs included
    std::vector<std::string> expected;
};

void PrintTo(const MultiSelectCase& c, std::ostream* os)
{
    *os << c.name;
}

class FileDialogMultiSelect : public ::testing::TestWithParam<MultiSelectCase> {};

TEST_P(FileDialogMultiSelect, WalksEveryChosenPath)
{
    const MultiSelectCase& c = GetParam();
    CFileDialog dlg(TRUE);
    std::vector<char> buffer(c.buffer.begin(), c.buffer.end());
    buffer.resize(buffer.size() + 2, '\0');
    dlg.m_ofn.lpstrFile = buffer.data();
    dlg.m_ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    dlg.m_ofn.Flags = c.flags;

    std::vector<std::string> paths;
    POSITION pos = dlg.GetStartPosition();
    while (pos != NULL && paths.size() < 10)
        paths.push_back(static_cast<LPCTSTR>(dlg.GetNextPathName(pos)));
    EXPECT_EQ(paths, c.expected);
}

const DWORD kExplorerMulti = OFN_EXPLORER | OFN_ALLOWMULTISELECT;
const DWORD kOldMulti = OFN_ALLOWMULTISELECT;

INSTANTIATE_TEST_SUITE_P(
    Formats, FileDialogMultiSelect,
    ::testing::Values(
        MultiSelectCase{"ExplorerMany", kExplorerMulti, Bytes("C:\\图片\0a.jpg\0b c.tif\0"),
                        {"C:\\图片\\a.jpg", "C:\\图片\\b c.tif"}},
        MultiSelectCase{"ExplorerSingle", kExplorerMulti, Bytes("C:\\图片\\a.jpg\0"),
                        {"C:\\图片\\a.jpg"}},
        MultiSelectCase{"ExplorerRoot", kExplorerMulti, Bytes("C:\\\0a.jpg\0b.jpg\0"),
                        {"C:\\a.jpg", "C:\\b.jpg"}},
        MultiSelectCase{"OldStyleMany", kOldMulti, "C:\\SCANS A.JPG B.TIF", {"C:\\SCANS\\A.JPG", "C:\\SCANS\\B.TIF"}},
        MultiSelectCase{"OldStyleSingle", kOldMulti, "C:\\SCANS\\A.JPG", {"C:\\SCANS\\A.JPG"}},
        // A folder ending in a character whose trail byte is '\\' (0x81
        // 0x5C) still needs its separator.
        MultiSelectCase{"ExplorerDoubleByteFolder", kExplorerMulti, Bytes("C:\\\x81\x5c\0a.jpg\0b.jpg\0"),
                        {"C:\\\x81\x5c\\a.jpg", "C:\\\x81\x5c\\b.jpg"}},
        // Without multiple selection the buffer is one path, spaces and all.
        MultiSelectCase{"SingleWithSpaces", OFN_EXPLORER, "C:\\my scans\\a b.jpg", {"C:\\my scans\\a b.jpg"}}),
    [](const ::testing::TestParamInfo<MultiSelectCase>& info) { return std::string(info.param.name); });

TEST(FileDialog, FilterBarsBecomeTheDialogsPairs)
{
    // "文" is 0xCE 0xC4 and "|" may follow a lead byte as its trail: only
    // real separators are cut.
    CFileDialog dlg(TRUE, "jpg", NULL, OFN_HIDEREADONLY, "图像\xb1\x7c (*.jpg)|*.jpg|全部|*.*||");
    const char* p = dlg.m_ofn.lpstrFilter;
    ASSERT_NE(p, nullptr);
    std::vector<std::string> parts;
    while (*p != '\0') {
        parts.push_back(p);
        p += strlen(p) + 1;
    }
    EXPECT_EQ(parts, (std::vector<std::string>{"图像\xb1\x7c (*.jpg)", "*.jpg", "全部", "*.*"}));
    EXPECT_STREQ(dlg.m_ofn.lpstrDefExt, "jpg");
    EXPECT_TRUE(dlg.m_ofn.Flags & OFN_EXPLORER);
}

TEST(FileDialog, NamePartsComeFromThePath)
{
    CFileDialog dlg(FALSE, NULL, "D:\\存档\\扫描.2024.tif");
    EXPECT_STREQ(dlg.GetPathName(), "D:\\存档\\扫描.2024.tif");
    EXPECT_STREQ(dlg.GetFileName(), "扫描.2024.tif");
    EXPECT_STREQ(dlg.GetFileExt(), "tif");
    EXPECT_STREQ(dlg.GetFileTitle(), "扫描.2024");

    CFileDialog bare(FALSE, NULL, "D:\\存档\\说明");
    EXPECT_STREQ(bare.GetFileExt(), "");
    EXPECT_STREQ(bare.GetFileTitle(), "说明");
}

// ---------------------------------------------------------------------------
// Explorer-style dialogs driven as a person would

TEST(FileDialog, ExplorerDialogGivesTheTypedFile)
{
    KeepCurrentFolder keep;
    testsupport::TempDir dir;
    std::string path = MakeFile(dir, "样张.jpg");

    CFileDialog dlg(TRUE, NULL, NULL, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, "图像|*.jpg||");
    dlg.m_ofn.lpstrTitle = kExplorerTitle;
    auto& window = testsupport::Gui().Expect(kExplorerTitle).SetText(kExplorerFileName, path).Press(IDOK);

    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(window.Seen());
    EXPECT_STREQ(dlg.GetPathName(), path.c_str());
    EXPECT_STREQ(dlg.GetFileName(), "样张.jpg");
    EXPECT_STREQ(dlg.GetFileExt(), "jpg");
    EXPECT_STREQ(dlg.GetFileTitle(), "样张");
    EXPECT_EQ(dlg.m_hWnd, (HWND)NULL) << "the object still holds the closed dialog";
}

TEST(FileDialog, ExplorerDialogCancelled)
{
    CFileDialog dlg(TRUE);
    dlg.m_ofn.lpstrTitle = kExplorerTitle;
    testsupport::Gui().Expect(kExplorerTitle).Press(IDCANCEL);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

// The dialog's CDN_ notifications reach the overridables.
class NotifiedFileDialog : public CFileDialog {
public:
    NotifiedFileDialog() : CFileDialog(TRUE) {}
    int m_nFolderChanges = 0;
    CString m_strFolder;

protected:
    void OnFolderChange() override
    {
        ++m_nFolderChanges;
        m_strFolder = GetFolderPath();
    }
};

TEST(FileDialog, ExplorerFolderChangeReachesTheOverridable)
{
    KeepCurrentFolder keep;
    testsupport::TempDir dir;

    NotifiedFileDialog dlg;
    dlg.m_ofn.lpstrTitle = kExplorerTitle;
    dlg.m_ofn.lpstrInitialDir = dir.Path().c_str();
    testsupport::Gui().Expect(kExplorerTitle).Press(IDCANCEL);

    ASSERT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_GE(dlg.m_nFolderChanges, 1);
    EXPECT_STRCASEEQ(dlg.m_strFolder, dir.Path().c_str());
}

// Refuses the first name (the dialog stays open, the user types another and
// presses OK again) and takes the second.
class RefusingFileDialog : public CFileDialog {
public:
    RefusingFileDialog(const std::string& second) : CFileDialog(FALSE), m_second(second) {}

    std::vector<std::string> m_offered;
    BOOL m_bOpenAfterRefusal = FALSE;
    BOOL m_bInitDialog = FALSE;

protected:
    BOOL OnInitDialog() override
    {
        m_bInitDialog = m_hWnd != NULL && CWnd::FromHandlePermanent(m_hWnd) == this;
        return CFileDialog::OnInitDialog();
    }

    BOOL OnFileNameOK() override
    {
        m_offered.push_back(static_cast<LPCTSTR>(GetPathName()));
        HWND hDlg = ::GetParent(m_hWnd);
        if (m_offered.size() == 1) {
            ::SetDlgItemTextA(hDlg, kExplorerFileName, m_second.c_str());
            ::PostMessageA(::GetDlgItem(hDlg, IDOK), BM_CLICK, 0, 0);
            return TRUE;
        }
        m_bOpenAfterRefusal = ::IsWindowVisible(hDlg);
        return FALSE;
    }

private:
    std::string m_second;
};

TEST(FileDialog, FileNameRefusedKeepsTheDialogOpen)
{
    KeepCurrentFolder keep;
    testsupport::TempDir dir;
    std::string first = dir.File("第一.txt");
    std::string second = dir.File("第二.txt");

    RefusingFileDialog dlg(second);
    dlg.m_ofn.lpstrTitle = kExplorerTitle;
    testsupport::Gui().Expect(kExplorerTitle).SetText(kExplorerFileName, first).Press(IDOK);

    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(dlg.m_bInitDialog) << "OnInitDialog ran without the object attached";
    EXPECT_EQ(dlg.m_offered, (std::vector<std::string>{first, second}));
    EXPECT_TRUE(dlg.m_bOpenAfterRefusal);
    EXPECT_STREQ(dlg.GetPathName(), second.c_str());
}

// ---------------------------------------------------------------------------
// Old style with a template of the program's: the object is the dialog

class TemplateFileDialog : public CFileDialog {
public:
    TemplateFileDialog() : CFileDialog(TRUE, NULL, NULL, OFN_HIDEREADONLY)
    {
        m_ofn.Flags &= ~OFN_EXPLORER;
        m_ofn.Flags |= OFN_ENABLETEMPLATE;
        m_ofn.lpTemplateName = MAKEINTRESOURCE(IDD_FILEDLGTEST_OLDSTYLE);
        m_ofn.lpstrTitle = "选择文件夹";  // the dialog's caption, whatever the template's
    }

    int m_nMarks = 0;
    CString m_strEditAtMark;
    std::vector<std::string> m_offered;
    BOOL m_bHasFolderList = FALSE;
    std::vector<UINT> m_listChanges;  // box, item, code
    int m_nOK = 0;

protected:
    BOOL OnInitDialog() override
    {
        m_bHasFolderList = GetDlgItem(lst2) != NULL;
        return CFileDialog::OnInitDialog();
    }

    BOOL OnFileNameOK() override
    {
        m_offered.push_back(static_cast<LPCTSTR>(GetFileName()));
        return FALSE;
    }

    void OnOK() override
    {
        ++m_nOK;
        CFileDialog::OnOK();  // the dialog checks the name and ends itself
    }

    void OnLBSelChangedNotify(UINT nIDBox, UINT iCurSel, UINT nCode) override
    {
        m_listChanges.insert(m_listChanges.end(), {nIDBox, iCurSel, nCode});
    }

    afx_msg void OnMark()
    {
        ++m_nMarks;
        GetDlgItemText(edt1, m_strEditAtMark);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TemplateFileDialog, CFileDialog)
    ON_BN_CLICKED(IDC_FILEDLGTEST_MARK, OnMark)
END_MESSAGE_MAP()

TEST(FileDialog, OldStyleTemplateControlsReachTheMessageMap)
{
    KeepCurrentFolder keep;
    testsupport::TempDir dir;
    MakeFile(dir, "旧式.txt");

    TemplateFileDialog dlg;
    dlg.m_ofn.lpstrInitialDir = dir.Path().c_str();
    auto& window = testsupport::Gui()
                       .Expect("选择文件夹")
                       .SetText(edt1, "标记前")
                       .Press(IDC_FILEDLGTEST_MARK)
                       .SelectItem(lst1, "旧式.txt")
                       .Press(IDOK);

    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(window.Seen());
    EXPECT_TRUE(dlg.m_bHasFolderList);
    EXPECT_EQ(dlg.m_nMarks, 1);
    EXPECT_EQ(dlg.m_nOK, 1);
    EXPECT_STREQ(dlg.m_strEditAtMark, "标记前");
    EXPECT_EQ(dlg.m_listChanges, (std::vector<UINT>{lst1, 0, CD_LBSELCHANGE}));
    EXPECT_EQ(dlg.m_offered, (std::vector<std::string>{"旧式.txt"}));
    EXPECT_STREQ(dlg.GetFileName(), "旧式.txt");
    EXPECT_EQ(dlg.m_hWnd, (HWND)NULL);
}

}  // namespace
