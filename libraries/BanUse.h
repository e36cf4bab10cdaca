// What the slab library and its editors share about a slab type of the project: whether it
// may leave its library (no room of any storey may lay it) and how its tension is named.
#pragma once

#include <vyr/stdafx.h>

class CStruct;
class CBan;

// The refusal of a delete: names the first room that lays the slab type, storey by storey
// ("选中的楼板正被%2d层%3d号房间使用，不得删除!"); empty when no room does.
CString VyrBanUser(CStruct* st, const CBan* ban);

// True when no room lays the slab type; otherwise shows VyrBanUser's refusal and answers
// false.
bool VyrBanUnused(CStruct* st, const CBan* ban);
// The tension column's text of a composite slab's type code: -1 "组合", 1 "钢板", any
// other "配筋".
const char* VyrBanTensionText(int type);
