// Resource ids of the member-end and support libraries: the release, eccentricity and
// rigid-arm lists with their add dialogs, the node support list with its spring dialogs,
// the rigid-arm previews and the support icons.
#pragma once

// The four list dialogs share their controls.
#define IDD_NODESUPPORT 8836
#define IDD_BEAMRELEASE 8838
#define IDD_BEAMOFFSET 8839
#define IDD_BEAMRIGID 8840
#define IDC_DEFS_LIST 1029
#define IDC_DEFS_ADD 1023
#define IDC_DEFS_DELETE 1024
#define IDC_DEFS_EDIT 1022

// One release definition.
#define IDD_RELEASEADD 156
#define IDC_RELEASE_START3 1042
#define IDC_RELEASE_START2 1043
#define IDC_RELEASE_END3 1044
#define IDC_RELEASE_END2 1045
#define IDC_RELEASE_TYPE 1403

// One eccentricity definition.
#define IDD_OFFSETADD 204
#define IDC_OFFSET_START2 1011
#define IDC_OFFSET_START3 1012
#define IDC_OFFSET_END2 1071
#define IDC_OFFSET_END3 1009

// One rigid arm, with its preview (bitmaps 217 indented, 218 extending).
#define IDD_RIGIDADD 222
#define IDC_RIGID_PICTURE 1051
#define IDC_RIGID_EXTEND 1080
#define IDC_RIGID_INDENT 1081
#define IDC_RIGID_START 1011
#define IDC_RIGID_END 1012
#define IDB_RIGID_INDENT 217
#define IDB_RIGID_EXTEND 218

// Spring supports: six directions (3-D) or the three in-plane ones (2-D).
#define IDD_SUPPORTSPRING 153
#define IDD_SUPPORTSPRING2D 530
#define IDC_SPRING_FX 1024
#define IDC_SPRING_FY 1025
#define IDC_SPRING_FZ 1026
#define IDC_SPRING_MX 1027
#define IDC_SPRING_MY 1028
#define IDC_SPRING_MZ 1029
#define IDC_SPRING_KFX 1044
#define IDC_SPRING_KFY 1012
#define IDC_SPRING_KFZ 1013
#define IDC_SPRING_KMX 1014
#define IDC_SPRING_KMY 1015
#define IDC_SPRING_KMZ 1016

// Icons of the support list, by kind (none, fixed, pinned, spring, 4 to 7).
#define IDI_SUPPORT_NONE 160
#define IDI_SUPPORT_FIXED 161
#define IDI_SUPPORT_PINNED 162
#define IDI_SUPPORT_SPRING 163
#define IDI_SUPPORT_XZ 506
#define IDI_SUPPORT_YZ 507
#define IDI_SUPPORT_XPIN 508
#define IDI_SUPPORT_YPIN 509
