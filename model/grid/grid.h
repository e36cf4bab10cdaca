// The grid control: CGridCtrl with its cells, cell coordinates, item records and title tip;
// and the library's list control CListCtrlEx.
#pragma once

#include "model/grid/cellrange.h"
#include "model/grid/gridcell.h"
#include "model/grid/gridctrl.h"
#include "model/grid/listctrlex.h"
#include "model/grid/titletip.h"
