// The separation dialog's load and save buttons with the file dialogs.
#include "InkfoldDialogFixture.h"

#include <dlgs.h>
#include <gtest/gtest.h>

#include <ostream>

#include "CurrentFolder.h"
#include "SeparationFixtures.h"
#include "resource.h"

namespace inktest {
namespace {

using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

// The file dialogs change the current folder: tests leave it as found.
using testsupport::KeepCurrentFolder;

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
    const std::string path = m_dir.File("locked.par");
    HeldOpen held(path);
    ASSERT_TRUE(held.Held());
    ExpectWindow().SetText(cmb13, m_dir.File("locked")).Press(IDOK);
    auto& box = ExpectWindow().Press(IDOK);
    Run([](CInkfoldDlg& dlg) { Click(dlg, IDC_INKFOLD_SAVE); });
    EXPECT_TRUE(box.HasText("打开文件错 - " + path));
}

TEST_F(InkfoldDialogTest, LoadingAFileUpdatesTheEditsAndSwitches)
{
    KeepCurrentFolder keep;
    const CSeparationCore file = GcrParameters(40, 250);
    const std::string path = m_dir.File("other.par");
    ASSERT_EQ(file.SaveParFile(path.c_str()), 1);
    ExpectWindow().SetText(cmb13, path).Press(IDOK);
    Run([](CInkfoldDlg& dlg) {
        Click(dlg, IDC_INKFOLD_LOAD);
        ExpectGcrControls(dlg, "40", "250");
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
