// Opens the separation dialog in whatever language the process runs in and
// writes what it shows into the file named by its first argument: the
// caption, the first and tenth ink sets, the load button, a message text and
// its own user interface language, one a line. The language tests run it
// under other locales.
#include "InkfoldDlg.h"

#include <cstdio>
#include <string>

namespace {

CInkfoldDlg* g_pDlg = nullptr;
std::string g_report;

void CALLBACK Report(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND window = g_pDlg->GetSafeHwnd();
    if (window == NULL || !::IsWindowVisible(window))
        return;
    ::KillTimer(NULL, timer);
    CString caption, first, tenth, load, message;
    g_pDlg->GetWindowText(caption);
    g_pDlg->m_cmbSelectInk.GetLBText(0, first);
    g_pDlg->m_cmbSelectInk.GetLBText(9, tenth);
    g_pDlg->GetDlgItemText(1022, load);
    message.LoadString(1008);
    char language[16];
    std::snprintf(language, sizeof language, "%04x", ::GetUserDefaultUILanguage());
    g_report = std::string(caption) + "\n" + std::string(first) + "\n" + std::string(tenth) + "\n" +
               std::string(load) + "\n" + std::string(message) + "\n" + language + "\n";
    g_pDlg->EndDialog(IDCANCEL);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    // argv[2]: a program folder whose "..\color" holds the colour files.
    std::string table = argv[2];
    std::string work = argv[2];
    CInkfoldDlg dlg(NULL, &table[0], &work[0]);
    g_pDlg = &dlg;
    ::SetTimer(NULL, 0, 20, Report);
    dlg.DoModal();
    FILE* out = std::fopen(argv[1], "wb");
    if (out == NULL)
        return 1;
    std::fwrite(g_report.data(), 1, g_report.size(), out);
    return std::fclose(out) == 0 && !g_report.empty() ? 0 : 1;
}
