// Resource ids of this group; included by resource.h.
#pragma once

// The start-up splash picture.
#define IDB_SPLASH                  134

// Icons of the information tabs.
#define IDI_TAB_IPTC                152
#define IDI_TAB_PICSETTING          153
#define IDI_TAB_FILEINFO            6005

// Captions of the information tabs.
#define IDS_TAB_FILEINFO            61452
#define IDS_TAB_PICSETTING          61456
#define IDS_TAB_IPTC                61594

// The form that stands in for a pane whose class is not there.
#define IDD_PANE_PLACEHOLDER        7000
