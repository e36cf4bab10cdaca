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
    static const int pos[4] = {IDC_SLAB_POSDIAMETER, IDC_SLAB_POSSPACE, IDC_SLAB_POSAREA, IDC_SLAB_POSNEED};
    static const int neg[4] = {IDC_SLAB_NEGDIAMETER, IDC_SLAB_NEGSPACE, IDC_SLAB_NEGAREA, IDC_SLAB_NEGNEED};
    ExchangeGroup(pDX, pos, m_nPosDiameter, m_nPosSpace, m_fPosArea, m_fPosNeed);
    ExchangeGroup(pDX, neg, m_nNegDiameter, m_nNegSpace, m_fNegArea, m_fNegNeed);
    ExchangeBasics(pDX, IDC_SLAB_COVER);
}

BOOL CDlgBanDesign::OnInitDialog()
{
    CDialog::OnInitDialog();
    UpdateData(TRUE);
    // The host's settings are shown, as the two sibling dialogs show them.
    Start({&m_nPosSpace}, {&m_nNegSpace}, 2, true,
          {IDC_SLAB_POSDIAMETER, IDC_SLAB_POSSPACE, IDC_SLAB_NEGDIAMETER, IDC_SLAB_NEGSPACE, IDC_SLAB_POSREDESIGN,
           IDC_SLAB_NEGREDESIGN, IDC_SLAB_FREECHOICE});
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

void CDlgBanDesign::OnFreeChoice() { FreeChoiceChanged({IDC_SLAB_POSREDESIGN, IDC_SLAB_NEGREDESIGN}); }
