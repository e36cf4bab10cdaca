// CMaterialList: the project's steel or concrete material list (owns its materials).
#pragma once

#include <vyr/stdafx.h>
#include <vyr/collections.h>
#include <vyr/model/material/material.h>

class CMaterialList : public CObList
{
public:
    CMaterialList() : CObList(10) {}
    CMaterialList(const CMaterialList&) = delete;
    CMaterialList& operator=(const CMaterialList&) = delete;
    ~CMaterialList() override;

    // The material with that identifier (its 1-based position); null when there is none.
    CMaterialBase* Get(int nID) const;
    // Appends and numbers the material (identifier = new count).
    void AddMaterial(CMaterialBase* pMat);
    // Removes and deletes the material with that identifier; the rest are renumbered.
    void Delete(int nID);
};
