// The report writer and the small common services: COutput with its manipulators, CReal,
// CWndData, CDlgWarning, CVersion and CVersionManager, report printing, and the helpers
// CVyrFunc, CStringFunc and CDocomDo.
#pragma once

#include <vyr/model/output/commonfuncs.h>
#include <vyr/model/output/coutput.h>
#include <vyr/model/output/creal.h>
#include <vyr/model/output/dlgwarning.h>
#include <vyr/model/output/printrichedit.h>
#include <vyr/model/output/version.h>
#include <vyr/model/output/wnddata.h>
