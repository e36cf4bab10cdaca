// Resource ids of the drawing export dialogs (2-D and 3-D sketches written as DXF files).
#pragma once

// Templates: each dialog's general one, and those of the Kel 3-D and Dov 2-D editions.
#define IDD_DRAWRESULT2D 11163
#define IDD_DRAWRESULT2D_KEL 11164
#define IDD_DRAWRESULT2D_DOV 11166
#define IDD_DRAWRESULT3D 8859
#define IDD_DRAWRESULT3D_KEL 11165

#define IDC_DRAW_SCOPEKIND 2037          // 3-D: "整体结构", "当前显示结构", "楼层", "轴线"
#define IDC_DRAW_SCOPE 2050              // storeys (3-D: or axes)
#define IDC_DRAW_SELALL 2044             // "全部选择"
#define IDC_DRAW_UNSELALL 2045           // "全部不选"
#define IDC_DRAW_EXPORT 2046             // "导出", "取消导出" while a run is on
#define IDC_DRAW_PROGRESS 2047

// The drawing categories: a check box and, for most, the combo box of its items.
#define IDC_DRAW_BF_BLC 2038             // "基本工况内力"
#define IDC_DRAW_BF_BLC_ITEM 2051
#define IDC_DRAW_BF_LC 2039              // "基本组合工况内力"
#define IDC_DRAW_BF_LC_ITEM 2052
#define IDC_DRAW_BF_CLC 2040             // "基本组合工况包络"
#define IDC_DRAW_BF_CLC_ITEM 2057
#define IDC_DRAW_BF_LCSTD 2054           // "标准组合工况内力"
#define IDC_DRAW_BF_LCSTD_ITEM 2055
#define IDC_DRAW_ND_BLC 2041             // "基本工况位移"
#define IDC_DRAW_ND_BLC_ITEM 2059
#define IDC_DRAW_ND_LC 2042              // "标准组合工况位移"
#define IDC_DRAW_ND_LC_ITEM 2060
#define IDC_DRAW_ND_CLC 2043             // "标准组合工况包络"
#define IDC_DRAW_ND_CLC_ITEM 2061
#define IDC_DRAW_NSF 2068                // "基本工况包络反力"
#define IDC_DRAW_NSF_ITEM 2071
#define IDC_DRAW_NSF0 2069               // "1.0D+1.0L反力"
#define IDC_DRAW_NSF1 2070               // "1.2D+1.4L反力"
#define IDC_DRAW_MODEL 2076              // "模型图" / "三维模型图"
#define IDC_DRAW_NODE 2074               // "结点信息"
#define IDC_DRAW_NODE_ITEM 2093
#define IDC_DRAW_BEAM 2075               // "杆件信息"
#define IDC_DRAW_BEAM_ITEM 2094
#define IDC_DRAW_BCINWALL 2082           // "墙肢连梁编号"
#define IDC_DRAW_PLANE 2085              // "房间与楼板编号"
#define IDC_DRAW_MAINNODE 2090           // "主节点位置与主从关系"
#define IDC_DRAW_LOAD 2077               // "荷载布置"
#define IDC_DRAW_LOAD_ITEM 2080
#define IDC_DRAW_DESIGNPROP 2088         // "设计属性"
#define IDC_DRAW_DESIGNPROP_ITEM 2091
#define IDC_DRAW_DESIGNRESULT 2089       // "设计结果"
#define IDC_DRAW_DESIGNRESULT_ITEM 2092
