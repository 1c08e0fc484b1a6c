// Test programs of the editing libraries run inside the host library: an
// application of their own (its own name and profile), the host's frame
// and, when asked for, its modeless host dialog, which the GUI driver lets
// stay open.
#pragma once

#include "afxwin.h"

#include "GuiDriver.h"
#include "HostDialog.h"
#include "HostFrame.h"
#include "HostLog.h"
#include "HostRes.h"
#include "HostState.h"
#include "Registry.h"

#include <gtest/gtest.h>

#include <string>

namespace hosttest {

const char* const kHostDialogCaption = "宿主对话框";

// The profile lives under HKEY_CURRENT_USER\Software\<key>\<application>.
class CHostTestApp : public CWinApp {
public:
    CHostTestApp(const char* lpszAppName, const char* lpszRegistryKey) : CWinApp(lpszAppName)
    {
        SetRegistryKey(lpszRegistryKey);
    }
    std::string ProfileKey() const { return std::string("Software\\") + m_pszRegistryKey + "\\" + m_pszProfileName; }
    bool Seed(const char* section, const char* key, const std::string& value) const
    {
        return testsupport::WriteRegString(HKEY_CURRENT_USER, ProfileKey() + "\\" + section, key, value);
    }
    bool Seed(const char* section, const char* key, DWORD value) const
    {
        return testsupport::WriteRegDword(HKEY_CURRENT_USER, ProfileKey() + "\\" + section, key, value);
    }
    void ClearProfile() const { testsupport::DeleteRegKey(HKEY_CURRENT_USER, ProfileKey()); }
};

// Makes the frame as a program's InitInstance would and ends it afterwards;
// the host's answers and log start afresh for each test.
class HostTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CHostState::Get().Reset();
        CHostLog::Get().Clear();
        m_pFrame = new CHostFrame;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_HOST_FRAME));
        AfxGetApp()->m_pMainWnd = m_pFrame;
        m_pFrame->SetWindowPos(NULL, 0, 0, 800, 600, SWP_NOZORDER | SWP_NOMOVE);
        m_pFrame->ShowWindow(SW_SHOW);
        m_pFrame->UpdateWindow();
    }
    void TearDown() override
    {
        if (m_pFrame != NULL && ::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        AfxGetApp()->m_pMainWnd = NULL;
        Drain();
    }

    // The host dialog, shown and left alone by the GUI driver.
    CHostDialog* HostDialog()
    {
        testsupport::Gui().Allow(kHostDialogCaption);
        return m_pFrame->ShowHostDialog();
    }

    static void Drain()
    {
        MSG msg;
        while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }

    CHostFrame* m_pFrame = NULL;
};

}  // namespace hosttest
