#include <vyr/input/DlgBanDesignDeck.h>

#include <vyr/input/BanDesignBars.h>
#include <vyr/resources/dialogs/SlabDesignRes.h>

BEGIN_MESSAGE_MAP(CDlgBanDesignDeck, CDlgBanDesignBase)
    ON_BN_CLICKED(IDC_SLABDECK_AUTO, &CDlgBanDesignDeck::OnAutoDesign)
    ON_BN_CLICKED(IDC_SLABDECK_REDESIGN, &CDlgBanDesignDeck::OnConditionalDesignNegative)
    ON_BN_CLICKED(IDC_SLAB_FREECHOICE, &CDlgBanDesignDeck::OnFreeChoice)
END_MESSAGE_MAP()

CDlgBanDesignDeck::CDlgBanDesignDeck(CWnd* pParent) : CDlgBanDesignBase(IDD_SLABDESIGN_DECK, pParent) {}

void CDlgBanDesignDeck::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SLAB_NEGDIAMETER, m_nNegDiameter);
    DDV_MinMaxInt(pDX, m_nNegDiameter, 6, 50);
    DDX_Text(pDX, IDC_SLAB_NEGSPACE, m_nNegSpace);
    DDV_MinMaxInt(pDX, m_nNegSpace, 50, 400);
    DDX_Text(pDX, IDC_SLABDECK_AREA, m_fNegArea);
    DDX_Text(pDX, IDC_SLABDECK_NEED, m_fNegNeed);
    DDX_Text(pDX, IDC_SLAB_COVER, m_nCover);
    DDV_MinMaxInt(pDX, m_nCover, 10, 50);
    DDX_Text(pDX, IDC_SLAB_THICK, m_nThick);
    DDV_MinMaxInt(pDX, m_nThick, 70, 300);
    DDX_CBIndex(pDX, IDC_SLAB_GRADE, m_nGrade);
    DDX_Check(pDX, IDC_SLAB_FREECHOICE, m_bFreeChoice);
}

BOOL CDlgBanDesignDeck::OnInitDialog()
{
    CDialog::OnInitDialog();
    UpdateData(TRUE);
    TakeSettings({}, {&m_nNegSpace}, 2, true);
    Enable({IDC_SLAB_NEGDIAMETER, IDC_SLAB_NEGSPACE, IDC_SLABDECK_REDESIGN, IDC_SLAB_FREECHOICE}, false);
    UpdateData(FALSE);
    return TRUE;
}

void CDlgBanDesignDeck::OnAutoDesign()
{
    if (!UpdateData(TRUE))
        return;
    Enable({IDC_SLAB_NEGDIAMETER, IDC_SLAB_NEGSPACE}, true);
    Enable({IDC_SLABDECK_REDESIGN}, m_bFreeChoice != 0);
    m_bDesigned = true;
    m_bDesignValid = true;
    float posNeed = 0.0f, negNeed = 0.0f;
    if (!DesignTwoMoments(posNeed, negNeed)) {
        m_bDesignValid = false;
        return;
    }
    m_fNegNeed = negNeed;
    if (m_bFreeChoice) {
        SlabBar bar;
        ChooseBars(negNeed, bar);
        m_nNegDiameter = bar.diameter;
        m_nNegSpace = bar.space;
    }
    m_fNegArea = ProvidedArea(m_nNegDiameter, m_nNegSpace);
    UpdateData(FALSE);
}

void CDlgBanDesignDeck::OnConditionalDesignNegative()
{
    RedesignTwoMomentGroup(true, m_nNegDiameter, m_nNegSpace, m_fNegNeed, m_fNegArea);
}

void CDlgBanDesignDeck::OnFreeChoice()
{
    if (!UpdateData(TRUE))
        return;
    Enable({IDC_SLABDECK_REDESIGN}, m_bFreeChoice != 0 && m_bDesigned);
    UpdateData(FALSE);
}
