#include "AssociateHtmlView.h"

#include "OmbrelleApp.h"
#include "PageScript.h"

IMPLEMENT_DYNCREATE(CAssociateHtmlView, CHtmlView)

BEGIN_MESSAGE_MAP(CAssociateHtmlView, CHtmlView)
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

CAssociateHtmlView::CAssociateHtmlView() {}

CAssociateHtmlView::~CAssociateHtmlView() {}

CString CAssociateHtmlView::AssociatePageAddress()
{
    const CString strAddress = static_cast<COmbrelleApp*>(AfxGetApp())->m_strAssociatePageUrl;
    return strAddress.IsEmpty() ? CString("http://" ASSOCIATE_DEFAULT_HOST ASSOCIATE_DEFAULT_PATH) : strAddress;
}

void CAssociateHtmlView::OnInitialUpdate()
{
    CHtmlView::OnInitialUpdate();
    Navigate2(AssociatePageAddress());
}

void CAssociateHtmlView::OnLButtonDblClk(UINT, CPoint)
{
    GetSelectedAssetIds();
}

CString CAssociateHtmlView::GetSelectedAssetIds()
{
    return GetSelectedAssetIds(CPageObject::DocumentOf(*this).Get());
}

CString CAssociateHtmlView::GetSelectedAssetIds(IDispatch* pDocument)
{
    const CPageObject all = CPageObject::Shared(pDocument).Object("all");
    if (all.Item("Assetlist").IsEmpty())
        return CString();
    const CPageObject rows = all.Item("tblAssetList").Object("rows");
    CString strIds;
    // Row 0 is the header. The check box is the first element of a cell.
    const long nRows = rows.Length();
    for (long nRow = 1; nRow < nRows; ++nRow) {
        const CPageObject cells = rows.Item(nRow).Object("cells");
        const long nCells = cells.Length();
        for (long nCell = 0; nCell < nCells; ++nCell) {
            const CPageObject box = cells.Item(nCell).Object("children").Item(0L);
            if (box.Text("type").CompareNoCase("checkbox") == 0 && box.Flag("checked"))
                strIds += box.Text("value") + ";";
        }
    }
    if (!strIds.IsEmpty())
        strIds.Delete(strIds.GetLength() - 1);
    return strIds;
}

CString CAssociateHtmlView::CallGetXmlNode()
{
    return CallGetXmlNode(CPageObject::DocumentOf(*this).Get());
}

CString CAssociateHtmlView::CallGetXmlNode(IDispatch* pDocument)
{
    return CallPageScriptText(pDocument, "fnGetXMLNode");
}

CString CAssociateHtmlView::DescribeSelectElements(IDispatch* pDocument, LPCTSTR lpszName)
{
    const CPageObject elements = CPageObject::Shared(pDocument).Call("getElementsByName", lpszName);
    CString strText;
    const long nCount = elements.Length();
    for (long i = 0; i < nCount; ++i) {
        const CPageObject element = elements.Item(i);
        if (element.Text("tagName").CompareNoCase("select") == 0)
            strText += DescribeElement(element);
    }
    return strText;
}
