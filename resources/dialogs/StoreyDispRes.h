// Resource ids of the storey displacement and drift dialog and of its diagram.
#pragma once

// Storey displacement and drift (template 560); the three grids are made at run time.
#define IDD_LAYERDISPDIFFER 560      // "层位移统计"
#define IDC_DISP_RESULTGRID 1003     // result grid
#define IDC_DISP_CASEGRID 1569       // wind and seismic basic load cases
#define IDC_DISP_TOWERGRID 1570      // towers
#define IDC_DISP_TAB 1583            // "层间位移(mm)", "楼层位移(mm)"
#define IDC_DISP_REPORT 1581         // "计算书输出"
#define IDC_DISP_VIEW 1588           // "图形输出"
#define IDC_DISP_RATIO1 1609         // advisory max/average ratio limit
#define IDC_DISP_RATIO2 1610         // mandatory max/average ratio limit
#define IDC_DISP_SEISMDRIFT 1612     // seismic drift limit denominator
#define IDC_DISP_WINDDRIFT 1637      // wind drift limit denominator

// The displacement diagram (template 582): no controls, its preview made at run time.
#define IDD_OUTPUTDISPVIEW 582
#define IDC_DISPVIEW_PREVIEW 1000    // the preview window
