// Drawing units: points along lines (also of zero length), the arcs of the three-point
// input against hand geometry, intersections and perpendiculars, the plain unit's do-nothing
// behaviour, blocks that own their units, drawing into a device context and into a DXF.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <vyr/model/draw/draw.h>
#include <vyr/model/dxf/dxf.h>
#include "support/TestHelpers.h"

namespace {
using vyrtest::ExpectPt;

const double kPi = 3.14159265358979323846;

// A unit that only has the behaviour of the base.
class CPlainUnit : public CDrawUnit
{
};

bool OnArc(const CArc& a, const CPoint2D& p)
{
    if (std::fabs(a.Center().GetDist(p) - a.GetRadius()) > 1e-6) return false;
    double t = std::fmod(a.Center().GetAngle(p) - a.GetStAngle() + 8 * kPi, 2 * kPi);
    return t <= a.GetSweep() + 1e-9 || t >= 2 * kPi - 1e-9;
}

} // namespace

TEST(Line, PointsAlongTheLine)
{
    CLine l;
    l.SetLine(CPoint2D(0, 0), CPoint2D(10, 0), 1, -1);
    ExpectPt(l.GetPtwithLen1(5), 5, 0);
    ExpectPt(l.GetPtwithLen2(5), 5, 0);
    ExpectPt(l.GetPtwithLen1(15), 15, 0);
    ExpectPt(l.GetPtwithLen2(15), -5, 0);
    ExpectPt(l.GetPtwithRatio1(-0.5), -5, 0);
    ExpectPt(l.GetPtwithRatio2(0.25), 7.5, 0);
    ExpectPt(l.GetPt1(0.3), 3, 0);
    ExpectPt(l.GetPt2(0.3), 7, 0);
    ExpectPt(l.GetMidPt(), 5, 0);
    EXPECT_DOUBLE_EQ(l.GetLength(), 10);
}

TEST(Line, ZeroLengthLineGivesItsPointWithoutDividing)
{
    CLine l;
    l.SetLine(2, 3, 2, 3, 1, -1);
    for (double len : {0.0, 1.0, -4.0, 1e9}) {
        CPoint2D a = l.GetPtwithLen1(len), b = l.GetPtwithLen2(len);
        EXPECT_TRUE(std::isfinite(a.x) && std::isfinite(b.y));
        ExpectPt(a, 2, 3);
        ExpectPt(b, 2, 3);
    }
    EXPECT_DOUBLE_EQ(l.GetDist(CPoint2D(5, 7), false), 5);
    ExpectPt(l.GetPerPt(CPoint2D(9, 9), 1), 2, 3);
    CPoint2D out;
    int kind = -1;
    CLine other(CPoint2D(0, 0), CPoint2D(5, 5));
    EXPECT_EQ(l.InterSect(other, out, &kind), 0);
    EXPECT_EQ(kind, 0);
}

TEST(Line, SignedDistanceAndPerpendicularPointsAgreeOnTheLeftSide)
{
    CLine l(CPoint2D(1, 1), CPoint2D(11, 1));
    EXPECT_DOUBLE_EQ(l.GetDist(CPoint2D(4, 4), true), 3);   // left of the direction
    EXPECT_DOUBLE_EQ(l.GetDist(CPoint2D(4, -2), true), -3); // right
    EXPECT_DOUBLE_EQ(l.GetDist(CPoint2D(40, -2), false), 3); // the infinite line
    EXPECT_TRUE(l.IsPtOnLine(CPoint2D(-20, 1)));
    EXPECT_FALSE(l.IsPtOnLine(CPoint2D(5, 1.01)));
    // The rectangle of a member of width 2 around the line, as the storey plan builds it.
    ExpectPt(l.GetPerPt(CPoint2D(1, 1), 1), 1, 2);
    ExpectPt(l.GetPerPt(CPoint2D(11, 1), -1), 11, 0);
    ExpectPt(l.GetPerPt(CPoint2D(5, 9)), 5, 1);
    CLine d(CPoint2D(0, 0), CPoint2D(0, 10)); // upwards: left is -x
    ExpectPt(d.GetPerPt(CPoint2D(0, 5), 2), -2, 5);
}

TEST(Line, IntersectionWithinBothSegments)
{
    struct Case
    {
        CPoint2D a1, a2, b1, b2;
        int result, kind;
        double x, y;
    } cases[] = {
        {{0, 0}, {10, 10}, {0, 10}, {10, 0}, 1, 1, 5, 5},
        {{0, 0}, {10, 0}, {10, -5}, {10, 5}, 1, 1, 10, 0}, // touching at an end
        {{0, 0}, {4, 0}, {6, -1}, {6, 1}, 0, 2, 6, 0},     // the lines cross beyond the first segment
        {{0, 0}, {10, 0}, {0, 1}, {10, 1}, 0, 0, 0, 0},    // parallel
        {{0, 0}, {10, 0}, {2, 0}, {8, 0}, 0, 0, 0, 0},     // collinear
    };
    for (const Case& c : cases) {
        CLine a(c.a1, c.a2), b(c.b1, c.b2);
        CPoint2D out(-99, -99);
        int kind = -1;
        EXPECT_EQ(a.InterSect(b, out, &kind), c.result);
        EXPECT_EQ(kind, c.kind);
        if (c.kind != 0) ExpectPt(out, c.x, c.y);
        EXPECT_EQ(a.InterSect(b, out, nullptr), c.result);
    }
}

TEST(Line3D, PerpendicularFootAndBetween)
{
    CLine3D l;
    l.SetLine3D(CPoint3D(0, 0, 0), CPoint3D(0, 0, 10));
    CPoint3D f = l.GetPerPt(CPoint3D(3, 4, 5));
    EXPECT_TRUE(f == CPoint3D(0, 0, 5));
    EXPECT_TRUE(l.IsPtBetween(f));
    EXPECT_TRUE(l.IsPtBetween(CPoint3D(0, 0, 10)));
    EXPECT_FALSE(l.IsPtBetween(l.GetPerPt(CPoint3D(1, 1, 12))));
    EXPECT_FALSE(l.IsPtBetween(CPoint3D(0, 0, -0.1)));
    EXPECT_DOUBLE_EQ(l.GetLength(), 10);
    CLine3D z;
    z.SetLine3D(CPoint3D(1, 1, 1), CPoint3D(1, 1, 1));
    EXPECT_TRUE(z.GetPerPt(CPoint3D(5, 5, 5)) == CPoint3D(1, 1, 1));
}

TEST(Arc, ThreePointsAgainstHandGeometry)
{
    struct Case
    {
        CPoint2D a, b, c, centre;
        double r, start, end;
    } cases[] = {
        // Counter-clockwise a -> b -> c: from a to c.
        {{10, 0}, {0, 10}, {-10, 0}, {0, 0}, 10, 0, kPi},
        // Clockwise: the counter-clockwise arc runs from c to a.
        {{-10, 0}, {0, 10}, {10, 0}, {0, 0}, 10, 0, kPi},
        // Three quarters, crossing the -x axis (angle limit pi).
        {{5, 2}, {1, 6}, {1, -2}, {1, 2}, 4, 0, 3 * kPi / 2 + 2 * kPi},
        // Offset centre.
        {{3, 7}, {7, 3}, {3, -1}, {3, 3}, 4, -kPi / 2, kPi / 2},
    };
    for (const Case& c : cases) {
        CArc arc;
        ASSERT_TRUE(arc.SetArc3Pt(c.a, c.b, c.c));
        ExpectPt(arc.Center(), c.centre.x, c.centre.y, 1e-9);
        EXPECT_NEAR(arc.GetRadius(), c.r, 1e-9);
        EXPECT_TRUE(OnArc(arc, c.a));
        EXPECT_TRUE(OnArc(arc, c.b));
        EXPECT_TRUE(OnArc(arc, c.c));
        EXPECT_GT(arc.GetEdAngle(), arc.GetStAngle());
        EXPECT_NEAR(std::fmod(arc.GetSweep(), 2 * kPi), std::fmod(c.end - c.start, 2 * kPi), 1e-9);
    }
    CArc bad;
    bad.SetArc(CPoint2D(1, 1), 2, 0, 1);
    EXPECT_FALSE(bad.SetArc3Pt(CPoint2D(0, 0), CPoint2D(1, 1), CPoint2D(2, 2)));
    EXPECT_FALSE(bad.SetArc3Pt(CPoint2D(0, 0), CPoint2D(0, 0), CPoint2D(2, 2)));
    EXPECT_DOUBLE_EQ(bad.GetRadius(), 2); // unchanged
}

TEST(Arc, BulgeFollowsTheNegatedSignedDistance)
{
    // As the arc input does it: h = -GetDist(M, true) makes the arc bulge towards M.
    CPoint2D a(0, 0), b(8, 0);
    CLine chord(a, b);
    for (CPoint2D m : {CPoint2D(4, 3), CPoint2D(2, -5)}) {
        double h = -chord.GetDist(m, true);
        CArc arc;
        ASSERT_TRUE(arc.SetArcLen(a, b, h));
        CPoint2D apex(4, m.y > 0 ? std::fabs(h) : -std::fabs(h));
        EXPECT_TRUE(OnArc(arc, a));
        EXPECT_TRUE(OnArc(arc, b));
        EXPECT_TRUE(OnArc(arc, apex)) << m.y;
        EXPECT_FALSE(OnArc(arc, CPoint2D(4, -apex.y)));
    }
    // Sagitta 4 over a chord of 8: a half circle of radius 4.
    CArc half;
    ASSERT_TRUE(half.SetArcLen(a, b, -4));
    EXPECT_NEAR(half.GetRadius(), 4, 1e-9);
    ExpectPt(half.Center(), 4, 0);
    CArc none;
    EXPECT_FALSE(none.SetArcLen(a, b, 0));
    EXPECT_FALSE(none.SetArcLen(a, a, 3));
}

TEST(Arc, TangentArcLeavesAlongTheLine)
{
    struct Case
    {
        CPoint2D p0, p1, m;
    } cases[] = {{{0, 0}, {1, 0}, {4, 4}}, {{0, 0}, {1, 0}, {4, -4}}, {{2, 3}, {2, 9}, {-5, 10}}, {{0, 0}, {1, 1}, {-3, 0}}};
    for (const Case& c : cases) {
        CLine line(c.p0, c.p1);
        CArc arc;
        ASSERT_TRUE(arc.SetArcTan(line, c.p0, c.m));
        EXPECT_TRUE(OnArc(arc, c.p0));
        EXPECT_TRUE(OnArc(arc, c.m));
        // Tangent: the radius at p0 is at right angles to the line.
        CPoint2D r = c.p0 - arc.Center(), d = c.p1 - c.p0;
        EXPECT_NEAR(r.x * d.x + r.y * d.y, 0, 1e-9);
        // Leaving p0 along the line's direction: a small step along the travel stays near
        // the arc on the line's side.
        CPoint2D ahead = c.p0 + d / d.GetDist(CPoint2D(0, 0)) * 1e-3;
        EXPECT_TRUE(std::fabs(arc.Center().GetDist(ahead) - arc.GetRadius()) < 1e-5);
        EXPECT_TRUE(OnArc(arc, arc.Center() + (ahead - arc.Center()) * (arc.GetRadius() / arc.Center().GetDist(ahead))));
    }
    CArc none;
    EXPECT_FALSE(none.SetArcTan(CLine(CPoint2D(0, 0), CPoint2D(1, 0)), CPoint2D(0, 0), CPoint2D(5, 0)));
}

TEST(Arc, ExtentCoversTheAxisExtremesItPasses)
{
    CArc arc;
    arc.SetArc(CPoint2D(0, 0), 2, -kPi / 4, kPi / 4 + kPi / 2); // passes +x and +y
    CRect2D r = arc.GetRealRect2D();
    EXPECT_NEAR(r.right, 2, 1e-12);
    EXPECT_NEAR(r.bottom, 2, 1e-12);
    EXPECT_NEAR(r.left, -std::sqrt(2.0), 1e-12);
    EXPECT_NEAR(r.top, -std::sqrt(2.0), 1e-12);
}

TEST(DrawUnit, PlainUnitDoesNothingAndMeetsEverything)
{
    CPlainUnit u;
    CMatrix2D m;
    m.SetScale(4);
    u.Change2DtoDp(&m);
    EXPECT_DOUBLE_EQ(u.GetDisplayScale(), 4);
    EXPECT_TRUE(u.Display(nullptr, CRect(0, 0, 10, 10)));
    EXPECT_TRUE(u.GetRealRect().IsRectNull());
    EXPECT_TRUE(u.GetLocalRect().IsRectNull());
    EXPECT_TRUE(u.GetScreenRect().IsRectNull());
    EXPECT_TRUE(u.GetRealRect2D().IsRectNull());
    EXPECT_TRUE(u.IsInterSectRect(CRect(100, 100, 101, 101)));
    u.MoveXY(5, 5);
    u.Rotate(CPoint2D(1, 1), 1.0);
    u.Mirror(CPoint2D(1, 1));
    u.Mirror(CPoint2D(0, 0), CPoint2D(1, 1));
    u.ReSize(3);
    EXPECT_TRUE(u.GetRealRect2D().IsRectNull());
    EXPECT_EQ(u.SelectPoint(CPoint(0, 0)), 0);
    u.DXF(nullptr);
}

TEST(DrawUnit, MovesRotationsAndMirrors)
{
    CLine l(CPoint2D(1, 0), CPoint2D(3, 0));
    l.Rotate(CPoint2D(0, 0), kPi / 2);
    ExpectPt(l.GetPt1(), 0, 1);
    ExpectPt(l.GetPt2(), 0, 3);
    l.Mirror(CPoint2D(0, 0), CPoint2D(1, 1)); // reflect in y = x
    ExpectPt(l.GetPt1(), 1, 0);
    l.Mirror(CPoint2D(2, 2));
    ExpectPt(l.GetPt1(), 3, 4);
    l.MoveXY(-3, -4);
    l.ReSize(2);
    ExpectPt(l.GetPt1(), 0, 0);
    ExpectPt(l.GetPt2(), -4, 0);

    CArc a;
    a.SetArc(CPoint2D(0, 0), 1, 0, kPi / 2);
    a.Mirror(CPoint2D(0, 0), CPoint2D(1, 0)); // the quarter in y > 0 goes to y < 0
    EXPECT_TRUE(OnArc(a, CPoint2D(0, -1)));
    EXPECT_TRUE(OnArc(a, CPoint2D(1, 0)));
    EXPECT_FALSE(OnArc(a, CPoint2D(0, 1)));
    EXPECT_NEAR(a.GetSweep(), kPi / 2, 1e-12);
}

TEST(DrawUnit, LineIsDrawnThroughTheViewMatrices)
{
    CDC dc;
    dc.Attach(vyr::CreateDisplayDC());
    CMatrix3D m3;
    CMatrix2D m2;
    m2.SetZoomMatrix(CRect(0, 0, 100, 100), CRect2D(0, 10, 10, 0));
    // A plan line lying at elevation 5: after chgYZ the elevation is the view's y.
    CLine l(CPoint2D(0, 0), CPoint2D(10, 0));
    dc.ClearRecords();
    l.Display3D(&dc, m3, m2, 5.0);
    ASSERT_FALSE(dc.Records().empty());
    const vyr::DrawRecord& r = dc.Records().back();
    ASSERT_EQ(r.points.size(), 2u);
    EXPECT_EQ(r.points[0].x, 0);
    EXPECT_EQ(r.points[0].y, 50);
    EXPECT_EQ(r.points[1].x, 100);
    EXPECT_EQ(r.points[1].y, 50);
    HDC h = dc.Detach();
    vyr::DeleteDisplayDC(h);
}

TEST(DrawBlock, OwnsItsUnitsAndMovesThemAll)
{
    CDraw draw;
    draw.GetLayerList().AddTail(new CLayer("VM", 0, 0x00FF00, ""));
    CLayer* vm = draw.GetLayer("VM");
    ASSERT_NE(vm, nullptr);
    CDrawBlock* block = new CDrawBlock;
    draw.AddDrawUnit(block);
    CLine* l = block->CreateLine(CPoint2D(0, 0), CPoint2D(10, 0), vm, 1, -1);
    CText::SetTextAlign(TA_CENTER, TA_BOTTOM);
    CText* t = block->CreateText(5, 1, "第1层", 2.0f, 0.0, vm);
    CText::SetTextAlign(TA_LEFT, TA_TOP);
    CText* later = block->CreateText(0, 0, "x", 1.0f, 0.0, vm);
    CPoint2D tri[] = {{0, 0}, {1, 0}, {0, 1}};
    block->CreateHatch(tri, 3, vm);
    EXPECT_EQ(block->GetDrawUnitList().GetCount(), 4);
    EXPECT_EQ(l->GetParent(), block);
    EXPECT_EQ(t->GetHAlign(), (unsigned)TA_CENTER);
    EXPECT_EQ(t->GetVAlign(), (unsigned)TA_BOTTOM);
    EXPECT_EQ(later->GetHAlign(), (unsigned)TA_LEFT);
    draw.MoveXY(100, 200);
    ExpectPt(l->GetPt1(), 100, 200);
    ExpectPt(t->Position(), 105, 201);
    CRect2D ext = draw.GetRealRect2D();
    EXPECT_DOUBLE_EQ(ext.left, 100);
    EXPECT_DOUBLE_EQ(ext.right, 110);
    // Drawing units and layers are freed by the drawing (the sanitizer build checks).
}

TEST(DrawBlock, WritesItsUnitsOnTheirLayersIntoADxf)
{
    std::filesystem::path dir = std::filesystem::temp_directory_path() / ("vyr_draw_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::string file = (dir / "d.dxf").string();
    {
        CLayer member("MEMBER", 0, 0, "");
        CDrawBlock block;
        block.CreateLine(CPoint2D(0, 0), CPoint2D(5, 0), &member, 1, -1);
        CArc* arc = new CArc;
        arc->SetArc(CPoint2D(0, 0), 1, 0, kPi / 2);
        arc->SetLayer(&member);
        block.AddDrawUnit(arc);
        CText::SetTextAlign(TA_RIGHT, TA_BASELINE);
        block.CreateText(1.5, 2.5, "柱", 0.75f, kPi / 2, &member);
        CText::SetTextAlign(TA_LEFT, TA_TOP);
        CDXFOutput out;
        ASSERT_EQ(out.IntialDXFFile(CString(std::string(VYR_SOURCE_DIR) + "/resources/Template/VYRPrint.dxf"),
                                    CString(file), true),
                  1);
        block.DXF(&out);
    }
    std::ifstream in(file);
    std::stringstream s;
    s << in.rdbuf();
    std::string text = s.str();
    std::filesystem::remove_all(dir);
    size_t lines = 0;
    for (size_t p = text.find("\nLINE\n8\nMEMBER\n"); p != std::string::npos; p = text.find("\nLINE\n8\nMEMBER\n", p + 1))
        ++lines;
    EXPECT_GE(lines, 1u + 18u); // the line and the arc as a chain of short lines
    // The text in degrees, right-aligned on its baseline, its point kept exactly.
    EXPECT_NE(text.find("TEXT\n8\nMEMBER\n10\n1.5\n20\n2.5\n30\n0\n40\n0.75\n1\n\xD6\xF9\n50\n90\n72\n2\n"),
              std::string::npos);
}

TEST(Arc, DrawnInItsLocalFrameBeforeTheView)
{
    // Local axes u = +y, v = -x, origin (10, 0, 0): local (1, 0) is model (10, 1, 0).
    CMatrix3D frame;
    frame(0, 0) = 0, frame(0, 1) = 1;
    frame(1, 0) = -1, frame(1, 1) = 0;
    frame(3, 0) = 10;
    CArc arc;
    arc.SetArc(CPoint2D(0, 0), 1, 0, kPi / 2);
    CDC dc;
    dc.Attach(vyr::CreateDisplayDC());
    dc.ClearRecords();
    CMatrix3D view;
    CMatrix2D plane;
    plane.SetMove(100, 200);
    arc.Display3D(&dc, frame, view, plane);
    ASSERT_FALSE(dc.Records().empty());
    const std::vector<POINT>& p = dc.Records().back().points;
    ASSERT_GE(p.size(), 3u);
    // Model (10, 1, 0) -> chgYZ (10, 0, 1) -> pixel (110, 200); the end (9, 0, 0) -> (109, 200).
    EXPECT_EQ(p.front().x, 110);
    EXPECT_EQ(p.front().y, 200);
    EXPECT_EQ(p.back().x, 109);
    EXPECT_EQ(p.back().y, 200);
    HDC h = dc.Detach();
    vyr::DeleteDisplayDC(h);
}

TEST(ViewPreview, PaintsTheDrawingFittedInItsLayerColours)
{
    CViewPreview preview;
    CDraw* draw = new CDraw;
    draw->GetLayerList().AddTail(new CLayer("Cor", 0, 0xFF0FFF, ""));
    draw->GetLayerList().AddTail(new CLayer("Tail", 0, 0x32FFFF, ""));
    CDrawBlock* b = new CDrawBlock;
    draw->AddDrawUnit(b);
    b->CreateLine(CPoint2D(0, 0), CPoint2D(1000, 0), draw->GetLayer("Cor"), 1, -1);
    b->CreateLine(CPoint2D(0, 0), CPoint2D(0, 756), draw->GetLayer("Tail"), 1, -1);
    preview.SetDraw(draw);
    EXPECT_EQ(preview.GetDraw(), draw);

    CDC dc;
    dc.Attach(vyr::CreateDisplayDC());
    dc.ClearRecords();
    CRect client(0, 0, 220, 220);
    preview.PaintDraw(&dc, client);
    int lines = 0;
    for (const vyr::DrawRecord& r : dc.Records()) {
        if (r.kind != vyr::DrawKind::Line) continue;
        ++lines;
        ASSERT_EQ(r.points.size(), 2u);
        for (const POINT& p : r.points) {
            EXPECT_GE(p.x, 10);
            EXPECT_LE(p.x, 210);
            EXPECT_GE(p.y, 10);
            EXPECT_LE(p.y, 210);
        }
        bool horizontal = r.points[0].y == r.points[1].y;
        EXPECT_EQ(r.state.pen.lopnColor, horizontal ? 0xFF0FFFu : 0x32FFFFu);
        if (horizontal) {
            EXPECT_EQ(r.points[1].x - r.points[0].x, 200); // the wider extent fills the area
            EXPECT_GT(r.points[0].y, 100);                  // y up: the base line is low
        }
    }
    EXPECT_EQ(lines, 2);
    HDC h = dc.Detach();
    vyr::DeleteDisplayDC(h);
    // A second drawing replaces the first, which the preview deletes.
    preview.SetDraw(new CDraw);
}
