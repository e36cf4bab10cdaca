// Rooms for the slab tests: a type that a room lays cannot leave its library.
#pragma once

#include <vyr/model/section/Ban.h>
#include <vyr/model/struct/struct.h>

namespace slabtest {

// Storeys 1 and 2 with rooms 4 and 5; room 5 of storey 2 lays the type.
inline void LayInRoom5OfStorey2(CStruct* st, CBan* type)
{
    for (int storey : {1, 2}) {
        CFloor* f = new CFloor(storey, 4);
        st->m_pFloorList->AddTail(f);
        for (int no : {4, 5}) {
            CPlane* p = new CPlane;
            p->m_nNo = no;
            p->m_pFloor = f;
            p->m_pBan = storey == 2 && no == 5 ? type : nullptr;
            f->m_pPlaneList->AddTail(p);
            st->m_pPlaneList->AddTail(p);
        }
    }
}

} // namespace slabtest
