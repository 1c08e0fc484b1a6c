// JSelectColorMode: the user chooses colour management or traditional
// separation, for the system or the current job; the choice is kept in
// Job.ini and followed by the convert library's profile choice or Inkfold's
// separation dialog.
#include "Ordwell.h"

#include <vector>

#include "ColorModeDlg.h"
#include "General.h"
#include "InkfoldDlg.h"
#include "ProfileChoice.h"
#include "resource.h"

namespace {

enum { kColorManagement = 0, kSeparation = 1 };

// A writable, zero-terminated copy for the interfaces that take char*.
std::vector<char> Writable(const CString& text)
{
    LPCTSTR p = text;
    std::vector<char> copy(p, p + text.GetLength());
    copy.push_back('\0');
    return copy;
}

// Runs the choice dialog with Ordwell's resources current; the previous
// resource handle is back before this returns. FALSE unless OK.
BOOL AskColorMode(int& nMode, BOOL& bAsSystem)
{
    CColorModeDlg dialog;
    CJobInitFile ini;
    dialog.m_nColorMode = ini.GetInitFileItemInt(IDS_INI_SECTION_COLOR, IDS_INI_KEY_MODE) != 0 ? kSeparation
                                                                                               : kColorManagement;
    dialog.m_bAsSystem = JGetCurJob() == NULL ? 1 : 0;
    HINSTANCE previous = SetOrdwellResourceHandle();
    INT_PTR result = dialog.DoModal();
    AfxSetResourceHandle(previous);
    nMode = dialog.m_nColorMode;
    bAsSystem = dialog.m_bAsSystem;
    return result == IDOK;
}

void RunSeparation(const CString& strTableFolder, const CString& strProgramFolder)
{
    std::vector<char> table = Writable(strTableFolder);
    std::vector<char> work = Writable(strProgramFolder);
    CInkfoldDlg dialog(NULL, table.data(), work.data());
    dialog.DoModal();
}

// The choice starts from the profiles in force (the job's or the system's),
// so that a cancelled choice keeps them.
void ChooseProfiles(const CString& strFolder, const CString& strProgramFolder, JCJob* pJob)
{
    CString scanner, printer, display;
    if (pJob != NULL) {
        scanner = pJob->m_strScanProfile;
        printer = pJob->m_strPrintProfile;
        display = pJob->m_strDisplayProfile;
    } else {
        JGetDefaultProfiles(scanner, printer, display);
    }
    CProfileChoice choice(scanner, display, printer);
    char further[CProfileChoice::kBufferBytes] = "";
    choice.Run(strProgramFolder, strFolder, further);
    if (pJob != NULL) {
        pJob->m_strScanProfile = choice.Scanner();
        pJob->m_strPrintProfile = choice.Printer();
        pJob->m_strDisplayProfile = choice.Display();
    } else {
        JSetDefaultProfiles(choice.Scanner(), choice.Printer(), choice.Display());
        JWriteDefaultProfilesToIni();
    }
}

}  // namespace

void JSelectColorMode()
{
    int mode = kColorManagement;
    BOOL asSystem = FALSE;
    if (!AskColorMode(mode, asSystem))
        return;

    JCJob* pJob = JGetCurJob();
    const BOOL forSystem = asSystem || pJob == NULL;
    const CString program = GenGetProgramFolder();
    const CString folder = forSystem ? program + "\\..\\color" : JGetJobPath();
    if (mode == kSeparation)
        RunSeparation(folder, program);
    else if (mode == kColorManagement)
        ChooseProfiles(folder, program, forSystem ? NULL : pJob);

    CString text;
    text.Format("%d", mode);
    CJobInitFile ini;
    ini.SetInitFileItem(IDS_INI_SECTION_COLOR, IDS_INI_KEY_MODE, text, 0);

    std::vector<char> jobFolder = Writable(JGetJobPath());
    LoadConvertTable(pJob != NULL ? jobFolder.data() : NULL);
}
