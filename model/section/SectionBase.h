// CSectionBase: one cross-section of the project section library.
// Plate dimensions are kept in millimetres, section properties in centimetre units
// (A cm2, I cm4, W cm3, i cm); the centroid Xc/Yc is kept in millimetres.
//
// A section whose dimensions are impossible has every property 0. The base alone decides
// that: the property getters and ChangeSecProperty are final here and ask the class's
// Calc... and ComputeProperties hooks only when the dimensions are possible.
#pragma once

#include <cstdio>
#include <utility>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/model/section/SectionGeom.h>

class CArchive;
class CDC;
class CRect;
class CMaterialBase;
class CMaterialList;
class CPoint3D;
class CStay;
class CTaperSectionBase;
struct IStream;

// The word-processor automation wrappers that FileOutToWord writes into.
class Selection;
class _Font;

class CSectionBase : public CObject
{
    DECLARE_SERIAL(CSectionBase)

public:
    enum { OUTLINE_SIZE = 210 };

    CSectionBase();
    CSectionBase(const CSectionBase&) = delete;
    ~CSectionBase() override;

    // Slot order of the virtual operations follows the library's table.
    void Serialize(CArchive& ar) override;
    virtual void Load(IStream* pStream);
    virtual void Save(IStream* pStream);
    virtual void Load460(IStream*) {}
    virtual void Save460(IStream*) {}
    virtual void Saveimin(IStream* pStream);
    virtual void Loadimin(IStream* pStream);
    virtual CSectionBase& operator=(CSectionBase& other);
    virtual bool operator==(CSectionBase& other);
    virtual void BuildComPointsStructure() {}
    virtual float GetArea() final { return GetA1(); }
    virtual float GetSteelA() final { return IsDataValid() ? CalcSteelA() : 0.0f; }
    virtual float GetConcreteA() final { return IsDataValid() ? CalcConcreteA() : 0.0f; }
    virtual void Serialize(CArchive&, CMaterialList*) {}
    virtual CString GetDescTextBlock(int) { return CString(); }
    virtual CString GetStrMatType();
    virtual void BuildStructure() {}
    virtual void BuildPointStructure() {}
    // Recomputes the section properties from the dimensions; all 0 when they are impossible.
    virtual void ChangeSecProperty() final;
    virtual void Draw(CDC*, CRect) {}
    virtual void Dim(CDC*) {}
    virtual void Dimension(CDC* pDC, long x1, long y1, long x2, long y2, double dValue, int nSide, int nOffset);
    virtual void GetSteelSecShearCapacity(int nDir, float& fV2, float& fV3);
    virtual void GetSteelFrameShearArea(float& fA2, float& fA3);
    virtual float GetGama_s(int nDir);
    virtual float GetFlangetoWebAreaRatio() final;
    virtual float GetWebHeight() final;
    virtual float ComputeTaperRatio() final { return IsDataValid() ? CalcTaperRatio() : 0.0f; }
    virtual float GetIx33(float, float) final { return GetI33(); }
    virtual float GetIx33(CTaperSectionBase* pTaper, float fX, float fL) final
    {
        return IsDataValid() ? CalcIx33(pTaper, fX, fL) : 0.0f;
    }
    virtual float GetAx(float, float) final { return GetA1(); }
    virtual float GetAx(CTaperSectionBase* pTaper, float fX, float fL) final
    {
        return IsDataValid() ? CalcAx(pTaper, fX, fL) : 0.0f;
    }
    // Kilograms per centimetre of length.
    virtual float GetSteelMass() final;
    virtual float GetG();
    virtual float GetPoisson();
    virtual float GetHybridMatStrength(float& fSteel, float& fConcrete);
    virtual float GetFirePara(bool bExposed) final { return IsDataValid() ? CalcFirePara(bExposed) : 0.0f; }
    virtual void SetMaterial() {}
    virtual void CopySec(CSectionBase* pSource, bool bWithTexts);
    virtual float GetD();
    virtual bool IsSame() { return false; }
    virtual bool IsSame(CSectionBase* pOther);
    virtual void FileInOut(FILE*, bool, int) {}
    virtual void FileOutToWord(Selection*, _Font*) {}
    virtual float GetR() { return 0.0f; }
    virtual float GetR1() { return 0.0f; }
    virtual float GetH();
    virtual float GetB();
    virtual float GetT();
    virtual float GetTf();
    virtual float GetB1();
    virtual float GetTf1();
    virtual float GetMaxT() { return 0.0f; }
    virtual float GetSz() final { return IsDataValid() ? CalcSz() : 0.0f; }
    virtual float GetE();
    virtual float GetSteelRatio() final;
    virtual void SetH(float) {}
    virtual void SetB(float) {}
    virtual void SetT(float) {}
    virtual void SetTf(float) {}
    virtual void SetB1(float) {}
    virtual void SetTf1(float) {}
    virtual void SetR(float) {}
    virtual void SetR1(float) {}
    // Kilograms per centimetre of length (steel and the concrete of hybrid sections):
    // 50 cm2 of steel weigh 0.3925 kg/cm; times 100 gives kg/m.
    virtual float GetMass() final;
    virtual float GetYc() final { return Prop(m_fYc * 0.1f); }
    virtual float GetXc() final { return Prop(m_fXc * 0.1f); }
    virtual float Getix() final { return Prop(m_dix); }
    virtual float Getiy() final { return Prop(m_diy); }
    virtual float GetWx() final { return Prop(m_dWx); }
    virtual float GetWy() final { return Prop(m_dWy); }
    virtual float GetI33() final { return Prop(m_dI33); }
    virtual float GetI22() final { return Prop(m_dI22); }
    virtual float GetI11() final { return IsDataValid() ? CalcI11() : 0.0f; }
    virtual float GetA3() final { return Prop(m_dA3); }
    virtual float GetA2() final { return Prop(m_dA2); }
    virtual float GetA1() final { return Prop(m_dA1); }
    virtual float Getimin() final { return IsDataValid() ? Calcimin() : 0.0f; }
    virtual float GetEndA1() final { return IsDataValid() ? CalcEndA1() : 0.0f; }
    virtual float GetEndH() { return 0.0f; }
    virtual void SetEndH(float) {}
    virtual float GetMpx(bool bPlastic, float fFy) final;
    virtual float GetMpy(bool bPlastic, float fFy) final;
    virtual float GetWpx() final { return IsDataValid() ? CalcWpx() : 0.0f; }
    virtual float GetWpy() final { return IsDataValid() ? CalcWpy() : 0.0f; }
    virtual float GetWx1() final { return Prop(m_dWx); }
    virtual float GetWx2() final { return Prop(m_dWx); }

    // Non-virtual services.
    // A new, empty section of the class that the type code stands for; null for an
    // unknown code.
    static CSectionBase* CreateSec(int nType);
    int GetType() const { return m_nType; }
    void SetType(int nType) { m_nType = nType; }
    int GetSecType2() const { return m_nType2; }
    int GetSecType3() const { return m_nType3; }
    CString GetSimpleSecName() const;
    CString GetSimpleSecType() const;
    void SetColor(bool bColor) { m_bColor = bColor; }
    bool GetColor() const { return m_bColor; }
    bool IsCombineSec() const { return m_nType > 600 && m_nType < 900; }
    void DrawAxial(CDC* pDC, CRect rect);
    // Shear areas (cm2) from plate dimensions in millimetres: kind 2 solid bar (D),
    // 3 circular tube (D, -, t), 4 I and 5 H (H, B, tw, tf, B1, tf1), 6 box (H, B, tw, tf),
    // 7 channel and T (H, B, tw, tf, B1, tf1), 9 angle (H, B, t, t).
    void SetShearArea(int nKind, double d1, double d2, double d3, double d4, double d5, double d6);
    // False when the dimensions describe no real section (a zero or negative plate, a
    // web wider than its flange, a wall thicker than the tube's radius); such a section
    // has all properties 0 and the section library refuses it.
    bool IsDataValid() { return m_bValid && DimsValid(); }
    // The class's own check of its dimensions.
    virtual bool DimsValid() { return true; }
    int GetPElaticNum() const { return m_nPElaticNum; }
    int GetXConcretePElaticNum() const { return m_nXConcretePElaticNum; }
    int GetYConcretePElaticNum() const { return m_nYConcretePElaticNum; }
    int GetOutlineNum() const { return m_nOutlineNum; }
    const CPoint3D* GetOutline() const { return m_pPoints; }

    // Fields that the library's users read and write directly.
    int m_nNo = 0;
    int m_nType = 0;
    int m_nUsed = 0;
    CString m_strDim;      // designation or plate dimensions
    CString m_strKind;     // short name
    CString m_strCategory; // "标准", "变截面", ...
    CString m_strFull;     // display name and designation
    CString m_strMat;      // material name
    float m_fXc = 0.0f;    // mm
    float m_fYc = 0.0f;    // mm
    double m_dA2 = 0.0;
    double m_dA3 = 0.0;
    double m_dI33 = 0.0;
    double m_dWx = 0.0;
    double m_dix = 0.0;
    double m_dI22 = 0.0;
    double m_dWy = 0.0;
    double m_diy = 0.0;
    double m_dA1 = 0.0;
    double m_dimin = 0.0;
    CStay* m_pStay = nullptr;
    CMaterialBase* m_pMaterial = nullptr;
    int m_nType2 = 0;
    int m_nType3 = 0;
    float m_fB = 0.0f;
    float m_fH = 0.0f;
    CPoint3D* m_pPoints; // OUTLINE_SIZE points, mm, section centroid at the origin
    int m_nPElaticNum = 0;
    int m_nXConcretePElaticNum = 0;
    int m_nYConcretePElaticNum = 0;

    // Shared component sections (combined, hybrid and tapered sections): the holder
    // deletes a component when it is the last holder. A plain pointer written straight
    // into a holder's field counts as one holder.
    static void ShareComponent(CSectionBase*& slot, CSectionBase* p);
    static void ReleaseComponent(CSectionBase*& slot);
    // Assignment of a holder: the copy becomes one more holder of the same component.
    static void AssignShared(CSectionBase*& slot, CSectionBase* p);
protected:
    // The class's computations, asked only while its dimensions are possible. The base
    // ones answer from the stored fields.
    virtual void ComputeProperties() {}
    virtual float CalcSteelA() { return (float)m_dA1; }
    virtual float CalcConcreteA() { return 0.0f; }
    virtual float CalcI11() { return (float)(m_dI22 + m_dI33); }
    virtual float Calcimin() { return (float)m_dimin; }
    virtual float CalcEndA1() { return 0.0f; }
    virtual float CalcWpx() { return 0.0f; }
    virtual float CalcWpy() { return 0.0f; }
    virtual float CalcSz() { return 0.0f; }
    virtual float CalcFirePara(bool) { return 0.0f; }
    virtual float CalcTaperRatio() { return 0.0f; }
    virtual float CalcIx33(CTaperSectionBase*, float, float) { return 0.0f; }
    virtual float CalcAx(CTaperSectionBase*, float, float) { return (float)m_dA1; }
    // A stored property as the getters answer it.
    float Prop(double v) { return IsDataValid() ? (float)v : 0.0f; }

    // Serialisation helpers shared by every class: the base fields, then the class's own.
    void SerializeBase(CArchive& ar);
    // Stores an outline (mm); loops after the first are holes, separated in m_nLoopStart.
    // Replaces the outline by closed loops of points (mm); later loops are holes. With
    // bOpen the single loop is a centre line drawn open. Points beyond OUTLINE_SIZE are
    // thinned out evenly.
    void SetOutline(const std::vector<std::vector<std::pair<double, double>>>& loops, bool bOpen = false);
    void ClearOutline() { m_nOutlineNum = 0; m_nLoopNum = 0; }
    // Scales the outline into the rectangle and draws it; dimensions H and B under and
    // beside the last drawn outline.
    void DrawOutline(CDC* pDC, CRect rect);
    void DimOutline(CDC* pDC);
    // Copies the properties of a computation (mm units) into the fields (cm units) and
    // marks the section valid; with ok false every property becomes 0 and it is invalid.
    // Properties and outline of a solid shape: loops[0] the outer boundary, further loops
    // holes, all counter-clockwise. Xc/Yc become the centroid's distances from the left
    // and bottom extremes. False (and an invalid section) when a fillet does not fit.
    bool ApplyShape(const std::vector<std::vector<vyr::sec::Corner>>& loops);
    // Properties of thin plates of thickness t along centre lines; outline = centre line.
    bool ApplyLines(const std::vector<std::pair<vyr::sec::Pt, vyr::sec::Pt>>& lines, double t);
    // A circular ring (d = 0: solid bar).
    bool ApplyCircle(double D, double d);
    // Rebuilds the outline from the dimensions and keeps the properties as they are.
    void RebuildOutline();
    void SetProps(bool ok, double A, double Ix, double Iy, double Imin, double cx, double cy, double dxMax,
                  double dyMax);
    bool m_bColor = false;
    bool m_bValid = true;
    bool m_bOpenOutline = false;
    int m_nOutlineNum = 0;
    int m_nLoopNum = 0;
    int m_nLoopStart[4] = {0, 0, 0, 0};
    // Where the last DrawOutline put the outline: device = origin + mm * scale.
    double m_dDrawScale = 0.0;
    double m_dDrawX = 0.0;
    double m_dDrawY = 0.0;
    int m_nShareCount = 0; // holders beyond the first

    friend class CSectionList;
};

// True for H- and I-shaped sections (rolled, welded and user-defined).
bool IsSecI(CSectionBase* pSec);
