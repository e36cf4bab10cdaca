// Resource ids of the named member selection sets and of the set-name dialog.
#pragma once

#define IDD_SELECTS 11160
#define IDC_SELECTS_GRID 3000
#define IDC_SELECTS_NEW 2020
#define IDC_SELECTS_DELETE 2021
#define IDC_SELECTS_RENAME 2022
#define IDC_SELECTS_OP1 2051 // B = A
#define IDC_SELECTS_OP2 2052 // B = A + B
#define IDC_SELECTS_OP3 2053 // B = A - B
#define IDC_SELECTS_OP4 2054 // B = B - A
#define IDC_SELECTS_OP5 2055 // A = B
#define IDC_SELECTS_OP6 2056 // A = A + B
#define IDC_SELECTS_OP7 2057 // A = A - B
#define IDC_SELECTS_OP8 2058 // A = B - A
#define IDC_SELECTS_COMMENT 2060

#define IDD_SELECTSONE 11161
#define IDC_SELECTSONE_NAME 2055
