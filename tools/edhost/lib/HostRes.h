// Resource ids of the host library, clear of the editing libraries' and of
// the job menu's.
#pragma once

#define IDR_HOST_FRAME        300   // menu and title of a frame with the host's commands only
#define IDR_HOST_IMAGE        301   // the image document template
#define IDD_HOST_DIALOG       310
#define IDD_HOST_LOGBAR       311

#define IDC_HOST_PREVIEW      21063 // the check box that the panes enable
#define IDC_HOST_CONTAINER    1001
#define IDC_HOST_INNER        1002
#define IDC_HOST_IMAGE        1003
#define IDC_HOST_LOG          1010

// Commands of the host; later issues add theirs above the last.
#define ID_HOST_NEW_IMAGE     33100
#define ID_HOST_DIALOG        33101
#define ID_HOST_CLEAR_LOG     33102
