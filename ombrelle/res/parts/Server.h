// Resource ids of this group; included by resource.h.
#pragma once

// Server address dialog.
#define IDD_SERVER_PATH             6006
#define IDC_SERVER_PATH_LABEL       6020
#define IDC_SERVER_PATH_SET         6021
#define IDC_SERVER_PATH_URL         6022

// Upload log-in dialog.
#define IDD_UPLOAD_LOGIN            6007
#define IDC_UPLOAD_USER             1036
#define IDC_UPLOAD_PASSWORD         1037
#define IDC_UPLOAD_REMEMBER         1069

// Asset type dialog.
#define IDD_ASSET_TYPE              6062
#define IDC_ASSET_TYPE_LABEL        6023
#define IDC_ASSET_TYPE_PROMPT       6024
#define IDC_ASSET_TYPE_COMBO        6025

// Messages of the asset type command.
#define IDS_CHOOSE_SERVER_FIRST     61595
#define IDS_ASSET_TYPES_UNREACHABLE 61596
