// String resources of the CString tests (a block of sixteen ids of their own).
#pragma once

#define IDS_STRTEST_SHORT   47008
#define IDS_STRTEST_FORMAT  47009
#define IDS_STRTEST_LONG    47010
#define IDS_STRTEST_MISSING 47011
#define IDS_STRTEST_PATH    47012
