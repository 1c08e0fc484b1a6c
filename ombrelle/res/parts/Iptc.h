// Resource ids of this group; included by resource.h.
#pragma once

// The IPTC page (form template) and its edits.
#define IDD_IPTC_INFO               101
#define IDC_IPTC_CAPTION            6006
#define IDC_IPTC_HEADLINE           6008
#define IDC_IPTC_CATEGORY           6017
#define IDC_IPTC_PRODUCT            6018
#define IDC_IPTC_LANGUAGE           6019
#define IDC_IPTC_SERVICE            6020
#define IDC_IPTC_OBJECT_NAME        6021
#define IDC_IPTC_ORIGINAL           6022
#define IDC_IPTC_DESTINATION        6023
#define IDC_IPTC_ENVE_NUMBER        6024
#define IDC_IPTC_ENVE_PRIORITY      6025
#define IDC_IPTC_COUNTRY            6026
#define IDC_IPTC_CITY               6027

// The file information page (form template) and its boxes.
#define IDD_FILE_INFO               132
#define IDC_FILEINFO_PATH           302
#define IDC_FILEINFO_NAME           305
#define IDC_FILEINFO_SIZE           312
#define IDC_FILEINFO_MODE           316
#define IDC_FILEINFO_MODIFIED       326
#define IDC_FILEINFO_CREATED        332
#define IDC_FILEINFO_HORZ_RES       401
#define IDC_FILEINFO_VERT_RES       406
#define IDC_FILEINFO_WEB_PATH       1032
#define IDC_FILEINFO_BROWSE         1033
#define IDC_FILEINFO_WIDTH          1064
#define IDC_FILEINFO_HEIGHT         1065
