// CMaterialBase: one steel or concrete material of the project's material list. Strengths
// and E are stored as the material dialogs write them (times 0.1), the density times 1e-6,
// the expansion coefficient in units of 1e-6 per degree.
#pragma once

#include <vyr/stdafx.h>

class CMaterialBase : public CObject
{
public:
    CMaterialBase();
    CMaterialBase(const CMaterialBase& m) : CObject(), m_Text1(), m_Name() { *this = m; }
    CMaterialBase& operator=(const CMaterialBase& m);
    virtual ~CMaterialBase();
    void Serialize(CArchive& ar) override;
    DECLARE_SERIAL(CMaterialBase)

    int GetID() const { return m_ID; }
    void SetID(int id) { m_ID = id; }
    int GetType() const { return m_Type; }
    float Get_f() const { return m_f; }
    // Shear strength of steel; the same member is the tensile strength of concrete.
    float Get_fv() const { return m_fv; }
    float Get_ft() const { return m_fv; }
    // Yield strength of steel; the same member is the compressive strength of concrete.
    float Get_fy() const { return m_fy; }
    float Get_fc() const { return m_fy; }
    float GetE() const { return (float)m_E; }
    float GetPoisson() const { return m_Poisson; }
    // Per degree.
    float GetExpand() const { return (float)(m_Expand * 1e-6); }
    float GetDensity() const { return m_Density; }
    float GetEP() const { return (float)m_EP; }
    float GetRatio() const { return (float)(m_fy / m_E); }
    // E / (2 (1 + nu)), in extended precision.
    float GetG() const { return (float)((long double)m_E / (2.0L * (1.0L + (long double)m_Poisson))); }
    const CString& GetText1() const { return m_Text1; }
    const CString& GetName() const { return m_Name; }

    // Setters used by the material dialogs; each stores its value unchanged.
    void SetType(int t) { m_Type = t; }
    void Set_f(float v) { m_f = v; }
    void Set_fv(float v) { m_fv = v; }
    void Set_ft(float v) { m_fv = v; }
    void Set_fy(float v) { m_fy = v; }
    void Set_fc(float v) { m_fy = v; }
    void SetE(double v) { m_E = v; }
    void SetPoisson(float v) { m_Poisson = v; }
    // In units of 1e-6 per degree, as stored.
    void SetExpand(float v) { m_Expand = v; }
    void SetDensity(float v) { m_Density = v; }
    void SetEP(double v) { m_EP = v; }
    void SetText1(const CString& s) { m_Text1 = s; }
    void SetName(const CString& s) { m_Name = s; }

private:
    std::int32_t m_ID;
    std::int32_t m_Type;
    float m_f;
    float m_fv;
    float m_fy;
    double m_E;
    float m_Poisson;
    float m_Expand;
    float m_Density;
    double m_EP;
    CString m_Text1;
    CString m_Name;
};
