// The room and wall sketches below the grid, as drawn into the frame's device context:
// what was drawn, with which pen, brush and font, and that the context is handed back as
// it was got. Also the sketches in a rendered panel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <vyr/host/ViewPropPanels.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/raster.h>
#include <vyr/windc.h>
#include <vyr/scripteduser.h>
#include "SelPanelWorld.h"
#include "support/TestHost.h"

namespace {

constexpr int kFrame = 1127;

// A wall opening whose lower-left corner is given in model coordinates.
class CPlacedHole : public CHole
{
public:
    CPlacedHole(const CPoint3D& corner, double vertical, double horizontal) : CHole(1), m_corner(corner)
    {
        m_dV = vertical;
        m_dH = horizontal;
    }
    CPoint3D GetVexPt(int) const override { return m_corner; }
    CPoint3D m_corner;
};

// What one release of the frame's device context held.
struct Release
{
    std::vector<vyr::DrawRecord> records;
    vyr::DrawState state;
};

class SketchTest : public SelPanelWorld
{
protected:
    void SetUp() override
    {
        vyr::ScriptedUser::Reset();
        vyr::WatchReleasedDCs([this](HWND h, CDC& dc) {
            if (m_frame && h == m_frame)
                m_releases.push_back(Release{dc.Records(), dc.GetState()});
        });
    }
    void TearDown() override
    {
        vyr::WatchReleasedDCs(nullptr);
        SelPanelWorld::TearDown();
    }

    template <class Panel, class T>
    Panel* Make(T** slot)
    {
        Panel* panel = SelPanelWorld::Make<Panel>(slot);
        m_frame = panel->GetDlgItem(kFrame)->GetSafeHwnd();
        return panel;
    }
    // The drawing of the object chosen as entry 1, as the last release holds it.
    const Release& Choose(CViewProp* panel)
    {
        m_releases.clear();
        const int before = vyr::OpenWindowDCCount();
        EXPECT_TRUE(vyr::WindowUser::SelectRow(panel, kCombo, 1));
        EXPECT_EQ(vyr::OpenWindowDCCount(), before);
        EXPECT_EQ(m_releases.size(), 1u);
        static Release none;
        return m_releases.empty() ? none : m_releases.back();
    }
    HWND m_frame = nullptr;
    std::vector<Release> m_releases;
};

std::vector<const vyr::DrawRecord*> OfKind(const Release& r, vyr::DrawKind kind)
{
    std::vector<const vyr::DrawRecord*> out;
    for (const vyr::DrawRecord& d : r.records)
        if (d.kind == kind)
            out.push_back(&d);
    return out;
}

bool Emphasised(const vyr::DrawRecord& d)
{
    return d.state.pen.lopnWidth.x == 3 && d.state.pen.lopnColor == RGB(0, 255, 0) && d.state.pen.lopnStyle == PS_SOLID;
}

bool SameLine(const vyr::DrawRecord& d, POINT a, POINT b)
{
    auto eq = [](POINT p, POINT q) { return p.x == q.x && p.y == q.y; };
    return d.points.size() == 2 &&
           ((eq(d.points[0], a) && eq(d.points[1], b)) || (eq(d.points[0], b) && eq(d.points[1], a)));
}

// ---- room

// A 1200 x 600 room whose four sides are each two collinear edge members: eight vertices
// (0,0) (600,0) (1200,0) (1200,300) (1200,600) (600,600) (0,600) (0,300).
class RoomSketchTest : public SketchTest
{
protected:
    void SetUp() override
    {
        SketchTest::SetUp();
        CStruct& s = *m_host.GlobalData().Struct();
        const double xy[8][2] = {{0, 0}, {600, 0}, {1200, 0}, {1200, 300}, {1200, 600}, {600, 600}, {0, 600}, {0, 300}};
        CPNode* v[8];
        for (int i = 0; i < 8; ++i)
            v[i] = Node(i + 1, xy[i][0], xy[i][1]);
        m_room = new CPlane;
        m_room->m_nNo = 1;
        for (int i = 0; i < 8; ++i) {
            auto* edge = new CBeam(i + 1, v[i], v[(i + 1) % 8], 2);
            s.m_pBeamList->AddTail(edge);
            m_room->m_pVexNodeList->AddTail(v[i]);
            m_room->m_pBeamList->AddTail(edge);
        }
        s.m_pPlaneList->AddTail(m_room);
        m_host.GlobalData().SelectPlaneList().AddTail(m_room);
    }
    void AddSubBeam(CPNode* a, CPNode* b, CSectionBase* section)
    {
        auto* sub = new CSubBeam(100 + (int)m_room->m_pSubBeamList->GetCount(), a, b);
        sub->m_pSection = section;
        m_room->m_pSubBeamList->AddTail(sub);
    }
    CPlane* m_room = nullptr;
    CPlane* m_current = nullptr;
};

// Frame 220 x 128: the room is wider than the frame's proportions, so s = 220 / 1200 * 0.6
// = 0.11 and the centre (600, 300) goes to (110, 64): corners at x 44 and 176, y 97 and 31.
constexpr POINT kC0{44, 97}, kC1{176, 97}, kC2{176, 31}, kC3{44, 31};

TEST_F(RoomSketchTest, EightVerticesGiveFourCornersAndTheWholeOutlineIsEmphasisedWithoutDirection)
{
    m_room->m_nSubBeamDir = 0;
    auto* panel = Make<CViewPropPlane>(&m_current);
    const Release& r = Choose(panel);
    ASSERT_FALSE(r.records.empty());
    // The white box first, over the whole frame.
    EXPECT_EQ(r.records[0].kind, vyr::DrawKind::Rectangle);
    EXPECT_EQ(r.records[0].state.brush.lbColor, RGB(255, 255, 255));
    EXPECT_EQ(r.records[0].rect.right, 220);
    EXPECT_EQ(r.records[0].rect.bottom, 128);

    std::vector<const vyr::DrawRecord*> emphasised;
    for (const vyr::DrawRecord* d : OfKind(r, vyr::DrawKind::Line))
        if (Emphasised(*d))
            emphasised.push_back(d);
    ASSERT_EQ(emphasised.size(), 4u);
    EXPECT_TRUE(SameLine(*emphasised[0], kC0, kC1));
    EXPECT_TRUE(SameLine(*emphasised[1], kC1, kC2));
    EXPECT_TRUE(SameLine(*emphasised[2], kC2, kC3));
    EXPECT_TRUE(SameLine(*emphasised[3], kC3, kC0));

    // Every vertex, corner or not, gets its red square.
    std::vector<const vyr::DrawRecord*> squares;
    for (const vyr::DrawRecord* d : OfKind(r, vyr::DrawKind::Rectangle))
        if (d->state.brush.lbColor == RGB(192, 0, 0))
            squares.push_back(d);
    ASSERT_EQ(squares.size(), 8u);
    EXPECT_EQ(squares[1]->rect.left, 110 - 3); // vertex (600, 0) -> (110, 97)
    EXPECT_EQ(squares[1]->rect.top, 97 - 3);
    EXPECT_EQ(squares[1]->rect.right, 110 + 3);
}

TEST_F(RoomSketchTest, DirectionOneOfAQuadrilateralEmphasisesTheSidesOneTwoAndThreeZero)
{
    m_room->m_nShapeCode = 2;
    m_room->m_nSubBeamDir = 1;
    auto* panel = Make<CViewPropPlane>(&m_current);
    const Release& r = Choose(panel);
    std::vector<const vyr::DrawRecord*> thick, thin;
    for (const vyr::DrawRecord* d : OfKind(r, vyr::DrawKind::Line))
        (Emphasised(*d) ? thick : thin).push_back(d);
    ASSERT_EQ(thick.size(), 2u);
    EXPECT_TRUE(SameLine(*thick[0], kC1, kC2));
    EXPECT_TRUE(SameLine(*thick[1], kC3, kC0));
    ASSERT_EQ(thin.size(), 2u);
    EXPECT_TRUE(SameLine(*thin[0], kC0, kC1));
    EXPECT_TRUE(SameLine(*thin[1], kC2, kC3));
    EXPECT_EQ(thin[0]->state.pen.lopnWidth.x, r.records[0].state.pen.lopnWidth.x); // the frame's own pen
}

TEST_F(RoomSketchTest, TheRoomFillsSixtyPercentOfTheFrameWidthCentred)
{
    auto* panel = Make<CViewPropPlane>(&m_current);
    const Release& r = Choose(panel);
    LONG left = 1000, right = -1000;
    for (const vyr::DrawRecord* d : OfKind(r, vyr::DrawKind::Line))
        for (const POINT& p : d->points) {
            left = std::min(left, p.x);
            right = std::max(right, p.x);
        }
    EXPECT_EQ(right - left, 132); // 0.6 x 220
    EXPECT_EQ((left + right) / 2, 110);
}

TEST_F(RoomSketchTest, LabelsNameTheSectionAndTurnWithVerticalBeams)
{
    CStruct& s = *m_host.GlobalData().Struct();
    auto* section = new CSWeldedHtype(111, 300.0f, 150.0f, 10.0f, 6.5f);
    section->m_strKind = "HN300x150";
    ASSERT_TRUE(s.m_pSectionList->Add(section, true));
    CPNode* a = Node(50, 0, 200);
    CPNode* b = Node(51, 1200, 200);
    CPNode* c = Node(52, 400, 0);
    CPNode* d = Node(53, 400, 600);
    CPNode* e = Node(54, 0, 400);
    CPNode* f = Node(55, 1200, 400);
    AddSubBeam(a, b, nullptr);  // horizontal, no section
    AddSubBeam(c, d, section);  // vertical
    AddSubBeam(e, f, section);  // horizontal again
    auto* panel = Make<CViewPropPlane>(&m_current);
    const Release& r = Choose(panel);

    std::vector<const vyr::DrawRecord*> dashed;
    for (const vyr::DrawRecord* l : OfKind(r, vyr::DrawKind::Line))
        if (l->state.pen.lopnStyle == PS_DASH)
            dashed.push_back(l);
    ASSERT_EQ(dashed.size(), 3u);
    EXPECT_EQ(dashed[0]->state.pen.lopnColor, RGB(0, 0, 0));

    auto texts = OfKind(r, vyr::DrawKind::TextOut);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0]->text, "未布截面");
    EXPECT_EQ(std::string(texts[0]->state.font.lfFaceName), "宋体");
    EXPECT_EQ(texts[0]->state.font.lfEscapement, 0);
    EXPECT_EQ(texts[0]->state.font.lfHeight, -12);
    EXPECT_EQ(texts[0]->state.font.lfWeight, 400);
    EXPECT_EQ(texts[0]->state.font.lfPitchAndFamily, FF_SWISS);
    EXPECT_EQ(texts[0]->state.textAlign, (UINT)(TA_BOTTOM | TA_CENTER));
    EXPECT_EQ(texts[0]->state.bkMode, TRANSPARENT);
    // The midpoint of (0, 200)-(1200, 200): (110, 64 - 0.11 * (200 - 300)) = (110, 75).
    EXPECT_EQ(texts[0]->points[0].x, 110);
    EXPECT_EQ(texts[0]->points[0].y, 75);

    EXPECT_EQ(texts[1]->text, "HN300x150");
    EXPECT_EQ(std::string(texts[1]->state.font.lfFaceName), "Arial");
    EXPECT_EQ(texts[1]->state.font.lfEscapement, 900);
    EXPECT_EQ(std::string(texts[2]->state.font.lfFaceName), "Arial");
    EXPECT_EQ(texts[2]->state.font.lfEscapement, 0);
}

TEST_F(RoomSketchTest, ASlopingBeamsLabelFollowsItsScreenAngle)
{
    AddSubBeam(Node(60, 0, 0), Node(61, 1200, 600), nullptr); // rises to the right
    AddSubBeam(Node(62, 1200, 0), Node(63, 0, 600), nullptr); // rises to the left
    auto* panel = Make<CViewPropPlane>(&m_current);
    const Release& r = Choose(panel);
    auto texts = OfKind(r, vyr::DrawKind::TextOut);
    ASSERT_EQ(texts.size(), 2u);
    // On the screen (44, 97) to (176, 31): atan(66 / 132) = 26.565 degrees, so the label
    // reads upwards at 265 tenths; the other falls at the same slope.
    EXPECT_EQ(texts[0]->state.font.lfEscapement, 265);
    EXPECT_EQ(texts[1]->state.font.lfEscapement, -265);
}

TEST_F(RoomSketchTest, WithoutAChosenRoomOrWithoutExtentOnlyTheBoxIsDrawn)
{
    auto* panel = Make<CViewPropPlane>(&m_current);
    m_releases.clear();
    ASSERT_TRUE(vyr::WindowUser::SelectRow(panel, kCombo, 0));
    ASSERT_EQ(m_releases.size(), 1u);
    ASSERT_EQ(m_releases[0].records.size(), 1u);
    EXPECT_EQ(m_releases[0].records[0].kind, vyr::DrawKind::Rectangle);

    // All vertices on one line: no height, no scale.
    for (POSITION pos = m_room->m_pVexNodeList->GetHeadPosition(); pos;)
        m_room->m_pVexNodeList->GetNextT(pos)->m_pt.y = 0.0;
    m_releases.clear();
    ASSERT_TRUE(vyr::WindowUser::SelectRow(panel, kCombo, 1));
    ASSERT_EQ(m_releases.size(), 1u);
    EXPECT_EQ(m_releases[0].records.size(), 1u);
}

TEST_F(RoomSketchTest, TheContextIsHandedBackWithItsOwnPenBrushAndFont)
{
    AddSubBeam(Node(70, 400, 0), Node(71, 400, 600), nullptr);
    m_room->m_nShapeCode = 2;
    m_room->m_nSubBeamDir = 2;
    auto* panel = Make<CViewPropPlane>(&m_current);
    const Release& r = Choose(panel);
    const vyr::DrawState& first = r.records.front().state;
    EXPECT_EQ(r.state.pen.lopnWidth.x, first.pen.lopnWidth.x);
    EXPECT_EQ(r.state.pen.lopnColor, first.pen.lopnColor);
    EXPECT_EQ(r.state.pen.lopnStyle, first.pen.lopnStyle);
    EXPECT_EQ(std::string(r.state.font.lfFaceName), std::string(first.font.lfFaceName));
    EXPECT_EQ(r.state.font.lfEscapement, first.font.lfEscapement);
    EXPECT_NE(r.state.brush.lbColor, RGB(192, 0, 0));
}

// ---- wall

// A wall 3000 wide and 1560 high standing at y = 0; the frame 220 x 128 inset by 25 is
// 170 x 78, so s = max(1560 / 78, 3000 / 170) = 20 and the outline runs from (35, 25) to
// (185, 103).
class WallSketchTest : public SketchTest
{
protected:
    void SetUp() override
    {
        SketchTest::SetUp();
        CStruct& s = *m_host.GlobalData().Struct();
        m_wall = new CWall;
        m_wall->m_nNo = 3;
        const double c[4][3] = {{0, 0, 0}, {3000, 0, 0}, {3000, 0, 1560}, {0, 0, 1560}};
        for (int i = 0; i < 4; ++i)
            m_wall->m_pVexNodeList->AddTail(Node(20 + i, c[i][0], c[i][1], c[i][2]));
        m_wall->UpdateSize();
        s.m_pWallList->AddTail(m_wall);
        m_host.GlobalData().SelectWallList().AddTail(m_wall);
    }
    CWall* m_wall = nullptr;
    CWall* m_current = nullptr;
};

TEST_F(WallSketchTest, GetPtCentresTheWallAtOneScale)
{
    auto* panel = Make<CViewPropWall>(&m_current);
    ASSERT_TRUE(vyr::WindowUser::SelectRow(panel, kCombo, 1));
    std::vector<CPoint2D> outline;
    std::vector<CPoint3D> corners;
    double s = 0;
    panel->GetPt(outline, corners, s);
    ASSERT_EQ(outline.size(), 4u);
    ASSERT_EQ(corners.size(), 4u);
    EXPECT_DOUBLE_EQ(s, 20.0);
    EXPECT_DOUBLE_EQ(outline[3].x, 35.0);
    EXPECT_DOUBLE_EQ(outline[3].y, 25.0);
    EXPECT_DOUBLE_EQ(outline[1].x, 185.0);
    EXPECT_DOUBLE_EQ(outline[1].y, 103.0);
    EXPECT_DOUBLE_EQ(outline[0].x, 35.0);
    EXPECT_DOUBLE_EQ(outline[0].y, 103.0);
    EXPECT_DOUBLE_EQ(outline[2].x, 185.0);
    EXPECT_DOUBLE_EQ(outline[2].y, 25.0);
    EXPECT_DOUBLE_EQ(corners[3].z, 1560.0);
}

struct FillCase
{
    int kind;
    COLORREF fill;
};

TEST_F(WallSketchTest, TheFillFollowsTheKindFlag)
{
    for (FillCase c : {FillCase{0, RGB(128, 0, 0)}, FillCase{1, RGB(128, 128, 255)}}) {
        SCOPED_TRACE(c.kind);
        m_wall->m_nKind = c.kind;
        m_current = nullptr;
        auto* panel = Make<CViewPropWall>(&m_current);
        const Release& r = Choose(panel);
        auto polygons = OfKind(r, vyr::DrawKind::Polygon);
        ASSERT_EQ(polygons.size(), 1u);
        EXPECT_EQ(polygons[0]->state.brush.lbColor, c.fill);
        EXPECT_EQ(polygons[0]->state.pen.lopnColor, RGB(0, 255, 0));
        EXPECT_EQ(polygons[0]->state.pen.lopnWidth.x, 1);
        const std::vector<POINT> want = {{35, 103}, {185, 103}, {185, 25}, {35, 25}};
        ASSERT_EQ(polygons[0]->points.size(), 4u);
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(polygons[0]->points[i].x, want[i].x);
            EXPECT_EQ(polygons[0]->points[i].y, want[i].y);
        }
    }
}

TEST_F(WallSketchTest, OpeningsSitAtTheirDistanceFromTheTopStartCorner)
{
    // 1000 from vertex 3 in plan, its bottom at 300, 600 high and 800 wide: 50 pixels right
    // of the outline, its top 1560 - 300 - 600 = 660 below the wall's, 33 pixels.
    m_wall->m_pHoleList->AddTail(new CPlacedHole(CPoint3D(1000, 0, 300), 600, 800));
    // 1010 away: 50.5 pixels, truncated.
    m_wall->m_pHoleList->AddTail(new CPlacedHole(CPoint3D(1010, 0, 0), 300, 100));
    auto* panel = Make<CViewPropWall>(&m_current);
    const Release& r = Choose(panel);
    auto polygons = OfKind(r, vyr::DrawKind::Polygon);
    ASSERT_EQ(polygons.size(), 3u);
    const vyr::DrawRecord& first = *polygons[1];
    EXPECT_EQ(first.state.pen.lopnColor, RGB(0, 0, 255));
    EXPECT_EQ(first.state.brush.lbColor, RGB(255, 255, 255));
    const std::vector<POINT> want = {{85, 88}, {125, 88}, {125, 58}, {85, 58}};
    ASSERT_EQ(first.points.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(first.points[i].x, want[i].x) << i;
        EXPECT_EQ(first.points[i].y, want[i].y) << i;
    }
    // left 35 + 50.5 -> 85; top 25 + (1560 - 300) / 20 = 88; right 85 + 5; bottom 88 + 15.
    const std::vector<POINT> second = {{85, 103}, {90, 103}, {90, 88}, {85, 88}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(polygons[2]->points[i].x, second[i].x) << i;
        EXPECT_EQ(polygons[2]->points[i].y, second[i].y) << i;
    }
}

TEST_F(WallSketchTest, AWallOfNoSizeLeavesTheBoxBlank)
{
    for (POSITION pos = m_wall->m_pVexNodeList->GetHeadPosition(); pos;)
        m_wall->m_pVexNodeList->GetNextT(pos)->m_pt = CPoint3D(0, 0, 0);
    m_wall->UpdateSize();
    ASSERT_EQ(m_wall->GetWallH(), 0.0f);
    auto* panel = Make<CViewPropWall>(&m_current);
    const Release& r = Choose(panel);
    ASSERT_EQ(r.records.size(), 1u);
    EXPECT_EQ(r.records[0].kind, vyr::DrawKind::Rectangle);
}

// ---- rendered

TEST_F(WallSketchTest, BothSketchesShowInTheRenderedPanels)
{
    auto* walls = Make<CViewPropWall>(&m_current);
    ASSERT_TRUE(vyr::WindowUser::SelectRow(walls, kCombo, 1));
    auto image = vyr::RenderWindow(walls->GetSafeHwnd());
    ASSERT_TRUE(image);
    // The frame sits at (10, 462): the wall's fill at its middle, the white box around it.
    EXPECT_EQ(image->GetPixel(10 + 110, 462 + 64), RGB(128, 0, 0));
    EXPECT_EQ(image->GetPixel(10 + 5, 462 + 5), RGB(255, 255, 255));

    CStruct& s = *m_host.GlobalData().Struct();
    auto* room = new CPlane;
    room->m_nNo = 2;
    const double xy[4][2] = {{0, 0}, {600, 0}, {600, 300}, {0, 300}};
    CPNode* v[4];
    for (int i = 0; i < 4; ++i)
        v[i] = Node(40 + i, xy[i][0], xy[i][1]);
    for (int i = 0; i < 4; ++i) {
        auto* edge = new CBeam(40 + i, v[i], v[(i + 1) % 4], 2);
        s.m_pBeamList->AddTail(edge);
        room->m_pVexNodeList->AddTail(v[i]);
        room->m_pBeamList->AddTail(edge);
    }
    s.m_pPlaneList->AddTail(room);
    m_host.GlobalData().SelectPlaneList().AddTail(room);
    CPlane* current = nullptr;
    auto* rooms = Make<CViewPropPlane>(&current);
    ASSERT_TRUE(vyr::WindowUser::SelectRow(rooms, kCombo, 1));
    image = vyr::RenderWindow(rooms->GetSafeHwnd());
    ASSERT_TRUE(image);
    // Corner (0, 0) maps to (44, 97) in the frame: a red vertex square there.
    EXPECT_EQ(image->GetPixel(10 + 44, 462 + 97), RGB(192, 0, 0));
    EXPECT_EQ(image->GetPixel(10 + 110, 462 + 64), RGB(255, 255, 255));
}

} // namespace
