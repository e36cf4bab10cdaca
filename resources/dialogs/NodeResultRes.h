// Resource ids of the support reaction report and the node check report.
#pragma once

#define IDD_NODEFORCE 11158                // "节点反力结果"
#define IDC_NODEFORCE_EXTREMES 1664        // "最大工况反力统计"
#define IDC_NODEFORCE_STANDARD 1674        // "1.0D+1.0L标准组合"
#define IDC_NODEFORCE_BASIC 1676           // "1.2D+1.4L基本组合"

#define IDD_NODECHECK 11157                // "节点相关验算结果"
#define IDC_NODECHECK_ZONES 1660           // "每个节点域验算"
#define IDC_NODECHECK_ZONEWORST 1124       // "所有节点域最不利统计"
#define IDC_NODECHECK_PLATES 1661          // "每个节点域加强设计建议"
#define IDC_NODECHECK_PCOL 1663            // "每个强柱弱梁验算"
#define IDC_NODECHECK_PCOLWORST 1126       // "所有强柱弱梁最不利统计"
