// Resources of the control tests (ids 48200-48399).
#pragma once

#define IDB_CTLTEST_STRIP 48200
#define IDS_CTLTEST_TIP 48201
#define IDS_CTLTEST_TIP2 48202
