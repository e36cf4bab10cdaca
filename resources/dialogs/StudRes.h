// Resource ids of the shear-stud dialogs: one stud group, the project's stud library and
// the stud design of composite beams.
#pragma once

#define IDD_PINNAILGROUP 382
#define IDD_BEAMPINNAIL 383
#define IDD_BEAMPINNAILDESIGN 392

// Parameters of a group (group and design dialogs).
#define IDC_PIN_DIAMETER 1152
#define IDC_PIN_HEIGHT 1216
#define IDC_PIN_SPACE 1217
#define IDC_PIN_ROWS 1153
#define IDC_PIN_MATERIAL 1148
#define IDC_PIN_AUTO 1047
#define IDC_PIN_USER 1048
#define IDC_PIN_CAPACITY 1154

// Stud library.
#define IDC_PIN_LIST 1146
#define IDC_PIN_ADD 1023
#define IDC_PIN_EDIT 1022
#define IDC_PIN_DELETE 1024
#define IDC_PIN_COUNT 1241

// Stud design.
#define IDC_PIN_DESIGNLIST 1117
#define IDC_PIN_RECALC 3
