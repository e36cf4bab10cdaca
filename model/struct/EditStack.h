// The undo record of one model edit: which objects left or entered which model list, and
// where, so that undoing puts every list back exactly as it was.
#pragma once

#include <unordered_set>
#include <utility>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/model/output/creal.h>

class CEditStackNode
{
public:
    CEditStackNode() = default;
    CEditStackNode(const CEditStackNode&) = delete;
    CEditStackNode& operator=(const CEditStackNode&) = delete;
    // Deletes the objects the record holds outside the model: the removed ones while the
    // edit stands, the added ones after it was undone.
    ~CEditStackNode();

    // The storey heights that the recorded edit changed.
    void GetChangedHeight(std::vector<CReal>& heights) const { heights = m_arrChangedHeight; }
    void AddChangedHeight(double h) { m_arrChangedHeight.push_back(CReal(h)); }

    // Removes obj from list and records where it was; owner: the list owned the object, so
    // the record takes it over. False (and nothing recorded) when the list does not hold it.
    bool RemoveFromList(CObList* list, CObject* obj, bool owner);
    // Removes every listed object that is in objs in one walk of the list; returns how many.
    int RemoveFromList(CObList* list, const std::unordered_set<CObject*>& objs, bool owner);
    // Appends obj to list and records it; owner: the list owns the object from now on.
    void AddToList(CObList* list, CObject* obj, bool owner);

    // Reverts the recorded changes in reverse order; a second call does nothing.
    void Undo();
    // Applies the recorded changes again after Undo.
    void Redo();
    bool IsUndone() const { return m_bUndone; }
    bool IsEmpty() const { return m_arrStep.empty(); }
    int GetStepCount() const { return (int)m_arrStep.size(); }

private:
    struct Step
    {
        CObList* list;
        // Positions (ascending) the objects had in the list with them in it.
        std::vector<std::pair<INT_PTR, CObject*>> items;
        bool removed; // true: taken out of the list; false: put into it
        bool owner;
    };
    static void PutBack(CObList* list, const std::vector<std::pair<INT_PTR, CObject*>>& items);
    static void TakeOut(CObList* list, const std::vector<std::pair<INT_PTR, CObject*>>& items);
    std::vector<Step> m_arrStep;
    std::vector<CReal> m_arrChangedHeight;
    bool m_bUndone = false;
};
