// The model's messages as the user sees them, with Inkfold's own resources.
#include "afxwin.h"

#include <gtest/gtest.h>

#include "GuiDriver.h"
#include "Inkfold.h"
#include "TempDir.h"

namespace {

using testsupport::Gui;
using testsupport::TempDir;
using testsupport::WriteFileBytes;

TEST(InkfoldModelMessages, MissingFileNamesItsPath)
{
    TempDir dir;
    std::string path = dir.File("缺少.par");
    auto& box = Gui().Expect("").Press(IDOK);
    CSeparationModel model;
    EXPECT_EQ(model.LoadParFile(path.c_str()), 0);
    EXPECT_TRUE(box.Seen());
    EXPECT_TRUE(box.HasText("打开文件错 - " + path));
}

TEST(InkfoldModelMessages, WrongFileTypeFromInkfoldsStrings)
{
    TempDir dir;
    std::string path = dir.File("x.par");
    ASSERT_TRUE(WriteFileBytes(path, "[ink=0]\n"));
    HINSTANCE before = AfxGetResourceHandle();
    auto& box = Gui().Expect("").Press(IDOK);
    CSeparationModel model;
    EXPECT_EQ(model.LoadParFile(path.c_str()), 0);
    EXPECT_TRUE(box.Seen());
    EXPECT_TRUE(box.HasText("文件类型错误"));
    EXPECT_EQ(AfxGetResourceHandle(), before);
}

TEST(InkfoldModelMessages, ResourceHandleSwapsAndComesBack)
{
    HINSTANCE before = AfxGetResourceHandle();
    HINSTANCE previous = SetInkfoldResourceHandle();
    EXPECT_EQ(previous, before);
    EXPECT_EQ(AfxGetResourceHandle(), ::GetModuleHandleA("Inkfold.dll"));
    AfxSetResourceHandle(previous);
}

TEST(InkfoldModelMessages, SingularFitSaysSoOncePerBuild)
{
    CSeparationModel model;
    for (int col : {0, 1, 2, 4, 5, 6})
        for (int row = 0; row < 3; ++row)
            model.m_nColor[row][col] = 100;
    auto& box = Gui().Expect("").Press(IDOK);
    EXPECT_EQ(model.BuildTables(), 1);
    EXPECT_TRUE(box.Seen());
    EXPECT_TRUE(box.HasText("\nDevided by Zero Error"));
    EXPECT_EQ("", box.Caption());
    // A second box would fail the test as unexpected.
}

// A copy reports through its own wrapper.
TEST(InkfoldModelMessages, CopiedModelStillShowsItsMessages)
{
    TempDir dir;
    CSeparationModel original;
    CSeparationModel copy(original);
    std::string path = dir.File("none.par");
    auto& box = Gui().Expect("").Press(IDOK);
    EXPECT_EQ(copy.LoadParFile(path.c_str()), 0);
    EXPECT_TRUE(box.Seen());
}

}  // namespace
