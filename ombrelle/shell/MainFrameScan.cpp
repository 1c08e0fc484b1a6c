// The main frame's part of scanning: the automatic scan dialog and the
// scanner library's message for a file just written.
#include "MainFrame.h"

LRESULT CMainFrame::OnScannedFile(WPARAM wParam, LPARAM)
{
    LPCSTR pszPath = reinterpret_cast<LPCSTR>(wParam);
    if (pszPath == NULL)
        return 0;
    CString strFolder = pszPath;
    int nSlash = strFolder.ReverseFind('\\');
    if (nSlash >= 0)
        strFolder = strFolder.Left(nSlash);
    // Listing the folder lets messages through: the window may close meanwhile.
    std::shared_ptr<bool> spAlive = GetAliveToken();
    SelectFolderInTree(strFolder);
    if (!*spAlive)
        return 0;

    // Only a run that is going counts down again; a file that arrives after
    // the dialog was stopped or closed starts nothing.
    if (m_bAutoScanning && m_autoScanDlg.GetSafeHwnd() != NULL && m_autoScanDlg.IsRunning())
        m_autoScanDlg.SendMessage(WM_AUTOSCAN_NEXT);
    return 0;
}

void CMainFrame::OnAutoFlatbedScan()
{
    m_autoScanDlg.DoModal();
    // The next file the scanner writes belongs to no automatic run.
    m_bAutoScanning = FALSE;
}
