// Resource ids of the host tests (45000-45099).
#define IDD_HT_FORM   45000
#define IDC_HT_EDIT   45001
