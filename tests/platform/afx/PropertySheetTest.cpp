#include "afxdlgs.h"
#include "afxcmn.h"

#include "GuiDriver.h"
#include "PropertySheetTestRes.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

const char kSheetCaption[] = "图像属性";

typedef std::vector<std::string> Log;

// Acts on open windows from whatever modal loop pumps the thread's
// messages: one step per timer tick, as a person would.
class Script {
public:
    explicit Script(std::vector<std::function<void()>> steps) : m_steps(std::move(steps))
    {
        s_current = this;
        m_timer = ::SetTimer(NULL, 0, 30, &Script::OnTimer);
    }
    ~Script()
    {
        ::KillTimer(NULL, m_timer);
        s_current = nullptr;
    }
    bool Done() const { return m_next == m_steps.size(); }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        if (s_current != nullptr)
            s_current->Step();
    }
    void Step()
    {
        if (m_running || m_next >= m_steps.size())
            return;
        m_running = true;
        std::function<void()> step = m_steps[m_next++];
        step();
        m_running = false;
    }

    static Script* s_current;
    std::vector<std::function<void()>> m_steps;
    size_t m_next = 0;
    bool m_running = false;
    UINT_PTR m_timer = 0;
};
Script* Script::s_current = nullptr;

void Click(HWND hDlg, int nID)
{
    HWND hButton = ::GetDlgItem(hDlg, nID);
    ASSERT_NE(hButton, (HWND)NULL) << "no button " << nID;
    ASSERT_TRUE(::IsWindowEnabled(hButton)) << "button " << nID << " is disabled";
    ::SendMessageA(hButton, BM_CLICK, 0, 0);
}

class LoggingPage : public CPropertyPage {
public:
    LoggingPage(UINT nIDTemplate, UINT nIDEdit, const char* name, Log& log, UINT nIDCaption = 0)
        : CPropertyPage(nIDTemplate, nIDCaption), m_nIDEdit(nIDEdit), m_name(name), m_log(log)
    {
    }

    CString m_strValue;
    BOOL m_bRefuseToLeave = FALSE;

    BOOL OnInitDialog() override
    {
        Add("Init");
        return CPropertyPage::OnInitDialog();
    }
    BOOL OnSetActive() override
    {
        Add("SetActive");
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        Add("KillActive");
        return m_bRefuseToLeave ? FALSE : CPropertyPage::OnKillActive();
    }
    BOOL OnApply() override
    {
        Add("Apply");
        return CPropertyPage::OnApply();
    }
    void OnOK() override { Add("OK"); }
    void OnCancel() override { Add("Cancel"); }
    void OnReset() override
    {
        Add("Reset");
        CPropertyPage::OnReset();
    }
    BOOL OnQueryCancel() override
    {
        Add("QueryCancel");
        return TRUE;
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, m_nIDEdit, m_strValue); }

private:
    void Add(const char* what) { m_log.push_back(m_name + ":" + what); }

    UINT m_nIDEdit;
    std::string m_name;
    Log& m_log;
};

class LoggingSheet : public CPropertySheet {
public:
    explicit LoggingSheet(Log& log) : CPropertySheet(IDS_SHEETTEST_CAPTION), m_log(log) {}

    BOOL OnInitDialog() override
    {
        BOOL bResult = CPropertySheet::OnInitDialog();
        m_log.push_back("sheet:Init");
        m_nPagesAtInit = GetPageCount();
        m_bAttachedAtInit = CWnd::FromHandlePermanent(m_hWnd) == this;
        return bResult;
    }

    int m_nPagesAtInit = 0;
    BOOL m_bAttachedAtInit = FALSE;

private:
    Log& m_log;
};

// A sheet with its two pages from the test resources.
struct TwoPageSheet {
    Log log;
    LoggingSheet sheet{log};
    LoggingPage page1{IDD_SHEETTEST_PAGE1, IDC_SHEETTEST_EDIT1, "1", log, IDS_SHEETTEST_PAGE1};
    LoggingPage page2{IDD_SHEETTEST_PAGE2, IDC_SHEETTEST_EDIT2, "2", log};

    TwoPageSheet()
    {
        sheet.AddPage(&page1);
        sheet.AddPage(&page2);
    }
};

TEST(PropertySheets, NotificationsComeInTheSheetsOrder)
{
    TwoPageSheet s;
    auto& window = testsupport::Gui().Expect(kSheetCaption);
    int nActiveAfterSwitch = -1;
    Script script({
        [&] { EXPECT_TRUE(s.sheet.SetActivePage(1)); },
        [&] {
            nActiveAfterSwitch = s.sheet.GetActiveIndex();
            Click(s.sheet.m_hWnd, IDOK);
        },
    });

    ASSERT_EQ(s.sheet.DoModal(), IDOK);
    EXPECT_TRUE(window.Seen());
    EXPECT_EQ(nActiveAfterSwitch, 1);
    EXPECT_EQ(s.log, (Log{"1:Init", "1:SetActive", "sheet:Init",                 // opening
                          "1:KillActive", "2:Init", "2:SetActive",             // switching
                          "2:KillActive", "1:Apply", "1:OK", "2:Apply", "2:OK"}));  // OK
    EXPECT_EQ(s.sheet.m_nPagesAtInit, 2);
    EXPECT_TRUE(s.sheet.m_bAttachedAtInit);
    // Everything is let go with the windows.
    EXPECT_EQ(s.sheet.m_hWnd, (HWND)NULL);
    EXPECT_EQ(s.page1.m_hWnd, (HWND)NULL);
    EXPECT_EQ(s.page2.m_hWnd, (HWND)NULL);
}

TEST(PropertySheets, ModalSheetDisablesItsOwnerWhileOpen)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "属主", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100,
                               NULL, NULL));
    TwoPageSheet s;
    s.sheet.Construct(IDS_SHEETTEST_CAPTION, &owner);
    testsupport::Gui().Expect(kSheetCaption);
    BOOL bOwnerEnabled = TRUE;
    HWND hSheetOwner = NULL;
    Script script({[&] {
        bOwnerEnabled = owner.IsWindowEnabled();
        hSheetOwner = ::GetWindow(s.sheet.m_hWnd, GW_OWNER);
        Click(s.sheet.m_hWnd, IDCANCEL);
    }});

    ASSERT_EQ(s.sheet.DoModal(), IDCANCEL);
    EXPECT_FALSE(bOwnerEnabled);
    EXPECT_EQ(hSheetOwner, owner.m_hWnd);
    EXPECT_TRUE(owner.IsWindowEnabled());
    owner.DestroyWindow();
}

TEST(PropertySheets, EndDialogEndsWithItsCodeWithoutApplying)
{
    TwoPageSheet s;
    testsupport::Gui().Expect(kSheetCaption);
    Script script({[&] {
        s.log.clear();
        s.sheet.EndDialog(4321);
    }});

    ASSERT_EQ(s.sheet.DoModal(), 4321);
    EXPECT_EQ(s.log, Log{});
    EXPECT_EQ(s.sheet.m_hWnd, (HWND)NULL);
}

TEST(PropertySheets, OnlyPagesThatWereShownAreApplied)
{
    TwoPageSheet s;
    testsupport::Gui().Expect(kSheetCaption);
    Script script({[&] { EXPECT_TRUE(s.sheet.PressButton(PSBTN_OK)); }});

    ASSERT_EQ(s.sheet.DoModal(), IDOK);
    EXPECT_EQ(s.log, (Log{"1:Init", "1:SetActive", "sheet:Init", "1:KillActive", "1:Apply", "1:OK"}));
}

TEST(PropertySheets, PageThatRefusesToBeLeftStaysActive)
{
    TwoPageSheet s;
    s.page1.m_bRefuseToLeave = TRUE;
    testsupport::Gui().Expect(kSheetCaption);
    BOOL bRefusedSwitch = TRUE;
    int nActiveAfterRefusal = -1;
    CPropertyPage* pActiveAfterRefusal = NULL;
    Script script({
        [&] {
            s.log.clear();
            bRefusedSwitch = s.sheet.SetActivePage(&s.page2);
            nActiveAfterRefusal = s.sheet.GetActiveIndex();
            pActiveAfterRefusal = s.sheet.GetActivePage();
        },
        [&] {
            // Nor does OK get past it.
            Click(s.sheet.m_hWnd, IDOK);
        },
        [&] {
            // The user gives up with the close box: no OK any more.
            s.page1.m_bRefuseToLeave = FALSE;
            ::SendMessageA(s.sheet.m_hWnd, WM_CLOSE, 0, 0);
        },
    });

    ASSERT_EQ(s.sheet.DoModal(), IDCANCEL);
    EXPECT_FALSE(bRefusedSwitch);
    EXPECT_EQ(nActiveAfterRefusal, 0);
    EXPECT_EQ(pActiveAfterRefusal, &s.page1);
    EXPECT_EQ(s.log, (Log{"1:KillActive",                          // the switch refused
                          "1:KillActive",                          // OK refused
                          "1:QueryCancel", "1:Reset", "1:Cancel"}));  // Cancel
}

TEST(PropertySheets, LeavingAPageExchangesItsData)
{
    TwoPageSheet s;
    s.page2.m_strValue = "300";
    testsupport::Gui().Expect(kSheetCaption);
    CString strShownOnPage2;
    Script script({
        [&] {
            ::SetDlgItemTextA(s.page1.m_hWnd, IDC_SHEETTEST_EDIT1, "封面");
            s.sheet.SetActivePage(1);
        },
        [&] {
            s.page2.GetDlgItemText(IDC_SHEETTEST_EDIT2, strShownOnPage2);
            Click(s.sheet.m_hWnd, IDCANCEL);
        },
    });

    ASSERT_EQ(s.sheet.DoModal(), IDCANCEL);
    EXPECT_STREQ(s.page1.m_strValue, "封面");
    EXPECT_STREQ(strShownOnPage2, "300");
}

TEST(PropertySheets, SetModifiedEnablesApplyAndApplyKeepsTheSheetOpen)
{
    TwoPageSheet s;
    testsupport::Gui().Expect(kSheetCaption);
    std::vector<BOOL> applyEnabled;
    BOOL bOpenAfterApply = FALSE;
    auto recordApply = [&] {
        applyEnabled.push_back(::IsWindowEnabled(::GetDlgItem(s.sheet.m_hWnd, ID_APPLY_NOW)));
    };
    Script script({
        [&] {
            recordApply();
            s.page1.SetModified(TRUE);
            recordApply();
            s.page1.SetModified(FALSE);
            recordApply();
            s.page1.SetModified(TRUE);
            s.log.clear();
            Click(s.sheet.m_hWnd, ID_APPLY_NOW);
        },
        [&] {
            recordApply();
            bOpenAfterApply = ::IsWindow(s.sheet.m_hWnd) && s.sheet.GetActivePage() == &s.page1;
            Click(s.sheet.m_hWnd, IDCANCEL);
        },
    });

    ASSERT_EQ(s.sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(applyEnabled, (std::vector<BOOL>{FALSE, TRUE, FALSE, FALSE}));
    EXPECT_TRUE(bOpenAfterApply);
    // After Apply Now the page is made active again.
    EXPECT_EQ(s.log, (Log{"1:KillActive", "1:Apply", "1:OK", "1:SetActive",  // Apply Now
                          "1:QueryCancel", "1:Reset", "1:Cancel"}));
}

TEST(PropertySheets, PagesComeFromTheResourceChainWithTheirCaptions)
{
    TwoPageSheet s;
    testsupport::Gui().Expect(kSheetCaption);
    std::vector<std::string> tabs;
    Script script({[&] {
        CTabCtrl* pTab = s.sheet.GetTabControl();
        ASSERT_NE(pTab, nullptr);
        for (int i = 0; i < pTab->GetItemCount(); ++i) {
            char text[64] = "";
            TCITEMA item = {};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof(text);
            pTab->GetItem(i, &item);
            tabs.push_back(text);
        }
        Click(s.sheet.m_hWnd, IDCANCEL);
    }});

    ASSERT_EQ(s.sheet.DoModal(), IDCANCEL);
    // The caption string of page 1, the template's caption for page 2.
    EXPECT_EQ(tabs, (std::vector<std::string>{"常规", "分辨率"}));
}

TEST(PropertySheets, ModelessSheetLivesUntilDestroyed)
{
    TwoPageSheet s;
    auto& window = testsupport::Gui().Expect(kSheetCaption);

    ASSERT_TRUE(s.sheet.Create());
    HWND hSheet = s.sheet.m_hWnd;
    HWND hPage1 = s.page1.m_hWnd;
    ASSERT_TRUE(::IsWindow(hSheet));
    EXPECT_EQ(CWnd::FromHandlePermanent(hSheet), &s.sheet);
    EXPECT_EQ(CWnd::FromHandlePermanent(hPage1), &s.page1);
    EXPECT_EQ(::GetParent(hPage1), hSheet);
    EXPECT_EQ(s.sheet.GetPageCount(), 2);
    EXPECT_EQ(s.sheet.GetActivePage(), &s.page1);
    EXPECT_EQ(s.page2.m_hWnd, (HWND)NULL) << "a page is made when first shown";
    ASSERT_TRUE(testsupport::Gui().WaitFor(window));

    // Pages added to the open sheet work like the others.
    Log added;
    LoggingPage page3(IDD_SHEETTEST_PAGE2, IDC_SHEETTEST_EDIT2, "3", added);
    s.sheet.AddPage(&page3);
    EXPECT_EQ(s.sheet.GetPageCount(), 3);
    EXPECT_TRUE(s.sheet.SetActivePage(&page3));
    EXPECT_EQ(added, (Log{"3:Init", "3:SetActive"}));
    EXPECT_EQ(s.sheet.GetActiveIndex(), 2);
    s.sheet.RemovePage(&page3);
    EXPECT_EQ(s.sheet.GetPageCount(), 2);
    EXPECT_EQ(page3.m_hWnd, (HWND)NULL);

    EXPECT_TRUE(s.sheet.DestroyWindow());
    EXPECT_FALSE(::IsWindow(hSheet));
    EXPECT_EQ(s.sheet.m_hWnd, (HWND)NULL);
    EXPECT_EQ(s.page1.m_hWnd, (HWND)NULL);
    EXPECT_EQ(CWnd::FromHandlePermanent(hSheet), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hPage1), nullptr);
}

// Wizard pages name the page to go to by its template id; Finish ends.
class WizardPage : public CPropertyPage {
public:
    WizardPage(UINT nIDTemplate, DWORD dwButtons, const char* name, Log& log)
        : CPropertyPage(nIDTemplate), m_dwButtons(dwButtons), m_name(name), m_log(log)
    {
    }
    BOOL OnSetActive() override
    {
        m_log.push_back(m_name + ":SetActive");
        static_cast<CPropertySheet*>(GetParent())->SetWizardButtons(m_dwButtons);
        return CPropertyPage::OnSetActive();
    }
    LRESULT OnWizardNext() override { return m_lNext; }
    LRESULT OnWizardBack() override { return m_lBack; }
    BOOL OnWizardFinish() override
    {
        ++m_nFinish;
        return m_nFinish > 1;  // the first Finish is refused
    }

    LRESULT m_lNext = 0;
    LRESULT m_lBack = 0;
    int m_nFinish = 0;

private:
    DWORD m_dwButtons;
    std::string m_name;
    Log& m_log;
};

TEST(PropertySheets, WizardGoesToPagesByTemplateAndEndsWithFinish)
{
    Log log;
    CPropertySheet sheet(kSheetCaption);
    WizardPage first(IDD_SHEETTEST_PAGE1, PSWIZB_NEXT, "1", log);
    WizardPage middle(IDD_SHEETTEST_PAGE2, PSWIZB_BACK | PSWIZB_NEXT, "2", log);
    WizardPage last(IDD_SHEETTEST_PAGE3, PSWIZB_BACK | PSWIZB_FINISH, "3", log);
    first.m_lNext = IDD_SHEETTEST_PAGE3;
    last.m_lBack = IDD_SHEETTEST_PAGE1;
    sheet.AddPage(&first);
    sheet.AddPage(&middle);
    sheet.AddPage(&last);
    sheet.SetWizardMode();
    testsupport::Gui().Expect("模板标题");  // a wizard shows its page's caption
    std::vector<CPropertyPage*> active;
    auto recordActive = [&] { active.push_back(sheet.GetActivePage()); };
    Script script({
        [&] { Click(sheet.m_hWnd, ID_WIZNEXT); },
        [&] {
            recordActive();
            Click(sheet.m_hWnd, ID_WIZBACK);
        },
        [&] {
            recordActive();
            Click(sheet.m_hWnd, ID_WIZNEXT);
        },
        [&] { Click(sheet.m_hWnd, ID_WIZFINISH); },
        [&] {
            recordActive();
            Click(sheet.m_hWnd, ID_WIZFINISH);
        },
    });

    ASSERT_EQ(sheet.DoModal(), ID_WIZFINISH);
    EXPECT_EQ(active, (std::vector<CPropertyPage*>{&last, &first, &last}));
    EXPECT_EQ(log, (Log{"1:SetActive", "3:SetActive", "1:SetActive", "3:SetActive"}));
    EXPECT_EQ(last.m_nFinish, 2);
}

}  // namespace
