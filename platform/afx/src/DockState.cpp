// Saving and restoring where a frame's control bars are: in the
// application's profile, one section per bar.
//
// Layout in the profile, for SaveBarState("Name"):
//   [Name-Summary]  Bars=<number of bars saved>
//   [Name-Bar<n>]   BarID=<the bar's window id>
//                   Visible=0|1
//                   Floating=0|1
//                   DockBarID=<id of the dock bar holding it, 0 when none>
//                   DockPos=<its place in that dock bar>
//                   XPos=, YPos=<screen position of its floating frame>
//                   Horz=0|1 (a floating bar laid out horizontally)
// Bars are saved in the order of the frame's list of bars.
#include "afxext.h"

#include <algorithm>
#include <vector>

namespace {

struct SavedBar {
    UINT nID;
    BOOL bVisible;
    BOOL bFloating;
    UINT nDockBarID;
    int nDockPos;
    CPoint ptFloat;
    BOOL bHorz;
};

CString SummarySection(LPCTSTR lpszProfileName)
{
    CString strSection(lpszProfileName);
    strSection += "-Summary";
    return strSection;
}

CString BarSection(LPCTSTR lpszProfileName, int nBar)
{
    CString strSection;
    strSection.Format("%s-Bar%d", lpszProfileName, nBar);
    return strSection;
}

}  // namespace

void CFrameWnd::SaveBarState(LPCTSTR lpszProfileName) const
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || lpszProfileName == nullptr)
        return;

    int nBars = 0;
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != nullptr;) {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->IsDockBar() || pBar->m_hWnd == nullptr)
            continue;
        UINT nID = (UINT)pBar->GetDlgCtrlID();
        if (nID == 0)
            continue;

        CString strSection = BarSection(lpszProfileName, nBars++);
        pApp->WriteProfileString(strSection, nullptr, nullptr);  // nothing stale
        pApp->WriteProfileInt(strSection, "BarID", (int)nID);
        pApp->WriteProfileInt(strSection, "Visible", pBar->IsVisible() ? 1 : 0);
        BOOL bFloating = pBar->IsFloating();
        pApp->WriteProfileInt(strSection, "Floating", bFloating ? 1 : 0);
        CDockBar* pDockBar = pBar->m_pDockBar;
        pApp->WriteProfileInt(strSection, "DockBarID",
                              pDockBar != nullptr && !bFloating ? pDockBar->GetDlgCtrlID() : 0);
        pApp->WriteProfileInt(strSection, "DockPos", pDockBar != nullptr ? pDockBar->FindBar(pBar) : 0);
        if (bFloating) {
            CRect rect;
            pDockBar->GetParent()->GetWindowRect(&rect);
            pApp->WriteProfileInt(strSection, "XPos", rect.left);
            pApp->WriteProfileInt(strSection, "YPos", rect.top);
            pApp->WriteProfileInt(strSection, "Horz", (pDockBar->m_dwStyle & CBRS_ORIENT_HORZ) ? 1 : 0);
        }
    }
    pApp->WriteProfileInt(SummarySection(lpszProfileName), "Bars", nBars);
}

void CFrameWnd::LoadBarState(LPCTSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || lpszProfileName == nullptr)
        return;

    int nBars = (int)pApp->GetProfileInt(SummarySection(lpszProfileName), "Bars", 0);
    std::vector<SavedBar> bars;
    for (int i = 0; i < nBars; ++i) {
        CString strSection = BarSection(lpszProfileName, i);
        SavedBar bar;
        bar.nID = pApp->GetProfileInt(strSection, "BarID", 0);
        if (bar.nID == 0)
            continue;
        bar.bVisible = pApp->GetProfileInt(strSection, "Visible", 1) != 0;
        bar.bFloating = pApp->GetProfileInt(strSection, "Floating", 0) != 0;
        bar.nDockBarID = pApp->GetProfileInt(strSection, "DockBarID", 0);
        bar.nDockPos = (int)pApp->GetProfileInt(strSection, "DockPos", 0);
        bar.ptFloat.x = (int)pApp->GetProfileInt(strSection, "XPos", 0);
        bar.ptFloat.y = (int)pApp->GetProfileInt(strSection, "YPos", 0);
        bar.bHorz = pApp->GetProfileInt(strSection, "Horz", 1) != 0;
        bars.push_back(bar);
    }
    // Docking appends: dock in saved order so that each side keeps its order.
    std::stable_sort(bars.begin(), bars.end(),
                     [](const SavedBar& a, const SavedBar& b) { return a.nDockPos < b.nDockPos; });

    for (const SavedBar& saved : bars) {
        CControlBar* pBar = GetControlBar(saved.nID);
        if (pBar == nullptr || pBar->IsDockBar() || pBar->m_hWnd == nullptr)
            continue;
        if (saved.bFloating) {
            if (pBar->m_dwDockStyle != 0 || pBar->m_pDockBar != nullptr)
                FloatControlBar(pBar, saved.ptFloat, saved.bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
        } else if (saved.nDockBarID != 0) {
            if (pBar->m_pDockBar == nullptr || pBar->m_pDockBar->m_bFloating ||
                (UINT)pBar->m_pDockBar->GetDlgCtrlID() != saved.nDockBarID ||
                pBar->m_pDockBar->FindBar(pBar) != saved.nDockPos)
                DockControlBar(pBar, saved.nDockBarID);
        }
        ShowControlBar(pBar, saved.bVisible, FALSE);
    }
    RecalcLayout();
}
