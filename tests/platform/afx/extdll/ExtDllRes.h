#pragma once
// Shared between the extension library and the test program.
#define IDD_EXT_ONLY 48900
#define IDD_BOTH 48901
#define IDS_EXT_ONLY 48902
#define IDS_PROGRAM_ONLY 48903
