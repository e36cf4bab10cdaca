// Resource ids of the project panel; its grid and preview are created in code.
#pragma once

#define IDD_VIEW_PROJECT 9849
#define IDC_PROJECT_GRID 8008
#define IDC_PROJECT_PREVIEW 8009
