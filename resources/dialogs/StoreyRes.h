// Resource ids of the storey statistics dialogs and of the report viewer.
#pragma once

// The report viewer (template 571): rich edit 1604 (IDC_REPORT_TEXT), the print button 1033
// (IDC_REPORT_PRINT) and the save buttons below.
#define IDD_OUTPUTDOCUMENT 571       // "文档输出"
#define IDC_DOC_RTF 1589             // "RTF输出(推荐)"
#define IDC_DOC_TXT 1006             // "TXT输出"
#define IDC_DOC_WORD 1005            // "Word输出"

// The button of every storey statistics dialog that opens its chapter in the viewer.
#define IDC_STOREY_OUTPUT 3          // "计算书输出"

// Storey lateral stiffness ratio (template 559).
#define IDD_LAYERSTIFFSTAT 559       // "层抗侧刚度比报告"
#define IDC_STIFF_GRID 1002          // storey grid, made at run time
#define IDC_STIFF_TAB 1030           // "X方向", "Y方向"
#define IDC_STIFF_TOWERGRID 1570     // tower grid, made at run time
#define IDC_STIFF_METHOD 1584        // the stiffness method
#define IDC_STIFF_LIMITUP 1603       // limit of the ratio to the storey above
#define IDC_STIFF_LIMITUP3 1604      // limit of the ratio to the mean of the three above

// Storey shear capacity (template 573).
#define IDD_SHEARCAPACITY 573        // "层受剪承载力统计输出"
#define IDC_CAPACITY_GRID 1002       // storey grid, made at run time
#define IDC_CAPACITY_TOWERGRID 1570  // tower grid, made at run time
#define IDC_CAPACITY_ADVISORY 1601   // the ratio to the storey above should not be less ("不宜")
#define IDC_CAPACITY_MANDATORY 1602  // the ratio must not be less ("不应")
#define IDC_CAPACITY_OUTPUT 1158     // "计算书输出"

// Storey eccentricity (template 580).
#define IDD_LAYERECCENTRICITY 580    // "楼层偏心率统计输出"
#define IDC_ECCENTRIC_GRID 1002      // storey grid, made at run time
#define IDC_ECCENTRIC_TAB 1030       // "X 向(m)", "Y 向(m)"
#define IDC_ECCENTRIC_TOWERGRID 1570 // tower grid, made at run time
#define IDC_ECCENTRIC_LIMIT 1626     // "楼层偏心率不宜超过%.3f"
#define IDC_ECCENTRIC_OUTPUT 1158    // "计算书输出"
