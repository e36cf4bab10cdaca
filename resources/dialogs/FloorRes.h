// Resource ids of the storey panel and of the pictures of its storey tree.
#pragma once

#define IDD_VIEW_FLOOR 4000
#define IDC_FLOOR_GRID 1002
#define IDC_FLOOR_DISPLAY 1112 // "<< 显示楼层"

// The tree images 0 to 5, in image-list order.
#define IDB_FLOOR_MAIN 137    // a storey with child floors
#define IDB_FLOOR_CLOSED 795
#define IDB_FLOOR_CHILD 798   // a child floor, more follow
#define IDB_FLOOR_LAST 139    // the last child floor
#define IDB_FLOOR_SINGLE 797  // a storey without child floors
#define IDB_FLOOR_LEVEL 796   // any other main floor
