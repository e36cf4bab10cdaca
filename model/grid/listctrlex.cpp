#include <vyr/model/grid/listctrlex.h>

IMPLEMENT_DYNAMIC(CListCtrlEx, CListCtrl)
