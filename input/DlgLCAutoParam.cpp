#include <vyr/input/DlgLCAutoParam.h>

#include <vyr/model/struct/LoadCase.h>
#include <vyr/resources/dialogs/LoadCombRes.h>

CDlgLCAutoParam::CDlgLCAutoParam(CWnd* pParent) : CDialog(IDD_LCAUTOPARAM, pParent) {}

void CDlgLCAutoParam::ReadFrom(const CLCList& l)
{
    m_nBasicRule = l.m_nBasicRule;
    m_bWindBothDir = l.m_bWindBothDir;
    m_bSeismBothDir = l.m_bSeismBothDir;
    m_bFavourableDead = l.m_bFavourableDead;
    m_nStandardRule = l.m_nStandardRule;
    m_fPrestressFactor = l.m_fPrestressFactor;
    m_fDeadFactor = l.m_fDeadFactor;
    m_fLiveFactor = l.m_fLiveFactor;
    m_fWindFactor = l.m_fWindFactor;
    m_fCraneFactor = l.m_fCraneFactor;
    m_fTemperatureFactor = l.m_fTemperatureFactor;
    m_fLiveCombFactor = l.m_fLiveCombFactor;
    m_fWindCombFactor = l.m_fWindCombFactor;
    m_fCraneCombFactor = l.m_fCraneCombFactor;
    m_fTemperatureCombFactor = l.m_fTemperatureCombFactor;
    m_fGravityFactor = l.m_fGravityFactor;
    m_fHSeismFactor = l.m_fHSeismFactor;
    m_fVSeismFactor = l.m_fVSeismFactor;
    m_bSeismWithWind = l.m_bSeismWithWind;
}

void CDlgLCAutoParam::WriteTo(CLCList& l) const
{
    l.m_nBasicRule = m_nBasicRule;
    l.m_bWindBothDir = m_bWindBothDir;
    l.m_bSeismBothDir = m_bSeismBothDir;
    l.m_bFavourableDead = m_bFavourableDead;
    l.m_nStandardRule = m_nStandardRule;
    l.m_fPrestressFactor = m_fPrestressFactor;
    l.m_fDeadFactor = m_fDeadFactor;
    l.m_fLiveFactor = m_fLiveFactor;
    l.m_fWindFactor = m_fWindFactor;
    l.m_fCraneFactor = m_fCraneFactor;
    l.m_fTemperatureFactor = m_fTemperatureFactor;
    l.m_fLiveCombFactor = m_fLiveCombFactor;
    l.m_fWindCombFactor = m_fWindCombFactor;
    l.m_fCraneCombFactor = m_fCraneCombFactor;
    l.m_fTemperatureCombFactor = m_fTemperatureCombFactor;
    l.m_fGravityFactor = m_fGravityFactor;
    l.m_fHSeismFactor = m_fHSeismFactor;
    l.m_fVSeismFactor = m_fVSeismFactor;
    l.m_bSeismWithWind = m_bSeismWithWind;
}

void CDlgLCAutoParam::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_LCAUTO_STANDARDRULE, m_nStandardRule);
    DDX_CBIndex(pDX, IDC_LCAUTO_BASICRULE, m_nBasicRule);
    DDX_Check(pDX, IDC_LCAUTO_FAVOURABLEDEAD, m_bFavourableDead);
    DDX_Check(pDX, IDC_LCAUTO_SEISMBOTH, m_bSeismBothDir);
    DDX_Check(pDX, IDC_LCAUTO_WINDBOTH, m_bWindBothDir);
    DDX_Check(pDX, IDC_LCAUTO_SEISMWIND, m_bSeismWithWind);
    DDX_Check(pDX, IDC_LCAUTO_DELETE, m_bDelete);
    const struct
    {
        int id;
        float* value;
    } factors[] = {{IDC_LCAUTO_CRANE, &m_fCraneFactor},
                   {IDC_LCAUTO_CRANECOMB, &m_fCraneCombFactor},
                   {IDC_LCAUTO_DEAD, &m_fDeadFactor},
                   {IDC_LCAUTO_GRAVITY, &m_fGravityFactor},
                   {IDC_LCAUTO_HSEISM, &m_fHSeismFactor},
                   {IDC_LCAUTO_WIND, &m_fWindFactor},
                   {IDC_LCAUTO_WINDCOMB, &m_fWindCombFactor},
                   {IDC_LCAUTO_LIVE, &m_fLiveFactor},
                   {IDC_LCAUTO_LIVECOMB, &m_fLiveCombFactor},
                   {IDC_LCAUTO_PRESTRESS, &m_fPrestressFactor},
                   {IDC_LCAUTO_TEMPERATURE, &m_fTemperatureFactor},
                   {IDC_LCAUTO_TEMPCOMB, &m_fTemperatureCombFactor},
                   {IDC_LCAUTO_VSEISM, &m_fVSeismFactor}};
    for (const auto& f : factors) {
        DDX_Text(pDX, f.id, *f.value);
        DDV_MinMaxFloat(pDX, *f.value, 0.0f, 5.0f);
    }
}

BOOL CDlgLCAutoParam::OnInitDialog()
{
    // Deleting the old combinations is offered afresh every time.
    m_bDelete = 1;
    CDialog::OnInitDialog();
    return TRUE;
}
