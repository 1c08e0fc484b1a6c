// Resource ids of the document, view and frame tests (49000-49299).
#define IDR_DF_MAINFRAME     49000
#define IDR_DF_TEXTTYPE      49001
#define IDR_DF_FORMTYPE      49002
#define IDR_DF_SDIFRAME      49003

#define IDD_DF_FORM          49010
#define IDC_DF_NAME          49011
#define IDC_DF_COUNT         49012
#define IDC_DF_APPLY         49013
#define IDC_DF_KIND          49014

// Commands, each handled by a different part of the routing chain.
#define ID_DF_ALL            49100
#define ID_DF_DOC_ON         49101
#define ID_DF_CHILD_ON       49102
#define ID_DF_FRAME_ONLY     49103
#define ID_DF_APP_ONLY       49104
#define ID_DF_DISABLED       49105
#define ID_DF_UNHANDLED      49106
#define ID_DF_CHECKED        49107
#define ID_DF_HOTKEY         49108
#define ID_DF_TEMPLATE       49109
