// Resource ids of the dialog and data exchange tests (48400-48599).
#define IDD_DLGT_BUTTONS     48400
#define IDD_DLGT_INIT        48401
#define IDD_DLGT_VALUES      48402
#define IDD_DLGT_MODELESS    48403
#define IDD_DLGT_MISSING     48499

#define IDC_DLGT_RETRY       48450
#define IDC_DLGT_NAME        48451
#define IDC_DLGT_KEYS        48452

#define IDC_DLGT_KIND        48460
#define IDC_DLGT_PLACES      48461

#define IDC_DLGT_INT         48470
#define IDC_DLGT_UINT        48471
#define IDC_DLGT_LONG        48472
#define IDC_DLGT_DWORD       48473
#define IDC_DLGT_BYTE        48474
#define IDC_DLGT_SHORT       48475
#define IDC_DLGT_FLOAT       48476
#define IDC_DLGT_DOUBLE      48477
#define IDC_DLGT_TEXT        48478
#define IDC_DLGT_CHECK       48479
#define IDC_DLGT_RADIO1      48480
#define IDC_DLGT_RADIO2      48481
#define IDC_DLGT_RADIO3      48482
#define IDC_DLGT_AFTERRADIO  48483
#define IDC_DLGT_CITY        48484
#define IDC_DLGT_SIZE        48485
#define IDC_DLGT_LIST        48486
#define IDC_DLGT_SCROLL      48487
#define IDC_DLGT_SLIDER      48488
