// Resource ids of the standard section browser.
#pragma once

#define IDD_STDSECTIONLIB 393
#define IDC_STDSEC_COUNTRY 1040
#define IDC_STDSEC_FAMILY 1039
#define IDC_STDSEC_SUBTYPE 1038
#define IDC_STDSEC_LIST 1042
#define IDC_STDSEC_PREVIEW 1051
#define IDC_STDSEC_MATERIAL 1065
#define IDC_STDSEC_PROPS 1064
