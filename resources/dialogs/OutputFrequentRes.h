// Resource ids of the vibration characteristics report.
#pragma once

#define IDD_OUTPUTFREQUENT 388         // "自振特性统计"
#define IDC_OUTFREQ_LIST 1003          // the modes
#define IDC_OUTFREQ_DIRECTION 1643     // the direction description
#define IDC_OUTFREQ_OUTPUT 1581        // "计算书输出"

#define IDD_OUTPUTFREQUENTUNI 11141    // "归一振型统计"
#define IDC_FREQUNI_MODES 1003         // the modes
#define IDC_FREQUNI_AREA 1127          // the drawing of the mode shape
#define IDC_FREQUNI_LEFT 1273          // "左转"
#define IDC_FREQUNI_RIGHT 1005         // "右转"
#define IDC_FREQUNI_OUTPUT 1158        // "计算书输出"
#define IDC_FREQUNI_SCALE 1272         // the display scale ("输出比例")
#define IDC_FREQUNI_SCALE_SPIN 1039
#define IDC_FREQUNI_APPLY 1219         // "应用"
#define IDC_FREQUNI_PROGRESS 1241
#define IDC_FREQUNI_MASTERS 1065       // the master nodes' shapes
#define IDB_FREQUNI_LEFT 389
#define IDB_FREQUNI_RIGHT 390
