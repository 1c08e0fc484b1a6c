// The application's command line: splitting it into parameters for a
// CCommandLineInfo, and carrying out the shell command it names.
#include "afxwin.h"
#include "afxdisp.h"

#include <stdlib.h>

namespace {

// Removes what the program registered: its OLE servers' registrations.
// The user's profile is left alone.
void UnregisterApplication(CWinApp&)
{
    COleObjectFactory::UnregisterAll();
}

}  // namespace

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    // The C runtime has already split the line (quotes, backslashes) the way
    // every program on the system does; only the switch character is ours.
    for (int i = 1; i < __argc; i++) {
        const char* pszParam = __argv[i];
        BOOL bFlag = FALSE;
        if (pszParam[0] == '-' || pszParam[0] == '/') {
            bFlag = TRUE;
            ++pszParam;
        }
        rCmdInfo.ParseParam(pszParam, bFlag, i + 1 == __argc);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    BOOL bResult = TRUE;
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew: {
        // Through the command routing, so that the program's own ID_FILE_NEW
        // handler makes the first document; without one nothing is made.
        CWinApp* pApp = AfxGetApp() != nullptr ? AfxGetApp() : this;
        pApp->OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr);
        if (m_pMainWnd == nullptr)
            bResult = FALSE;
        break;
    }

    case CCommandLineInfo::FileOpen:
        if (OpenDocumentFile(rCmdInfo.m_strFileName) == nullptr)
            bResult = FALSE;
        break;

    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
        // Printing from the shell: the window stays hidden and the program
        // ends once the document has been printed.
        m_nCmdShow = SW_HIDE;
        if (OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr && m_pMainWnd != nullptr)
            m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
        bResult = FALSE;
        break;

    case CCommandLineInfo::FileDDE:
        // The shell's DDE conversation that follows shows the window.
        m_nCmdShow = SW_HIDE;
        break;

    case CCommandLineInfo::AppUnregister:
        UnregisterApplication(*this);
        bResult = FALSE;  // that is all the program was started for
        break;

    case CCommandLineInfo::FileNothing:
        break;
    }
    return bResult;
}
