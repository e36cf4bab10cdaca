#include <vyr/model/struct/EditStack.h>

CEditStackNode::~CEditStackNode()
{
    // An object is deleted by the step that owns it while it is outside the model.
    for (const Step& s : m_arrStep)
        if (s.owner && s.removed != m_bUndone)
            for (const auto& it : s.items)
                delete it.second;
}

bool CEditStackNode::RemoveFromList(CObList* list, CObject* obj, bool owner)
{
    return RemoveFromList(list, std::unordered_set<CObject*>{obj}, owner) > 0;
}

int CEditStackNode::RemoveFromList(CObList* list, const std::unordered_set<CObject*>& objs, bool owner)
{
    VYR_CHECK(!m_bUndone, "recording into an undone edit");
    if (list == nullptr || objs.empty())
        return 0;
    Step step{list, {}, true, owner};
    INT_PTR index = 0;
    for (POSITION pos = list->GetHeadPosition(); pos != nullptr; ++index)
    {
        POSITION cur = pos;
        CObject* o = list->GetNext(pos);
        if (objs.count(o) != 0)
        {
            step.items.emplace_back(index, o);
            list->RemoveAt(cur);
        }
    }
    const int n = (int)step.items.size();
    if (n > 0)
        m_arrStep.push_back(std::move(step));
    return n;
}

void CEditStackNode::AddToList(CObList* list, CObject* obj, bool owner)
{
    VYR_CHECK(!m_bUndone, "recording into an undone edit");
    Step step{list, {{list->GetCount(), obj}}, false, owner};
    list->AddTail(obj);
    m_arrStep.push_back(std::move(step));
}

// Rebuilds the list with the items at their recorded positions, in one walk.
void CEditStackNode::PutBack(CObList* list, const std::vector<std::pair<INT_PTR, CObject*>>& items)
{
    std::vector<CObject*> rest;
    rest.reserve((size_t)list->GetCount());
    for (POSITION pos = list->GetHeadPosition(); pos != nullptr;)
        rest.push_back(list->GetNext(pos));
    list->RemoveAll();
    size_t r = 0, k = 0;
    const INT_PTR total = (INT_PTR)(rest.size() + items.size());
    for (INT_PTR i = 0; i < total; ++i)
    {
        if (k < items.size() && items[k].first == i)
            list->AddTail(items[k++].second);
        else
        {
            VYR_CHECK(r < rest.size(), "model list changed behind an undo record");
            list->AddTail(rest[r++]);
        }
    }
}

void CEditStackNode::TakeOut(CObList* list, const std::vector<std::pair<INT_PTR, CObject*>>& items)
{
    size_t k = 0;
    INT_PTR index = 0;
    for (POSITION pos = list->GetHeadPosition(); pos != nullptr && k < items.size(); ++index)
    {
        POSITION cur = pos;
        CObject* o = list->GetNext(pos);
        if (items[k].first == index)
        {
            VYR_CHECK(o == items[k].second, "model list changed behind an undo record");
            list->RemoveAt(cur);
            ++k;
        }
    }
    VYR_CHECK(k == items.size(), "model list changed behind an undo record");
}

void CEditStackNode::Undo()
{
    if (m_bUndone)
        return;
    for (auto it = m_arrStep.rbegin(); it != m_arrStep.rend(); ++it)
    {
        if (it->removed)
            PutBack(it->list, it->items);
        else
            TakeOut(it->list, it->items);
    }
    m_bUndone = true;
}

void CEditStackNode::Redo()
{
    if (!m_bUndone)
        return;
    for (const Step& s : m_arrStep)
    {
        if (s.removed)
            TakeOut(s.list, s.items);
        else
            PutBack(s.list, s.items);
    }
    m_bUndone = false;
}
