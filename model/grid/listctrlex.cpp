#include "model/grid/listctrlex.h"

IMPLEMENT_DYNAMIC(CListCtrlEx, CListCtrl)
