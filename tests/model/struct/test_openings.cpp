// Openings built from their dialog values: a member's web opening, and a room's rectangle
// or circle placed from the room's first vertex and its reference edge.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "support/TestHelpers.h"
#include <vyr/model/struct/structure.h>

namespace {

// A room whose corners are new nodes at the points, all at height z.
struct Room
{
    std::vector<std::unique_ptr<CPNode>> nodes;
    CPlane plane;

    Room(std::initializer_list<CPoint2D> corners, double z)
    {
        for (const CPoint2D& p : corners) {
            nodes.push_back(std::make_unique<CPNode>((int)nodes.size() + 1, CPoint3D(p.x, p.y, z)));
            plane.m_pVexNodeList->AddTail(nodes.back().get());
        }
    }
};

} // namespace

TEST(WebOpening, KeepsTypeCentreAndSizeAsGiven)
{
    const CBeamWebHole hole(2, 5800.0f, 200.0f, 250.0f, 500.0f);
    EXPECT_EQ(hole.m_nType, 2);
    EXPECT_EQ(hole.m_fX, 5800.0f);
    EXPECT_EQ(hole.m_fY, 200.0f);
    EXPECT_EQ(hole.m_fH, 250.0f);
    EXPECT_EQ(hole.m_fB, 500.0f);
}

TEST(RoomOpening, VertexListIsReplacedByTheCornersInOrder)
{
    Room room({CPoint2D(0, 0), CPoint2D(600, 0), CPoint2D(600, 600)}, 0);
    CPNode stale(99, CPoint3D());
    CPNodeList list;
    list.AddTail(&stale);
    room.plane.GetVertexList(&list);
    ASSERT_EQ(list.GetCount(), 3);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(list.Get(i), room.nodes[(size_t)(i - 1)].get()) << i;
}

TEST(RoomOpening, RectangleRunsFromTheFirstVertexAlongItsEdgeDirection)
{
    // The first vertex at (100, 200) on a storey at 50; width along the edge, height to its left.
    Room room({CPoint2D(100, 200), CPoint2D(700, 200), CPoint2D(700, 800), CPoint2D(100, 800)}, 50);
    struct Case
    {
        const char* name;
        double angle;
        double corners[4][2];
    };
    const Case cases[] = {
        {"along x", 0.0, {{200, 300}, {400, 300}, {400, 400}, {200, 400}}},
        {"along y", M_PI / 2, {{200, 300}, {200, 500}, {100, 500}, {100, 300}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CHoleRect hole(100, 100, 100, 200, c.angle, 1, &room.plane);
        EXPECT_EQ(hole.GetKind(), 1);
        EXPECT_EQ(hole.m_dX, 100.0);
        EXPECT_EQ(hole.m_dY, 100.0);
        EXPECT_EQ(hole.m_dV, 100.0);
        EXPECT_EQ(hole.m_dH, 200.0);
        EXPECT_EQ(hole.m_dAngle, c.angle);
        EXPECT_EQ(hole.m_nRefEdge, 1);
        for (int i = 0; i < 4; ++i)
            vyrtest::ExpectPt(hole.GetVexPt(i + 1), c.corners[i][0], c.corners[i][1], 50);
    }
}

TEST(RoomOpening, RectangleOfARoomWithoutCornersStaysUnplaced)
{
    CPlane empty;
    const CHoleRect hole(10, 20, 30, 40, 0.0, 0, &empty);
    // The corners in the opening's own plane, from its offsets.
    vyrtest::ExpectPt(hole.GetVexPt(1), 10, 20, 0);
    vyrtest::ExpectPt(hole.GetVexPt(3), 50, 50, 0);
}

TEST(RoomOpening, CircleLiesAtTheBasePlusItsOffsetsWithADoubleRadius)
{
    const CHoleCircle hole(CPoint3D(100, 200, 50), 300, 400, 123.456789012345);
    EXPECT_EQ(hole.GetKind(), 2);
    vyrtest::ExpectPt(hole.m_ptCenter, 400, 600, 50);
    EXPECT_EQ(hole.m_dX, 300.0);
    EXPECT_EQ(hole.m_dY, 400.0);
    // Kept as given: a float would lose the last digits.
    EXPECT_EQ(hole.m_dR, 123.456789012345);
    CHoleCircle copy;
    copy = hole;
    EXPECT_EQ(copy.m_dR, 123.456789012345);
    EXPECT_DOUBLE_EQ(copy.GetArea(), M_PI * 123.456789012345 * 123.456789012345);
}
