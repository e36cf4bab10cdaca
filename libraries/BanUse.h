// Whether a slab type of the project may leave its library: no room of any storey may lay it.
#pragma once

class CStruct;
class CBan;

// True when no room lays the slab type; otherwise names the first room that does, storey
// by storey ("选中的楼板正被%2d层%3d号房间使用，不得删除!"), and answers false.
bool VyrBanUnused(CStruct* st, const CBan* ban);
