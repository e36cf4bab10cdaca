// Resource ids of the summary report (template 11171) and of the model and load report
// (template 564).
#pragma once

#define IDD_OUTPUT_SUMMARY 11171
#define IDC_OSUM_MODEL 2076  // "模型总体信息"
#define IDC_OSUM_LOAD 2074   // "荷载总体信息"
#define IDC_OSUM_LC 1656     // "工况组合信息"
#define IDC_OSUM_DESIGN 1657 // "设计参数信息"

#define IDD_OUTPUT_MODEL 564
#define IDC_OMODEL_TOTAL 1299    // "总体信息"
#define IDC_OMODEL_NODE 1300     // "结点分析属性"
#define IDC_OMODEL_BEAM 1202     // "杆件分析属性"
#define IDC_OMODEL_PRELOAD 1308  // "初应力"
#define IDC_OMODEL_DEAD 1305     // "恒荷载"
#define IDC_OMODEL_LIVE 1310     // "活荷载"
#define IDC_OMODEL_WIND 1302     // "风荷载"
#define IDC_OMODEL_CRANE 1312    // "吊车荷载"
#define IDC_OMODEL_T 1313        // "温度荷载"
#define IDC_OMODEL_SEISM 1316    // "水平地震"
#define IDC_OMODEL_SEISMV 1309   // "竖向地震"
#define IDC_OMODEL_SHOW 1047     // "显示>>"
#define IDC_OMODEL_PROGRESS 2069 // created hidden; nothing drives it
