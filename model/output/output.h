// The report writer and the small common services: COutput with its manipulators, CReal,
// CWndData, CDlgWarning, CVersion and CVersionManager, report printing, and the helpers
// CVyrFunc, CStringFunc and CDocomDo.
#pragma once

#include "model/output/commonfuncs.h"
#include "model/output/coutput.h"
#include "model/output/creal.h"
#include "model/output/dlgwarning.h"
#include "model/output/printrichedit.h"
#include "model/output/version.h"
#include "model/output/wnddata.h"
