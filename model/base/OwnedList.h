// Access shared by the model's object lists: each owns its objects and counts positions
// from 1, as the dialogs show them.
#pragma once

#include <vyr/collections.h>

namespace vyr {

// The object at a position (from 1); null outside 1..count.
template <class T>
T* ListAt(const CObList& list, int position)
{
    if (position < 1 || position > (int)list.GetCount())
        return nullptr;
    return static_cast<T*>(list.GetAt(list.FindIndex(position - 1)));
}

// Deletes every object of the list and empties it.
inline void DeleteListItems(CObList& list)
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        delete list.GetNext(pos);
    list.RemoveAll();
}

} // namespace vyr
