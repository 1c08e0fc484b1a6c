// The view's part in a submission: the copies of the taken pictures, then
// the engine's single or list submission.
#include "OmbrelleView.h"

#include "General.h"
#include "MainFrame.h"
#include "OmbrelleApp.h"
#include "OmbrelleDoc.h"
#include "PicThumnailFormView.h"
#include "UploadFiles.h"

namespace {

const char kChoosePictures[] = "请选择上载的图片";

// Photoshop and PostScript files, and files of no known type, get no copies.
BOOL HasNoCopies(int nFileType) { return nFileType == 0 || nFileType == 18 || nFileType == 50; }

}  // namespace

void COmbrelleView::PrepareUpload()
{
    COmbrelleApp* pApp = static_cast<COmbrelleApp*>(AfxGetApp());
    CMainFrame* pFrame = pApp != NULL ? pApp->m_pMainFrame : NULL;
    CPicThumnailFormView* pThumbnails = pFrame != NULL ? pFrame->GetThumbnailView() : NULL;
    if (pThumbnails == NULL || pThumbnails->m_arrSelectedFiles.GetSize() == 0) {
        AfxMessageBox(kChoosePictures);
        return;
    }
    COmbrelleDoc* pDoc = GetDocument();
    CUploadEngineWnd& engine = pDoc->m_engine;
    engine.m_pDoc = pDoc;

    // The pane's list may change while a submission's message boxes are open.
    CStringArray arrSelected;
    arrSelected.Copy(pThumbnails->m_arrSelectedFiles);
    BOOL bAnyTaken = FALSE;
    for (INT_PTR i = 0; i < arrSelected.GetSize(); ++i) {
        if (pDoc->m_strOriginalFolder.IsEmpty()) {
            AfxMessageBox(kChoosePictures);
            return;
        }
        const CString& strPath = arrSelected[i];
        if (pFrame->m_nUploadMode == 0 && !IsInList(pDoc->m_arrCatalogued, strPath))
            continue;
        bAnyTaken = TRUE;
        pDoc->m_strCurrentPicture = strPath;
        if (HasNoCopies(GenGetFileType(strPath))) {
            pDoc->m_strWebCopy.Empty();
            pDoc->m_strPreviewCopy.Empty();
        } else {
            engine.MakePreviewCopy(strPath);
            engine.MakeWebCopy(strPath);
        }
    }
    if (arrSelected.GetSize() > 1)
        engine.SubmitPictureList(arrSelected);
    else if (bAnyTaken)  // a picture that was not taken is not submitted
        engine.SubmitSinglePicture();
    pDoc->m_arrCatalogued.RemoveAll();
}
