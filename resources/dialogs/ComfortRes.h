// Resource ids of the wind comfort check (template 8561).
#pragma once

#define IDD_COMFORTCHECK 8561        // "风载下结构顶点加速度输出"
#define IDC_COMFORT_GRID 1002        // result grid, made at run time
#define IDC_COMFORT_DAMP 1614        // "横风向临界阻尼比："
#define IDC_COMFORT_USE 1403         // "使用功能"
#define IDC_COMFORT_LIMIT 1615       // "加速度不宜超过(m/s2)"
#define IDC_COMFORT_OUTPUT 1590      // "计算书输出"
