// The frame of the document's window: folder tree, thumbnail pane, picture
// view and the tabbed information pages, laid out by its pane framework.
#pragma once

#include "afxwin.h"

#include "VisualFramework.h"

class CChildFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CChildFrame)

public:
    // Pane ids of the layout; other panes find each other through them.
    enum {
        kPaneRoot = 1,
        kPaneFolderTree = 9,
        kPaneLowerSplitter = 10,
        kPaneThumbnails = 11,
        kPaneTabs = 12,
        kPaneFileInfo = 15,
        kPaneIptcInfo = 16,
        kPaneUserSet = 17,
        kPanePicture = 35,
        kPaneRightSplitter = 36
    };

    CChildFrame();
    virtual ~CChildFrame();

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void ActivateFrame(int nCmdShow = -1);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);

    TVisualFramework m_framework;

protected:
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
};
