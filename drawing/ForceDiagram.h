// The rules of the member diagrams in the result drawings: the six force components, the
// threshold and scale of a file, which stations are labelled and how, and one curve drawn
// along a member in the plane or in space. The force, envelope and displacement drawings
// all draw with these.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/model/geometry/geometry.h>

class CDXFOutput;
class CBeamBase;

namespace vyrdiagram {

constexpr int kStations = 12;

// A force component as the drawings name and label it.
struct ForceComponent
{
    const char* name;   // the last part of the file name
    double labelFactor; // written values only: torque and moments to force x metre
    bool alongAxis2;    // 3-D offset along local axis 2 (V3, M3), else axis 3
};
extern const ForceComponent kForceComponents[6];
enum { COMP_N, COMP_V2, COMP_V3, COMP_T, COMP_M2, COMP_M3 };

// Values at or below this magnitude draw no diagram in a file.
constexpr double kDrawThreshold = 0.1;
// Values at or below this magnitude count as zero for lines and end labels.
constexpr double kZeroValue = 0.001;

// The ordinate scale of a file: its largest ordinate a quarter of the longest member; 0
// when the largest value is not above the threshold (no diagram).
double DiagramScale(double longestMember, double largest);
// Station i gets a label: an end station above kZeroValue, an inner station at a local
// extreme (tolerant comparisons), whatever its size.
bool IsLabelled(const double* v, int i);
// The text of a label: two decimals of value x factor; empty when it reads as zero (a
// label that would say nothing is dropped).
CString LabelText(double value, double factor);

// One curve along a member, its ordinates `sign x scale x v(i)`: lines between the diagram
// points (skipping stretches of zeros), the labels of IsLabelled on layer "TEXT", and the
// closing line back to the second end. Text height h; the caller sets layer "DIM".
struct CurveStyle
{
    double sign = 1.0;
    double scale = 0.0;
    double labelFactor = 1.0;
    double textHeight = 0.0;
    // 2-D only: labels of a positive value hang below the point (the M3 rule), else above.
    bool positiveBelow = false;
};
// In the drawing plane: offsets square to the member, texts at whole coordinates
// truncated toward zero, the text angle that of the member, turned by half a turn when
// `turnBack` and P2 < P1.
void DrawCurve2D(CDXFOutput& dxf, const CPoint2D& p1, const CPoint2D& p2, const double* v, const CurveStyle& style,
                 bool turnBack);
// In space: offsets along dir, texts at exact coordinates above their points, the text
// angle that of the member's plan.
void DrawCurve3D(CDXFOutput& dxf, const CPoint3D& p1, const CPoint3D& p2, const CVector3D& dir, const double* v,
                 const CurveStyle& style);

// The 3-D offset axis of a component for a member.
CVector3D OffsetAxis(CBeamBase* member, int component);

} // namespace vyrdiagram
