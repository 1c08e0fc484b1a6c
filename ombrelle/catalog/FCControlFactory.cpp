#include "FCControlFactory.h"

#include "FormTextHelpers.h"
#include "FormVocabulary.h"
#include "FormWindowHelpers.h"

IMPLEMENT_SERIAL(CFCControlFactory, CObject, 1)

// ---------------------------------------------------------------------------

CFCLayoutBounds::CFCLayoutBounds() : m_nLeft(0), m_nTop(0), m_nRight(1), m_nBottom(1) {}

int CFCLayoutBounds::Check(const CRect& rect, int nEdge)
{
    const char* pszRefusal = NULL;
    if ((nEdge == 1 || nEdge == 5) && rect.left < m_nLeft)
        pszRefusal = "左边距太小!";
    else if (nEdge == 2 && rect.right > m_nRight)
        pszRefusal = "右边距太大!";
    else if (nEdge == 3 && rect.top < m_nTop)
        pszRefusal = "上边距太小!";
    else if (nEdge == 4 && rect.bottom > m_nBottom)
        pszRefusal = "下边距太大!";
    else if (rect.right < rect.left)
        pszRefusal = "左边距应小于右边距!";
    else if (rect.bottom < rect.top)
        pszRefusal = "上边距应小于下边距!";
    if (pszRefusal == NULL)
        return 1;
    AfxMessageBox(pszRefusal);
    return 0;
}

int CFCSelectionTracker::s_nCreated = 0;

CFCSelectionTracker::CFCSelectionTracker(const CRect& rect)
    : CRectTracker(rect, CRectTracker::solidLine | CRectTracker::resizeOutside), m_nNumber(++s_nCreated)
{
}

// ---------------------------------------------------------------------------

CFCControlFactory::CFCControlFactory()
    : m_mapControls(20),
      m_nMaxCtrlId(ControlIdBase),
      m_pParent(NULL),
      m_mapValues(10),
      m_nMaxTabOrder(0),
      m_nControlCount(0),
      m_mapUsedIds(20),
      m_mapKept(20)
{
    m_bounds.m_nLeft = 0;
    m_bounds.m_nTop = 0;
    m_bounds.m_nRight = 1500;
    m_bounds.m_nBottom = 1000;
    m_mapValues.InitHashTable(17);
    m_mapUsedIds.InitHashTable(17);
    m_mapKept.InitHashTable(17);
}

CFCControlFactory::~CFCControlFactory()
{
    POSITION pos = m_mapControls.GetStartPosition();
    while (pos != NULL) {
        void* pKey = NULL;
        void* pTracker = NULL;
        m_mapControls.GetNextAssoc(pos, pKey, pTracker);
        delete static_cast<CFCSelectionTracker*>(pTracker);
        void* pKept = NULL;
        if (!m_mapKept.Lookup(pKey, pKept)) {
            CWnd* pControl = static_cast<CWnd*>(pKey);
            if (pControl->GetSafeHwnd() != NULL)
                pControl->DestroyWindow();
            delete pControl;
        }
    }
    m_mapControls.RemoveAll();
    m_mapKept.RemoveAll();
    m_mapUsedIds.RemoveAll();
    m_arrTabOrder.RemoveAll();
    pos = m_mapValues.GetStartPosition();
    while (pos != NULL) {
        CString strKey;
        CObject* pValue = NULL;
        m_mapValues.GetNextAssoc(pos, strKey, pValue);
        delete pValue;
    }
    m_mapValues.RemoveAll();
}

template<class TControl, class FCreate>
TControl* CFCControlFactory::CreateWindowFor(CWnd* pParent, TControl* pControl, LPCTSTR lpszFailure,
                                             FCreate create)
{
    if (pControl == NULL) {
        AfxMessageBox(lpszFailure);
        return NULL;
    }
    CFCControlInternalProp& prop = pControl->m_prop;
    BOOL bCreated = FALSE;
    try {
        prop.MakeFont();
        bCreated = pParent != NULL && pParent->GetSafeHwnd() != NULL && create(prop.CreationStyle(), CRect(prop.m_rect));
        if (bCreated) {
            m_mapControls.SetAt(pControl, NULL);
            prop.m_pOwner = this;
            pControl->SendMessage(WM_SETFONT, WPARAM(prop.m_pFont != NULL ? prop.m_pFont->GetSafeHandle() : NULL),
                                  FALSE);
        }
    } catch (CException* e) {
        e->Delete();
        bCreated = FALSE;
    }
    if (!bCreated) {
        // Nothing of a failed creation stays with the factory.
        m_mapControls.RemoveKey(pControl);
        if (pControl->GetSafeHwnd() != NULL)
            pControl->DestroyWindow();
        AfxMessageBox(lpszFailure);
        return NULL;
    }
    return pControl;
}

namespace {

// The ordinary creation of a control's class, with the record's caption and id.
template<class TControl>
auto OrdinaryCreation(TControl* pControl, CWnd* pParent)
{
    return [=](DWORD dwStyle, const CRect& rect) {
        return pControl->Create(pControl->m_prop.m_strCaption, dwStyle, rect, pParent,
                                UINT(pControl->m_prop.m_nControlId));
    };
}

// Edits, list and combo boxes are made by window class with a client edge.
template<class TControl>
auto ClientEdgedCreation(TControl* pControl, CWnd* pParent, LPCTSTR lpszClass)
{
    return [=](DWORD dwStyle, const CRect& rect) {
        return pControl->CreateEx(WS_EX_CLIENTEDGE, lpszClass, pControl->m_prop.m_strCaption, dwStyle, rect, pParent,
                                  UINT(pControl->m_prop.m_nControlId));
    };
}

}  // namespace

CFCLabel* CFCControlFactory::CreateLabel(CWnd* pParent, CFCLabel* pControl)
{
    return CreateWindowFor(pParent, pControl, "创建静态文本框失败!", OrdinaryCreation(pControl, pParent));
}

CFCButton* CFCControlFactory::CreateButton(CWnd* pParent, CFCButton* pControl)
{
    return CreateWindowFor(pParent, pControl, "创建按钮失败!", OrdinaryCreation(pControl, pParent));
}

CFCRadio* CFCControlFactory::CreateRadio(CWnd* pParent, CFCRadio* pControl)
{
    return CreateWindowFor(pParent, pControl, "创建单选钮失败!", OrdinaryCreation(pControl, pParent));
}

CFCCheckBox* CFCControlFactory::CreateCheckBox(CWnd* pParent, CFCCheckBox* pControl)
{
    return CreateWindowFor(pParent, pControl, "创建检查框失败!", OrdinaryCreation(pControl, pParent));
}

CFCGroupBox* CFCControlFactory::CreateGroupBox(CWnd* pParent, CFCGroupBox* pControl)
{
    return CreateWindowFor(pParent, pControl, "创建组合框失败!", OrdinaryCreation(pControl, pParent));
}

CFCEdit* CFCControlFactory::CreateEdit(CWnd* pParent, CFCEdit* pControl)
{
    return CreateWindowFor(pParent, pControl, "创建编辑框失败!", ClientEdgedCreation(pControl, pParent, "Edit"));
}

CFCMemo* CFCControlFactory::CreateMemo(CWnd* pParent, CFCMemo* pControl)
{
    return CreateWindowFor(pParent, pControl, "创建多文本框失败!", ClientEdgedCreation(pControl, pParent, "Edit"));
}

CFCListBox* CFCControlFactory::CreateListBox(CWnd* pParent, CFCListBox* pControl)
{
    return CreateWindowFor(pParent, pControl, "创建列表框失败!", ClientEdgedCreation(pControl, pParent, "ListBox"));
}

CFCComboBox* CFCControlFactory::CreateComboBox(CWnd* pParent, CFCComboBox* pControl)
{
    // The drop-down list's height.
    if (pControl != NULL)
        pControl->m_prop.m_rect.bottom = pControl->m_prop.m_rect.top + 130;
    return CreateWindowFor(pParent, pControl, "创建选择框失败!", ClientEdgedCreation(pControl, pParent, "ComboBox"));
}

CWnd* CFCControlFactory::CreateOfKind(int nKind, CWnd* pParent, CWnd* pControl)
{
    switch (nKind) {
    case FCKindLabel: return CreateLabel(pParent, static_cast<CFCLabel*>(pControl));
    case FCKindButton: return CreateButton(pParent, static_cast<CFCButton*>(pControl));
    case FCKindRadio: return CreateRadio(pParent, static_cast<CFCRadio*>(pControl));
    case FCKindCheckBox: return CreateCheckBox(pParent, static_cast<CFCCheckBox*>(pControl));
    case FCKindGroupBox: return CreateGroupBox(pParent, static_cast<CFCGroupBox*>(pControl));
    case FCKindEdit: return CreateEdit(pParent, static_cast<CFCEdit*>(pControl));
    case FCKindMemo: return CreateMemo(pParent, static_cast<CFCMemo*>(pControl));
    case FCKindComboBox: return CreateComboBox(pParent, static_cast<CFCComboBox*>(pControl));
    case FCKindListBox: return CreateListBox(pParent, static_cast<CFCListBox*>(pControl));
    default: return NULL;
    }
}

CWnd* CFCControlFactory::AddControl(int nKind, CWnd* pControl, int nLeft, int nTop, int nRight, int nBottom)
{
    if (nKind < FCKindLabel || nKind > FCKindListBox)
        return NULL;
    if (pControl != NULL && KindOfControl(pControl) != nKind)
        return NULL;
    const BOOL bMadeHere = pControl == NULL;
    if (bMadeHere) {
        pControl = FCNewControl(nKind);
        InitNewControl(*FCPropOf(pControl), nLeft, nTop, nRight, nBottom, FCKindElementName(nKind));
    }
    CWnd* pCreated = CreateOfKind(nKind, m_pParent, pControl);
    if (pCreated == NULL && bMadeHere)
        delete pControl;
    return pCreated;
}

void CFCControlFactory::InitNewControl(CFCControlInternalProp& prop, int nLeft, int nTop, int nRight, int nBottom,
                                       LPCTSTR lpszBaseName)
{
    ++m_nControlCount;
    prop.m_rect.left = nLeft;
    prop.m_rect.top = nTop;
    prop.m_rect.right = nRight;
    prop.m_rect.bottom = nBottom;
    prop.m_strCaption.Format("%s%d", lpszBaseName, m_nControlCount);
    prop.m_nTabOrder = NextTabOrder();
    prop.m_nControlId = NextControlId();
}

int CFCControlFactory::NextControlId()
{
    DWORD dwValue = 0;
    ++m_nMaxCtrlId;
    while (m_mapUsedIds.Lookup(m_nMaxCtrlId, dwValue))
        ++m_nMaxCtrlId;
    if (m_pParent != NULL && m_pParent->GetSafeHwnd() != NULL) {
        while (::GetDlgItem(m_pParent->GetSafeHwnd(), m_nMaxCtrlId) != NULL)
            ++m_nMaxCtrlId;
    }
    return m_nMaxCtrlId;
}

int CFCControlFactory::NextTabOrder()
{
    return ++m_nMaxTabOrder;
}

void CFCControlFactory::SetUsedIds(const CString& strIds)
{
    m_mapUsedIds.RemoveAll();
    const CString strList = NormaliseSeparatedList(strIds, '|', ',');
    int nStart = 0;
    for (int nComma = strList.Find(',', nStart); nComma >= 0; nComma = strList.Find(',', nStart)) {
        const CString strPiece = Trimmed(strList.Mid(nStart, nComma - nStart));
        nStart = nComma + 1;
        int nId = 0;
        if (ParseNumberText(strPiece, nId) && nId >= 1)
            m_mapUsedIds.SetAt(nId, 1);
    }
}

CFCEdit* CFCControlFactory::AddHiddenEdit(LPCTSTR lpszBaseName, int nTop, int nBottom)
{
    CFCEdit* pEdit = new CFCEdit;
    CFCControlInternalProp& prop = pEdit->m_prop;
    prop.m_bDesignState = 0;
    prop.m_bShown = 0;
    prop.m_bValid = 0;
    prop.m_bTabStop = 0;
    InitNewControl(prop, 10, nTop, 15, nBottom, lpszBaseName);
    prop.m_strCaption.Empty();
    prop.m_pOwner = this;
    m_mapControls.SetAt(pEdit, NULL);
    return pEdit;
}

CWnd* CFCControlFactory::ControlOfProp(const CFCControlInternalProp* pProp) const
{
    POSITION pos = m_mapControls.GetStartPosition();
    while (pos != NULL) {
        void* pKey = NULL;
        void* pTracker = NULL;
        m_mapControls.GetNextAssoc(pos, pKey, pTracker);
        if (FCPropOf(static_cast<CWnd*>(pKey)) == pProp)
            return static_cast<CWnd*>(pKey);
    }
    return NULL;
}

void CFCControlFactory::MoveInTabOrder(CFCControlInternalProp& prop, int nIndex)
{
    CWnd* pControl = ControlOfProp(&prop);
    if (pControl == NULL)
        return;
    for (int i = 0; i < m_arrTabOrder.GetSize(); ++i) {
        if (m_arrTabOrder[i] == pControl)
            m_arrTabOrder[i] = NULL;
    }
    if (nIndex < 0)
        return;
    if (nIndex >= m_arrTabOrder.GetSize()) {
        m_arrTabOrder.SetAtGrow(nIndex, pControl);
    } else if (m_arrTabOrder[nIndex] == NULL) {
        m_arrTabOrder[nIndex] = pControl;
    } else {
        m_arrTabOrder.InsertAt(nIndex, pControl);
        for (int i = nIndex + 1; i < m_arrTabOrder.GetSize(); ++i) {
            if (CFCControlInternalProp* pMoved = FCPropOf(static_cast<CWnd*>(m_arrTabOrder[i])))
                pMoved->m_nTabOrder = i;
        }
    }
}

void CFCControlFactory::RebuildTabOrder()
{
    m_arrTabOrder.RemoveAll();
    POSITION pos = m_mapControls.GetStartPosition();
    while (pos != NULL) {
        void* pKey = NULL;
        void* pTracker = NULL;
        m_mapControls.GetNextAssoc(pos, pKey, pTracker);
        CFCControlInternalProp* pProp = FCPropOf(static_cast<CWnd*>(pKey));
        if (pProp != NULL && pProp->m_nTabOrder >= 0)
            m_arrTabOrder.SetAtGrow(pProp->m_nTabOrder, pKey);
    }
    m_nMaxTabOrder = int(m_arrTabOrder.GetSize()) - 1;
}

void CFCControlFactory::ApplyTabOrder()
{
    HWND hPrevious = NULL;
    for (int i = 0; i < m_arrTabOrder.GetSize(); ++i) {
        CWnd* pControl = static_cast<CWnd*>(m_arrTabOrder[i]);
        CFCControlInternalProp* pProp = FCPropOf(pControl);
        if (pProp == NULL || !pProp->m_bTabStop || pControl->GetSafeHwnd() == NULL)
            continue;
        if (hPrevious != NULL)
            ::SetWindowPos(pControl->m_hWnd, hPrevious, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE);
        hPrevious = pControl->m_hWnd;
    }
}

CWnd* CFCControlFactory::AdoptDialogControl(CWnd* pLoaded, CFCControlInternalProp& prop)
{
    if (!prop.m_bAlreadyExists)
        return pLoaded;
    HWND hChild = m_pParent != NULL && m_pParent->GetSafeHwnd() != NULL
                      ? ::GetDlgItem(m_pParent->GetSafeHwnd(), prop.m_nControlId)
                      : NULL;
    // Only a framework control of the parent carries a record to copy into.
    CWnd* pExisting = hChild != NULL ? CWnd::FromHandlePermanent(hChild) : NULL;
    CFCControlInternalProp* pExistingProp = FCPropOf(pExisting);
    if (pExistingProp == NULL) {
        prop.m_bAlreadyExists = 0;
        return pLoaded;
    }
    pExistingProp->CopyFrom(prop, TRUE);
    if (KindOfControl(pExisting) == FCKindComboBox)
        ComboSelectText(static_cast<CComboBox*>(pExisting), pExistingProp->m_strCaption);
    else
        pExisting->SetWindowText(pExistingProp->m_strCaption);
    pExisting->MoveWindow(CRect(pExistingProp->m_rect));
    pExistingProp->MakeFont();
    pExisting->SendMessage(WM_SETFONT,
                           WPARAM(pExistingProp->m_pFont != NULL ? pExistingProp->m_pFont->GetSafeHandle() : NULL),
                           TRUE);
    delete pLoaded;
    return pExisting;
}

CString CFCControlFactory::ControlTipText(CWnd* pWnd, CFCControlInternalProp* pProp)
{
    if (pProp == NULL)
        return CString();
    if (pProp->m_bDesignState == 1) {
        CRect rect;
        if (pWnd != NULL && pWnd->GetSafeHwnd() != NULL) {
            pWnd->GetWindowRect(&rect);
            if (CWnd* pParent = pWnd->GetParent())
                pParent->ScreenToClient(&rect);
        }
        CString strTip;
        strTip.Format(" left : %d , top : %d , width : %d , height : %d \r\n Ctrl ID = %d", rect.left, rect.top,
                      rect.Width(), rect.Height(), pProp->m_nControlId);
        return strTip;
    }
    return pProp->m_bShowTip ? pProp->m_strTip : CString();
}

BOOL CFCControlFactory::TrackControl(CWnd* pControl, CPoint point)
{
    void* pValue = NULL;
    if (pControl == NULL || !m_mapControls.Lookup(pControl, pValue) || pControl->GetSafeHwnd() == NULL ||
        m_pParent == NULL || m_pParent->GetSafeHwnd() == NULL)
        return FALSE;
    CRect rect;
    pControl->GetWindowRect(&rect);
    m_pParent->ScreenToClient(&rect);
    CFCSelectionTracker* pTracker = static_cast<CFCSelectionTracker*>(pValue);
    if (pTracker == NULL) {
        pTracker = new CFCSelectionTracker(rect);
        m_mapControls.SetAt(pControl, pTracker);
    }
    pTracker->m_rect = rect;
    if (!pTracker->Track(m_pParent, point))
        return FALSE;
    CRect rcMoved = pTracker->m_rect;
    rcMoved.NormalizeRect();
    pControl->MoveWindow(&rcMoved);
    if (CFCControlInternalProp* pProp = FCPropOf(pControl))
        pProp->m_rect = rcMoved;
    return TRUE;
}
