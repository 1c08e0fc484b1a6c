#include "ThumbListCtrl.h"

#include <cmath>
#include <vector>

#include "FilePropertiesDlg.h"
#include "FileTypeDlg.h"
#include "General.h"
#include "IconSpacingDlg.h"
#include "OmbrelleDoc.h"
#include "Rasterdock.h"
#include "ReducedCopy.h"
#include "resource.h"

namespace {

const char kSection[] = "PicSkipBar";
// The image list grows in steps this large: growing by one image copies the
// whole list on every thumbnail, which a folder of thousands cannot afford.
const int kImageListGrow = 32;

int ThumbSizeOfMode(int nMode)
{
    switch (nMode) {
    case 1:
        return 64;
    case 2:
        return 48;
    default:
        return 96;
    }
}

UINT PlaceholderOfMode(int nMode)
{
    switch (nMode) {
    case 1:
        return IDB_THUMB_MEDIUM;
    case 2:
        return IDB_THUMB_SMALL;
    default:
        return IDB_THUMB_LARGE;
    }
}

// The last byte of a folder name can be a GBK trail byte that equals a backslash.
CString JoinPath(const CString& strFolder, const CString& strName)
{
    return WithoutTrailingBackslash(strFolder) + '\\' + strName;
}

CString ExtensionOf(const CString& strName)
{
    int nDot = strName.ReverseFind('.');
    CString strExtension = nDot >= 0 ? strName.Mid(nDot + 1) : CString();
    strExtension.MakeUpper();
    return strExtension;
}

// The size a folder scan reports keeps only its low 32 bits.
DWORD LowSize(const WIN32_FIND_DATAA& data) { return data.nFileSizeLow; }

// Keeps the general library's thumbnail bracket closed on every way out.
class ThumbnailBracket {
public:
    ThumbnailBracket() { GenBeginThumbnails(); }
    ~ThumbnailBracket() { GenEndThumbnails(); }
    ThumbnailBracket(const ThumbnailBracket&) = delete;
    ThumbnailBracket& operator=(const ThumbnailBracket&) = delete;
};

// What a thumbnail is made from: the reduced display data and the header.
struct ThumbnailPicture {
    std::vector<BYTE> bits;  // bottom-up 24-bit rows padded to 4 bytes
    int nDataWidth = 0;
    int nDataHeight = 0;
    int nWidth = 0;
    int nHeight = 0;
    float fXRes = 0;
    float fYRes = 0;
    int nColorMode = 0;
    bool bStock = false;
};

// File types the list shows by the stock picture instead of reading them.
bool IsStockType(int nFileType) { return nFileType == 0 || nFileType == 18 || nFileType == 50; }

CString StockPicturePath()
{
    CString strFolder = GenGetProgramFolder();
    return JoinPath(strFolder, "icon96.bmp");
}

// Reads a picture's header and its data reduced to fit a box; FALSE when
// it cannot be opened or read (bUnreadable when the file is malformed).
BOOL ReadThumbnailPicture(const CString& strPath, int nSize, ThumbnailPicture& picture, BOOL& bUnreadable)
{
    int nFileType = GenGetFileType(strPath);
    CString strSource = strPath;
    if (IsStockType(nFileType)) {
        strSource = StockPicturePath();
        nFileType = 1;
        picture.bStock = true;
    }
    CImageIO* pImage = RdCreateImage(nFileType, strSource);
    if (pImage == NULL)
        return FALSE;
    BOOL bDone = FALSE;
    BYTE* pData = NULL;
    try {
        pImage->m_bShowProgress = FALSE;
        pImage->m_nDisplaySize = nSize;
        int nWidth = 0;
        int nHeight = 0;
        if (pImage->OpenFile(32) && pImage->IsValidSize()) {
            picture.nWidth = pImage->m_nWidth;
            picture.nHeight = pImage->m_nHeight;
            picture.fXRes = pImage->m_fXResolution;
            picture.fYRes = pImage->m_fYResolution;
            picture.nColorMode = pImage->m_nColorMode;
            if (pImage->ReducedDataForDisplay(nWidth, nHeight, pData) && pData != NULL && nWidth > 0 &&
                nHeight > 0) {
                size_t nBytes = static_cast<size_t>(nHeight) * ((static_cast<size_t>(nWidth) * 3 + 3) & ~size_t(3));
                picture.bits.assign(pData, pData + nBytes);
                picture.nDataWidth = nWidth;
                picture.nDataHeight = nHeight;
                bDone = TRUE;
            }
        }
        if (!bDone && pImage->m_bUnreadable)
            bUnreadable = TRUE;
        pImage->CloseFile();
    } catch (CException* e) {
        // A failed open or read through the image's file: one more unreadable file.
        e->Delete();
        bDone = FALSE;
    } catch (...) {
        bDone = FALSE;
    }
    if (pData != NULL)
        GenFreeBuffer(reinterpret_cast<void**>(&pData));
    delete pImage;
    return bDone;
}

bool ComesBefore(const ThumbItem& item, const ThumbItem& other, int nSort)
{
    switch (nSort) {
    case 1:
        return other.dwSize > item.dwSize;
    case 2:
        return other.strExtension.Compare(item.strExtension) > 0;
    case 3:
        return other.tmModified < item.tmModified;
    case 4:
        return other.strName.CompareNoCase(item.strName) > 0;
    default:
        return false;
    }
}

// Whether a record belongs before another when the whole list is sorted.
bool SortsBefore(const ThumbItem& item, const ThumbItem& other, int nSort)
{
    switch (nSort) {
    case 1:
        return item.dwSize < other.dwSize;
    case 2:
        return item.strExtension.Compare(other.strExtension) < 0;
    case 3:
        return item.tmModified > other.tmModified;
    default:
        return item.strName.CompareNoCase(other.strName) < 0;
    }
}

}  // namespace

CString FormatFileTime(const CTime& time)
{
    CString strText;
    strText.Format("%d-%d-%d  %d:%d:%d", time.GetYear(), time.GetMonth(), time.GetDay(), time.GetHour(),
                   time.GetMinute(), time.GetSecond());
    return strText;
}

void FormatThumbDetails(int nWidth, int nHeight, float fXRes, float fYRes, int nColorMode, ThumbDetails& details)
{
    details.strWidth.Format("%d", nWidth);
    details.strHeight.Format("%d", nHeight);
    details.strHorRes.Format("%5.2f", fXRes);
    details.strVerRes.Format("%5.2f", fYRes);

    static const char* const kModes[] = {"BMP", "GRAY", "RGB", "CMYK", "Index", "MultiCh"};
    details.strColorMode = nColorMode >= 2 && nColorMode <= 7 ? kModes[nColorMode - 2] : "";
    details.strModeText.Empty();
    if (!details.strColorMode.IsEmpty())
        details.strModeText = details.strColorMode + ",";
    details.strModeText += details.strHorRes + "Dpi(H)," + details.strVerRes + "Dpi(V)";

    double fPixels = static_cast<double>(nWidth) * nHeight;
    double fValue;
    const char* pszUnit;
    if (fPixels > 10000000.0) {
        fValue = fPixels / 1048576.0;
        pszUnit = "MB";
    } else if (fPixels >= 1000.0) {
        fValue = fPixels / 1024.0;
        pszUnit = "KB";
    } else {
        fValue = fPixels;
        pszUnit = "bytes";
    }
    if (nColorMode == 4)
        fValue *= 3;
    else if (nColorMode == 5)
        fValue *= 4;
    details.strSizeText.Format("%d(H) * %d(V) Pixels,%d%s", nWidth, nHeight, static_cast<int>(fValue), pszUnit);
}

void FitThumbnail(const BYTE* pSource, int nWidth, int nHeight, int nSize, BYTE* pSquare)
{
    memset(pSquare, 255, static_cast<size_t>(nSize) * nSize * 3);
    if (pSource == NULL || nWidth <= 0 || nHeight <= 0 || nSize <= 0)
        return;
    const size_t nSourceRow = (static_cast<size_t>(nWidth) * 3 + 3) & ~static_cast<size_t>(3);
    const size_t nSquareRow = static_cast<size_t>(nSize) * 3;
    // Rows counted from the top; the source is stored bottom-up.
    auto sourceRow = [&](int nRow) { return pSource + (nHeight - 1 - nRow) * nSourceRow; };

    if (nWidth < nSize && nHeight < nSize) {
        int nLeft = (nSize - nWidth) / 2;
        int nTop = (nSize - nHeight) / 2;
        for (int y = 0; y < nHeight; ++y)
            memcpy(pSquare + (nTop + y) * nSquareRow + nLeft * 3, sourceRow(y), static_cast<size_t>(nWidth) * 3);
        return;
    }

    double f = std::max(static_cast<double>(nWidth) / nSize, static_cast<double>(nHeight) / nSize);
    int nRows = std::min(nSize, static_cast<int>(nHeight / f));
    int nColumns = std::min(nSize, static_cast<int>(nWidth / f));
    int nLeft = (nSize - nColumns) / 2;
    int nTop = (nSize - nRows) / 2;
    for (int y = 0; y < nRows; ++y) {
        int nSourceY = std::min(nHeight - 1, static_cast<int>(std::lround(f * y)));
        const BYTE* pRow = sourceRow(nSourceY);
        BYTE* pOut = pSquare + (nTop + y) * nSquareRow + nLeft * 3;
        for (int x = 0; x < nColumns; ++x) {
            int nSourceX = std::min(nWidth - 1, static_cast<int>(std::lround(f * x)));
            memcpy(pOut + x * 3, pRow + nSourceX * 3, 3);
        }
    }
}

int FindInsertIndex(const CArray<ThumbItem*, ThumbItem*>& items, const ThumbItem& item, int nSort)
{
    int nCount = static_cast<int>(items.GetSize());
    for (int i = 0; i < nCount; ++i) {
        if (ComesBefore(item, *items[i], nSort))
            return i;
    }
    return nCount;
}

IMPLEMENT_DYNAMIC(CThumbListCtrl, CListCtrl)

BEGIN_MESSAGE_MAP(CThumbListCtrl, CListCtrl)
    ON_WM_CONTEXTMENU()
    ON_WM_DESTROY()
    ON_NOTIFY_REFLECT(NM_DBLCLK, OnDblclk)
    ON_COMMAND(ID_THUMB_REFRESH, OnRefresh)
    ON_COMMAND(ID_THUMB_PROPERTIES, OnProperties)
    ON_COMMAND(ID_THUMB_VIEW_LARGE, OnViewLarge)
    ON_COMMAND(ID_THUMB_VIEW_MEDIUM, OnViewMedium)
    ON_COMMAND(ID_THUMB_VIEW_SMALL, OnViewSmall)
    ON_COMMAND(ID_THUMB_SORT_NAME, OnSortName)
    ON_COMMAND(ID_THUMB_SORT_TYPE, OnSortType)
    ON_COMMAND(ID_THUMB_SORT_SIZE, OnSortSize)
    ON_COMMAND(ID_THUMB_SORT_DATE, OnSortDate)
    ON_COMMAND(ID_THUMB_SPACING_STANDARD, OnSpacingStandard)
    ON_COMMAND(ID_THUMB_SPACING_CUSTOM, OnSpacingCustom)
    ON_COMMAND(ID_THUMB_FILE_TYPES, OnFileTypes)
    ON_COMMAND(ID_THUMB_AUTO_REFRESH, OnAutoRefresh)
    ON_COMMAND(ID_THUMB_DEFAULT_PARAMS, OnDefaultParams)
END_MESSAGE_MAP()

CThumbListCtrl::CThumbListCtrl()
    : m_bImageListBuilt(FALSE), m_pDoc(NULL), m_bFirstFill(TRUE), m_bSkipThumbnails(TRUE), m_bFolderMissing(FALSE),
      m_bUnreadable(FALSE), m_bInitialised(FALSE), m_nChanges(0), m_nFills(0)
{
    m_items.SetSize(0, 10);
    CWinApp* pApp = AfxGetApp();
    m_nSort = pApp->GetProfileInt(kSection, "Sort", 4);
    if (m_nSort < 1 || m_nSort > 4)
        m_nSort = 4;
    m_bAutoRefresh = pApp->GetProfileInt(kSection, "AutoRefresh", 1);
    m_bDefaultParams = pApp->GetProfileInt(kSection, "DefaultPrm", 1);
    m_nViewMode = pApp->GetProfileInt(kSection, "ViewMode", 1);
    if (m_nViewMode < 0 || m_nViewMode > 2)
        m_nViewMode = 0;
    m_nThumbSize = ThumbSizeOfMode(m_nViewMode);
    m_dwFileType = pApp->GetProfileInt(kSection, "FileType", 0x0FFFFFFF);
    m_bCustomSpacing = pApp->GetProfileInt(kSection, "IsSysSpacing", 0);
    m_sizeSpacing.cx = pApp->GetProfileInt(kSection, "HorzSpacing", 0);
    m_sizeSpacing.cy = pApp->GetProfileInt(kSection, "VertSpacing", 0);
    m_sizeSysSpacing = CSize(0, 0);
}

CThumbListCtrl::~CThumbListCtrl() { DeleteAllRecords(); }

ThumbItem* CThumbListCtrl::GetThumbItem(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetThumbCount() ? m_items[nIndex] : NULL;
}

void CThumbListCtrl::DeleteRecord(int nIndex)
{
    delete m_items[nIndex];
    m_items.RemoveAt(nIndex);
    if (GetSafeHwnd() != NULL)
        DeleteItem(nIndex);
    ++m_nChanges;
}

void CThumbListCtrl::DeleteAllRecords()
{
    for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
        delete m_items[i];
    m_items.RemoveAll();
    if (GetSafeHwnd() != NULL)
        DeleteAllItems();
    ++m_nChanges;
}

void CThumbListCtrl::SetItemFromRecord(int nIndex)
{
    const ThumbItem* pItem = m_items[nIndex];
    SetItem(nIndex, 0, LVIF_TEXT | LVIF_IMAGE, pItem->strName, pItem->nImage, 0, 0, 0);
}

void CThumbListCtrl::SwapRecords(int nFirst, int nSecond)
{
    ThumbItem* pFirst = m_items[nFirst];
    m_items[nFirst] = m_items[nSecond];
    m_items[nSecond] = pFirst;
    SetItemFromRecord(nFirst);
    SetItemFromRecord(nSecond);
    ++m_nChanges;
}

void CThumbListCtrl::BuildImageList()
{
    if (m_bImageListBuilt)
        return;
    m_imageList.DeleteImageList();
    if (!m_imageList.Create(m_nThumbSize, m_nThumbSize, ILC_COLOR24, 0, kImageListGrow))
        return;
    CBitmap placeholder;
    if (placeholder.LoadBitmap(PlaceholderOfMode(m_nViewMode)))
        m_imageList.Add(&placeholder, static_cast<CBitmap*>(NULL));
    SetImageList(&m_imageList, LVSIL_NORMAL);
    SetImageList(&m_imageList, LVSIL_SMALL);
    m_bImageListBuilt = TRUE;
}

void CThumbListCtrl::ApplySpacing()
{
    if (GetSafeHwnd() != NULL)
        SetIconSpacing(m_sizeSpacing.cx, m_sizeSpacing.cy);
}

BOOL CThumbListCtrl::ChangeToFolder(CString& strPrevious)
{
    char szPrevious[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, szPrevious);
    strPrevious = szPrevious;
    if (::SetCurrentDirectoryA(m_strFolder))
        return TRUE;
    ::SetCurrentDirectoryA(strPrevious);
    m_bFolderMissing = TRUE;
    CString strMessage;
    strMessage.LoadString(IDS_THUMB_NO_FOLDER);
    AfxMessageBox(strMessage + "\n" + m_strFolder);
    return FALSE;
}

void CThumbListCtrl::ShowFolder(LPCTSTR lpszFolder, BOOL bForce)
{
    m_bUnreadable = FALSE;
    CString strFolder = lpszFolder != NULL ? lpszFolder : "";
    if (strFolder.IsEmpty())
        return;
    BuildImageList();
    if (bForce || strFolder.Compare(m_strFolder) != 0) {
        DeleteThumbnails();
        m_strFolder = strFolder;
    }
    CString strPrevious;
    if (ChangeToFolder(strPrevious))
        FillFromFolder();
}

void CThumbListCtrl::ShowNoFolder()
{
    m_bUnreadable = FALSE;
    DeleteThumbnails();
    m_strFolder.Empty();
}

void CThumbListCtrl::DeleteThumbnails()
{
    if (m_bImageListBuilt) {
        for (int i = m_imageList.GetImageCount() - 1; i >= 1; --i)
            m_imageList.Remove(i);
    }
    DeleteAllRecords();
}

void CThumbListCtrl::Refresh()
{
    if (m_strFolder.IsEmpty())
        return;
    CString strPrevious;
    if (!ChangeToFolder(strPrevious))
        return;
    FillFromFolder();
    ::SetCurrentDirectoryA(strPrevious);
}

void CThumbListCtrl::FillFromFolder()
{
    ++m_nFills;
    m_bFolderMissing = FALSE;
    if (m_bFirstFill)
        m_bFirstFill = FALSE;
    else
        m_bSkipThumbnails = FALSE;

    // Records of vanished files go; rewritten files get a new thumbnail.
    for (int i = GetThumbCount() - 1; i >= 0; --i) {
        ThumbItem* pItem = m_items[i];
        WIN32_FIND_DATAA data;
        HANDLE hFind = ::FindFirstFileA(JoinPath(m_strFolder, pItem->strName), &data);
        if (hFind == INVALID_HANDLE_VALUE) {
            DeleteRecord(i);
            continue;
        }
        ::FindClose(hFind);
        CTime tmModified(data.ftLastWriteTime);
        if (tmModified != pItem->tmModified) {
            pItem->tmModified = tmModified;
            pItem->tmCreated = CTime(data.ftCreationTime);
            pItem->dwSize = LowSize(data);
            pItem->nImage = 0;
            pItem->bThumbMade = 0;
        }
    }

    // New files of every chosen type, each at its sorted place. A name seen
    // once is not taken again (a short name can match a second pattern).
    CMapStringToPtr known;
    for (int i = 0; i < GetThumbCount(); ++i)
        known.SetAt(m_items[i]->strName, NULL);
    if (m_pDoc != NULL) {
        for (INT_PTR t = 0; t < m_pDoc->m_picTypes.GetSize(); ++t) {
            const PicTypeEntry* pType = m_pDoc->m_picTypes[t];
            if (!pType->bSelected)
                continue;
            WIN32_FIND_DATAA data;
            HANDLE hFind = ::FindFirstFileA(JoinPath(m_strFolder, "*." + pType->strExtension), &data);
            if (hFind == INVALID_HANDLE_VALUE)
                continue;
            do {
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    continue;
                void* pKnown;
                if (known.Lookup(data.cFileName, pKnown))
                    continue;
                known.SetAt(data.cFileName, NULL);
                ThumbItem* pItem = new ThumbItem;
                pItem->strName = data.cFileName;
                pItem->tmCreated = CTime(data.ftCreationTime);
                pItem->tmModified = CTime(data.ftLastWriteTime);
                pItem->dwSize = LowSize(data);
                pItem->strExtension = ExtensionOf(pItem->strName);
                m_items.InsertAt(FindInsertIndex(m_items, *pItem, m_nSort), pItem);
                ++m_nChanges;
            } while (::FindNextFileA(hFind, &data));
            ::FindClose(hFind);
        }
    }

    for (int i = GetItemCount(); i < GetThumbCount(); ++i)
        InsertItem(i, "", 0);
    for (int i = 0; i < GetThumbCount(); ++i)
        SetItemFromRecord(i);

    if (!m_bSkipThumbnails)
        MakeThumbnails();
}

void CThumbListCtrl::ShowThumbnailItem(ThumbItem* pItem, int nIndex)
{
    SetItem(nIndex, 0, LVIF_IMAGE, NULL, pItem->nImage, 0, 0, 0);
    EnsureVisible(nIndex, FALSE);
    RedrawItems(nIndex, nIndex);
    UpdateWindow();
}

void CThumbListCtrl::MakeThumbnails()
{
    std::shared_ptr<bool> spAlive = GetAliveToken();
    const unsigned nFill = m_nFills;
    unsigned nChanges = m_nChanges;
    for (int i = 0; i < GetThumbCount(); ++i) {
        ThumbItem* pItem = m_items[i];
        if (pItem->bThumbMade)
            continue;
        CBitmap bitmap;
        ThumbDetails details;
        if (!MakeThumbnailBitmap(m_strFolder, pItem->strName, bitmap, details)) {
            // A file that cannot be read is dropped; the others go on.
            DeleteRecord(i);
            --i;
            nChanges = m_nChanges;
        } else {
            static_cast<ThumbDetails&>(*pItem) = details;
            int nImage = m_imageList.Add(&bitmap, static_cast<CBitmap*>(NULL));
            if (nImage >= 0) {
                pItem->nImage = nImage;
                pItem->bThumbMade = 1;
                ShowThumbnailItem(pItem, i);
            }
        }
        if (RdStopRequested())
            break;
        if (!LetMessagesThrough() || !*spAlive)
            return;
        // A fill that ran meanwhile has made what was left; a sort or a
        // removal has moved the records, so look again from the start.
        if (m_nFills != nFill)
            return;
        if (m_nChanges != nChanges) {
            nChanges = m_nChanges;
            i = -1;
        }
    }
}

BOOL CThumbListCtrl::LetMessagesThrough()
{
    std::shared_ptr<bool> spAlive = GetAliveToken();
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT)
            return FALSE;
        if (!AfxPumpMessage()) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return FALSE;
        }
        if (!*spAlive)
            return FALSE;
    }
    return TRUE;
}

int CThumbListCtrl::MakeThumbnailBitmap(LPCTSTR lpszFolder, LPCTSTR lpszName, CBitmap& bitmap, ThumbDetails& details)
{
    ThumbnailBracket bracket;
    CString strPath = JoinPath(lpszFolder, lpszName);
    const int nSize = m_nThumbSize > 0 ? m_nThumbSize : 96;

    ThumbnailPicture picture;
    BOOL bUnreadable = FALSE;
    if (!ReadThumbnailPicture(strPath, nSize, picture, bUnreadable)) {
        if (bUnreadable)
            m_bUnreadable = TRUE;
        return 0;
    }
    if (picture.bStock)
        details.Clear();
    else
        FormatThumbDetails(picture.nWidth, picture.nHeight, picture.fXRes, picture.fYRes, picture.nColorMode, details);

    std::vector<BYTE> square;
    try {
        square.resize(static_cast<size_t>(nSize) * nSize * 3);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    FitThumbnail(picture.bits.data(), picture.nDataWidth, picture.nDataHeight, nSize, square.data());

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = nSize;
    info.bmiHeader.biHeight = -nSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biXPelsPerMeter = 72;
    info.bmiHeader.biYPelsPerMeter = 72;
    HDC hDC = ::GetDC(GetSafeHwnd());
    HBITMAP hBitmap = ::CreateDIBitmap(hDC, &info.bmiHeader, CBM_INIT, square.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(GetSafeHwnd(), hDC);
    if (hBitmap == NULL)
        return 0;
    bitmap.DeleteObject();
    bitmap.Attach(hBitmap);
    return 1;
}

void CThumbListCtrl::SortBy(int nSort)
{
    m_nSort = nSort;
    const int nCount = GetThumbCount();
    for (int i = 0; i < nCount - 1; ++i) {
        int nBest = i;
        for (int j = i + 1; j < nCount; ++j) {
            if (SortsBefore(*m_items[j], *m_items[nBest], nSort))
                nBest = j;
        }
        if (nBest != i)
            SwapRecords(i, nBest);
    }
}

void CThumbListCtrl::SetViewMode(int nMode)
{
    if (nMode == m_nViewMode)
        return;
    int nNewSize = ThumbSizeOfMode(nMode);
    m_sizeSpacing.cx += nNewSize - m_nThumbSize;
    m_sizeSpacing.cy += nNewSize - m_nThumbSize;
    m_nViewMode = nMode;
    m_nThumbSize = nNewSize;
    SetImageList(NULL, LVSIL_NORMAL);
    SetImageList(NULL, LVSIL_SMALL);
    m_imageList.DeleteImageList();
    m_bImageListBuilt = FALSE;
    ApplySpacing();
    ShowFolder(m_strFolder, TRUE);
}

void CThumbListCtrl::RemoveExtension(LPCTSTR lpszExtension)
{
    for (int i = GetThumbCount() - 1; i >= 0; --i) {
        if (m_items[i]->strExtension.CompareNoCase(lpszExtension) == 0)
            DeleteRecord(i);
    }
}

void CThumbListCtrl::OnContextMenu(CWnd*, CPoint point)
{
    // From the keyboard: at the list's top left corner.
    if (point.x == -1 && point.y == -1) {
        point = CPoint(0, 0);
        ClientToScreen(&point);
    }
    CMenu menu;
    if (!menu.LoadMenu(IDR_THUMB_POPUP))
        return;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == NULL)
        return;
    if (GetSelectedCount() == 0)
        pPopup->EnableMenuItem(ID_THUMB_PROPERTIES, MF_BYCOMMAND | MF_GRAYED);
    pPopup->RemoveMenu(ID_THUMB_DISPLAY_SETTINGS, MF_BYCOMMAND);
    pPopup->RemoveMenu(ID_THUMB_DELETE, MF_BYCOMMAND);

    static const UINT kSortIds[] = {ID_THUMB_SORT_SIZE, ID_THUMB_SORT_TYPE, ID_THUMB_SORT_DATE, ID_THUMB_SORT_NAME};
    for (int i = 0; i < 4; ++i)
        pPopup->CheckMenuItem(kSortIds[i], MF_BYCOMMAND | (m_nSort == i + 1 ? MF_CHECKED : MF_UNCHECKED));
    static const UINT kViewIds[] = {ID_THUMB_VIEW_LARGE, ID_THUMB_VIEW_MEDIUM, ID_THUMB_VIEW_SMALL};
    for (int i = 0; i < 3; ++i)
        pPopup->CheckMenuItem(kViewIds[i], MF_BYCOMMAND | (m_nViewMode == i ? MF_CHECKED : MF_UNCHECKED));
    pPopup->CheckMenuItem(ID_THUMB_SPACING_STANDARD, MF_BYCOMMAND | (m_bCustomSpacing ? MF_UNCHECKED : MF_CHECKED));
    pPopup->CheckMenuItem(ID_THUMB_SPACING_CUSTOM, MF_BYCOMMAND | (m_bCustomSpacing ? MF_CHECKED : MF_UNCHECKED));
    pPopup->CheckMenuItem(ID_THUMB_AUTO_REFRESH, MF_BYCOMMAND | (m_bAutoRefresh ? MF_CHECKED : MF_UNCHECKED));
    pPopup->CheckMenuItem(ID_THUMB_DEFAULT_PARAMS, MF_BYCOMMAND | (m_bDefaultParams ? MF_CHECKED : MF_UNCHECKED));
    pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CThumbListCtrl::SaveSettings()
{
    CWinApp* pApp = AfxGetApp();
    pApp->WriteProfileInt(kSection, "IsSysSpacing", m_bCustomSpacing);
    pApp->WriteProfileInt(kSection, "HorzSpacing", m_sizeSpacing.cx);
    pApp->WriteProfileInt(kSection, "VertSpacing", m_sizeSpacing.cy);
    pApp->WriteProfileInt(kSection, "AutoRefresh", m_bAutoRefresh);
    pApp->WriteProfileInt(kSection, "ViewMode", m_nViewMode);
    pApp->WriteProfileInt(kSection, "Sort", m_nSort);
    pApp->WriteProfileInt(kSection, "FileType", static_cast<int>(m_dwFileType));
    pApp->WriteProfileInt(kSection, "DefaultPrm", m_bDefaultParams);
}

void CThumbListCtrl::OnDestroy()
{
    SaveSettings();
    DeleteAllRecords();
    SetImageList(NULL, LVSIL_NORMAL);
    SetImageList(NULL, LVSIL_SMALL);
    m_imageList.DeleteImageList();
    m_bImageListBuilt = FALSE;
    CListCtrl::OnDestroy();
}

void CThumbListCtrl::OnDblclk(NMHDR*, LRESULT* pResult) { *pResult = 0; }

void CThumbListCtrl::OnRefresh() { Refresh(); }

void CThumbListCtrl::OnProperties()
{
    POSITION pos = GetFirstSelectedItemPosition();
    while (pos != NULL) {
        ThumbItem* pItem = GetThumbItem(GetNextSelectedItem(pos));
        if (pItem == NULL)
            return;
        if (pItem->strSizeText.IsEmpty() && pItem->strModeText.IsEmpty()) {
            CBitmap bitmap;
            ThumbDetails details;
            if (!MakeThumbnailBitmap(m_strFolder, pItem->strName, bitmap, details))
                return;
            static_cast<ThumbDetails&>(*pItem) = details;
        }
        CFilePropertiesDlg dlg(this);
        dlg.m_strFileName = pItem->strName;
        dlg.m_strLocation = m_strFolder;
        dlg.m_strSize.Format("%.1f KB (%d Bytes)", pItem->dwSize / 1024.0, static_cast<int>(pItem->dwSize));
        dlg.m_strCreated = FormatFileTime(pItem->tmCreated);
        dlg.m_strModified = FormatFileTime(pItem->tmModified);
        int nComma = pItem->strSizeText.Find(',');
        dlg.m_strPictureSize = nComma >= 0 ? pItem->strSizeText.Left(nComma) : pItem->strSizeText;
        dlg.m_strPictureType = pItem->strModeText;
        if (dlg.DoModal() != IDOK)
            return;
    }
}

void CThumbListCtrl::OnViewLarge() { SetViewMode(0); }
void CThumbListCtrl::OnViewMedium() { SetViewMode(1); }
void CThumbListCtrl::OnViewSmall() { SetViewMode(2); }

void CThumbListCtrl::OnSortName() { SortBy(4); }
void CThumbListCtrl::OnSortType() { SortBy(2); }
void CThumbListCtrl::OnSortSize() { SortBy(1); }
void CThumbListCtrl::OnSortDate() { SortBy(3); }

void CThumbListCtrl::OnSpacingStandard()
{
    if (!m_bCustomSpacing)
        return;
    m_sizeSpacing = CSize(m_nThumbSize + m_sizeSysSpacing.cx, m_nThumbSize + m_sizeSysSpacing.cy);
    ApplySpacing();
    m_bCustomSpacing = FALSE;
}

void CThumbListCtrl::OnSpacingCustom()
{
    CIconSpacingDlg dlg(this);
    dlg.m_nHorzSpacing = m_sizeSpacing.cx - m_nThumbSize;
    dlg.m_nVertSpacing = m_sizeSpacing.cy - m_nThumbSize;
    if (dlg.DoModal() != IDOK)
        return;
    m_sizeSpacing = CSize(m_nThumbSize + dlg.m_nHorzSpacing, m_nThumbSize + dlg.m_nVertSpacing);
    ApplySpacing();
    m_bCustomSpacing = TRUE;
}

void CThumbListCtrl::OnFileTypes()
{
    if (m_pDoc == NULL)
        return;
    CFileTypeDlg dlg(m_pDoc, this);
    if (dlg.DoModal() != IDOK)
        return;
    for (INT_PTR t = 0; t < m_pDoc->m_picTypes.GetSize(); ++t) {
        const PicTypeEntry* pType = m_pDoc->m_picTypes[t];
        if (pType->bSelectedBefore && !pType->bSelected)
            RemoveExtension(pType->strExtension);
    }
    Refresh();
}

void CThumbListCtrl::OnAutoRefresh() { m_bAutoRefresh = !m_bAutoRefresh; }

void CThumbListCtrl::OnDefaultParams() { m_bDefaultParams = !m_bDefaultParams; }
