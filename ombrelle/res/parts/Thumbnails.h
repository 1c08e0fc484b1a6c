// Resource ids of this group; included by resource.h.
#pragma once

// The thumbnail pane (form template) and its controls.
#define IDD_PIC_THUMBNAIL           135
#define IDC_THUMB_OPEN              365
#define IDC_THUMB_FOLDER            367
#define IDC_THUMB_LIST              369
#define IDC_THUMB_FRAME             370
#define IDC_THUMB_SELECT_ALL        1033
#define IDC_THUMB_SELECT_NONE       1039
#define IDC_THUMB_STORE             6001

// Strings.
#define IDS_THUMB_NO_FOLDER         6003

// Bitmaps: the placeholder of each thumbnail size, and the pane's picture.
#define IDB_THUMB_LARGE             6005
#define IDB_THUMB_PANE              6006
#define IDB_THUMB_MEDIUM            6008
#define IDB_THUMB_SMALL             6009

// The list's context menu and its commands.
#define IDR_THUMB_POPUP             6030
#define ID_THUMB_PROPERTIES         6032
#define ID_THUMB_REFRESH            6033
#define ID_THUMB_AUTO_REFRESH       6034
#define ID_THUMB_SORT_NAME          6035
#define ID_THUMB_SORT_DATE          6036
#define ID_THUMB_SORT_SIZE          6037
#define ID_THUMB_SORT_TYPE          6038
#define ID_THUMB_FILE_TYPES         6040
#define ID_THUMB_VIEW_LARGE         6041
#define ID_THUMB_VIEW_SMALL         6042
#define ID_THUMB_VIEW_MEDIUM        6043
#define ID_THUMB_SPACING_STANDARD   6044
#define ID_THUMB_SPACING_CUSTOM     6045
#define ID_THUMB_DISPLAY_SETTINGS   32788
#define ID_THUMB_DELETE             32789
#define ID_THUMB_DEFAULT_PARAMS     32828
