#include "InkfoldDialogFixture.h"

#include <vector>

#include "GuiDriver.h"
#include "Process.h"
#include "resource.h"

namespace inktest {

namespace {

struct PendingScript {
    CInkfoldDlg* pDlg;
    const std::function<void(CInkfoldDlg&)>* pScript;
    const testsupport::WindowExpectation* pSeen;
    UINT_PTR timer;
    bool done;
};

PendingScript* g_pPending = nullptr;

void CALLBACK RunScript(HWND, UINT, UINT_PTR, DWORD)
{
    PendingScript* p = g_pPending;
    if (p == nullptr || p->done || !p->pSeen->Seen())
        return;
    HWND window = p->pDlg->GetSafeHwnd();
    if (window == NULL || !::IsWindowVisible(window))
        return;
    p->done = true;
    ::KillTimer(NULL, p->timer);
    (*p->pScript)(*p->pDlg);
    if (p->pDlg->m_nFlags & WF_CONTINUEMODAL)
        p->pDlg->PostMessage(WM_COMMAND, IDCANCEL);
}

void CopyColorFile(const std::string& name, const std::string& folder)
{
    const std::string from = BuiltColorFolder() + "\\" + name;
    ASSERT_TRUE(::CopyFileA(from.c_str(), (folder + "\\" + name).c_str(), FALSE)) << from;
}

}  // namespace

std::string BuiltColorFolder()
{
    std::string exe = testsupport::ThisExecutable();
    return exe.substr(0, exe.find_last_of('\\')) + "\\..\\color";
}

void Click(CDialog& dlg, int controlId)
{
    dlg.SendDlgItemMessage(controlId, BM_CLICK, 0, 0);
}

void SetItemText(CDialog& dlg, int controlId, const std::string& text)
{
    dlg.SetDlgItemText(controlId, text.c_str());
}

std::string ItemText(CDialog& dlg, int controlId)
{
    CString text;
    dlg.GetDlgItemText(controlId, text);
    return static_cast<const char*>(text);
}

std::string ItemText(HWND window, int controlId)
{
    char text[64] = "";
    ::GetDlgItemTextA(window, controlId, text, sizeof text);
    return text;
}

bool Checked(HWND window, int controlId)
{
    return ::IsDlgButtonChecked(window, controlId) == BST_CHECKED;
}

bool Enabled(HWND window, int controlId)
{
    return ::IsWindowEnabled(::GetDlgItem(window, controlId)) != FALSE;
}

void DragWithMouse(HWND window, int x, int y, int dy)
{
    ::SendMessage(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessage(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y + dy));
    ::SendMessage(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y + dy));
}

void SelectInk(CInkfoldDlg& dlg, int index)
{
    dlg.m_cmbSelectInk.SetCurSel(index);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(dlg.m_cmbSelectInk.GetDlgCtrlID(), CBN_SELCHANGE),
                    reinterpret_cast<LPARAM>(dlg.m_cmbSelectInk.GetSafeHwnd()));
}

CSeparationCore GcrParameters(int uca, int totalInk)
{
    CSeparationCore parameters;
    parameters.m_nUcrControl = 0;
    parameters.m_nUca = uca;
    parameters.m_nTotalInk = CSeparationCore::TotalInkToHeld(totalInk);
    parameters.m_nSwitch[3] = 1;
    parameters.m_nSwitch[5] = 0;
    parameters.m_nSwitch[8] = 0;
    return parameters;
}

void ExpectGcrControls(CDialog& dlg, const char* uca, const char* totalInk)
{
    EXPECT_EQ(ItemText(dlg, IDC_INKFOLD_UCA), uca);
    EXPECT_EQ(ItemText(dlg, IDC_INKFOLD_TOTALINK), totalInk);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_INKFOLD_TYPE_GCR), BST_CHECKED);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_INKFOLD_TYPE_UCR), BST_UNCHECKED);
    EXPECT_FALSE(dlg.GetDlgItem(IDC_INKFOLD_UCR)->IsWindowEnabled());
    EXPECT_TRUE(dlg.GetDlgItem(IDC_INKFOLD_UCA)->IsWindowEnabled());
    EXPECT_TRUE(dlg.GetDlgItem(IDC_INKFOLD_INGRAY)->IsWindowEnabled());
    EXPECT_FALSE(dlg.GetDlgItem(IDC_INKFOLD_COLOR)->IsWindowEnabled());
    EXPECT_FALSE(dlg.GetDlgItem(IDC_INKFOLD_BLACK)->IsWindowEnabled());
}

CSeparationCore AsSaved(const CSeparationCore& model)
{
    CSeparationCore saved(model);
    for (int r = 0; r < 3; ++r)
        for (int i = 0; i < CSeparationCore::kPatches; ++i)
            saved.m_nTarget[r][i] = saved.m_nColor[CSeparationCore::RowCt + r][i];
    return saved;
}

HeldOpen::HeldOpen(const std::string& path)
    : m_handle(::CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, OPEN_ALWAYS, 0, NULL))
{
}

HeldOpen::~HeldOpen()
{
    if (m_handle != INVALID_HANDLE_VALUE)
        ::CloseHandle(m_handle);
}

InkfoldDialogTest::InkfoldDialogTest()
    : m_program(m_dir.File("program")), m_table(m_dir.File("table"))
{
    ::CreateDirectoryA(m_program.c_str(), NULL);
    ::CreateDirectoryA(m_table.c_str(), NULL);
    const std::string color = m_dir.File("color");
    ::CreateDirectoryA(color.c_str(), NULL);
    for (const char* name : {"default.par", "ink.dat", "std.dat", "dto.org"})
        CopyColorFile(name, color);
}

const testsupport::WindowExpectation& InkfoldDialogTest::DialogShown()
{
    if (m_pDialogShown == nullptr)
        m_pDialogShown = &testsupport::Gui().Expect("设置分色参数").OpenFor(60000);
    return *m_pDialogShown;
}

testsupport::WindowExpectation& InkfoldDialogTest::ExpectWindow()
{
    DialogShown();
    return testsupport::Gui().Expect("");
}

testsupport::WindowExpectation& InkfoldDialogTest::ExpectDialog(const std::string& caption)
{
    DialogShown();
    return testsupport::Gui().Expect(caption);
}

int InkfoldDialogTest::Run(const std::function<void(CInkfoldDlg&)>& script)
{
    m_dlg.reset(new CInkfoldDlg(NULL, &m_table[0], &m_program[0]));
    const auto& seen = DialogShown();
    PendingScript pending = {m_dlg.get(), &script, &seen, 0, false};
    g_pPending = &pending;
    pending.timer = ::SetTimer(NULL, 0, 20, RunScript);
    const int result = static_cast<int>(m_dlg->DoModal());
    ::KillTimer(NULL, pending.timer);
    g_pPending = nullptr;
    EXPECT_TRUE(pending.done) << "the dialog never showed";
    return result;
}

}  // namespace inktest
