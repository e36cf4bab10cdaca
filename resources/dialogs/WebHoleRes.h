// Resource ids of the web opening dialog of I and H members.
#pragma once

#define IDD_BEAMWEBHOLE 11162

#define IDC_WEBHOLE_PREVIEW 1139
#define IDC_WEBHOLE_RECT 1319
#define IDC_WEBHOLE_CIRCLE 1318
#define IDC_WEBHOLE_NONE 1320
#define IDC_WEBHOLE_X 1323
#define IDC_WEBHOLE_Y 1324
#define IDC_WEBHOLE_HEIGHT 1321
#define IDC_WEBHOLE_WIDTH 1322
#define IDC_WEBHOLE_DRAW 1086
