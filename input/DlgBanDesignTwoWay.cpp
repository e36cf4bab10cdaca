#include <vyr/input/DlgBanDesignTwoWay.h>

#include <cmath>

#include <vyr/input/BanDesignBars.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/SlabDesignRes.h>

namespace {

const int kDiameterIds[4] = {IDC_SLAB2W_XPOSDIAMETER, IDC_SLAB2W_XNEGDIAMETER, IDC_SLAB2W_YPOSDIAMETER,
                             IDC_SLAB2W_YNEGDIAMETER};
const int kSpaceIds[4] = {IDC_SLAB2W_XPOSSPACE, IDC_SLAB2W_XNEGSPACE, IDC_SLAB2W_YPOSSPACE, IDC_SLAB2W_YNEGSPACE};
const int kAreaIds[4] = {IDC_SLAB2W_XPOSAREA, IDC_SLAB2W_XNEGAREA, IDC_SLAB2W_YPOSAREA, IDC_SLAB2W_YNEGAREA};
const int kNeedIds[4] = {IDC_SLAB2W_XPOSNEED, IDC_SLAB2W_XNEGNEED, IDC_SLAB2W_YPOSNEED, IDC_SLAB2W_YNEGNEED};

// The moment of each group in ComputeForce's order (a1 X positive, a2 Y positive, a3 X
// negative, a4 Y negative).
const int kMomentOfGroup[4] = {0, 2, 1, 3};

const char* const kTooLarge[4] = {"X方向正弯矩钢筋面积太大，无法自动选配钢筋", "X方向负弯矩钢筋面积太大，无法自动选配钢筋",
                                  "Y方向正弯矩钢筋面积太大，无法自动选配钢筋", "Y方向负弯矩钢筋面积太大，无法自动选配钢筋"};

} // namespace

BEGIN_MESSAGE_MAP(CDlgBanDesignTwoWay, CDlgBanDesignBase)
    ON_BN_CLICKED(IDC_SLAB2W_AUTO, &CDlgBanDesignTwoWay::OnAutoDesign)
    ON_BN_CLICKED(IDC_SLAB2W_XPOSREDESIGN, &CDlgBanDesignTwoWay::OnConditionalDesignXPositive)
    ON_BN_CLICKED(IDC_SLAB2W_XNEGREDESIGN, &CDlgBanDesignTwoWay::OnConditionalDesignXNegative)
    ON_BN_CLICKED(IDC_SLAB2W_YPOSREDESIGN, &CDlgBanDesignTwoWay::OnConditionalDesignYPositive)
    ON_BN_CLICKED(IDC_SLAB2W_YNEGREDESIGN, &CDlgBanDesignTwoWay::OnConditionalDesignYNegative)
    ON_BN_CLICKED(IDC_SLAB_FREECHOICE, &CDlgBanDesignTwoWay::OnFreeChoice)
END_MESSAGE_MAP()

CDlgBanDesignTwoWay::CDlgBanDesignTwoWay(CWnd* pParent) : CDlgBanDesignBase(IDD_SLABDESIGN_TWOWAY, pParent) {}

int* CDlgBanDesignTwoWay::Diameter(int group)
{
    int* d[4] = {&m_nXPosDiameter, &m_nXNegDiameter, &m_nYPosDiameter, &m_nYNegDiameter};
    return d[group];
}

int* CDlgBanDesignTwoWay::Space(int group)
{
    int* s[4] = {&m_nXPosSpace, &m_nXNegSpace, &m_nYPosSpace, &m_nYNegSpace};
    return s[group];
}

void CDlgBanDesignTwoWay::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_SLAB2W_CONDITION, m_nCondition);
    ExchangeBasics(pDX, IDC_SLAB2W_COVER);
    // The bars have the limits of the one-way dialog: a bar group of the model never gets a
    // diameter or spacing that the user could not type there.
    for (int g = 0; g < 4; ++g) {
        const int ids[4] = {kDiameterIds[g], kSpaceIds[g], kAreaIds[g], kNeedIds[g]};
        ExchangeGroup(pDX, ids, *Diameter(g), *Space(g), m_fArea[g], m_fNeed[g]);
    }
}

BOOL CDlgBanDesignTwoWay::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_pPlaneList != nullptr && !m_pPlaneList->IsEmpty())
        m_nCondition = m_pPlaneList->GetHeadT()->SetCondition();
    Start({&m_nXPosSpace, &m_nYPosSpace}, {&m_nXNegSpace, &m_nYNegSpace}, 3, false,
          {IDC_SLAB2W_XPOSDIAMETER, IDC_SLAB2W_XPOSSPACE, IDC_SLAB2W_XNEGDIAMETER, IDC_SLAB2W_XNEGSPACE,
           IDC_SLAB2W_YPOSDIAMETER, IDC_SLAB2W_YPOSSPACE, IDC_SLAB2W_YNEGDIAMETER, IDC_SLAB2W_YNEGSPACE,
           IDC_SLAB2W_XPOSREDESIGN, IDC_SLAB2W_XNEGREDESIGN, IDC_SLAB2W_YPOSREDESIGN, IDC_SLAB2W_YNEGREDESIGN,
           IDC_SLAB_FREECHOICE});
    return TRUE;
}

void CDlgBanDesignTwoWay::DesignRooms(CPlane* rooms[4])
{
    float largest[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    for (int k = 0; k < 4; ++k)
        rooms[k] = nullptr;
    for (POSITION pos = m_pPlaneList->GetHeadPosition(); pos != nullptr;) {
        CPlane* p = m_pPlaneList->GetNextT(pos);
        p->m_nTwoWayBound = m_nCondition;
        float a[4] = {0.0f, 0.0f, 0.0f, 0.0f};
        p->ComputeForce(a[0], a[1], a[2], a[3]);
        p->m_fCover = (float)m_nCover;
        for (int k = 0; k < 4; ++k) {
            if (rooms[k] == nullptr || std::fabs(a[k]) >= largest[k]) {
                rooms[k] = p;
                largest[k] = std::fabs(a[k]);
            }
        }
    }
}

void CDlgBanDesignTwoWay::OnAutoDesign()
{
    if (!UpdateData(TRUE))
        return;
    for (int g = 0; g < 4; ++g)
        Enable({kDiameterIds[g], kSpaceIds[g]}, true);
    Enable({IDC_SLAB2W_XPOSREDESIGN, IDC_SLAB2W_XNEGREDESIGN, IDC_SLAB2W_YPOSREDESIGN, IDC_SLAB2W_YNEGREDESIGN},
           m_bFreeChoice != 0);
    // The caller takes the bars only from a design that ran.
    m_bDesigned = true;
    m_bDesignValid = true;
    if (m_pPlaneList == nullptr || m_pPlaneList->IsEmpty()) {
        m_bDesignValid = false;
        return;
    }
    CPlane* rooms[4];
    DesignRooms(rooms);
    // Each group from the room of its own moment, in the order X positive, X negative,
    // Y negative, Y positive.
    float need[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    for (int g : {0, 1, 3, 2}) {
        float a[4];
        if (!rooms[kMomentOfGroup[g]]->Design(m_nGrade, a[0], a[1], a[2], a[3], Material())) {
            m_bDesignValid = false;
            return;
        }
        need[g] = a[g];
    }
    for (int g = 0; g < 4; ++g)
        m_fNeed[g] = need[g];
    if (m_bFreeChoice) {
        SlabBar bars[4];
        for (int g : ChooseTwoWayBars(m_nGrade, need, bars))
            MessageBox(kTooLarge[g]);
        for (int g = 0; g < 4; ++g) {
            *Diameter(g) = bars[g].diameter;
            *Space(g) = bars[g].space;
        }
    }
    for (int g = 0; g < 4; ++g)
        m_fArea[g] = ProvidedArea(*Diameter(g), *Space(g));
    UpdateData(FALSE);
}

void CDlgBanDesignTwoWay::OnConditionalDesign(int group)
{
    const SlabBar was{*Diameter(group), *Space(group)};
    if (!UpdateData(TRUE) || m_pPlaneList == nullptr || m_pPlaneList->IsEmpty())
        return;
    CPlane* rooms[4];
    DesignRooms(rooms);
    float a[4];
    // A failed design stops without a word, as in the one-way dialog.
    if (!rooms[kMomentOfGroup[group]]->Design(m_nGrade, a[0], a[1], a[2], a[3], Material()))
        return;
    SlabBar bar{*Diameter(group), *Space(group)};
    RedesignBars(a[group], was, bar);
    *Diameter(group) = bar.diameter;
    *Space(group) = bar.space;
    m_fArea[group] = ProvidedArea(bar.diameter, bar.space);
    UpdateData(FALSE);
}

void CDlgBanDesignTwoWay::OnFreeChoice()
{
    FreeChoiceChanged(
        {IDC_SLAB2W_XPOSREDESIGN, IDC_SLAB2W_XNEGREDESIGN, IDC_SLAB2W_YPOSREDESIGN, IDC_SLAB2W_YNEGREDESIGN});
}
