#include <vyr/drawing/ForceDiagram.h>

#include <cmath>
#include <cstdlib>

#include <vyr/model/draw/DrawUnit.h>
#include <vyr/model/dxf/DXFOutput.h>
#include <vyr/model/output/commonfuncs.h>
#include <vyr/model/output/creal.h>
#include <vyr/model/struct/Member.h>

namespace vyrdiagram {

const ForceComponent kForceComponents[6] = {
    {"N", 1.0, false}, {"V2", 1.0, false}, {"V3", 1.0, true}, {"T", 0.01, false}, {"M2", 0.01, false}, {"M3", 0.01, true}};

namespace {
constexpr double kDegree = 57.295780490442965;

// Alignment values of the writer: horizontal left, centre, right; vertical below, above.
constexpr UINT kLeft = 0, kCentre = 6, kRight = 2, kBelow = 0, kAbove = 8;

UINT HorizontalAt(int i) { return i == 0 ? kLeft : (i == kStations - 1 ? kRight : kCentre); }
} // namespace

double DiagramScale(double longestMember, double largest)
{
    if (!(largest > kDrawThreshold))
        return 0.0;
    return longestMember * 0.25 / largest;
}

bool IsLabelled(const double* v, int i)
{
    if (i == 0 || i == kStations - 1)
        return std::fabs(v[i]) > kZeroValue;
    const CReal a(v[i - 1]), b(v[i]), c(v[i + 1]);
    return (b < a && b <= c) || (b <= a && b < c) || (b > a && b >= c) || (b >= a && b > c);
}

CString LabelText(double value, double factor)
{
    const CString text = CStringFunc::GetStrFromDouble(value * factor, 2);
    // The fixed decimals never read "0": a text whose number is zero says nothing.
    if (std::atof(text.GetString()) == 0.0)
        return CString();
    return text;
}

void DrawCurve2D(CDXFOutput& dxf, const CPoint2D& p1, const CPoint2D& p2, const double* v, const CurveStyle& style,
                 bool turnBack)
{
    const double spacing = p1.GetDist(p2) / (kStations - 1);
    double angle = std::atan2(p2.y - p1.y, p2.x - p1.x);
    if (turnBack && p2 < p1)
        angle += 3.1415926;
    dxf.SetText(style.textHeight, angle * kDegree);
    CLine member;
    member.SetLine(p1, p2, 1, -1);
    CPoint2D prev = p1, s = p1;
    for (int i = 0; i < kStations; ++i) {
        const CPoint2D d = member.GetPerPt(s, style.sign * style.scale * v[i]);
        if (!(d == prev) && (i == 0 || std::fabs(v[i - 1]) > kZeroValue || std::fabs(v[i]) > kZeroValue))
            dxf.Line(prev, d);
        prev = d;
        CLine rest;
        rest.SetLine(s, p2, 1, -1);
        s = rest.GetPtwithLen1(spacing);
        const bool above = style.positiveBelow ? !(v[i] > 0.0) : v[i] >= 0.0;
        dxf.SetTextAlign(HorizontalAt(i), above ? kAbove : kBelow);
        // Labels on "TEXT", the diagram on "DIM": the layer is switched only for a label.
        if (IsLabelled(v, i)) {
            const CString text = LabelText(v[i], style.labelFactor);
            if (!text.IsEmpty()) {
                dxf.SetCurrentLayer("TEXT");
                dxf.TextOutA((long)d.x, (long)d.y, text);
                dxf.SetCurrentLayer("DIM");
            }
        }
    }
    if (!(prev == p2))
        dxf.Line(prev, p2);
}

void DrawCurve3D(CDXFOutput& dxf, const CPoint3D& p1, const CPoint3D& p2, const CVector3D& dir, const double* v,
                 const CurveStyle& style)
{
    const double spacing = p1.GetDist(p2) / (kStations - 1);
    dxf.SetText(style.textHeight, std::atan2(p2.y - p1.y, p2.x - p1.x) * kDegree);
    const CVector3D along = p2 - p1;
    CPoint3D prev = p1, s = p1;
    for (int i = 0; i < kStations; ++i) {
        const CPoint3D d = s.GetPt3D(style.sign * style.scale * v[i], dir);
        if (!(d == prev) && (i == 0 || std::fabs(v[i - 1]) > kZeroValue || std::fabs(v[i]) > kZeroValue))
            dxf.Line3D(prev, d);
        prev = d;
        s = s.GetPt3D(spacing, along);
        dxf.SetTextAlign(HorizontalAt(i), kAbove);
        if (IsLabelled(v, i)) {
            const CString text = LabelText(v[i], style.labelFactor);
            if (!text.IsEmpty()) {
                dxf.SetCurrentLayer("TEXT");
                dxf.TextOut3D(d.x, d.y, d.z, text);
                dxf.SetCurrentLayer("DIM");
            }
        }
    }
    if (!(prev == p2))
        dxf.Line3D(prev, p2);
}

CVector3D OffsetAxis(CBeamBase* member, int component)
{
    return kForceComponents[component].alongAxis2 ? member->GetVector2() : member->GetVector3();
}

} // namespace vyrdiagram
