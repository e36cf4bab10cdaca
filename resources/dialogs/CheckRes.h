// Resource ids of the design-check options and of the check run's progress dialog.
#pragma once

#define IDD_CHECKOPTION 8160
#define IDC_CHECKOPT_CAPACITY_LOWER 1011 // "承载力应用率下限"
#define IDC_CHECKOPT_CAPACITY_UPPER 1012 // "承载力应用率上限"
#define IDC_CHECKOPT_DEFORM_UPPER 1013   // "变形应用率上限"
#define IDC_CHECKOPT_DEFORM_LOWER 1014   // "变形应用率下限"
#define IDC_CHECKOPT_DETAIL_UPPER 1015   // "构造应用率上限"
#define IDC_CHECKOPT_DETAIL_LOWER 1016   // "构造应用率下限"
#define IDC_CHECKOPT_PRECOMBINE 1154     // "设计前进行预组合处理"
#define IDC_CHECKOPT_SHOWECHO 1155       // "显示结果回显信息说明"

#define IDD_CHECKPROGRESS 11169
#define IDC_CHECK_STATUS 2071            // the object being checked
#define IDC_CHECK_CANCEL 2072            // "取消验算"
#define IDC_CHECK_PROGRESS 2073
