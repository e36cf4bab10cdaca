// Resource ids of the wall-opening dialogs: the openings of walls of one size, and the quick
// modification of the single opening of each wall.
#pragma once

#define IDD_WALLHOLEDEFINE 437
#define IDD_WALLHOLEADJUST 522

#define IDC_WALLHOLE_PREVIEW 1127
#define IDC_WALLHOLE_GRID 2015 // created at run time
#define IDC_WALLHOLE_DX 1175
#define IDC_WALLHOLE_DY 1176
#define IDC_WALLHOLE_WIDTH 1070
#define IDC_WALLHOLE_HEIGHT 1069
#define IDC_WALLHOLE_HORZALIGN 2021
#define IDC_WALLHOLE_VERTALIGN 2022
#define IDC_WALLHOLE_ADD 1106
#define IDC_WALLHOLE_MODIFY 2020
#define IDC_WALLHOLE_DELETE 1024
#define IDC_WALLHOLE_OK 2025
#define IDC_WALLHOLE_CLOSE 1015
#define IDC_WALLHOLE_MODEMODIFY 1010
#define IDC_WALLHOLE_MODEREMOVE 1011
