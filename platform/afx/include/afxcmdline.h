// What the program's command line asks for: the shell command (new, open,
// print, print to, DDE, unregister) with its file and printer, and the
// start-up switches.
#pragma once

#include "afx.h"

class AFX_API CCommandLineInfo : public CObject {
public:
    // Defaults: a new document, the splash screen shown, run by the user.
    CCommandLineInfo();
    virtual ~CCommandLineInfo();

    // One parameter of the command line, its switch character ('/' or '-')
    // already stripped when bFlag is TRUE; bLast marks the final one.
    virtual void ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash;
    BOOL m_bRunEmbedded;
    BOOL m_bRunAutomated;
    enum {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppUnregister,
        FileNothing = -1
    } m_nShellCommand;

    CString m_strFileName;  // the file to open or print
    CString m_strPrinterName;  // the three fields after /pt
    CString m_strDriverName;
    CString m_strPortName;

protected:
    void ParseParamFlag(const TCHAR* pszParam);
    void ParseParamNotFlag(const TCHAR* pszParam);
    void ParseLast(BOOL bLast);
};
