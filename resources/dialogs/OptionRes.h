// Resource ids of the option dialogs: automatic saving and the display of results.
#pragma once

#define IDD_OPTION 475
#define IDC_OPTION_AUTOSAVE 1140
#define IDC_OPTION_MINUTES 1383
#define IDC_OPTION_FILES 1384

#define IDD_RESULTOPTION 8159
#define IDC_RESOPT_FONT 1000
#define IDC_RESOPT_COLOR 1001
#define IDC_RESOPT_SHOWSTRUCT 1140
#define IDC_RESOPT_ENDVALUE 1141
#define IDC_RESOPT_AUTOSCALE 1142
#define IDC_RESOPT_FORCESCALE 1160
#define IDC_RESOPT_DISPSCALE 1161
