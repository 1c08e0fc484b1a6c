// The host as the editing libraries meet it: a form three levels below the
// host dialog learns the accepting id and the image window and asks it about
// the image; the active view answers and records the tools' messages; the
// log holds what came in.
#include "HostFixture.h"
#include "HostTestRes.h"
#include "HostView.h"

#include <cstring>
#include <vector>

using namespace hosttest;

namespace {

CHostTestApp theApp("宿主测试", "OmbrelleHostTest");

// What a form of the libraries asks the host, asked on its initial update
// as theirs do.
class CHtForm : public CFormView {
    DECLARE_DYNCREATE(CHtForm)
public:
    CHtForm() : CFormView(IDD_HT_FORM) {}
    // Three parent levels up, or null where the chain is shorter.
    CWnd* HostWindow()
    {
        HWND hWnd = m_hWnd;
        for (int i = 0; i < 3 && hWnd != NULL; i++)
            hWnd = ::GetParent(hWnd);
        return hWnd != NULL ? CWnd::FromHandle(hWnd) : NULL;
    }
    void OnInitialUpdate() override
    {
        CFormView::OnInitialUpdate();
        if (HostWindow() == NULL)
            return;
        m_nTrueId = HostWindow()->SendMessage(WM_GET_TRUE_CTRL_ID, 0, 0);
        m_nImageWndResult = HostWindow()->SendMessage(WM_GET_IMAGE_WND, 0, reinterpret_cast<LPARAM>(&m_pImageWnd));
        if (m_pImageWnd != NULL)
            m_nModeResult = m_pImageWnd->SendMessage(WM_GET_IMAGE_MODE, reinterpret_cast<WPARAM>(&m_nMode), 0);
    }
    LRESULT m_nTrueId = -1;
    LRESULT m_nImageWndResult = -1;
    CWnd* m_pImageWnd = NULL;
    LRESULT m_nModeResult = -1;
    int m_nMode = -1;
};
IMPLEMENT_DYNCREATE(CHtForm, CFormView)

struct Logged {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    HWND hWnd;
    bool operator==(const Logged& o) const
    {
        return message == o.message && wParam == o.wParam && lParam == o.lParam && hWnd == o.hWnd;
    }
};

std::vector<Logged> Log()
{
    std::vector<Logged> log;
    for (const HOST_LOG_ENTRY& e : CHostLog::Get().Entries())
        log.push_back({e.message, e.wParam, e.lParam, e.hWndReceiver});
    return log;
}

void PrintTo(const Logged& l, std::ostream* out)
{
    *out << "{" << l.message << ", " << l.wParam << ", " << l.lParam << ", " << l.hWnd << "}";
}

}  // namespace

TEST_F(HostTest, AFormThreeLevelsDownGetsTheAcceptingIdAndTheImageWindow)
{
    struct Case {
        UINT trueId;
        BOOL givesImage;
        int mode;
    } cases[] = {
        {IDOK, TRUE, IMAGE_MODE_RGB},
        {1234, TRUE, IMAGE_MODE_CMYK},
        {0, FALSE, IMAGE_MODE_GRAYSCALE},
    };
    for (const Case& c : cases) {
        CHostState::Get().nTrueCtrlId = c.trueId;
        CHostState::Get().bDialogGivesImage = c.givesImage;
        CHostState::Get().nImageMode = c.mode;
        CHostDialog* pDialog = HostDialog();
        ASSERT_NE(pDialog, nullptr);
        CHtForm* pForm = static_cast<CHtForm*>(pDialog->Embed(RUNTIME_CLASS(CHtForm)));
        ASSERT_NE(pForm, nullptr);
        EXPECT_EQ(pForm->HostWindow(), pDialog);
        EXPECT_EQ(pForm->m_nTrueId, static_cast<LRESULT>(c.trueId));
        EXPECT_EQ(pForm->m_nImageWndResult, c.givesImage ? 1 : 0);
        if (c.givesImage) {
            EXPECT_EQ(pForm->m_pImageWnd, pDialog->GetImageWnd());
            EXPECT_EQ(pForm->m_nModeResult, 1);
            EXPECT_EQ(pForm->m_nMode, c.mode);
        } else {
            EXPECT_EQ(pForm->m_pImageWnd, nullptr);
        }
        // The form sits among the dialog's buttons: the cancel button is the
        // dialog's id 2, four levels above the form's edit.
        CWnd* pEdit = pForm->GetDlgItem(IDC_HT_EDIT);
        EXPECT_NE(pEdit->GetParent()->GetParent()->GetParent()->GetParent()->GetDlgItem(IDCANCEL), nullptr);
        EXPECT_NE(pDialog->GetDlgItem(IDC_HOST_PREVIEW), nullptr);
        pDialog->DestroyWindow();
    }
}

TEST_F(HostTest, AFormOneLevelDownSitsInTheDialogItself)
{
    CHostDialog* pDialog = HostDialog();
    ASSERT_NE(pDialog, nullptr);
    CView* pForm = pDialog->Embed(RUNTIME_CLASS(CHtForm), 1);
    ASSERT_NE(pForm, nullptr);
    EXPECT_EQ(pForm->GetParent(), pDialog);
    EXPECT_EQ(pDialog->GetEmbedded(), pForm);
    EXPECT_NE(static_cast<CHtForm*>(pForm)->HostWindow(), pDialog);
    // Not a view: nothing is made.
    EXPECT_EQ(pDialog->Embed(RUNTIME_CLASS(CHostDoc)), nullptr);
}

TEST_F(HostTest, TheImageWindowAnswersEveryModeOrStaysSilent)
{
    CHostDialog* pDialog = HostDialog();
    ASSERT_NE(pDialog, nullptr);
    CWnd* pImage = pDialog->GetImageWnd();
    for (int mode : {0, 1, 2, 3, 4, 6, 7, 11, 12}) {
        CHostState::Get().nImageMode = mode;
        int byMode = -1, byInfo = 0;
        EXPECT_EQ(pImage->SendMessage(WM_GET_IMAGE_MODE, reinterpret_cast<WPARAM>(&byMode), 0), 1);
        EXPECT_EQ(pImage->SendMessage(WM_GET_IMAGE_INFO, 1, reinterpret_cast<LPARAM>(&byInfo)), 1);
        EXPECT_EQ(byMode, mode);
        EXPECT_EQ(byInfo, mode);
    }
    CHostState::Get().bImageAnswers = FALSE;
    int untouched = -7;
    EXPECT_EQ(pImage->SendMessage(WM_GET_IMAGE_MODE, reinterpret_cast<WPARAM>(&untouched), 0), 0);
    EXPECT_EQ(pImage->SendMessage(WM_GET_IMAGE_INFO, 1, reinterpret_cast<LPARAM>(&untouched)), 0);
    EXPECT_EQ(untouched, -7);
}

TEST_F(HostTest, AutoLevelsFillTheBufferWithinItsEightBytes)
{
    CHostDialog* pDialog = HostDialog();
    ASSERT_NE(pDialog, nullptr);
    CWnd* pImage = pDialog->GetImageWnd();
    CHostState::Get().dwWhitePoint = 0x00F0E0D0;
    CHostState::Get().dwBlackPoint = 0x00102030;
    struct Case {
        BOOL answers;
        int offset;
        LRESULT result;
        int reported;           // in the int at wParam
        DWORD first, second;    // the buffer's two halves afterwards
    } cases[] = {
        {TRUE, 4, 1, 4, 0x00F0E0D0, 0x00102030},
        // The black point over the white one: the offset is the host's word.
        {TRUE, 0, 1, 0, 0x00102030, 50},
        // A hostile offset is reported but nothing is written past the buffer.
        {TRUE, 1000, 1, 1000, 0x00F0E0D0, 50},
        {TRUE, -8, 1, -8, 0x00F0E0D0, 50},
        {FALSE, 4, 0, -1, 150, 50},
    };
    for (const Case& c : cases) {
        CHostState::Get().bImageAnswers = c.answers;
        CHostState::Get().nBlackOffset = c.offset;
        CHostLog::Get().Clear();
        INT32 buffer[4] = {150, 50, 0x5A5A5A5A, 0x5A5A5A5A};  // the last two guard the end
        int offset = -1;
        EXPECT_EQ(pImage->SendMessage(WM_GET_AUTO_LEVELS, reinterpret_cast<WPARAM>(&offset),
                                      reinterpret_cast<LPARAM>(buffer)),
                  c.result);
        EXPECT_EQ(offset, c.reported);
        EXPECT_EQ(static_cast<DWORD>(buffer[0]), c.first) << c.offset;
        EXPECT_EQ(static_cast<DWORD>(buffer[1]), c.second) << c.offset;
        EXPECT_EQ(buffer[2], 0x5A5A5A5A);
        EXPECT_EQ(Log(), (std::vector<Logged>{{WM_GET_AUTO_LEVELS, 150, 50, pImage->m_hWnd}}));
    }
}

TEST_F(HostTest, TheActiveFrameIsAChildFrameOnlyWhileOneIsOpen)
{
    EXPECT_EQ(m_pFrame->GetActiveFrame(), m_pFrame);
    CWnd* pStatus = m_pFrame->GetDlgItem(AFX_IDW_STATUS_BAR);
    ASSERT_NE(pStatus, nullptr);
    EXPECT_EQ(pStatus, &m_pFrame->m_wndStatusBar);
    m_pFrame->m_wndStatusBar.SetPaneText(0, "就绪了");
    EXPECT_STREQ(m_pFrame->m_wndStatusBar.GetPaneText(0), "就绪了");

    CFrameWnd* pChild = m_pFrame->NewImage();
    ASSERT_NE(pChild, nullptr);
    CFrameWnd* pActive = m_pFrame->GetActiveFrame();
    EXPECT_EQ(pActive, pChild);
    EXPECT_NE(pActive, m_pFrame);
    ASSERT_NE(pActive->GetActiveView(), nullptr);
    EXPECT_TRUE(pActive->GetActiveView()->IsKindOf(RUNTIME_CLASS(CHostView)));

    pChild->SendMessage(WM_CLOSE);
    Drain();
    EXPECT_EQ(m_pFrame->GetActiveFrame(), m_pFrame);
}

TEST_F(HostTest, TheActiveViewAnswersAndRecordsTheToolsMessages)
{
    ASSERT_NE(m_pFrame->NewImage(), nullptr);
    // Found as the libraries find it.
    CWnd* pView = static_cast<CFrameWnd*>(AfxGetApp()->m_pMainWnd)->GetActiveFrame()->GetActiveView();
    ASSERT_NE(pView, nullptr);
    HWND hView = pView->m_hWnd;

    CHostState::Get().nImageMode = IMAGE_MODE_GRAYSCALE;
    CHostState::Get().fResolution[0] = 300.0f;
    CHostState::Get().fResolution[1] = 150.5f;
    int mode = 0;
    float resolution[2] = {72.0f, 72.0f};
    EXPECT_EQ(pView->SendMessage(WM_GET_IMAGE_INFO, 1, reinterpret_cast<LPARAM>(&mode)), 1);
    EXPECT_EQ(mode, IMAGE_MODE_GRAYSCALE);
    pView->SendMessage(WM_GET_RESOLUTION, 0, reinterpret_cast<LPARAM>(resolution));
    EXPECT_EQ(resolution[0], 300.0f);
    EXPECT_EQ(resolution[1], 150.5f);

    CHostLog::Get().Clear();
    pView->SendMessage(WM_SET_PATH_MODE, 0, 2);
    pView->SendMessage(WM_TOOL_DLG_SHOWN, 0, 0);
    pView->SendMessage(WM_ZOOM_TOOL_DBLCLK, 0, 0);
    pView->SendMessage(WM_PAN_TOOL_DBLCLK, 0, 0);
    pView->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(hView), 0);
    EXPECT_EQ(Log(), (std::vector<Logged>{
                         {WM_SET_PATH_MODE, 0, 2, hView},
                         {WM_TOOL_DLG_SHOWN, 0, 0, hView},
                         {WM_ZOOM_TOOL_DBLCLK, 0, 0, hView},
                         {WM_PAN_TOOL_DBLCLK, 0, 0, hView},
                         {WM_SETCURSOR, reinterpret_cast<WPARAM>(hView), 0, hView},
                     }));
    // What the log bar shows a person.
    CListBox* pList = static_cast<CListBox*>(m_pFrame->m_wndLogBar.GetDlgItem(IDC_HOST_LOG));
    ASSERT_NE(pList, nullptr);
    EXPECT_EQ(pList->GetCount(), 5);

    // Silent, the view writes nothing.
    CHostState::Get().bViewAnswers = FALSE;
    mode = 0;
    resolution[0] = 72.0f;
    EXPECT_EQ(pView->SendMessage(WM_GET_IMAGE_INFO, 1, reinterpret_cast<LPARAM>(&mode)), 0);
    EXPECT_EQ(pView->SendMessage(WM_GET_RESOLUTION, 0, reinterpret_cast<LPARAM>(resolution)), 0);
    EXPECT_EQ(mode, 0);
    EXPECT_EQ(resolution[0], 72.0f);
    CHostLog::Get().Clear();
    EXPECT_TRUE(CHostLog::Get().Entries().empty());
    EXPECT_EQ(pList->GetCount(), 0);
}

namespace {

// A roll-up or pane of the libraries, as the host's sends reach it.
class CHtReceiver : public CWnd {
public:
    LRESULT m_nAnswer = 1;
    std::vector<UINT> m_received;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_UPDATE_MODE || message == WM_PICK_COLOR) {
            m_received.push_back(message);
            m_lastWParam = wParam;
            return m_nAnswer;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

public:
    WPARAM m_lastWParam = 0;
};

}  // namespace

TEST_F(HostTest, TheHostsSendsReachTheWindowAndAreLogged)
{
    CHtReceiver receiver;
    ASSERT_TRUE(receiver.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 10, 10), m_pFrame, 77));
    CHostState::Get().nImageMode = IMAGE_MODE_CMYK;
    receiver.m_nAnswer = 1;
    EXPECT_EQ(HostSendUpdateMode(&receiver), 1);
    EXPECT_EQ(receiver.m_lastWParam, static_cast<WPARAM>(IMAGE_MODE_CMYK));
    receiver.m_nAnswer = 0;
    EXPECT_EQ(HostSendPickColor(&receiver), 0);
    EXPECT_EQ(receiver.m_received, (std::vector<UINT>{WM_UPDATE_MODE, WM_PICK_COLOR}));
    EXPECT_EQ(Log(), (std::vector<Logged>{{WM_UPDATE_MODE, IMAGE_MODE_CMYK, 0, receiver.m_hWnd},
                                          {WM_PICK_COLOR, 0, 0, receiver.m_hWnd}}));
    EXPECT_EQ(HostSendPickColor(NULL), 0);
    receiver.DestroyWindow();
}
