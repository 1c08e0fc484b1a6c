// A form that hands its messages to the dialog-style input translation
// keeps its keys from the frame's accelerators: the edit gets the key and Tab
// moves between the controls. The form view's own translation asks the
// frames first.
#include "afxwin.h"

#include "DocFrameTestRes.h"
#include "GuiDriver.h"

#include <gtest/gtest.h>

namespace {

int g_frameCommands = 0;

class CPtiFrame : public CFrameWnd {
protected:
    void OnAll() { g_frameCommands++; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CPtiFrame, CFrameWnd)
    ON_COMMAND(ID_DF_ALL, OnAll)
END_MESSAGE_MAP()

class CPtiForm : public CFormView {
    DECLARE_DYNCREATE(CPtiForm)
public:
    CPtiForm() : CFormView(IDD_DF_FORM) {}
};
IMPLEMENT_DYNCREATE(CPtiForm, CFormView)

class CPtiInputForm : public CPtiForm {
    DECLARE_DYNCREATE(CPtiInputForm)
public:
    BOOL PreTranslateMessage(MSG* pMsg) override { return PreTranslateInput(pMsg); }
};
IMPLEMENT_DYNCREATE(CPtiInputForm, CPtiForm)

class CPtiApp : public CWinApp {
public:
    CPtiApp() : CWinApp("输入翻译测试") {}
};

class PreTranslateInput : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (m_app.m_pMainWnd != nullptr)
            m_app.m_pMainWnd->DestroyWindow();
        m_app.m_pMainWnd = nullptr;
        Drain();
    }

    CFormView* MakeFrame(CRuntimeClass* pViewClass)
    {
        CCreateContext context;
        context.m_pNewViewClass = pViewClass;
        CPtiFrame* pFrame = new CPtiFrame;
        if (!pFrame->LoadFrame(IDR_DF_SDIFRAME, WS_OVERLAPPEDWINDOW, nullptr, &context))
            return nullptr;
        // 'Q' with no modifier is the frame's command.
        ACCEL accel = {FVIRTKEY, 'Q', ID_DF_ALL};
        pFrame->m_hAccelTable = ::CreateAcceleratorTableA(&accel, 1);
        m_app.m_pMainWnd = pFrame;
        pFrame->SetWindowPos(nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOMOVE);
        pFrame->InitialUpdateFrame(nullptr, TRUE);
        pFrame->SetForegroundWindow();
        testsupport::Gui().WaitFor([&] { return ::GetForegroundWindow() == pFrame->m_hWnd; });
        Drain();
        return static_cast<CFormView*>(pFrame->GetActiveView());
    }

    // Posts a key press to the window and runs the application's loop over
    // it, so that the pre-translation chain sees it as a typed key would be.
    void Type(HWND hWnd, UINT vk)
    {
        LPARAM lParam = 1 | (static_cast<LPARAM>(::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC)) << 16);
        ::PostMessageA(hWnd, WM_KEYDOWN, vk, lParam);
        do
            ASSERT_TRUE(m_app.PumpMessage());
        while (m_app.m_msgCur.message != WM_KEYDOWN);
        Drain();
    }

    void Drain()
    {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }

    CPtiApp m_app;
};

TEST_F(PreTranslateInput, TheKeyGoesToTheEditOrToTheFrameAccelerator)
{
    struct Case {
        CRuntimeClass* pForm;
        int commands;   // the frame's accelerator commands after the key
        int typed;      // characters the edit received
    } cases[] = {
        {RUNTIME_CLASS(CPtiInputForm), 0, 1},
        {RUNTIME_CLASS(CPtiForm), 1, 0},
    };
    for (const Case& c : cases) {
        CFormView* pForm = MakeFrame(c.pForm);
        ASSERT_NE(pForm, nullptr);
        HWND hName = pForm->GetDlgItem(IDC_DF_NAME)->m_hWnd;
        ::SetWindowTextA(hName, "");
        ::SetFocus(hName);
        g_frameCommands = 0;
        Type(hName, 'Q');
        EXPECT_EQ(g_frameCommands, c.commands) << c.pForm->m_lpszClassName;
        EXPECT_EQ(::GetWindowTextLengthA(hName), c.typed) << c.pForm->m_lpszClassName;
        TearDown();
    }
}

TEST_F(PreTranslateInput, TabMovesTheFocusToTheNextControl)
{
    CFormView* pForm = MakeFrame(RUNTIME_CLASS(CPtiInputForm));
    ASSERT_NE(pForm, nullptr);
    HWND hName = pForm->GetDlgItem(IDC_DF_NAME)->m_hWnd;
    ::SetFocus(hName);
    ASSERT_EQ(::GetFocus(), hName);
    Type(hName, VK_TAB);
    EXPECT_EQ(::GetFocus(), pForm->GetDlgItem(IDC_DF_COUNT)->m_hWnd);
}

}  // namespace
