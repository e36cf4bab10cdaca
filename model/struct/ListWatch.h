// What became of a model list since a reader last looked at it, so that an index over a
// large list follows a few edits without reading the whole list again.
#pragma once

#include <cstdint>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/collections.h>

class CListWatch
{
public:
    enum Change
    {
        SAME,     // as last seen
        APPENDED, // items added at the tail, the others as they were
        REMOVED,  // items taken out, the others in their order
        OTHER     // anything else, or another list: read it whole
    };

    // Looks at the list (null counts as an empty list) and takes it as now seen. serial
    // tells one list from a later one at the same address (CModelList::GetSerial).
    // APPENDED: Items() from FirstNew() on are the new ones. REMOVED: Removed() holds, in
    // ascending order, the positions the removed items had in Items() of the look before.
    Change Look(const CObList* list, uint64_t serial);

    // The list's items as last seen, in list order.
    const std::vector<CObject*>& Items() const { return m_items; }
    size_t FirstNew() const { return m_nFirstNew; }
    const std::vector<size_t>& Removed() const { return m_removed; }
    // Forgets the list: the next look answers OTHER.
    void Reset() { m_bSeen = false; }

private:
    void ReadWhole(const CObList* list);

    bool m_bSeen = false;
    const CObList* m_pList = nullptr;
    uint64_t m_nSerial = 0;
    UINT_PTR m_nEdits = 0;
    POSITION m_posHead = nullptr;
    POSITION m_posTail = nullptr;
    std::vector<CObject*> m_items;
    size_t m_nFirstNew = 0;
    std::vector<size_t> m_removed;
};
