// Resource ids of the time-history results dialog and of its report.
#pragma once

// Time-history results: curves over the storeys and the amplification factors.
#define IDD_THRESULT 460
#define IDC_THRESULT_LIST 1003
#define IDC_THRESULT_TAB 1364
#define IDC_THRESULT_AMPX 1631
#define IDC_THRESULT_AUTOX 1021
#define IDC_THRESULT_SPECX 1632
#define IDC_THRESULT_SPECY 1633
#define IDC_THRESULT_AMPY 1634
#define IDC_THRESULT_AUTOY 1022
#define IDC_THRESULT_REFRESH 1624
#define IDC_THRESULT_PLOTX 1362
#define IDC_THRESULT_PLOTY 1361
#define IDC_THRESULT_REPORT 1158

// Time-history results report (the report control and the buttons are the report frame's).
#define IDD_OUTPUTTHRESULT 11138
#define IDC_THREPORT_LOADS 1632
#define IDC_THREPORT_CASES 1633
#define IDC_THREPORT_AVERAGE 1299
