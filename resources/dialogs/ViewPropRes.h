// Resource ids of the five selection-property panels. The grid (8000) and the drop-down
// list (8001) are created by the panels themselves; the wall and room forms hold the frame
// their sketch is drawn in.
#pragma once

#define IDD_VIEWPROP_NODE 9843
#define IDD_VIEWPROP_BEAM 9844
#define IDD_VIEWPROP_WALL 9845
#define IDD_VIEWPROP_PLANE 9846
#define IDD_VIEWPROP_BCINWALL 9852

#define IDC_VIEWPROP_GRID 8000
#define IDC_VIEWPROP_COMBO 8001
#define IDC_VIEWPROP_SKETCH 1127

// Locate, screen selection and query of each form.
#define IDC_BEAM_POSITION 2000
#define IDC_BEAM_SELECT 2001
#define IDC_BEAM_QUERY 2002
#define IDC_NODE_POSITION 2003
#define IDC_NODE_SELECT 2004
#define IDC_NODE_QUERY 2005
#define IDC_WALL_POSITION 2006
#define IDC_WALL_SELECT 2007
#define IDC_WALL_QUERY 2008
#define IDC_PLANE_POSITION 2009
#define IDC_PLANE_SELECT 2010
#define IDC_PLANE_QUERY 2011
#define IDC_BCINWALL_POSITION 2048
#define IDC_BCINWALL_SELECT 2049
#define IDC_BCINWALL_QUERY 2050
