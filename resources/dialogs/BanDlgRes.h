// Resource ids of the slab type dialogs: composite slabs on profiled steel sheets, cast-in-
// place one-way slabs, and the slab's calculation diagram.
#pragma once

#define IDD_BANCONCRETEADD 293
#define IDD_BANSTEELADD 294
#define IDD_BANDIAGRAM 297

// Both slab type dialogs.
#define IDC_BAN_DEPTH 1147
#define IDC_BAN_DIAGRAM 1086
#define IDC_BAN_EDITDIAGRAM 3

// Composite slab dialog.
#define IDC_BAN_SHEETS 1145
#define IDC_BAN_TYPES 1146
#define IDC_BAN_ADD 1023
#define IDC_BAN_DELETE 1024
#define IDC_BAN_MATERIAL 1148
#define IDC_BAN_TENSION 1152
#define IDC_BAN_DETAILS 1064

// Calculation diagram.
#define IDC_BAN_SPANCOUNT 1172
#define IDC_BAN_SPANSPIN 1077
#define IDC_BAN_SPANLENGTH 1173
#define IDC_BAN_SPANS 1029
#define IDC_BAN_PREVIEW 1171
