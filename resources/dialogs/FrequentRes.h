// Resource ids of the vibration-mode panel.
#pragma once

#define IDD_VIEW_FREQUENT 215
#define IDC_FREQ_LIST 1029
#define IDC_FREQ_SHOWORIGIN 1140  // "显示原结构"
#define IDC_FREQ_STATIC 1068      // "静态显示"
#define IDC_FREQ_ANIMATE 1069     // "动画显示"
#define IDC_FREQ_AXISPLANE 1183   // "轴线平面模型"
#define IDC_FREQ_SPACE 1184       // "三维空间模型"
#define IDC_FREQ_TIME 1093        // animation length in periods
#define IDC_FREQ_TIME_SPIN 1078
#define IDC_FREQ_SCALE 1148       // display scale
#define IDC_FREQ_SCALE_SPIN 1182
#define IDC_FREQ_OPTIONS 1338     // "显示选项"
#define IDC_FREQ_MODEBOX 1337     // "振型显示"
#define IDC_FREQ_DISPLAY 1112     // "<< 显示"
#define IDC_FREQ_COLOR 1001       // "颜色..."
#define IDC_FREQ_SWATCH 1185
#define IDC_FREQ_STOP 1004

#define IDB_FREQ_STOP 294
