// The test host of the form-control framework: a dialog-class window on which
// a factory makes its controls, recording the mouse messages that reach it.
#pragma once

#include "afxwin.h"

#include "FCControlFactory.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

class CFormHostWnd : public CWnd {
public:
    struct MouseMessage {
        UINT message;
        CPoint point;  // client coordinates of the host
    };

    BOOL CreateHost(const CRect& rect = CRect(40, 40, 640, 520));
    // With a factory, a press on a control lets the factory track it.
    CFCControlFactory* m_pTrackingFactory = nullptr;
    std::vector<MouseMessage> m_mouse;
    std::vector<UINT> m_keys;
    int m_nSelectionNotices = 0;

protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
};

// COM for the DOM, for one test.
class CComScope {
public:
    CComScope() { ::CoInitialize(nullptr); }
    ~CComScope() { ::CoUninitialize(); }
};

// The bytes of a text as the program holds them.
inline std::string Bytes(const CString& str) { return std::string(LPCTSTR(str), str.GetLength()); }

inline void PrintTo(const CRect& rect, std::ostream* os)
{
    *os << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ")";
}
inline void PrintTo(const CPoint& point, std::ostream* os) { *os << "(" << point.x << ", " << point.y << ")"; }

// A factory whose parent window is a fresh host.
class FCHostedTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost());
        m_factory.m_pParent = &m_host;
    }
    void TearDown() override
    {
        if (m_host.GetSafeHwnd() != NULL)
            m_host.DestroyWindow();
    }

    CFormHostWnd m_host;
    CFCControlFactory m_factory;
};
