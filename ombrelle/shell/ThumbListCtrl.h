// The thumbnail list of the thumbnail pane: every file of one folder whose
// type is chosen in the document's type list, each as a square thumbnail
// with its name, kept sorted; settings in profile section "PicSkipBar".
#pragma once

#include "afxwin.h"
#include "afxcmn.h"
#include "afxtempl.h"

#include "AliveFlag.h"

#include <memory>

class COmbrelleDoc;

// The details of a picture that the list shows in its properties box and
// the pane copies into the document.
struct ThumbDetails {
    CString strModeText;   // "RGB, 72.00Dpi(H), 72.00Dpi(V)"
    CString strSizeText;   // "640(H) * 480(V) Pixels,900KB"
    CString strColorMode;  // "BMP", "GRAY", "RGB", "CMYK", "Index", "MultiCh"
    CString strHorRes;
    CString strVerRes;
    CString strWidth;
    CString strHeight;

    void Clear() { *this = ThumbDetails(); }
};

// One listed file.
struct ThumbItem : ThumbDetails {
    CString strName;
    DWORD dwSize = 0;
    CTime tmCreated;
    CTime tmModified;
    CString strExtension;  // upper case, without the dot
    int nImage = 0;        // 0: the placeholder
    int bThumbMade = 0;
};

// "%d-%d-%d  %d:%d:%d" (year, month, day, hour, minute, second).
CString FormatFileTime(const CTime& time);

// The detail texts of a picture from what its header tells.
void FormatThumbDetails(int nWidth, int nHeight, float fXRes, float fYRes, int nColorMode, ThumbDetails& details);

// Fits a picture given as bottom-up 24-bit rows padded to 4 bytes into a
// top-down square of nSize x nSize x 3 bytes on white: unscaled and centred
// when it is smaller both ways, otherwise scaled down by nearest sample.
void FitThumbnail(const BYTE* pSource, int nWidth, int nHeight, int nSize, BYTE* pSquare);

// Where a new record goes in a list kept in sort mode nSort (1 size, 2 type,
// 3 date, 4 name; anything else: the end).
int FindInsertIndex(const CArray<ThumbItem*, ThumbItem*>& items, const ThumbItem& item, int nSort);

class CThumbListCtrl : public CListCtrl {
    DECLARE_DYNAMIC(CThumbListCtrl)
public:
    CThumbListCtrl();
    virtual ~CThumbListCtrl();

    // Lists a folder; with bForce, or for another folder, from scratch.
    void ShowFolder(LPCTSTR lpszFolder, BOOL bForce);
    // Empties the list and forgets its folder: a virtual folder has no files.
    void ShowNoFolder();
    // Scans the current folder again.
    void Refresh();
    // The scan itself; the current directory is the folder.
    void FillFromFolder();
    // 1 when the bitmap was made; fills the details.
    int MakeThumbnailBitmap(LPCTSTR lpszFolder, LPCTSTR lpszName, CBitmap& bitmap, ThumbDetails& details);

    int GetThumbCount() const { return static_cast<int>(m_items.GetSize()); }
    ThumbItem* GetThumbItem(int nIndex) const;
    const CString& GetFolder() const { return m_strFolder; }
    void SetDocument(COmbrelleDoc* pDoc) { m_pDoc = pDoc; }
    // False once the control has died. Thumbnails are made while messages go
    // through, so a caller of ShowFolder or Refresh that goes on afterwards
    // holds this first and checks it on return.
    std::shared_ptr<bool> GetAliveToken() const { return m_alive.GetToken(); }

    // LVM_SETICONSPACING with the spacing in use.
    void ApplySpacing();
    // Builds the image list of the view mode when it is not built.
    void BuildImageList();
    // Sorts the whole list in a mode (1 size, 2 type, 3 date, 4 name).
    void SortBy(int nSort);
    // Changes the view mode (0 large, 1 medium, 2 small).
    void SetViewMode(int nMode);
    // Removes the records and items of one extension (ignoring case).
    void RemoveExtension(LPCTSTR lpszExtension);

    CArray<ThumbItem*, ThumbItem*> m_items;
    CImageList m_imageList;
    BOOL m_bImageListBuilt;
    CString m_strFolder;
    COmbrelleDoc* m_pDoc;
    int m_nSort;
    DWORD m_dwFileType;
    int m_nViewMode;
    int m_nThumbSize;
    BOOL m_bAutoRefresh;
    BOOL m_bFirstFill;
    BOOL m_bSkipThumbnails;
    BOOL m_bFolderMissing;
    BOOL m_bDefaultParams;
    BOOL m_bCustomSpacing;
    CSize m_sizeSysSpacing;
    CSize m_sizeSpacing;
    BOOL m_bUnreadable;
    BOOL m_bInitialised;

protected:
    void DeleteRecord(int nIndex);
    void DeleteAllRecords();
    // Every record and item, and every image but the placeholder.
    void DeleteThumbnails();
    void SetItemFromRecord(int nIndex);
    void SwapRecords(int nFirst, int nSecond);
    void MakeThumbnails();
    // Lets waiting messages through while thumbnails are made; FALSE when
    // the list went away or the program is ending.
    BOOL LetMessagesThrough();
    BOOL ChangeToFolder(CString& strPrevious);
    void ShowThumbnailItem(ThumbItem* pItem, int nIndex);
    void SaveSettings();

    // Counts every change of the records' order or number, so that a fill
    // that let messages through notices what happened meanwhile.
    unsigned m_nChanges;
    unsigned m_nFills;
    // Cleared when the control dies; fills running below it hold a token.
    CAliveFlag m_alive;

    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnDestroy();
    afx_msg void OnDblclk(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnRefresh();
    afx_msg void OnProperties();
    afx_msg void OnViewLarge();
    afx_msg void OnViewMedium();
    afx_msg void OnViewSmall();
    afx_msg void OnSortName();
    afx_msg void OnSortType();
    afx_msg void OnSortSize();
    afx_msg void OnSortDate();
    afx_msg void OnSpacingStandard();
    afx_msg void OnSpacingCustom();
    afx_msg void OnFileTypes();
    afx_msg void OnAutoRefresh();
    afx_msg void OnDefaultParams();
    DECLARE_MESSAGE_MAP()
};
