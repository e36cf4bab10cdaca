#include <vyr/input/DlgBanDesignBase.h>

#include <cmath>

#include <vyr/input/BanDesignBars.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/protocol/HostProtocol.h>

void CDlgBanDesignBase::TakeSettings(std::initializer_list<int*> posSpaces, std::initializer_list<int*> negSpaces,
                                     int grades, bool fixGrade)
{
    int* block = reinterpret_cast<int*>(VyrSendToHost(WM_UI_GETSETTINGS, 0, 2));
    if (block == nullptr)
        return;
    if (fixGrade && block[2] < 0)
        block[2] = 0;
    auto take = [](int value, int lo, int hi, int& member) {
        if (value >= lo && value <= hi)
            member = value;
    };
    take(block[2], 0, grades - 1, m_nGrade);
    take(block[4], 10, 50, m_nCover);
    for (int* s : posSpaces)
        take(block[5], 50, 400, *s);
    for (int* s : negSpaces)
        take(block[6], 50, 400, *s);
}

CMaterialBase* CDlgBanDesignBase::Material() const
{
    return m_pData != nullptr && m_pData->Struct() != nullptr ? m_pData->Struct()->m_pDefaultFloorMaterial : nullptr;
}

bool CDlgBanDesignBase::DesignTwoMoments(float& posNeed, float& negNeed)
{
    if (m_pPlaneList == nullptr)
        return false;
    CPlane* negRoom = nullptr;
    CPlane* posRoom = nullptr;
    float maxNeg = 0.0f, maxPos = 0.0f;
    for (POSITION pos = m_pPlaneList->GetHeadPosition(); pos != nullptr;) {
        CPlane* p = m_pPlaneList->GetNextT(pos);
        float m1 = 0.0f, m2 = 0.0f;
        p->ComputeForce(m1, m2, Material());
        if (negRoom == nullptr || std::fabs(m1) > maxNeg) {
            negRoom = p;
            maxNeg = std::fabs(m1);
        }
        if (posRoom == nullptr || std::fabs(m2) > maxPos) {
            posRoom = p;
            maxPos = std::fabs(m2);
        }
        p->m_fCover = (float)m_nCover;
    }
    if (negRoom == nullptr)
        return false;
    float xPos, xNeg, yPos, yNeg;
    if (!negRoom->Design(m_nGrade, xPos, xNeg, yPos, yNeg, Material()))
        return false;
    negNeed = xNeg;
    if (!posRoom->Design(m_nGrade, xPos, xNeg, yPos, yNeg, Material()))
        return false;
    posNeed = xPos;
    return true;
}

void CDlgBanDesignBase::RedesignTwoMomentGroup(bool negative, int& diameter, int& space, float& need, float& area)
{
    const SlabBar was{diameter, space};
    if (!UpdateData(TRUE))
        return;
    float posNeed = 0.0f, negNeed = 0.0f;
    // A failed design stops without a word; the design-valid flag keeps the automatic design's.
    if (!DesignTwoMoments(posNeed, negNeed))
        return;
    need = negative ? negNeed : posNeed;
    SlabBar bar{diameter, space};
    RedesignBars(need, was, bar);
    diameter = bar.diameter;
    space = bar.space;
    area = ProvidedArea(diameter, space);
    UpdateData(FALSE);
}

void CDlgBanDesignBase::Enable(std::initializer_list<int> ids, bool enable)
{
    for (int id : ids)
        if (CWnd* w = GetDlgItem(id))
            w->EnableWindow(enable ? TRUE : FALSE);
}
