// Inkfold's two language copies: the platform picks the dialog, its ink
// list and the strings by the user's language. The English copy is seen by
// starting the probe program from the host side under an English locale (an
// environment set by a Windows parent does not reach a Wine child).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "HostCommand.h"
#include "Process.h"
#include "TempDir.h"
#include "WinePath.h"

namespace {

using testsupport::ShellQuote;
using testsupport::UnixPath;

std::string ProgramFolder()
{
    const std::string exe = testsupport::ThisExecutable();
    return exe.substr(0, exe.find_last_of('\\'));
}

// Runs the probe under a locale; returns its report ("" when it failed).
// Wine hands its host children WINEPREFIX and DISPLAY but not WINELOADER.
std::string Probe(const std::string& locale)
{
    testsupport::TempDir dir;
    const std::string report = dir.File("report.txt");
    const std::string probe = UnixPath(ProgramFolder() + "\\inkfold_language_probe.exe");
    const std::string command = "LANG=" + locale + " LC_ALL=" + locale + " /usr/lib/wine/wine64 " + ShellQuote(probe) +
                                " " + ShellQuote(report) + " " + ShellQuote(ProgramFolder());
    if (!testsupport::RunOnHost(command))
        return "";
    return testsupport::ReadFileBytes(report);
}

// Wine writes the locale a program starts under into the user's registry
// ("Control Panel\International"), which the programs running beside it
// read: this test runs alone and ends under the project's locale.
TEST(InkfoldLanguage, EachLocaleSeesItsOwnCopy)
{
    EXPECT_EQ(Probe("en_US.UTF-8"),
              "Separation Setting\nTianjin Ink(Coated)\nCannon Color Laser Copier\nLoad...\n"
              "Please enter an integer between 0 and 400.\n0409\n");
    EXPECT_EQ(Probe("zh_CN.UTF-8"),
              "设置分色参数\n国产天津油墨\n佳能激光打印机\n装入参数文件...\n请输入0 - 400之间的整数。\n0804\n");
}

}  // namespace
