#include "Lectorix.h"

#include <gtest/gtest.h>

namespace {

// The state as callers outside the library read it: the fourth 32-bit field.
int StateField(const TWScanner& scanner)
{
    return reinterpret_cast<const int*>(&scanner)[3];
}

class OwnerWindow {
public:
    OwnerWindow() : m_hWnd(::CreateWindowA("STATIC", "owner", WS_OVERLAPPED, 0, 0, 10, 10, NULL, NULL, NULL, NULL)) {}
    ~OwnerWindow() { ::DestroyWindow(m_hWnd); }
    HWND m_hWnd;
};

}  // namespace

TEST(Lectorix, InitializeOpensTheSourceManager)
{
    OwnerWindow owner;
    ASSERT_NE(nullptr, owner.m_hWnd);
    TWScanner scanner;
    EXPECT_EQ(1, StateField(scanner));

    ASSERT_EQ(1, scanner.Initialize(owner.m_hWnd));
    EXPECT_EQ(3, StateField(scanner));
    EXPECT_EQ(3, scanner.GetState());
    // The manager is a loaded module while it is open.
    EXPECT_TRUE(::GetModuleHandleA("twain_32.dll") != NULL || ::GetModuleHandleA("TWAINDSM.dll") != NULL);

    // Asking again while open keeps the session.
    EXPECT_EQ(1, scanner.Initialize(owner.m_hWnd));
    EXPECT_EQ(3, StateField(scanner));

    scanner.Terminate();
    EXPECT_EQ(1, StateField(scanner));
    EXPECT_TRUE(::GetModuleHandleA("twain_32.dll") == NULL && ::GetModuleHandleA("TWAINDSM.dll") == NULL);

    // A new session after the end.
    EXPECT_EQ(1, scanner.Initialize(owner.m_hWnd));
    EXPECT_EQ(3, StateField(scanner));
}

TEST(Lectorix, TakesNoMessagesWithoutAnEnabledSource)
{
    OwnerWindow owner;
    TWScanner scanner;
    ASSERT_EQ(1, scanner.Initialize(owner.m_hWnd));
    scanner.SetImagePath("C:\\scan\\ScanPic00001.jpg");
    scanner.Scan();
    EXPECT_LE(StateField(scanner), 3);

    MSG msg = {};
    msg.hwnd = owner.m_hWnd;
    msg.message = WM_MOUSEMOVE;
    EXPECT_FALSE(scanner.ProcessMessage(&msg));
}
