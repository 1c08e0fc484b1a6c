#include "PropertyListBox.h"

#include "afxdlgs.h"

#include "FormTextHelpers.h"
#include "FormVocabulary.h"
#include "FormWindowHelpers.h"
#include "resource.h"

#include <cstring>

namespace {

const COLORREF kCurrentNameCell = 0xFFC0C0;
const COLORREF kNameCell = 0xC0C0C0;
const int kBrowseWidth = 25;

}  // namespace

// ---------------------------------------------------------------------------

CPropertyItem::CPropertyItem(const CString& strName, const CString& strValue, int nKind, const LOGFONT* pFont,
                             COLORREF* pForeColour, COLORREF* pBackColour)
    : m_strName(strName),
      m_strValue(strValue),
      m_nKind(nKind),
      m_strValueBeforeEdit(strValue),
      m_nSpare(0),
      m_pFont(NULL),
      m_pForeColour(pForeColour),
      m_pBackColour(pBackColour)
{
    if (pFont != NULL)
        m_pFont = new LOGFONT(*pFont);
}

CPropertyItem::~CPropertyItem()
{
    delete m_pFont;
}

BOOL CPropertyItem::AcceptText(const CString&)
{
    return TRUE;
}

CString PropertyFontText(const LOGFONT& font, int nPoints, COLORREF colour)
{
    CString strText;
    strText.Format("%s;%d;%s;%s;%s;%s;%s", font.lfFaceName, nPoints, LPCTSTR(ColourToHtml(colour)),
                   font.lfWeight == FW_BOLD ? "粗体" : "", font.lfItalic ? "斜体" : "", font.lfStrikeOut ? "删除线" : "",
                   font.lfUnderline ? "下划线" : "");
    return strText;
}

// ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CPropertyListBox, CListBox)
    ON_WM_CREATE()
    ON_CONTROL_REFLECT(LBN_SELCHANGE, OnSelChange)
    ON_WM_LBUTTONUP()
    ON_WM_KILLFOCUS()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_KEYDOWN()
    ON_BN_CLICKED(IDC_PROPERTY_BROWSE, OnBrowse)
    ON_BN_KILLFOCUS(IDC_PROPERTY_BROWSE, OnBrowseKillFocus)
END_MESSAGE_MAP()

CPropertyListBox::CPropertyListBox()
    : m_nCurrent(-1),
      m_nDivider(0),
      m_bDragging(FALSE),
      m_nDragTop(0),
      m_nDragBottom(0),
      m_nLastDragX(0),
      m_bLastPressRight(FALSE),
      m_hSizeCursor(NULL),
      m_hArrowCursor(NULL)
{
}

CPropertyListBox::~CPropertyListBox() {}

void CPropertyListBox::Initialise()
{
    m_nDivider = 0;
    m_bDragging = FALSE;
    m_hSizeCursor = ::LoadCursor(NULL, IDC_SIZEWE);
    m_hArrowCursor = ::LoadCursor(NULL, IDC_ARROW);
    if (m_font.GetSafeHandle() == NULL) {
        CString strFace;
        strFace.LoadString(IDS_PROPERTY_LIST_FACE);
        m_font.CreatePointFont(90, strFace);
    }
}

BOOL CPropertyListBox::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CListBox::PreCreateWindow(cs))
        return FALSE;
    // Plain entries keep their text apart from the rows' item data, and the
    // selection change must be told.
    cs.style |= LBS_HASSTRINGS | LBS_NOTIFY;
    Initialise();
    return TRUE;
}

int CPropertyListBox::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CListBox::OnCreate(lpCreateStruct) == -1)
        return -1;
    Initialise();
    return 0;
}

void CPropertyListBox::PreSubclassWindow()
{
    CListBox::PreSubclassWindow();
    Initialise();
}

int CPropertyListBox::AddTextItem(const CString& strText)
{
    return AddString(strText);
}

int CPropertyListBox::AddPropertyItem(CPropertyItem* pItem)
{
    const int nIndex = AddString("");
    if (nIndex >= 0)
        SetItemDataPtr(nIndex, pItem);
    return nIndex;
}

CPropertyItem* CPropertyListBox::ItemAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return NULL;
    void* pData = GetItemDataPtr(nIndex);
    return pData == reinterpret_cast<void*>(-1) ? NULL : static_cast<CPropertyItem*>(pData);
}

void CPropertyListBox::DeleteItem(int nIndex)
{
    // The entry's deletion notice deletes the row.
    DeleteString(UINT(nIndex));
    HideBrowseButton();
    m_nCurrent = -1;
}

void CPropertyListBox::DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    delete reinterpret_cast<CPropertyItem*>(lpDeleteItemStruct->itemData);
}

int CPropertyListBox::DeleteAllItems()
{
    const int nCount = GetCount();
    for (int i = 0; i < nCount; ++i) {
        delete ItemAt(i);
        SetItemDataPtr(i, NULL);
    }
    return nCount;
}

int CPropertyListBox::MoveItemUp(int nIndex)
{
    if (nIndex <= 0 || nIndex >= GetCount())
        return nIndex;
    void* pUpper = GetItemDataPtr(nIndex - 1);
    SetItemDataPtr(nIndex - 1, GetItemDataPtr(nIndex));
    SetItemDataPtr(nIndex, pUpper);
    m_nCurrent = nIndex - 1;
    SetCurSel(m_nCurrent);
    Invalidate();
    return m_nCurrent;
}

int CPropertyListBox::MoveItemDown(int nIndex)
{
    const int nLast = GetCount() - 1;
    if (nIndex >= nLast)
        return nLast;
    if (nIndex < 0)
        return nIndex;
    void* pLower = GetItemDataPtr(nIndex + 1);
    SetItemDataPtr(nIndex + 1, GetItemDataPtr(nIndex));
    SetItemDataPtr(nIndex, pLower);
    m_nCurrent = nIndex + 1;
    SetCurSel(m_nCurrent);
    Invalidate();
    return m_nCurrent;
}

void CPropertyListBox::HideBrowseButton()
{
    if (m_btnBrowse.GetSafeHwnd() != NULL && m_btnBrowse.IsWindowVisible())
        m_btnBrowse.ShowWindow(SW_HIDE);
}

void CPropertyListBox::HideEditors()
{
    for (int nId : {712, 713, IDC_PROPERTY_BROWSE}) {
        if (CWnd* pEditor = GetDlgItem(nId))
            HideWindow(pEditor);
    }
    SetFocus();
}

void CPropertyListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = RowHeight;
}

void CPropertyListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    const int nIndex = int(lpDrawItemStruct->itemID);
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const CRect rcItem(lpDrawItemStruct->rcItem);
    if (m_nDivider == 0)
        m_nDivider = rcItem.Width() / 2;
    CFont* pOldFont = m_font.GetSafeHandle() != NULL ? pDC->SelectObject(&m_font) : NULL;
    pDC->SetBkMode(TRANSPARENT);

    CRect rcName(rcItem.left, rcItem.top, m_nDivider - 1, rcItem.bottom);
    CRect rcValue(m_nDivider, rcItem.top, rcItem.right, rcItem.bottom);
    pDC->FillSolidRect(&rcName, nIndex == m_nCurrent ? kCurrentNameCell : kNameCell);
    pDC->FillSolidRect(&rcValue, ::GetSysColor(COLOR_WINDOW));
    pDC->DrawEdge(&rcName, EDGE_ETCHED, BF_RIGHT | BF_BOTTOM);
    pDC->DrawEdge(&rcValue, EDGE_ETCHED, BF_BOTTOM);

    const UINT nFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    if (CPropertyItem* pItem = ItemAt(nIndex)) {
        rcName.DeflateRect(3, 3);
        rcValue.DeflateRect(3, 3);
        pDC->DrawText(pItem->m_strName, &rcName, nFormat);
        pDC->DrawText(pItem->m_strValue, &rcValue, nFormat);
    } else {
        // A plain entry: its text across the row.
        CString strText;
        GetText(nIndex, strText);
        CRect rcText = rcItem;
        rcText.DeflateRect(3, 3);
        pDC->DrawText(strText, &rcText, nFormat);
    }
    if (pOldFont != NULL)
        pDC->SelectObject(pOldFont);
}

int CPropertyListBox::DividerInBand(int x) const
{
    CRect rcClient;
    GetClientRect(&rcClient);
    const int nLow = rcClient.left + DividerMargin;
    const int nHigh = rcClient.right - DividerMargin;
    if (x < nLow)
        return nLow;
    return x > nHigh ? nHigh : x;
}

void CPropertyListBox::InvertDividerLine(int x)
{
    CClientDC dc(this);
    const int nOldRop = dc.SetROP2(R2_NOT);
    dc.MoveTo(x, m_nDragTop);
    dc.LineTo(x, m_nDragBottom);
    dc.SetROP2(nOldRop);
}

void CPropertyListBox::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_nDivider > 0 && point.x >= m_nDivider - DividerGrip && point.x <= m_nDivider + DividerGrip) {
        m_bDragging = TRUE;
        ::SetCursor(m_hSizeCursor);
        SetCapture();
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        rcWindow.left += DividerMargin;
        rcWindow.right -= DividerMargin;
        ::ClipCursor(&rcWindow);
        CRect rcClient;
        GetClientRect(&rcClient);
        m_nDragTop = rcClient.top;
        m_nDragBottom = rcClient.bottom;
        m_nLastDragX = DividerInBand(point.x);
        InvertDividerLine(m_nLastDragX);
        return;
    }
    m_bDragging = FALSE;
    m_bLastPressRight = m_nDivider + DividerGrip < point.x;
    CListBox::OnLButtonDown(nFlags, point);
}

void CPropertyListBox::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bDragging) {
        InvertDividerLine(m_nLastDragX);
        m_nLastDragX = DividerInBand(point.x);
        InvertDividerLine(m_nLastDragX);
        return;
    }
    if (m_nDivider > 0 && point.x >= m_nDivider - DividerGrip && point.x <= m_nDivider + DividerGrip)
        ::SetCursor(m_hSizeCursor);
    else
        CListBox::OnMouseMove(nFlags, point);
}

void CPropertyListBox::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bDragging) {
        m_bDragging = FALSE;
        ::ReleaseCapture();
        ::ClipCursor(NULL);
        InvertDividerLine(m_nLastDragX);
        // A release the confinement did not hold back still ends in the band.
        m_nDivider = DividerInBand(point.x);
        ::SetCursor(m_hArrowCursor);
        Invalidate();
        return;
    }
    CListBox::OnLButtonUp(nFlags, point);
    BOOL bOutside = FALSE;
    const UINT nRow = ItemFromPoint(point, bOutside);
    if (!bOutside)
        m_nCurrent = int(nRow);
}

void CPropertyListBox::OnKillFocus(CWnd* pNewWnd)
{
    CListBox::OnKillFocus(pNewWnd);
}

void CPropertyListBox::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CListBox::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CPropertyListBox::OnSelChange()
{
    m_nCurrent = GetCurSel();
    CPropertyItem* pItem = ItemAt(m_nCurrent);
    if (pItem != NULL)
        pItem->m_strValueBeforeEdit = pItem->m_strValue;
    CRect rcRow;
    if (m_nCurrent >= 0 && GetItemRect(m_nCurrent, &rcRow) != LB_ERR) {
        const int nLeft = m_nDivider > rcRow.right - kBrowseWidth ? m_nDivider : rcRow.right - kBrowseWidth;
        const CRect rcButton(nLeft, rcRow.top, rcRow.right, rcRow.bottom - 3);
        if (m_btnBrowse.GetSafeHwnd() == NULL) {
            m_btnBrowse.Create("...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, rcButton, this, IDC_PROPERTY_BROWSE);
            m_btnBrowse.SetFont(&m_font);
        } else {
            m_btnBrowse.MoveWindow(&rcButton);
        }
        if (m_bLastPressRight) {
            m_btnBrowse.ShowWindow(SW_SHOW);
            m_btnBrowse.SetFocus();
        } else {
            m_btnBrowse.ShowWindow(SW_HIDE);
        }
    }
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_PROPERTY_SELCHANGED, 0, 0);
    Invalidate();
}

BOOL CPropertyListBox::EditColour(CPropertyItem& item)
{
    COLORREF* pColour = item.m_strName == PropForeColor ? item.m_pForeColour : item.m_pBackColour;
    if (pColour == NULL)
        return FALSE;
    CColorDialog dlg(*pColour, 0, this);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    HideBrowseButton();
    *pColour = dlg.GetColor();
    item.m_strValue = ColourToRgbText(*pColour);
    return TRUE;
}

BOOL CPropertyListBox::EditPictureFile(CPropertyItem& item)
{
    CFileDialog dlg(TRUE, NULL, NULL, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "Gif Files (*.gif)|*.gif||", this);
    dlg.m_ofn.lpstrTitle = "Select file";
    CString strFolder;
    if (!item.m_strValue.IsEmpty()) {
        const int nSlash = item.m_strValue.ReverseFind('\\');
        strFolder = nSlash >= 0 ? item.m_strValue.Left(nSlash) : CString();
        dlg.m_ofn.lpstrInitialDir = strFolder;
    }
    if (dlg.DoModal() != IDOK)
        return FALSE;
    HideBrowseButton();
    item.m_strValue = dlg.GetPathName();
    return TRUE;
}

BOOL CPropertyListBox::EditFont(CPropertyItem& item)
{
    CFontDialog dlg(item.m_pFont, CF_EFFECTS | CF_SCREENFONTS, NULL, this);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    HideBrowseButton();
    LOGFONT chosen;
    dlg.GetCurrentFont(&chosen);
    item.m_strValue = PropertyFontText(chosen, dlg.GetSize() / 10, dlg.GetColor());
    if (item.m_pFont == NULL)
        item.m_pFont = new LOGFONT;
    *item.m_pFont = chosen;
    return TRUE;
}

void CPropertyListBox::OnBrowse()
{
    CPropertyItem* pItem = ItemAt(m_nCurrent);
    if (pItem == NULL)
        return;
    BOOL bChanged = FALSE;
    switch (pItem->m_nKind) {
    case CPropertyItem::KindColour: bChanged = EditColour(*pItem); break;
    case CPropertyItem::KindPictureFile: bChanged = EditPictureFile(*pItem); break;
    case CPropertyItem::KindFont: bChanged = EditFont(*pItem); break;
    default: break;
    }
    if (bChanged)
        Invalidate();
    pItem->m_strValueBeforeEdit = pItem->m_strValue;
}

void CPropertyListBox::OnBrowseKillFocus() {}
