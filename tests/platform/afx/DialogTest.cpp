#include "afxwin.h"

#include "DialogTestRes.h"
#include "GuiDriver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using testsupport::Gui;

namespace {

std::string ControlText(HWND hWnd)
{
    char text[256] = {};
    GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

// A top-level window that owns the dialogs, with a child window in it and a
// popup of its own (a modeless window of the application).
class OwnerWindows {
public:
    OwnerWindows()
    {
        top = CreateWindowExA(0, "STATIC", "主窗口", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300, NULL, NULL,
                              NULL, NULL);
        child = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, top, NULL, NULL, NULL);
        popup = CreateWindowExA(0, "STATIC", "工具窗口", WS_POPUP | WS_VISIBLE, 520, 100, 100, 100, top, NULL,
                                NULL, NULL);
    }
    ~OwnerWindows() { DestroyWindow(top); }

    HWND top;
    HWND child;
    HWND popup;
};

// The test dialog: "重试" ends it through the message map; the "按键"
// check box sends Escape to the name edit and then asks for OK, both as
// posted messages, so that they go through the modal loop as typed keys do.
class ButtonsDialog : public CDialog {
public:
    explicit ButtonsDialog(CWnd* pParent = NULL) : CDialog(IDD_DLGT_BUTTONS, pParent) {}

    std::vector<std::string> events;

protected:
    afx_msg void OnRetry() { EndDialog(IDC_DLGT_RETRY); }
    afx_msg void OnKeys()
    {
        HWND hEdit = ::GetDlgItem(m_hWnd, IDC_DLGT_NAME);
        ::SetFocus(hEdit);
        ::PostMessage(hEdit, WM_KEYDOWN, VK_ESCAPE, 1);
        PostMessage(WM_COMMAND, IDOK, 0);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ButtonsDialog, CDialog)
    ON_BN_CLICKED(IDC_DLGT_RETRY, OnRetry)
    ON_BN_CLICKED(IDC_DLGT_KEYS, OnKeys)
END_MESSAGE_MAP()

struct ButtonCase {
    const char* name;
    int control;  // 0: the window is closed from its caption
    int result;
};

void PrintTo(const ButtonCase& c, std::ostream* out) { *out << c.name; }

class DialogButtons : public testing::TestWithParam<ButtonCase> {};

TEST_P(DialogButtons, DoModalReturnsTheIdTheDialogEndedWith)
{
    auto& window = Gui().Expect("按钮测试");
    if (GetParam().control != 0)
        window.Press(GetParam().control);
    else
        window.Close();
    ButtonsDialog dialog;

    EXPECT_EQ(GetParam().result, dialog.DoModal());
    EXPECT_EQ(nullptr, dialog.m_hWnd);
}

INSTANTIATE_TEST_SUITE_P(Cases, DialogButtons,
                         testing::Values(ButtonCase{"OK", IDOK, IDOK}, ButtonCase{"Cancel", IDCANCEL, IDCANCEL},
                                         ButtonCase{"MapHandler", IDC_DLGT_RETRY, IDC_DLGT_RETRY},
                                         ButtonCase{"CloseBox", 0, IDCANCEL}),
                         [](const testing::TestParamInfo<ButtonCase>& info) { return std::string(info.param.name); });

// Looks at its owners while the modal loop idles, then ends itself; and
// once more while it is being destroyed.
class ProbeDialog : public ButtonsDialog {
public:
    ProbeDialog(CWnd* pParent, std::vector<HWND> watched) : ButtonsDialog(pParent), m_watched(watched) {}

    std::vector<BOOL> enabledWhileModal;
    std::vector<BOOL> enabledAtDestroy;
    BOOL visibleWhileModal = FALSE;
    HWND ownerWhileModal = NULL;
    RECT rectWhileModal = {};
    int focusWhileModal = 0;  // control id

protected:
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        if (enabledWhileModal.empty()) {
            for (HWND hWnd : m_watched)
                enabledWhileModal.push_back(::IsWindowEnabled(hWnd));
            visibleWhileModal = IsWindowVisible();
            ownerWhileModal = ::GetWindow(m_hWnd, GW_OWNER);
            GetWindowRect(&rectWhileModal);
            focusWhileModal = ::GetDlgCtrlID(::GetFocus());
            EndDialog(IDOK);
        }
        return 0;
    }
    afx_msg void OnDestroy()
    {
        for (HWND hWnd : m_watched)
            enabledAtDestroy.push_back(::IsWindowEnabled(hWnd));
        CDialog::OnDestroy();
    }
    DECLARE_MESSAGE_MAP()

private:
    std::vector<HWND> m_watched;
};

BEGIN_MESSAGE_MAP(ProbeDialog, ButtonsDialog)
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

TEST(Dialog, DisablesItsOwnerWhileModalAndEnablesItBeforeItIsDestroyed)
{
    OwnerWindows owners;
    ProbeDialog dialog(CWnd::FromHandle(owners.top), {owners.top});

    EXPECT_EQ(IDOK, dialog.DoModal());

    EXPECT_TRUE(dialog.visibleWhileModal);
    EXPECT_EQ(owners.top, dialog.ownerWhileModal);
    EXPECT_EQ(std::vector<BOOL>{FALSE}, dialog.enabledWhileModal);
    EXPECT_EQ(std::vector<BOOL>{TRUE}, dialog.enabledAtDestroy);
    EXPECT_TRUE(IsWindowEnabled(owners.top));
}

TEST(Dialog, OwnedByTheTopLevelWindowOfAChildParent)
{
    OwnerWindows owners;
    ProbeDialog dialog(CWnd::FromHandle(owners.child), {owners.top});

    EXPECT_EQ(IDOK, dialog.DoModal());

    EXPECT_EQ(owners.top, dialog.ownerWhileModal);
    EXPECT_EQ(std::vector<BOOL>{FALSE}, dialog.enabledWhileModal);
    EXPECT_TRUE(IsWindowEnabled(owners.top));
}

TEST(Dialog, OpenedFromAPopupDisablesThePopupAndTheWindowOwningIt)
{
    OwnerWindows owners;
    ProbeDialog dialog(CWnd::FromHandle(owners.popup), {owners.popup, owners.top});

    EXPECT_EQ(IDOK, dialog.DoModal());

    EXPECT_EQ(owners.popup, dialog.ownerWhileModal);
    EXPECT_EQ((std::vector<BOOL>{FALSE, FALSE}), dialog.enabledWhileModal);
    EXPECT_TRUE(IsWindowEnabled(owners.popup));
    EXPECT_TRUE(IsWindowEnabled(owners.top));
}

TEST(Dialog, ATemplateWithoutPositionIsCentredOnItsOwner)
{
    OwnerWindows owners;
    ProbeDialog dialog(CWnd::FromHandle(owners.top), {});

    EXPECT_EQ(IDOK, dialog.DoModal());

    RECT owner;
    GetWindowRect(owners.top, &owner);
    const RECT& shown = dialog.rectWhileModal;
    EXPECT_NEAR((owner.left + owner.right) / 2, (shown.left + shown.right) / 2, 1);
    EXPECT_NEAR((owner.top + owner.bottom) / 2, (shown.top + shown.bottom) / 2, 1);
}

// OnInitDialog that puts the focus on Cancel itself and says so by FALSE.
class FocusingDialog : public ProbeDialog {
public:
    FocusingDialog() : ProbeDialog(NULL, {}) {}

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        GotoDlgCtrl(GetDlgItem(IDCANCEL));
        return FALSE;
    }
};

TEST(Dialog, FocusGoesToTheFirstTabStopUnlessOnInitDialogPlacedIt)
{
    ProbeDialog defaultFocus(NULL, {});
    FocusingDialog ownFocus;

    EXPECT_EQ(IDOK, defaultFocus.DoModal());
    EXPECT_EQ(IDOK, ownFocus.DoModal());

    EXPECT_EQ(IDC_DLGT_NAME, defaultFocus.focusWhileModal);
    EXPECT_EQ(IDCANCEL, ownFocus.focusWhileModal);
}

TEST(Dialog, MissingTemplateReturnsMinusOneAndLeavesTheOwnerEnabled)
{
    OwnerWindows owners;
    CDialog dialog(IDD_DLGT_MISSING, CWnd::FromHandle(owners.top));

    EXPECT_EQ(-1, dialog.DoModal());
    EXPECT_TRUE(IsWindowEnabled(owners.top));
}

// Records what the dialog is told, in order.
class OrderDialog : public CDialog {
public:
    OrderDialog() : CDialog(IDD_DLGT_INIT) {}

    std::vector<std::string> events;
    CString kind = "丙";
    CString place;
    int endInInitDialog = 0;

protected:
    void OnSetFont(CFont* pFont) override
    {
        events.push_back(pFont != NULL && pFont->m_hObject != NULL ? "OnSetFont" : "OnSetFont without font");
    }
    BOOL OnInitDialog() override
    {
        events.push_back("OnInitDialog");
        if (endInInitDialog != 0) {
            EndDialog(endInInitDialog);
            return TRUE;
        }
        BOOL bResult = CDialog::OnInitDialog();
        events.push_back("OnInitDialog end");
        return bResult;
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        // The initialisation data is in the boxes before the first exchange.
        int kinds = int(SendDlgItemMessage(IDC_DLGT_KIND, CB_GETCOUNT));
        events.push_back(std::string(pDX->m_bSaveAndValidate ? "save" : "load") + " with " +
                         std::to_string(kinds) + " kinds");
        DDX_CBString(pDX, IDC_DLGT_KIND, kind);
        DDX_LBString(pDX, IDC_DLGT_PLACES, place);
    }
    void OnOK() override
    {
        events.push_back("OnOK");
        CDialog::OnOK();
    }
};

TEST(Dialog, InitialisesFromTheTemplateDataThenExchangesAndExchangesBackOnOK)
{
    auto& window = Gui().Expect("初始化测试")
                       .SelectItem(IDC_DLGT_PLACES, "北京")
                       .SelectItem(IDC_DLGT_KIND, "乙")
                       .Press(IDOK);
    OrderDialog dialog;

    EXPECT_EQ(IDOK, dialog.DoModal());

    EXPECT_TRUE(window.Seen());
    EXPECT_EQ((std::vector<std::string>{"OnSetFont", "OnInitDialog", "load with 3 kinds", "OnInitDialog end",
                                        "OnOK", "save with 3 kinds"}),
              dialog.events);
    EXPECT_STREQ("乙", dialog.kind);
    EXPECT_STREQ("北京", dialog.place);
}

TEST(Dialog, EndDialogInOnInitDialogReturnsItsResultWithoutShowingTheDialog)
{
    OrderDialog dialog;
    dialog.endInInitDialog = IDC_DLGT_RETRY;

    EXPECT_EQ(IDC_DLGT_RETRY, dialog.DoModal());

    EXPECT_EQ((std::vector<std::string>{"OnSetFont", "OnInitDialog"}), dialog.events);
    EXPECT_EQ(nullptr, dialog.m_hWnd);
}

// A template and initialisation data the program holds in memory.
TEST(Dialog, ModalFromATemplateInMemoryWithItsInitialisationData)
{
    HMODULE hProgram = GetModuleHandle(NULL);
    LPCTSTR name = MAKEINTRESOURCE(IDD_DLGT_INIT);
    auto* lpTemplate = static_cast<LPCDLGTEMPLATE>(
        LockResource(LoadResource(hProgram, FindResource(hProgram, name, RT_DIALOG))));
    void* lpInit = LockResource(LoadResource(hProgram, FindResource(hProgram, name, RT_DLGINIT)));
    ASSERT_NE(nullptr, lpTemplate);
    ASSERT_NE(nullptr, lpInit);
    Gui().Expect("初始化测试").SelectItem(IDC_DLGT_KIND, "丙").Press(IDOK);
    OrderDialog dialog;
    dialog.kind = "";
    ASSERT_TRUE(dialog.InitModalIndirect(lpTemplate, NULL, lpInit));

    EXPECT_EQ(IDOK, dialog.DoModal());

    EXPECT_EQ("load with 3 kinds", dialog.events.at(2));
    EXPECT_STREQ("丙", dialog.kind);
}

// Two ways a dialog takes over its OK button.
class MapOkDialog : public ButtonsDialog {
public:
    bool onOkCalled = false;

protected:
    void OnOK() override { onOkCalled = true; }
    afx_msg void OnAccept() { EndDialog(IDC_DLGT_RETRY); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MapOkDialog, ButtonsDialog)
    ON_BN_CLICKED(IDOK, OnAccept)
END_MESSAGE_MAP()

class OverrideOkDialog : public ButtonsDialog {
protected:
    void OnOK() override { EndDialog(IDC_DLGT_RETRY); }
};

TEST(Dialog, ADerivedMapEntryForOkWinsOverOnOK)
{
    Gui().Expect("按钮测试").Press(IDOK);
    MapOkDialog dialog;

    EXPECT_EQ(IDC_DLGT_RETRY, dialog.DoModal());
    EXPECT_FALSE(dialog.onOkCalled);
}

TEST(Dialog, AnOverrideOfOnOKReceivesTheOkButton)
{
    Gui().Expect("按钮测试").Press(IDOK);
    OverrideOkDialog dialog;

    EXPECT_EQ(IDC_DLGT_RETRY, dialog.DoModal());
}

// Keeps Escape from the dialog manager.
class EscapeEatingDialog : public ButtonsDialog {
public:
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE)
            return TRUE;
        return ButtonsDialog::PreTranslateMessage(pMsg);
    }
};

TEST(Dialog, EscapeInAnEditCancelsThroughTheDialogManager)
{
    Gui().Expect("按钮测试").Check(IDC_DLGT_KEYS);
    ButtonsDialog dialog;

    EXPECT_EQ(IDCANCEL, dialog.DoModal());
}

TEST(Dialog, ADerivedPreTranslateMessageTakesKeysBeforeTheDialogManager)
{
    Gui().Expect("按钮测试").Check(IDC_DLGT_KEYS);
    EscapeEatingDialog dialog;

    EXPECT_EQ(IDOK, dialog.DoModal());
}

// A modeless dialog that lives on the heap and deletes itself.
class ModelessDialog : public CDialog {
public:
    explicit ModelessDialog(bool* pDeleted) : m_pDeleted(pDeleted) {}

    CString name = "初始名称";

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_DLGT_NAME, name); }
    void PostNcDestroy() override
    {
        *m_pDeleted = true;
        delete this;
    }

private:
    bool* m_pDeleted;
};

TEST(Dialog, ModelessDialogEndsHiddenAndGoesWithItsWindow)
{
    bool deleted = false;
    auto* dialog = new ModelessDialog(&deleted);
    auto& window = Gui().Expect("非模态测试").SetText(IDC_DLGT_NAME, "新名称").Press(IDOK);

    ASSERT_TRUE(dialog->Create(IDD_DLGT_MODELESS));
    HWND hWnd = dialog->m_hWnd;
    EXPECT_EQ(dialog, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ("初始名称", ControlText(::GetDlgItem(hWnd, IDC_DLGT_NAME)));
    EXPECT_TRUE(IsWindowVisible(hWnd));

    // OK of a modeless dialog keeps the window, hidden, for its program.
    ASSERT_TRUE(Gui().WaitFor(window));
    EXPECT_TRUE(Gui().WaitFor([&] { return !IsWindowVisible(hWnd); }));
    EXPECT_TRUE(IsWindow(hWnd));
    EXPECT_STREQ("新名称", dialog->name);

    dialog->DestroyWindow();
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(IsWindow(hWnd));
}

}  // namespace
