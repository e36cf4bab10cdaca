// Geometry value types: angles at the quadrant limits, rectangles in either corner order,
// the matrix conventions (row vectors, translation in the last row, this x step), inverse
// round trips, and the text parsers on malformed input.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include <vyr/model/geometry/geometry.h>
#include "support/TestHelpers.h"

namespace {
using vyrtest::ExpectPt;

const double kPi = 3.14159265358979323846;


} // namespace

TEST(Point2D, GetAngleCoversMinusPiExclusiveToPiInclusive)
{
    struct Case
    {
        double x, y, expected;
    } cases[] = {
        {1, 0, 0.0},        {1, 1, kPi / 4},  {0, 1, kPi / 2},  {-1, 1, 3 * kPi / 4},
        {-1, 0, kPi},       {0, -1, -kPi / 2}, {-1, -1, -3 * kPi / 4},
        {-1, -0.0, kPi},    // a negative zero difference still gives +pi
        {0, 0, 0.0},        // the point itself
    };
    for (const Case& c : cases) {
        double a = CPoint2D(0, 0).GetAngle(CPoint2D(c.x, c.y));
        EXPECT_DOUBLE_EQ(a, c.expected) << c.x << "," << c.y;
        EXPECT_GT(a, -kPi);
        EXPECT_LE(a, kPi);
    }
    // From a point other than the origin the direction is relative.
    EXPECT_DOUBLE_EQ(CPoint2D(5, 5).GetAngle(CPoint2D(4, 5)), kPi);
}

TEST(Point3D, PixelPointConstructionAndAssignmentSetZToZero)
{
    CPoint3D p(CPoint(3, 4));
    ExpectPt(p, 3, 4, 0);
    CPoint3D q(1, 2, 7);
    q = CPoint(5, 6);
    ExpectPt(q, 5, 6, 0);
    CPoint2D r;
    r = CPoint3D(1, 2, 3);
    ExpectPt(r, 1, 2);
    EXPECT_TRUE(CPoint3D(1, 2, 3) == CPoint3D(1, 2, 3 + 1e-9));
    EXPECT_TRUE(CPoint3D(1, 2, 3) != CPoint3D(1, 2, 3.01));
    EXPECT_TRUE(CPoint3D(1, 5, 0) < CPoint3D(2, 0, 0));
    EXPECT_FALSE(CPoint3D(2, 0, 0) < CPoint3D(1, 5, 0));
    ExpectPt((CPoint3D(1, 2, 3) + CPoint3D(3, 4, 5)) / 2, 2, 3, 4);
}

TEST(Point3D, GetPt3DMovesAlongTheDirectionByTheLength)
{
    ExpectPt(CPoint3D(1, 1, 1).GetPt3D(5, CVector3D(0, 3, 4)), 1, 4, 5);
    ExpectPt(CPoint3D(1, 1, 1).GetPt3D(5, CVector3D()), 1, 1, 1);
}

TEST(Vector3D, CrossProductAndNormalize)
{
    CVector3D n = CVector3D(1, 0, 0) & CVector3D(0, 1, 0);
    EXPECT_TRUE(n == CVector3D(0, 0, 1));
    CVector3D v(3, 0, 4);
    v.Normalize();
    EXPECT_NEAR(v.x, 0.6, 1e-12);
    EXPECT_NEAR(v.z, 0.8, 1e-12);
    CVector3D zero;
    zero.Normalize(); // no division by zero
    EXPECT_TRUE(zero == CVector3D(0, 0, 0));
    CVector3D d = CPoint3D(4, 6, 8) - CPoint3D(1, 2, 3);
    EXPECT_TRUE(d == CVector3D(3, 4, 5));
}

TEST(Rect2D, WidthAndHeightAreAbsoluteInEitherCornerOrder)
{
    struct Case
    {
        double l, t, r, b, w, h;
    } cases[] = {
        {10, 0, 0, 5, 10, 5}, {0, 0, 10, 5, 10, 5}, {0, 5, 10, 0, 10, 5}, {-3, -4, -1, -9, 2, 5}, {0, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        CRect2D r(c.l, c.t, c.r, c.b);
        EXPECT_DOUBLE_EQ(r.Width(), c.w);
        EXPECT_DOUBLE_EQ(r.Height(), c.h);
    }
}

TEST(Rect2D, NormalizeInflateUnionAndTests)
{
    CRect2D r(10, 8, 2, 1);
    r.NormalizeRect();
    EXPECT_EQ(r.left, 2);
    EXPECT_EQ(r.top, 1);
    EXPECT_EQ(r.right, 10);
    EXPECT_EQ(r.bottom, 8);

    // Outwards whatever the corner order.
    CRect2D a(0, 10, 4, 0); // y up
    a.InflateRect(1, 2);
    EXPECT_DOUBLE_EQ(a.Width(), 6);
    EXPECT_DOUBLE_EQ(a.Height(), 14);
    EXPECT_DOUBLE_EQ(a.top, 12);
    CRect2D b(0, 0, 4, 10);
    b.InflateRect(5, 5);
    EXPECT_DOUBLE_EQ(b.left, -5);
    EXPECT_DOUBLE_EQ(b.bottom, 15);

    // A null extent is no extent.
    CRect2D u;
    u |= CRect2D(1, 2, 3, 4);
    EXPECT_DOUBLE_EQ(u.left, 1);
    EXPECT_DOUBLE_EQ(u.bottom, 4);
    u |= CRect2D();
    EXPECT_DOUBLE_EQ(u.right, 3);
    u |= CRect2D(-1, 6, 0, 5);
    EXPECT_DOUBLE_EQ(u.left, -1);
    EXPECT_DOUBLE_EQ(u.top, 2);
    EXPECT_DOUBLE_EQ(u.right, 3);
    EXPECT_DOUBLE_EQ(u.bottom, 6);

    EXPECT_TRUE(CRect2D().IsRectNull());
    EXPECT_TRUE(CRect2D(1, 1, 1, 5).IsRectEmpty());
    EXPECT_FALSE(CRect2D(1, 1, 2, 5).IsRectEmpty());
    ExpectPt(CRect2D(0, 0, 10, 4).CenterPoint(), 5, 2);
    CRect pix = CRect2D(0.4, 0.6, 9.5, -2.5);
    EXPECT_EQ(pix.left, 0);
    EXPECT_EQ(pix.top, 1);
    EXPECT_EQ(pix.right, 10);
    EXPECT_EQ(pix.bottom, -3);
}

TEST(Matrix, DefaultMatricesAreIdentities)
{
    CPoint2D p(3.5, -2);
    ExpectPt(p * CMatrix2D(), 3.5, -2);
    ExpectPt(CPoint3D(1, -2, 3) * CMatrix3D(), 1, -2, 3);
    CMatrix3D m;
    for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], (i % 5 == 0) ? 1.0 : 0.0) << i;
}

TEST(Matrix, TranslationIsTheLastRowAndStepsApplyAfterTheView)
{
    CMatrix2D move;
    move.SetMove(10, 20);
    EXPECT_EQ(move(2, 0), 10);
    EXPECT_EQ(move(2, 1), 20);
    ExpectPt(CPoint2D(1, 1) * move, 11, 21);

    CMatrix2D view;
    view.SetScale(2);
    view *= move; // scale first, then the pixel step
    ExpectPt(CPoint2D(1, 0) * view, 12, 20);
    CMatrix2D scale;
    scale.SetScale(2);
    ExpectPt(CPoint2D(1, 0) * (move * scale), 22, 40); // the other order


    CMatrix3D m3;
    m3.SetMove(1, 2, 3);
    EXPECT_EQ(m3[12], 1);
    EXPECT_EQ(m3[14], 3);
    ExpectPt(CPoint3D(0, 0, 0) * m3, 1, 2, 3);
}

TEST(Matrix, ZoomAboutAPixelKeepsThatPixelFixed)
{
    CMatrix2D view;
    view.SetScale(0.5);
    CMatrix2D step;
    view *= (step.SetMove(-100, -50), step);
    CMatrix2D s;
    s.SetScale(3);
    view *= s;
    view *= (step.SetMove(100, 50), step);
    CMatrix2D before;
    before.SetScale(0.5);
    CPoint2D world = CPoint2D(100, 50) * before.Anti();
    ExpectPt(world * view, 100, 50);
}

TEST(Matrix, RotationsFollowTheRowVectorConvention)
{
    CMatrix3D z;
    z.SetZRotate(kPi / 2);
    ExpectPt(CPoint3D(1, 0, 0) * z, 0, 1, 0);
    CMatrix3D x;
    x.SetXRotate(kPi / 2);
    ExpectPt(CPoint3D(0, 1, 0) * x, 0, 0, 1);
    // A frame with rows u, v, n, o maps local coordinates to model coordinates.
    CMatrix3D f;
    f(0, 0) = 0, f(0, 1) = 1, f(0, 2) = 0;
    f(1, 0) = -1, f(1, 1) = 0, f(1, 2) = 0;
    f(3, 0) = 5, f(3, 1) = 6, f(3, 2) = 7;
    ExpectPt(CPoint3D(2, 3, 4) * f, 5 - 3, 6 + 2, 7 + 4);
}

TEST(Matrix, InverseRoundTrips)
{
    CMatrix3D a, b, c, d;
    a.SetXRotate(0.7);
    b.SetZRotate(-1.9);
    c.SetMove(120.5, -33, 4000);
    d.Identity();
    d[0] = 0.002, d[5] = 0.002, d[10] = 0.002;
    CMatrix3D ms[] = {a, a * b, a * b * c * d, c * d * b};
    for (const CMatrix3D& m : ms) {
        CMatrix3D inv = m.Anti();
        CMatrix3D id = m * inv;
        for (int i = 0; i < 16; ++i) EXPECT_NEAR(id[i], (i % 5 == 0) ? 1.0 : 0.0, 1e-9) << i;
        CPoint3D p(12.5, -7, 3000);
        CPoint3D back = (p * m) * inv;
        ExpectPt(back, p.x, p.y, p.z, 1e-6);
    }
    CMatrix2D v;
    v.SetZoomMatrix(CRect(0, 0, 800, 600), CRect2D(-5000, 3000, 25000, -1000));
    CMatrix2D vi = v.Anti();
    ExpectPt((CPoint2D(123, 456) * vi) * v, 123, 456, 1e-6);
    // A singular matrix gives the identity instead of infinities.
    CMatrix2D zero;
    zero.SetScale(0);
    ExpectPt(CPoint2D(3, 4) * zero.Anti(), 3, 4);
    CMatrix3D z3;
    z3 = 0.0;
    ExpectPt(CPoint3D(3, 4, 5) * z3.Anti(), 3, 4, 5);
}

TEST(Matrix, ZoomMatrixFitsTheWholeExtentCentredWithYUp)
{
    struct Case
    {
        CRect screen;
        CRect2D world;
    } cases[] = {
        {CRect(0, 0, 800, 600), CRect2D(0, 0, 100, 100)},
        {CRect(10, 20, 410, 220), CRect2D(-50, 10, 950, -40)},
        {CRect(0, 0, 300, 300), CRect2D(5, 5, 5, 5)}, // a single point
        {CRect(0, 0, 300, 300), CRect2D(0, 7, 100, 7)}, // no height
    };
    for (const Case& c : cases) {
        CMatrix2D m;
        m.SetZoomMatrix(c.screen, c.world);
        CPoint2D a = CPoint2D(c.world.left, c.world.top) * m;
        CPoint2D b = CPoint2D(c.world.right, c.world.bottom) * m;
        for (const CPoint2D& p : {a, b}) {
            EXPECT_GE(p.x, c.screen.left - 1e-9);
            EXPECT_LE(p.x, c.screen.right + 1e-9);
            EXPECT_GE(p.y, c.screen.top - 1e-9);
            EXPECT_LE(p.y, c.screen.bottom + 1e-9);
        }
        CPoint2D centre = c.world.CenterPoint() * m;
        ExpectPt(centre, (c.screen.left + c.screen.right) / 2.0, (c.screen.top + c.screen.bottom) / 2.0, 1e-9);
        EXPECT_GT(m(0, 0), 0);
        EXPECT_LT(m(1, 1), 0); // world y up, screen y down
    }
}

TEST(Matrix, ModelPointReachesTheScreenThroughBothMatrices)
{
    CMatrix3D m3; // plan view: model z becomes the view's depth after chgYZ
    CMatrix2D m2;
    m2.SetZoomMatrix(CRect(0, 0, 200, 100), CRect2D(0, 10, 20, 0));
    CPoint3D p(10, 3, 5);
    CPoint3D q = p * m3;
    q.chgYZ();
    ExpectPt(q, 10, 5, 3);
    CPoint3D s = q * m2;
    ExpectPt(CPoint2D(s.x, s.y), 100, 50);
    EXPECT_EQ(s.z, 3); // z survives a plane matrix
}

TEST(Parse, PointTextIsReadOrRefused)
{
    struct Case
    {
        const char* text;
        bool ok;
        double x = 0, y = 0, z = 0;
    } cases[] = {
        {"0, 0, 0", true, 0, 0, 0},
        {"1,2,3", true, 1, 2, 3},
        {"  1.5 , -2 ,3e2 ", true, 1.5, -2, 300},
        {"+4,5,6", true, 4, 5, 6},
        {"1,2", false},
        {"1,2,3,4", false},
        {"a,b,c", false},
        {"1,,3", false},
        {"", false},
        {"   ", false},
        {"1,2,3x", false},
        {"1 2 3", false},
        {"nan,1,1", false},
        {"1,inf,1", false},
        {"1,2,--3", false},
        {"1,2,+-3", false},
        {"1e999,0,0", false},
        {"1.7e308,0,0", false}, // finite as typed, infinite at factor 2
        {"0x10,0,0", false},
    };
    for (const Case& c : cases) {
        CPoint3D p(9, 9, 9);
        int r = p.Parse(CString(c.text), 2.0);
        EXPECT_EQ(r != 0, c.ok) << c.text;
        if (c.ok)
            ExpectPt(p, 2 * c.x, 2 * c.y, 2 * c.z);
        else
            ExpectPt(p, 9, 9, 9); // unchanged
    }
}

TEST(Parse, NumberListsFillTheArrayAndCheckTheLimit)
{
    struct Case
    {
        const char* text;
        int max;
        int result;
        std::vector<int> values;
    } ints[] = {
        {"3,7", 10, 1, {3, 7}},
        {" 1 , 2 ,10", 10, 1, {1, 2, 10}},
        {"11", 10, 0, {}},
        {"", 10, 1, {}},
        {"1,2.5", 10, 0, {}},
        {"1,,2", 10, 0, {}},
        {"1,x", 10, 0, {}},
        {"99999999999999999999", 10, 0, {}},
        {"-3", 10, 1, {-3}},
    };
    for (const Case& c : ints) {
        CArray<int, int> arr;
        arr.Add(42); // stale content must go
        EXPECT_EQ(ParseIntString(CString(c.text), arr, c.max), c.result) << c.text;
        ASSERT_EQ((size_t)arr.GetSize(), c.values.size()) << c.text;
        for (size_t i = 0; i < c.values.size(); ++i) EXPECT_EQ(arr[(INT_PTR)i], c.values[i]);
    }
    CArray<float, float> f;
    EXPECT_EQ(ParseFloatString(CString("1.25,1.50"), f, 10.0f), 1);
    ASSERT_EQ(f.GetSize(), 2);
    EXPECT_FLOAT_EQ(f[1], 1.5f);
    EXPECT_EQ(ParseFloatString(CString("1.25,10.5"), f, 10.0f), 0);
    EXPECT_EQ(ParseFloatString(CString("10"), f, 10.0f), 1);
    EXPECT_EQ(ParseFloatString(CString("1;2"), f, 10.0f), 0);
    // Beyond the float range: refused, never stored as an infinity below the limit.
    for (const char* text : {"-1e39", "1,-3.5e38", "1e39"}) {
        EXPECT_EQ(ParseFloatString(CString(text), f, 10.0f), 0) << text;
        EXPECT_EQ(f.GetSize(), 0) << text;
    }
}

TEST(GeoFunc, DistancesAndRounding)
{
    EXPECT_DOUBLE_EQ(DPP(CPoint2D(0, 0), CPoint2D(3, 4)), 5);
    EXPECT_DOUBLE_EQ(DPL(CPoint2D(5, 3), CPoint2D(0, 0), CPoint2D(10, 0)), 3);
    EXPECT_DOUBLE_EQ(DPL(CPoint2D(50, -3), CPoint2D(0, 0), CPoint2D(10, 0)), 3); // the infinite line
    EXPECT_DOUBLE_EQ(DPL(CPoint2D(3, 4), CPoint2D(0, 0), CPoint2D(0, 0)), 5);   // no division by zero
    struct
    {
        double v;
        LONG r;
    } rounding[] = {{0.4, 0}, {0.5, 1}, {-0.5, -1}, {-1.6, -2}, {1e20, 2147483647}, {-1e20, -2147483647 - 1},
                    {std::numeric_limits<double>::quiet_NaN(), 0}};
    for (const auto& c : rounding) EXPECT_EQ(longTransfer(c.v), c.r) << c.v;
    CPoint pt = CPoint2D(2.5, -7.4);
    EXPECT_EQ(pt.x, 3);
    EXPECT_EQ(pt.y, -7);
}

TEST(GeoFunc, PointInPolygon)
{
    // An L-shaped room: the notch at the top right is outside.
    CPoint2D l[] = {{0, 0}, {10, 0}, {10, 5}, {5, 5}, {5, 10}, {0, 10}};
    struct
    {
        double x, y;
        bool in;
    } cases[] = {{2, 2, true},  {8, 2, true},   {2, 8, true},  {8, 8, false}, {-1, 5, false}, {11, 1, false},
                 {0, 5, true},  {10, 2.5, true}, {5, 7, true}, {0, 0, true},  {5, 5, true},   {10, 10, false}};
    for (const auto& c : cases) EXPECT_EQ(IsPtInRegion1(l, 6, CPoint2D(c.x, c.y)), c.in) << c.x << "," << c.y;
    EXPECT_FALSE(IsPtInRegion1(l, 2, CPoint2D(1, 0)));
    EXPECT_FALSE(IsPtInRegion1(nullptr, 4, CPoint2D(1, 0)));
}

TEST(Layer, ListFindsLayersByExactName)
{
    CLayer vm("VM", 0, 0x00FF00, "");
    CLayer text("Text", 0, 0xFFFF00, "");
    CLayerList list;
    list.AddTail(&vm);
    list.AddTail(&text);
    EXPECT_EQ(list.GetLayer("Text"), &text);
    EXPECT_EQ(list.GetLayer("VM")->GetColor(), 0x00FF00u);
    EXPECT_EQ(list.GetLayer("TEXT"), nullptr);
    EXPECT_EQ(list.GetLayer("Cor"), nullptr);
    CLayer copy(vm);
    EXPECT_EQ(copy.GetName(), "VM");
    EXPECT_EQ(copy.GetColor(), 0x00FF00u);
}
