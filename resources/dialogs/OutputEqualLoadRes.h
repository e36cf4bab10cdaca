// Resource ids of the structure mass report (template 524).
#pragma once

#define IDD_OUTPUT_EQUALLOAD 524
#define IDC_EQUALLOAD_FREEDOM 1630 // "按自由度统计"
#define IDC_EQUALLOAD_NODE 1300    // "按结点统计"
