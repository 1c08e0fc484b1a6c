// Resource ids of the client, with the numbers its commands and bitmaps use.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

#define IDD_ABOUTBOX                100
#define IDR_MAINFRAME               128
#define IDR_OMBRELLETYPE            129
#define IDR_TOOLBAR                 137
#define IDB_EXTRA_NORMAL            148
#define IDB_PATH_HOT                149
#define IDB_EXTRA_HOT               150
#define IDB_PATH_NORMAL             151
#define IDB_TOOLBAR_HOT             6010
#define IDB_TOOLBAR_NORMAL          6011
#define IDB_ABOUT                   6012

#define IDC_ABOUT_PICTURE           1000

// Commands
#define ID_SCAN                     32771
#define ID_CHOOSE_ASSET_TYPE        32772
#define ID_PRESCAN                  32773
#define ID_SCAN_SETTINGS            32774
#define ID_SERVER_ADDRESS           32775
#define ID_CATALOGUE                32776
#define ID_SUBMIT_TO_STORE          32777
#define ID_SELECT_SCANNER           32778
#define ID_SYSTEM_MANAGE            32779
#define ID_RIGHTS_ASSIGN            32780
#define ID_AUTO_SCAN                32781
#define ID_ONLINE_HELP              32782

// Each group of the client keeps its own ids.
#include "parts/Frames.h"
#include "parts/Document.h"
#include "parts/ScanDialogs.h"
#include "parts/Iptc.h"
#include "parts/Thumbnails.h"
#include "parts/FolderTrees.h"
#include "parts/Server.h"
#include "parts/Catalogue.h"
#include "parts/PicSettings.h"
#include "parts/FormControls.h"
#include "parts/MetaDataForm.h"
#include "parts/Rights.h"
