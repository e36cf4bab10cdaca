// Resource ids of the seismic wave record library, the wave function editor and the
// time-history load case dialog.
#pragma once

// Wave record library.
#define IDD_WAVEFUN 11136
#define IDC_WAVEFUN_TAB 1326
#define IDC_WAVEFUN_LIST 1003
#define IDC_WAVEFUN_ADD 1023
#define IDC_WAVEFUN_DELETE 1024
#define IDC_WAVEFUN_EDIT 1022
#define IDC_WAVEFUN_FORMAT 1026
#define IDC_WAVEFUN_PLOT 1643
#define IDC_WAVEFUN_NAME 1634
#define IDC_WAVEFUN_STEP 1635
#define IDC_WAVEFUN_LENGTH 1636

// Wave function editor.
#define IDD_WAVEFUNEDIT 11137
#define IDC_WAVEEDIT_NAME 1634
#define IDC_WAVEEDIT_STEP 1635
#define IDC_WAVEEDIT_LENGTH 1636
#define IDC_WAVEEDIT_PLOT 1643

// Time-history load case.
#define IDD_THCASE 443
#define IDC_THCASE_WAVEX 1633
#define IDC_THCASE_WAVEY 1634
#define IDC_THCASE_USEX 1140
#define IDC_THCASE_USEY 1141
#define IDC_THCASE_CUT 1649
#define IDC_THCASE_PEAKX 1644
#define IDC_THCASE_PEAKY 1645
#define IDC_THCASE_SPAN 1173
#define IDC_THCASE_NAME 1326
#define IDC_THCASE_STEP 1648
#define IDC_THCASE_DAMP 1148
#define IDC_THCASE_EDITX 1647
#define IDC_THCASE_EDITY 1005
