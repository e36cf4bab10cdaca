// The grid control: CGridCtrl with its cells, cell coordinates, item records and title tip;
// and the library's list control CListCtrlEx.
#pragma once

#include <vyr/model/grid/cellrange.h>
#include <vyr/model/grid/gridcell.h>
#include <vyr/model/grid/gridctrl.h>
#include <vyr/model/grid/listctrlex.h>
#include <vyr/model/grid/titletip.h>
