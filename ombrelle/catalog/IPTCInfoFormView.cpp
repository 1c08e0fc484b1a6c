#include "IPTCInfoFormView.h"

#include "OmbrelleDoc.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CIPTCInfoFormView, CFormView)

namespace {

// The edits in the page's order, matching the members of CIPTCInfoFormView
// and the document's IPTC texts.
const int kEdits[] = {
    IDC_IPTC_CAPTION,     IDC_IPTC_HEADLINE, IDC_IPTC_CATEGORY,    IDC_IPTC_ENVE_NUMBER, IDC_IPTC_ENVE_PRIORITY,
    IDC_IPTC_LANGUAGE,    IDC_IPTC_PRODUCT,  IDC_IPTC_SERVICE,     IDC_IPTC_DESTINATION, IDC_IPTC_OBJECT_NAME,
    IDC_IPTC_ORIGINAL,    IDC_IPTC_CITY,     IDC_IPTC_COUNTRY,
};

}  // namespace

CIPTCInfoFormView::CIPTCInfoFormView() : CFormView(IDD_IPTC_INFO) {}

CIPTCInfoFormView::~CIPTCInfoFormView() {}

void CIPTCInfoFormView::DoDataExchange(CDataExchange* pDX)
{
    CFormView::DoDataExchange(pDX);
    CString* texts[] = {&m_strDescription, &m_strHeadLine,  &m_strCategory,    &m_strEnveNumber, &m_strEnvePriority,
                        &m_strLanguageID,  &m_strProductID, &m_strServiceID,   &m_strDestination, &m_strObjName,
                        &m_strOriginalTX,  &m_strCity,      &m_strCountry};
    for (size_t i = 0; i < sizeof(kEdits) / sizeof(kEdits[0]); ++i)
        DDX_Text(pDX, kEdits[i], *texts[i]);
}

void CIPTCInfoFormView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    ClearFields();
}

void CIPTCInfoFormView::ShowFields()
{
    const CString* texts[] = {&m_strDescription, &m_strHeadLine,  &m_strCategory,  &m_strEnveNumber, &m_strEnvePriority,
                              &m_strLanguageID,  &m_strProductID, &m_strServiceID, &m_strDestination, &m_strObjName,
                              &m_strOriginalTX,  &m_strCity,      &m_strCountry};
    for (size_t i = 0; i < sizeof(kEdits) / sizeof(kEdits[0]); ++i)
        SetDlgItemText(kEdits[i], *texts[i]);
}

void CIPTCInfoFormView::ClearFields()
{
    for (int nEdit : kEdits)
        SetDlgItemText(nEdit, "");
}

void CIPTCInfoFormView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    CFormView::OnActivateView(bActivate, pActivateView, pDeactiveView);
    if (bActivate || GetSafeHwnd() == NULL)
        return;
    UpdateData(TRUE);
    COmbrelleDoc* pDoc = DYNAMIC_DOWNCAST(COmbrelleDoc, GetDocument());
    if (pDoc == NULL)
        return;
    pDoc->m_strDescription = m_strDescription;
    pDoc->m_strHeadLine = m_strHeadLine;
    pDoc->m_strCategory = m_strCategory;
    pDoc->m_strEnveNumber = m_strEnveNumber;
    pDoc->m_strEnvePriority = m_strEnvePriority;
    pDoc->m_strLanguageID = m_strLanguageID;
    pDoc->m_strProductID = m_strProductID;
    pDoc->m_strServiceID = m_strServiceID;
    pDoc->m_strDestination = m_strDestination;
    pDoc->m_strObjName = m_strObjName;
    pDoc->m_strOriginalTX = m_strOriginalTX;
    pDoc->m_strCity = m_strCity;
    pDoc->m_strCountry = m_strCountry;
}
