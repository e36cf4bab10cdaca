// Private window messages between the library and its host. Messages named WM_UI_* go to
// the host's main window; WM_PROP_* travel from a property item to the window that holds
// its grid. Arguments and answers are described with each code.
#pragma once

#include <vyr/stdafx.h>

// Properties of model objects changed; the host brings views and panels up to date.
#define WM_UI_PROPCHANGED (WM_USER + 100)     // 1124
// Answer: the host window whose right edge places dialogs.
#define WM_UI_GETHOSTWND (WM_USER + 101)      // 1125
// Answer: the active drawing view (CWnd*), or 0.
#define WM_UI_GETACTIVEVIEW (WM_USER + 102)   // 1126
// Answer: the host's CDlgPropQuery, or 0.
#define WM_UI_GETQUERYDLG (WM_USER + 103)     // 1127
// The 2-D view matrix changed; the host redraws.
#define WM_UI_VIEWCHANGED (WM_USER + 104)     // 1128
// Redraw the drawing views.
#define WM_UI_REDRAW (WM_USER + 105)          // 1129
// wParam: vector of changed storey heights; lParam: an undo record the host takes over.
#define WM_UI_MODELEDITED (WM_USER + 106)     // 1130
// The selection lists of the model root changed.
#define WM_UI_SELCHANGED (WM_USER + 107)      // 1131
// wParam: object kind (0 node, 1 member, 2 wall, 3 room, 4 coupling beam);
// answer: the displayed objects of that kind.
#define WM_UI_GETSHOWNLIST (WM_USER + 108)    // 1132
// lParam: panel type name in the sender's buffer (valid during the send), or 0.
#define WM_UI_SHOWPANEL (WM_USER + 109)       // 1133
// The current operator's prompt changed; the host reads it from its operator manager.
#define WM_UI_TOOLTIPCHANGED (WM_USER + 110)  // 1134
// wParam: previous mouse position (CPoint*); lParam: current one. Rotate the 3-D view.
#define WM_UI_ROTATEVIEW (WM_USER + 111)      // 1135
// Answer: the host's CSnapManager.
#define WM_UI_GETSNAPMANAGER (WM_USER + 112)  // 1136
// lParam: object kind 0 to 4; start an in-view selection of that kind.
#define WM_UI_SCREENSELECT (WM_USER + 113)    // 1137
// Model data changed by a panel or command.
#define WM_UI_MODELCHANGED (WM_USER + 114)    // 1138
// lParam: the member whose one-member result dialog closed.
#define WM_UI_RESULTDLGCLOSED (WM_USER + 115) // 1139
// lParam: block index; answer: the host-held settings block.
#define WM_UI_GETSETTINGS (WM_USER + 116)     // 1140
// Sent just before the analysis engine starts and the process ends.
#define WM_UI_BEFORECALC (WM_USER + 117)      // 1141
// WM_USER + 118 is not used.
// Answer: the host's CDlgProp.
#define WM_UI_GETPROPDLG (WM_USER + 119)      // 1143
// wParam: 0 nodes, 1 members, 2 walls; answer: the pickable list, or 0.
#define WM_UI_GETSNAPLIST (WM_USER + 120)     // 1144
// lParam: the storey (CFloor*) to display.
#define WM_UI_SHOWFLOOR (WM_USER + 121)       // 1145
// wParam: row of the mode to animate.
#define WM_UI_SHOWMODE (WM_USER + 122)        // 1146
// Stop the mode animation.
#define WM_UI_STOPMODE (WM_USER + 123)        // 1147
// Answer: the current display mode.
#define WM_UI_GETDISPLAYMODE (WM_USER + 124)  // 1148
// Answer: the COPManager of the active view, or 0.
#define WM_UI_GETOPMANAGER (WM_USER + 125)    // 1149

// Posted by a property item after a validated value was stored; lParam: the item.
#define WM_PROP_ENDEDIT (WM_USER + 200)       // 1224
// Sent by a property item to run its dialog; lParam: the item; answer nonzero when the
// model changed.
#define WM_PROP_OTHER (WM_USER + 201)         // 1225
