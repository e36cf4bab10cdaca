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
    static const int ids[4] = {IDC_SLAB_NEGDIAMETER, IDC_SLAB_NEGSPACE, IDC_SLABDECK_AREA, IDC_SLABDECK_NEED};
    ExchangeGroup(pDX, ids, m_nNegDiameter, m_nNegSpace, m_fNegArea, m_fNegNeed);
    ExchangeBasics(pDX, IDC_SLAB_COVER);
}

BOOL CDlgBanDesignDeck::OnInitDialog()
{
    CDialog::OnInitDialog();
    UpdateData(TRUE);
    Start({}, {&m_nNegSpace}, 2, true,
          {IDC_SLAB_NEGDIAMETER, IDC_SLAB_NEGSPACE, IDC_SLABDECK_REDESIGN, IDC_SLAB_FREECHOICE});
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

void CDlgBanDesignDeck::OnFreeChoice() { FreeChoiceChanged({IDC_SLABDECK_REDESIGN}); }
