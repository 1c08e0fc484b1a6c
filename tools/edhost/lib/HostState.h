// What the host answers the editing libraries, settable by its user or a
// test, and the two messages that the host itself sends to the libraries.
#pragma once

#include "afxwin.h"

#include "HostMessages.h"

struct CHostState {
    // The image mode of the active view and of the image window: one of
    // 0, 1, 2, 3, 4, 6, 7, 11, 12.
    int nImageMode = IMAGE_MODE_RGB;
    // Horizontal and vertical resolution in pixels per inch.
    float fResolution[2] = {72.0f, 72.0f};
    // The host dialog's accepting button; 0 leaves WM_GET_TRUE_CTRL_ID
    // unanswered.
    UINT nTrueCtrlId = IDOK;
    // Silent windows leave their questions unanswered (result 0, nothing
    // written).
    BOOL bViewAnswers = TRUE;
    BOOL bImageAnswers = TRUE;
    BOOL bDialogGivesImage = TRUE;
    // Automatic levels: the colours written back and the offset of the black
    // point that the host reports. Only an offset that keeps the black point
    // inside the 8-byte buffer is written to; any other is reported alone.
    DWORD dwWhitePoint = 0x00FFFFFF;
    DWORD dwBlackPoint = 0x00000000;
    int nBlackOffset = 4;

    static CHostState& Get();
    // Back to the values above.
    void Reset();
};

// The answer to WM_GET_IMAGE_INFO: wParam 1 asks for the image mode, written
// into the int at lParam; result 1. Any other question is not answered.
LRESULT HostAnswerImageInfo(WPARAM wParam, LPARAM lParam);

// The host tells the automatic mask roll-up the image mode; the result is
// the roll-up's answer.
LRESULT HostSendUpdateMode(CWnd* pRollup);
// The host tells a pane that the eyedropper has put a colour into the tool
// box foreground; the result is nonzero when the pane used it.
LRESULT HostSendPickColor(CWnd* pPane);
