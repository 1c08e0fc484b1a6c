// Every control kind of the library in one dialog, run modal and modeless,
// and in a plain window: the objects attach to their controls, the controls
// hold what the program put in, and the user's changes come back.
#include "afxwin.h"
#include "afxcmn.h"

#include <gtest/gtest.h>

#include "AllControlsTestRes.h"
#include "GuiDriver.h"

namespace {

class CAllControlsDlg : public CDialog {
public:
    CAllControlsDlg() : CDialog(IDD_ALL_CONTROLS) {}

    CStatic m_static;
    CButton m_button;
    CEdit m_edit;
    CComboBox m_combo;
    CListBox m_list;
    CCheckListBox m_checkList;
    CScrollBar m_scroll;
    CSliderCtrl m_slider;
    CSpinButtonCtrl m_spin;
    CProgressCtrl m_progress;
    CListCtrl m_listCtrl;
    CTreeCtrl m_tree;
    CTabCtrl m_tab;
    CDateTimeCtrl m_date;
    CToolTipCtrl m_tips;

    CString m_strName = "图片";
    BOOL m_bChecked = TRUE;
    int m_nRadio = 1;
    int m_nCombo = 1;
    int m_nSlider = 30;

    // Read back while the dialog still exists (OnOK), for the test.
    CString m_strSeenList;
    int m_nSeenChecks = -1;
    int m_nSeenTreeCheck = -1;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_AC_STATIC, m_static);
        DDX_Control(pDX, IDC_AC_BUTTON, m_button);
        DDX_Control(pDX, IDC_AC_EDIT, m_edit);
        DDX_Control(pDX, IDC_AC_COMBO, m_combo);
        DDX_Control(pDX, IDC_AC_LIST, m_list);
        DDX_Control(pDX, IDC_AC_SCROLL, m_scroll);
        DDX_Control(pDX, IDC_AC_SLIDER, m_slider);
        DDX_Control(pDX, IDC_AC_SPIN, m_spin);
        DDX_Control(pDX, IDC_AC_PROGRESS, m_progress);
        DDX_Control(pDX, IDC_AC_LISTCTRL, m_listCtrl);
        DDX_Control(pDX, IDC_AC_TREE, m_tree);
        DDX_Control(pDX, IDC_AC_TAB, m_tab);
        DDX_Control(pDX, IDC_AC_DATE, m_date);
        DDX_Text(pDX, IDC_AC_EDIT, m_strName);
        DDX_Check(pDX, IDC_AC_CHECK, m_bChecked);
        DDX_Radio(pDX, IDC_AC_RADIO1, m_nRadio);
        DDX_CBIndex(pDX, IDC_AC_COMBO, m_nCombo);
        DDX_Slider(pDX, IDC_AC_SLIDER, m_nSlider);
    }

    BOOL OnInitDialog() override
    {
        // Items and range first: the exchange in CDialog::OnInitDialog
        // selects among them.
        SendDlgItemMessage(IDC_AC_COMBO, CB_ADDSTRING, 0, (LPARAM) "JPEG");
        SendDlgItemMessage(IDC_AC_COMBO, CB_ADDSTRING, 0, (LPARAM) "TIFF");
        SendDlgItemMessage(IDC_AC_SLIDER, TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
        CDialog::OnInitDialog();

        m_checkList.SubclassDlgItem(IDC_AC_CHECKLIST, this);
        m_checkList.AddString("上传");
        m_checkList.AddString("归档");
        m_checkList.SetCheck(1, 1);
        m_list.AddString("甲");
        m_list.AddString("乙");
        m_list.SetCurSel(1);
        m_scroll.SetScrollRange(0, 10);
        m_scroll.SetScrollPos(4);
        m_spin.SetRange(0, 99);
        m_spin.SetPos(12);
        m_progress.SetRange(0, 100);
        m_progress.SetPos(60);
        m_listCtrl.InsertColumn(0, "文件", LVCFMT_LEFT, 80);
        m_listCtrl.InsertColumn(1, "大小", LVCFMT_RIGHT, 50);
        int nItem = m_listCtrl.InsertItem(0, "ScanPic1.jpg");
        m_listCtrl.SetItemText(nItem, 1, "12 KB");
        HTREEITEM hRoot = m_tree.InsertItem("图库");
        m_tree.InsertItem("风景", hRoot);
        m_tree.Expand(hRoot, TVE_EXPAND);
        m_tree.SetCheck(hRoot, TRUE);
        m_tab.InsertItem(0, "信息");
        m_tab.InsertItem(1, "IPTC");
        CTime when(2026, 12, 10, 12, 0, 0);
        m_date.SetTime(when);
        m_tips.Create(this);
        m_tips.AddTool(&m_button, "提示");
        return TRUE;
    }

    void OnOK() override
    {
        m_list.GetText(m_list.GetCurSel(), m_strSeenList);
        m_nSeenChecks = m_checkList.GetCheck(0) * 10 + m_checkList.GetCheck(1);
        m_nSeenTreeCheck = m_tree.GetCheck(m_tree.GetRootItem());
        CDialog::OnOK();
    }
};

TEST(AllControls, ModalDialogShowsAndReturnsTheUsersValues)
{
    CAllControlsDlg dlg;
    testsupport::Gui()
        .Expect("全部控件")
        .SetText(IDC_AC_EDIT, "风景照")
        .Check(IDC_AC_CHECK, false)
        .SelectItem(IDC_AC_COMBO, "JPEG")
        .Press(IDOK);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_STREQ(dlg.m_strName, "风景照");
    EXPECT_FALSE(dlg.m_bChecked);
    EXPECT_EQ(dlg.m_nRadio, 1);
    EXPECT_EQ(dlg.m_nCombo, 0);
    EXPECT_EQ(dlg.m_nSlider, 30);
    EXPECT_STREQ(dlg.m_strSeenList, "乙");
    EXPECT_EQ(dlg.m_nSeenChecks, 1);
    EXPECT_EQ(dlg.m_nSeenTreeCheck, 1);
    // Every object let go of its control with the dialog.
    EXPECT_EQ(dlg.m_listCtrl.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_checkList.m_hWnd, nullptr);
}

TEST(AllControls, ModelessDialogHoldsWhatTheProgramPutIn)
{
    CAllControlsDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_ALL_CONTROLS));
    dlg.ShowWindow(SW_SHOW);
    EXPECT_EQ(dlg.m_combo.GetCurSel(), 1);
    EXPECT_EQ(dlg.m_slider.GetPos(), 30);
    EXPECT_EQ(dlg.m_spin.GetPos() & 0xFFFF, 12);
    EXPECT_EQ(dlg.m_progress.GetPos(), 60);
    EXPECT_EQ(dlg.m_scroll.GetScrollPos(), 4);
    EXPECT_EQ(dlg.m_listCtrl.GetItemCount(), 1);
    EXPECT_STREQ(dlg.m_listCtrl.GetItemText(0, 1), "12 KB");
    EXPECT_EQ(dlg.m_tab.GetItemCount(), 2);
    EXPECT_EQ(dlg.m_tree.GetCount(), 2u);
    CTime when;
    dlg.m_date.GetTime(when);
    EXPECT_EQ(when.GetYear(), 2026);
    EXPECT_EQ(CWnd::FromHandlePermanent(::GetDlgItem(dlg.m_hWnd, IDC_AC_TREE)), &dlg.m_tree);
    EXPECT_TRUE(dlg.DestroyWindow());
}

TEST(AllControls, PlainWindowHostsCreatedControls)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0, nullptr, (HBRUSH)(COLOR_BTNFACE + 1)), "控件",
                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 420, 300, nullptr, nullptr));
    CButton button;
    CEdit edit;
    CListBox list;
    CComboBox combo;
    CSliderCtrl slider;
    CTreeCtrl tree;
    ASSERT_TRUE(button.Create("按钮", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(8, 8, 88, 32), &parent, 1));
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(96, 8, 200, 30), &parent, 2));
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(8, 40, 120, 120), &parent, 3));
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(128, 40, 250, 160), &parent, 4));
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE, CRect(8, 130, 200, 160), &parent, 5));
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(210, 130, 400, 260), &parent, 6));
    edit.SetWindowText("文字");
    list.AddString("一");
    combo.AddString("二");
    slider.SetRange(0, 10);
    slider.SetPos(7);
    tree.InsertItem("根");

    CString text;
    edit.GetWindowText(text);
    EXPECT_STREQ(text, "文字");
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(combo.GetCount(), 1);
    EXPECT_EQ(slider.GetPos(), 7);
    EXPECT_EQ(CWnd::FromHandlePermanent(tree.m_hWnd), &tree);
    parent.DestroyWindow();
    EXPECT_EQ(tree.m_hWnd, nullptr);
}

}  // namespace
