// Resource ids of this group; included by resource.h.
#pragma once

// Scan settings dialog.
#define IDD_SCAN_SETTINGS           6017
#define IDC_SCAN_FOLDER             6026
#define IDC_SCAN_CHOOSE_FOLDER      6027
#define IDC_SCAN_FILE_TYPE          6029

// Automatic flatbed scan dialog; button 3 starts and stops a run.
#define IDD_AUTO_SCAN               6046
#define IDC_AUTO_SCAN_INTERVAL      1032
#define IDC_AUTO_SCAN_SPIN          1033
#define IDC_AUTO_SCAN_STATUS        1045
#define IDC_AUTO_SCAN_START         3

// File properties dialog of the thumbnail list.
#define IDD_FILE_PROPERTIES         6020
#define IDC_PROP_PICTURE_SIZE       6021
#define IDC_PROP_PICTURE_TYPE       6022
#define IDC_PROP_LOCATION           6023
#define IDC_PROP_SIZE               6024
#define IDC_PROP_CREATED            6025
#define IDC_PROP_MODIFIED           6026

// Icon spacing dialog.
#define IDD_ICON_SPACING            6050
#define IDC_SPACING_HORZ            6051
#define IDC_SPACING_VERT            6052

// File type dialog.
#define IDD_FILE_TYPE               6060
#define IDC_FILE_TYPE_LIST          1091
#define IDC_FILE_TYPE_ALL           6061
#define IDC_FILE_TYPE_NONE          6062
#define IDC_FILE_TYPE_REFRESH       1033
