// The document's cataloguing command: the catalogue tree and the metadata
// form of the chosen asset type in a window of their own.
#include "OmbrelleDoc.h"

#include "AssetSubWnd.h"
#include "MainFrame.h"
#include "OmbrelleView.h"
#include "RecordSubWnd.h"
#include "ServerSession.h"
#include "resource.h"

void COmbrelleDoc::OpenCataloguing()
{
    // The form's submission takes every selected picture.
    if (CMainFrame* pMainFrame = GetMainFrame())
        pMainFrame->m_nUploadMode = 1;
    if (m_strBaseServerUrl.IsEmpty()) {
        AfxMessageBox(IDS_CATALOGUE_NO_SERVER_URL);
        return;
    }
    if (CurrentCategoryId == "-9999999" || m_strServerUrl.IsEmpty()) {
        AfxMessageBox(IDS_CATALOGUE_NO_ASSET_TYPE);
        return;
    }
    if (!ValidateUploadLogin(0))
        return;
    if (m_strOriginalName.IsEmpty()) {
        AfxMessageBox("请先选择要进行编目的图片");
        return;
    }

    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(COmbrelleView);
    context.m_pCurrentDoc = this;
    // A frame whose creation fails has deleted itself.
    CRecordSubWnd* pFrame = new CRecordSubWnd;
    if (!pFrame->Create(NULL, "衡远汇影--文件著录", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600), NULL, NULL, 0,
                        &context)) {
        AfxMessageBox(IDS_ASSET_TYPES_UNREACHABLE);
        return;
    }
    ShowCataloguingFrame(pFrame, this);
}
