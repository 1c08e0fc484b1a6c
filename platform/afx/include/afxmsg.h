// Message maps: the tables that tie window messages, commands and control
// notifications to member functions, chained from a class to its base.
//
// An entry records the message, notification code and control id range it
// answers, the shape of its handler (AfxSig) and the handler itself cast to
// a common member pointer type; the dispatcher casts it back by its shape.
#pragma once

#include "afxbase.h"

class CCmdTarget;
class CCmdUI;
class CWnd;
class CDC;
class CMenu;
class CScrollBar;
class CListBox;
class CPoint;

// Member function pointer type under which every handler is stored.
typedef void (CCmdTarget::*AFX_PMSG)(void);
typedef void (CWnd::*AFX_PMSGW)(void);

#ifndef AFX_MSG_CALL
#define AFX_MSG_CALL
#endif
#ifndef afx_msg
#define afx_msg
#endif

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;   // window message, or WM_COMMAND / WM_NOTIFY (+ reflection base)
    UINT nCode;      // control notification code (low 16 bits), 0 for plain messages
    UINT nID;        // first control or command id
    UINT nLastID;    // last id of a range (nID for a single one)
    UINT_PTR nSig;   // handler shape; for registered messages the address of the message number
    AFX_PMSG pfn;    // the handler
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Shapes of handlers: the letters give the return type and then the
// parameters (v void, b BOOL, i int, w UINT, l LPARAM/LRESULT, h handle,
// p CPoint, s pointer, W CWnd*, D CDC*, M CMenu*).
enum AfxSig {
    AfxSig_end = 0,

    // Window messages.
    AfxSig_vv,          // void ()
    AfxSig_bv,          // BOOL ()
    AfxSig_wv,          // UINT ()
    AfxSig_lwl,         // LRESULT (WPARAM, LPARAM)
    AfxSig_is,          // int (LPCREATESTRUCT)
    AfxSig_bs,          // BOOL (LPCREATESTRUCT)
    AfxSig_vwii,        // void (UINT, int, int)
    AfxSig_vii,         // void (int, int)
    AfxSig_bD,          // BOOL (CDC*)
    AfxSig_vw,          // void (UINT)
    AfxSig_vb,          // void (BOOL)
    AfxSig_bb,          // BOOL (BOOL)
    AfxSig_vwp,         // void (UINT, CPoint)
    AfxSig_bwsp,        // BOOL (UINT, short, CPoint)
    AfxSig_vwww,        // void (UINT, UINT, UINT)
    AfxSig_bWww,        // BOOL (CWnd*, UINT, UINT)
    AfxSig_iWww,        // int (CWnd*, UINT, UINT)
    AfxSig_hDWw,        // HBRUSH (CDC*, CWnd*, UINT)
    AfxSig_hDw,         // HBRUSH (CDC*, UINT)          reflected colour
    AfxSig_vOWNER,      // void (int, LPxxxSTRUCT)        owner-draw messages
    AfxSig_iis,         // int (int, LPCOMPAREITEMSTRUCT)
    AfxSig_vs,          // void (LPxxxSTRUCT)           reflected owner-draw, min/max info, window pos
    AfxSig_is2,         // int (LPCOMPAREITEMSTRUCT)    reflected compare
    AfxSig_vWp,         // void (CWnd*, CPoint)
    AfxSig_vwwW,        // void (UINT, UINT, CScrollBar*)
    AfxSig_vwwx,        // void (UINT, UINT)            reflected scroll
    AfxSig_wp,          // UINT (CPoint)
    AfxSig_vbw,         // void (BOOL, UINT)
    AfxSig_vwWb,        // void (UINT, CWnd*, BOOL)
    AfxSig_vW,          // void (CWnd*)                  window from wParam
    AfxSig_vW2,         // void (CWnd*)                  window from lParam
    AfxSig_vh,          // void (HANDLE)                drop files
    AfxSig_vwl,         // void (UINT, LPARAM)
    AfxSig_vMwb,        // void (CMenu*, UINT, BOOL)
    AfxSig_vwwh,        // void (UINT, UINT, HMENU)
    AfxSig_vbh,         // void (BOOL, DWORD)            activate app
    AfxSig_vbs,         // void (BOOL, NCCALCSIZE_PARAMS*)
    AfxSig_bWs,         // BOOL (CWnd*, COPYDATASTRUCT*)
    AfxSig_bs2,         // BOOL (HELPINFO*)
    AfxSig_vws,         // void (UINT, LPCTSTR)          setting change
    AfxSig_vwpr,        // void (UINT, LPRECT)           sizing
    AfxSig_vbWW,        // void (BOOL, CWnd*, CWnd*)     child frame activation
    AfxSig_vM,          // void (CMenu*)
    AfxSig_iwWw,        // int (UINT, CListBox*, UINT)   char/vkey to item

    // Commands and notifications.
    AfxSig_cmd_v,       // void ()                       ON_COMMAND, ON_CONTROL
    AfxSig_cmd_b,       // BOOL ()                       ON_CONTROL_REFLECT_EX
    AfxSig_cmd_w,       // void (UINT)                   ON_COMMAND_RANGE, ON_CONTROL_RANGE
    AfxSig_cmd_bw,      // BOOL (UINT)                   ON_COMMAND_EX
    AfxSig_cmd_ui,      // void (CCmdUI*)                ON_UPDATE_COMMAND_UI
    AfxSig_cmd_uiw,     // void (CCmdUI*, UINT)          range update handlers with id
    AfxSig_notify_v,    // void (NMHDR*, LRESULT*)       ON_NOTIFY, ON_NOTIFY_REFLECT
    AfxSig_notify_b,    // BOOL (NMHDR*, LRESULT*)       ON_NOTIFY_REFLECT_EX
    AfxSig_notify_wv,   // void (UINT, NMHDR*, LRESULT*) ON_NOTIFY_RANGE
    AfxSig_notify_wb    // BOOL (UINT, NMHDR*, LRESULT*) ON_NOTIFY_EX, ON_NOTIFY_EX_RANGE
};

// Command codes carried in the nCode of WM_COMMAND entries.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

// Messages a parent sends back to a child control for it to handle its own
// notification: the original message plus this base.
#define WM_REFLECT_BASE 0xBC00

// Private messages of the library.
#define WM_IDLEUPDATECMDUI 0x0363
#define WM_INITIALUPDATE 0x0364
#define WM_KICKIDLE 0x036A
#define WM_SETMESSAGESTRING 0x0362
#define WM_COMMANDHELP 0x0365
#define WM_HELPHITTEST 0x0366
#define WM_SIZEPARENT 0x0361
#define WM_QUERYAFXWNDPROC 0x0360

// The classic single colour message; the Win32 WM_CTLCOLORxxx messages are
// handed to it with the CTLCOLOR_xxx kind.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

// What ON_NOTIFY handlers receive through OnCmdMsg's pExtra.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// What OnCmdMsg reports when asked only whether a handler exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

// Declares the message map of a class.
#define DECLARE_MESSAGE_MAP()                                   \
protected:                                                      \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();        \
    virtual const AFX_MSGMAP* GetMessageMap() const;

// Handlers are stored under one member pointer type on purpose: silence
// the compiler's warning about those casts for the table only.
#define AFX_MSGMAP_WARNINGS_OFF \
    _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Wcast-function-type\"")
#define AFX_MSGMAP_WARNINGS_ON _Pragma("GCC diagnostic pop")

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                  \
    AFX_MSGMAP_WARNINGS_OFF                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const           \
    {                                                           \
        return GetThisMessageMap();                             \
    }                                                           \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap()      \
    {                                                           \
        typedef theClass ThisClass;                             \
        typedef baseClass TheBaseClass;                         \
        (void)sizeof(ThisClass);                                \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                       \
            {0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0}               \
        };                                                      \
        static const AFX_MSGMAP messageMap = {                  \
            &TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
        return &messageMap;                                     \
    }                                                           \
    AFX_MSGMAP_WARNINGS_ON

// Casts a handler of the given shape to the stored type. The static_cast
// checks the handler's signature against the shape at compile time.
#define AFX_HANDLER(type, fn) (reinterpret_cast<AFX_PMSG>(static_cast<type>(fn)))

// Commands and control notifications.
#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSig_cmd_v, \
     AFX_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(void), &ThisClass::memberFxn)},
#define ON_COMMAND_EX(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(id), AfxSig_cmd_bw, \
     AFX_HANDLER(BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT), &ThisClass::memberFxn)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (WORD)(id), (WORD)(idLast), AfxSig_cmd_w, \
     AFX_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(UINT), &ThisClass::memberFxn)},
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    {WM_COMMAND, (WORD)CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(id), AfxSig_cmd_ui, \
     AFX_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(CCmdUI*), &ThisClass::memberFxn)},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, (WORD)CN_UPDATE_COMMAND_UI, (WORD)(id), (WORD)(idLast), AfxSig_cmd_ui, \
     AFX_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(CCmdUI*), &ThisClass::memberFxn)},
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    {WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSig_cmd_v, \
     AFX_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(void), &ThisClass::memberFxn)},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_COMMAND, (WORD)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSig_cmd_w, \
     AFX_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(UINT), &ThisClass::memberFxn)},

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_EN_HSCROLL(id, memberFxn) ON_CONTROL(EN_HSCROLL, id, memberFxn)
#define ON_EN_VSCROLL(id, memberFxn) ON_CONTROL(EN_VSCROLL, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)

#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSig_notify_v, \
     AFX_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSig_notify_wv, \
     AFX_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(id), AfxSig_notify_wb, \
     AFX_HANDLER(BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
    {WM_NOTIFY, (WORD)(int)(wNotifyCode), (WORD)(id), (WORD)(idLast), AfxSig_notify_wb, \
     AFX_HANDLER(BOOL (AFX_MSG_CALL CCmdTarget::*)(UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn)},

// Reflected notifications: handled by the control that sent them. A plain
// reflected handler keeps the notification from the parent; an _EX one
// lets the parent have it too when it returns FALSE.
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    {WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSig_cmd_v, \
     AFX_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(void), &ThisClass::memberFxn)},
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    {WM_COMMAND + WM_REFLECT_BASE, (WORD)(wNotifyCode), 0, 0, AfxSig_cmd_b, \
     AFX_HANDLER(BOOL (AFX_MSG_CALL CCmdTarget::*)(void), &ThisClass::memberFxn)},
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    {WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSig_notify_v, \
     AFX_HANDLER(void (AFX_MSG_CALL CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    {WM_NOTIFY + WM_REFLECT_BASE, (WORD)(int)(wNotifyCode), 0, 0, AfxSig_notify_b, \
     AFX_HANDLER(BOOL (AFX_MSG_CALL CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn)},

// User and registered messages.
#define ON_MESSAGE(message, memberFxn) \
    {(UINT)(message), 0, 0, 0, AfxSig_lwl, \
     AFX_HANDLER(LRESULT (AFX_MSG_CALL CWnd::*)(WPARAM, LPARAM), &ThisClass::memberFxn)},
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    {0xC000, 0, 0, 0, (UINT_PTR)(UINT*)(&nMessageVariable), \
     AFX_HANDLER(LRESULT (AFX_MSG_CALL CWnd::*)(WPARAM, LPARAM), &ThisClass::memberFxn)},

// Window messages with their classic handlers.
#define AFX_ON_WM(message, sig, type, memberFxn) \
    {message, 0, 0, 0, sig, AFX_HANDLER(type, &ThisClass::memberFxn)},

#define ON_WM_CREATE() AFX_ON_WM(WM_CREATE, AfxSig_is, int (AFX_MSG_CALL CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_NCCREATE() AFX_ON_WM(WM_NCCREATE, AfxSig_bs, BOOL (AFX_MSG_CALL CWnd::*)(LPCREATESTRUCT), OnNcCreate)
#define ON_WM_DESTROY() AFX_ON_WM(WM_DESTROY, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(void), OnDestroy)
#define ON_WM_NCDESTROY() AFX_ON_WM(WM_NCDESTROY, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(void), OnNcDestroy)
#define ON_WM_CLOSE() AFX_ON_WM(WM_CLOSE, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(void), OnClose)
#define ON_WM_SIZE() AFX_ON_WM(WM_SIZE, AfxSig_vwii, void (AFX_MSG_CALL CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_SIZING() AFX_ON_WM(WM_SIZING, AfxSig_vwpr, void (AFX_MSG_CALL CWnd::*)(UINT, LPRECT), OnSizing)
#define ON_WM_MOVE() AFX_ON_WM(WM_MOVE, AfxSig_vii, void (AFX_MSG_CALL CWnd::*)(int, int), OnMove)
#define ON_WM_PAINT() AFX_ON_WM(WM_PAINT, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(void), OnPaint)
#define ON_WM_NCPAINT() AFX_ON_WM(WM_NCPAINT, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(void), OnNcPaint)
#define ON_WM_ERASEBKGND() AFX_ON_WM(WM_ERASEBKGND, AfxSig_bD, BOOL (AFX_MSG_CALL CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_TIMER() AFX_ON_WM(WM_TIMER, AfxSig_vw, void (AFX_MSG_CALL CWnd::*)(UINT), OnTimer)
#define ON_WM_SHOWWINDOW() AFX_ON_WM(WM_SHOWWINDOW, AfxSig_vbw, void (AFX_MSG_CALL CWnd::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_ACTIVATE() AFX_ON_WM(WM_ACTIVATE, AfxSig_vwWb, void (AFX_MSG_CALL CWnd::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_ACTIVATEAPP() AFX_ON_WM(WM_ACTIVATEAPP, AfxSig_vbh, void (AFX_MSG_CALL CWnd::*)(BOOL, DWORD), OnActivateApp)
#define ON_WM_NCACTIVATE() AFX_ON_WM(WM_NCACTIVATE, AfxSig_bb, BOOL (AFX_MSG_CALL CWnd::*)(BOOL), OnNcActivate)
#define ON_WM_MOUSEACTIVATE() AFX_ON_WM(WM_MOUSEACTIVATE, AfxSig_iWww, int (AFX_MSG_CALL CWnd::*)(CWnd*, UINT, UINT), OnMouseActivate)
#define ON_WM_ENABLE() AFX_ON_WM(WM_ENABLE, AfxSig_vb, void (AFX_MSG_CALL CWnd::*)(BOOL), OnEnable)
#define ON_WM_QUERYENDSESSION() AFX_ON_WM(WM_QUERYENDSESSION, AfxSig_bv, BOOL (AFX_MSG_CALL CWnd::*)(void), OnQueryEndSession)
#define ON_WM_ENDSESSION() AFX_ON_WM(WM_ENDSESSION, AfxSig_vb, void (AFX_MSG_CALL CWnd::*)(BOOL), OnEndSession)
#define ON_WM_SETFOCUS() AFX_ON_WM(WM_SETFOCUS, AfxSig_vW, void (AFX_MSG_CALL CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_ON_WM(WM_KILLFOCUS, AfxSig_vW, void (AFX_MSG_CALL CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_CAPTURECHANGED() AFX_ON_WM(WM_CAPTURECHANGED, AfxSig_vW2, void (AFX_MSG_CALL CWnd::*)(CWnd*), OnCaptureChanged)
#define ON_WM_PALETTECHANGED() AFX_ON_WM(WM_PALETTECHANGED, AfxSig_vW, void (AFX_MSG_CALL CWnd::*)(CWnd*), OnPaletteChanged)
#define ON_WM_QUERYNEWPALETTE() AFX_ON_WM(WM_QUERYNEWPALETTE, AfxSig_bv, BOOL (AFX_MSG_CALL CWnd::*)(void), OnQueryNewPalette)
#define ON_WM_CANCELMODE() AFX_ON_WM(WM_CANCELMODE, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(void), OnCancelMode)
#define ON_WM_GETDLGCODE() AFX_ON_WM(WM_GETDLGCODE, AfxSig_wv, UINT (AFX_MSG_CALL CWnd::*)(void), OnGetDlgCode)
#define ON_WM_NCHITTEST() AFX_ON_WM(WM_NCHITTEST, AfxSig_wp, UINT (AFX_MSG_CALL CWnd::*)(CPoint), OnNcHitTest)
#define ON_WM_NCCALCSIZE() AFX_ON_WM(WM_NCCALCSIZE, AfxSig_vbs, void (AFX_MSG_CALL CWnd::*)(BOOL, NCCALCSIZE_PARAMS*), OnNcCalcSize)
#define ON_WM_GETMINMAXINFO() AFX_ON_WM(WM_GETMINMAXINFO, AfxSig_vs, void (AFX_MSG_CALL CWnd::*)(MINMAXINFO*), OnGetMinMaxInfo)
#define ON_WM_WINDOWPOSCHANGING() AFX_ON_WM(WM_WINDOWPOSCHANGING, AfxSig_vs, void (AFX_MSG_CALL CWnd::*)(WINDOWPOS*), OnWindowPosChanging)
#define ON_WM_WINDOWPOSCHANGED() AFX_ON_WM(WM_WINDOWPOSCHANGED, AfxSig_vs, void (AFX_MSG_CALL CWnd::*)(WINDOWPOS*), OnWindowPosChanged)
#define ON_WM_SETCURSOR() AFX_ON_WM(WM_SETCURSOR, AfxSig_bWww, BOOL (AFX_MSG_CALL CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_CTLCOLOR() AFX_ON_WM(WM_CTLCOLOR, AfxSig_hDWw, HBRUSH (AFX_MSG_CALL CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_DRAWITEM() AFX_ON_WM(WM_DRAWITEM, AfxSig_vOWNER, void (AFX_MSG_CALL CWnd::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_MEASUREITEM() AFX_ON_WM(WM_MEASUREITEM, AfxSig_vOWNER, void (AFX_MSG_CALL CWnd::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem)
#define ON_WM_DELETEITEM() AFX_ON_WM(WM_DELETEITEM, AfxSig_vOWNER, void (AFX_MSG_CALL CWnd::*)(int, LPDELETEITEMSTRUCT), OnDeleteItem)
#define ON_WM_COMPAREITEM() AFX_ON_WM(WM_COMPAREITEM, AfxSig_iis, int (AFX_MSG_CALL CWnd::*)(int, LPCOMPAREITEMSTRUCT), OnCompareItem)
#define ON_WM_CHARTOITEM() AFX_ON_WM(WM_CHARTOITEM, AfxSig_iwWw, int (AFX_MSG_CALL CWnd::*)(UINT, CListBox*, UINT), OnCharToItem)
#define ON_WM_VKEYTOITEM() AFX_ON_WM(WM_VKEYTOITEM, AfxSig_iwWw, int (AFX_MSG_CALL CWnd::*)(UINT, CListBox*, UINT), OnVKeyToItem)
#define ON_WM_CONTEXTMENU() AFX_ON_WM(WM_CONTEXTMENU, AfxSig_vWp, void (AFX_MSG_CALL CWnd::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_HSCROLL() AFX_ON_WM(WM_HSCROLL, AfxSig_vwwW, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_VSCROLL() AFX_ON_WM(WM_VSCROLL, AfxSig_vwwW, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, CScrollBar*), OnVScroll)
#define ON_WM_DROPFILES() AFX_ON_WM(WM_DROPFILES, AfxSig_vh, void (AFX_MSG_CALL CWnd::*)(HDROP), OnDropFiles)
#define ON_WM_HOTKEY() AFX_ON_WM(WM_HOTKEY, AfxSig_vwww, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnHotKey)
#define ON_WM_SYSCOMMAND() AFX_ON_WM(WM_SYSCOMMAND, AfxSig_vwl, void (AFX_MSG_CALL CWnd::*)(UINT, LPARAM), OnSysCommand)
#define ON_WM_INITMENU() AFX_ON_WM(WM_INITMENU, AfxSig_vM, void (AFX_MSG_CALL CWnd::*)(CMenu*), OnInitMenu)
#define ON_WM_INITMENUPOPUP() AFX_ON_WM(WM_INITMENUPOPUP, AfxSig_vMwb, void (AFX_MSG_CALL CWnd::*)(CMenu*, UINT, BOOL), OnInitMenuPopup)
#define ON_WM_MENUSELECT() AFX_ON_WM(WM_MENUSELECT, AfxSig_vwwh, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, HMENU), OnMenuSelect)
#define ON_WM_SETTINGCHANGE() AFX_ON_WM(WM_SETTINGCHANGE, AfxSig_vws, void (AFX_MSG_CALL CWnd::*)(UINT, LPCTSTR), OnSettingChange)
#define ON_WM_SYSCOLORCHANGE() AFX_ON_WM(WM_SYSCOLORCHANGE, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(void), OnSysColorChange)
#define ON_WM_COPYDATA() AFX_ON_WM(WM_COPYDATA, AfxSig_bWs, BOOL (AFX_MSG_CALL CWnd::*)(CWnd*, COPYDATASTRUCT*), OnCopyData)
#define ON_WM_HELPINFO() AFX_ON_WM(WM_HELPINFO, AfxSig_bs2, BOOL (AFX_MSG_CALL CWnd::*)(HELPINFO*), OnHelpInfo)
#define ON_WM_CHILDACTIVATE() AFX_ON_WM(WM_CHILDACTIVATE, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(void), OnChildActivate)
#define ON_WM_MDIACTIVATE() AFX_ON_WM(WM_MDIACTIVATE, AfxSig_vbWW, void (AFX_MSG_CALL CWnd::*)(BOOL, CWnd*, CWnd*), OnMDIActivate)

#define ON_WM_MOUSEMOVE() AFX_ON_WM(WM_MOUSEMOVE, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_MOUSEWHEEL() AFX_ON_WM(WM_MOUSEWHEEL, AfxSig_bwsp, BOOL (AFX_MSG_CALL CWnd::*)(UINT, short, CPoint), OnMouseWheel)
#define ON_WM_LBUTTONDOWN() AFX_ON_WM(WM_LBUTTONDOWN, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_ON_WM(WM_LBUTTONUP, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_ON_WM(WM_LBUTTONDBLCLK, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_ON_WM(WM_RBUTTONDOWN, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_ON_WM(WM_RBUTTONUP, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_ON_WM(WM_RBUTTONDBLCLK, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_ON_WM(WM_MBUTTONDOWN, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_ON_WM(WM_MBUTTONUP, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK() AFX_ON_WM(WM_MBUTTONDBLCLK, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnMButtonDblClk)
#define ON_WM_NCLBUTTONDOWN() AFX_ON_WM(WM_NCLBUTTONDOWN, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() AFX_ON_WM(WM_NCLBUTTONUP, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_ON_WM(WM_NCLBUTTONDBLCLK, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnNcLButtonDblClk)
#define ON_WM_NCMOUSEMOVE() AFX_ON_WM(WM_NCMOUSEMOVE, AfxSig_vwp, void (AFX_MSG_CALL CWnd::*)(UINT, CPoint), OnNcMouseMove)
#define ON_WM_KEYDOWN() AFX_ON_WM(WM_KEYDOWN, AfxSig_vwww, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnKeyDown)
#define ON_WM_KEYUP() AFX_ON_WM(WM_KEYUP, AfxSig_vwww, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnKeyUp)
#define ON_WM_CHAR() AFX_ON_WM(WM_CHAR, AfxSig_vwww, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnChar)
#define ON_WM_SYSKEYDOWN() AFX_ON_WM(WM_SYSKEYDOWN, AfxSig_vwww, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_ON_WM(WM_SYSKEYUP, AfxSig_vwww, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnSysKeyUp)
#define ON_WM_SYSCHAR() AFX_ON_WM(WM_SYSCHAR, AfxSig_vwww, void (AFX_MSG_CALL CWnd::*)(UINT, UINT, UINT), OnSysChar)

// Reflected window messages, handled by the control itself.
#define ON_WM_CTLCOLOR_REFLECT() AFX_ON_WM(WM_CTLCOLOR + WM_REFLECT_BASE, AfxSig_hDw, HBRUSH (AFX_MSG_CALL CWnd::*)(CDC*, UINT), CtlColor)
#define ON_WM_DRAWITEM_REFLECT() AFX_ON_WM(WM_DRAWITEM + WM_REFLECT_BASE, AfxSig_vs, void (AFX_MSG_CALL CWnd::*)(LPDRAWITEMSTRUCT), DrawItem)
#define ON_WM_MEASUREITEM_REFLECT() AFX_ON_WM(WM_MEASUREITEM + WM_REFLECT_BASE, AfxSig_vs, void (AFX_MSG_CALL CWnd::*)(LPMEASUREITEMSTRUCT), MeasureItem)
#define ON_WM_DELETEITEM_REFLECT() AFX_ON_WM(WM_DELETEITEM + WM_REFLECT_BASE, AfxSig_vs, void (AFX_MSG_CALL CWnd::*)(LPDELETEITEMSTRUCT), DeleteItem)
#define ON_WM_COMPAREITEM_REFLECT() AFX_ON_WM(WM_COMPAREITEM + WM_REFLECT_BASE, AfxSig_is2, int (AFX_MSG_CALL CWnd::*)(LPCOMPAREITEMSTRUCT), CompareItem)
#define ON_WM_HSCROLL_REFLECT() AFX_ON_WM(WM_HSCROLL + WM_REFLECT_BASE, AfxSig_vwwx, void (AFX_MSG_CALL CWnd::*)(UINT, UINT), HScroll)
#define ON_WM_VSCROLL_REFLECT() AFX_ON_WM(WM_VSCROLL + WM_REFLECT_BASE, AfxSig_vwwx, void (AFX_MSG_CALL CWnd::*)(UINT, UINT), VScroll)
