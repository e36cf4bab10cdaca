// Resource ids of the vibration characteristics report.
#pragma once

#define IDD_OUTPUTFREQUENT 388         // "自振特性统计"
#define IDC_OUTFREQ_LIST 1003          // the modes
#define IDC_OUTFREQ_DIRECTION 1643     // the direction description
#define IDC_OUTFREQ_OUTPUT 1581        // "计算书输出"
