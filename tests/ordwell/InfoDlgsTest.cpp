// The disk, memory and job information dialogs.
#include "JobDialogFixture.h"
#include "SizeText.h"

#include <commctrl.h>

using namespace jobtest;
using testsupport::Gui;
using testsupport::WriteFileBytes;

namespace {

std::string TreeText(HWND tree, HTREEITEM item)
{
    char text[512] = "";
    TVITEMA tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = sizeof text;
    ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return text;
}

// Each root, then its children indented by two blanks.
Lines TreeLines(HWND dialog, int id)
{
    HWND tree = ::GetDlgItem(dialog, id);
    Lines lines;
    for (HTREEITEM root = TreeView_GetRoot(tree); root != NULL; root = TreeView_GetNextSibling(tree, root)) {
        lines.push_back(TreeText(tree, root));
        for (HTREEITEM child = TreeView_GetChild(tree, root); child != NULL;
             child = TreeView_GetNextSibling(tree, child))
            lines.push_back("  " + TreeText(tree, child));
    }
    return lines;
}

using InfoDialogs = JobDialogTest;

TEST_F(InfoDialogs, TasksShowTheirJobsWithSizesAndTheFixedDrives)
{
    MakeTask("T.tsk", {"J", "K"});
    // J holds an original of 3,670,016 bytes; K's file is gone.
    JCJob job;
    const std::string picture = m_dir.File("p.tif");
    ASSERT_TRUE(WriteFileBytes(picture, std::string(3670016, 'x')));
    JCOrigin* pOrigin = new JCOrigin;
    pOrigin->m_strFile = picture.c_str();
    job.m_lstOrigin.AddTail(pOrigin);
    job.m_strScanProfile = job.m_strPrintProfile = job.m_strDisplayProfile = "";
    ASSERT_TRUE(WriteJobFile(JobFile("J").c_str(), job));
    ::DeleteFileA(JobFile("K").c_str());
    // Files that are no tasks of ours are listed without jobs.
    ASSERT_TRUE(WriteFileBytes(TaskFile("bad.tsk"), std::string("\x0a\xff\x00\x00\xff\xff\xff\x7f", 8)));
    ASSERT_TRUE(WriteFileBytes(TaskFile("empty.tsk"), ""));

    Lines tree, drives;
    Gui().Expect("硬盘信息")
        .Run([&](HWND dialog) {
            tree = TreeLines(dialog, 4574);
            drives = ListViewRows(dialog, 4582, 3);
        })
        .Press(IDOK);
    JShowHarddiskInfo();
    EXPECT_EQ((Lines{"bad.tsk", "empty.tsk", "T.tsk", "  " + JobFolder("J") + " : 3.50MB",
                     "  " + JobFolder("K") + " : 0.00MB"}),
              tree);

    Lines fixed;
    for (char letter = 'A'; letter <= 'Z'; letter++) {
        const std::string root = std::string(1, letter) + ":\\";
        if (::GetDriveTypeA(root.c_str()) != DRIVE_FIXED)
            continue;
        ULARGE_INTEGER available, total, free;
        if (::GetDiskFreeSpaceExA(root.c_str(), &available, &total, &free))
            fixed.push_back(root + "|" + jobsize::DriveMegabyteText(total.QuadPart) + "|");
        else
            fixed.push_back(root + "|?|?");
    }
    ASSERT_EQ(fixed.size(), drives.size());
    // The free space changes while other programs write: compared up to it.
    for (size_t i = 0; i < fixed.size(); i++)
        EXPECT_EQ(0u, drives[i].find(fixed[i])) << drives[i];
}

TEST_F(InfoDialogs, MemoryIsShownInKilobytes)
{
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof status;
    ASSERT_TRUE(::GlobalMemoryStatusEx(&status));
    std::string total, available;
    Gui().Expect("内存信息")
        .Run([&](HWND dialog) {
            total = ItemText(dialog, 4581);
            available = ItemText(dialog, 4576);
        })
        .Press(IDOK);
    JShowMemoryInfo();
    EXPECT_EQ(jobsize::KilobyteText(status.ullTotalPhys), total);
    ASSERT_GT(available.size(), 2u);
    EXPECT_EQ("KB", available.substr(available.size() - 2));
}

TEST_F(InfoDialogs, DiskSelectionHandsBackItsTexts)
{
    JCDiskSelectDlg dialog(NULL);
    Gui().Expect("磁盘选择").SelectItem(4517, "aaa").SetText(4516, "备份盘").Press(IDOK);
    ASSERT_EQ(IDOK, dialog.DoModal());
    EXPECT_STREQ("aaa", dialog.m_strDisk);
    EXPECT_STREQ("备份盘", dialog.m_strDiskName);
}

}  // namespace
