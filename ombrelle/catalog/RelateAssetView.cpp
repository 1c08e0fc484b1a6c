#include "RelateAssetView.h"

#include "OmbrelleApp.h"
#include "PageScript.h"

IMPLEMENT_DYNCREATE(CRelateAssetView, CHtmlView)

BEGIN_MESSAGE_MAP(CRelateAssetView, CHtmlView)
END_MESSAGE_MAP()

CRelateAssetView::CRelateAssetView() {}

CRelateAssetView::~CRelateAssetView() {}

void CRelateAssetView::DoDataExchange(CDataExchange* pDX)
{
    CHtmlView::DoDataExchange(pDX);
}

CString CRelateAssetView::AccessoryPageAddress()
{
    const CString strAddress = static_cast<COmbrelleApp*>(AfxGetApp())->m_strAccessoryPageUrl;
    return strAddress.IsEmpty() ? CString(ACCESSORY_DEFAULT_HOST ACCESSORY_DEFAULT_PATH) : strAddress;
}

void CRelateAssetView::OnInitialUpdate()
{
    CHtmlView::OnInitialUpdate();
    Navigate2(AccessoryPageAddress());
}

CString CRelateAssetView::CallGetFilesize()
{
    return CallGetFilesize(CPageObject::DocumentOf(*this).Get());
}

CString CRelateAssetView::CallGetFilesize(IDispatch* pDocument)
{
    return CallPageScriptText(pDocument, "GetFilesize", {}, kScriptErrorShown);
}

CString CRelateAssetView::CallGetXml(LPCTSTR lpszText)
{
    return CallGetXml(CPageObject::DocumentOf(*this).Get(), lpszText);
}

CString CRelateAssetView::CallGetXml(IDispatch* pDocument, LPCTSTR lpszText)
{
    return CallPageScriptText(pDocument, "fnGetXML", {lpszText});
}

void CRelateAssetView::CallGetUploadLocation(LPCTSTR lpszFirst, LPCTSTR lpszSecond)
{
    CallGetUploadLocation(CPageObject::DocumentOf(*this).Get(), lpszFirst, lpszSecond);
}

void CRelateAssetView::CallGetUploadLocation(IDispatch* pDocument, LPCTSTR lpszFirst, LPCTSTR lpszSecond)
{
    m_strLocationBefore.Empty();
    m_strLocationAfter.Empty();
    const CString strLocation = CallPageScriptText(pDocument, "GetUploadLocation", {lpszFirst, lpszSecond});
    const int nHash = strLocation.Find('#');
    if (nHash < 0)
        return;
    m_strLocationBefore = strLocation.Left(nHash);
    m_strLocationAfter = strLocation.Mid(nHash + 1);
}

CString CRelateAssetView::ReadAddForm()
{
    return ReadAddForm(CPageObject::DocumentOf(*this).Get());
}

CString CRelateAssetView::ReadAddForm(IDispatch* pDocument)
{
    const CPageObject form = CPageObject::Shared(pDocument).Object("forms").Item("addform");
    if (form.IsEmpty())
        return CString();
    CString strText = DescribeElement(form);
    const CPageObject elements = form.Object("elements");
    const long nCount = elements.Length();
    for (long i = 0; i < nCount; ++i)
        strText += DescribeElement(elements.Item(i));
    return strText;
}
