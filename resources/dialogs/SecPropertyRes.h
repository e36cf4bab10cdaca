// Resource ids of the section property and buckling class dialogs.
#pragma once

// Section property dialog.
#define IDD_SECPROPERTY 182
#define IDC_SECPROP_TEXT 1076
#define IDC_SECPROP_MAP 1077

// Buckling class dialog.
#define IDD_SECAXIALTYPE 317
#define IDC_SECAXIAL_CLASS2 1077
#define IDC_SECAXIAL_CLASS3 1200
#define IDC_SECAXIAL_ROLLED 1010
#define IDC_SECAXIAL_FLAME 1011
#define IDC_SECAXIAL_MAP 1051
