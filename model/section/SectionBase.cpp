#include <vyr/model/section/SectionBase.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include <vyr/archive.h>
#include <vyr/model/geometry/geometry.h>
#include <vyr/model/material/material.h>
#include <vyr/model/section/SectionArchive.h>
#include <vyr/model/section/SectionProfiles.h>

IMPLEMENT_SERIAL(CSectionBase, CObject, 1)

// ---------------------------------------------------------------- archive helpers

namespace vyr::sec {

namespace {
thread_local MaterialResolver* t_pResolver = nullptr;
}

ResolverScope::ResolverScope(MaterialResolver* p) : m_pOld(t_pResolver) { t_pResolver = p; }
ResolverScope::~ResolverScope() { t_pResolver = m_pOld; }

void ThrowCorrupt() { AfxThrowArchiveException(CArchiveException::badIndex); }

void StoreMaterial(CArchive& ar, CMaterialBase* pMat)
{
    int ref = (pMat != nullptr && t_pResolver != nullptr) ? t_pResolver->Ref(pMat) : 0;
    ar << ref;
}

CMaterialBase* LoadMaterial(CArchive& ar)
{
    int ref = 0;
    ar >> ref;
    if (ref == 0 || t_pResolver == nullptr)
        return nullptr;
    return t_pResolver->Find(ref);
}

namespace {
template <class T>
T LoadFinite(CArchive& ar)
{
    T v = 0;
    ar >> v;
    if (!std::isfinite(v))
        ThrowCorrupt();
    return v;
}
} // namespace

float LoadFloat(CArchive& ar) { return LoadFinite<float>(ar); }
double LoadDouble(CArchive& ar) { return LoadFinite<double>(ar); }

int LoadInt(CArchive& ar)
{
    int n = 0;
    ar >> n;
    return n;
}

void StoreSection(CArchive& ar, CSectionBase* pSec)
{
    ar << pSec->GetType();
    pSec->GetRuntimeClass()->Store(ar);
    pSec->Serialize(ar);
}

CSectionBase* LoadSection(CArchive& ar)
{
    const int type = LoadInt(ar);
    UINT schema = 0;
    const CRuntimeClass* cls = CRuntimeClass::Load(ar, &schema);
    // The base class stores nothing of its own: only its kinds are ever written.
    if (cls == nullptr || cls == RUNTIME_CLASS(CSectionBase) || !cls->IsDerivedFrom(RUNTIME_CLASS(CSectionBase)) ||
        cls->m_pfnCreateObject == nullptr || schema != cls->m_wSchema)
        AfxThrowArchiveException(CArchiveException::badClass);
    std::unique_ptr<CSectionBase> p(static_cast<CSectionBase*>(cls->CreateObject()));
    p->Serialize(ar);
    if (p->GetType() != type)
        AfxThrowArchiveException(CArchiveException::badClass);
    return p.release();
}

} // namespace vyr::sec

using namespace vyr::sec;

// ---------------------------------------------------------------- construction

CSectionBase::CSectionBase() : m_pPoints(new CPoint3D[OUTLINE_SIZE]) {}

CSectionBase::~CSectionBase() { delete[] m_pPoints; }

void CSectionBase::ShareComponent(CSectionBase*& slot, CSectionBase* p)
{
    if (slot == p)
        return;
    ReleaseComponent(slot);
    slot = p;
}

void CSectionBase::ReleaseComponent(CSectionBase*& slot)
{
    if (slot == nullptr)
        return;
    if (slot->m_nShareCount > 0)
        --slot->m_nShareCount;
    else
        delete slot;
    slot = nullptr;
}

void CSectionBase::AssignShared(CSectionBase*& slot, CSectionBase* p)
{
    if (slot == p)
        return;
    ReleaseComponent(slot);
    slot = p;
    if (p != nullptr)
        ++p->m_nShareCount;
}

CSectionBase& CSectionBase::operator=(CSectionBase& o)
{
    if (this == &o)
        return *this;
    m_nNo = o.m_nNo;
    m_nType = o.m_nType;
    m_nUsed = o.m_nUsed;
    m_strDim = o.m_strDim;
    m_strKind = o.m_strKind;
    m_strCategory = o.m_strCategory;
    m_strFull = o.m_strFull;
    m_strMat = o.m_strMat;
    m_fXc = o.m_fXc;
    m_fYc = o.m_fYc;
    m_dA2 = o.m_dA2;
    m_dA3 = o.m_dA3;
    m_dI33 = o.m_dI33;
    m_dWx = o.m_dWx;
    m_dix = o.m_dix;
    m_dI22 = o.m_dI22;
    m_dWy = o.m_dWy;
    m_diy = o.m_diy;
    m_dA1 = o.m_dA1;
    m_dimin = o.m_dimin;
    m_pStay = o.m_pStay;
    m_pMaterial = o.m_pMaterial;
    m_nType2 = o.m_nType2;
    m_nType3 = o.m_nType3;
    m_fB = o.m_fB;
    m_fH = o.m_fH;
    std::copy(o.m_pPoints, o.m_pPoints + OUTLINE_SIZE, m_pPoints);
    m_nPElaticNum = o.m_nPElaticNum;
    m_nXConcretePElaticNum = o.m_nXConcretePElaticNum;
    m_nYConcretePElaticNum = o.m_nYConcretePElaticNum;
    m_bValid = o.m_bValid;
    m_bOpenOutline = o.m_bOpenOutline;
    m_nOutlineNum = o.m_nOutlineNum;
    m_nLoopNum = o.m_nLoopNum;
    std::copy(o.m_nLoopStart, o.m_nLoopStart + 4, m_nLoopStart);
    return *this;
}

bool CSectionBase::operator==(CSectionBase& other) { return IsSame(&other); }

// ---------------------------------------------------------------- factory

namespace {

template <class T>
CSectionBase* Make()
{
    return new T;
}

struct CodeEntry
{
    int lo;
    int hi;
    CSectionBase* (*make)();
};

// Standard codes follow the section tables; the codes above 500 are the library's own.
const CodeEntry kCodes[] = {
    {101, 101, Make<CSRolledEAngle>},   {102, 102, Make<CSRolledNEAngle>},
    {103, 104, Make<CSRolledIbeam>},    {105, 105, Make<CSWeldedIbeam>},
    {106, 107, Make<CSRolledChannel>},  {108, 108, Make<CSWeldedChannel>},
    {109, 110, Make<CSRolledHtype>},    {111, 112, Make<CSWeldedHtype>},
    {113, 114, Make<CSPipe>},           {115, 115, Make<CSRound>},
    {116, 116, Make<CSSquare>},         {201, 201, Make<CSRolledNEAngle>},
    {202, 205, Make<CSRolledIbeam>},    {206, 207, Make<CSRolledChannel>},
    {208, 210, Make<CSRolledTbeam>},    {211, 211, Make<CSPipe>},
    {212, 213, Make<CSSquarePipe>},     {301, 301, Make<CSRolledEAngle>},
    {302, 302, Make<CSRolledNEAngle>},  {303, 304, Make<CSRolledIbeam>},
    {305, 305, Make<CSRolledChannel>},  {306, 307, Make<CSRolledHtype>},
    {308, 309, Make<CSRolledTbeam>},    {401, 401, Make<CSRolledEAngle>},
    {402, 402, Make<CSRolledNEAngle>},  {403, 403, Make<CSRolledNETAngle>},
    {404, 404, Make<CSRolledIbeam>},    {405, 405, Make<CSRolledChannel>},
    {406, 406, Make<CSRolledHtype>},    {407, 407, Make<CSRolledTbeam>},
    {408, 409, Make<CSPipe>},           {410, 414, Make<CSSquarePipe>},
    {501, 501, Make<CSDefineIbeam>},    {502, 502, Make<CSDefineChannel>},
    {503, 503, Make<CSDefineTbeam>},    {504, 504, Make<CSDefineAngle>},
    {505, 505, Make<CSDefineBox>},      {506, 506, Make<CSDefinePipe>},
    {507, 507, Make<CSThinChannel>},    {508, 508, Make<CSThinBevelEdgeZ>},
    {509, 509, Make<CSThinVerticalEdgeZ>}, {510, 510, Make<CSFISec>},
    {511, 511, Make<CSFBoxSec>},        {512, 512, Make<CSF2TISec>},
    {513, 513, Make<CSDefineHybCircle>}, {514, 514, Make<CSDefineHybJu>},
    {601, 601, Make<CSCombineBOX>},     {602, 602, Make<CSCombineCEL>},
    {603, 603, Make<CSCombineCI>},      {604, 604, Make<CSCombineCJ>},
    {605, 605, Make<CSCombineCLL>},     {606, 606, Make<CSCombineCLS>},
    {607, 607, Make<CSCombineCircle>},  {608, 608, Make<CSCombineDEJL>},
    {609, 609, Make<CSCombineDEJLl>},   {610, 610, Make<CSCombineDEJLs>},
    {611, 611, Make<CSCombineDJC>},     {612, 612, Make<CSCombineDNELL>},
    {613, 613, Make<CSCombineDNELLl>},  {614, 614, Make<CSCombineDNELLs>},
    {615, 615, Make<CSCombineDT>},      {616, 616, Make<CSCombineEJL>},
    {617, 617, Make<CSCombineGEJL>},    {618, 618, Make<CSCombineGNEJLl>},
    {619, 619, Make<CSCombineGNEJLs>},  {620, 620, Make<CSCombineHyPipe2>},
    {621, 621, Make<CSCombineHyPipe4>}, {622, 622, Make<CSCombineII>},
    {623, 623, Make<CSCombineJC>},      {624, 624, Make<CSCombineLL>},
    {625, 625, Make<CSCombineLLI>},     {626, 626, Make<CSCombineLLIl>},
    {627, 627, Make<CSCombineLLIs>},    {628, 628, Make<CSCombineLLLL>},
    {629, 629, Make<CSCombineNEJLl>},   {630, 630, Make<CSCombineNEJLs>},
    {631, 631, Make<CSCombineNELLl>},   {632, 632, Make<CSCombineNELLs>},
    {633, 633, Make<CSCombineNLLLL>},   {634, 634, Make<CSCombineTTI>},
    {701, 701, Make<CHybridRect>},      {702, 702, Make<CHybridCircle>},
    {901, 901, Make<CTaperVaryWeb>},
};

} // namespace

CSectionBase* CSectionBase::CreateSec(int nType)
{
    for (const CodeEntry& e : kCodes) {
        if (nType >= e.lo && nType <= e.hi) {
            CSectionBase* p = e.make();
            p->m_nType = nType;
            return p;
        }
    }
    return nullptr;
}

// ---------------------------------------------------------------- texts

CString CSectionBase::GetStrMatType()
{
    if (m_pMaterial != nullptr && !m_pMaterial->GetName().IsEmpty())
        return m_pMaterial->GetName();
    if (!m_strMat.IsEmpty())
        return m_strMat;
    return CString("无材料");
}

CString CSectionBase::GetSimpleSecName() const
{
    if (!m_strKind.IsEmpty())
        return m_strKind;
    if (!m_strFull.IsEmpty())
        return m_strFull;
    return m_strDim;
}

CString CSectionBase::GetSimpleSecType() const
{
    const int t = m_nType;
    if (t > 500 && t < 600)
        return CString("自定义");
    if (t > 600 && t < 700)
        return CString("组合");
    if (t > 700 && t < 900)
        return CString("型钢混凝土");
    if (t > 900 && t < 1000)
        return CString("变截面");
    const CSectionBase* p = this;
    if (dynamic_cast<const CSRolledEAngle*>(p) || dynamic_cast<const CSRolledNEAngle*>(p) ||
        dynamic_cast<const CSRolledNETAngle*>(p))
        return CString("角钢");
    if (dynamic_cast<const CSRolledIbeam*>(p) || dynamic_cast<const CSWeldedIbeam*>(p))
        return CString("工字钢");
    if (dynamic_cast<const CSRolledChannel*>(p) || dynamic_cast<const CSWeldedChannel*>(p))
        return CString("槽钢");
    if (dynamic_cast<const CSRolledHtype*>(p) || dynamic_cast<const CSWeldedHtype*>(p))
        return CString("H型钢");
    if (dynamic_cast<const CSRolledTbeam*>(p))
        return CString("T型钢");
    if (dynamic_cast<const CSPipe*>(p) || dynamic_cast<const CSSquarePipe*>(p))
        return CString("钢管");
    if (dynamic_cast<const CSRound*>(p))
        return CString("圆钢");
    if (dynamic_cast<const CSSquare*>(p))
        return CString("方钢");
    return CString();
}

// ---------------------------------------------------------------- material-dependent values

static constexpr float kSteelE = 20600.0f;  // kN/cm2, as the material records store it
static constexpr float kSteelG = 7900.0f;
static constexpr float kSteelDensity = 7850e-6f; // kg/cm3 as stored (density x 1e-6)

float CSectionBase::GetE() { return m_pMaterial != nullptr && m_pMaterial->GetE() > 0 ? m_pMaterial->GetE() : kSteelE; }
float CSectionBase::GetG() { return m_pMaterial != nullptr && m_pMaterial->GetE() > 0 ? m_pMaterial->GetG() : kSteelG; }
float CSectionBase::GetPoisson() { return m_pMaterial != nullptr && m_pMaterial->GetE() > 0 ? m_pMaterial->GetPoisson() : 0.3f; }

float CSectionBase::GetSteelMass()
{
    const float rho = (m_pMaterial != nullptr && m_pMaterial->GetDensity() > 0) ? m_pMaterial->GetDensity() : kSteelDensity;
    // A cm2 x kg/cm3 = kg per cm of length.
    return GetSteelA() * rho;
}

float CSectionBase::GetMass()
{
    // Concrete of hybrid sections at 2500 kg/m3.
    return GetSteelMass() + GetConcreteA() * 2500e-6f;
}

float CSectionBase::GetSteelRatio()
{
    const float s = GetSteelA(), c = GetConcreteA();
    return (s + c) > 0.0f ? s / (s + c) : 0.0f;
}

float CSectionBase::GetHybridMatStrength(float& fSteel, float& fConcrete)
{
    fSteel = m_pMaterial != nullptr ? m_pMaterial->Get_f() : 0.0f;
    fConcrete = 0.0f;
    return fSteel;
}

float CSectionBase::GetD() { return 0.0f; }

float CSectionBase::GetH() { return m_fH * 0.1f; }
float CSectionBase::GetB() { return m_fB * 0.1f; }
float CSectionBase::GetT() { return 0.0f; }
float CSectionBase::GetTf() { return 0.0f; }
float CSectionBase::GetB1() { return 0.0f; }
float CSectionBase::GetTf1() { return 0.0f; }

void CSectionBase::GetSteelSecShearCapacity(int nDir, float& fV2, float& fV3)
{
    // Shear strength as the material stores it (kN/cm2) times the shear area (cm2).
    const float fv = m_pMaterial != nullptr ? m_pMaterial->Get_fv() : 0.0f;
    (void)nDir;
    fV2 = GetA2() * fv;
    fV3 = GetA3() * fv;
}

void CSectionBase::GetSteelFrameShearArea(float& fA2, float& fA3)
{
    fA2 = GetA2();
    fA3 = GetA3();
}

float CSectionBase::GetGama_s(int nDir)
{
    // Plastic adaptation factors of the steel design code.
    if (IsSecI(this))
        return nDir == 0 ? 1.05f : 1.2f;
    if (dynamic_cast<CSPipe*>(this) != nullptr || dynamic_cast<CSDefinePipe*>(this) != nullptr)
        return 1.15f;
    if (dynamic_cast<CSSquarePipe*>(this) != nullptr || dynamic_cast<CSDefineBox*>(this) != nullptr)
        return 1.05f;
    return 1.0f;
}

float CSectionBase::GetWebHeight()
{
    if (!IsDataValid())
        return 0.0f;
    const float h = GetH() - GetTf() - GetTf1();
    return h > 0.0f ? h : 0.0f;
}

float CSectionBase::GetFlangetoWebAreaRatio()
{
    if (!IsDataValid())
        return 0.0f;
    const float web = GetWebHeight() * GetT();
    if (!(web > 0.0f))
        return 0.0f;
    const float b1 = GetB1() > 0.0f ? GetB1() : GetB();
    const float tf1 = GetTf1() > 0.0f ? GetTf1() : GetTf();
    return (GetB() * GetTf() + b1 * tf1) / web;
}

float CSectionBase::GetMpx(bool bPlastic, float fFy)
{
    const float w = (bPlastic && GetWpx() > 0.0f) ? GetWpx() : GetWx();
    return w * fFy;
}

float CSectionBase::GetMpy(bool bPlastic, float fFy)
{
    const float w = (bPlastic && GetWpy() > 0.0f) ? GetWpy() : GetWy();
    return w * fFy;
}

void CSectionBase::CopySec(CSectionBase* pSource, bool bWithTexts)
{
    if (pSource == nullptr || pSource == this)
        return;
    const CString dim = m_strDim, kind = m_strKind, cat = m_strCategory, full = m_strFull, mat = m_strMat;
    *this = *pSource;
    if (!bWithTexts) {
        m_strDim = dim;
        m_strKind = kind;
        m_strCategory = cat;
        m_strFull = full;
        m_strMat = mat;
    }
}

static bool NearlyEqual(double a, double b)
{
    return std::fabs(a - b) <= 1e-6 * std::max({1.0, std::fabs(a), std::fabs(b)});
}

bool CSectionBase::IsSame(CSectionBase* p)
{
    if (p == nullptr)
        return false;
    if (p == this)
        return true;
    if (GetRuntimeClass() != p->GetRuntimeClass() || m_nType != p->m_nType || m_pMaterial != p->m_pMaterial ||
        m_pStay != p->m_pStay)
        return false;
    const float a[] = {GetH(), GetB(), GetT(), GetTf(), GetB1(), GetTf1(), GetR(), GetR1(), GetEndH(), GetD()};
    const float b[] = {p->GetH(), p->GetB(), p->GetT(), p->GetTf(), p->GetB1(), p->GetTf1(),
                       p->GetR(), p->GetR1(), p->GetEndH(), p->GetD()};
    for (size_t i = 0; i < sizeof(a) / sizeof(a[0]); ++i)
        if (!NearlyEqual(a[i], b[i]))
            return false;
    const double pa[] = {m_dA1, m_dI33, m_dI22, m_dWx, m_dWy};
    const double pb[] = {p->m_dA1, p->m_dI33, p->m_dI22, p->m_dWx, p->m_dWy};
    for (size_t i = 0; i < sizeof(pa) / sizeof(pa[0]); ++i)
        if (!NearlyEqual(pa[i], pb[i]))
            return false;
    return true;
}

// ---------------------------------------------------------------- shear areas

void CSectionBase::SetShearArea(int nKind, double d1, double d2, double d3, double d4, double d5, double d6)
{
    // mm2 to cm2
    constexpr double k = 0.01;
    double a2 = 0.0, a3 = 0.0;
    // I, H, channel and T: some callers give the web thickness before the flange width;
    // a web is never wider than its flange, so the order shows in the values.
    if ((nKind == 4 || nKind == 5 || nKind == 7) && d3 > d2)
        std::swap(d2, d3);
    switch (nKind) {
    case 2: // solid bar: round 0.9 A, square 5/6 A
        if (dynamic_cast<CSSquare*>(this) != nullptr)
            a2 = a3 = d1 * d1 * 5.0 / 6.0;
        else
            a2 = a3 = 0.9 * M_PI * d1 * d1 / 4.0;
        break;
    case 3: { // circular tube: half the ring
        const double di = d1 - 2.0 * d3;
        a2 = a3 = di > 0.0 ? M_PI * (d1 * d1 - di * di) / 8.0 : 0.0;
        break;
    }
    case 4: // I: the web over the whole depth; 5/6 of the flanges
    case 5: // H
        a2 = d1 * d3;
        a3 = 5.0 / 6.0 * (d2 * d4 + d5 * d6);
        break;
    case 6: // box: both webs, both flanges
        a2 = 2.0 * d1 * d3;
        a3 = 2.0 * d2 * d4;
        break;
    case 7: { // channel and T; a T has one flange
        const bool tee = dynamic_cast<CSRolledTbeam*>(this) != nullptr || dynamic_cast<CSDefineTbeam*>(this) != nullptr;
        a2 = d1 * d3;
        a3 = 5.0 / 6.0 * (tee ? d2 * d4 : d2 * d4 + d5 * d6);
        break;
    }
    case 9: // angle: 5/6 of each leg
        a2 = 5.0 / 6.0 * d1 * d3;
        a3 = 5.0 / 6.0 * d2 * d4;
        break;
    default:
        break;
    }
    if (!std::isfinite(a2) || a2 < 0.0)
        a2 = 0.0;
    if (!std::isfinite(a3) || a3 < 0.0)
        a3 = 0.0;
    m_dA2 = a2 * k;
    m_dA3 = a3 * k;
}

// ---------------------------------------------------------------- properties and outline

void CSectionBase::SetProps(bool ok, double A, double Ix, double Iy, double Imin, double cx, double cy,
                            double dxMax, double dyMax)
{
    if (!ok || !(A > 0.0) || !(Ix > 0.0) || !(Iy > 0.0) || !(dxMax > 0.0) || !(dyMax > 0.0) || !std::isfinite(A) ||
        !std::isfinite(Ix) || !std::isfinite(Iy)) {
        m_bValid = false;
        m_dA1 = m_dI33 = m_dI22 = m_dWx = m_dWy = m_dix = m_diy = m_dimin = 0.0;
        m_dA2 = m_dA3 = 0.0;
        m_fXc = m_fYc = 0.0f;
        ClearOutline();
        return;
    }
    m_bValid = true;
    m_dA1 = A / 100.0;
    m_dI33 = Ix / 1e4;
    m_dI22 = Iy / 1e4;
    m_dWx = Ix / dyMax / 1e3;
    m_dWy = Iy / dxMax / 1e3;
    m_dix = std::sqrt(Ix / A) / 10.0;
    m_diy = std::sqrt(Iy / A) / 10.0;
    m_dimin = std::sqrt(std::max(0.0, Imin) / A) / 10.0;
    m_fXc = (float)cx;
    m_fYc = (float)cy;
}

void CSectionBase::SetOutline(const std::vector<std::vector<std::pair<double, double>>>& loops, bool bOpen)
{
    ClearOutline();
    m_bOpenOutline = bOpen;
    size_t total = 0;
    for (const auto& l : loops)
        total += l.size();
    if (total == 0)
        return;
    const int nLoops = (int)std::min<size_t>(loops.size(), 4);
    int pos = 0;
    for (int li = 0; li < nLoops; ++li) {
        const auto& l = loops[(size_t)li];
        // Each loop gets its share of the points, at least 3 when it has that many.
        int share = (int)((double)OUTLINE_SIZE * (double)l.size() / (double)total);
        share = std::min<int>(share, (int)l.size());
        share = std::max(share, std::min<int>(3, (int)l.size()));
        share = std::min(share, OUTLINE_SIZE - pos);
        if (share <= 0)
            break;
        m_nLoopStart[li] = pos;
        for (int k = 0; k < share; ++k) {
            const size_t src = (size_t)((double)k * (double)l.size() / (double)share);
            m_pPoints[pos + k] = CPoint3D(l[src].first, l[src].second, 0.0);
        }
        pos += share;
        m_nLoopNum = li + 1;
    }
    m_nOutlineNum = pos;
}

void CSectionBase::DrawOutline(CDC* pDC, CRect rect)
{
    if (pDC == nullptr || m_nOutlineNum < 2)
        return;
    double xmin = 1e300, xmax = -1e300, ymin = 1e300, ymax = -1e300;
    for (int i = 0; i < m_nOutlineNum; ++i) {
        xmin = std::min(xmin, m_pPoints[i].x);
        xmax = std::max(xmax, m_pPoints[i].x);
        ymin = std::min(ymin, m_pPoints[i].y);
        ymax = std::max(ymax, m_pPoints[i].y);
    }
    const double w = std::max(xmax - xmin, 1e-9), h = std::max(ymax - ymin, 1e-9);
    // Leave a fifth of the rectangle for the dimensions.
    const double scale = std::min(rect.Width() * 0.7 / w, rect.Height() * 0.7 / h);
    if (!(scale > 0.0))
        return;
    const double cx = (rect.left + rect.right) / 2.0, cy = (rect.top + rect.bottom) / 2.0;
    m_dDrawScale = scale;
    m_dDrawX = cx - (xmin + xmax) / 2.0 * scale;
    m_dDrawY = cy + (ymin + ymax) / 2.0 * scale; // y grows downwards on the device
    auto dev = [&](const CPoint3D& p) {
        return CPoint((int)std::lround(m_dDrawX + p.x * scale), (int)std::lround(m_dDrawY - p.y * scale));
    };
    for (int li = 0; li < m_nLoopNum; ++li) {
        const int first = m_nLoopStart[li];
        const int end = (li + 1 < m_nLoopNum) ? m_nLoopStart[li + 1] : m_nOutlineNum;
        if (end - first < 2)
            continue;
        pDC->MoveTo(dev(m_pPoints[first]));
        for (int i = first + 1; i < end; ++i)
            pDC->LineTo(dev(m_pPoints[i]));
        if (!m_bOpenOutline)
            pDC->LineTo(dev(m_pPoints[first]));
    }
}

void CSectionBase::DimOutline(CDC* pDC)
{
    if (pDC == nullptr || m_nOutlineNum < 2 || !(m_dDrawScale > 0.0))
        return;
    double xmin = 1e300, xmax = -1e300, ymin = 1e300, ymax = -1e300;
    for (int i = 0; i < m_nOutlineNum; ++i) {
        xmin = std::min(xmin, m_pPoints[i].x);
        xmax = std::max(xmax, m_pPoints[i].x);
        ymin = std::min(ymin, m_pPoints[i].y);
        ymax = std::max(ymax, m_pPoints[i].y);
    }
    const long l = std::lround(m_dDrawX + xmin * m_dDrawScale), r = std::lround(m_dDrawX + xmax * m_dDrawScale);
    const long t = std::lround(m_dDrawY - ymax * m_dDrawScale), b = std::lround(m_dDrawY - ymin * m_dDrawScale);
    // Width under the section, height at its right.
    Dimension(pDC, l, b, r, b, xmax - xmin, 0, 12);
    Dimension(pDC, r, b, r, t, ymax - ymin, 1, 12);
}

void CSectionBase::Dimension(CDC* pDC, long x1, long y1, long x2, long y2, double dValue, int nSide, int nOffset)
{
    if (pDC == nullptr)
        return;
    // nSide 0: below a horizontal measure; otherwise right of a vertical one.
    const int dx = nSide == 0 ? 0 : nOffset, dy = nSide == 0 ? nOffset : 0;
    pDC->MoveTo((int)x1, (int)y1);
    pDC->LineTo((int)(x1 + dx), (int)(y1 + dy));
    pDC->MoveTo((int)x2, (int)y2);
    pDC->LineTo((int)(x2 + dx), (int)(y2 + dy));
    pDC->MoveTo((int)(x1 + dx * 3 / 4), (int)(y1 + dy * 3 / 4));
    pDC->LineTo((int)(x2 + dx * 3 / 4), (int)(y2 + dy * 3 / 4));
    CString text;
    text.Format("%.0f", dValue);
    pDC->TextOut((int)((x1 + x2) / 2 + dx), (int)((y1 + y2) / 2 + dy), text);
}

void CSectionBase::DrawAxial(CDC* pDC, CRect rect)
{
    if (pDC == nullptr)
        return;
    // Axes 3 (horizontal) and 2 (vertical) through the centroid of the drawn outline, or
    // through the rectangle's centre before anything was drawn.
    int cx = (rect.left + rect.right) / 2, cy = (rect.top + rect.bottom) / 2;
    if (m_dDrawScale > 0.0) {
        cx = (int)std::lround(m_dDrawX);
        cy = (int)std::lround(m_dDrawY);
    }
    CPen pen(PS_DASHDOT, 1, RGB(255, 0, 0));
    CPen* pOld = pDC->SelectObject(&pen);
    pDC->MoveTo(rect.left + 4, cy);
    pDC->LineTo(rect.right - 4, cy);
    pDC->MoveTo(cx, rect.top + 4);
    pDC->LineTo(cx, rect.bottom - 4);
    pDC->SelectObject(pOld);
    pDC->TextOut(rect.right - 14, cy - 16, CString("3"));
    pDC->TextOut(cx + 4, rect.top + 4, CString("2"));
}

// ---------------------------------------------------------------- persistence

void CSectionBase::Load(IStream*) {}
void CSectionBase::Save(IStream*) {}
void CSectionBase::Saveimin(IStream*) {}
void CSectionBase::Loadimin(IStream*) {}

void CSectionBase::Serialize(CArchive&) {}

void CSectionBase::SerializeBase(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nNo << m_nType << m_nUsed;
        ar << m_strDim << m_strKind << m_strCategory << m_strFull << m_strMat;
        ar << m_fXc << m_fYc;
        ar << m_dA2 << m_dA3 << m_dI33 << m_dWx << m_dix << m_dI22 << m_dWy << m_diy << m_dA1 << m_dimin;
        ar << m_nType2 << m_nType3 << m_fB << m_fH;
        ar << m_nPElaticNum << m_nXConcretePElaticNum << m_nYConcretePElaticNum;
        StoreMaterial(ar, m_pMaterial);
    } else {
        m_nNo = LoadInt(ar);
        m_nType = LoadInt(ar);
        m_nUsed = LoadInt(ar);
        ar >> m_strDim >> m_strKind >> m_strCategory >> m_strFull >> m_strMat;
        m_fXc = LoadFloat(ar);
        m_fYc = LoadFloat(ar);
        double* d[] = {&m_dA2, &m_dA3, &m_dI33, &m_dWx, &m_dix, &m_dI22, &m_dWy, &m_diy, &m_dA1, &m_dimin};
        for (double* p : d) {
            *p = LoadDouble(ar);
            if (*p < 0.0)
                ThrowCorrupt();
        }
        m_nType2 = LoadInt(ar);
        m_nType3 = LoadInt(ar);
        m_fB = LoadFloat(ar);
        m_fH = LoadFloat(ar);
        m_nPElaticNum = LoadInt(ar);
        m_nXConcretePElaticNum = LoadInt(ar);
        m_nYConcretePElaticNum = LoadInt(ar);
        m_pMaterial = LoadMaterial(ar);
        m_pStay = nullptr;
    }
}

bool IsSecI(CSectionBase* p)
{
    return dynamic_cast<CSRolledIbeam*>(p) != nullptr || dynamic_cast<CSRolledHtype*>(p) != nullptr ||
           dynamic_cast<CSWeldedIbeam*>(p) != nullptr || dynamic_cast<CSWeldedHtype*>(p) != nullptr ||
           dynamic_cast<CSDefineIbeam*>(p) != nullptr;
}

// ---------------------------------------------------------------- shapes

bool CSectionBase::ApplyShape(const std::vector<std::vector<Corner>>& loops)
{
    Integrals sum;
    std::vector<std::vector<Pt>> fine;
    double xmin = 1e300, xmax = -1e300, ymin = 1e300, ymax = -1e300;
    for (size_t i = 0; i < loops.size(); ++i) {
        std::vector<Pt> poly = RoundPolygon(loops[i], 96);
        if (poly.size() < 3) {
            SetProps(false, 0, 0, 0, 0, 0, 0, 0, 0);
            return false;
        }
        const Integrals in = PolygonIntegrals(poly);
        if (i == 0) {
            sum += in;
            for (const Pt& p : poly) {
                xmin = std::min(xmin, p.x);
                xmax = std::max(xmax, p.x);
                ymin = std::min(ymin, p.y);
                ymax = std::max(ymax, p.y);
            }
        } else {
            sum -= in;
        }
        fine.push_back(std::move(poly));
    }
    const Props pr = MakeProps(sum, xmin, xmax, ymin, ymax);
    SetProps(pr.ok, pr.A, pr.Ix, pr.Iy, pr.Imin, pr.xc - xmin, pr.yc - ymin, std::max(pr.xc - xmin, xmax - pr.xc),
             std::max(pr.yc - ymin, ymax - pr.yc));
    if (!m_bValid)
        return false;
    std::vector<std::vector<std::pair<double, double>>> outline;
    for (const auto& loop : loops) {
        std::vector<Pt> coarse = RoundPolygon(loop, 4);
        std::vector<std::pair<double, double>> l;
        for (const Pt& p : coarse)
            l.emplace_back(p.x - pr.xc, p.y - pr.yc);
        outline.push_back(std::move(l));
    }
    SetOutline(outline);
    return true;
}

bool CSectionBase::ApplyLines(const std::vector<std::pair<Pt, Pt>>& lines, double t)
{
    Integrals sum;
    double xmin = 1e300, xmax = -1e300, ymin = 1e300, ymax = -1e300;
    for (const auto& l : lines) {
        sum += LineIntegrals(l.first, l.second, t);
        for (const Pt& p : {l.first, l.second}) {
            xmin = std::min(xmin, p.x - t / 2);
            xmax = std::max(xmax, p.x + t / 2);
            ymin = std::min(ymin, p.y - t / 2);
            ymax = std::max(ymax, p.y + t / 2);
        }
    }
    const Props pr = MakeProps(sum, xmin, xmax, ymin, ymax);
    SetProps(pr.ok, pr.A, pr.Ix, pr.Iy, pr.Imin, pr.xc - xmin, pr.yc - ymin, std::max(pr.xc - xmin, xmax - pr.xc),
             std::max(pr.yc - ymin, ymax - pr.yc));
    if (!m_bValid)
        return false;
    // The centre line as one open polyline (the plates of these shapes form a chain).
    std::vector<std::pair<double, double>> l;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i == 0)
            l.emplace_back(lines[i].first.x - pr.xc, lines[i].first.y - pr.yc);
        l.emplace_back(lines[i].second.x - pr.xc, lines[i].second.y - pr.yc);
    }
    SetOutline({l}, true);
    return true;
}

bool CSectionBase::ApplyCircle(double D, double d)
{
    if (!(D > 0.0) || d < 0.0 || d >= D) {
        SetProps(false, 0, 0, 0, 0, 0, 0, 0, 0);
        return false;
    }
    const double A = M_PI * (D * D - d * d) / 4.0;
    const double I = M_PI * (D * D * D * D - d * d * d * d) / 64.0;
    SetProps(true, A, I, I, I, D / 2.0, D / 2.0, D / 2.0, D / 2.0);
    std::vector<std::vector<std::pair<double, double>>> outline;
    for (double r : {D / 2.0, d / 2.0}) {
        if (r <= 0.0)
            continue;
        std::vector<std::pair<double, double>> l;
        for (const Pt& p : CirclePoints(0.0, 0.0, r, 72))
            l.emplace_back(p.x, p.y);
        outline.push_back(std::move(l));
    }
    SetOutline(outline);
    return true;
}

void CSectionBase::ChangeSecProperty()
{
    if (!DimsValid()) {
        SetProps(false, 0, 0, 0, 0, 0, 0, 0, 0);
        return;
    }
    // A shape that still cannot be built (a fillet that does not fit) invalidates it again.
    m_bValid = true;
    ComputeProperties();
}

void CSectionBase::RebuildOutline()
{
    const double keep[] = {m_dA2, m_dA3, m_dI33, m_dWx, m_dix, m_dI22, m_dWy, m_diy, m_dA1, m_dimin};
    const float xc = m_fXc, yc = m_fYc;
    ChangeSecProperty();
    // Impossible dimensions keep nothing of what was stored.
    if (!m_bValid)
        return;
    m_dA2 = keep[0];
    m_dA3 = keep[1];
    m_dI33 = keep[2];
    m_dWx = keep[3];
    m_dix = keep[4];
    m_dI22 = keep[5];
    m_dWy = keep[6];
    m_diy = keep[7];
    m_dA1 = keep[8];
    m_dimin = keep[9];
    m_fXc = xc;
    m_fYc = yc;
}
