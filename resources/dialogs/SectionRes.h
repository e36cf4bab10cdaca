// Resource ids of the section panel, the project section library dialog and the section
// file import.
#pragma once

#define IDD_VIEW_SECTION 136
#define IDD_SECTION_LIBRARY 11174
#define IDD_SECTION_IMPORT 406

// Section panel and library dialog.
#define IDC_SEC_TAB 1030
#define IDC_SEC_LIST 1111
#define IDC_SEC_STAYLINE 1458
#define IDC_SEC_ASSIGN 1049
#define IDC_SEC_SELECT 130
#define IDC_SEC_DELETE 1024
#define IDC_SEC_EDIT 1027
#define IDC_SEC_ASSIGNTAPER 1050
#define IDC_SEC_AXIALTYPE 1019
#define IDC_SEC_STAY 131
#define IDC_SEC_NEWGROUP 1338
#define IDC_SEC_STDLIB 1017
#define IDC_SEC_DEFINE 1004
#define IDC_SEC_COMBINE 1018
#define IDC_SEC_TAPER 1023
#define IDC_SEC_IMPORT 1025
#define IDC_SEC_EXPORT 1158

// Section file import.
#define IDC_SECIMP_PATH 1070
#define IDC_SECIMP_BROWSE 1294
#define IDC_SECIMP_REPLACE 1140
#define IDC_SECIMP_PREVIEW 3
#define IDC_SECIMP_TAB 1030
#define IDC_SECIMP_LIST 1111
