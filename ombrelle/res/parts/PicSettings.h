// Resource ids of this group; included by resource.h.
#pragma once

// The web picture settings page (form template) and its controls.
#define IDD_USER_SET                141
#define IDC_USERSET_RESOLUTION      402
#define IDC_USERSET_THUMB_SIZE      407
#define IDC_USERSET_THUMB_CUSTOM    1035
#define IDC_USERSET_JPEG_MODE       1045
#define IDC_USERSET_BY_PROPORTION   1047
#define IDC_USERSET_BY_WIDTH        1048
#define IDC_USERSET_BY_HEIGHT       1049
#define IDC_USERSET_HEIGHT          1050
#define IDC_USERSET_JPEG            1051
#define IDC_USERSET_GIF             1052
#define IDC_USERSET_STORE_NONE      1053
#define IDC_USERSET_STORE_AUTO      1054
#define IDC_USERSET_STORE_USER      1055
#define IDC_USERSET_STORE_MATCH     1056
#define IDC_USERSET_PATH            1057
#define IDC_USERSET_BROWSE          1058
#define IDC_USERSET_THUMB_48        1059
#define IDC_USERSET_THUMB_64        1060
#define IDC_USERSET_THUMB_96        1061
#define IDC_USERSET_PROPORTION      1062
#define IDC_USERSET_WIDTH           1063
#define IDC_USERSET_THUMB_SPIN      1071
#define IDC_USERSET_PROPORTION_SPIN 1072
#define IDC_USERSET_WIDTH_SPIN      1073
#define IDC_USERSET_HEIGHT_SPIN     1074
#define IDC_USERSET_RESOLUTION_SPIN 1075
