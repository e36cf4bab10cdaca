// Walking the object lists that the grid hands to a key's body: a model list of the row's
// kind, possibly null, walked head to tail.
#pragma once

#include <vyr/stdafx.h>

namespace vyrkeys {

template <class L>
int CountOf(const L* list)
{
    return list != nullptr ? (int)list->GetCount() : 0;
}

template <class L, class F>
void ForEach(L* list, F f)
{
    if (list == nullptr)
        return;
    for (POSITION pos = list->GetHeadPosition(); pos != nullptr;)
        f(list->GetNextT(pos));
}

template <class L>
auto* First(L* list)
{
    return list != nullptr && !list->IsEmpty() ? list->GetHeadT() : nullptr;
}

template <class L>
auto* Last(L* list)
{
    return list != nullptr && !list->IsEmpty() ? list->Get((int)list->GetCount()) : nullptr;
}

template <class L, class Pred>
int CountIf(L* list, Pred pred)
{
    int n = 0;
    ForEach(list, [&](auto* o) { n += pred(o) ? 1 : 0; });
    return n;
}

} // namespace vyrkeys
