// Resource ids of the whole calculation report: one box and one settings button per section.
#pragma once

#define IDD_OUTPUT_TOTAL 11167      // every section
#define IDD_OUTPUT_TOTAL_KEL 11168  // without the shear capacity and the frame adjustment
#define IDD_OUTPUT_TOTAL_DOV 11173  // the first six sections only

#define IDC_OTOTAL_SUMMARY 2077     // "总体信息汇总报告"
#define IDC_OTOTAL_MODEL 2076       // "所有模型荷载报告"
#define IDC_OTOTAL_DESIGN 1657      // "所有构件设计报告"
#define IDC_OTOTAL_NODE 2079        // "所有结点设计报告"
#define IDC_OTOTAL_SUPPORT 2080     // "所有支座反力报告"
#define IDC_OTOTAL_MASS 2065        // "质量分布统计"
#define IDC_OTOTAL_FREQUENT 2066    // "振型参数统计"
#define IDC_OTOTAL_GSTABLE 2067     // "整体稳定统计"
#define IDC_OTOTAL_COMFORT 2068     // "风舒适度统计"
#define IDC_OTOTAL_DISP 1124        // "层位移统计"
#define IDC_OTOTAL_STIFF 1126       // "层刚度比统计"
#define IDC_OTOTAL_VM 1127          // "层剪力与弯距统计"
#define IDC_OTOTAL_CAPACITY 1128    // "层受剪承载比统计"
#define IDC_OTOTAL_VGRATIO 1129     // "层整体地震力调整统计"
#define IDC_OTOTAL_FRAMEADJ 1130    // "层框架地震力调整统计"

// The settings buttons "详细设置...", in the same order.
#define IDC_OTOTAL_BTN_SUMMARY 1048
#define IDC_OTOTAL_BTN_MODEL 1034
#define IDC_OTOTAL_BTN_DESIGN 1049
#define IDC_OTOTAL_BTN_NODE 1050
#define IDC_OTOTAL_BTN_SUPPORT 1051
#define IDC_OTOTAL_BTN_MASS 1035
#define IDC_OTOTAL_BTN_FREQUENT 1042
#define IDC_OTOTAL_BTN_GSTABLE 1043
#define IDC_OTOTAL_BTN_COMFORT 1044
#define IDC_OTOTAL_BTN_DISP 1036
#define IDC_OTOTAL_BTN_STIFF 1037
#define IDC_OTOTAL_BTN_VM 1038
#define IDC_OTOTAL_BTN_CAPACITY 1039
#define IDC_OTOTAL_BTN_VGRATIO 1040
#define IDC_OTOTAL_BTN_FRAMEADJ 1041

#define IDC_OTOTAL_SELALL 1045       // "全部选择"
#define IDC_OTOTAL_UNSELALL 1046     // "全部不选"
#define IDC_OTOTAL_SHOW 1047         // "显示>>", "中止显示" while a run is on
#define IDC_OTOTAL_PROGRESS 2069     // hidden until a run
