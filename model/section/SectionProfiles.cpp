#include <vyr/model/section/SectionProfiles.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <tuple>
#include <type_traits>

#include <vyr/archive.h>
#include <vyr/model/section/SectionArchive.h>

using namespace vyr::sec;
using Loops = std::vector<std::vector<Corner>>;

namespace {

void Ld(CArchive& ar, float& v) { v = LoadFloat(ar); }
void Ld(CArchive& ar, double& v) { v = LoadDouble(ar); }
void Ld(CArchive& ar, int& v) { v = LoadInt(ar); }

// Stores or loads the fields in order.
template <class... T>
void Io(CArchive& ar, T&... v)
{
    if (ar.IsStoring())
        ((ar << v), ...);
    else
        (Ld(ar, v), ...);
}

template <class T, size_t N>
void IoArray(CArchive& ar, T (&a)[N])
{
    for (T& v : a)
        Io(ar, v);
}

// The extents are kept as floats (m_fB, m_fH, stored with the section): a dimension beyond
// the float range is none, or the section would keep and write an infinite width.
bool Pos(double v) { return v > 0.0 && v <= FLT_MAX; }
bool NonNeg(double v) { return v >= 0.0 && v <= FLT_MAX; }
bool Finite(float v) { return std::isfinite(v); }

// Dimension checks shared by the families below (mm).
// Two legs or a flange and a stem: T across B, Tf across H, radii optional.
bool LegsValid(double H, double B, double T, double Tf, double R, double R1)
{
    return Pos(H) && Pos(B) && Pos(T) && Pos(Tf) && T < B && Tf < H && NonNeg(R) && NonNeg(R1);
}
// Rolled I-beam or channel whose flange faces slope by s over their width.
bool SlopedFlangesValid(double H, double B, double T, double Tf, double R, double R1, double s)
{
    return Pos(H) && Pos(B) && Pos(T) && Pos(Tf) && T < B && 2.0 * (Tf + s) < H && Tf - s > 0.0 && NonNeg(R) &&
           NonNeg(R1);
}
// Web T between flanges B x Tf and B1 x Tf1.
bool PlatesValid(double H, double B, double T, double Tf, double B1, double Tf1)
{
    return Pos(H) && Pos(B) && Pos(T) && Pos(Tf) && Pos(B1) && Pos(Tf1) && T < B && T < B1 && Tf + Tf1 < H;
}

// Slope of the inner flange faces of the rolled I-beams and channels whose tables give the
// mean flange thickness (rise over run).
double IbeamSlope(int nType)
{
    switch (nType) {
    case 103:
    case 104:
    case 204:
    case 404:
        return 1.0 / 6.0;
    case 304:
        return std::tan(8.0 * M_PI / 180.0);
    default:
        return 0.0;
    }
}

double ChannelSlope(int nType)
{
    switch (nType) {
    case 106:
    case 107:
    case 405:
        return 0.1;
    case 206:
        return 1.0 / 6.0;
    default:
        return 0.0;
    }
}

// Plates as rectangles (x0, y0, x1, y1), for plastic moduli and torsion.
struct Rect
{
    double x0, y0, x1, y1;
};

// Plastic section modulus about the horizontal axis that halves the area (mm3).
double PlasticX(const std::vector<Rect>& rs)
{
    double A = 0.0, ylo = 1e300, yhi = -1e300;
    for (const Rect& r : rs) {
        A += (r.x1 - r.x0) * (r.y1 - r.y0);
        ylo = std::min(ylo, r.y0);
        yhi = std::max(yhi, r.y1);
    }
    if (!(A > 0.0))
        return 0.0;
    auto below = [&](double y) {
        double a = 0.0;
        for (const Rect& r : rs)
            a += (r.x1 - r.x0) * std::clamp(y - r.y0, 0.0, r.y1 - r.y0);
        return a;
    };
    double lo = ylo, hi = yhi;
    for (int i = 0; i < 100; ++i) {
        const double mid = (lo + hi) / 2.0;
        (below(mid) < A / 2.0 ? lo : hi) = mid;
    }
    const double yp = (lo + hi) / 2.0;
    double w = 0.0;
    for (const Rect& r : rs) {
        const double b = r.x1 - r.x0;
        // integral of |y - yp| over [y0, y1]
        auto F = [&](double y) { return (y - yp) * std::fabs(y - yp) / 2.0; };
        w += b * (F(r.y1) - F(r.y0));
    }
    return w;
}

double PlasticY(const std::vector<Rect>& rs)
{
    std::vector<Rect> t;
    for (const Rect& r : rs)
        t.push_back({r.y0, r.x0, r.y1, r.x1});
    return PlasticX(t);
}

// Plates of an I of top flange B x Tf, bottom flange B1 x Tf1, web T, height H.
std::vector<Rect> IPlates(double H, double B, double T, double Tf, double B1, double Tf1)
{
    return {{-B1 / 2, 0, B1 / 2, Tf1}, {-T / 2, Tf1, T / 2, H - Tf}, {-B / 2, H - Tf, B / 2, H}};
}

// Some tables repeat the root radius where the toe radius belongs; a toe is rounded by at
// most half the plate it ends.
double Toe(double r1, double t) { return std::min(r1, t / 2.0); }

// Outline of an I (centred on x = 0, bottom at y = 0) with optional fillets and slopes.
std::vector<Corner> IOutline(double H, double B, double T, double Tf, double B1, double Tf1, double r, double r1In,
                             double slope)
{
    const double r1 = Toe(r1In, std::min(Tf, Tf1) - slope * std::max(B - T, B1 - T) / 4.0);
    // Mean thicknesses at the middle of the outstands.
    const double dTop = slope * (B - T) / 4.0, dBot = slope * (B1 - T) / 4.0;
    return {
        {-B1 / 2, 0, 0},
        {B1 / 2, 0, 0},
        {B1 / 2, Tf1 - dBot, r1},
        {T / 2, Tf1 + dBot, r},
        {T / 2, H - Tf - dTop, r},
        {B / 2, H - Tf + dTop, r1},
        {B / 2, H, 0},
        {-B / 2, H, 0},
        {-B / 2, H - Tf + dTop, r1},
        {-T / 2, H - Tf - dTop, r},
        {-T / 2, Tf1 + dBot, r},
        {-B1 / 2, Tf1 - dBot, r1},
    };
}

// Channel, back of the web at x = 0, flanges to the right.
std::vector<Corner> COutline(double H, double B, double T, double Tf, double B1, double Tf1, double r, double r1In,
                             double slope)
{
    const double r1 = Toe(r1In, std::min(Tf, Tf1) - slope * std::max(B - T, B1 - T) / 2.0);
    const double dTop = slope * (B - T) / 2.0, dBot = slope * (B1 - T) / 2.0;
    return {
        {0, 0, 0},
        {B1, 0, 0},
        {B1, Tf1 - dBot, r1},
        {T, Tf1 + dBot, r},
        {T, H - Tf - dTop, r},
        {B, H - Tf + dTop, r1},
        {B, H, 0},
        {0, H, 0},
    };
}

// Angle: long leg H vertical (thickness T) at x = 0, short leg B horizontal (thickness Tf).
std::vector<Corner> LOutline(double H, double B, double T, double Tf, double r, double r1In)
{
    // Angle tables that give no toe radius repeat the root radius; the rolling standard's
    // toe radius is then a third of the leg thickness.
    const double t = std::min(T, Tf);
    const double r1 = r1In >= t ? t / 3.0 : Toe(r1In, t);
    return {{0, 0, 0}, {B, 0, 0}, {B, Tf, r1}, {T, Tf, r}, {T, H, r1}, {0, H, 0}};
}

// T: flange B x Tf at the top, stem T down to y = 0.
std::vector<Corner> TOutline(double H, double B, double T, double Tf, double r, double r1In)
{
    const double r1 = Toe(r1In, Tf);
    return {{-T / 2, 0, 0},   {T / 2, 0, 0},      {T / 2, H - Tf, r}, {B / 2, H - Tf, r1},
            {B / 2, H, 0},    {-B / 2, H, 0},     {-B / 2, H - Tf, r1}, {-T / 2, H - Tf, r}};
}

std::vector<Corner> RectOutline(double x0, double y0, double x1, double y1, double r)
{
    return {{x0, y0, r}, {x1, y0, r}, {x1, y1, r}, {x0, y1, r}};
}

// Sum of b t^3 / 3 over open plates, cm4.
double OpenTorsion(std::initializer_list<std::pair<double, double>> plates)
{
    double j = 0.0;
    for (const auto& p : plates)
        if (p.first > 0.0 && p.second > 0.0)
            j += p.first * p.second * p.second * p.second / 3.0;
    return j / 1e4;
}

// Closed thin-walled rectangle (Bredt), cm4.
double BoxTorsion(double H, double B, double tWeb, double tFlange)
{
    const double h = H - tFlange, b = B - tWeb;
    if (!(h > 0.0) || !(b > 0.0))
        return 0.0;
    const double am = h * b;
    const double perOverT = 2.0 * h / tWeb + 2.0 * b / tFlange;
    return 4.0 * am * am / perOverT / 1e4;
}

CString DescLine(int nLine, double H, double B, double T, double Tf)
{
    CString s;
    switch (nLine) {
    case 0: s.Format("H=%.0f", H); break;
    case 1: s.Format("B=%.0f", B); break;
    case 2: s.Format("tw=%.1f", T); break;
    case 3: s.Format("tf=%.1f", Tf); break;
    default: break;
    }
    return s;
}

// Perimeter (mm) over area (mm2) in 1/m.
float SectionFactor(double perimeter, double areaCm2)
{
    return areaCm2 > 0.0 ? (float)(perimeter / (areaCm2 * 100.0) * 1000.0) : 0.0f;
}

} // namespace

// Runtime class, assignment and serialisation of a class whose own fields FIELDS(x) lists.
#define VYR_IMPLEMENT_SECTION(cls, parent, FIELDS)                           \
    IMPLEMENT_SERIAL(cls, parent, 1)                                         \
    CSectionBase& cls::operator=(CSectionBase& other)                        \
    {                                                                        \
        if (this == &other)                                                  \
            return *this;                                                    \
        parent::operator=(other);                                            \
        if (cls* o = dynamic_cast<cls*>(&other))                             \
            std::tie(FIELDS((*this))) = std::tie(FIELDS((*o)));              \
        return *this;                                                        \
    }                                                                        \
    void cls::Serialize(CArchive& ar)                                        \
    {                                                                        \
        if (std::is_same_v<parent, CSectionBase>)                            \
            SerializeBase(ar);                                               \
        else                                                                 \
            parent::Serialize(ar);                                           \
        Io(ar, FIELDS((*this)));                                             \
        if (ar.IsLoading())                                                  \
            BuildStructure();                                                \
    }

// A class that adds no fields of its own.
#define VYR_IMPLEMENT_SECTION_NOFIELDS(cls, parent)                          \
    IMPLEMENT_SERIAL(cls, parent, 1)                                         \
    CSectionBase& cls::operator=(CSectionBase& other)                        \
    {                                                                        \
        parent::operator=(other);                                            \
        return *this;                                                        \
    }                                                                        \
    void cls::Serialize(CArchive& ar)                                        \
    {                                                                        \
        if (std::is_same_v<parent, CSectionBase>)                            \
            SerializeBase(ar);                                               \
        else                                                                 \
            parent::Serialize(ar);                                           \
        if (ar.IsLoading())                                                  \
            BuildStructure();                                                \
    }

#define VYR_INVALID()                                \
    do {                                             \
        SetProps(false, 0, 0, 0, 0, 0, 0, 0, 0);     \
        return;                                      \
    } while (0)

// ---------------------------------------------------------------- rolled angles

#define F_EANGLE(x) x.m_fT, x.m_fR, x.m_fR1
VYR_IMPLEMENT_SECTION(CSRolledEAngle, CSectionBase, F_EANGLE)

CSRolledEAngle::CSRolledEAngle(int nType, float fB, float fT, float fR, float fR1, float fXc)
{
    m_nType = nType;
    m_fB = m_fH = fB;
    m_fT = fT;
    m_fR = fR;
    m_fR1 = fR1;
    ChangeSecProperty();
    m_fXc = m_fYc = fXc;
}

bool CSRolledEAngle::DimsValid()
{
    return Pos(m_fB) && Pos(m_fT) && m_fT < m_fB && NonNeg(m_fR) && NonNeg(m_fR1);
}

void CSRolledEAngle::ComputeProperties()
{
    m_fH = m_fB;
    if (!ApplyShape({LOutline(m_fB, m_fB, m_fT, m_fT, m_fR, m_fR1)}))
        VYR_INVALID();
    SetShearArea(9, m_fB, m_fB, m_fT, m_fT, 1, 1);
}

void CSRolledEAngle::BuildStructure() { RebuildOutline(); }
float CSRolledEAngle::CalcI11() { return (float)OpenTorsion({{m_fB, m_fT}, {m_fB - m_fT, m_fT}}); }

#define F_NEANGLE(x) x.m_fT, x.m_fR, x.m_fR1
VYR_IMPLEMENT_SECTION(CSRolledNEAngle, CSectionBase, F_NEANGLE)

CSRolledNEAngle::CSRolledNEAngle(int nType, float fH, float fB, float fT, float fR, float fR1, float fXc, float fYc)
{
    m_nType = nType;
    m_fH = fH;
    m_fB = fB;
    m_fT = fT;
    m_fR = fR;
    m_fR1 = fR1;
    ChangeSecProperty();
    m_fXc = fXc;
    m_fYc = fYc;
}

bool CSRolledNEAngle::DimsValid()
{
    return LegsValid(m_fH, m_fB, m_fT, m_fT, m_fR, m_fR1);
}

void CSRolledNEAngle::ComputeProperties()
{
    if (!ApplyShape({LOutline(m_fH, m_fB, m_fT, m_fT, m_fR, m_fR1)}))
        VYR_INVALID();
    SetShearArea(9, m_fH, m_fB, m_fT, m_fT, 1, 1);
}

void CSRolledNEAngle::BuildStructure() { RebuildOutline(); }
float CSRolledNEAngle::CalcI11() { return (float)OpenTorsion({{m_fH, m_fT}, {m_fB - m_fT, m_fT}}); }

#define F_NETANGLE(x) x.m_fT, x.m_fTf, x.m_fR, x.m_fR1
VYR_IMPLEMENT_SECTION(CSRolledNETAngle, CSectionBase, F_NETANGLE)

CSRolledNETAngle::CSRolledNETAngle(float fH, float fB, float fT, float fTf, float fR, float fR1, float fXc, float fYc)
{
    m_fH = fH;
    m_fB = fB;
    m_fT = fT;
    m_fTf = fTf;
    m_fR = fR;
    m_fR1 = fR1;
    ChangeSecProperty();
    m_fXc = fXc;
    m_fYc = fYc;
}

bool CSRolledNETAngle::DimsValid()
{
    return LegsValid(m_fH, m_fB, m_fT, m_fTf, m_fR, m_fR1);
}

void CSRolledNETAngle::ComputeProperties()
{
    if (!ApplyShape({LOutline(m_fH, m_fB, m_fT, m_fTf, m_fR, m_fR1)}))
        VYR_INVALID();
    SetShearArea(9, m_fH, m_fB, m_fT, m_fTf, 1, 1);
}

void CSRolledNETAngle::BuildStructure() { RebuildOutline(); }
float CSRolledNETAngle::CalcI11() { return (float)OpenTorsion({{m_fH, m_fT}, {m_fB - m_fT, m_fTf}}); }

// ---------------------------------------------------------------- T section

#define F_TBEAM(x) x.m_fT, x.m_fTf, x.m_fR, x.m_fR1
VYR_IMPLEMENT_SECTION(CSRolledTbeam, CSectionBase, F_TBEAM)

CSRolledTbeam::CSRolledTbeam(int nType, float fH, float fB, float fT, float fTf, float fR, float fR1, float fYc)
{
    m_nType = nType;
    m_fH = fH;
    m_fB = fB;
    m_fT = fT;
    m_fTf = fTf;
    m_fR = fR;
    m_fR1 = fR1;
    ChangeSecProperty();
    m_fYc = fYc;
}

bool CSRolledTbeam::DimsValid()
{
    return LegsValid(m_fH, m_fB, m_fT, m_fTf, m_fR, m_fR1);
}

void CSRolledTbeam::ComputeProperties()
{
    if (!ApplyShape({TOutline(m_fH, m_fB, m_fT, m_fTf, m_fR, m_fR1)}))
        VYR_INVALID();
    // Centroid measured from the outside of the flange.
    m_fYc = m_fH - m_fYc;
    SetShearArea(7, m_fH, m_fB, m_fT, m_fTf, m_fB, m_fTf);
}

void CSRolledTbeam::BuildStructure() { RebuildOutline(); }
float CSRolledTbeam::CalcI11() { return (float)OpenTorsion({{m_fB, m_fTf}, {m_fH - m_fTf, m_fT}}); }

// ---------------------------------------------------------------- rolled I, channel, H

#define F_RIBEAM(x) x.m_fTf, x.m_fT, x.m_fR, x.m_fR1
VYR_IMPLEMENT_SECTION(CSRolledIbeam, CSectionBase, F_RIBEAM)

CSRolledIbeam::CSRolledIbeam(int nType, float fH, float fB, float fTf, float fT, float fR, float fR1)
{
    m_nType = nType;
    m_fH = fH;
    m_fB = fB;
    m_fTf = fTf;
    m_fT = fT;
    m_fR = fR;
    m_fR1 = fR1;
    ChangeSecProperty();
}

bool CSRolledIbeam::DimsValid()
{
    return SlopedFlangesValid(m_fH, m_fB, m_fT, m_fTf, m_fR, m_fR1, IbeamSlope(m_nType) * (m_fB - m_fT) / 4.0);
}

void CSRolledIbeam::ComputeProperties()
{
    const double slope = IbeamSlope(m_nType);
    // Parallel flanges have no toe rounding (some tables repeat the root radius there).
    const double r1 = slope > 0.0 ? m_fR1 : 0.0;
    if (!ApplyShape({IOutline(m_fH, m_fB, m_fT, m_fTf, m_fB, m_fTf, m_fR, r1, slope)}))
        VYR_INVALID();
    SetShearArea(4, m_fH, m_fB, m_fT, m_fTf, m_fB, m_fTf);
}

void CSRolledIbeam::BuildStructure() { RebuildOutline(); }
float CSRolledIbeam::CalcI11() { return (float)OpenTorsion({{m_fB, m_fTf}, {m_fB, m_fTf}, {m_fH - 2 * m_fTf, m_fT}}); }
float CSRolledIbeam::CalcFirePara(bool bExposed)
{
    return SectionFactor(2.0 * m_fH + 4.0 * m_fB - 2.0 * m_fT - (bExposed ? 0.0 : m_fB), m_dA1);
}
CString CSRolledIbeam::GetDescTextBlock(int nLine) { return DescLine(nLine, m_fH, m_fB, m_fT, m_fTf); }
float CSRolledIbeam::GetMaxT() { return std::max(m_fT, m_fTf) * 0.1f; }
float CSRolledIbeam::CalcSz() { return GetWpx() / 2.0f; }
float CSRolledIbeam::CalcWpx() { return (float)(PlasticX(IPlates(m_fH, m_fB, m_fT, m_fTf, m_fB, m_fTf)) / 1e3); }
float CSRolledIbeam::CalcWpy() { return (float)(PlasticY(IPlates(m_fH, m_fB, m_fT, m_fTf, m_fB, m_fTf)) / 1e3); }

#define F_RCHANNEL(x) x.m_fTf, x.m_fT, x.m_fR, x.m_fR1
VYR_IMPLEMENT_SECTION(CSRolledChannel, CSectionBase, F_RCHANNEL)

CSRolledChannel::CSRolledChannel(int nType, float fB, float fH, float fTf, float fT, float fR, float fR1, float fXc)
{
    m_nType = nType;
    m_fB = fB;
    m_fH = fH;
    m_fTf = fTf;
    m_fT = fT;
    m_fR = fR;
    m_fR1 = fR1;
    ChangeSecProperty();
    m_fXc = fXc;
}

bool CSRolledChannel::DimsValid()
{
    return SlopedFlangesValid(m_fH, m_fB, m_fT, m_fTf, m_fR, m_fR1, ChannelSlope(m_nType) * (m_fB - m_fT) / 2.0);
}

void CSRolledChannel::ComputeProperties()
{
    if (!ApplyShape({COutline(m_fH, m_fB, m_fT, m_fTf, m_fB, m_fTf, m_fR, m_fR1, ChannelSlope(m_nType))}))
        VYR_INVALID();
    SetShearArea(7, m_fH, m_fB, m_fT, m_fTf, m_fB, m_fTf);
}

void CSRolledChannel::BuildStructure() { RebuildOutline(); }
float CSRolledChannel::CalcI11() { return (float)OpenTorsion({{m_fB, m_fTf}, {m_fB, m_fTf}, {m_fH - 2 * m_fTf, m_fT}}); }
float CSRolledChannel::CalcFirePara(bool bExposed)
{
    return SectionFactor(2.0 * m_fH + 4.0 * m_fB - 2.0 * m_fT - (bExposed ? 0.0 : m_fB), m_dA1);
}

#define F_RHTYPE(x) x.m_fTf, x.m_fT, x.m_fR
VYR_IMPLEMENT_SECTION(CSRolledHtype, CSectionBase, F_RHTYPE)

CSRolledHtype::CSRolledHtype(int nType, float fB, float fH, float fTf, float fT, float fR)
{
    m_nType = nType;
    m_fB = fB;
    m_fH = fH;
    m_fTf = fTf;
    m_fT = fT;
    m_fR = fR;
    ChangeSecProperty();
}

bool CSRolledHtype::DimsValid()
{
    return Pos(m_fH) && Pos(m_fB) && Pos(m_fT) && Pos(m_fTf) && m_fT < m_fB && 2.0 * m_fTf < m_fH && NonNeg(m_fR);
}

void CSRolledHtype::ComputeProperties()
{
    if (!ApplyShape({IOutline(m_fH, m_fB, m_fT, m_fTf, m_fB, m_fTf, m_fR, 0.0, 0.0)}))
        VYR_INVALID();
    SetShearArea(5, m_fH, m_fB, m_fT, m_fTf, m_fB, m_fTf);
}

void CSRolledHtype::BuildStructure() { RebuildOutline(); }
float CSRolledHtype::CalcI11() { return (float)OpenTorsion({{m_fB, m_fTf}, {m_fB, m_fTf}, {m_fH - 2 * m_fTf, m_fT}}); }
float CSRolledHtype::CalcFirePara(bool bExposed)
{
    return SectionFactor(2.0 * m_fH + 4.0 * m_fB - 2.0 * m_fT - (bExposed ? 0.0 : m_fB), m_dA1);
}
CString CSRolledHtype::GetDescTextBlock(int nLine) { return DescLine(nLine, m_fH, m_fB, m_fT, m_fTf); }
float CSRolledHtype::GetMaxT() { return std::max(m_fT, m_fTf) * 0.1f; }
float CSRolledHtype::CalcWpx() { return (float)(PlasticX(IPlates(m_fH, m_fB, m_fT, m_fTf, m_fB, m_fTf)) / 1e3); }
float CSRolledHtype::CalcWpy() { return (float)(PlasticY(IPlates(m_fH, m_fB, m_fT, m_fTf, m_fB, m_fTf)) / 1e3); }

// ---------------------------------------------------------------- welded

#define F_WELDED(x) x.m_fTf, x.m_fT, x.m_fH0
VYR_IMPLEMENT_SECTION(CSWeldedIbeam, CSectionBase, F_WELDED)
VYR_IMPLEMENT_SECTION(CSWeldedChannel, CSectionBase, F_WELDED)
VYR_IMPLEMENT_SECTION(CSWeldedHtype, CSectionBase, F_WELDED)

static bool WeldedValid(float H, float B, float T, float Tf)
{
    return Pos(H) && Pos(B) && Pos(T) && Pos(Tf) && T < B && 2.0 * Tf < H;
}

CSWeldedIbeam::CSWeldedIbeam(int nType, float fH, float fB, float fTf, float fT)
{
    m_nType = nType;
    m_fH = fH;
    m_fB = fB;
    m_fTf = fTf;
    m_fT = fT;
    ChangeSecProperty();
}
bool CSWeldedIbeam::DimsValid() { return WeldedValid(m_fH, m_fB, m_fT, m_fTf); }
void CSWeldedIbeam::ComputeProperties()
{
    if (!ApplyShape({IOutline(m_fH, m_fB, m_fT, m_fTf, m_fB, m_fTf, 0, 0, 0)}))
        VYR_INVALID();
    SetShearArea(4, m_fH, m_fB, m_fT, m_fTf, m_fB, m_fTf);
}
void CSWeldedIbeam::BuildStructure() { RebuildOutline(); }
float CSWeldedIbeam::CalcI11() { return (float)OpenTorsion({{m_fB, m_fTf}, {m_fB, m_fTf}, {m_fH - 2 * m_fTf, m_fT}}); }
float CSWeldedIbeam::CalcFirePara(bool bExposed)
{
    return SectionFactor(2.0 * m_fH + 4.0 * m_fB - 2.0 * m_fT - (bExposed ? 0.0 : m_fB), m_dA1);
}
CString CSWeldedIbeam::GetDescTextBlock(int nLine) { return DescLine(nLine, m_fH, m_fB, m_fT, m_fTf); }
float CSWeldedIbeam::GetMaxT() { return std::max(m_fT, m_fTf) * 0.1f; }
float CSWeldedIbeam::CalcSz() { return (float)(PlasticX(IPlates(m_fH, m_fB, m_fT, m_fTf, m_fB, m_fTf)) / 2e3); }

CSWeldedChannel::CSWeldedChannel(int nType, float fH, float fB, float fTf, float fT, float fXc)
{
    m_nType = nType;
    m_fH = fH;
    m_fB = fB;
    m_fTf = fTf;
    m_fT = fT;
    ChangeSecProperty();
    m_fXc = fXc;
}
bool CSWeldedChannel::DimsValid() { return WeldedValid(m_fH, m_fB, m_fT, m_fTf); }
void CSWeldedChannel::ComputeProperties()
{
    if (!ApplyShape({COutline(m_fH, m_fB, m_fT, m_fTf, m_fB, m_fTf, 0, 0, 0)}))
        VYR_INVALID();
    SetShearArea(7, m_fH, m_fB, m_fT, m_fTf, m_fB, m_fTf);
}
void CSWeldedChannel::BuildStructure() { RebuildOutline(); }
float CSWeldedChannel::CalcI11() { return (float)OpenTorsion({{m_fB, m_fTf}, {m_fB, m_fTf}, {m_fH - 2 * m_fTf, m_fT}}); }
float CSWeldedChannel::CalcFirePara(bool bExposed)
{
    return SectionFactor(2.0 * m_fH + 4.0 * m_fB - 2.0 * m_fT - (bExposed ? 0.0 : m_fB), m_dA1);
}

CSWeldedHtype::CSWeldedHtype(int nType, float fH, float fB, float fTf, float fT)
{
    m_nType = nType;
    m_fH = fH;
    m_fB = fB;
    m_fTf = fTf;
    m_fT = fT;
    ChangeSecProperty();
}
bool CSWeldedHtype::DimsValid() { return WeldedValid(m_fH, m_fB, m_fT, m_fTf); }
void CSWeldedHtype::ComputeProperties()
{
    if (!ApplyShape({IOutline(m_fH, m_fB, m_fT, m_fTf, m_fB, m_fTf, 0, 0, 0)}))
        VYR_INVALID();
    SetShearArea(5, m_fH, m_fB, m_fT, m_fTf, m_fB, m_fTf);
}
void CSWeldedHtype::BuildStructure() { RebuildOutline(); }
float CSWeldedHtype::CalcI11() { return (float)OpenTorsion({{m_fB, m_fTf}, {m_fB, m_fTf}, {m_fH - 2 * m_fTf, m_fT}}); }
float CSWeldedHtype::CalcFirePara(bool bExposed)
{
    return SectionFactor(2.0 * m_fH + 4.0 * m_fB - 2.0 * m_fT - (bExposed ? 0.0 : m_fB), m_dA1);
}
CString CSWeldedHtype::GetDescTextBlock(int nLine) { return DescLine(nLine, m_fH, m_fB, m_fT, m_fTf); }
float CSWeldedHtype::GetMaxT() { return std::max(m_fT, m_fTf) * 0.1f; }
float CSWeldedHtype::CalcWpx() { return (float)(PlasticX(IPlates(m_fH, m_fB, m_fT, m_fTf, m_fB, m_fTf)) / 1e3); }
float CSWeldedHtype::CalcWpy() { return (float)(PlasticY(IPlates(m_fH, m_fB, m_fT, m_fTf, m_fB, m_fTf)) / 1e3); }

// ---------------------------------------------------------------- tubes and bars

#define F_SQPIPE(x) x.m_dH, x.m_dB, x.m_dT, x.m_dR
VYR_IMPLEMENT_SECTION(CSSquarePipe, CSectionBase, F_SQPIPE)

CSSquarePipe::CSSquarePipe(int nType, float fH, float fB, float fT, float fR)
{
    m_nType = nType;
    m_dH = fH;
    m_dB = fB;
    m_dT = fT;
    m_dR = fR;
    m_fH = fH;
    m_fB = fB;
    ChangeSecProperty();
}

bool CSSquarePipe::DimsValid()
{
    return Pos(m_dH) && Pos(m_dB) && Pos(m_dT) && 2.0 * m_dT < m_dH && 2.0 * m_dT < m_dB && NonNeg(m_dR) &&
           2.0 * m_dR <= std::min(m_dH, m_dB);
}

void CSSquarePipe::ComputeProperties()
{
    const double ri = std::max(0.0, m_dR - m_dT);
    if (!ApplyShape({RectOutline(0, 0, m_dB, m_dH, m_dR),
                                       RectOutline(m_dT, m_dT, m_dB - m_dT, m_dH - m_dT, ri)}))
        VYR_INVALID();
    SetShearArea(6, m_dH, m_dB, m_dT, m_dT, m_dB, m_dT);
}

void CSSquarePipe::BuildStructure() { RebuildOutline(); }
float CSSquarePipe::CalcI11() { return (float)BoxTorsion(m_dH, m_dB, m_dT, m_dT); }
float CSSquarePipe::CalcFirePara(bool) { return SectionFactor(2.0 * (m_dH + m_dB), m_dA1); }
float CSSquarePipe::CalcWpx()
{
    const double h = m_dH, b = m_dB, t = m_dT;
    return (float)((b * h * h - (b - 2 * t) * (h - 2 * t) * (h - 2 * t)) / 4.0 / 1e3);
}
float CSSquarePipe::CalcWpy()
{
    const double h = m_dH, b = m_dB, t = m_dT;
    return (float)((h * b * b - (h - 2 * t) * (b - 2 * t) * (b - 2 * t)) / 4.0 / 1e3);
}

#define F_PIPE(x) x.m_fT
VYR_IMPLEMENT_SECTION(CSPipe, CSectionBase, F_PIPE)

CSPipe::CSPipe(int nType, float fD, float fT)
{
    m_nType = nType;
    m_fB = m_fH = fD;
    m_fT = fT;
    ChangeSecProperty();
}

bool CSPipe::DimsValid() { return Pos(m_fB) && Pos(m_fT) && 2.0 * m_fT < m_fB; }

void CSPipe::ComputeProperties()
{
    m_fH = m_fB;
    if (!ApplyCircle(m_fB, m_fB - 2.0 * m_fT))
        VYR_INVALID();
    SetShearArea(3, m_fB, 1, m_fT, 1, 1, 1);
}

void CSPipe::BuildStructure() { RebuildOutline(); }
float CSPipe::CalcI11()
{
    const double D = m_fB, d = m_fB - 2.0 * m_fT;
    return d > 0.0 ? (float)(M_PI * (D * D * D * D - d * d * d * d) / 32.0 / 1e4) : 0.0f;
}
float CSPipe::CalcFirePara(bool) { return SectionFactor(M_PI * m_fB, m_dA1); }
void CSPipe::Dimension(CDC* pDC, long x1, long y1, long x2, long y2, float fValue, int nSide, int nOffset)
{
    CSectionBase::Dimension(pDC, x1, y1, x2, y2, fValue, nSide, nOffset);
}

VYR_IMPLEMENT_SECTION_NOFIELDS(CSRound, CSectionBase)

CSRound::CSRound(int nType, float fD)
{
    m_nType = nType;
    m_fB = m_fH = fD;
    ChangeSecProperty();
}
bool CSRound::DimsValid() { return Pos(m_fB); }
void CSRound::ComputeProperties()
{
    m_fH = m_fB;
    if (!ApplyCircle(m_fB, 0.0))
        VYR_INVALID();
    SetShearArea(2, m_fB, 1, 1, 1, 1, 1);
}
void CSRound::BuildStructure() { RebuildOutline(); }
void CSRound::Dimension(CDC* pDC, long x1, long y1, long x2, long y2, float fValue, int nSide, int nOffset)
{
    CSectionBase::Dimension(pDC, x1, y1, x2, y2, fValue, nSide, nOffset);
}

VYR_IMPLEMENT_SECTION_NOFIELDS(CSSquare, CSectionBase)

CSSquare::CSSquare(int nType, float fB)
{
    m_nType = nType;
    m_fB = m_fH = fB;
    ChangeSecProperty();
}
bool CSSquare::DimsValid() { return Pos(m_fB); }
void CSSquare::ComputeProperties()
{
    m_fH = m_fB;
    if (!ApplyShape({RectOutline(0, 0, m_fB, m_fB, 0)}))
        VYR_INVALID();
    SetShearArea(2, m_fB, 1, 1, 1, 1, 1);
}
void CSSquare::BuildStructure() { RebuildOutline(); }
// Saint-Venant constant of a square bar, 0.1406 a^4.
float CSSquare::CalcI11() { return (float)(0.1406 * std::pow((double)m_fB, 4) / 1e4); }

// ---------------------------------------------------------------- user-defined

#define F_DANGLE(x) x.m_fLH, x.m_fLB, x.m_fLT, x.m_fLTf
VYR_IMPLEMENT_SECTION(CSDefineAngle, CSectionBase, F_DANGLE)

bool CSDefineAngle::DimsValid()
{
    return Pos(m_fLH) && Pos(m_fLB) && Pos(m_fLT) && Pos(m_fLTf) && m_fLT < m_fLB && m_fLTf < m_fLH;
}
void CSDefineAngle::ComputeProperties()
{
    m_fH = m_fLH;
    m_fB = m_fLB;
    if (!ApplyShape({LOutline(m_fLH, m_fLB, m_fLT, m_fLTf, 0, 0)}))
        VYR_INVALID();
    SetShearArea(9, m_fLH, m_fLB, m_fLT, m_fLTf, 1, 1);
}
void CSDefineAngle::BuildStructure() { RebuildOutline(); }
float CSDefineAngle::CalcI11() { return (float)OpenTorsion({{m_fLH, m_fLT}, {m_fLB - m_fLT, m_fLTf}}); }

#define F_DIBEAM(x) x.m_dH, x.m_dB, x.m_dT, x.m_dTf, x.m_dB1, x.m_dTf1
VYR_IMPLEMENT_SECTION(CSDefineIbeam, CSectionBase, F_DIBEAM)

bool CSDefineIbeam::DimsValid()
{
    return PlatesValid(m_dH, m_dB, m_dT, m_dTf, m_dB1, m_dTf1);
}
void CSDefineIbeam::ComputeProperties()
{
    m_fH = (float)m_dH;
    m_fB = (float)std::max(m_dB, m_dB1);
    if (!ApplyShape({IOutline(m_dH, m_dB, m_dT, m_dTf, m_dB1, m_dTf1, 0, 0, 0)}))
        VYR_INVALID();
    SetShearArea(4, m_dH, m_dB, m_dT, m_dTf, m_dB1, m_dTf1);
}
void CSDefineIbeam::BuildStructure() { RebuildOutline(); }
float CSDefineIbeam::CalcI11()
{
    return (float)OpenTorsion({{m_dB, m_dTf}, {m_dB1, m_dTf1}, {m_dH - m_dTf - m_dTf1, m_dT}});
}
// The section is symmetric about its vertical axis, so the least radius is the smaller one.
float CSDefineIbeam::Calcimin() { return std::min(Getix(), Getiy()); }
float CSDefineIbeam::CalcWpx() { return (float)(PlasticX(IPlates(m_dH, m_dB, m_dT, m_dTf, m_dB1, m_dTf1)) / 1e3); }
float CSDefineIbeam::CalcWpy() { return (float)(PlasticY(IPlates(m_dH, m_dB, m_dT, m_dTf, m_dB1, m_dTf1)) / 1e3); }

#define F_DCHANNEL(x) x.m_dH, x.m_dB, x.m_dT, x.m_dTf, x.m_dB1, x.m_dTf1
VYR_IMPLEMENT_SECTION(CSDefineChannel, CSectionBase, F_DCHANNEL)

bool CSDefineChannel::DimsValid()
{
    return PlatesValid(m_dH, m_dB, m_dT, m_dTf, m_dB1, m_dTf1);
}
void CSDefineChannel::ComputeProperties()
{
    m_fH = (float)m_dH;
    m_fB = (float)std::max(m_dB, m_dB1);
    if (!ApplyShape({COutline(m_dH, m_dB, m_dT, m_dTf, m_dB1, m_dTf1, 0, 0, 0)}))
        VYR_INVALID();
    SetShearArea(7, m_dH, m_dB, m_dT, m_dTf, m_dB1, m_dTf1);
}
void CSDefineChannel::BuildStructure() { RebuildOutline(); }
float CSDefineChannel::CalcI11()
{
    return (float)OpenTorsion({{m_dB, m_dTf}, {m_dB1, m_dTf1}, {m_dH - m_dTf - m_dTf1, m_dT}});
}

#define F_DTBEAM(x) x.m_dH, x.m_dB, x.m_dT, x.m_dTf
VYR_IMPLEMENT_SECTION(CSDefineTbeam, CSectionBase, F_DTBEAM)

bool CSDefineTbeam::DimsValid()
{
    return Pos(m_dH) && Pos(m_dB) && Pos(m_dT) && Pos(m_dTf) && m_dT < m_dB && m_dTf < m_dH;
}
void CSDefineTbeam::ComputeProperties()
{
    m_fH = (float)m_dH;
    m_fB = (float)m_dB;
    if (!ApplyShape({TOutline(m_dH, m_dB, m_dT, m_dTf, 0, 0)}))
        VYR_INVALID();
    m_fYc = (float)(m_dH - m_fYc);
    SetShearArea(7, m_dH, m_dB, m_dT, m_dTf, m_dB, m_dTf);
}
void CSDefineTbeam::BuildStructure() { RebuildOutline(); }
float CSDefineTbeam::CalcI11() { return (float)OpenTorsion({{m_dB, m_dTf}, {m_dH - m_dTf, m_dT}}); }

#define F_DBOX(x) x.m_dH, x.m_dB, x.m_dT, x.m_dTf, x.m_dTf1
VYR_IMPLEMENT_SECTION(CSDefineBox, CSectionBase, F_DBOX)

bool CSDefineBox::DimsValid()
{
    return Pos(m_dH) && Pos(m_dB) && Pos(m_dT) && Pos(m_dTf) && Pos(m_dTf1) && 2.0 * m_dT < m_dB &&
           m_dTf + m_dTf1 < m_dH;
}
void CSDefineBox::ComputeProperties()
{
    m_fH = (float)m_dH;
    m_fB = (float)m_dB;
    if (!ApplyShape({RectOutline(0, 0, m_dB, m_dH, 0),
                                       RectOutline(m_dT, m_dTf1, m_dB - m_dT, m_dH - m_dTf, 0)}))
        VYR_INVALID();
    SetShearArea(6, m_dH, m_dB, m_dT, (m_dTf + m_dTf1) / 2.0, m_dB, m_dTf1);
}
void CSDefineBox::BuildStructure() { RebuildOutline(); }
float CSDefineBox::CalcI11() { return (float)BoxTorsion(m_dH, m_dB, m_dT, (m_dTf + m_dTf1) / 2.0); }
static std::vector<Rect> BoxPlates(double H, double B, double T, double Tf, double Tf1)
{
    return {{0, 0, B, Tf1}, {0, Tf1, T, H - Tf}, {B - T, Tf1, B, H - Tf}, {0, H - Tf, B, H}};
}
float CSDefineBox::CalcWpx() { return (float)(PlasticX(BoxPlates(m_dH, m_dB, m_dT, m_dTf, m_dTf1)) / 1e3); }
float CSDefineBox::CalcWpy() { return (float)(PlasticY(BoxPlates(m_dH, m_dB, m_dT, m_dTf, m_dTf1)) / 1e3); }

#define F_DPIPE(x) x.m_dD, x.m_dT
VYR_IMPLEMENT_SECTION(CSDefinePipe, CSectionBase, F_DPIPE)

bool CSDefinePipe::DimsValid() { return Pos(m_dD) && Pos(m_dT) && 2.0 * m_dT < m_dD; }
void CSDefinePipe::ComputeProperties()
{
    m_fH = m_fB = (float)m_dD;
    if (!ApplyCircle(m_dD, m_dD - 2.0 * m_dT))
        VYR_INVALID();
    SetShearArea(3, m_dD, 1, m_dT, 1, 1, 1);
}
void CSDefinePipe::BuildStructure() { RebuildOutline(); }
float CSDefinePipe::CalcI11()
{
    const double D = m_dD, d = m_dD - 2.0 * m_dT;
    return d > 0.0 ? (float)(M_PI * (D * D * D * D - d * d * d * d) / 32.0 / 1e4) : 0.0f;
}
void CSDefinePipe::Dimension(CDC* pDC, long x1, long y1, long x2, long y2, double dValue, int nSide, int nOffset)
{
    CSectionBase::Dimension(pDC, x1, y1, x2, y2, dValue, nSide, nOffset);
}

// ---------------------------------------------------------------- components

// Stores a component section behind a presence mark (0: none, 1: one follows).
static void IoComponent(CArchive& ar, CSectionBase*& slot, void (*adopt)(CSectionBase*&, CSectionBase*))
{
    if (ar.IsStoring()) {
        ar << (slot != nullptr ? 1 : 0);
        if (slot != nullptr)
            StoreSection(ar, slot);
        return;
    }
    const int present = LoadInt(ar);
    if (present != 0 && present != 1)
        ThrowCorrupt();
    adopt(slot, present != 0 ? LoadSection(ar) : nullptr);
}

// ---------------------------------------------------------------- hybrid

IMPLEMENT_SERIAL(CHybridSecBase, CSectionBase, 1)

CHybridSecBase::~CHybridSecBase() { ReleaseComponent(m_pSteel); }

CSectionBase& CHybridSecBase::operator=(CSectionBase& other)
{
    if (this == &other)
        return *this;
    CSectionBase::operator=(other);
    if (CHybridSecBase* o = dynamic_cast<CHybridSecBase*>(&other))
        AssignShared(m_pSteel, o->m_pSteel);
    return *this;
}

void CHybridSecBase::Serialize(CArchive& ar)
{
    SerializeBase(ar);
    IoComponent(ar, m_pSteel, &CSectionBase::ShareComponent);
}

bool CHybridSecBase::DimsValid()
{
    return Pos(m_fB) && Pos(m_fH) && (m_pSteel == nullptr || m_pSteel->IsDataValid());
}

float CHybridSecBase::CalcConcreteA() { return 0.0f; }


CString CHybridSecBase::GetStrMatType()
{
    return CSectionBase::GetStrMatType();
}

#define F_HRECT(x) x.m_fCoverX, x.m_fCoverY
VYR_IMPLEMENT_SECTION(CHybridRect, CHybridSecBase, F_HRECT)

void CHybridRect::ComputeProperties()
{
    if (!ApplyShape({RectOutline(0, 0, m_fB, m_fH, 0)}))
        VYR_INVALID();
    SetShearArea(6, m_fH, m_fB, m_fB / 2.0, m_fH / 2.0, m_fB, m_fH / 2.0);
}
void CHybridRect::BuildStructure() { RebuildOutline(); }
float CHybridRect::CalcConcreteA() { return std::max(0.0f, m_fB * m_fH / 100.0f - GetSteelA()); }

IMPLEMENT_SERIAL(CHybridCircle, CHybridSecBase, 1)

CSectionBase& CHybridCircle::operator=(CSectionBase& other)
{
    if (this == &other)
        return *this;
    CHybridSecBase::operator=(other);
    if (CHybridCircle* o = dynamic_cast<CHybridCircle*>(&other)) {
        m_fD = o->m_fD;
        m_fCover = o->m_fCover;
        std::copy(std::begin(o->m_Rec1), std::end(o->m_Rec1), m_Rec1);
        std::copy(std::begin(o->m_Rec2), std::end(o->m_Rec2), m_Rec2);
        std::copy(std::begin(o->m_Rec3), std::end(o->m_Rec3), m_Rec3);
    }
    return *this;
}

void CHybridCircle::Serialize(CArchive& ar)
{
    CHybridSecBase::Serialize(ar);
    Io(ar, m_fD, m_fCover);
    for (CHybridBarRecord* recs : {m_Rec1, m_Rec2, m_Rec3}) {
        const int n = recs == m_Rec2 ? 45 : 68;
        for (int i = 0; i < n; ++i)
            Io(ar, recs[i].x, recs[i].y, recs[i].a);
    }
    if (ar.IsLoading())
        BuildStructure();
}

void CHybridCircle::ComputeProperties()
{
    m_fB = m_fH = m_fD;
    if (!ApplyCircle(m_fD, 0.0))
        VYR_INVALID();
    SetShearArea(2, m_fD, 1, 1, 1, 1, 1);
}
void CHybridCircle::BuildStructure() { RebuildOutline(); }
bool CHybridCircle::DimsValid() { return Pos(m_fD) && (m_pSteel == nullptr || m_pSteel->IsDataValid()); }
float CHybridCircle::CalcConcreteA() { return std::max(0.0f, (float)(M_PI * m_fD * m_fD / 400.0) - GetSteelA()); }

#define F_DHCIRCLE(x) x.m_fD, x.m_fTube
VYR_IMPLEMENT_SECTION(CSDefineHybCircle, CSectionBase, F_DHCIRCLE)

bool CSDefineHybCircle::DimsValid() { return Pos(m_fD) && Pos(m_fTube) && 2.0 * m_fTube < m_fD; }
void CSDefineHybCircle::ComputeProperties()
{
    m_fB = m_fH = m_fD;
    if (!ApplyCircle(m_fD, 0.0))
        VYR_INVALID();
    SetShearArea(3, m_fD, 1, m_fTube, 1, 1, 1);
}
void CSDefineHybCircle::BuildStructure() { RebuildOutline(); }
float CSDefineHybCircle::CalcSteelA()
{
    const double d = m_fD - 2.0 * m_fTube;
    return (float)(M_PI * (m_fD * m_fD - d * d) / 400.0);
}
float CSDefineHybCircle::CalcConcreteA()
{
    const double d = m_fD - 2.0 * m_fTube;
    return (float)(M_PI * d * d / 400.0);
}

#define F_DHJU(x) x.m_fJH, x.m_fJB, x.m_fTube
VYR_IMPLEMENT_SECTION(CSDefineHybJu, CSectionBase, F_DHJU)

bool CSDefineHybJu::DimsValid()
{
    return Pos(m_fJH) && Pos(m_fJB) && Pos(m_fTube) && 2.0 * m_fTube < std::min(m_fJH, m_fJB);
}
void CSDefineHybJu::ComputeProperties()
{
    m_fH = m_fJH;
    m_fB = m_fJB;
    if (!ApplyShape({RectOutline(0, 0, m_fJB, m_fJH, 0)}))
        VYR_INVALID();
    SetShearArea(6, m_fJH, m_fJB, m_fTube, m_fTube, m_fJB, m_fTube);
}
void CSDefineHybJu::BuildStructure() { RebuildOutline(); }
float CSDefineHybJu::CalcSteelA()
{
    return (float)((m_fJH * m_fJB - (m_fJH - 2.0 * m_fTube) * (m_fJB - 2.0 * m_fTube)) / 100.0);
}
float CSDefineHybJu::CalcConcreteA()
{
    return (float)((m_fJH - 2.0 * m_fTube) * (m_fJB - 2.0 * m_fTube) / 100.0);
}

// ---------------------------------------------------------------- combined

IMPLEMENT_SERIAL(CCombineSecBase, CSectionBase, 1)

CCombineSecBase::~CCombineSecBase()
{
    ReleaseComponent(m_pSec1);
    ReleaseComponent(m_pSec2);
}

CSectionBase& CCombineSecBase::operator=(CSectionBase& other)
{
    if (this == &other)
        return *this;
    CSectionBase::operator=(other);
    if (CCombineSecBase* o = dynamic_cast<CCombineSecBase*>(&other)) {
        std::copy(std::begin(o->m_fValue), std::end(o->m_fValue), m_fValue);
        AssignShared(m_pSec1, o->m_pSec1);
        AssignShared(m_pSec2, o->m_pSec2);
    }
    return *this;
}

void CCombineSecBase::Serialize(CArchive& ar)
{
    SerializeBase(ar);
    IoArray(ar, m_fValue);
    IoComponent(ar, m_pSec1, &CSectionBase::ShareComponent);
    IoComponent(ar, m_pSec2, &CSectionBase::ShareComponent);
}

bool CCombineSecBase::DimsValid()
{
    return NonNeg(m_fB) && NonNeg(m_fH) && std::all_of(std::begin(m_fValue), std::end(m_fValue), Finite) &&
           (m_pSec1 == nullptr || m_pSec1->IsDataValid()) && (m_pSec2 == nullptr || m_pSec2->IsDataValid());
}

// The limbs' layout is the defining dialog's; the outline is the enclosing rectangle.
void CCombineSecBase::BuildStructure()
{
    if (m_fB > 0.0f && m_fH > 0.0f)
        SetOutline({{{-m_fB / 2.0, -m_fH / 2.0}, {m_fB / 2.0, -m_fH / 2.0}, {m_fB / 2.0, m_fH / 2.0},
                     {-m_fB / 2.0, m_fH / 2.0}}});
    else
        ClearOutline();
}

#define VYR_IMPLEMENT_COMBINE(cls) VYR_IMPLEMENT_SECTION_NOFIELDS(cls, CCombineSecBase)
VYR_IMPLEMENT_COMBINE(CSCombineBOX)
VYR_IMPLEMENT_COMBINE(CSCombineCEL)
VYR_IMPLEMENT_COMBINE(CSCombineCI)
VYR_IMPLEMENT_COMBINE(CSCombineCJ)
VYR_IMPLEMENT_COMBINE(CSCombineCLL)
VYR_IMPLEMENT_COMBINE(CSCombineCLS)
VYR_IMPLEMENT_COMBINE(CSCombineCircle)
VYR_IMPLEMENT_COMBINE(CSCombineDEJL)
VYR_IMPLEMENT_COMBINE(CSCombineDEJLl)
VYR_IMPLEMENT_COMBINE(CSCombineDEJLs)
VYR_IMPLEMENT_COMBINE(CSCombineDJC)
VYR_IMPLEMENT_COMBINE(CSCombineDNELL)
VYR_IMPLEMENT_COMBINE(CSCombineDNELLl)
VYR_IMPLEMENT_COMBINE(CSCombineDNELLs)
VYR_IMPLEMENT_COMBINE(CSCombineDT)
VYR_IMPLEMENT_COMBINE(CSCombineEJL)
VYR_IMPLEMENT_COMBINE(CSCombineGEJL)
VYR_IMPLEMENT_COMBINE(CSCombineGNEJLl)
VYR_IMPLEMENT_COMBINE(CSCombineGNEJLs)
VYR_IMPLEMENT_COMBINE(CSCombineHyPipe2)
VYR_IMPLEMENT_COMBINE(CSCombineHyPipe4)
VYR_IMPLEMENT_COMBINE(CSCombineII)
VYR_IMPLEMENT_COMBINE(CSCombineJC)
VYR_IMPLEMENT_COMBINE(CSCombineLL)
VYR_IMPLEMENT_COMBINE(CSCombineLLI)
VYR_IMPLEMENT_COMBINE(CSCombineLLIl)
VYR_IMPLEMENT_COMBINE(CSCombineLLIs)
VYR_IMPLEMENT_COMBINE(CSCombineLLLL)
VYR_IMPLEMENT_COMBINE(CSCombineNEJLl)
VYR_IMPLEMENT_COMBINE(CSCombineNEJLs)
VYR_IMPLEMENT_COMBINE(CSCombineNELLl)
VYR_IMPLEMENT_COMBINE(CSCombineNELLs)
VYR_IMPLEMENT_COMBINE(CSCombineNLLLL)
VYR_IMPLEMENT_COMBINE(CSCombineTTI)

// ---------------------------------------------------------------- steel frame

IMPLEMENT_SERIAL(CSteelFrameSecBase, CSectionBase, 1)

CSectionBase& CSteelFrameSecBase::operator=(CSectionBase& other)
{
    if (this == &other)
        return *this;
    CSectionBase::operator=(other);
    if (CSteelFrameSecBase* o = dynamic_cast<CSteelFrameSecBase*>(&other)) {
        std::copy(std::begin(o->m_fValue), std::end(o->m_fValue), m_fValue);
        m_fFH = o->m_fFH;
        m_fFB = o->m_fFB;
        m_nKind = o->m_nKind;
    }
    return *this;
}

void CSteelFrameSecBase::Serialize(CArchive& ar)
{
    SerializeBase(ar);
    IoArray(ar, m_fValue);
    Io(ar, m_fFH, m_fFB, m_nKind);
}

// The frame's own values are the defining dialog's layout; only its extent can be impossible.
bool CSteelFrameSecBase::DimsValid()
{
    return NonNeg(m_fFH) && NonNeg(m_fFB) && std::all_of(std::begin(m_fValue), std::end(m_fValue), Finite);
}

#define VYR_IMPLEMENT_STEELFRAME(cls) VYR_IMPLEMENT_SECTION_NOFIELDS(cls, CSteelFrameSecBase)
VYR_IMPLEMENT_STEELFRAME(CSFISec)
VYR_IMPLEMENT_STEELFRAME(CSFBoxSec)
VYR_IMPLEMENT_STEELFRAME(CSF2TISec)

// ---------------------------------------------------------------- tapered

IMPLEMENT_SERIAL(CTaperSectionBase, CSectionBase, 1)

CTaperSectionBase::~CTaperSectionBase()
{
    ReleaseComponent(m_pStartSec);
    ReleaseComponent(m_pEndSec);
}

CSectionBase& CTaperSectionBase::operator=(CSectionBase& other)
{
    if (this == &other)
        return *this;
    CSectionBase::operator=(other);
    if (CTaperSectionBase* o = dynamic_cast<CTaperSectionBase*>(&other)) {
        m_fTH = o->m_fTH;
        m_fTT = o->m_fTT;
        m_fTB = o->m_fTB;
        m_fTTf = o->m_fTTf;
        m_fTB1 = o->m_fTB1;
        m_fTTf1 = o->m_fTTf1;
        AssignShared(m_pStartSec, o->m_pStartSec);
        AssignShared(m_pEndSec, o->m_pEndSec);
    }
    return *this;
}

void CTaperSectionBase::Serialize(CArchive& ar)
{
    SerializeBase(ar);
    Io(ar, m_fTH, m_fTT, m_fTB, m_fTTf, m_fTB1, m_fTTf1);
    IoComponent(ar, m_pStartSec, &CSectionBase::ShareComponent);
    IoComponent(ar, m_pEndSec, &CSectionBase::ShareComponent);
}

bool CTaperSectionBase::DimsValid()
{
    return Pos(m_fTH) && Pos(m_fTT) && Pos(m_fTB) && Pos(m_fTTf) && Pos(m_fTB1) && Pos(m_fTTf1) && m_fTT < m_fTB &&
           m_fTT < m_fTB1 && m_fTTf + m_fTTf1 < m_fTH;
}

#define F_TAPERWEB(x) x.m_fEndH, x.m_nSetting
VYR_IMPLEMENT_SECTION(CTaperVaryWeb, CTaperSectionBase, F_TAPERWEB)

bool CTaperVaryWeb::DimsValid() { return CTaperSectionBase::DimsValid() && m_fEndH > m_fTTf + m_fTTf1; }

// Area (cm2) and strong-axis second moment (cm4) of the plate I at height h (mm).
static void TaperPlates(const CTaperSectionBase& s, double h, double& A, double& I)
{
    const double B = s.m_fTB, Tf = s.m_fTTf, B1 = s.m_fTB1, Tf1 = s.m_fTTf1, T = s.m_fTT;
    const double hw = h - Tf - Tf1;
    A = B * Tf + B1 * Tf1 + hw * T;
    const double yc = (B1 * Tf1 * Tf1 / 2.0 + T * hw * (Tf1 + hw / 2.0) + B * Tf * (h - Tf / 2.0)) / A;
    I = T * hw * hw * hw / 12.0 + T * hw * std::pow(Tf1 + hw / 2.0 - yc, 2) + B1 * Tf1 * Tf1 * Tf1 / 12.0 +
        B1 * Tf1 * std::pow(yc - Tf1 / 2.0, 2) + B * Tf * Tf * Tf / 12.0 + B * Tf * std::pow(h - Tf / 2.0 - yc, 2);
    A /= 100.0;
    I /= 1e4;
}

float CTaperVaryWeb::CalcEndA1()
{
    double A = 0, I = 0;
    TaperPlates(*this, m_fEndH, A, I);
    return (float)A;
}

float CTaperVaryWeb::CalcAx(CTaperSectionBase*, float fX, float fL)
{
    const double r = fL > 0.0f ? std::clamp((double)fX / fL, 0.0, 1.0) : 0.0;
    double A = 0, I = 0;
    TaperPlates(*this, m_fTH + (m_fEndH - m_fTH) * r, A, I);
    return (float)A;
}

float CTaperVaryWeb::CalcIx33(CTaperSectionBase*, float fX, float fL)
{
    const double r = fL > 0.0f ? std::clamp((double)fX / fL, 0.0, 1.0) : 0.0;
    double A = 0, I = 0;
    TaperPlates(*this, m_fTH + (m_fEndH - m_fTH) * r, A, I);
    return (float)I;
}

float CTaperVaryWeb::CalcTaperRatio()
{
    return std::max(m_fTH, m_fEndH) / std::min(m_fTH, m_fEndH);
}

void CTaperVaryWeb::FillSecFactors(CSDefineIbeam* pStart)
{
    if (pStart == nullptr)
        return;
    m_dA1 = pStart->m_dA1;
    m_dI33 = pStart->m_dI33;
    m_dI22 = pStart->m_dI22;
    m_dWx = pStart->m_dWx;
    m_dWy = pStart->m_dWy;
    m_dix = pStart->m_dix;
    m_diy = pStart->m_diy;
    m_dimin = std::min(pStart->m_dix, pStart->m_diy);
    m_dA2 = pStart->m_dA2;
    m_dA3 = pStart->m_dA3;
    m_fXc = pStart->m_fXc;
    m_fYc = pStart->m_fYc;
    m_fB = std::max(m_fTB, m_fTB1);
    m_fH = std::max(m_fTH, m_fEndH);
    BuildStructure();
}

void CTaperVaryWeb::FillSecName()
{
    m_strDim.Format("%.0f(%.0f)*%.0f~%.0f*%.0f*%.0f(%.0f)", m_fTB, m_fTB1, m_fTH, m_fEndH, m_fTT, m_fTTf, m_fTTf1);
    m_strCategory = "变截面";
    m_strFull = CString("楔形截面") + m_strDim;
    m_strKind = m_strFull;
}

// The outline is the plate I of the start.
void CTaperVaryWeb::BuildStructure()
{
    if (!DimsValid()) {
        ClearOutline();
        return;
    }
    const double keep[] = {m_dA2, m_dA3, m_dI33, m_dWx, m_dix, m_dI22, m_dWy, m_diy, m_dA1, m_dimin};
    const float xc = m_fXc, yc = m_fYc;
    ApplyShape({IOutline(m_fTH, m_fTB, m_fTT, m_fTTf, m_fTB1, m_fTTf1, 0, 0, 0)});
    std::tie(m_dA2, m_dA3, m_dI33, m_dWx, m_dix, m_dI22, m_dWy, m_diy, m_dA1, m_dimin) =
        std::tie(keep[0], keep[1], keep[2], keep[3], keep[4], keep[5], keep[6], keep[7], keep[8], keep[9]);
    m_fXc = xc;
    m_fYc = yc;
}

// ---------------------------------------------------------------- thin-walled

IMPLEMENT_SERIAL(CSThinBase, CSectionBase, 1)

CSectionBase& CSThinBase::operator=(CSectionBase& other)
{
    if (this == &other)
        return *this;
    CSectionBase::operator=(other);
    if (CSThinBase* o = dynamic_cast<CSThinBase*>(&other)) {
        m_fSH = o->m_fSH;
        m_fSB = o->m_fSB;
        m_fST = o->m_fST;
        m_fSB1 = o->m_fSB1;
        m_fAngle = o->m_fAngle;
        std::copy(std::begin(o->m_fData), std::end(o->m_fData), m_fData);
    }
    return *this;
}

void CSThinBase::Serialize(CArchive& ar)
{
    SerializeBase(ar);
    Io(ar, m_fSH, m_fSB, m_fST, m_fSB1, m_fAngle);
    IoArray(ar, m_fData);
    if (ar.IsLoading())
        BuildStructure();
}

bool CSThinBase::DimsValid()
{
    return Pos(m_fSH) && Pos(m_fSB) && Pos(m_fST) && NonNeg(m_fSB1) && 2.0 * m_fST < m_fSH && m_fST < m_fSB &&
           (m_fSB1 <= 0.0f || (m_fSB1 > m_fST / 2.0f && 2.0 * m_fSB1 < m_fSH));
}

std::vector<std::pair<Pt, Pt>> CSThinBase::GetCentreLines()
{
    const double h = m_fSH - m_fST, b = m_fSB - m_fST / 2.0;
    return {{{b, 0}, {0, 0}}, {{0, 0}, {0, h}}, {{0, h}, {b, h}}};
}

void CSThinBase::ComputeProperties()
{
    m_fH = m_fSH;
    m_fB = m_fSB;
    if (!ApplyLines(GetCentreLines(), m_fST))
        VYR_INVALID();
    SetShearArea(7, m_fSH, m_fSB, m_fST, m_fST, m_fSB, m_fST);
}

void CSThinBase::BuildStructure() { RebuildOutline(); }

float CSThinBase::CalcI11()
{
    double j = 0.0;
    for (const auto& l : GetCentreLines())
        j += std::hypot(l.second.x - l.first.x, l.second.y - l.first.y) * std::pow((double)m_fST, 3) / 3.0;
    return (float)(j / 1e4);
}

VYR_IMPLEMENT_SECTION_NOFIELDS(CSThinChannel, CSThinBase)
VYR_IMPLEMENT_SECTION_NOFIELDS(CSThinBevelEdgeZ, CSThinBase)
VYR_IMPLEMENT_SECTION_NOFIELDS(CSThinVerticalEdgeZ, CSThinBase)

// Lipped channel: lips B1 turned inwards at the flange tips.
std::vector<std::pair<Pt, Pt>> CSThinChannel::GetCentreLines()
{
    const double t = m_fST, h = m_fSH - t, b = m_fSB - t, c = m_fSB1 - t / 2.0;
    std::vector<std::pair<Pt, Pt>> v;
    if (c > 0.0)
        v.push_back({{b, c}, {b, 0}});
    v.push_back({{b, 0}, {0, 0}});
    v.push_back({{0, 0}, {0, h}});
    v.push_back({{0, h}, {b, h}});
    if (c > 0.0)
        v.push_back({{b, h}, {b, h - c}});
    return v;
}

// Z with lips at the lip angle (50 degrees when none is given) to the flange.
std::vector<std::pair<Pt, Pt>> CSThinBevelEdgeZ::GetCentreLines()
{
    const double t = m_fST, h = m_fSH - t, b = m_fSB - t, c = m_fSB1 - t / 2.0;
    const double a = (m_fAngle > 0.0f && m_fAngle < 180.0f ? m_fAngle : 50.0) * M_PI / 180.0;
    std::vector<std::pair<Pt, Pt>> v;
    if (c > 0.0)
        v.push_back({{-b + c * std::cos(a), c * std::sin(a)}, {-b, 0}});
    v.push_back({{-b, 0}, {0, 0}});
    v.push_back({{0, 0}, {0, h}});
    v.push_back({{0, h}, {b, h}});
    if (c > 0.0)
        v.push_back({{b, h}, {b - c * std::cos(a), h - c * std::sin(a)}});
    return v;
}

std::vector<std::pair<Pt, Pt>> CSThinVerticalEdgeZ::GetCentreLines()
{
    const double t = m_fST, h = m_fSH - t, b = m_fSB - t, c = m_fSB1 - t / 2.0;
    std::vector<std::pair<Pt, Pt>> v;
    if (c > 0.0)
        v.push_back({{-b, c}, {-b, 0}});
    v.push_back({{-b, 0}, {0, 0}});
    v.push_back({{0, 0}, {0, h}});
    v.push_back({{0, h}, {b, h}});
    if (c > 0.0)
        v.push_back({{b, h}, {b, h - c}});
    return v;
}

// ---------------------------------------------------------------- equality beyond the dimensions

namespace {

bool SameComponent(CSectionBase* a, CSectionBase* b)
{
    if (a == nullptr || b == nullptr)
        return a == b;
    return a->IsSame(b);
}

template <size_t N>
bool SameValues(const float (&a)[N], const float (&b)[N])
{
    return std::equal(std::begin(a), std::end(a), std::begin(b));
}

} // namespace

bool CHybridSecBase::IsSame(CSectionBase* p)
{
    auto* o = dynamic_cast<CHybridSecBase*>(p);
    return o != nullptr && CSectionBase::IsSame(p) && SameComponent(m_pSteel, o->m_pSteel);
}

bool CCombineSecBase::IsSame(CSectionBase* p)
{
    auto* o = dynamic_cast<CCombineSecBase*>(p);
    return o != nullptr && CSectionBase::IsSame(p) && SameValues(m_fValue, o->m_fValue) &&
           SameComponent(m_pSec1, o->m_pSec1) && SameComponent(m_pSec2, o->m_pSec2);
}

bool CSteelFrameSecBase::IsSame(CSectionBase* p)
{
    auto* o = dynamic_cast<CSteelFrameSecBase*>(p);
    return o != nullptr && CSectionBase::IsSame(p) && SameValues(m_fValue, o->m_fValue) && m_nKind == o->m_nKind;
}

bool CTaperSectionBase::IsSame(CSectionBase* p)
{
    auto* o = dynamic_cast<CTaperSectionBase*>(p);
    return o != nullptr && CSectionBase::IsSame(p) && SameComponent(m_pStartSec, o->m_pStartSec) &&
           SameComponent(m_pEndSec, o->m_pEndSec);
}

bool CSThinBase::IsSame(CSectionBase* p)
{
    auto* o = dynamic_cast<CSThinBase*>(p);
    return o != nullptr && CSectionBase::IsSame(p) && m_fAngle == o->m_fAngle && SameValues(m_fData, o->m_fData);
}
