// Resource ids of this group; included by resource.h.
#pragma once

// The property list of the form designer: its face name and its "..." button.
#define IDS_PROPERTY_LIST_FACE      61534
#define IDC_PROPERTY_BROWSE         714
