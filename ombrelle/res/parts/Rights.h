// Resource ids of this group; included by resource.h.
#pragma once

// Log-in to the rights database.
#define IDD_LOGIN                   6047
#define IDC_LOGIN_USER              1070
#define IDC_LOGIN_PASSWORD          1071
#define IDC_LOGIN_SERVER            1072
#define IDC_LOGIN_REFRESH           1073

// One user.
#define IDD_USER_INFO               6031
#define IDC_USER_NAME               1018
#define IDC_USER_PASSWORD           1019
#define IDC_USER_CONFIRM            1020
#define IDC_USER_EMAIL              1022
#define IDC_USER_COMMENT            1023
#define IDC_USER_ERROR              1028

// One module.
#define IDD_MODULE_EDIT             6015
#define IDC_MODULE_NAME             1026
#define IDC_MODULE_COMMENT          1027
#define IDC_MODULE_ERROR            1031

// One function.
#define IDD_FUNCTION_EDIT           6014
#define IDC_FUNCTION_NAME           1029
#define IDC_FUNCTION_COMMENT        1030
#define IDC_FUNCTION_ERROR          1031
