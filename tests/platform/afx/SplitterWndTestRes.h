// Resource ids of the splitter tests (49600-49799).
#define IDD_SPLT_FORM        49600
#define IDC_SPLT_NAME        49601
#define ID_SPLT_WHO          49700
