// Resource ids of the object snap: the snap setting and coordinate offset dialogs and the
// commands of the snap menu. Read by the resource script as well.
#pragma once

#define IDD_SNAPSETTING 9850
#define IDD_SNAPOFFSET 9851

// Snap setting dialog.
#define IDC_SNAP_ENDPT 2026
#define IDC_SNAP_MIDPT 2027
#define IDC_SNAP_PERPT 2028
#define IDC_SNAP_FROM 2029
#define IDC_SNAP_SETALL 2030
#define IDC_SNAP_UNSETALL 2031

// Coordinate offset dialog.
#define IDC_SNAP_OFFSET 2031

// Commands of the Shift + right button snap menu; the host handles them.
#define ID_SNAP_FROM 920
#define ID_SNAP_PERPT 921
#define ID_SNAP_MIDPT 922
#define ID_SNAP_ENDPT 923
#define ID_SNAP_SETTING 924
