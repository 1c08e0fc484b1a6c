// The metadata form's values: their checks, the one attribute text they
// make, what "确定", "提交" and "取消" store in the document, and the two
// messages through which a field can be filled from outside the form.
#include "MetaDataInput.h"

#include <climits>
#include <cstdlib>
#include <string>

#include "CJSearchEdit.h"
#include "CatalogTreeView.h"
#include "FormTextHelpers.h"
#include "MainFrame.h"
#include "OmbrelleApp.h"
#include "OmbrelleDoc.h"
#include "PicThumnailFormView.h"
#include "RecordSubWnd.h"
#include "XmlText.h"
#include "resource.h"

namespace {

const UINT WM_SET_FIELD_VALUE = WM_USER + 4;
const UINT WM_START_UPLOAD = WM_USER + 5;

const char kChooseFoldersFirst[] = "请先选择上载入库的目录信息";
const char kMayNotBeEmpty[] = "不能为空";
const char kWrongType[] = "的值类型不对";
const char kOutOfRange[] = "的取值范围在0~2000000000之间!";

const long long kLargestNumber = 2000000000;

BOOL HasClass(HWND hWnd, const char* pszClass)
{
    char szClass[32] = "";
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    return ::lstrcmpiA(szClass, pszClass) == 0;
}

BOOL IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

// An optional leading "-", then digits and, when bDecimal, at most one "."
// among them; at least one digit.
BOOL IsNumberShape(const CString& strText, BOOL bDecimal)
{
    const char* p = strText;
    if (*p == '-')
        ++p;
    BOOL bDigit = FALSE, bDot = FALSE;
    for (; *p != '\0'; ++p) {
        if (IsDigit(*p))
            bDigit = TRUE;
        else if (*p == '.' && bDecimal && !bDot)
            bDot = TRUE;
        else
            return FALSE;
    }
    return bDigit;
}

// An optional "-" and digits as a 64-bit integer; FALSE when it does not fit.
BOOL ParseInt64(const CString& strText, long long& nValue)
{
    const char* p = strText;
    const BOOL bNegative = *p == '-';
    if (bNegative)
        ++p;
    if (!IsDigit(*p))
        return FALSE;
    // Gathered as a negative number, whose range reaches one further.
    long long nNegated = 0;
    for (; IsDigit(*p); ++p) {
        const int nDigit = *p - '0';
        if (nNegated < (LLONG_MIN + nDigit) / 10)
            return FALSE;
        nNegated = nNegated * 10 - nDigit;
    }
    if (*p != '\0' || (!bNegative && nNegated == LLONG_MIN))
        return FALSE;
    nValue = bNegative ? nNegated : -nNegated;
    return TRUE;
}

// The message for a number field's value, "" when it is acceptable.
CString NumberProblem(const CString& strValue, const CString& strType)
{
    const BOOL bInteger = strType == "2";
    if (!IsNumberText(strValue) || !IsNumberShape(strValue, !bInteger))
        return kWrongType;
    if (bInteger) {
        if (strValue.GetAt(0) == '0' && strValue.GetLength() > 1)
            return kWrongType;
        long long nValue = 0;
        // Digits beyond 64 bits are far out of range too.
        if (!ParseInt64(strValue, nValue) || nValue > kLargestNumber || nValue < 0)
            return kOutOfRange;
        return "";
    }
    // The shape is checked, so the whole text is read; too long a number is infinite.
    const double dValue = std::strtod(strValue, NULL);
    if (dValue > double(kLargestNumber) || dValue < 0)
        return kOutOfRange;
    return "";
}

// Seconds since 1 January 1970 as local time, within what a date control
// can show at most (1601 to 9999).
BOOL SecondsToLocalTime(long long nSeconds, SYSTEMTIME& time)
{
    const long long kSecondsFrom1601To1970 = 11644473600LL;
    const long long kLastSecondOf9999 = 253402300799LL;
    if (nSeconds < -kSecondsFrom1601To1970 || nSeconds > kLastSecondOf9999)
        return FALSE;
    const unsigned long long nTicks = static_cast<unsigned long long>(nSeconds + kSecondsFrom1601To1970) * 10000000ULL;
    FILETIME utc = {static_cast<DWORD>(nTicks & 0xffffffffULL), static_cast<DWORD>(nTicks >> 32)};
    FILETIME local;
    return ::FileTimeToLocalFileTime(&utc, &local) && ::FileTimeToSystemTime(&local, &time);
}

// A date and time text as the user's locale reads it.
BOOL ParseLocalDateText(const CString& strText, SYSTEMTIME& time)
{
    const int nWide = ::MultiByteToWideChar(CP_ACP, 0, strText, -1, NULL, 0);
    if (nWide <= 0)
        return FALSE;
    std::wstring wide(static_cast<size_t>(nWide), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, strText, -1, &wide[0], nWide);
    DATE date = 0;
    if (FAILED(::VarDateFromStr(&wide[0], LOCALE_USER_DEFAULT, 0, &date)))
        return FALSE;
    return ::VariantTimeToSystemTime(date, &time);
}

}  // namespace

BOOL CMetaDataInput::IsStoreChecked()
{
    // Looked up by id, 1090 is the radio button: it comes before the first label.
    return IsDlgButtonChecked(IDC_META_STORE) == BST_CHECKED;
}

CString CMetaDataInput::FieldNameOf(CWnd* pControl) const
{
    if (pControl == NULL || HasClass(pControl->m_hWnd, "Static"))
        return "";
    for (POSITION pos = m_FieldControls.GetStartPosition(); pos != NULL;) {
        CString strKey;
        void* pValue = NULL;
        m_FieldControls.GetNextAssoc(pos, strKey, pValue);
        if (pValue == pControl)
            return strKey;
    }
    return "";
}

BOOL CMetaDataInput::ValidateFields()
{
    UpdateData(TRUE);
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        CWnd* pChild = CWnd::FromHandlePermanent(hChild);
        if (pChild != NULL && pChild->IsKindOf(RUNTIME_CLASS(CCJSearchEdit))) {
            if (!CheckFileField(pChild))
                return FALSE;
        } else if (HasClass(hChild, "Edit")) {
            if (!CheckEditField(pChild != NULL ? pChild : CWnd::FromHandle(hChild)))
                return FALSE;
        } else if (HasClass(hChild, "ComboBox")) {
            // Only a box that takes typing can have items and none chosen.
            if (::SendMessageA(hChild, CB_GETCOUNT, 0, 0) > 0 && ::SendMessageA(hChild, CB_GETCURSEL, 0, 0) == CB_ERR) {
                ::SetFocus(hChild);
                return FALSE;
            }
        }
    }
    return TRUE;
}

BOOL CMetaDataInput::CheckFileField(CWnd* pEdit)
{
    CString strPath;
    pEdit->GetWindowText(strPath);
    strPath = Trimmed(strPath);
    if (strPath.IsEmpty())
        return TRUE;
    const HANDLE hFile = ::CreateFileA(strPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile != INVALID_HANDLE_VALUE) {
        ::CloseHandle(hFile);
        return TRUE;
    }
    pEdit->SendMessage(EM_SETSEL, 0, -1);
    pEdit->SendMessage(EM_SCROLLCARET);
    pEdit->SetFocus();
    return FALSE;
}

BOOL CMetaDataInput::CheckEditField(CWnd* pEdit)
{
    UpdateData(TRUE);
    void* pRecord = NULL;
    const CString strName = FieldNameOf(pEdit);
    if (strName.IsEmpty() || !m_FieldAttributes.Lookup(strName, pRecord))
        return TRUE;
    const FieldAttributeRecord& field = *static_cast<FieldAttributeRecord*>(pRecord);
    CString strValue;
    pEdit->GetWindowText(strValue);
    strValue = Trimmed(strValue);

    CString strProblem;
    if (strValue.IsEmpty())
        strProblem = field.AllowNull == "0" ? kMayNotBeEmpty : "";
    else if (field.Type == "2" || field.Type == "3")
        strProblem = NumberProblem(strValue, field.Type);
    if (strProblem.IsEmpty())
        return TRUE;
    AfxMessageBox(field.CName + strProblem, MB_OK);
    pEdit->SetFocus();
    return FALSE;
}

CString CMetaDataInput::FieldValueOf(CWnd* pControl) const
{
    CString strValue;
    if (pControl->IsKindOf(RUNTIME_CLASS(CCJSearchEdit)))
        return strValue;  // a file goes up on its own; its path is no value
    if (IsDateTimeControl(pControl)) {
        SYSTEMTIME time = {};
        if (static_cast<CDateTimeCtrl*>(pControl)->GetTime(&time) == GDT_VALID)
            strValue.Format("%04d-%02d-%02d", time.wYear, time.wMonth, time.wDay);
    } else if (HasClass(pControl->m_hWnd, "ComboBox")) {
        CComboBox* pCombo = static_cast<CComboBox*>(pControl);
        const int nSelected = pCombo->GetCurSel();
        if (nSelected != CB_ERR)
            pCombo->GetLBText(nSelected, strValue);
    } else if (HasClass(pControl->m_hWnd, "Button")) {
        strValue = pControl->SendMessage(BM_GETCHECK) == BST_CHECKED ? "1" : "0";
    } else {
        pControl->GetWindowText(strValue);
    }
    return strValue;
}

CString CMetaDataInput::BuildFieldAttributes()
{
    UpdateData(TRUE);
    CString strText;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        CWnd* pChild = CWnd::FromHandlePermanent(hChild);
        const CString strName = FieldNameOf(pChild);
        if (strName.IsEmpty())
            continue;
        // Escaped, so that no value ends its attribute early in the asset record.
        strText += strName + "='" + XmlEscape(FieldValueOf(pChild)) + "' ";
    }
    return strText;
}

CString CMetaDataInput::GetCheckedCatalogIds()
{
    CSplitterWnd* pSplitter = DYNAMIC_DOWNCAST(CSplitterWnd, GetParent());
    if (pSplitter == NULL || DYNAMIC_DOWNCAST(CRecordSubWnd, pSplitter->GetParentFrame()) == NULL)
        return "";
    CCatalogTreeView* pTree = DYNAMIC_DOWNCAST(CCatalogTreeView, pSplitter->GetPane(0, 0));
    return pTree != NULL ? pTree->GetCheckedIds() : CString();
}

BOOL CMetaDataInput::StoreAssetState(COmbrelleDoc& doc)
{
    if (!IsStoreChecked()) {
        doc.m_strAssetState = "-1";
        return TRUE;
    }
    doc.m_strAssetState = "0";
    doc.m_strCatalogIds = GetCheckedCatalogIds();
    if (!doc.m_strCatalogIds.IsEmpty())
        return TRUE;
    AfxMessageBox(kChooseFoldersFirst, MB_OK);
    return FALSE;
}

void CMetaDataInput::CopySelectedPictures(CStringArray& arrPictures)
{
    COmbrelleApp* pApp = static_cast<COmbrelleApp*>(AfxGetApp());
    CMainFrame* pMainFrame = pApp != NULL ? pApp->m_pMainFrame : NULL;
    CPicThumnailFormView* pThumbnails = pMainFrame != NULL ? pMainFrame->GetThumbnailView() : NULL;
    if (pThumbnails != NULL)
        arrPictures.Append(pThumbnails->m_arrSelectedFiles);
}

void CMetaDataInput::CloseRecordWindow()
{
    if (CRecordSubWnd* pFrame = DYNAMIC_DOWNCAST(CRecordSubWnd, GetParentFrame()))
        pFrame->Close();
}

void CMetaDataInput::OnOK()
{
    COmbrelleDoc* pDoc = GetMetaDocument();
    // A value the operator must correct leaves the document as it was.
    if (pDoc == NULL || !ValidateFields())
        return;
    pDoc->m_arrCatalogued.RemoveAll();
    pDoc->m_strFieldAttributes = BuildFieldAttributes();
    if (!StoreAssetState(*pDoc))
        return;
    CopySelectedPictures(pDoc->m_arrCatalogued);
    CloseRecordWindow();  // destroys this form
}

void CMetaDataInput::OnSubmit()
{
    COmbrelleDoc* pDoc = GetMetaDocument();
    if (pDoc == NULL || !ValidateFields())
        return;
    pDoc->m_strFieldAttributes = BuildFieldAttributes();
    if (!StoreAssetState(*pDoc))
        return;
    CWnd* pMainWnd = AfxGetApp()->m_pMainWnd;
    const HWND hMainWnd = pMainWnd != NULL ? pMainWnd->GetSafeHwnd() : NULL;
    CloseRecordWindow();  // destroys this form
    if (hMainWnd != NULL)
        ::SendMessageA(hMainWnd, WM_START_UPLOAD, 0, 0);
}

void CMetaDataInput::OnCancel()
{
    CloseRecordWindow();
}

BOOL CMetaDataInput::SetFieldValue(const CString& strLabel, const CString& strValue)
{
    CString strName;
    void* pControl = NULL;
    if (!m_CNameToName.Lookup(strLabel, strName) || !m_FieldControls.Lookup(strName, pControl))
        return FALSE;
    CWnd* pWnd = static_cast<CWnd*>(pControl);
    BOOL bSet = FALSE;
    TRY
    {
        if (HasClass(pWnd->m_hWnd, "Edit")) {
            pWnd->SetWindowText(strValue);
            bSet = TRUE;
        } else if (IsDateTimeControl(pWnd)) {
            // A whole number is seconds since 1970; anything else a date text.
            const CString strTrimmed = Trimmed(strValue);
            long long nSeconds = 0;
            SYSTEMTIME time = {};
            const BOOL bSeconds =
                IsNumberShape(strTrimmed, FALSE) && ParseInt64(strTrimmed, nSeconds) && nSeconds != 0;
            if (bSeconds ? SecondsToLocalTime(nSeconds, time) : ParseLocalDateText(strValue, time))
                bSet = static_cast<CDateTimeCtrl*>(pWnd)->SetTime(&time);
        }
    }
    CATCH_ALL(e)
    {
        bSet = FALSE;
    }
    END_CATCH_ALL
    return bSet;
}

LRESULT CMetaDataInput::OnSetFieldValue(WPARAM wParam, LPARAM lParam)
{
    // From another thread or program the addresses are not this thread's
    // texts; a posted one never gets here.
    if (::InSendMessageEx(NULL) != ISMEX_NOSEND || wParam == 0 || lParam == 0)
        return 0;
    SetFieldValue(reinterpret_cast<LPCSTR>(wParam), reinterpret_cast<LPCSTR>(lParam));
    return 0;
}

BOOL CMetaDataInput::OnCopyData(CWnd*, COPYDATASTRUCT* pCopyData)
{
    if (pCopyData == NULL || pCopyData->dwData != kCopyDataSetField || pCopyData->lpData == NULL)
        return FALSE;
    // The sender's buffer lives only as long as this call.
    const std::string data(static_cast<const char*>(pCopyData->lpData), pCopyData->cbData);
    const size_t nLabelEnd = data.find('\0');
    const size_t nValueEnd = nLabelEnd == std::string::npos ? std::string::npos : data.find('\0', nLabelEnd + 1);
    if (nValueEnd == std::string::npos || nValueEnd + 1 != data.size())
        return FALSE;
    return SetFieldValue(data.substr(0, nLabelEnd).c_str(), data.substr(nLabelEnd + 1, nValueEnd - nLabelEnd - 1).c_str());
}

LRESULT CALLBACK CMetaDataInput::DropPostedFieldValues(int nCode, WPARAM wParam, LPARAM lParam)
{
    MSG* pMsg = reinterpret_cast<MSG*>(lParam);
    if (nCode == HC_ACTION && wParam == PM_REMOVE && pMsg->message == WM_SET_FIELD_VALUE) {
        CWnd* pWnd = CWnd::FromHandlePermanent(pMsg->hwnd);
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CMetaDataInput)))
            pMsg->message = WM_NULL;
    }
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}
