// Resource ids of the project slab library.
#pragma once

#define IDD_BANLIB 8321
#define IDC_BANLIB_TAB 1030
#define IDC_BANLIB_LIST 1115
#define IDC_BANLIB_ADD 1023
#define IDC_BANLIB_EDIT 1022
#define IDC_BANLIB_DELETE 1024
