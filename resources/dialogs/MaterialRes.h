// Resource ids of the material library and the steel and concrete material dialogs.
#pragma once

// Material library.
#define IDD_MATERIALLIB 11170
#define IDC_MATLIB_LIST 1115
#define IDC_MATLIB_TAB 1030
#define IDC_MATLIB_EDIT 1022
#define IDC_MATLIB_ADD 1023
#define IDC_MATLIB_DELETE 1024

// Steel and concrete material dialogs (the edits they share keep one id).
#define IDD_MATERIALSTEEL 184
#define IDD_MATERIALCONCRETE 290
#define IDC_MAT_STEELGRADE 1062
#define IDC_MAT_CONCRETEGRADE 1145
#define IDC_MAT_DESC 1060
#define IDC_MAT_DENSITY 1059
#define IDC_MAT_EXPAND 1058
#define IDC_MAT_E 1057
#define IDC_MAT_POISSON 1012
#define IDC_MAT_FY 1013
#define IDC_MAT_F 1195
#define IDC_MAT_FV 1015
#define IDC_MAT_FT 1061
