// The profile classes of the section library, one per cross-section family.
// Dimension getters answer centimetres (stored millimetres times 0.1).
#pragma once

#include <vyr/model/section/SectionBase.h>

// Declarations every profile class repeats: runtime class, typed assignment (through the
// virtual one, so the base part and the own fields are copied), serialisation.
#define VYR_SECTION_CLASS(cls)                                                      \
    DECLARE_SERIAL(cls)                                                             \
public:                                                                             \
    cls& operator=(cls& other)                                                      \
    {                                                                               \
        operator=(static_cast<CSectionBase&>(other));                               \
        return *this;                                                               \
    }                                                                               \
    CSectionBase& operator=(CSectionBase& other) override;                          \
    void Serialize(CArchive& ar) override;                                          \
    void Draw(CDC* pDC, CRect rect) override { DrawOutline(pDC, rect); }            \
    void Dim(CDC* pDC) override { DimOutline(pDC); }

// ---------------------------------------------------------------- rolled and welded

class CSRolledEAngle : public CSectionBase
{
    VYR_SECTION_CLASS(CSRolledEAngle)
public:
    CSRolledEAngle() = default;
    CSRolledEAngle(int nType, float fB, float fT, float fR, float fR1, float fXc);
    void BuildStructure() override;
    bool DimsValid() override;
    float GetR() override { return m_fR * 0.1f; }
    float GetR1() override { return m_fR1 * 0.1f; }
    float GetH() override { return m_fB * 0.1f; }
    float GetB() override { return m_fB * 0.1f; }
    float GetT() override { return m_fT * 0.1f; }
    float GetTf() override { return m_fT * 0.1f; }
    float GetB1() override { return m_fB * 0.1f; }
    float GetTf1() override { return m_fT * 0.1f; }
    void SetB(float f) override { m_fB = f; }
    void SetT(float f) override { m_fT = f; }
    void SetR(float f) override { m_fR = f; }
    void SetR1(float f) override { m_fR1 = f; }
    float m_fT = 0.0f;
    float m_fR = 0.0f;
    float m_fR1 = 0.0f;

protected:
    void ComputeProperties() override;
    float CalcI11() override;
};

class CSRolledNEAngle : public CSectionBase
{
    VYR_SECTION_CLASS(CSRolledNEAngle)
public:
    CSRolledNEAngle() = default;
    CSRolledNEAngle(int nType, float fH, float fB, float fT, float fR, float fR1, float fXc, float fYc);
    void BuildStructure() override;
    bool DimsValid() override;
    float GetR() override { return m_fR * 0.1f; }
    float GetR1() override { return m_fR1 * 0.1f; }
    float GetH() override { return m_fH * 0.1f; }
    float GetB() override { return m_fB * 0.1f; }
    float GetT() override { return m_fT * 0.1f; }
    float GetTf() override { return m_fT * 0.1f; }
    float GetB1() override { return m_fB * 0.1f; }
    float GetTf1() override { return m_fT * 0.1f; }
    void SetH(float f) override { m_fH = f; }
    void SetB(float f) override { m_fB = f; }
    void SetT(float f) override { m_fT = f; }
    void SetR(float f) override { m_fR = f; }
    void SetR1(float f) override { m_fR1 = f; }
    float m_fT = 0.0f;
    float m_fR = 0.0f;
    float m_fR1 = 0.0f;

protected:
    void ComputeProperties() override;
    float CalcI11() override;
};

// Unequal-leg angle whose legs differ in thickness too: T for the long leg, Tf for the short.
class CSRolledNETAngle : public CSectionBase
{
    VYR_SECTION_CLASS(CSRolledNETAngle)
public:
    CSRolledNETAngle() = default;
    CSRolledNETAngle(float fH, float fB, float fT, float fTf, float fR, float fR1, float fXc, float fYc);
    void BuildStructure() override;
    bool DimsValid() override;
    float GetR() override { return m_fR * 0.1f; }
    float GetR1() override { return m_fR1 * 0.1f; }
    float GetH() override { return m_fH * 0.1f; }
    float GetB() override { return m_fB * 0.1f; }
    float GetT() override { return m_fT * 0.1f; }
    float GetTf() override { return m_fTf * 0.1f; }
    float GetB1() override { return m_fB * 0.1f; }
    float GetTf1() override { return m_fTf * 0.1f; }
    void SetH(float f) override { m_fH = f; }
    void SetB(float f) override { m_fB = f; }
    void SetT(float f) override { m_fT = f; }
    void SetTf(float f) override { m_fTf = f; }
    void SetR(float f) override { m_fR = f; }
    void SetR1(float f) override { m_fR1 = f; }
    float m_fT = 0.0f;
    float m_fTf = 0.0f;
    float m_fR = 0.0f;
    float m_fR1 = 0.0f;

protected:
    void ComputeProperties() override;
    float CalcI11() override;
};

// T section: flange B x Tf at the top, stem thickness T, overall height H.
class CSRolledTbeam : public CSectionBase
{
    VYR_SECTION_CLASS(CSRolledTbeam)
public:
    CSRolledTbeam() = default;
    CSRolledTbeam(int nType, float fH, float fB, float fT, float fTf, float fR, float fR1, float fYc);
    void BuildStructure() override;
    bool DimsValid() override;
    float GetH() override { return m_fH * 0.1f; }
    float GetB() override { return m_fB * 0.1f; }
    float GetT() override { return m_fT * 0.1f; }
    float GetTf() override { return m_fTf * 0.1f; }
    float GetB1() override { return 0.0f; }
    float GetTf1() override { return 0.0f; }
    void SetH(float f) override { m_fH = f; }
    void SetB(float f) override { m_fB = f; }
    void SetT(float f) override { m_fT = f; }
    void SetTf(float f) override { m_fTf = f; }
    void SetR(float f) override { m_fR = f; }
    void SetR1(float f) override { m_fR1 = f; }
    float m_fT = 0.0f;
    float m_fTf = 0.0f;
    float m_fR = 0.0f;
    float m_fR1 = 0.0f;

protected:
    void ComputeProperties() override;
    float CalcI11() override;
};

// I-beam, possibly with sloped inner flange faces (Tf is then the mean flange thickness);
// R root radius, R1 toe radius.
class CSRolledIbeam : public CSectionBase
{
    VYR_SECTION_CLASS(CSRolledIbeam)
public:
    CSRolledIbeam() = default;
    CSRolledIbeam(int nType, float fH, float fB, float fTf, float fT, float fR, float fR1);
    void BuildStructure() override;
    bool DimsValid() override;
    CString GetDescTextBlock(int nLine) override;
    float GetR() override { return m_fR * 0.1f; }
    float GetR1() override { return m_fR1 * 0.1f; }
    float GetH() override { return m_fH * 0.1f; }
    float GetB() override { return m_fB * 0.1f; }
    float GetT() override { return m_fT * 0.1f; }
    float GetTf() override { return m_fTf * 0.1f; }
    float GetB1() override { return m_fB * 0.1f; }
    float GetTf1() override { return m_fTf * 0.1f; }
    float GetMaxT() override;
    void SetH(float f) override { m_fH = f; }
    void SetB(float f) override { m_fB = f; }
    void SetT(float f) override { m_fT = f; }
    void SetTf(float f) override { m_fTf = f; }
    void SetR(float f) override { m_fR = f; }
    void SetR1(float f) override { m_fR1 = f; }
    float m_fTf = 0.0f;
    float m_fT = 0.0f;
    float m_fR = 0.0f;
    float m_fR1 = 0.0f;

protected:
    void ComputeProperties() override;
    float CalcI11() override;
    float CalcFirePara(bool bExposed) override;
    float CalcSz() override;
    float CalcWpx() override;
    float CalcWpy() override;
};

// Channel, web at the left, flanges pointing right; sloped flanges like the I-beam.
class CSRolledChannel : public CSectionBase
{
    VYR_SECTION_CLASS(CSRolledChannel)
public:
    CSRolledChannel() = default;
    CSRolledChannel(int nType, float fB, float fH, float fTf, float fT, float fR, float fR1, float fXc);
    void BuildStructure() override;
    bool DimsValid() override;
    float GetR() override { return m_fR * 0.1f; }
    float GetR1() override { return m_fR1 * 0.1f; }
    float GetH() override { return m_fH * 0.1f; }
    float GetB() override { return m_fB * 0.1f; }
    float GetT() override { return m_fT * 0.1f; }
    float GetTf() override { return m_fTf * 0.1f; }
    float GetB1() override { return m_fB * 0.1f; }
    float GetTf1() override { return m_fTf * 0.1f; }
    void SetH(float f) override { m_fH = f; }
    void SetB(float f) override { m_fB = f; }
    void SetT(float f) override { m_fT = f; }
    void SetTf(float f) override { m_fTf = f; }
    void SetR(float f) override { m_fR = f; }
    void SetR1(float f) override { m_fR1 = f; }
    float m_fTf = 0.0f;
    float m_fT = 0.0f;
    float m_fR = 0.0f;
    float m_fR1 = 0.0f;

protected:
    void ComputeProperties() override;
    float CalcI11() override;
    float CalcFirePara(bool bExposed) override;
};

// Parallel-flange H section with root radius R.
class CSRolledHtype : public CSectionBase
{
    VYR_SECTION_CLASS(CSRolledHtype)
public:
    CSRolledHtype() = default;
    CSRolledHtype(int nType, float fB, float fH, float fTf, float fT, float fR);
    void BuildStructure() override;
    bool DimsValid() override;
    CString GetDescTextBlock(int nLine) override;
    float GetR() override { return m_fR * 0.1f; }
    float GetH() override { return m_fH * 0.1f; }
    float GetB() override { return m_fB * 0.1f; }
    float GetT() override { return m_fT * 0.1f; }
    float GetTf() override { return m_fTf * 0.1f; }
    float GetB1() override { return m_fB * 0.1f; }
    float GetTf1() override { return m_fTf * 0.1f; }
    float GetMaxT() override;
    void SetH(float f) override { m_fH = f; }
    void SetB(float f) override { m_fB = f; }
    void SetT(float f) override { m_fT = f; }
    void SetTf(float f) override { m_fTf = f; }
    void SetR(float f) override { m_fR = f; }
    float m_fTf = 0.0f;
    float m_fT = 0.0f;
    float m_fR = 0.0f;

protected:
    void ComputeProperties() override;
    float CalcI11() override;
    float CalcFirePara(bool bExposed) override;
    float CalcWpx() override;
    float CalcWpy() override;
};

// Welded profiles: plates without fillets; H0 is the web height of the table.
class CSWeldedIbeam : public CSectionBase
{
    VYR_SECTION_CLASS(CSWeldedIbeam)
public:
    CSWeldedIbeam() = default;
    CSWeldedIbeam(int nType, float fH, float fB, float fTf, float fT);
    virtual void SetH0(float f) { m_fH0 = f; }
    void BuildStructure() override;
    bool DimsValid() override;
    CString GetDescTextBlock(int nLine) override;
    float GetH() override { return m_fH * 0.1f; }
    float GetB() override { return m_fB * 0.1f; }
    float GetT() override { return m_fT * 0.1f; }
    float GetTf() override { return m_fTf * 0.1f; }
    float GetB1() override { return m_fB * 0.1f; }
    float GetTf1() override { return m_fTf * 0.1f; }
    float GetMaxT() override;
    void SetH(float f) override { m_fH = f; }
    void SetB(float f) override { m_fB = f; }
    void SetT(float f) override { m_fT = f; }
    void SetTf(float f) override { m_fTf = f; }
    float m_fTf = 0.0f;
    float m_fT = 0.0f;
    float m_fH0 = 0.0f;

protected:
    void ComputeProperties() override;
    float CalcI11() override;
    float CalcFirePara(bool bExposed) override;
    float CalcSz() override;
};

class CSWeldedChannel : public CSectionBase
{
    VYR_SECTION_CLASS(CSWeldedChannel)
public:
    CSWeldedChannel() = default;
    CSWeldedChannel(int nType, float fH, float fB, float fTf, float fT, float fXc);
    virtual void SetH0(float f) { m_fH0 = f; }
    void BuildStructure() override;
    bool DimsValid() override;
    float GetH() override { return m_fH * 0.1f; }
    float GetB() override { return m_fB * 0.1f; }
    float GetT() override { return m_fT * 0.1f; }
    float GetTf() override { return m_fTf * 0.1f; }
    float GetB1() override { return m_fB * 0.1f; }
    float GetTf1() override { return m_fTf * 0.1f; }
    void SetH(float f) override { m_fH = f; }
    void SetB(float f) override { m_fB = f; }
    void SetT(float f) override { m_fT = f; }
    void SetTf(float f) override { m_fTf = f; }
    float m_fTf = 0.0f;
    float m_fT = 0.0f;
    float m_fH0 = 0.0f;

protected:
    void ComputeProperties() override;
    float CalcI11() override;
    float CalcFirePara(bool bExposed) override;
};

class CSWeldedHtype : public CSectionBase
{
    VYR_SECTION_CLASS(CSWeldedHtype)
public:
    CSWeldedHtype() = default;
    CSWeldedHtype(int nType, float fH, float fB, float fTf, float fT);
    virtual void SetH0(float f) { m_fH0 = f; }
    void BuildStructure() override;
    bool DimsValid() override;
    CString GetDescTextBlock(int nLine) override;
    float GetH() override { return m_fH * 0.1f; }
    float GetB() override { return m_fB * 0.1f; }
    float GetT() override { return m_fT * 0.1f; }
    float GetTf() override { return m_fTf * 0.1f; }
    float GetB1() override { return m_fB * 0.1f; }
    float GetTf1() override { return m_fTf * 0.1f; }
    float GetMaxT() override;
    void SetH(float f) override { m_fH = f; }
    void SetB(float f) override { m_fB = f; }
    void SetT(float f) override { m_fT = f; }
    void SetTf(float f) override { m_fTf = f; }
    float m_fTf = 0.0f;
    float m_fT = 0.0f;
    float m_fH0 = 0.0f;

protected:
    void ComputeProperties() override;
    float CalcI11() override;
    float CalcFirePara(bool bExposed) override;
    float CalcWpx() override;
    float CalcWpy() override;
};

// Rectangular tube; R is the outer corner radius.
class CSSquarePipe : public CSectionBase
{
    VYR_SECTION_CLASS(CSSquarePipe)
public:
    CSSquarePipe() = default;
    CSSquarePipe(int nType, float fH, float fB, float fT, float fR);
    void BuildStructure() override;
    bool DimsValid() override;
    float GetR() override { return (float)(m_dR * 0.1); }
    float GetH() override { return (float)(m_dH * 0.1); }
    float GetB() override { return (float)(m_dB * 0.1); }
    float GetT() override { return (float)(m_dT * 0.1); }
    float GetTf() override { return (float)(m_dT * 0.1); }
    float GetB1() override { return (float)(m_dB * 0.1); }
    float GetTf1() override { return (float)(m_dT * 0.1); }
    void SetH(float f) override { m_dH = f; }
    void SetB(float f) override { m_dB = f; }
    void SetT(float f) override { m_dT = f; }
    void SetR(float f) override { m_dR = f; }
    double m_dH = 0.0;
    double m_dB = 0.0;
    double m_dT = 0.0;
    double m_dR = 0.0;

protected:
    void ComputeProperties() override;
    float CalcI11() override;
    float CalcFirePara(bool bExposed) override;
    float CalcWpx() override;
    float CalcWpy() override;
};

class CSPipe : public CSectionBase
{
    VYR_SECTION_CLASS(CSPipe)
public:
    CSPipe() = default;
    CSPipe(int nType, float fD, float fT);
    virtual void Dimension(CDC* pDC, long x1, long y1, long x2, long y2, float fValue, int nSide, int nOffset);
    void BuildStructure() override;
    bool DimsValid() override;
    float GetD() override { return m_fB * 0.1f; }
    float GetH() override { return m_fB * 0.1f; }
    float GetB() override { return m_fB * 0.1f; }
    float GetT() override { return m_fT * 0.1f; }
    void SetB(float f) override { m_fB = f; }
    void SetT(float f) override { m_fT = f; }
    float m_fT = 0.0f;

protected:
    void ComputeProperties() override;
    float CalcI11() override;
    float CalcFirePara(bool bExposed) override;
};

class CSRound : public CSectionBase
{
    VYR_SECTION_CLASS(CSRound)
public:
    CSRound() = default;
    CSRound(int nType, float fD);
    virtual void Dimension(CDC* pDC, long x1, long y1, long x2, long y2, float fValue, int nSide, int nOffset);
    void BuildStructure() override;
    bool DimsValid() override;
    float GetD() override { return m_fB * 0.1f; }
    float GetH() override { return m_fB * 0.1f; }
    float GetB() override { return m_fB * 0.1f; }
    float GetT() override { return m_fB * 0.05f; }
    void SetB(float f) override { m_fB = f; }

protected:
    void ComputeProperties() override;
};

class CSSquare : public CSectionBase
{
    VYR_SECTION_CLASS(CSSquare)
public:
    CSSquare() = default;
    CSSquare(int nType, float fB);
    void BuildStructure() override;
    bool DimsValid() override;
    float GetD() override { return m_fB * 0.1f; }
    float GetH() override { return m_fB * 0.1f; }
    float GetB() override { return m_fB * 0.1f; }
    void SetB(float f) override { m_fB = f; }

protected:
    void ComputeProperties() override;
    float CalcI11() override;
};

// ---------------------------------------------------------------- user-defined

// Angle of plates: legs H (vertical, thickness T) and B (horizontal, thickness Tf).
class CSDefineAngle : public CSectionBase
{
    VYR_SECTION_CLASS(CSDefineAngle)
public:
    CSDefineAngle() = default;
    void BuildStructure() override;
    bool DimsValid() override;
    float GetH() override { return m_fLH * 0.1f; }
    float GetB() override { return m_fLB * 0.1f; }
    float GetT() override { return m_fLT * 0.1f; }
    float GetTf() override { return m_fLTf * 0.1f; }
    void SetH(float f) override { m_fLH = m_fH = f; }
    void SetB(float f) override { m_fLB = m_fB = f; }
    void SetT(float f) override { m_fLT = f; }
    void SetTf(float f) override { m_fLTf = f; }
    float m_fLH = 0.0f;
    float m_fLB = 0.0f;
    float m_fLT = 0.0f;
    float m_fLTf = 0.0f;

protected:
    void ComputeProperties() override;
    float CalcI11() override;
};

// Welded I of plates: top flange B x Tf, bottom flange B1 x Tf1, web T, height H (mm).
class CSDefineIbeam : public CSectionBase
{
    VYR_SECTION_CLASS(CSDefineIbeam)
public:
    CSDefineIbeam() { m_nType = 501; }
    void BuildStructure() override;
    bool DimsValid() override;
    float GetH() override { return (float)(m_dH * 0.1); }
    float GetB() override { return (float)(m_dB * 0.1); }
    float GetT() override { return (float)(m_dT * 0.1); }
    float GetTf() override { return (float)(m_dTf * 0.1); }
    float GetB1() override { return (float)(m_dB1 * 0.1); }
    float GetTf1() override { return (float)(m_dTf1 * 0.1); }
    void SetH(float f) override { m_dH = f; }
    void SetB(float f) override { m_dB = f; }
    void SetT(float f) override { m_dT = f; }
    void SetTf(float f) override { m_dTf = f; }
    void SetB1(float f) override { m_dB1 = f; }
    void SetTf1(float f) override { m_dTf1 = f; }
    double m_dH = 0.0;
    double m_dB = 0.0;
    double m_dT = 0.0;
    double m_dTf = 0.0;
    double m_dB1 = 0.0;
    double m_dTf1 = 0.0;

protected:
    void ComputeProperties() override;
    float CalcI11() override;
    float Calcimin() override;
    float CalcWpx() override;
    float CalcWpy() override;
};

// Channel of plates: web T at the left, top flange B x Tf, bottom flange B1 x Tf1.
class CSDefineChannel : public CSectionBase
{
    VYR_SECTION_CLASS(CSDefineChannel)
public:
    CSDefineChannel() = default;
    void BuildStructure() override;
    bool DimsValid() override;
    float GetH() override { return (float)(m_dH * 0.1); }
    float GetB() override { return (float)(m_dB * 0.1); }
    float GetT() override { return (float)(m_dT * 0.1); }
    float GetTf() override { return (float)(m_dTf * 0.1); }
    float GetB1() override { return (float)(m_dB1 * 0.1); }
    float GetTf1() override { return (float)(m_dTf1 * 0.1); }
    void SetH(float f) override { m_dH = f; }
    void SetB(float f) override { m_dB = f; }
    void SetT(float f) override { m_dT = f; }
    void SetTf(float f) override { m_dTf = f; }
    void SetB1(float f) override { m_dB1 = f; }
    void SetTf1(float f) override { m_dTf1 = f; }
    double m_dH = 0.0;
    double m_dB = 0.0;
    double m_dT = 0.0;
    double m_dTf = 0.0;
    double m_dB1 = 0.0;
    double m_dTf1 = 0.0;

protected:
    void ComputeProperties() override;
    float CalcI11() override;
};

class CSDefineTbeam : public CSectionBase
{
    VYR_SECTION_CLASS(CSDefineTbeam)
public:
    CSDefineTbeam() = default;
    void BuildStructure() override;
    bool DimsValid() override;
    float GetH() override { return (float)(m_dH * 0.1); }
    float GetB() override { return (float)(m_dB * 0.1); }
    float GetT() override { return (float)(m_dT * 0.1); }
    float GetTf() override { return (float)(m_dTf * 0.1); }
    void SetH(float f) override { m_dH = f; }
    void SetB(float f) override { m_dB = f; }
    void SetT(float f) override { m_dT = f; }
    void SetTf(float f) override { m_dTf = f; }
    double m_dH = 0.0;
    double m_dB = 0.0;
    double m_dT = 0.0;
    double m_dTf = 0.0;

protected:
    void ComputeProperties() override;
    float CalcI11() override;
};

// Welded box: webs T, top plate Tf, bottom plate Tf1, overall H x B.
class CSDefineBox : public CSectionBase
{
    VYR_SECTION_CLASS(CSDefineBox)
public:
    CSDefineBox() = default;
    void BuildStructure() override;
    bool DimsValid() override;
    float GetH() override { return (float)(m_dH * 0.1); }
    float GetB() override { return (float)(m_dB * 0.1); }
    float GetT() override { return (float)(m_dT * 0.1); }
    float GetTf() override { return (float)(m_dTf * 0.1); }
    float GetTf1() override { return (float)(m_dTf1 * 0.1); }
    void SetH(float f) override { m_dH = f; }
    void SetB(float f) override { m_dB = f; }
    void SetT(float f) override { m_dT = f; }
    void SetTf(float f) override { m_dTf = f; }
    void SetTf1(float f) override { m_dTf1 = f; }
    double m_dH = 0.0;
    double m_dB = 0.0;
    double m_dT = 0.0;
    double m_dTf = 0.0;
    double m_dTf1 = 0.0;

protected:
    void ComputeProperties() override;
    float CalcI11() override;
    float CalcWpx() override;
    float CalcWpy() override;
};

class CSDefinePipe : public CSectionBase
{
    VYR_SECTION_CLASS(CSDefinePipe)
public:
    CSDefinePipe() = default;
    void Dimension(CDC* pDC, long x1, long y1, long x2, long y2, double dValue, int nSide, int nOffset) override;
    void BuildStructure() override;
    bool DimsValid() override;
    float GetD() override { return (float)(m_dD * 0.1); }
    float GetH() override { return (float)(m_dD * 0.1); }
    float GetB() override { return (float)(m_dD * 0.1); }
    float GetT() override { return (float)(m_dT * 0.1); }
    void SetB(float f) override { m_dD = f; }
    void SetH(float f) override { m_dD = f; }
    void SetT(float f) override { m_dT = f; }
    double m_dD = 0.0;
    double m_dT = 0.0;

protected:
    void ComputeProperties() override;
    float CalcI11() override;
};

// ---------------------------------------------------------------- steel-concrete hybrid

// Holds its steel part, owned (shared with copies made by assignment).
class CHybridSecBase : public CSectionBase
{
    VYR_SECTION_CLASS(CHybridSecBase)
public:
    CHybridSecBase() = default;
    ~CHybridSecBase() override;
    float GetT() override { return m_pSteel ? m_pSteel->GetT() : 0.0f; }
    void SetB(float f) override { m_fB = f; }
    void SetH(float f) override { m_fH = f; }
    CString GetStrMatType() override;
    bool DimsValid() override;
    using CSectionBase::IsSame;
    bool IsSame(CSectionBase* pOther) override;
    void SetSteelSec(CSectionBase* p) { ShareComponent(m_pSteel, p); }
    CSectionBase* GetSteelSec() const { return m_pSteel; }
    CSectionBase* m_pSteel = nullptr;

protected:
    float CalcSteelA() override { return m_pSteel ? m_pSteel->GetA1() : 0.0f; }
    float CalcConcreteA() override;
};

// Steel section encased in a concrete rectangle H x B (base fields); C is the cover.
class CHybridRect : public CHybridSecBase
{
    VYR_SECTION_CLASS(CHybridRect)
public:
    CHybridRect() = default;
    void BuildStructure() override;
    float GetH() override { return m_pSteel ? m_pSteel->GetH() : 0.0f; }
    float GetB() override { return m_pSteel ? m_pSteel->GetB() : 0.0f; }
    // The steel part's second flange width: its top width would be wrong for a steel part
    // with unequal flanges.
    float GetB1() override { return m_pSteel ? m_pSteel->GetB1() : 0.0f; }
    float GetT() override { return m_pSteel ? m_pSteel->GetT() : 0.0f; }
    float GetTf() override { return m_pSteel ? m_pSteel->GetTf() : 0.0f; }
    float GetTf1() override { return m_pSteel ? m_pSteel->GetTf1() : 0.0f; }
    float m_fCoverX = 0.0f;
    float m_fCoverY = 0.0f;

protected:
    void ComputeProperties() override;
    float CalcConcreteA() override;
};

// Bar record of a circular hybrid section: position x, y (mm) and bar area (mm2).
struct CHybridBarRecord
{
    float x = 0.0f;
    float y = 0.0f;
    float a = 0.0f;
};

// Steel section in a concrete circle of diameter D.
class CHybridCircle : public CHybridSecBase
{
    VYR_SECTION_CLASS(CHybridCircle)
public:
    CHybridCircle() = default;
    void BuildStructure() override;
    float GetB() override { return m_fD * 0.1f; }
    float GetH() override { return m_fD * 0.1f; }
    void SetB(float f) override { m_fD = f; }
    bool DimsValid() override;
    float m_fD = 0.0f;
    float m_fCover = 0.0f;
    CHybridBarRecord m_Rec1[68];
    CHybridBarRecord m_Rec2[45];
    CHybridBarRecord m_Rec3[68];

protected:
    void ComputeProperties() override;
    float CalcConcreteA() override;
};

// Concrete-filled circular tube: diameter D, wall T.
class CSDefineHybCircle : public CSectionBase
{
    VYR_SECTION_CLASS(CSDefineHybCircle)
public:
    CSDefineHybCircle() = default;
    void BuildStructure() override;
    bool DimsValid() override;
    float GetH() override { return m_fD * 0.1f; }
    float GetB() override { return m_fD * 0.1f; }
    float GetT() override { return m_fTube * 0.1f; }
    void SetB(float f) override { m_fD = f; }
    void SetT(float f) override { m_fTube = f; }
    float m_fD = 0.0f;
    float m_fTube = 0.0f;

protected:
    void ComputeProperties() override;
    float CalcSteelA() override;
    float CalcConcreteA() override;
};

// Concrete-filled rectangular tube: H x B, wall T.
class CSDefineHybJu : public CSectionBase
{
    VYR_SECTION_CLASS(CSDefineHybJu)
public:
    CSDefineHybJu() = default;
    void BuildStructure() override;
    bool DimsValid() override;
    float GetH() override { return m_fJH * 0.1f; }
    float GetB() override { return m_fJB * 0.1f; }
    float GetT() override { return m_fTube * 0.1f; }
    void SetH(float f) override { m_fJH = f; }
    void SetB(float f) override { m_fJB = f; }
    void SetT(float f) override { m_fTube = f; }
    float m_fJH = 0.0f;
    float m_fJB = 0.0f;
    float m_fTube = 0.0f;

protected:
    void ComputeProperties() override;
    float CalcSteelA() override;
    float CalcConcreteA() override;
};

// ---------------------------------------------------------------- combined (built-up)

// Built-up section of one or two component sections (owned, shared with copies made by
// assignment); the ten values are the layout parameters of the kind (mm).
class CCombineSecBase : public CSectionBase
{
    VYR_SECTION_CLASS(CCombineSecBase)
public:
    CCombineSecBase() = default;
    ~CCombineSecBase() override;
    float GetT() override { return m_pSec1 ? m_pSec1->GetT() : 0.0f; }
    float GetTf() override { return m_pSec1 ? m_pSec1->GetTf() : 0.0f; }
    float GetTf1() override { return m_pSec1 ? m_pSec1->GetTf1() : 0.0f; }
    float GetH() override { return m_fH * 0.1f; }
    float GetB() override { return m_fB * 0.1f; }
    void SetB(float f) override { m_fB = f; }
    void SetH(float f) override { m_fH = f; }
    void BuildStructure() override;
    bool DimsValid() override;
    using CSectionBase::IsSame;
    bool IsSame(CSectionBase* pOther) override;
    void SetSec1(CSectionBase* p) { ShareComponent(m_pSec1, p); }
    void SetSec2(CSectionBase* p) { ShareComponent(m_pSec2, p); }
    float m_fValue[10] = {};
    CSectionBase* m_pSec1 = nullptr;
    CSectionBase* m_pSec2 = nullptr;
};

#define VYR_COMBINE_CLASS(cls)                 \
    class cls : public CCombineSecBase         \
    {                                          \
        VYR_SECTION_CLASS(cls)                 \
    public:                                    \
        cls() = default;                       \
    };

VYR_COMBINE_CLASS(CSCombineBOX)
VYR_COMBINE_CLASS(CSCombineCEL)
VYR_COMBINE_CLASS(CSCombineCI)
VYR_COMBINE_CLASS(CSCombineCJ)
VYR_COMBINE_CLASS(CSCombineCLL)
VYR_COMBINE_CLASS(CSCombineCLS)
VYR_COMBINE_CLASS(CSCombineCircle)
VYR_COMBINE_CLASS(CSCombineDEJL)
VYR_COMBINE_CLASS(CSCombineDEJLl)
VYR_COMBINE_CLASS(CSCombineDEJLs)
VYR_COMBINE_CLASS(CSCombineDJC)
VYR_COMBINE_CLASS(CSCombineDNELL)
VYR_COMBINE_CLASS(CSCombineDNELLl)
VYR_COMBINE_CLASS(CSCombineDNELLs)
VYR_COMBINE_CLASS(CSCombineDT)
VYR_COMBINE_CLASS(CSCombineEJL)
VYR_COMBINE_CLASS(CSCombineGEJL)
VYR_COMBINE_CLASS(CSCombineGNEJLl)
VYR_COMBINE_CLASS(CSCombineGNEJLs)
VYR_COMBINE_CLASS(CSCombineHyPipe2)
VYR_COMBINE_CLASS(CSCombineHyPipe4)
VYR_COMBINE_CLASS(CSCombineII)
VYR_COMBINE_CLASS(CSCombineJC)
VYR_COMBINE_CLASS(CSCombineLL)
VYR_COMBINE_CLASS(CSCombineLLI)
VYR_COMBINE_CLASS(CSCombineLLIl)
VYR_COMBINE_CLASS(CSCombineLLIs)
VYR_COMBINE_CLASS(CSCombineLLLL)
VYR_COMBINE_CLASS(CSCombineNEJLl)
VYR_COMBINE_CLASS(CSCombineNEJLs)
VYR_COMBINE_CLASS(CSCombineNELLl)
VYR_COMBINE_CLASS(CSCombineNELLs)
VYR_COMBINE_CLASS(CSCombineNLLLL)
VYR_COMBINE_CLASS(CSCombineTTI)

// ---------------------------------------------------------------- steel frame

class CSteelFrameSecBase : public CSectionBase
{
    VYR_SECTION_CLASS(CSteelFrameSecBase)
public:
    CSteelFrameSecBase() = default;
    float GetH() override { return m_fFH * 0.1f; }
    float GetB() override { return m_fFB * 0.1f; }
    void SetH(float f) override { m_fFH = f; }
    void SetB(float f) override { m_fFB = f; }
    bool DimsValid() override;
    using CSectionBase::IsSame;
    bool IsSame(CSectionBase* pOther) override;
    float m_fValue[8] = {};
    float m_fFH = 0.0f;
    float m_fFB = 0.0f;
    int m_nKind = 0;
};

#define VYR_STEELFRAME_CLASS(cls)              \
    class cls : public CSteelFrameSecBase      \
    {                                          \
        VYR_SECTION_CLASS(cls)                 \
    public:                                    \
        cls() = default;                       \
    };

VYR_STEELFRAME_CLASS(CSFISec)
VYR_STEELFRAME_CLASS(CSFBoxSec)
VYR_STEELFRAME_CLASS(CSF2TISec)

// ---------------------------------------------------------------- tapered

// Tapered section: plate dimensions in mm and the plate sets of its two ends (owned,
// shared with copies made by assignment).
class CTaperSectionBase : public CSectionBase
{
    VYR_SECTION_CLASS(CTaperSectionBase)
public:
    CTaperSectionBase() = default;
    ~CTaperSectionBase() override;
    float GetH() override { return m_fTH * 0.1f; }
    float GetT() override { return m_fTT * 0.1f; }
    float GetB() override { return m_fTB * 0.1f; }
    float GetTf() override { return m_fTTf * 0.1f; }
    float GetB1() override { return m_fTB1 * 0.1f; }
    float GetTf1() override { return m_fTTf1 * 0.1f; }
    void SetH(float f) override { m_fTH = f; }
    void SetT(float f) override { m_fTT = f; }
    void SetB(float f) override { m_fTB = f; }
    void SetTf(float f) override { m_fTTf = f; }
    void SetB1(float f) override { m_fTB1 = f; }
    void SetTf1(float f) override { m_fTTf1 = f; }
    float GetEndH() override { return 0.0f; }
    void SetEndH(float) override {}
    bool DimsValid() override;
    using CSectionBase::IsSame;
    bool IsSame(CSectionBase* pOther) override;
    CSectionBase* GetStartSec() const { return m_pStartSec; }
    CSectionBase* GetEndSec() const { return m_pEndSec; }
    void SetStartSec(CSectionBase* p) { ShareComponent(m_pStartSec, p); }
    void SetEndSec(CSectionBase* p) { ShareComponent(m_pEndSec, p); }
    float m_fTH = 0.0f;
    float m_fTT = 0.0f;
    float m_fTB = 0.0f;
    float m_fTTf = 0.0f;
    float m_fTB1 = 0.0f;
    float m_fTTf1 = 0.0f;
    CSectionBase* m_pStartSec = nullptr;
    CSectionBase* m_pEndSec = nullptr;
};

// Welded I whose web height runs from H at the start to EndH at the end.
class CTaperVaryWeb : public CTaperSectionBase
{
    VYR_SECTION_CLASS(CTaperVaryWeb)
public:
    CTaperVaryWeb() = default;
    float GetEndH() override { return m_fEndH * 0.1f; }
    void SetEndH(float f) override { m_fEndH = f; }
    bool DimsValid() override;
    void BuildStructure() override;
    // Takes the section properties of the start plate set.
    void FillSecFactors(CSDefineIbeam* pStart);
    // Builds the texts from the plate dimensions.
    void FillSecName();
    float m_fEndH = 0.0f;
    int m_nSetting = 0;

protected:
    float CalcEndA1() override;
    float CalcIx33(CTaperSectionBase* pTaper, float fX, float fL) override;
    float CalcAx(CTaperSectionBase* pTaper, float fX, float fL) override;
    float CalcTaperRatio() override;
};

// ---------------------------------------------------------------- thin-walled (cold-formed)

// Cold-formed section of constant thickness T: depth H, flange width B, lip B1 (mm).
class CSThinBase : public CSectionBase
{
    VYR_SECTION_CLASS(CSThinBase)
public:
    CSThinBase() = default;
    float GetH() override { return m_fSH * 0.1f; }
    float GetB() override { return m_fSB * 0.1f; }
    float GetB1() override { return m_fSB1 * 0.1f; }
    float GetT() override { return m_fST * 0.1f; }
    float GetTf() override { return m_fST * 0.1f; }
    float GetTf1() override { return m_fST * 0.1f; }
    void SetH(float f) override { m_fSH = f; }
    void SetB(float f) override { m_fSB = f; }
    void SetT(float f) override { m_fST = f; }
    void SetB1(float f) override { m_fSB1 = f; }
    void BuildStructure() override;
    bool DimsValid() override;
    using CSectionBase::IsSame;
    bool IsSame(CSectionBase* pOther) override;
    float m_fSH = 0.0f;
    float m_fSB = 0.0f;
    float m_fST = 0.0f;
    float m_fSB1 = 0.0f;
    float m_fAngle = 0.0f; // lip angle of the bevel-edge Z, degrees
    float m_fData[14] = {}; // further values of the plug-in's definitions

protected:
    // Centre lines of the plates (mm), as one chain; the base is a plain channel.
    virtual std::vector<std::pair<vyr::sec::Pt, vyr::sec::Pt>> GetCentreLines();

protected:
    void ComputeProperties() override;
    float CalcI11() override;
};

#define VYR_THIN_CLASS(cls)                                                      \
    class cls : public CSThinBase                                                \
    {                                                                            \
        VYR_SECTION_CLASS(cls)                                                   \
    public:                                                                      \
        cls() = default;                                                         \
                                                                                 \
    protected:                                                                   \
        std::vector<std::pair<vyr::sec::Pt, vyr::sec::Pt>> GetCentreLines() override; \
    };

VYR_THIN_CLASS(CSThinChannel)
VYR_THIN_CLASS(CSThinBevelEdgeZ)
VYR_THIN_CLASS(CSThinVerticalEdgeZ)
