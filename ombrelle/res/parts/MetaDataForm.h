// Resource ids of this group; included by resource.h.
#pragma once

// The metadata form: its template and the controls the template holds; the
// field controls are made at run time with ids from 1090 upward.
#define IDD_METADATA_INPUT          6063
#define IDC_META_PENDING_STORE      1089
#define IDC_META_STORE              1090
#define IDC_META_SUBMIT             1038
#define IDC_META_OK                 1039
#define IDC_META_CANCEL             1040
#define IDC_META_COMPOUND_GROUP     1033
#define IDC_META_ACCESSORY_LABEL    1032
#define IDC_META_ACCESSORY_EDIT     1025
#define IDC_META_ADD_ACCESSORY      1030
#define IDC_META_DEL_ACCESSORY      1031
#define IDC_META_RELATED_GROUP      1037
#define IDC_META_RELATED_LABEL      1034
#define IDC_META_RELATED_EDIT       1026
#define IDC_META_ADD_COMPOUND       1035
#define IDC_META_DEL_RELATED        1036

// The small icon of the cataloguing window and of the web page windows.
#define IDI_RECORD_WINDOW           6001

// Messages of the cataloguing command.
#define IDS_CATALOGUE_NO_SERVER_URL 61597
#define IDS_CATALOGUE_NO_ASSET_TYPE 61598
