#include "General.h"

#include <cstdlib>
#include <cstring>

#include "CallLog.h"
#include "resource.h"

namespace {

// Puts the previous resource handle back however the dialog ends.
class GeneralResources {
public:
    GeneralResources() : m_previous(AfxGetResourceHandle()) { AfxSetResourceHandle(general::ThisModule()); }
    ~GeneralResources() { AfxSetResourceHandle(m_previous); }
    GeneralResources(const GeneralResources&) = delete;
    GeneralResources& operator=(const GeneralResources&) = delete;

private:
    HINSTANCE m_previous;
};

}  // namespace

BEGIN_MESSAGE_MAP(CArtColorDlg, CDialog)
    ON_LBN_SELCHANGE(IDC_GENERAL_COLOR_LIST, OnSelchangeList)
    ON_EN_CHANGE(IDC_GENERAL_COLOR_RED, OnChangeComponent)
    ON_EN_CHANGE(IDC_GENERAL_COLOR_GREEN, OnChangeComponent)
    ON_EN_CHANGE(IDC_GENERAL_COLOR_BLUE, OnChangeComponent)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CArtColorDlg::CArtColorDlg(const tagCOLORSTRUCT* pList, const int* pCount, const tagCOLORSTRUCT* pInitial,
                           CWnd* pParent)
    : CDialog(IDD_GENERAL_COLOR, pParent), m_pList(pList), m_nCount(0), m_nChosen(kInitial), m_bShowing(FALSE)
{
    if (pList != NULL && pCount != NULL && *pCount > 0)
        m_nCount = *pCount;
    std::memset(&m_color, 0, sizeof m_color);
    m_color.wModel = COLOR_MODEL_RGB;
    if (pInitial != NULL) {
        BYTE rgb[3];
        GenColorToRgb(pInitial, rgb);
        GenSetRgbColor(&m_color, "", rgb[0], rgb[1], rgb[2]);
        std::memcpy(m_color.szName, pInitial->szName, sizeof m_color.szName - 1);
    }
}

CArtColorDlg::~CArtColorDlg() {}

int CArtColorDlg::DoModal()
{
    GeneralResources resources;
    return CDialog::DoModal();
}

void CArtColorDlg::GetColor(tagCOLORSTRUCT* pColor) const
{
    if (pColor != NULL)
        std::memcpy(pColor, &m_color, sizeof m_color);
}

BOOL CArtColorDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CListBox* pList = static_cast<CListBox*>(GetDlgItem(IDC_GENERAL_COLOR_LIST));
    for (int i = 0; i < m_nCount; i++) {
        char name[sizeof m_pList[i].szName + 1] = "";
        std::memcpy(name, m_pList[i].szName, sizeof m_pList[i].szName);
        pList->AddString(name);
    }
    ShowColor(m_color);
    return TRUE;
}

void CArtColorDlg::ShowColor(const tagCOLORSTRUCT& color)
{
    BYTE rgb[3];
    GenColorToRgb(&color, rgb);
    m_bShowing = TRUE;
    SetDlgItemInt(IDC_GENERAL_COLOR_RED, rgb[0], FALSE);
    SetDlgItemInt(IDC_GENERAL_COLOR_GREEN, rgb[1], FALSE);
    SetDlgItemInt(IDC_GENERAL_COLOR_BLUE, rgb[2], FALSE);
    m_bShowing = FALSE;
}

int CArtColorDlg::Component(int nID)
{
    CString text;
    GetDlgItemText(nID, text);
    int value = std::atoi(text);
    return value < 0 ? 0 : (value > 255 ? 255 : value);
}

void CArtColorDlg::OnSelchangeList()
{
    int index = static_cast<CListBox*>(GetDlgItem(IDC_GENERAL_COLOR_LIST))->GetCurSel();
    if (index < 0 || index >= m_nCount)
        return;
    ShowColor(m_pList[index]);
    m_nChosen = index;
}

void CArtColorDlg::OnChangeComponent()
{
    if (!m_bShowing)
        m_nChosen = -1;  // typed: no name holds any more
    m_brSwatch.DeleteObject();
    m_brSwatch.CreateSolidBrush(RGB(Component(IDC_GENERAL_COLOR_RED), Component(IDC_GENERAL_COLOR_GREEN),
                                    Component(IDC_GENERAL_COLOR_BLUE)));
    if (CWnd* pSwatch = GetDlgItem(IDC_GENERAL_COLOR_SWATCH))
        pSwatch->Invalidate();
}

HBRUSH CArtColorDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (pWnd != NULL && pWnd->GetDlgCtrlID() == IDC_GENERAL_COLOR_SWATCH && m_brSwatch.GetSafeHandle() != NULL)
        return static_cast<HBRUSH>(m_brSwatch.GetSafeHandle());
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CArtColorDlg::OnOK()
{
    char kept[sizeof m_color.szName] = "";
    if (m_nChosen >= 0)
        std::memcpy(kept, m_pList[m_nChosen].szName, sizeof kept - 1);
    else if (m_nChosen == kInitial)
        std::memcpy(kept, m_color.szName, sizeof kept - 1);
    GenSetRgbColor(&m_color, kept, Component(IDC_GENERAL_COLOR_RED), Component(IDC_GENERAL_COLOR_GREEN),
                   Component(IDC_GENERAL_COLOR_BLUE));
    CDialog::OnOK();
}
