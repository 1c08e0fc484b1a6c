// Resource ids of this group; included by resource.h.
#pragma once

#define IDC_BUSY_CURSOR             140
#define IDD_INPUT_TREE_FORM         144

#define IDC_FOLDER_TREE             1066
#define IDC_FOLDER_LABEL            1102
