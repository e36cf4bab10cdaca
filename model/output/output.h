// The report writer and the small common services: COutput with its manipulators, CReal,
// CWndData, CDlgWarning, CVersion and CVersionManager, and report printing.
#pragma once

#include "model/output/coutput.h"
#include "model/output/creal.h"
#include "model/output/dlgwarning.h"
#include "model/output/printrichedit.h"
#include "model/output/version.h"
#include "model/output/wnddata.h"
