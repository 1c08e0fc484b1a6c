// The separation dialog's load and save buttons with the file dialogs.
#include "InkfoldDialogFixture.h"

#include <dlgs.h>
#include <gtest/gtest.h>

#include <ostream>

#include "SeparationFixtures.h"
#include "resource.h"

namespace inktest {
namespace {

using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

// The file dialogs change the current folder: tests leave it as found.
class KeepCurrentFolder {
public:
    KeepCurrentFolder() { ::GetCurrentDirectoryA(MAX_PATH, m_folder); }
    ~KeepCurrentFolder() { ::SetCurrentDirectoryA(m_folder); }

private:
    char m_folder[MAX_PATH];
};

// The parameters a saved file gives back: the working targets come back as
// the stored ones.
CSeparationCore AsSaved(const CSeparationCore& model)
{
    CSeparationCore saved(model);
    for (int r = 0; r < 3; ++r)
        for (int i = 0; i < CSeparationCore::kPatches; ++i)
            saved.m_nTarget[r][i] = saved.m_nColor[CSeparationCore::RowCt + r][i];
    return saved;
}

struct SaveCase {
    const char* name;
    const char* typed;
    const char* written;
};

void PrintTo(const SaveCase& c, std::ostream* os)
{
    *os << c.name;
}

class InkfoldSaveTest : public InkfoldDialogTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(InkfoldSaveTest, WritesTheModelUnderItsParName)
{
    const SaveCase& c = GetParam();
    KeepCurrentFolder keep;
    ExpectWindow().SetText(cmb13, m_dir.File(c.typed)).Press(IDOK);
    Run([](CInkfoldDlg& dlg) {
        SetItemText(dlg, IDC_INKFOLD_TOTALINK, "275");
        Click(dlg, IDC_INKFOLD_SAVE);
    });
    CSeparationCore loaded;
    ASSERT_EQ(loaded.LoadParFile(m_dir.File(c.written).c_str()), 1);
    EXPECT_EQ(loaded.m_nTotalInk, CSeparationCore::TotalInkToHeld(275));
    ExpectSameParameters(loaded, AsSaved(m_dlg->m_model));
}

const SaveCase kSaveCases[] = {
    {"NameWithoutParGetsIt", "mine", "mine.par"},
    {"ParNameStays", "mine.par", "mine.par"},
    {"ParInTheMiddleStays", "a.par.bak", "a.par.bak"},
};

INSTANTIATE_TEST_SUITE_P(Names, InkfoldSaveTest, ::testing::ValuesIn(kSaveCases),
                         [](const ::testing::TestParamInfo<SaveCase>& info) { return info.param.name; });

TEST_F(InkfoldDialogTest, UnwritableParFileNamesItsPath)
{
    KeepCurrentFolder keep;
    // Held open without sharing: the only way to refuse a writer that runs
    // as root.
    const std::string path = m_dir.File("locked.par");
    HANDLE held = ::CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ExpectWindow().SetText(cmb13, m_dir.File("locked")).Press(IDOK);
    auto& box = ExpectWindow().Press(IDOK);
    Run([](CInkfoldDlg& dlg) { Click(dlg, IDC_INKFOLD_SAVE); });
    ::CloseHandle(held);
    EXPECT_TRUE(box.HasText("打开文件错 - " + path));
}

TEST_F(InkfoldDialogTest, LoadingAFileUpdatesTheEditsAndSwitches)
{
    KeepCurrentFolder keep;
    CSeparationCore file;
    file.m_nUcrControl = 0;
    file.m_nUca = 40;
    file.m_nTotalInk = CSeparationCore::TotalInkToHeld(250);
    file.m_nSwitch[3] = 1;
    file.m_nSwitch[5] = 0;
    const std::string path = m_dir.File("other.par");
    ASSERT_EQ(file.SaveParFile(path.c_str()), 1);
    ExpectWindow().SetText(cmb13, path).Press(IDOK);
    Run([](CInkfoldDlg& dlg) {
        Click(dlg, IDC_INKFOLD_LOAD);
        EXPECT_EQ(ItemText(dlg, IDC_INKFOLD_TOTALINK), "250");
        EXPECT_EQ(ItemText(dlg, IDC_INKFOLD_UCA), "40");
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_INKFOLD_TYPE_GCR), BST_CHECKED);
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_INKFOLD_TYPE_UCR), BST_UNCHECKED);
        EXPECT_FALSE(dlg.GetDlgItem(IDC_INKFOLD_UCR)->IsWindowEnabled());
        EXPECT_TRUE(dlg.GetDlgItem(IDC_INKFOLD_UCA)->IsWindowEnabled());
        EXPECT_TRUE(dlg.GetDlgItem(IDC_INKFOLD_INGRAY)->IsWindowEnabled());
        EXPECT_FALSE(dlg.GetDlgItem(IDC_INKFOLD_COLOR)->IsWindowEnabled());
        int c, m, y, k;
        dlg.m_model.ConvertColor(60, 60, 60, c, m, y, k);
        EXPECT_EQ(dlg.m_nDisCurve[2][255 - 60], 255 - y);
    });
    ExpectSameParameters(AsSaved(m_dlg->m_model), file);
}

TEST_F(InkfoldDialogTest, LoadingAFileOfAnotherKindChangesNothing)
{
    KeepCurrentFolder keep;
    const std::string path = m_dir.File("notes.par");
    ASSERT_TRUE(WriteFileBytes(path, "[ink=3]\r\n"));
    ExpectWindow().SetText(cmb13, path).Press(IDOK);
    auto& box = ExpectWindow().Press(IDOK);
    Run([](CInkfoldDlg& dlg) {
        const CSeparationCore before(dlg.m_model);
        Click(dlg, IDC_INKFOLD_LOAD);
        ExpectSameParameters(dlg.m_model, before);
        EXPECT_EQ(ItemText(dlg, IDC_INKFOLD_TOTALINK), "320");
    });
    EXPECT_TRUE(box.HasText("文件类型错误"));
}

}  // namespace
}  // namespace inktest
