// Resource ids of the member force, node displacement and statistics reports and of the
// unit-price dialog.
#pragma once

#define IDD_BEAMFORCE 11147                // "构件内力结果"
#define IDD_NODEDISP 11156                 // "节点位移结果"
#define IDC_RESULT_CASE 1655               // "基本工况内力" / "基本工况位移"
#define IDC_RESULT_COMB 1656               // "基本组合内力"
#define IDC_RESULT_COMBENV 1657            // "基本组合内力包络"
#define IDC_RESULT_STD 1658                // "标准组合内力" / "标准组合位移"
#define IDC_RESULT_STDENV 1659             // "标准组合内力包络" / "标准组合位移包络"

#define IDD_STATISTIC 396                  // "算量与概算统计"
#define IDC_STAT_WEIGHT 1626               // "算量统计"
#define IDC_STAT_COST 1627                 // "概算统计"
#define IDC_STAT_PRICE 1609                // "型钢与材料单价..."

#define IDD_UNITPRICE 11150                // "构件与材料单价设定"
#define IDC_UNITPRICE_GRID 1003            // the price grid, created when the dialog is
#define IDC_UNITPRICE_WALL 1629            // "墙钢筋砼造价（元/立方米）="
