#include "FCControls.h"

#include "FormVocabulary.h"

#include <windowsx.h>

namespace {

bool IsMouseMessage(UINT message) { return message >= 0x200 && message <= 0x209; }

bool IsKeyMessage(UINT message) { return message == WM_KEYDOWN || message == WM_KEYUP; }

// The mouse message goes to the parent at the same screen point.
void SendMouseToParent(CWnd* pControl, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pParent = pControl->GetParent();
    if (pParent == NULL)
        return;
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::MapWindowPoints(pControl->m_hWnd, pParent->m_hWnd, &point, 1);
    pParent->SendMessage(message, wParam, MAKELPARAM(point.x, point.y));
}

void SendKeyToParent(CWnd* pControl, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pParent = pControl->GetParent();
    if (pParent != NULL)
        pParent->SendMessage(message, wParam, lParam);
}

}  // namespace

// ---------------------------------------------------------------------------
// What every control shares

template<class TWnd>
CFCControl<TWnd>::CFCControl(int nKind, DWORD dwStyle, BOOL bWindowProcForwards)
    : m_bWindowProcForwards(bWindowProcForwards)
{
    m_prop.InitKind(nKind, dwStyle);
}

template<class TWnd>
void CFCControl<TWnd>::Serialize(CArchive& ar)
{
    // A control that was moved is stored where it stands now.
    if (ar.IsStoring() && this->GetSafeHwnd() != NULL) {
        CRect rect;
        this->GetWindowRect(&rect);
        if (CWnd* pParent = this->GetParent())
            pParent->ScreenToClient(&rect);
        m_prop.m_rect = rect;
    }
    m_prop.Serialize(ar);
}

template<class TWnd>
BOOL CFCControl<TWnd>::PreTranslateMessage(MSG* pMsg)
{
    if (m_prop.m_bDesignState && pMsg->hwnd == this->m_hWnd) {
        if (IsMouseMessage(pMsg->message)) {
            SendMouseToParent(this, pMsg->message, pMsg->wParam, pMsg->lParam);
            return TRUE;
        }
        if (IsKeyMessage(pMsg->message) && !m_bWindowProcForwards)
            SendKeyToParent(this, pMsg->message, pMsg->wParam, pMsg->lParam);
    }
    return TWnd::PreTranslateMessage(pMsg);
}

template<class TWnd>
LRESULT CFCControl<TWnd>::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_bWindowProcForwards && m_prop.m_bDesignState) {
        if (IsMouseMessage(message)) {
            SendMouseToParent(this, message, wParam, lParam);
            return 0;
        }
        if (IsKeyMessage(message))
            SendKeyToParent(this, message, wParam, lParam);
    }
    return TWnd::WindowProc(message, wParam, lParam);
}

template<class TWnd>
HBRUSH CFCControl<TWnd>::CtlColor(CDC* pDC, UINT)
{
    if ((m_prop.m_nKind == FCKindRadio || m_prop.m_nKind == FCKindCheckBox) && m_prop.m_bDesignState == 1) {
        const WPARAM nCheck = m_prop.m_bChecked ? BST_CHECKED : BST_UNCHECKED;
        if (WPARAM(this->SendMessage(BM_GETCHECK)) != nCheck)
            this->SendMessage(BM_SETCHECK, nCheck);
    }
    pDC->SetTextColor(m_prop.m_clrFore);
    pDC->SetBkColor(m_prop.m_clrBack);
    return m_prop.BackgroundBrush();
}

template<class TWnd>
LRESULT CFCControl<TWnd>::OnCheckValid(WPARAM, LPARAM)
{
    // The validity script is kept, never run: the check always passes.
    return 0;
}

template class CFCControl<CStatic>;
template class CFCControl<CButton>;
template class CFCControl<CEdit>;
template class CFCControl<CComboBox>;
template class CFCControl<CListBox>;
template class CFCControl<CDateTimeCtrl>;

// A kind's run-time class (named after the window base), its message map of
// two entries and its constructor: kind, default style, and whether its
// window procedure forwards in design state.
#define FC_CONTROL_KIND(theClass, windowClass, nKind, dwStyle, bWindowProcForwards) \
    IMPLEMENT_SERIAL(theClass, CWnd, 1)                                             \
    BEGIN_MESSAGE_MAP(theClass, windowClass)                                        \
    ON_WM_CTLCOLOR_REFLECT()                                                        \
    ON_MESSAGE(WM_FC_CHECKVALID, OnCheckValid)                                      \
    END_MESSAGE_MAP()                                                               \
    theClass::theClass() : CFCControl<windowClass>(nKind, dwStyle, bWindowProcForwards) {}

// ---------------------------------------------------------------------------
// The ten kinds

FC_CONTROL_KIND(CFCLabel, CStatic, FCKindLabel, 0x50000000, FALSE)

void CFCLabel::PreSubclassWindow()
{
    CFCControl<CStatic>::PreSubclassWindow();
    m_prop.m_clrBack = ::GetSysColor(COLOR_BTNFACE);
}

void CFCLabel::PaintText()
{
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    DrawLabelText(&dc, rcClient);
}

void CFCLabel::DrawLabelText(CDC* pDC, const CRect& rcClient)
{
    CFont* pOldFont = m_prop.m_pFont != NULL ? pDC->SelectObject(m_prop.m_pFont) : NULL;
    pDC->SetBkMode(TRANSPARENT);
    pDC->FillSolidRect(&rcClient, m_prop.m_clrBack);
    pDC->SetTextColor(m_prop.m_clrFore);

    UINT nAlign = 0;
    int x = 0;
    if (m_prop.m_strHorzAlign == AlignCenter) {
        nAlign |= TA_CENTER;
        x = rcClient.Width() / 2;
    } else if (m_prop.m_strHorzAlign == AlignRight) {
        nAlign |= TA_RIGHT;
        x = rcClient.right;
    } else {
        nAlign |= TA_LEFT;
    }
    int y = rcClient.top;
    UINT nVert = TA_TOP;
    if (m_prop.m_strVertAlign == AlignMiddle) {
        const int nHeight = m_prop.m_logFont.lfHeight < 0 ? -m_prop.m_logFont.lfHeight : m_prop.m_logFont.lfHeight;
        const int nBottom = (nHeight + rcClient.bottom) / 2;
        if (nBottom <= rcClient.bottom) {
            nVert = TA_BOTTOM;
            y = nBottom;
        }
    } else if (m_prop.m_strVertAlign == AlignBottom) {
        nVert = TA_BOTTOM;
        y = rcClient.bottom;
    }
    ::SetTextAlign(pDC->m_hDC, nAlign | nVert);
    ::ExtTextOutA(pDC->m_hDC, x, y, ETO_CLIPPED, &rcClient, m_prop.m_strCaption, UINT(m_prop.m_strCaption.GetLength()),
                  NULL);
    if (pOldFont != NULL)
        pDC->SelectObject(pOldFont);
}

FC_CONTROL_KIND(CFCButton, CButton, FCKindButton, 0x50010000, TRUE)
FC_CONTROL_KIND(CFCRadio, CButton, FCKindRadio, 0x50010009, FALSE)
FC_CONTROL_KIND(CFCCheckBox, CButton, FCKindCheckBox, 0x50010003, TRUE)
FC_CONTROL_KIND(CFCGroupBox, CButton, FCKindGroupBox, 0x50000007, FALSE)
FC_CONTROL_KIND(CFCEdit, CEdit, FCKindEdit, 0x50810080, TRUE)
FC_CONTROL_KIND(CFCMemo, CEdit, FCKindMemo, 0x50811004, FALSE)
FC_CONTROL_KIND(CFCComboBox, CComboBox, FCKindComboBox, 0x50210003, TRUE)
FC_CONTROL_KIND(CFCListBox, CListBox, FCKindListBox, 0x50A10003, FALSE)
FC_CONTROL_KIND(CFCDateTimeCtrl, CDateTimeCtrl, FCKindDateTime, 0x50000020, TRUE)

// ---------------------------------------------------------------------------

int KindOfControl(const CObject* pObject)
{
    if (pObject == NULL)
        return FCKindNone;
    const struct {
        CRuntimeClass* pClass;
        int nKind;
    } kinds[] = {
        {RUNTIME_CLASS(CFCLabel), FCKindLabel},       {RUNTIME_CLASS(CFCEdit), FCKindEdit},
        {RUNTIME_CLASS(CFCMemo), FCKindMemo},         {RUNTIME_CLASS(CFCButton), FCKindButton},
        {RUNTIME_CLASS(CFCRadio), FCKindRadio},       {RUNTIME_CLASS(CFCCheckBox), FCKindCheckBox},
        {RUNTIME_CLASS(CFCGroupBox), FCKindGroupBox}, {RUNTIME_CLASS(CFCComboBox), FCKindComboBox},
        {RUNTIME_CLASS(CFCListBox), FCKindListBox},
    };
    for (const auto& kind : kinds) {
        if (pObject->IsKindOf(kind.pClass))
            return kind.nKind;
    }
    return FCKindNone;
}

CFCControlInternalProp* FCPropOf(CObject* pObject)
{
    switch (KindOfControl(pObject)) {
    case FCKindLabel: return &static_cast<CFCLabel*>(pObject)->m_prop;
    case FCKindButton: return &static_cast<CFCButton*>(pObject)->m_prop;
    case FCKindRadio: return &static_cast<CFCRadio*>(pObject)->m_prop;
    case FCKindCheckBox: return &static_cast<CFCCheckBox*>(pObject)->m_prop;
    case FCKindGroupBox: return &static_cast<CFCGroupBox*>(pObject)->m_prop;
    case FCKindEdit: return &static_cast<CFCEdit*>(pObject)->m_prop;
    case FCKindMemo: return &static_cast<CFCMemo*>(pObject)->m_prop;
    case FCKindComboBox: return &static_cast<CFCComboBox*>(pObject)->m_prop;
    case FCKindListBox: return &static_cast<CFCListBox*>(pObject)->m_prop;
    default: break;
    }
    if (pObject != NULL && pObject->IsKindOf(RUNTIME_CLASS(CFCDateTimeCtrl)))
        return &static_cast<CFCDateTimeCtrl*>(pObject)->m_prop;
    return NULL;
}

CWnd* FCNewControl(int nKind)
{
    switch (nKind) {
    case FCKindLabel: return new CFCLabel;
    case FCKindButton: return new CFCButton;
    case FCKindRadio: return new CFCRadio;
    case FCKindCheckBox: return new CFCCheckBox;
    case FCKindGroupBox: return new CFCGroupBox;
    case FCKindEdit: return new CFCEdit;
    case FCKindMemo: return new CFCMemo;
    case FCKindComboBox: return new CFCComboBox;
    case FCKindListBox: return new CFCListBox;
    case FCKindDateTime: return new CFCDateTimeCtrl;
    default: return NULL;
    }
}
