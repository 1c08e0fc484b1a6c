// Resource ids of the automation server test program (49800-49899).
#define IDR_OS_DOCTYPE 49800
