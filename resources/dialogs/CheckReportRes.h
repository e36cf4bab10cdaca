// Resource ids of the member design and check report.
#pragma once

#define IDD_OUTPUTCHECK 11146
#define IDC_OUTCHECK_CAPACITY_LIST 1633    // "每根构件列表", capacity
#define IDC_OUTCHECK_CAPACITY_SECTION 1635 // "同截面构件最不利统计"
#define IDC_OUTCHECK_CAPACITY_ALL 1124     // "所有构件最不利统计"
#define IDC_OUTCHECK_DEFORM_LIST 1654      // deformation and axial compression ratio
#define IDC_OUTCHECK_DEFORM_SECTION 1636
#define IDC_OUTCHECK_DEFORM_ALL 1125
#define IDC_OUTCHECK_STABILITY_LIST 1122   // local stability and slenderness
#define IDC_OUTCHECK_STABILITY_SECTION 1637
#define IDC_OUTCHECK_STABILITY_ALL 1126
#define IDC_OUTCHECK_REINFORCE_LIST 1634   // reinforcement of the concrete members
#define IDC_OUTCHECK_SELALL 1045           // "全部选择"
#define IDC_OUTCHECK_UNSELALL 1046         // "全部不选"
#define IDC_OUTCHECK_SHOW 1047             // "显示>>", "中止显示" while a run is on
#define IDC_OUTCHECK_PROGRESS 2069
