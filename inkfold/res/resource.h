// Resource ids of Inkfold, with the system's numbers.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Strings
#define IDS_RANGE_0_100 1001
#define IDS_RANGE_0_255 1002
#define IDS_RANGE_MINUS_100_100 1003
#define IDS_OUTPUT_BALANCE_CAPTION 1004
#define IDS_INPUT_BALANCE_CAPTION 1005
#define IDS_RANGE_0_21 1006
#define IDS_RANGE_0_400 1008
#define IDS_FILE_TYPE_ERROR 1009

// The separation dialog
#define IDD_INKFOLD 1183
#define IDC_INKFOLD_OPTION 1018
#define IDC_INKFOLD_LOAD 1022
#define IDC_INKFOLD_SAVE 1025
#define IDC_INKFOLD_COLOR 1028
#define IDC_INKFOLD_BLACK 1031
#define IDC_INKFOLD_LEVER 1034
#define IDC_INKFOLD_OUTGRAY 1036
#define IDC_INKFOLD_INGRAY 1038
#define IDC_INKFOLD_TYPE_UCR 1039
#define IDC_INKFOLD_TYPE_GCR 1040
#define IDC_INKFOLD_UCR 1041
#define IDC_INKFOLD_GCR 1042
#define IDC_INKFOLD_TOTALINK 1043
#define IDC_INKFOLD_UCA 1071
#define IDC_INKFOLD_SELECT_INK 1073
#define IDC_INKFOLD_CURVE 1074

// The stage options
#define IDD_SEP_OPTION 1010
#define IDC_OPTION_INGRAY 1021
#define IDC_OPTION_BLACK 1024
#define IDC_OPTION_COLOR 1027
#define IDC_OPTION_UCR 1033
#define IDC_OPTION_TOTALINK 1035
#define IDC_OPTION_OUTGRAY 1037

// Under-colour removal
#define IDD_UCR 1011
#define IDC_UCR_C_START 1019
#define IDC_UCR_C_AMOUNT 1020
#define IDC_UCR_M_START 1023
#define IDC_UCR_M_AMOUNT 1026
#define IDC_UCR_Y_START 1029
#define IDC_UCR_Y_AMOUNT 1032

// Colour correction: rows r, g, b (levels) from 1093 and c, m, y (percent)
// from 1075, six columns C, M, Y, R, G, B each
#define IDD_COLOR_CORRECT 1012
#define IDC_COLOR_PERCENT_FIRST 1075
#define IDC_COLOR_LEVEL_FIRST 1093

// Grey-component replacement preview
#define IDD_GCR 1017
#define IDC_GCR_AMOUNT 1072
#define IDC_GCR_CURVE 1074
