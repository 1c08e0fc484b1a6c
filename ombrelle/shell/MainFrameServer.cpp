// The main frame's part in the server log-in: every server client asks here.
#include "MainFrame.h"

#include "OmbrelleApp.h"
#include "OmbrelleDoc.h"

BOOL CMainFrame::EnsureServerLogin(int nForce)
{
    CDocument* pCurrent = static_cast<COmbrelleApp*>(AfxGetApp())->GetCurrentDocument();
    COmbrelleDoc* pDoc = dynamic_cast<COmbrelleDoc*>(pCurrent);
    return pDoc != NULL ? pDoc->ValidateUploadLogin(nForce) : FALSE;
}
