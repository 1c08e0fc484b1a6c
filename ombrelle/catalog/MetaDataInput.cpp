// The metadata form's life: creation, initial update, the keyboard handling
// of its generated fields, the hidden controls' places, the related-asset
// page windows that two of them open, and the clean-up.
#include <winsock2.h>

#include "MetaDataInput.h"

#include "AssetSubWnd.h"
#include "AssociateHtmlView.h"
#include "OmbrelleApp.h"
#include "OmbrelleDoc.h"
#include "RelateAssetView.h"
#include "resource.h"

IMPLEMENT_DYNCREATE(CMetaDataInput, CFormView)

BEGIN_MESSAGE_MAP(CMetaDataInput, CFormView)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_BN_CLICKED(IDC_META_OK, OnOK)
    ON_BN_CLICKED(IDC_META_CANCEL, OnCancel)
    ON_BN_CLICKED(IDC_META_SUBMIT, OnSubmit)
    ON_BN_CLICKED(IDC_META_ADD_ACCESSORY, OnAddAccessory)
    ON_BN_CLICKED(IDC_META_ADD_COMPOUND, OnAddCompoundAsset)
    ON_MESSAGE(WM_USER + 4, OnSetFieldValue)
    ON_WM_COPYDATA()
END_MESSAGE_MAP()

namespace {

BOOL HasClass(HWND hWnd, const char* pszClass)
{
    char szClass[32] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    return ::lstrcmpiA(szClass, pszClass) == 0;
}

// The first child in child order with the id that is not a static.
HWND FirstNonStaticChild(HWND hParent, int nId)
{
    for (HWND hChild = ::GetWindow(hParent, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        if (::GetDlgCtrlID(hChild) == nId && !HasClass(hChild, "Static"))
            return hChild;
    return NULL;
}

}  // namespace

CMetaDataInput::CMetaDataInput()
    : CFormView(IDD_METADATA_INPUT), m_nPendingStateFlag(0), m_nRebuildRequested(0), m_nLastBottom(0),
      m_nLastRight(0), m_nLabelLeft(0), m_nLabelTop(0), m_nLabelRight(0), m_nLabelBottom(0), m_nControlLeft(0),
      m_nControlTop(0), m_nControlRight(0), m_nControlBottom(0), m_nLastControlId(0), m_nFirstControlId(1090),
      m_FieldControls(10), m_FieldAttributes(10), m_CNameToName(10), m_nCascadeDepth(0),
      m_hPostedValueHook(NULL)
{
    m_FieldControls.InitHashTable(17);
    m_FieldAttributes.InitHashTable(17);
    LOGFONT font = {};
    font.lfHeight = 12;
    font.lfCharSet = GB2312_CHARSET;
    ::lstrcpynA(font.lfFaceName, "宋体", LF_FACESIZE);
    m_font.CreateFontIndirect(&font);
}

CMetaDataInput::~CMetaDataInput()
{
    DeleteFieldObjects();
}

void CMetaDataInput::DoDataExchange(CDataExchange* pDX)
{
    CFormView::DoDataExchange(pDX);
}

BOOL CMetaDataInput::PreTranslateMessage(MSG* pMsg)
{
    return CFormView::PreTranslateMessage(pMsg);
}

void CMetaDataInput::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    CFormView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

COmbrelleDoc* CMetaDataInput::GetMetaDocument() const
{
    CDocument* pDoc = m_pDocument;
    return pDoc != NULL && pDoc->IsKindOf(RUNTIME_CLASS(COmbrelleDoc)) ? static_cast<COmbrelleDoc*>(pDoc) : NULL;
}

int CMetaDataInput::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFormView::OnCreate(lpCreateStruct) == -1)
        return -1;
    // Without the asset type's description there are no fields to enter.
    if (static_cast<COmbrelleApp*>(AfxGetApp())->m_strAssetMetaDataStruct.IsEmpty())
        return -1;
    m_hPostedValueHook = ::SetWindowsHookExA(WH_GETMESSAGE, DropPostedFieldValues, NULL, ::GetCurrentThreadId());
    return 0;
}

void CMetaDataInput::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    ReadLocalIpAddress();
    // Before the fields exist, so that 1090 can only be the radio button.
    CheckDlgButton(IDC_META_STORE, BST_CHECKED);
    LoadDescription();
    SetScrollSizes(MM_TEXT, CSize(800, m_nControlBottom + 220));
    ResizeParentToFit(TRUE);
}

BOOL CMetaDataInput::IsDateTimeControl(CWnd* pWnd) const
{
    return pWnd != NULL && m_DateTimeControls.Find(pWnd) != NULL;
}

void CMetaDataInput::ReadLocalIpAddress()
{
    WSADATA data;
    if (::WSAStartup(MAKEWORD(1, 1), &data) != 0)
        return;
    char szHost[260] = "";
    if (::gethostname(szHost, sizeof(szHost)) == 0) {
        const hostent* pHost = ::gethostbyname(szHost);
        if (pHost != NULL && pHost->h_addrtype == AF_INET && pHost->h_addr_list != NULL &&
            pHost->h_addr_list[0] != NULL) {
            const unsigned char* pAddress = reinterpret_cast<const unsigned char*>(pHost->h_addr_list[0]);
            m_strLocalIpAddress.Format("%d.%d.%d.%d", pAddress[0], pAddress[1], pAddress[2], pAddress[3]);
        }
    }
    ::WSACleanup();
}

LRESULT CMetaDataInput::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A control's selection change (an accelerator's command has no window).
    if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE && lParam != 0) {
        OnFieldSelChange(reinterpret_cast<HWND>(lParam));
        return 0;
    }
    if (message == WM_KEYDOWN && wParam == VK_TAB) {
        OnTabKey();
        return 0;
    }
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        OnEnterKey();
        return 0;
    }
    return CFormView::WindowProc(message, wParam, lParam);
}

void CMetaDataInput::OnTabKey()
{
    const HWND hFocus = ::GetFocus();
    if (hFocus == NULL || !::IsChild(m_hWnd, hFocus))
        return;
    int nId = ::GetDlgCtrlID(hFocus);
    if (nId < m_nFirstControlId || nId > m_nLastControlId)
        return;
    nId = nId == m_nLastControlId ? m_nFirstControlId : nId + 1;
    // Labels take no focus. Looked up by id, 1090 is the template's radio
    // button, which comes before the first label in the child order.
    for (; nId <= m_nLastControlId; ++nId) {
        const HWND hItem = ::GetDlgItem(m_hWnd, nId);
        if (hItem == NULL || !HasClass(hItem, "Static"))
            break;
    }
    if (nId > m_nLastControlId)
        return;
    const HWND hNext = FirstNonStaticChild(m_hWnd, nId);
    if (hNext != NULL)
        ::SetFocus(hNext);
}

void CMetaDataInput::OnEnterKey()
{
    const HWND hFocus = ::GetFocus();
    if (hFocus == NULL || !::IsChild(m_hWnd, hFocus) || !HasClass(hFocus, "Edit"))
        return;
    const LRESULT nLineStart = ::SendMessageA(hFocus, EM_LINEINDEX, WPARAM(-1), 0);
    ::SendMessageA(hFocus, EM_LINESCROLL, 0, LPARAM(nLineStart + 1));
    ::SendMessageA(hFocus, EM_LINESCROLL, 0, 1);
}

void CMetaDataInput::OnSize(UINT nType, int cx, int cy)
{
    CFormView::OnSize(nType, cx, cy);
    MoveHiddenControls();
}

void CMetaDataInput::MoveHiddenControls()
{
    // Both groups below the last field, side by side, each with its label,
    // edit and two buttons placed from the group's corner; only positions change.
    struct Group {
        int nGroup, nLabel, nEdit, nAdd, nDelete;
    };
    const Group groups[] = {
        {IDC_META_COMPOUND_GROUP, IDC_META_ACCESSORY_LABEL, IDC_META_ACCESSORY_EDIT, IDC_META_ADD_ACCESSORY,
         IDC_META_DEL_ACCESSORY},
        {IDC_META_RELATED_GROUP, IDC_META_RELATED_LABEL, IDC_META_RELATED_EDIT, IDC_META_ADD_COMPOUND,
         IDC_META_DEL_RELATED},
    };
    auto sizeOf = [this](int nId) {
        CRect rcItem(0, 0, 0, 0);
        if (CWnd* pItem = GetDlgItem(nId))
            pItem->GetWindowRect(&rcItem);
        return rcItem.Size();
    };
    auto moveTo = [this](int nId, int nLeft, int nTop) {
        if (CWnd* pItem = GetDlgItem(nId))
            pItem->SetWindowPos(NULL, nLeft, nTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    int x = m_nLabelLeft;
    const int y = m_nControlBottom + 20;
    for (const Group& group : groups) {
        if (GetDlgItem(group.nGroup) == NULL)
            return;
        const CSize sizeGroup = sizeOf(group.nGroup);
        moveTo(group.nGroup, x, y);
        moveTo(group.nLabel, x + 10, y + 40);
        const int nEditTop = y + 40 + sizeOf(group.nLabel).cy;
        moveTo(group.nEdit, x + 10, nEditTop);
        const int nButtonLeft = x + sizeGroup.cx - 20 - sizeOf(group.nAdd).cx;
        moveTo(group.nAdd, nButtonLeft, nEditTop);
        moveTo(group.nDelete, nButtonLeft, nEditTop + sizeOf(group.nEdit).cy - sizeOf(group.nDelete).cy);
        x += sizeGroup.cx + 10;
    }
}

void CMetaDataInput::OnDestroy()
{
    if (m_hPostedValueHook != NULL)
        ::UnhookWindowsHookEx(m_hPostedValueHook);
    m_hPostedValueHook = NULL;
    DeleteFieldObjects();
    CFormView::OnDestroy();
}

void CMetaDataInput::DeleteFieldObjects()
{
    for (POSITION pos = m_EnumRecords.GetHeadPosition(); pos != NULL;)
        delete static_cast<EnumRecord*>(m_EnumRecords.GetNext(pos));
    m_EnumRecords.RemoveAll();
    for (POSITION pos = m_createdControls.GetHeadPosition(); pos != NULL;)
        delete static_cast<CWnd*>(m_createdControls.GetNext(pos));
    m_createdControls.RemoveAll();
    m_FieldControls.RemoveAll();
    for (POSITION pos = m_FieldAttributes.GetStartPosition(); pos != NULL;) {
        CString strName;
        void* pRecord = NULL;
        m_FieldAttributes.GetNextAssoc(pos, strName, pRecord);
        delete static_cast<FieldAttributeRecord*>(pRecord);
    }
    m_FieldAttributes.RemoveAll();
    m_DateTimeControls.RemoveAll();
}

void CMetaDataInput::OnAddAccessory()
{
    CAssetSubWnd::Open(RUNTIME_CLASS(CAssociateHtmlView), "衡远汇影--添加附件", GetDocument());
}

void CMetaDataInput::OnAddCompoundAsset()
{
    CAssetSubWnd::Open(RUNTIME_CLASS(CRelateAssetView), "衡远汇影--复合资产", GetDocument());
}
