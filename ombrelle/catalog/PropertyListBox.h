// The property grid of the form designer: an owner-drawn list of name and
// value rows with a draggable divider, and a "..." button that opens a
// colour, font or file picker for the selected row.
#pragma once

#include "afxwin.h"

// Sent to the parent after the selection changed (wParam 0, lParam 0).
#define WM_PROPERTY_SELCHANGED (WM_USER + 3)

// One row; the list owns it.
class CPropertyItem {
public:
    enum Kind { KindText = 0, KindColour = 2, KindFont = 3, KindPictureFile = 4 };

    // pForeColour and pBackColour are owned elsewhere; the font description
    // is copied.
    CPropertyItem(const CString& strName, const CString& strValue, int nKind, const LOGFONT* pFont = NULL,
                  COLORREF* pForeColour = NULL, COLORREF* pBackColour = NULL);
    virtual ~CPropertyItem();
    CPropertyItem(const CPropertyItem&) = delete;
    CPropertyItem& operator=(const CPropertyItem&) = delete;

    // Accepts any text.
    virtual BOOL AcceptText(const CString& strText);

    CString m_strName;
    CString m_strValue;
    int m_nKind;
    CString m_strSpare;
    CString m_strValueBeforeEdit;
    int m_nSpare;
    LOGFONT* m_pFont;  // owned
    COLORREF* m_pForeColour;
    COLORREF* m_pBackColour;
};

// The text of a chosen font: face;points;#RRGGBB;粗体;斜体;删除线;下划线, each
// style piece empty when the font does not have it.
CString PropertyFontText(const LOGFONT& font, int nPoints, COLORREF colour);

class CPropertyListBox : public CListBox {
public:
    enum { RowHeight = 20, DividerGrip = 5, DividerMargin = 10 };

    CPropertyListBox();
    virtual ~CPropertyListBox();

    int AddTextItem(const CString& strText);
    int AddPropertyItem(CPropertyItem* pItem);
    // Deletes the row and its entry.
    void DeleteItem(int nIndex);
    // Deletes every row; the entries stay. Answers the count.
    int DeleteAllItems();
    int MoveItemUp(int nIndex);
    int MoveItemDown(int nIndex);
    void HideBrowseButton();
    // Hides the editors (712, 713) and the "..." button and takes the focus.
    void HideEditors();

    CPropertyItem* ItemAt(int nIndex) const;
    int Divider() const { return m_nDivider; }
    CWnd* BrowseButton() { return &m_btnBrowse; }

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    // A deleted entry takes its row with it.
    virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);

protected:
    virtual void PreSubclassWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSelChange();
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnBrowse();
    afx_msg void OnBrowseKillFocus();
    DECLARE_MESSAGE_MAP()

private:
    void Initialise();
    void InvertDividerLine(int x);
    // The x of a divider kept inside the window's inner band.
    int DividerInBand(int x) const;
    BOOL EditColour(CPropertyItem& item);
    BOOL EditPictureFile(CPropertyItem& item);
    BOOL EditFont(CPropertyItem& item);

    int m_nCurrent;
    CButton m_btnBrowse;
    CFont m_font;
    int m_nDivider;
    BOOL m_bDragging;
    int m_nDragTop;
    int m_nDragBottom;
    int m_nLastDragX;
    BOOL m_bLastPressRight;
    HCURSOR m_hSizeCursor;
    HCURSOR m_hArrowCursor;
};
