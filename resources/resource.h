// Resource ids of the library's resource scripts.
#pragma once

// Test dialog of the platform: one control of every kind.
#define IDD_VYR_TESTDIALOG              30000
#define IDC_VYR_TEST_LABEL              30001
#define IDC_VYR_TEST_EDIT               30002
#define IDC_VYR_TEST_MULTIEDIT          30003
#define IDC_VYR_TEST_COMBO              30004
#define IDC_VYR_TEST_LISTBOX            30005
#define IDC_VYR_TEST_LIST               30006
#define IDC_VYR_TEST_TAB                30007
#define IDC_VYR_TEST_PROGRESS           30008
#define IDC_VYR_TEST_SPINEDIT           30009
#define IDC_VYR_TEST_SPIN               30010
#define IDC_VYR_TEST_RICHEDIT           30011
#define IDC_VYR_TEST_CHECK              30012
#define IDC_VYR_TEST_RADIO1             30013
#define IDC_VYR_TEST_RADIO2             30014
#define IDC_VYR_TEST_RADIO3             30015
#define IDC_VYR_TEST_BUTTON             30016
#define IDC_VYR_TEST_PICTURE            30017
#define IDC_VYR_TEST_START              30018
#define IDC_VYR_TEST_CANCELRUN          30019
#define IDB_VYR_TEST                    30100
#define IDC_VYR_TESTCURSOR              30101
#define IDS_VYR_TESTSTRING              30200

// Cursors of the operators (drawn by scripts/make-cursors.py).
#define IDC_OPVIEW_PAN                  135
#define IDC_OPVIEW_FREE                 1037
#define IDC_OP_DEFAULT                  2004
#define IDC_OPSELECT_RECT               2005
#define IDC_OP_POINT                    2006
#define IDC_OP_NODE                     2007
#define IDC_OPVIEW_ZOOM                 2008
