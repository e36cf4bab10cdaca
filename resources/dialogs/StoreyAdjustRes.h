// Resource ids of the seismic force adjustment dialogs: the storey-wise adjustment by the
// minimum shear-to-weight ratio and the frame shear adjustment.
#pragma once

// Storey shear-to-weight ratio and storey-wise seismic force adjustment (template 574).
#define IDD_LAYERVGRATIO 574         // "楼层整体地震力调整"
#define IDC_VG_ADJUST 1021           // "构件地震内力进行楼层整体调整"
#define IDC_VG_COF 1592              // the minimum shear coefficient, 0 to 100
#define IDC_VG_WEAKNO 1594           // "结构薄弱层号（逗号分隔）"
#define IDC_VG_WEAKFACTOR 1595       // "薄弱层放大系数（逗号分隔）"
#define IDC_VG_CALCOF 1004           // "系数自动计算"
#define IDC_VG_RECAL 1159            // "重新设定"
#define IDC_VG_OUTPUT 1158           // "计算书输出..."
#define IDC_VG_CASEGRID 1569         // case grid, made at run time
#define IDC_VG_STOREYGRID 1593       // storey grid, made at run time

// Frame seismic shear adjustment (template 575).
#define IDD_FRAMESEISMADJUST 575     // "楼层框架部分地震力调整"
#define IDC_FRAME_ADJUST 1653        // "构件地震内力进行框架楼层调整"
#define IDC_FRAME_RULE0 1607         // "0.2V0,1.5Vfmax", first of the radio group
#define IDC_FRAME_RULE1 1606         // "0.25V0,1.8Vfmax"
#define IDC_FRAME_START 1480         // "调整起始楼面号："
#define IDC_FRAME_END 1170           // "调整终止楼面号："
#define IDC_FRAME_SPLIT 1652         // the podium split storey
#define IDC_FRAME_RECAL 1159         // "重新设定"
#define IDC_FRAME_OUTPUT 1158        // "计算书输出"
#define IDC_FRAME_CASEGRID 1569      // case grid, made at run time
#define IDC_FRAME_STOREYGRID 1595    // storey grid, made at run time
