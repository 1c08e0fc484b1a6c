// The dump dialog's figures and its room check.
#include "JobDialogFixture.h"
#include "SizeText.h"

#include <climits>

using namespace jobtest;
using testsupport::Gui;

namespace {

const char kDumpDialog[] = "转储作业";
const int kOrigins = 4553, kOutputs = 4554, kOriginSize = 4555, kOutputSize = 4556, kTotal = 4557,
          kDiskTotal = 4558, kDriveBox = 4593, kDumpPath = 4560, kUpdate = 4561;
const ULONGLONG kGiB = 1024ull * 1024 * 1024;

using DumpDialog = JobDialogTest;

TEST_F(DumpDialog, TheTotalIsTheSumOfTheCheckedParts)
{
    JCDumpDlg dialog(NULL);
    dialog.m_nOriginSize = 1572864;
    dialog.m_nOutputSize = 5 * kGiB;
    dialog.m_nDumpSize = dialog.m_nOriginSize;
    std::string first, both, outputsOnly, none, originText, outputText;
    bool pathEnabled = true;
    Gui().Expect(kDumpDialog)
        .Run([&](HWND h) {
            first = ItemText(h, kTotal);
            originText = ItemText(h, kOriginSize);
            outputText = ItemText(h, kOutputSize);
            pathEnabled = Enabled(h, kDumpPath);
        })
        .Check(kOutputs)
        .Run([&](HWND h) { both = ItemText(h, kTotal); })
        .Check(kOrigins, false)
        .Run([&](HWND h) { outputsOnly = ItemText(h, kTotal); })
        .Check(kOutputs, false)
        .Run([&](HWND h) { none = ItemText(h, kTotal); })
        .Press(IDCANCEL);
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ("1572864    (1.50MB)", first);
    EXPECT_EQ("1572864    (1.50MB)", originText);
    EXPECT_EQ("5368709120    (5120.00MB)", outputText);
    EXPECT_EQ("5370281984    (5121.50MB)", both);
    EXPECT_EQ("5368709120    (5120.00MB)", outputsOnly);
    EXPECT_EQ("0    (0.00MB)", none);
    EXPECT_FALSE(pathEnabled);
}

// On the drive of the current folder: a dump larger than any drive is
// refused and the dialog stays; with nothing to dump it ends with IDOK.
TEST_F(DumpDialog, ARealDriveWithoutRoomIsRefused)
{
    char current[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, current);
    ULARGE_INTEGER available, total, free;
    ASSERT_TRUE(::GetDiskFreeSpaceExA(std::string(current, 3).c_str(), &available, &total, &free));
    JCDumpDlg dialog(NULL);
    dialog.m_nOriginSize = ULLONG_MAX / 2;
    dialog.m_nDumpSize = dialog.m_nOriginSize;
    std::string caption, diskTotal;
    auto& refused = Gui().Expect(AfxGetAppName()).Press(IDOK);
    Gui().Expect(kDumpDialog)
        .Run([&](HWND h) {
            caption = ItemText(h, kDriveBox);
            diskTotal = ItemText(h, kDiskTotal);
        })
        .Press(kUpdate)
        .Press(IDOK)
        .Check(kOrigins, false)
        .Press(IDOK);
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_TRUE(refused.HasText("所选磁盘没有足够空间来卸出!\n\n请选择另一磁盘."));
    EXPECT_EQ("驱动器" + std::string(current, 3) + "空间", caption);
    EXPECT_EQ(jobsize::SizeText(total.QuadPart), diskTotal);
    EXPECT_EQ(0, dialog.m_bDumpOrigin);
}

// A sparse original of 3 GiB: the exported measure stops at the int limit,
// the dump dialog shows the exact size.
TEST_F(DumpDialog, AJobAbove2GiBIsClampedByGetJobSizeAndExactInTheDialog)
{
    MakeTask("T.tsk", {"J"});
    OpenInManager("T.tsk", "J");
    const std::string big = m_dir.File("big.tif");
    HANDLE file = ::CreateFileA(big.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD returned = 0;
    ::DeviceIoControl(file, FSCTL_SET_SPARSE, NULL, 0, NULL, 0, &returned, NULL);
    LARGE_INTEGER size;
    size.QuadPart = 3 * kGiB;
    const BOOL sized = ::SetFilePointerEx(file, size, NULL, FILE_BEGIN) && ::SetEndOfFile(file);
    ::CloseHandle(file);
    ASSERT_TRUE(sized);
    JCOrigin* pOrigin = new JCOrigin;
    pOrigin->m_strFile = big.c_str();
    JGetCurJob()->m_lstOrigin.AddTail(pOrigin);

    int jobBytes = 0, outputBytes = -1;
    EXPECT_EQ(INT_MAX, JGetCurJob()->GetJobSize(jobBytes, outputBytes));
    EXPECT_EQ(INT_MAX, jobBytes);
    EXPECT_EQ(0, outputBytes);
    EXPECT_EQ(INT_MAX, JGetCurJob()->GetFileSize(big.c_str()));

    std::string shown, total;
    Gui().Expect(kDumpDialog)
        .Run([&](HWND h) {
            shown = ItemText(h, kOriginSize);
            total = ItemText(h, kTotal);
        })
        .Press(IDCANCEL);
    JDumpJob();
    EXPECT_EQ("3221225472    (3072.00MB)", shown);
    EXPECT_EQ(shown, total);
    ::DeleteFileA(big.c_str());
}

}  // namespace
