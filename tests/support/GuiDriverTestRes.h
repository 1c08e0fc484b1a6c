#define IDC_STATIC           -1
#define IDD_DRIVER_FORM      101
#define IDD_DRIVER_CONFIRM   102
#define IDC_NAME             1001
#define IDC_KEEP             1002
#define IDC_KIND             1003
#define IDC_PLACES           1004
#define IDC_NOTE             1005
