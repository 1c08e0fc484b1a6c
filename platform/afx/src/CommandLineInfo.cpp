// The command line's parameters turned into a shell command and switches.
#include "afxwin.h"
#include "afxdisp.h"

CCommandLineInfo::CCommandLineInfo()
    : m_bShowSplash(TRUE), m_bRunEmbedded(FALSE), m_bRunAutomated(FALSE), m_nShellCommand(FileNew)
{
}

CCommandLineInfo::~CCommandLineInfo() {}

void CCommandLineInfo::ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast)
{
    if (bFlag)
        ParseParamFlag(pszParam);
    else
        ParseParamNotFlag(pszParam);
    ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(const TCHAR* pszParam)
{
    // Switches are compared without regard to case, as the shell and OLE
    // write them in either.
    if (lstrcmpiA(pszParam, "pt") == 0)
        m_nShellCommand = FilePrintTo;
    else if (lstrcmpiA(pszParam, "p") == 0)
        m_nShellCommand = FilePrint;
    else if (lstrcmpiA(pszParam, "Unregister") == 0 || lstrcmpiA(pszParam, "Unregserver") == 0)
        m_nShellCommand = AppUnregister;
    else if (lstrcmpiA(pszParam, "dde") == 0) {
        AfxOleSetUserCtrl(FALSE);
        m_nShellCommand = FileDDE;
    } else if (lstrcmpiA(pszParam, "Embedding") == 0) {
        // Started by OLE, not by a user: no splash, and the program ends
        // with its last object rather than with a user.
        AfxOleSetUserCtrl(FALSE);
        m_bRunEmbedded = TRUE;
        m_bShowSplash = FALSE;
    } else if (lstrcmpiA(pszParam, "Automation") == 0) {
        AfxOleSetUserCtrl(FALSE);
        m_bRunAutomated = TRUE;
        m_bShowSplash = FALSE;
    } else if (lstrcmpiA(pszParam, "nologo") == 0)
        m_bShowSplash = FALSE;
}

void CCommandLineInfo::ParseParamNotFlag(const TCHAR* pszParam)
{
    // The first plain parameter is the file; after /pt the next three name
    // the printer, its driver and its port.
    if (m_strFileName.IsEmpty())
        m_strFileName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty())
        m_strPrinterName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty())
        m_strDriverName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty())
        m_strPortName = pszParam;
}

void CCommandLineInfo::ParseLast(BOOL bLast)
{
    // A file name without a command opens the file.
    if (bLast && m_nShellCommand == FileNew && !m_strFileName.IsEmpty())
        m_nShellCommand = FileOpen;
}
