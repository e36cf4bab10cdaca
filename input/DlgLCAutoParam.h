// The parameters of the automatic generation of load combinations: the two combination
// rules, four switches, thirteen factors and whether the existing combinations go first.
// The dialog calls nothing of the model: its caller copies the parameters in and out.
#pragma once

#include <vyr/stdafx.h>

class CLCList;

class CDlgLCAutoParam : public CDialog
{
public:
    explicit CDlgLCAutoParam(CWnd* pParent = nullptr);

    // Copies the parameters of the structure's combination list in, and back (the delete
    // box is not a parameter of the list).
    void ReadFrom(const CLCList& list);
    void WriteTo(CLCList& list) const;

    int m_nStandardRule = -1;  // combo index: 0 standard, 1 simplified
    int m_nBasicRule = -1;
    int m_bFavourableDead = 0;
    int m_bSeismBothDir = 0;
    int m_bWindBothDir = 0;
    int m_bSeismWithWind = 0;
    int m_bDelete = 1;         // ticked at every opening
    float m_fCraneFactor = 0.0f;
    float m_fCraneCombFactor = 0.0f;
    float m_fDeadFactor = 0.0f;
    float m_fGravityFactor = 0.0f;
    float m_fHSeismFactor = 0.0f;
    float m_fWindFactor = 0.0f;
    float m_fWindCombFactor = 0.0f;
    float m_fLiveFactor = 0.0f;
    float m_fLiveCombFactor = 0.0f;
    float m_fPrestressFactor = 0.0f;
    float m_fTemperatureFactor = 0.0f;
    float m_fTemperatureCombFactor = 0.0f;
    float m_fVSeismFactor = 0.0f;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
