// The factory of one form of framework controls: creates their windows on a
// parent window, numbers them, keeps their tab order, and writes the form as
// XML text and reads it back. It owns its controls and their trackers.
#pragma once

#include "afxwin.h"
#include "afxcoll.h"
#include "afxtempl.h"
#include "afxtracker.h"

#include <msxml2.h>

#include "FCControls.h"

// The area in which a designer may place controls.
class CFCLayoutBounds : public CObject {
public:
    CFCLayoutBounds();

    // 1 when the rectangle's edge (1 or 5 left, 2 right, 3 top, 4 bottom) lies
    // inside the bounds and the rectangle is not inverted; else tells why and 0.
    virtual int Check(const CRect& rect, int nEdge);

    int m_nLeft;
    int m_nTop;
    int m_nRight;
    int m_nBottom;
};

// The tracker of a selected control, numbered from a program-wide counter.
class CFCSelectionTracker : public CRectTracker {
public:
    explicit CFCSelectionTracker(const CRect& rect);
    int m_nNumber;

private:
    static int s_nCreated;
};

class CFCControlFactory : public CObject {
    DECLARE_SERIAL(CFCControlFactory)
public:
    // Ids the factory gives out itself start above this; the form file stores
    // them relative to it.
    enum { ControlIdBase = 3000 };

    CFCControlFactory();
    virtual ~CFCControlFactory();

    // Each makes the control's window on the parent and answers the control,
    // or tells the user and answers NULL (the control is then not the
    // factory's).
    virtual CFCMemo* CreateMemo(CWnd* pParent, CFCMemo* pControl);
    virtual CFCListBox* CreateListBox(CWnd* pParent, CFCListBox* pControl);
    virtual CFCEdit* CreateEdit(CWnd* pParent, CFCEdit* pControl);
    virtual CFCComboBox* CreateComboBox(CWnd* pParent, CFCComboBox* pControl);
    virtual CFCLabel* CreateLabel(CWnd* pParent, CFCLabel* pControl);
    virtual CFCCheckBox* CreateCheckBox(CWnd* pParent, CFCCheckBox* pControl);
    virtual CFCRadio* CreateRadio(CWnd* pParent, CFCRadio* pControl);
    virtual CFCButton* CreateButton(CWnd* pParent, CFCButton* pControl);
    virtual CFCGroupBox* CreateGroupBox(CWnd* pParent, CFCGroupBox* pControl);

    // Kind 1 to 9: a new control (or the one given) created on the parent
    // window; NULL for another kind or a failed creation.
    CWnd* AddControl(int nKind, CWnd* pControl, int nLeft, int nTop, int nRight, int nBottom);
    // Counts, places, names ("<base><count>"), orders and numbers a new control.
    void InitNewControl(CFCControlInternalProp& prop, int nLeft, int nTop, int nRight, int nBottom,
                        LPCTSTR lpszBaseName);
    // The next id that is neither in use nor a child of the parent window.
    int NextControlId();
    int NextTabOrder();
    // The ids a new control must not take, "3001|3002" or "3001,3002".
    void SetUsedIds(const CString& strIds);
    // An edit without a window, hidden, disabled and out of the tab order.
    CFCEdit* AddHiddenEdit(LPCTSTR lpszBaseName, int nTop, int nBottom);
    void RebuildTabOrder();
    // Puts the windows of the tab-stop controls in tab order.
    void ApplyTabOrder();
    // A loaded control marked already-exists takes over the parent's child
    // of its id: answers the control that stands for it (the child's, or the
    // loaded one when there is no such child).
    CWnd* AdoptDialogControl(CWnd* pLoaded, CFCControlInternalProp& prop);
    CString ControlTipText(CWnd* pWnd, CFCControlInternalProp* pProp);
    // Selects the control and lets the user move or size it from point (the
    // parent's client coordinates); TRUE when it moved.
    BOOL TrackControl(CWnd* pControl, CPoint point);

    CString SaveToXml(int nLevel);
    // nMode 1 makes windows on the parent window; any other mode only objects.
    // A failing DOM call raises _com_error.
    void LoadFromXml(IXMLDOMNode* pRoot, int nMode);
    // Loads a form text into the document; TRUE when it has a root element.
    BOOL LoadFormText(const CString& strText, IXMLDOMDocument* pDocument);
    // A date-time picker in the shape of the other controls ("日期控件").
    CString DateTimeToXml(CFCDateTimeCtrl* pControl, int nLevel);

    // The control that carries the record, NULL when it is not the factory's.
    CWnd* ControlOfProp(const CFCControlInternalProp* pProp) const;
    // Moves the record's control to nIndex in the tab-order array.
    void MoveInTabOrder(CFCControlInternalProp& prop, int nIndex);

    CMapPtrToPtr m_mapControls;  // control -> its CFCSelectionTracker, NULL when not selected
    CFCLayoutBounds m_bounds;
    int m_nMaxCtrlId;
    CWnd* m_pParent;  // not owned
    CMapStringToOb m_mapValues;
    int m_nMaxTabOrder;
    int m_nControlCount;
    CMap<int, int, DWORD, DWORD> m_mapUsedIds;
    CPtrArray m_arrTabOrder;
    CMapPtrToPtr m_mapKept;  // controls the factory must not delete

private:
    // Font, creation, map entry, owner and font message for one control.
    template<class TControl, class FCreate>
    TControl* CreateWindowFor(CWnd* pParent, TControl* pControl, LPCTSTR lpszFailure, FCreate create);
    CWnd* CreateOfKind(int nKind, CWnd* pParent, CWnd* pControl);
    // The record's rectangle and caption taken from the control's window.
    static void TakeWindowState(CWnd* pControl, CFCControlInternalProp& prop);
};
