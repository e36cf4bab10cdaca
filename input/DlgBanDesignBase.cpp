#include <vyr/input/DlgBanDesignBase.h>

#include <cmath>

#include <vyr/input/BanDesignBars.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/HostMessages.h>
#include <vyr/protocol/HostProtocol.h>
#include <vyr/resources/dialogs/SlabDesignRes.h>

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

void CDlgBanDesignBase::Start(std::initializer_list<int*> posSpaces, std::initializer_list<int*> negSpaces, int grades,
                              bool fixGrade, std::initializer_list<int> disabled)
{
    TakeSettings(posSpaces, negSpaces, grades, fixGrade);
    Enable(disabled, false);
    UpdateData(FALSE);
}

void CDlgBanDesignBase::FreeChoiceChanged(std::initializer_list<int> buttons)
{
    if (!UpdateData(TRUE))
        return;
    Enable(buttons, m_bFreeChoice != 0 && m_bDesigned);
    UpdateData(FALSE);
}

void CDlgBanDesignBase::ExchangeBasics(CDataExchange* pDX, int coverId)
{
    DDX_Text(pDX, coverId, m_nCover);
    DDV_MinMaxInt(pDX, m_nCover, 10, 50);
    DDX_Text(pDX, IDC_SLAB_THICK, m_nThick);
    DDV_MinMaxInt(pDX, m_nThick, 70, 300);
    DDX_CBIndex(pDX, IDC_SLAB_GRADE, m_nGrade);
    DDX_Check(pDX, IDC_SLAB_FREECHOICE, m_bFreeChoice);
}

void CDlgBanDesignBase::ExchangeGroup(CDataExchange* pDX, const int ids[4], int& diameter, int& space, float& area,
                                      float& need)
{
    DDX_Text(pDX, ids[0], diameter);
    DDV_MinMaxInt(pDX, diameter, 6, 50);
    DDX_Text(pDX, ids[1], space);
    DDV_MinMaxInt(pDX, space, 50, 400);
    DDX_Text(pDX, ids[2], area);
    DDX_Text(pDX, ids[3], need);
}
