#include <vyr/input/DlgBanDesign.h>

#include <vyr/input/BanDesignBars.h>
#include <vyr/resources/dialogs/SlabDesignRes.h>

BEGIN_MESSAGE_MAP(CDlgBanDesign, CDlgBanDesignBase)
    ON_BN_CLICKED(IDC_SLAB_AUTO, &CDlgBanDesign::OnAutoDesign)
    ON_BN_CLICKED(IDC_SLAB_POSREDESIGN, &CDlgBanDesign::OnConditionalDesignPositive)
    ON_BN_CLICKED(IDC_SLAB_NEGREDESIGN, &CDlgBanDesign::OnConditionalDesignNegative)
    ON_BN_CLICKED(IDC_SLAB_FREECHOICE, &CDlgBanDesign::OnFreeChoice)
END_MESSAGE_MAP()

CDlgBanDesign::CDlgBanDesign(CWnd* pParent) : CDlgBanDesignBase(IDD_SLABDESIGN, pParent) {}

void CDlgBanDesign::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SLAB_POSDIAMETER, m_nPosDiameter);
    DDV_MinMaxInt(pDX, m_nPosDiameter, 6, 50);
    DDX_Text(pDX, IDC_SLAB_POSSPACE, m_nPosSpace);
    DDV_MinMaxInt(pDX, m_nPosSpace, 50, 400);
    DDX_Text(pDX, IDC_SLAB_POSAREA, m_fPosArea);
    DDX_Text(pDX, IDC_SLAB_POSNEED, m_fPosNeed);
    DDX_Text(pDX, IDC_SLAB_NEGDIAMETER, m_nNegDiameter);
    DDV_MinMaxInt(pDX, m_nNegDiameter, 6, 50);
    DDX_Text(pDX, IDC_SLAB_NEGSPACE, m_nNegSpace);
    DDV_MinMaxInt(pDX, m_nNegSpace, 50, 400);
    DDX_Text(pDX, IDC_SLAB_NEGAREA, m_fNegArea);
    DDX_Text(pDX, IDC_SLAB_NEGNEED, m_fNegNeed);
    DDX_Text(pDX, IDC_SLAB_COVER, m_nCover);
    DDV_MinMaxInt(pDX, m_nCover, 10, 50);
    DDX_Text(pDX, IDC_SLAB_THICK, m_nThick);
    DDV_MinMaxInt(pDX, m_nThick, 70, 300);
    DDX_CBIndex(pDX, IDC_SLAB_GRADE, m_nGrade);
    DDX_Check(pDX, IDC_SLAB_FREECHOICE, m_bFreeChoice);
}

BOOL CDlgBanDesign::OnInitDialog()
{
    CDialog::OnInitDialog();
    UpdateData(TRUE);
    // The host's settings are shown, as the two sibling dialogs show them.
    TakeSettings({&m_nPosSpace}, {&m_nNegSpace}, 2, true);
    Enable({IDC_SLAB_POSDIAMETER, IDC_SLAB_POSSPACE, IDC_SLAB_NEGDIAMETER, IDC_SLAB_NEGSPACE, IDC_SLAB_POSREDESIGN,
            IDC_SLAB_NEGREDESIGN, IDC_SLAB_FREECHOICE},
           false);
    UpdateData(FALSE);
    return TRUE;
}

void CDlgBanDesign::OnAutoDesign()
{
    if (!UpdateData(TRUE))
        return;
    Enable({IDC_SLAB_POSREDESIGN, IDC_SLAB_NEGREDESIGN}, m_bFreeChoice != 0);
    Enable({IDC_SLAB_POSDIAMETER, IDC_SLAB_POSSPACE, IDC_SLAB_NEGDIAMETER, IDC_SLAB_NEGSPACE}, true);
    m_bDesigned = true;
    DesignSlab();
}

void CDlgBanDesign::DesignSlab()
{
    m_bDesignValid = true;
    float posNeed = 0.0f, negNeed = 0.0f;
    if (!DesignTwoMoments(posNeed, negNeed)) {
        m_bDesignValid = false;
        return;
    }
    m_fPosNeed = posNeed;
    m_fNegNeed = negNeed;
    if (m_bFreeChoice) {
        SlabBar pos, neg;
        ChooseBars(posNeed, pos);
        ChooseBars(negNeed, neg);
        m_nPosDiameter = pos.diameter;
        m_nPosSpace = pos.space;
        m_nNegDiameter = neg.diameter;
        m_nNegSpace = neg.space;
    }
    m_fPosArea = ProvidedArea(m_nPosDiameter, m_nPosSpace);
    m_fNegArea = ProvidedArea(m_nNegDiameter, m_nNegSpace);
    UpdateData(FALSE);
}

void CDlgBanDesign::OnConditionalDesignPositive()
{
    RedesignTwoMomentGroup(false, m_nPosDiameter, m_nPosSpace, m_fPosNeed, m_fPosArea);
}

void CDlgBanDesign::OnConditionalDesignNegative()
{
    RedesignTwoMomentGroup(true, m_nNegDiameter, m_nNegSpace, m_fNegNeed, m_fNegArea);
}

void CDlgBanDesign::OnFreeChoice()
{
    if (!UpdateData(TRUE))
        return;
    Enable({IDC_SLAB_POSREDESIGN, IDC_SLAB_NEGREDESIGN}, m_bFreeChoice != 0 && m_bDesigned);
    UpdateData(FALSE);
}
