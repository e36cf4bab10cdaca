#include <vyr/model/material/MaterialList.h>
#include <vyr/model/base/OwnedList.h>

CMaterialList::~CMaterialList()
{
    vyr::DeleteListItems(*this);
}

CMaterialBase* CMaterialList::Get(int nID) const
{
    return vyr::ListAt<CMaterialBase>(*this, nID);
}

void CMaterialList::AddMaterial(CMaterialBase* pMat)
{
    if (pMat == nullptr || Find(pMat) != nullptr)
        return;
    AddTail(pMat);
    pMat->SetID((int)GetCount());
}

void CMaterialList::Delete(int nID)
{
    if (nID < 1 || nID > (int)GetCount())
        return;
    POSITION pos = FindIndex(nID - 1);
    delete static_cast<CMaterialBase*>(GetAt(pos));
    RemoveAt(pos);
    int n = 0;
    for (POSITION p = GetHeadPosition(); p != nullptr;)
        static_cast<CMaterialBase*>(GetNext(p))->SetID(++n);
}
