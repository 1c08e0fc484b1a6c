// Resource ids of this group; included by resource.h.
#pragma once

// The catalogue tree: its control and its state icons (empty, checked, empty).
#define IDC_CATALOG_TREE            6000
#define IDI_CHECK_MARKED            162
#define IDI_CHECK_EMPTY             163
#define IDI_CHECK_EMPTY2            171

// Its root item and the element names of the category structure.
#define IDS_CATALOG_ROOT            61532
#define IDS_CATALOG_CATEGORY        61562
#define IDS_CATALOG_PUBLIC_FOLDER   61584
#define IDS_CATALOG_CATALOG_FOLDER  61585
#define IDS_CATALOG_FOLDER          61586
