#include <vyr/model/struct/ListWatch.h>

// A list counts one edit for each insertion, each removal and each SetAt, and one for a
// RemoveAll however many items it removes. So when the count grew by exactly the edits made,
// every edit was an insertion; when it shrank by exactly the edits made and fewer items went
// than stayed, every edit was a removal (a RemoveAll among them would have removed more
// than the items left, which were all inserted after it, plus the edits). What the counts
// cannot tell, where the items went in or came out, the walk below finds.
CListWatch::Change CListWatch::Look(const CObList* list, uint64_t serial)
{
    m_removed.clear();
    m_nFirstNew = m_items.size();
    if (!m_bSeen || list != m_pList || serial != m_nSerial)
    {
        ReadWhole(list);
        m_pList = list;
        m_nSerial = serial;
        m_bSeen = true;
        return OTHER;
    }
    if (list == nullptr || list->GetEditCount() == m_nEdits)
        return SAME;

    const size_t old = m_items.size();
    const size_t count = (size_t)list->GetCount();
    const UINT_PTR edits = list->GetEditCount() - m_nEdits;
    if (count > old && edits == count - old && (old == 0 || list->GetHeadPosition() == m_posHead))
    {
        // Nothing was removed, so the old tail is still in the list: were all the new items
        // inserted after it?
        POSITION pos = list->GetHeadPosition();
        if (old != 0)
        {
            pos = m_posTail;
            list->GetNext(pos);
        }
        size_t added = 0;
        for (POSITION p = pos; p != nullptr && added <= count - old; ++added)
            list->GetNext(p);
        if (added == count - old)
        {
            while (pos != nullptr)
                m_items.push_back(list->GetNext(pos));
            m_nEdits = list->GetEditCount();
            m_posHead = list->GetHeadPosition();
            m_posTail = list->GetTailPosition();
            return APPENDED;
        }
    }
    else if (count < old && edits == old - count && old - count <= count)
    {
        // The list now is the old one with some items left out: match it against the old.
        size_t j = 0, kept = 0;
        bool ok = true;
        for (POSITION pos = list->GetHeadPosition(); pos != nullptr && ok;)
        {
            CObject* o = list->GetNext(pos);
            while (j < old && m_items[j] != o)
                m_removed.push_back(j++);
            ok = j < old;
            if (ok)
                m_items[kept++] = m_items[j++];
        }
        if (ok)
        {
            while (j < old)
                m_removed.push_back(j++);
            m_items.resize(kept);
            m_nEdits = list->GetEditCount();
            m_posHead = list->GetHeadPosition();
            m_posTail = list->GetTailPosition();
            return REMOVED;
        }
        m_removed.clear();
    }
    ReadWhole(list);
    return OTHER;
}

void CListWatch::ReadWhole(const CObList* list)
{
    m_items.clear();
    m_removed.clear();
    m_nFirstNew = 0;
    m_nEdits = list ? list->GetEditCount() : 0;
    m_posHead = list ? list->GetHeadPosition() : nullptr;
    m_posTail = list ? list->GetTailPosition() : nullptr;
    if (list == nullptr)
        return;
    // Room for the items a few appends add, so that one more never moves them all.
    m_items.reserve((size_t)list->GetCount() + (size_t)list->GetCount() / 8 + 1024);
    for (POSITION pos = list->GetHeadPosition(); pos != nullptr;)
        m_items.push_back(list->GetNext(pos));
}
